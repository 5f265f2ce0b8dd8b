// Request-to-reply latency of the TCP channel and the processor cost of idle connections, with the
// station's server in-process. A poller thread stands in for the exchange tick: every tick it takes
// the waiting requests and places the reply, as the poll step does with an inspection that takes no
// time. Figures: median and 99th percentile in milliseconds, processor use in percent of one core.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "exchange/tcpipserver.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string kReply = "1,120,45";

int Connect(uint16_t port) {
  int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_port = htons(port);
  where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(socket, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
    ::close(socket);
    return -1;
  }
  int on = 1;
  ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return socket;
}

bool ReceiveAll(int socket, size_t count) {
  size_t received = 0;
  char bytes[64];
  while (received < count) {
    ssize_t n = ::recv(socket, bytes, std::min(sizeof bytes, count - received), 0);
    if (n <= 0) return false;
    received += static_cast<size_t>(n);
  }
  return true;
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The server with its stand-in exchange tick.
class Station {
 public:
  explicit Station(int tickMs) : server("127.0.0.1", 0) {
    server.SetNotify([this](const std::string& received, const std::string&) {
      if (!received.empty()) pending = true;
    });
    server.Start();
    poller = std::thread([this, tickMs] {
      while (!stop) {
        if (pending.exchange(false) && server.TakeRequests() > 0) server.PlaceReply(kReply);
        if (tickMs > 0)
          std::this_thread::sleep_for(std::chrono::milliseconds(tickMs));
        else
          std::this_thread::sleep_for(std::chrono::microseconds(50));
      }
    });
  }
  ~Station() {
    stop = true;
    poller.join();
    server.Stop();
  }
  uint16_t Port() const { return server.Port(); }

 private:
  TcpServer server;
  std::atomic<bool> pending{false};
  std::atomic<bool> stop{false};
  std::thread poller;
};

void RequestToReply(benchmark::State& state) {
  Station station(static_cast<int>(state.range(0)));
  int client = Connect(station.Port());
  if (client < 0) {
    state.SkipWithError("cannot connect");
    return;
  }
  std::vector<double> latencies;
  // A controller asks at any moment of the tick, not just after a reply.
  std::minstd_rand phase(42);
  const int tickMs = static_cast<int>(state.range(0));
  for (auto _ : state) {
    if (tickMs > 0)
      std::this_thread::sleep_for(std::chrono::microseconds(phase() % (tickMs * 1000)));
    auto start = Clock::now();
    if (::send(client, "T\r\n", 3, MSG_NOSIGNAL) != 3 || !ReceiveAll(client, kReply.size())) {
      state.SkipWithError("request failed");
      break;
    }
    double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(elapsed);
    latencies.push_back(elapsed * 1000);
  }
  ::close(client);
  if (latencies.empty()) return;
  std::sort(latencies.begin(), latencies.end());
  state.counters["median_ms"] = latencies[latencies.size() / 2];
  state.counters["p99_ms"] = latencies[std::min(latencies.size() - 1, latencies.size() * 99 / 100)];
  state.counters["max_ms"] = latencies.back();
}
// 150 ms: the station's exchange tick. 0: the server's own cost, polled continuously.
BENCHMARK(RequestToReply)
    ->Arg(150)
    ->Iterations(300)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RequestToReply)->Arg(0)->Iterations(2000)->UseManualTime()->Unit(benchmark::kMicrosecond);

void IdleConnectedClients(benchmark::State& state) {
  Station station(150);
  std::vector<int> clients;
  for (int i = 0; i < state.range(0); ++i) clients.push_back(Connect(station.Port()));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  double cpu = 0;
  double wall = 0;
  for (auto _ : state) {
    double cpuBefore = CpuSeconds();
    auto wallBefore = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    cpu += CpuSeconds() - cpuBefore;
    wall += std::chrono::duration<double>(Clock::now() - wallBefore).count();
  }
  for (int client : clients) ::close(client);
  state.counters["cpu_percent"] = 100.0 * cpu / wall;
}
BENCHMARK(IdleConnectedClients)->Arg(10)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
