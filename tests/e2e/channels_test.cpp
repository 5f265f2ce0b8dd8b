#include <QTcpSocket>
#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "exchange/rs232_pty.h"
#include "station_process.h"
#include "station_setup.h"
#include "support/temp_station.h"

namespace {

namespace fs = std::filesystem;

// The scene: grey, with an orange block whose lowest-leftmost pixel is (20, 10).
constexpr uint32_t kBlock = 0xF08020;
const char kExpectedReply[] = "1,20,10";

// A station whose auto-start opens the point test on the scene, talking through channel metodo.
class ChannelTest : public ::testing::Test {
 protected:
  void Prepare(int32_t metodo) {
    ASSERT_TRUE(station.Valid());
    station.ShowScene(64, 48, [](int x, int y) {
      return (x >= 20 && x < 30 && y >= 10 && y < 20) ? kBlock : 0x808080u;
    });
    WriteData(station.Path(), "webcam_point.dat", TaughtPointFile(0xF0, 0x80, 0x20));
    WriteAutoStart(station.Path(), 1, metodo);
  }

  StationProcess station;
};

class FileChannelTest : public ChannelTest {};

TEST_F(FileChannelTest, ControllerDroppingFilesReadsThePointAnswer) {
  Prepare(1);
  ASSERT_TRUE(station.Start());
  // Until the auto-started test window runs, the station answers "0"; a request dropped before the
  // channel opens is swept away by the start-up cleaning.
  ASSERT_TRUE(WaitUntil(
      [&] { return AskByFile(station, "probe.txt", 2000) == std::string(kExpectedReply) + "\r\n"; },
      30000));

  for (const char* name : {"A.txt", "richiesta 2.txt", "città.req"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(AskByFile(station, name), std::string(kExpectedReply) + "\r\n");
    EXPECT_FALSE(fs::exists(station.Path(std::string("file_in_out/in/") + name)));
    EXPECT_EQ(ReadFileBytes(station.Path(std::string("file_in_out/elab/") + name)), "trigger");
  }
  std::string events = station.EventLog();
  EXPECT_NE(events.find("Trovato file ingresso A.txt"), std::string::npos);
  EXPECT_NE(events.find("Generato file uscita A.txt con contenuto: 1,20,10"), std::string::npos);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
}

class TcpChannelTest : public ChannelTest {};

TEST_F(TcpChannelTest, ClientLineIsAnsweredWithoutTerminator) {
  Prepare(3);
  const int port = WriteTcpSettings(station.Path());
  ASSERT_TRUE(station.Start());

  QTcpSocket client;
  ASSERT_TRUE(ConnectTcp(client, port));
  // Anything after the reply would be a terminator the controller does not expect.
  ASSERT_TRUE(WaitUntil([&] { return AskTcp(client, "T\r\n") == kExpectedReply; }, 30000));
  EXPECT_EQ(AskTcp(client, "T\n"), kExpectedReply);
  EXPECT_NE(station.EventLog().find("Scrittura dati su porta Ethernet (Server -> Client): 1,20,10"),
            std::string::npos);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
}

TEST_F(ChannelTest, SerialControllerReadsThePointAnswer) {
  Prepare(2);
  PseudoTerminal line;
  ASSERT_TRUE(line.Ready());
  ASSERT_TRUE(WriteSerialSettings(station.Path(), line));
  ASSERT_TRUE(station.Start());

  // A request is whatever arrived before 400 ms of silence; the reply has no terminator.
  auto ask = [&] { return AskSerial(line, sizeof kExpectedReply - 1); };
  ASSERT_TRUE(WaitUntil([&] { return ask() == kExpectedReply; }, 30000));
  EXPECT_EQ(ask(), kExpectedReply);
  EXPECT_EQ(line.Receive(1, std::chrono::milliseconds(500)), "");
  EXPECT_NE(station.EventLog().find("Scrittura dati in seriale: 1,20,10"), std::string::npos);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
}

}  // namespace
