#include <QTcpSocket>
#include <csignal>

#include <gtest/gtest.h>

#include "exchange/rs232_pty.h"
#include "station_process.h"
#include "station_setup.h"
#include "support/temp_station.h"

namespace {

// The scene, 64 x 48 grey: an orange column at x = 30 from y = 5 to 34 and an orange row at y = 40
// from x = 5 to 54 (y from the bottom).
constexpr uint32_t kOrange = 0xF08020;  // 0xRRGGBB

// A vertical line of 20 is found in column 30, the 20th match at y = 24: "1,30,14". A horizontal
// line of 30 is found in row 40, the 30th match at x = 34: "1,19,40".
struct LineSetting {
  const char* file;
  int32_t autoStart;  // the method's number
  int32_t lineLength;
  const char* reply;
  const char* autoStartEvent;
};
const LineSetting kVertical{"webcam_lineavert.dat", 3, 20, "1,30,14",
                            "Apertura form in avvio automatico: form test per linea verticale"};
const LineSetting kHorizontal{"webcam_lineaoriz.dat", 4, 30, "1,19,40",
                              "Apertura form in avvio automatico: form test per linea orizzontale"};

// A station whose auto-start opens a line test on the scene, talking through channel metodo.
class LineChannelTest : public ::testing::Test {
 protected:
  void Prepare(const LineSetting& line, int32_t metodo) {
    ASSERT_TRUE(station.Valid());
    station.ShowScene(64, 48, [](int x, int y) {
      const bool column = x == 30 && y >= 5 && y < 35;
      const bool row = y == 40 && x >= 5 && x < 55;
      return column || row ? kOrange : 0x808080u;
    });
    // Taught orange without a stored picture: header, stored, colour, click x/y, point x/y,
    // tolerance, length.
    taught = LeWords({0, 0, 0xF0, 0x80, 0x20, 0, 0, 0, 0, 94, line.lineLength});
    WriteData(station.Path(), line.file, taught);
    WriteAutoStart(station.Path(), line.autoStart, metodo);
  }

  // The station ends cleanly, the auto-start was logged and what was taught is still there.
  void ExpectCleanEnd(const LineSetting& line) {
    EXPECT_NE(station.EventLog().find(line.autoStartEvent), std::string::npos);
    EXPECT_EQ(station.Terminate(SIGTERM), 0);
    EXPECT_EQ(ReadFileBytes(station.Path(std::string("Data/") + line.file)), taught);
  }

  StationProcess station;
  std::string taught;
};

TEST_F(LineChannelTest, VerticalLineOverFiles) {
  Prepare(kVertical, 1);
  ASSERT_TRUE(station.Start());
  // "0" until the auto-started test window runs.
  const std::string expected = std::string(kVertical.reply) + "\r\n";
  ASSERT_TRUE(WaitUntil([&] { return AskByFile(station, "probe.txt", 2000) == expected; }, 30000));
  EXPECT_EQ(AskByFile(station, "A.txt", 20000), expected);
  ExpectCleanEnd(kVertical);
}

TEST_F(LineChannelTest, HorizontalLineOverTcp) {
  Prepare(kHorizontal, 3);
  const int port = WriteTcpSettings(station.Path());
  ASSERT_TRUE(station.Start());
  QTcpSocket client;
  ASSERT_TRUE(ConnectTcp(client, port));
  ASSERT_TRUE(WaitUntil([&] { return AskTcp(client, "T\n") == kHorizontal.reply; }, 30000));
  EXPECT_EQ(AskTcp(client, "T\n"), kHorizontal.reply);
  client.disconnectFromHost();
  ExpectCleanEnd(kHorizontal);
}

TEST_F(LineChannelTest, VerticalLineOverTheSerialLine) {
  Prepare(kVertical, 2);
  PseudoTerminal line;
  ASSERT_TRUE(line.Ready());
  ASSERT_TRUE(WriteSerialSettings(station.Path(), line));
  ASSERT_TRUE(station.Start());
  const std::string expected = kVertical.reply;
  auto ask = [&] { return AskSerial(line, expected.size()); };
  ASSERT_TRUE(WaitUntil([&] { return ask() == expected; }, 30000));
  EXPECT_EQ(ask(), expected);
  ExpectCleanEnd(kVertical);
}

}  // namespace
