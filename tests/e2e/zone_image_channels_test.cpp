#include <csignal>
#include <functional>

#include <gtest/gtest.h>

#include "exchange/rs232_pty.h"
#include "station_process.h"
#include "station_setup.h"
#include "support/temp_station.h"

namespace {

// The scene: 64 x 48 of a background colour, with an orange block over (20, 10)..(29, 19) counted
// from the bottom row, or without it.
constexpr int kWidth = 64, kHeight = 48;
constexpr uint32_t kGrey = 0x808080, kLightGrey = 0xA0A0A0, kOrange = 0xF08020;  // 0xRRGGBB

std::function<uint32_t(int, int)> Scene(uint32_t background, bool withBlock) {
  return [=](int x, int y) {
    return withBlock && x >= 20 && x < 30 && y >= 10 && y < 20 ? kOrange : background;
  };
}

// A stored reference picture as the parameter files hold it: height, width, rows bottom first of
// red, green, blue.
std::string StoredPicture(const std::function<uint32_t(int, int)>& colour) {
  std::string bytes = LeWords({kHeight, kWidth});
  for (int y = 0; y < kHeight; ++y) {
    bytes += LeWords({3 * kWidth});
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t rgb = colour(x, y);
      bytes += {static_cast<char>(rgb >> 16), static_cast<char>(rgb >> 8), static_cast<char>(rgb)};
    }
  }
  return bytes;
}

// A station whose auto-start opens the test of method `number`, talking through channel metodo,
// with the simulated camera filming the scene.
class ZoneImageChannelTest : public ::testing::Test {
 protected:
  void Prepare(int32_t number, int32_t metodo) {
    ASSERT_TRUE(station.Valid());
    station.ShowScene(kWidth, kHeight, Scene(kGrey, true));
    WriteAutoStart(station.Path(), number, metodo);
  }

  StationProcess station;
};

TEST_F(ZoneImageChannelTest, ZoneAnswersOverFiles) {
  Prepare(2, 1);
  // The zone (15, 5)..(35, 25) around the block, taught on this scene.
  WriteData(
      station.Path(), "webcam_zona.dat",
      LeWords({0, 1, 150, 50, 350, 250, 15, 5, 35, 25, 94}) + StoredPicture(Scene(kGrey, true)));
  ASSERT_TRUE(station.Start());
  // Until the auto-started test window runs, the station answers "0".
  ASSERT_TRUE(WaitUntil([&] { return AskByFile(station, "probe.txt", 2000) == "1\r\n"; }, 30000));
  EXPECT_EQ(AskByFile(station, "A.txt"), "1\r\n");

  // The block leaves the zone: 100 of its 441 pixels differ by 112 in red.
  ASSERT_TRUE(station.ShowScene(kWidth, kHeight, Scene(kGrey, false)));
  ASSERT_TRUE(WaitUntil([&] { return AskByFile(station, "probe.txt", 2000) == "0\r\n"; }, 30000));
  EXPECT_EQ(AskByFile(station, "B.txt"), "0\r\n");
  const std::string events = station.EventLog();
  EXPECT_NE(events.find("Generato file uscita A.txt con contenuto: 1\r\n"), std::string::npos);
  EXPECT_NE(events.find("Generato file uscita B.txt con contenuto: 0\r\n"), std::string::npos);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
  // The stop wrote the zone back as it was taught.
  EXPECT_EQ(ReadFileBytes(station.Path("Data/webcam_zona.dat")).substr(0, 44),
            LeWords({0, 1, 150, 50, 350, 250, 15, 5, 35, 25, 94}));
}

TEST_F(ZoneImageChannelTest, WholeImageAnswersOverTheSerialLine) {
  Prepare(5, 2);
  WriteData(station.Path(), "webcam_image.dat",
            LeWords({0, 1, 94}) + StoredPicture(Scene(kGrey, true)));
  PseudoTerminal line;
  ASSERT_TRUE(line.Ready());
  ASSERT_TRUE(WriteSerialSettings(station.Path(), line));
  ASSERT_TRUE(station.Start());

  // A request is whatever arrived before 400 ms of silence; the reply has no terminator.
  auto ask = [&] { return AskSerial(line, 1); };
  ASSERT_TRUE(WaitUntil([&] { return ask() == "1"; }, 30000));
  EXPECT_EQ(ask(), "1");
  EXPECT_EQ(line.Receive(1, std::chrono::milliseconds(500)), "");

  // A lighter background: every pixel but the block's differs by 32.
  ASSERT_TRUE(station.ShowScene(kWidth, kHeight, Scene(kLightGrey, true)));
  ASSERT_TRUE(WaitUntil([&] { return ask() == "0"; }, 30000));
  EXPECT_EQ(ask(), "0");
  const std::string events = station.EventLog();
  EXPECT_NE(events.find("Scrittura dati in seriale: 1\r\n"), std::string::npos);
  EXPECT_NE(events.find("Scrittura dati in seriale: 0\r\n"), std::string::npos);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
}

}  // namespace
