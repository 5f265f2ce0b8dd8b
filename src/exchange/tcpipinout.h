#pragma once

// The TCP/IP channel's steps, called by start-up, the exchange tick and shutdown.
bool LoadTcpParameters();
bool SaveTcpParameters();
bool OpenTcpExchange();
bool PollTcpExchange();
bool CloseTcpExchange();
