#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <atomic>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "exchange/tcp_client.h"
#include "exchange/tcpipserver.h"
#include "foundation/mymessagebox.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

using tcptest::Client;
using tcptest::WaitUntil;

constexpr const char* kReadError = "TCPS001: Errore lettura dati da client TCP/IP";
constexpr const char* kWriteError = "TCPS002: Errore scrittura dati a client TCP/IP";

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class TcpServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server = std::make_unique<TcpServer>("127.0.0.1", 0);
    server->SetNotify([this](const std::string& received, const std::string& sent) {
      std::lock_guard lock(mutex);
      if (!received.empty()) lines.push_back(received);
      if (!sent.empty()) replies.push_back(sent);
    });
    ASSERT_TRUE(server->Start());
    port = server->Port();
    ASSERT_NE(port, 0);
  }

  // Boxes that connection threads asked for just before the end still reach the screen.
  void TearDown() override {
    std::atomic<bool> stopped{false};
    std::thread stopper([&] {
      server->Stop();
      stopped = true;
    });
    WaitUntil([&] { return stopped.load(); });
    stopper.join();
  }

  // The owner's poll step: one inspection answers every waiting request.
  int Answer(const std::string& reply) {
    int taken = server->TakeRequests();
    if (taken > 0) server->PlaceReply(reply);
    return taken;
  }

  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex);
    return lines;
  }
  size_t LineCount() {
    std::lock_guard lock(mutex);
    return lines.size();
  }
  size_t ReplyCount() {
    std::lock_guard lock(mutex);
    return replies.size();
  }
  bool WaitForLines(size_t count) {
    return WaitUntil([&] { return LineCount() >= count; });
  }
  // Waits for the lines, then runs the poll step until one of them is taken.
  bool AnswerWhenRead(size_t lineCount, const std::string& reply) {
    return WaitForLines(lineCount) && Answer(reply) > 0;
  }

  TempStation station;  // outlives the server: its threads write the logs
  MessageBoxRecorder boxes;
  std::unique_ptr<TcpServer> server;
  uint16_t port = 0;
  std::mutex mutex;
  std::vector<std::string> lines;
  std::vector<std::string> replies;
};

struct FramingCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;  // requests read, in order
};

TEST_F(TcpServerTest, LinesAreFramedAsTheControllerSendsThem) {
  const std::string x299(299, 'x');
  const FramingCase cases[] = {
      {"line with CR LF", "T\r\n", {"T"}},
      {"line with LF alone", "T\n", {"T"}},
      {"empty line is no request", "\r\n", {}},
      {"bare LF is no request", "\n", {}},
      {"two lines in one packet", "A\r\nB\r\n", {"A", "B"}},
      {"CR inside the line stays", "A\rB\n", {"A\rB"}},
      {"text ends at a zero byte", std::string("ab\0cd\n", 6), {"ab"}},
      {"line starting with a zero byte is empty", std::string("\0T\n", 3), {}},
      {"298 characters and CR", std::string(298, 'x') + "\r\n", {std::string(298, 'x')}},
      {"299 characters and CR", x299 + "\r\n", {x299}},
      {"300 characters are cut to 299", std::string(300, 'x') + "\r\n", {x299}},
      {"4000 characters are cut to 299", std::string(4000, 'x') + "\n", {x299}},
  };
  for (const FramingCase& test : cases) {
    SCOPED_TRACE(test.name);
    {
      std::lock_guard lock(mutex);
      lines.clear();
    }
    Client client(port);
    ASSERT_TRUE(client.Connected());
    // The final line tells that everything before it has been read.
    ASSERT_TRUE(client.Send(test.bytes + "END\n"));
    ASSERT_TRUE(WaitForLines(test.lines.size() + 1));
    std::vector<std::string> expected = test.lines;
    expected.push_back("END");
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(Answer("0"), 1);
    EXPECT_EQ(client.Receive(1), "0");
  }
}

TEST_F(TcpServerTest, ReplyIsSentAloneWithoutTerminator) {
  Client client(port);
  ASSERT_TRUE(client.Send("T\r\n"));
  ASSERT_TRUE(AnswerWhenRead(1, "1,120,45"));
  EXPECT_EQ(client.Receive(8), "1,120,45");
  EXPECT_EQ(client.ReceiveRest(), "");
  EXPECT_EQ(Answer("0"), 0);  // answered once
  EXPECT_TRUE(WaitUntil([&] { return ReplyCount() == 1; }));
}

TEST_F(TcpServerTest, NoRequestNoReply) {
  Client client(port);
  ASSERT_TRUE(client.Send("\r\n\n"));
  ASSERT_TRUE(client.Send("partial"));
  EXPECT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 1; }));
  EXPECT_EQ(Answer("0"), 0);
  EXPECT_EQ(client.ReceiveRest(), "");
  EXPECT_EQ(LineCount(), 0u);
}

