#include "exchange/tcpipserver.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include "foundation/log.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"

namespace {

constexpr const char* kReadError = "TCPS001: Errore lettura dati da client TCP/IP";
constexpr const char* kWriteError = "TCPS002: Errore scrittura dati a client TCP/IP";
constexpr const char* kServerException = "TCPS005: Eccezione TCP/IP server";
constexpr size_t kChunkSize = 4096;
// Pause of the accepting thread when the process has no descriptor left for a new connection.
constexpr int kAcceptBackoffMs = 100;

// One TCPS001/TCPS002 box on screen at a time, whatever the number of failing connections.
std::atomic<bool> errorBoxOnScreen{false};

void CloseDescriptor(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

void Signal(int eventFd) {
  uint64_t one = 1;
  ssize_t written;
  do written = ::write(eventFd, &one, sizeof one);
  while (written < 0 && errno == EINTR);
}

void Drain(int eventFd) {
  uint64_t count;
  while (::read(eventFd, &count, sizeof count) > 0) {
  }
}

// Bytes of one request line up to its line feed. Keeps the first bytes only, so a line that never
// ends costs no memory.
class LineAssembler {
 public:
  // Takes bytes up to and including the first line feed; answers how many were taken and sets
  // complete when the line feed was among them.
  size_t Feed(const char* data, size_t size, bool& complete) {
    complete = false;
    for (size_t i = 0; i < size; ++i) {
      char c = data[i];
      if (c == '\n') {
        complete = true;
        return i + 1;
      }
      ++total;
      lastWasCr = c == '\r';
      if (kept.size() <= kTcpTextRoom) kept.push_back(c);
    }
    return size;
  }

  // The finished line as the station reads it: the CR before the line feed dropped, the text up
  // to its first zero byte, at most 299 bytes. Starts the next line.
  std::string TakeLine() {
    if (lastWasCr && total <= kept.size()) kept.pop_back();
    std::string text = CutText(std::string(kept.c_str()), kTcpTextRoom);
    kept.clear();
    total = 0;
    lastWasCr = false;
    return text;
  }

  bool HasPartialLine() const { return total > 0; }

 private:
  std::string kept;
  size_t total = 0;
  bool lastWasCr = false;
};

}  // namespace

struct TcpServer::Connection {
  int socket = -1;
  int wake = -1;
  // Guarded by the core's mutex.
  bool requestWaiting = false;
  bool requestTaken = false;
  std::deque<std::string> replies;
};

struct TcpServer::Core {
  std::string address;
  uint16_t port = 0;

  mutable std::mutex mutex;
  std::condition_variable connectionsEnded;
  std::vector<std::shared_ptr<Connection>> connections;
  NotifyFunction notify;
  bool started = false;
  bool stopping = false;
  int listenSocket = -1;
  int stopEvent = -1;  // readable once Stop has begun; never reset
  uint16_t boundPort = 0;

  ~Core() { CloseDescriptor(stopEvent); }

  bool Stopping() const {
    std::lock_guard lock(mutex);
    return stopping;
  }

  NotifyFunction Notify() const {
    std::lock_guard lock(mutex);
    return notify;
  }
};

namespace {

using Core = TcpServer::Core;
using Connection = TcpServer::Connection;

void RemoveConnection(Core& core, const std::shared_ptr<Connection>& connection) {
  std::lock_guard lock(core.mutex);
  std::erase(core.connections, connection);
  CloseDescriptor(connection->socket);
  CloseDescriptor(connection->wake);
  core.connectionsEnded.notify_all();
}

// Logs the failure and shows its box unless one is already on screen or the server is stopping.
// Answers whether the box was shown (the caller waited for the operator).
bool ReportConnectionFailure(const Core& core, const char* text) {
  LogError(text);
  if (core.Stopping()) return false;
  bool expected = false;
  if (!errorBoxOnScreen.compare_exchange_strong(expected, true)) return false;
  ShowMessageBox(text, "ERRORE", kMbError);
  errorBoxOnScreen.store(false);
  return true;
}

// Sends every byte, waiting at most kTcpSendWaitMs for a client that does not read.
bool SendReply(const Core& core, int socket, const std::string& reply) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTcpSendWaitMs);
  size_t sent = 0;
  while (sent < reply.size()) {
    ssize_t n =
        ::send(socket, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                      deadline - std::chrono::steady_clock::now())
                      .count();
      if (left <= 0) return false;
      pollfd fds[2] = {{socket, POLLOUT, 0}, {core.stopEvent, POLLIN, 0}};
      if (::poll(fds, 2, static_cast<int>(left)) < 0 && errno != EINTR) return false;
      if (fds[1].revents != 0) return false;
      continue;
    }
    return false;
  }
  return true;
}

