#pragma once

// A controller's side of a TCP connection for the tests, and the waits they need. Every wait lets
// the user-interface thread run its events: message boxes asked for by connection threads are
// shown there.

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tcptest {

using Clock = std::chrono::steady_clock;

// Generous: the tests wait for what must happen, never for what must not.
constexpr std::chrono::milliseconds kPatience{20000};
// How long a test listens to make sure nothing more arrives.
constexpr std::chrono::milliseconds kQuiet{300};

inline void Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Runs events until done() holds or the patience runs out; answers done().
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds patience = kPatience) {
  auto deadline = Clock::now() + patience;
  while (!done()) {
    if (Clock::now() > deadline) return done();
    Pump();
    ::usleep(200);
  }
  return true;
}

class Client {
 public:
  explicit Client(uint16_t port, int receiveBuffer = 0) {
    socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (receiveBuffer > 0)
      ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(port);
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected = ::connect(socket, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0;
  }
  ~Client() { Close(); }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  bool Connected() const { return connected; }

  bool Send(const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
      ssize_t n = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<size_t>(n);
    }
    return true;
  }

  // Everything that arrives until `count` bytes have come or the time is up.
  std::string Receive(size_t count, std::chrono::milliseconds patience = kPatience) {
    std::string bytes;
    auto deadline = Clock::now() + patience;
    while (bytes.size() < count && Clock::now() < deadline) {
      pollfd ready = {socket, POLLIN, 0};
      if (::poll(&ready, 1, 5) > 0) {
        char chunk[4096];
        ssize_t n = ::recv(socket, chunk, std::min(sizeof chunk, count - bytes.size()), 0);
        if (n <= 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
      }
      Pump();
    }
    return bytes;
  }

  // What arrives within kQuiet: empty when the server sent nothing more.
  std::string ReceiveRest() { return Receive(1 << 20, kQuiet); }

  void ShutdownSending() { ::shutdown(socket, SHUT_WR); }

  // Closes with a reset instead of a orderly close.
  void Reset() {
    linger hard = {1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    Close();
  }

  void Close() {
    if (socket >= 0) ::close(socket);
    socket = -1;
  }

 private:
  int socket = -1;
  bool connected = false;
};

inline int CountEntries(const char* folder) {
  int count = 0;
  if (DIR* dir = ::opendir(folder)) {
    while (dirent* entry = ::readdir(dir))
      if (entry->d_name[0] != '.') ++count;
    ::closedir(dir);
  }
  return count;
}

// Open descriptors and running threads of this process.
inline int OpenDescriptors() {
  return CountEntries("/proc/self/fd") - 1;
}  // minus the listing's
inline int RunningThreads() {
  return CountEntries("/proc/self/task");
}

// A port that was free a moment ago.
inline uint16_t FreePort() {
  int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof where;
  ::bind(probe, reinterpret_cast<sockaddr*>(&where), sizeof where);
  ::getsockname(probe, reinterpret_cast<sockaddr*>(&where), &size);
  ::close(probe);
  return ntohs(where.sin_port);
}

}  // namespace tcptest