TEST_F(TcpServerTest, ReplyGoesOnlyToTheClientsThatAsked) {
  Client first(port);
  Client second(port);
  ASSERT_TRUE(first.Send("A\n"));
  ASSERT_TRUE(AnswerWhenRead(1, "1,1,1"));
  EXPECT_EQ(first.Receive(5), "1,1,1");
  EXPECT_EQ(second.ReceiveRest(), "");

  // Both ask before the poll step: one inspection, its reply to each of them.
  ASSERT_TRUE(first.Send("B\n"));
  ASSERT_TRUE(second.Send("C\n"));
  ASSERT_TRUE(WaitForLines(3));
  EXPECT_EQ(Answer("1,2,2"), 2);
  EXPECT_EQ(first.Receive(5), "1,2,2");
  EXPECT_EQ(second.Receive(5), "1,2,2");

  ASSERT_TRUE(second.Send("D\n"));
  ASSERT_TRUE(AnswerWhenRead(4, "1,3,3"));
  EXPECT_EQ(second.Receive(5), "1,3,3");
  EXPECT_EQ(first.ReceiveRest(), "");
  EXPECT_EQ(second.ReceiveRest(), "");
}

TEST_F(TcpServerTest, LinesBeforeThePollStepGiveOneReply) {
  Client client(port);
  ASSERT_TRUE(client.Send("A\nB\nC\n"));
  ASSERT_TRUE(WaitForLines(3));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(Answer("1"), 1);
  EXPECT_EQ(client.Receive(1), "1");
  EXPECT_EQ(Answer("1"), 0);
  EXPECT_EQ(client.ReceiveRest(), "");
}

TEST_F(TcpServerTest, RequestArrivingDuringTheInspectionWaitsForTheNextOne) {
  Client client(port);
  ASSERT_TRUE(client.Send("A\n"));
  ASSERT_TRUE(WaitForLines(1));
  ASSERT_EQ(server->TakeRequests(), 1);  // the inspection starts
  ASSERT_TRUE(client.Send("B\n"));
  ASSERT_TRUE(WaitForLines(2));
  server->PlaceReply("R1");
  EXPECT_EQ(client.Receive(2), "R1");
  EXPECT_EQ(Answer("R2"), 1);
  EXPECT_EQ(client.Receive(2), "R2");
  EXPECT_EQ(client.ReceiveRest(), "");
}

TEST_F(TcpServerTest, ClientThatStopsSendingStillGetsItsReply) {
  Client client(port);
  ASSERT_TRUE(client.Send("T\n"));
  client.ShutdownSending();
  ASSERT_TRUE(AnswerWhenRead(1, "1,5,6"));
  EXPECT_EQ(client.Receive(5), "1,5,6");
  EXPECT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 0; }));
  EXPECT_EQ(station.ErrorLogText(), "");
}

TEST_F(TcpServerTest, LineCutShortByTheClientIsReportedOnce) {
  Client client(port);
  ASSERT_TRUE(client.Send("no line feed"));
  EXPECT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 1; }));
  client.Close();
  ASSERT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 0; }));
  EXPECT_EQ(station.ErrorLogText(), std::string(kReadError) + "\r\n");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, kReadError);
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
  EXPECT_EQ(LineCount(), 0u);
}

TEST_F(TcpServerTest, ResetBetweenLinesIsAnOrdinaryClose) {
  Client client(port);
  ASSERT_TRUE(client.Send("T\n"));
  ASSERT_TRUE(WaitForLines(1));
  client.Reset();
  ASSERT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 0; }));
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

// A box that stays on screen until the test lets it go, running events meanwhile as a modal box
// does.
class HeldBoxes : public MessageBoxBackend {
 public:
  HeldBoxes() : previous(CurrentMessageBoxBackend()) { SetMessageBoxBackend(this); }
  ~HeldBoxes() override { SetMessageBoxBackend(previous); }

  int Show(const std::string& text, const std::string&, unsigned flags) override {
    shown.push_back(text);
    ++open;
    maxOpen = std::max(maxOpen, open);
    WaitUntil([&] { return release(); });
    --open;
    return DefaultButton(flags);
  }

  std::function<bool()> release = [] { return true; };
  std::vector<std::string> shown;
  int open = 0;
  int maxOpen = 0;

 private:
  MessageBoxBackend* previous;
};

