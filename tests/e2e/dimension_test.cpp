#include <QTcpSocket>
#include <csignal>

#include <gtest/gtest.h>

#include "station_process.h"
#include "station_setup.h"
#include "support/temp_station.h"

namespace {

constexpr uint32_t kObject = 0xF08020;  // 0xRRGGBB
constexpr uint32_t kGrey = 0x808080;

// IEEE 754 single-precision words: the picture is 64 x 48 mm, so a pixel is a millimetre.
constexpr int32_t k64 = 0x42800000;
constexpr int32_t k48 = 0x42400000;

// A 64 x 48 scene with the object over columns x0 ... x1 and rows y0 ... y1 (from the bottom).
void ShowScene(StationProcess& station, int x0, int y0, int x1, int y1) {
  station.ShowScene(64, 48, [=](int x, int y) {
    return x >= x0 && x <= x1 && y >= y0 && y <= y1 ? kObject : kGrey;
  });
}

TEST(DimensionStation, AutoStartedTestAnswersTheAveragedMeasurementOverTcp) {
  StationProcess station;
  ASSERT_TRUE(station.Valid());
  ShowScene(station, 10, 8, 29, 27);  // 19 x 19 between the outermost pixels, centre (19, 17)
  // Taught earlier: the object's colour, tolerance 90, N 1, five measurements averaged.
  const std::string taught = LeWords({0, 0, 0xF0, 0x80, 0x20, 0, 0, 15, 15, 90, 1, k64, k48, 5});
  WriteData(station.Path(), "webcam_dim.dat", taught);
  WriteAutoStart(station.Path(), 6, 3);
  const int port = WriteTcpSettings(station.Path());
  ASSERT_TRUE(station.Start());

  QTcpSocket client;
  ASSERT_TRUE(ConnectTcp(client, port));
  auto ask = [&] { return AskTcp(client, "T\n"); };
  // Until the auto-started test runs the answer is "0".
  ASSERT_TRUE(WaitUntil([&] { return ask() == "1,19,17,19,19"; }, 30000));

  // A larger object further up: once the history holds only its measurements, the mean is its own.
  ShowScene(station, 30, 20, 59, 39);  // 29 x 19, centre (44, 29)
  ASSERT_TRUE(WaitUntil([&] { return ask() == "1,44,29,29,19"; }, 30000));
  EXPECT_NE(
      station.EventLog().find("Scrittura dati su porta Ethernet (Server -> Client): 1,44,29,29,19"),
      std::string::npos);

  // Nothing in view: "0".
  ShowScene(station, -1, -1, -1, -1);
  ASSERT_TRUE(WaitUntil([&] { return ask() == "0"; }, 30000));

  EXPECT_EQ(station.Terminate(SIGTERM), 0);
  // The file read at start comes back as it was: nothing taught is lost.
  EXPECT_EQ(ReadFileBytes(station.Path("Data/webcam_dim.dat")), taught);
  EXPECT_EQ(station.ErrorLog().find("WCD0"), std::string::npos);
}

}  // namespace
