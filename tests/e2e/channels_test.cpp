#include <QTcpSocket>
#include <csignal>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "exchange/rs232_pty.h"
#include "station_process.h"
#include "station_setup.h"

namespace {

namespace fs = std::filesystem;

// The scene: grey, with an orange block whose lowest-leftmost pixel is (20, 10).
constexpr uint32_t kBlock = 0xF08020;
const char kExpectedReply[] = "1,20,10";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A station whose auto-start opens the point test on the scene, talking through channel metodo.
class ChannelTest : public ::testing::Test {
 protected:
  void Prepare(int32_t metodo) {
    ASSERT_TRUE(station.Valid());
    std::string picture = station.Path("scene.bmp");
    WriteBmp(picture, 64, 48, [](int x, int y) {
      return (x >= 20 && x < 30 && y >= 10 && y < 20) ? kBlock : 0x808080u;
    });
    station.SetEnv("LUMIVEX_CAMERA", QString::fromStdString("sim:" + picture));
    WriteData(station.Path(), "webcam_point.dat", TaughtPointFile(0xF0, 0x80, 0x20));
    WriteData(station.Path(), "AvvioProg.dat", LeWords({0, 1}));
    WriteData(station.Path(), "MetodoInOut.dat", LeWords({0, metodo}));
  }

  StationProcess station;
};

class FileChannelTest : public ChannelTest {
 protected:
  // Drops a request and waits for its reply file; empty on time-out.
  std::string Ask(const std::string& name, int timeoutMs = 20000) {
    std::string out = station.Path("file_in_out/out/" + name);
    std::string processed = station.Path("file_in_out/elab/" + name);
    fs::remove(out);
    fs::remove(processed);
    std::ofstream(station.Path("file_in_out/in/" + name)) << "trigger";
    std::string reply;
    WaitUntil(
        [&] {
          if (!fs::exists(processed)) return false;
          reply = ReadText(out);
          return true;
        },
        timeoutMs);
    return reply;
  }
};

TEST_F(FileChannelTest, ControllerDroppingFilesReadsThePointAnswer) {
  Prepare(1);
  ASSERT_TRUE(station.Start());
  // Until the auto-started test window runs, the station answers "0"; a request dropped before the
  // channel opens is swept away by the start-up cleaning.
  ASSERT_TRUE(WaitUntil(
      [&] { return Ask("probe.txt", 2000) == std::string(kExpectedReply) + "\r\n"; }, 30000));

  for (const char* name : {"A.txt", "richiesta 2.txt", "città.req"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Ask(name), std::string(kExpectedReply) + "\r\n");
    EXPECT_FALSE(fs::exists(station.Path(std::string("file_in_out/in/") + name)));
    EXPECT_EQ(ReadText(station.Path(std::string("file_in_out/elab/") + name)), "trigger");
  }
  std::string events = station.EventLog();
  EXPECT_NE(events.find("Trovato file ingresso A.txt"), std::string::npos);
  EXPECT_NE(events.find("Generato file uscita A.txt con contenuto: 1,20,10"), std::string::npos);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
}

class TcpChannelTest : public ChannelTest {};

TEST_F(TcpChannelTest, ClientLineIsAnsweredWithoutTerminator) {
  Prepare(3);
  int port = FreeTcpPort();
  WriteData(station.Path(), "tcp_ip.dat", LeWords({0}) + LengthText("127.0.0.1") + LeWords({port}));
  ASSERT_TRUE(station.Start());

  // The server opens a moment after the opening line.
  QTcpSocket client;
  ASSERT_TRUE(WaitUntil(
      [&] {
        client.abort();
        client.connectToHost("127.0.0.1", static_cast<quint16>(port));
        return client.waitForConnected(1000);
      },
      20000));
  auto ask = [&](const QByteArray& line) {
    client.write(line);
    client.waitForBytesWritten(5000);
    QByteArray reply;
    if (client.waitForReadyRead(10000)) reply = client.readAll();
    // Anything after the reply would be a terminator the controller does not expect.
    while (client.waitForReadyRead(300)) reply += client.readAll();
    return reply.toStdString();
  };
  ASSERT_TRUE(WaitUntil([&] { return ask("T\r\n") == kExpectedReply; }, 30000));
  EXPECT_EQ(ask("T\n"), kExpectedReply);
  EXPECT_NE(station.EventLog().find("Scrittura dati su porta Ethernet (Server -> Client): 1,20,10"),
            std::string::npos);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
}

TEST_F(ChannelTest, SerialControllerReadsThePointAnswer) {
  Prepare(2);
  PseudoTerminal line;
  ASSERT_TRUE(line.Ready());
  ASSERT_TRUE(line.LinkAs(station.Path("Data/COM1")));
  // COM1 at 9600 baud, 8 data bits, no parity, one stop bit.
  WriteData(station.Path(), "rs232par.dat", LeWords({1, 9600, 8, 0, 0}));
  ASSERT_TRUE(station.Start());

  // A request is whatever arrived before 400 ms of silence; the reply has no terminator.
  auto ask = [&] {
    line.Send("T");
    return line.Receive(sizeof kExpectedReply - 1, std::chrono::milliseconds(3000));
  };
  ASSERT_TRUE(WaitUntil([&] { return ask() == kExpectedReply; }, 30000));
  EXPECT_EQ(ask(), kExpectedReply);
  EXPECT_EQ(line.Receive(1, std::chrono::milliseconds(500)), "");
  EXPECT_NE(station.EventLog().find("Scrittura dati in seriale: 1,20,10"), std::string::npos);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
}

}  // namespace