TEST_F(TcpServerTest, OneFailureBoxAtATimeOthersAreLoggedOnly) {
  HeldBoxes held;
  Client first(port);
  Client second(port);
  Client third(port);
  ASSERT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 3; }));
  // While the first failure's box is open, the others are logged and their connections end
  // without waiting; the box's own connection waits for the operator.
  held.release = [&] {
    return Occurrences(station.ErrorLogText(), kReadError) == 3 && server->ConnectionCount() == 1;
  };
  for (Client* client : {&first, &second, &third}) {
    ASSERT_TRUE(client->Send("cut"));
    client->Close();
  }
  ASSERT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 0; }));
  EXPECT_EQ(held.shown, std::vector<std::string>{kReadError});
  EXPECT_EQ(held.maxOpen, 1);
  EXPECT_EQ(Occurrences(station.ErrorLogText(), kReadError), 3u);

  // The box closed, the next failure may show one again.
  held.release = [] { return true; };
  Client fourth(port);
  ASSERT_TRUE(fourth.Send("cut"));
  EXPECT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 1; }));
  fourth.Close();
  ASSERT_TRUE(WaitUntil([&] { return held.shown.size() == 2; }));
}

TEST_F(TcpServerTest, StartFailsWhereTheNetworkRefuses) {
  int taken = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof where;
  ASSERT_EQ(::bind(taken, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
  ASSERT_EQ(::listen(taken, 1), 0);
  ASSERT_EQ(::getsockname(taken, reinterpret_cast<sockaddr*>(&where), &size), 0);
  const int takenPort = ntohs(where.sin_port);

  struct Case {
    const char* name;
    std::string address;
    int32_t port;
  } const cases[] = {
      {"address of another machine", "192.0.2.1", 0},
      {"text that is no address", "stazione", 0},
      {"host name", "localhost", 0},
      {"address over 299 characters", std::string(400, '1'), 0},
      {"port already taken", "127.0.0.1", takenPort},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    TcpServer failed(test.address, test.port);
    EXPECT_FALSE(failed.Start());
    EXPECT_FALSE(failed.Active());
    EXPECT_EQ(failed.Port(), 0);
    failed.Stop();
  }
  ::close(taken);
}

TEST_F(TcpServerTest, PortUsesItsLow16Bits) {
  const uint16_t free = tcptest::FreePort();
  TcpServer wide("127.0.0.1", 3 * 65536 + free);
  ASSERT_TRUE(wide.Start());
  EXPECT_EQ(wide.Port(), free);
  Client client(free);
  EXPECT_TRUE(client.Connected());
  wide.Stop();
}

TEST_F(TcpServerTest, EmptyAddressListensOnEveryAddress) {
  TcpServer everywhere("", 0);
  ASSERT_TRUE(everywhere.Start());
  Client client(everywhere.Port());
  EXPECT_TRUE(client.Connected());
  everywhere.Stop();
}

TEST_F(TcpServerTest, StopEndsEveryConnectionAndTheListener) {
  const int descriptors = tcptest::OpenDescriptors();
  {
    Client first(port);
    Client second(port);
    ASSERT_TRUE(first.Send("half a line"));
    ASSERT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 2; }));
    server->Stop();
    EXPECT_EQ(server->ConnectionCount(), 0);
    EXPECT_FALSE(server->Active());
    EXPECT_EQ(first.Receive(1, tcptest::kQuiet), "");  // closed, nothing sent
    server->Stop();                                    // twice is harmless
  }
  Client late(port);
  EXPECT_FALSE(late.Connected());
  late.Close();
  // The listener and the connections' sockets and wake-ups are all closed.
  EXPECT_TRUE(WaitUntil([&] { return tcptest::OpenDescriptors() == descriptors - 1; }))
      << tcptest::OpenDescriptors() << " open, " << descriptors << " before";
  EXPECT_EQ(station.ErrorLogText(), "");  // stopping is no failure
}

// Bad input and load: the well-behaved client beside them keeps its answers.
class TcpServerLoadTest : public TcpServerTest {
 protected:
  // One request of the well-behaved client, answered by the poll step.
  void ExpectAnswered(Client& good, const std::string& reply) {
    const std::string request = "good " + std::to_string(++goodRequests);
    ASSERT_TRUE(good.Send(request + "\r\n"));
    ASSERT_TRUE(WaitUntil([&] {
      std::vector<std::string> read = Lines();
      return std::find(read.begin(), read.end(), request) != read.end();
    }));
    // Requests of other clients may be answered too; the good one must get exactly one reply.
    ASSERT_GE(Answer(reply), 1);
    EXPECT_EQ(good.Receive(reply.size()), reply);
  }

  int goodRequests = 0;
};

TEST_F(TcpServerLoadTest, GarbageAndZeroBytesDoNotDisturbTheService) {
  Client good(port);
  Client noisy(port);
  std::string garbage;
  uint32_t seed = 12345;
  for (int i = 0; i < 256 * 1024; ++i) {
    seed = seed * 1103515245u + 12345u;
    garbage.push_back(static_cast<char>(seed >> 24));
  }
  garbage.append(1000, '\0');
  ASSERT_TRUE(noisy.Send(garbage));
  for (int i = 0; i < 5; ++i) ExpectAnswered(good, "1,7," + std::to_string(i));
  EXPECT_EQ(good.ReceiveRest(), "");
}

