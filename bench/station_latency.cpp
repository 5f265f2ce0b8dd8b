// Request-to-reply latency of a running station, as a controller sees it, and the station's
// processor use while controllers stay connected without asking.
//
//   station_latency tcp PORT REQUESTS          one connection to 127.0.0.1, "T\n" per request
//   station_latency file STATION_FOLDER REQUESTS   request files in file_in_out/in
//   station_latency idle PORT PID SECONDS      10 idle connections; processor use of PID
//
// Prints the median, the 99th percentile and the maximum in milliseconds, or the processor use in
// percent of one core.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

void Report(std::vector<double> samples) {
  if (samples.empty()) {
    std::printf("no answer\n");
    return;
  }
  std::sort(samples.begin(), samples.end());
  auto at = [&](double fraction) {
    return samples[std::min(samples.size() - 1, static_cast<size_t>(fraction * samples.size()))];
  };
  std::printf("requests %zu  median %.1f ms  p99 %.1f ms  max %.1f ms\n", samples.size(), at(0.5),
              at(0.99), samples.back());
}

int Connect(int port) {
  int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_port = htons(static_cast<uint16_t>(port));
  where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(socket, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
    ::close(socket);
    return -1;
  }
  return socket;
}

int Tcp(int port, int requests) {
  int socket = Connect(port);
  if (socket < 0) {
    std::perror("connect");
    return 1;
  }
  std::vector<double> samples;
  for (int i = 0; i < requests; ++i) {
    auto start = Clock::now();
    if (::send(socket, "T\n", 2, MSG_NOSIGNAL) != 2) break;
    pollfd ready = {socket, POLLIN, 0};
    if (::poll(&ready, 1, 5000) <= 0) break;
    char reply[64];
    if (::recv(socket, reply, sizeof reply, 0) <= 0) break;
    samples.push_back(Milliseconds(Clock::now() - start));
    // Requests at varying moments of the station's 150 ms tick.
    std::this_thread::sleep_for(std::chrono::milliseconds(std::rand() % 150));
  }
  ::close(socket);
  Report(samples);
  return 0;
}

int File(const std::string& station, int requests) {
  fs::path in = fs::path(station) / "file_in_out/in";
  fs::path out = fs::path(station) / "file_in_out/out";
  std::vector<double> samples;
  for (int i = 0; i < requests; ++i) {
    std::string name = "latency" + std::to_string(i) + ".txt";
    fs::remove(out / name);
    auto start = Clock::now();
    std::ofstream(in / name) << "T";
    std::error_code error;
    while (fs::file_size(out / name, error) == 0 || error) {
      if (Clock::now() - start > std::chrono::seconds(5)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!error) samples.push_back(Milliseconds(Clock::now() - start));
    fs::remove(out / name);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::rand() % 150));
  }
  Report(samples);
  return 0;
}

double ProcessorSeconds(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  // Fields after the command's closing parenthesis: utime and stime are the 12th and 13th.
  std::string rest = line.substr(line.rfind(')') + 2);
  unsigned long long utime = 0, stime = 0;
  std::sscanf(rest.c_str(), "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
              &stime);
  return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

int Idle(int port, int pid, int seconds) {
  std::vector<int> clients;
  for (int i = 0; i < 10; ++i) clients.push_back(Connect(port));
  double before = ProcessorSeconds(pid);
  auto start = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  double used = ProcessorSeconds(pid) - before;
  double wall = std::chrono::duration<double>(Clock::now() - start).count();
  for (int client : clients)
    if (client >= 0) ::close(client);
  std::printf("10 idle clients: station used %.1f%% of one core over %.0f s\n", 100.0 * used / wall,
              wall);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "tcp" && argc == 4) return Tcp(std::atoi(argv[2]), std::atoi(argv[3]));
  if (mode == "file" && argc == 4) return File(argv[2], std::atoi(argv[3]));
  if (mode == "idle" && argc == 5)
    return Idle(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  std::fprintf(stderr,
               "usage: %s tcp PORT REQUESTS | file STATION_FOLDER REQUESTS | idle PORT PID "
               "SECONDS\n",
               argv[0]);
  return 2;
}
