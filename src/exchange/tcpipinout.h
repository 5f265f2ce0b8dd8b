#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

class TcpServer;

// The TCP/IP channel's settings, kept in Data/tcp_ip.dat: the local IPv4 address to bind (empty:
// every address, at most 299 bytes) and the port (its low 16 bits are used).
extern std::string indirizzoIP;
extern int32_t porta;

// The running server, or null; set by OpenTcpExchange, cleared by CloseTcpExchange.
extern TcpServer* tcpServer;
// A request line has arrived and waits for the poll step.
extern std::atomic<bool> tcpRequestPending;

// The TCP/IP channel's steps, called by start-up, the exchange tick and shutdown.
bool LoadTcpParameters();
bool SaveTcpParameters();
bool OpenTcpExchange();
bool PollTcpExchange();
bool CloseTcpExchange();

// The poll step with its dispatcher given (PollTcpExchange passes DispatchInspection).
bool PollTcpExchangeWith(const std::function<std::string()>& dispatch);

// The server's notification (on a connection's thread): logs the line read and the reply sent
// and marks a request as pending.
void TcpNotify(const std::string& received, const std::string& sent);
