#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// Room of a request line and of the reply text: longer lines keep their first 299 bytes.
constexpr size_t kTcpTextRoom = 299;
constexpr int kTcpListenBacklog = 15;
// How long Stop waits for the connection threads, and how long a reply may wait to be sent.
constexpr int kTcpStopWaitMs = 5000;
constexpr int kTcpSendWaitMs = 5000;

// The station's TCP server: one accepting thread and one thread per connection. A non-empty line
// from a client is a request of that connection; the poll step takes the waiting requests
// (TakeRequests), runs one inspection and hands its reply back (PlaceReply), which is sent to
// exactly the connections whose requests it answers, without terminator. Plain POSIX sockets;
// nothing here runs on the user-interface thread except the calls of its owner.
class TcpServer {
 public:
  // Called on a connection's thread after a pass that read a line or sent a reply: the line
  // received (empty when none) and the reply sent (empty when none).
  using NotifyFunction = std::function<void(const std::string& received, const std::string& sent)>;

  // Binds to address (IPv4 text; empty = every local address) and the low 16 bits of port at Start.
  TcpServer(const std::string& address, int32_t port);
  ~TcpServer();
  TcpServer(const TcpServer&) = delete;
  TcpServer& operator=(const TcpServer&) = delete;

  void SetNotify(NotifyFunction function);
  // Binds and listens (backlog 15) and starts the accepting thread; false when the network layer
  // refuses. A server that failed stays inactive.
  bool Start();
  // Closes the listening socket and every connection, waiting up to 5000 ms for their threads, and
  // clears notify. Safe to call twice.
  void Stop();

  bool Active() const;
  // The port listened on (the one the system chose when the port was 0); 0 when inactive.
  uint16_t Port() const;
  // Connections whose threads are still running.
  int ConnectionCount() const;

  // Moves every connection's waiting request to "answered by the next PlaceReply"; the number
  // of connections taken.
  int TakeRequests();
  // Queues the reply (at most 299 bytes) on every connection taken by TakeRequests and wakes them.
  void PlaceReply(const std::string& reply);

  // Defined beside the implementation.
  struct Core;
  struct Connection;

 private:
  std::shared_ptr<Core> core;
  std::thread acceptThread;
};