// The life of one connection: pass after pass, one line read and the replies waiting for it sent
// per pass, sleeping in poll() while there is neither data nor a reply.
void ServeConnection(std::shared_ptr<Core> core, std::shared_ptr<Connection> connection) {
  try {
    LineAssembler line;
    char chunk[kChunkSize];
    size_t chunkStart = 0;
    size_t chunkEnd = 0;
    bool peerClosed = false;
    for (;;) {
      // Step 1: one line out of the bytes already received.
      std::string received;
      bool lineRead = false;
      while (!lineRead && chunkStart < chunkEnd) {
        bool complete;
        chunkStart += line.Feed(chunk + chunkStart, chunkEnd - chunkStart, complete);
        if (complete) {
          received = line.TakeLine();
          lineRead = true;
        }
      }
      if (!lineRead && peerClosed) {
        // A line cut short by the client's closing is a failed read, reported once.
        if (line.HasPartialLine()) {
          ReportConnectionFailure(*core, kReadError);
          break;
        }
        // A client that closed its sending side after its request still gets the reply.
        std::lock_guard lock(core->mutex);
        if (!connection->requestWaiting && !connection->requestTaken && connection->replies.empty())
          break;
      }

      // Step 2: the replies placed for this connection.
      std::deque<std::string> replies;
      {
        std::lock_guard lock(core->mutex);
        if (!received.empty()) connection->requestWaiting = true;
        replies.swap(connection->replies);
      }
      bool sendFailed = false;
      std::vector<std::string> sent;
      for (const std::string& reply : replies) {
        if (!SendReply(*core, connection->socket, reply)) {
          sendFailed = true;
          break;
        }
        sent.push_back(reply);
      }

      // Step 3: tell the owner what this pass did.
      if (TcpServer::NotifyFunction notify = core->Notify()) {
        if (!received.empty() || !sent.empty())
          notify(received, sent.empty() ? std::string() : sent.front());
        for (size_t i = 1; i < sent.size(); ++i) notify(std::string(), sent[i]);
      }
      // A client that cannot take its reply (gone, or not reading for kTcpSendWaitMs) loses it and
      // its connection: the rest of a half-sent reply must never reach it.
      if (sendFailed) {
        ReportConnectionFailure(*core, kWriteError);
        break;
      }
      if (lineRead || !replies.empty()) continue;

      // Nothing to do: wait for bytes, a reply or the end.
      pollfd fds[3] = {{peerClosed ? -1 : connection->socket, POLLIN, 0},
                       {connection->wake, POLLIN, 0},
                       {core->stopEvent, POLLIN, 0}};
      if (::poll(fds, 3, -1) < 0) {
        if (errno == EINTR) continue;
        throw std::system_error(errno, std::generic_category(), "poll");
      }
      if (fds[2].revents != 0) break;
      if (fds[1].revents != 0) Drain(connection->wake);
      if (fds[0].revents != 0) {
        ssize_t n = ::recv(connection->socket, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
          chunkStart = 0;
          chunkEnd = static_cast<size_t>(n);
        } else if (n == 0) {
          peerClosed = true;
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
          // A reset in the middle of a line is a failed read; between lines it is a close.
          if (line.HasPartialLine()) ReportConnectionFailure(*core, kReadError);
          break;
        }
      }
    }
  } catch (...) {
    LogError(kServerException);
  }
  RemoveConnection(*core, connection);
}

void StartConnection(const std::shared_ptr<Core>& core, int socket) {
  auto connection = std::make_shared<Connection>();
  connection->socket = socket;
  connection->wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  std::unique_lock lock(core->mutex);
  if (connection->wake < 0 || core->stopping) {
    CloseDescriptor(connection->socket);
    CloseDescriptor(connection->wake);
    return;
  }
  core->connections.push_back(connection);
  try {
    std::thread(ServeConnection, core, connection).detach();
  } catch (const std::exception&) {
    std::erase(core->connections, connection);
    CloseDescriptor(connection->socket);
    CloseDescriptor(connection->wake);
    lock.unlock();
    LogError(kServerException);
  }
}

