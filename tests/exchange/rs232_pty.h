#pragma once

// A pseudo-terminal standing in for the controller's end of the serial line: the station opens
// the slave through the Data/COM<n> link, the test reads and writes the master.

#include <chrono>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

class PseudoTerminal {
 public:
  PseudoTerminal() {
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
      slavePath = ::ptsname(master);
  }
  ~PseudoTerminal() { CloseMaster(); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool Ready() const { return master >= 0 && !slavePath.empty(); }
  const std::string& SlavePath() const { return slavePath; }
  int Master() const { return master; }

  // Links programFolder/Data/<name> to the slave.
  bool LinkAs(const std::string& linkPath) const {
    return ::symlink(slavePath.c_str(), linkPath.c_str()) == 0;
  }

  bool Send(const std::string& bytes) const {
    return ::write(master, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }

  // What the station sent within the time given (stops early once `count` bytes came).
  std::string Receive(size_t count, std::chrono::milliseconds patience) const {
    std::string bytes;
    auto deadline = std::chrono::steady_clock::now() + patience;
    while (bytes.size() < count) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                      deadline - std::chrono::steady_clock::now())
                      .count();
      if (left <= 0) break;
      pollfd ready = {master, POLLIN, 0};
      if (::poll(&ready, 1, static_cast<int>(left)) <= 0 || (ready.revents & POLLIN) == 0) break;
      char chunk[256];
      ssize_t n = ::read(master, chunk, sizeof chunk);
      if (n <= 0) break;
      bytes.append(chunk, static_cast<size_t>(n));
    }
    return bytes;
  }

  // The controller's end goes away, as an unplugged adapter.
  void CloseMaster() {
    if (master >= 0) ::close(master);
    master = -1;
  }

 private:
  int master = -1;
  std::string slavePath;
};
