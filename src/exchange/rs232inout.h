#pragma once

// The serial channel's steps, called by start-up, the exchange tick and shutdown.
bool LoadSerialParameters();
bool SaveSerialParameters();
bool OpenSerialExchange();
bool PollSerialExchange();
bool CloseSerialExchange();