void AcceptConnections(std::shared_ptr<Core> core) {
  for (;;) {
    pollfd fds[2] = {{core->listenSocket, POLLIN, 0}, {core->stopEvent, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) break;
    if (fds[0].revents == 0) continue;
    int socket = ::accept4(core->listenSocket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (socket >= 0) {
      // A reply is a few bytes that must leave at once, not wait for the client's acknowledgement.
      int on = 1;
      ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      StartConnection(core, socket);
    } else if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
      // Out of descriptors: leave the connection pending for a while instead of spinning.
      pollfd stop = {core->stopEvent, POLLIN, 0};
      ::poll(&stop, 1, kAcceptBackoffMs);
    }
  }
  std::lock_guard lock(core->mutex);
  CloseDescriptor(core->listenSocket);
}

}  // namespace

TcpServer::TcpServer(const std::string& address, int32_t port) : core(std::make_shared<Core>()) {
  core->address = CutText(address, kTcpTextRoom);
  core->port = static_cast<uint16_t>(static_cast<uint32_t>(port) & 0xFFFF);
}

TcpServer::~TcpServer() {
  Stop();
}

void TcpServer::SetNotify(NotifyFunction function) {
  std::lock_guard lock(core->mutex);
  core->notify = std::move(function);
}

bool TcpServer::Start() {
  {
    std::lock_guard lock(core->mutex);
    if (core->started) return core->listenSocket >= 0 && !core->stopping;
    core->started = true;
  }
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_port = htons(core->port);
  if (core->address.empty())
    where.sin_addr.s_addr = htonl(INADDR_ANY);
  else if (::inet_pton(AF_INET, core->address.c_str(), &where.sin_addr) != 1)
    return false;

  int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listener < 0) return false;
  sockaddr_in bound{};
  socklen_t boundSize = sizeof bound;
  if (::bind(listener, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
      ::listen(listener, kTcpListenBacklog) != 0 ||
      ::getsockname(listener, reinterpret_cast<sockaddr*>(&bound), &boundSize) != 0) {
    ::close(listener);
    return false;
  }
  int stopEvent = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (stopEvent < 0) {
    ::close(listener);
    return false;
  }
  {
    std::lock_guard lock(core->mutex);
    core->listenSocket = listener;
    core->stopEvent = stopEvent;
    core->boundPort = ntohs(bound.sin_port);
  }
  try {
    acceptThread = std::thread(AcceptConnections, core);
  } catch (const std::exception&) {
    std::lock_guard lock(core->mutex);
    CloseDescriptor(core->listenSocket);
    core->boundPort = 0;
    return false;
  }
  return true;
}

void TcpServer::Stop() {
  {
    std::lock_guard lock(core->mutex);
    core->notify = nullptr;
    if (core->stopping || core->stopEvent < 0) {
      core->stopping = true;
      return;
    }
    core->stopping = true;
  }
  Signal(core->stopEvent);
  if (acceptThread.joinable()) acceptThread.join();
  std::unique_lock lock(core->mutex);
  core->boundPort = 0;
  // Threads that do not end in time (an operator's box still open) keep the core alive and end
  // by themselves; nothing of this object is touched by them.
  core->connectionsEnded.wait_for(lock, std::chrono::milliseconds(kTcpStopWaitMs),
                                  [this] { return core->connections.empty(); });
}

bool TcpServer::Active() const {
  std::lock_guard lock(core->mutex);
  return core->listenSocket >= 0 && !core->stopping;
}

uint16_t TcpServer::Port() const {
  std::lock_guard lock(core->mutex);
  return core->boundPort;
}

int TcpServer::ConnectionCount() const {
  std::lock_guard lock(core->mutex);
  return static_cast<int>(core->connections.size());
}

int TcpServer::TakeRequests() {
  std::lock_guard lock(core->mutex);
  int taken = 0;
  for (const std::shared_ptr<Connection>& connection : core->connections) {
    if (!connection->requestWaiting) continue;
    connection->requestWaiting = false;
    connection->requestTaken = true;
    ++taken;
  }
  return taken;
}

void TcpServer::PlaceReply(const std::string& reply) {
  std::string text = CutText(reply, kTcpTextRoom);
  std::lock_guard lock(core->mutex);
  for (const std::shared_ptr<Connection>& connection : core->connections) {
    if (!connection->requestTaken) continue;
    connection->requestTaken = false;
    connection->replies.push_back(text);
    Signal(connection->wake);
  }
}