TEST_F(TcpServerLoadTest, LineThatNeverEndsCostsNoMemory) {
  Client good(port);
  Client endless(port);
  const std::string block(1 << 20, 'x');
  const long before = ResidentKiB();
  for (int i = 0; i < 64; ++i) ASSERT_TRUE(endless.Send(block));
  ASSERT_TRUE(endless.Send("\n"));
  ASSERT_TRUE(WaitForLines(1));
  EXPECT_EQ(Lines()[0], std::string(kTcpTextRoom, 'x'));
  // 64 MiB went through; far less may stay.
  EXPECT_LT(ResidentKiB() - before, 16 * 1024);
  ExpectAnswered(good, "1");
  EXPECT_EQ(good.ReceiveRest(), "");
  EXPECT_EQ(endless.Receive(1), "1");  // its own request was answered by the same inspection
}

TEST_F(TcpServerLoadTest, ClientThatNeverReadsLosesOnlyItsOwnConnection) {
  Client good(port);
  Client deaf(port, 4096);
  ASSERT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 2; }));
  const std::string big(kTcpTextRoom, 'r');
  // Until the deaf client's buffers are full, its replies pile up; then its send waits and fails.
  size_t asked = 0;
  while (server->ConnectionCount() == 2) {
    ASSERT_LT(asked, 100000u) << "the deaf client's replies never stopped";
    size_t before = LineCount();
    ASSERT_TRUE(deaf.Send("T\n"));
    ++asked;
    // Its thread reads the line, or is still trying to send and then gives up.
    ASSERT_TRUE(WaitUntil([&] { return LineCount() > before || server->ConnectionCount() < 2; }));
    Answer(big);
    if (asked % 500 == 0) ExpectAnswered(good, "1,2,3");
  }
  EXPECT_EQ(Occurrences(station.ErrorLogText(), kWriteError), 1u);
  EXPECT_EQ(boxes.Count(), 1u);
  for (int i = 0; i < 3; ++i) ExpectAnswered(good, "1,4,5");
  EXPECT_EQ(good.ReceiveRest(), "");
}

TEST_F(TcpServerLoadTest, HundredsOfDroppedConnectionsLeakNothing) {
  Client good(port);
  ASSERT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 1; }));
  const int descriptors = tcptest::OpenDescriptors();
  const int threads = tcptest::RunningThreads();
  for (int round = 0; round < 200; ++round) {
    Client dropped(port);
    ASSERT_TRUE(dropped.Connected());
    switch (round % 5) {
      case 0:  // connects and goes
        break;
      case 1:  // asks and goes
        dropped.Send("T\n");
        break;
      case 2:  // goes in the middle of a line
        dropped.Send("T");
        break;
      case 3:  // resets
        dropped.Send("T\nxx");
        dropped.Reset();
        break;
      case 4:  // garbage
        dropped.Send(std::string("\0\xff\r\n\0", 5));
        break;
    }
    if (round % 60 == 0) ExpectAnswered(good, "1,9,9");
    // The station's tick: boxes shown, requests of the clients gone answered all the same.
    tcptest::Pump();
    Answer("0");
  }
  // Clients that asked and closed their side wait for the station's answer, as the poll step
  // gives it every tick.
  ASSERT_TRUE(WaitUntil([&] {
    Answer("0");
    return server->ConnectionCount() == 1;
  }));
  ExpectAnswered(good, "0");
  EXPECT_EQ(good.ReceiveRest(), "");
  EXPECT_TRUE(WaitUntil([&] {
    return tcptest::OpenDescriptors() == descriptors && tcptest::RunningThreads() == threads;
  })) << tcptest::OpenDescriptors()
      << " descriptors (" << descriptors << " before), " << tcptest::RunningThreads()
      << " threads (" << threads << " before)";
}

TEST_F(TcpServerLoadTest, IdleConnectedClientsCostNoProcessor) {
  std::vector<std::unique_ptr<Client>> idle;
  for (int i = 0; i < 10; ++i) idle.push_back(std::make_unique<Client>(port));
  ASSERT_TRUE(WaitUntil([&] { return server->ConnectionCount() == 10; }));
  const double cpuBefore = ProcessCpuSeconds();
  const auto wallBefore = tcptest::Clock::now();
  ::usleep(1000 * 1000);
  const double cpu = ProcessCpuSeconds() - cpuBefore;
  const double wall = std::chrono::duration<double>(tcptest::Clock::now() - wallBefore).count();
  // A thread spinning between passes would burn a whole processor; sleeping ones burn nothing.
  EXPECT_LT(cpu, 0.2 * wall) << cpu << " s of processor in " << wall << " s";
}

}  // namespace
