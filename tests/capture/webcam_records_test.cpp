#include <QWidget>
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "capture/webcam.h"
#include "methods/methodtable.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

// Every row's missing-file line, in the order of the method table.
template <class... Rows>
std::string MissingLines(MethodList<Rows...>) {
  return ((Rows::Messages().missing + "\r\n") + ...);
}

// Every row's file as a record with its defaults writes it, without a picture.
template <class... Rows>
void ExpectDefaultFiles(MethodList<Rows...>, const TempStation& station) {
  auto expect = [&](auto row) {
    using Row = decltype(row);
    SCOPED_TRACE(Row::kFileName);
    typename Row::Record record;
    record.tolerance = Row::kDefaultTolerance;
    int32_t width = 0, height = 0;
    record.path = station.Path(std::string("expected_") + Row::kFileName);
    ASSERT_TRUE(SaveParams<Row>(record, width, height));
    EXPECT_EQ(ReadFileBytes(station.Path(std::string("Data/") + Row::kFileName)),
              ReadFileBytes(record.path));
  };
  (expect(Rows{}), ...);
}

class WebCamRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    MyBitmap picture(4, 3);
    ASSERT_TRUE(picture.SaveBmp(station.Path("camera.bmp")));
    setenv("LUMIVEX_CAMERA", ("sim:" + station.Path("camera.bmp")).c_str(), 1);
    parent.resize(64, 48);
  }
  void TearDown() override { unsetenv("LUMIVEX_CAMERA"); }

  TempStation station;
  MessageBoxRecorder boxes;
  QWidget parent;
};

TEST_F(WebCamRecords, AnEmptyDataFolderLogsEveryMissingFileInRecordOrderAndGetsTheDefaults) {
  auto webCam = std::make_unique<WebCam>(&parent, 0, 0, 64, 48, 50, true);
  ASSERT_FALSE(webCam->Failed());
  EXPECT_EQ(station.ErrorLogText(), MissingLines(MethodTable{}));
  // The point method's line comes before the dimension method's, the last record.
  const std::string log = station.ErrorLogText();
  EXPECT_LT(log.find("WCP003: errore nella lettura dei dati del punto della webcam.\r\n"),
            log.find("WCD03: errore nella lettura dei dati del punto della webcam.\r\n"));
  EXPECT_TRUE(log.ends_with("WCD03: errore nella lettura dei dati del punto della webcam.\r\n"));

  const DimParams& dim = webCam->Record<DimMethod>();
  EXPECT_EQ(dim.path, station.Path("Data/webcam_dim.dat"));
  EXPECT_EQ(dim.tolerance, 90);
  ASSERT_TRUE(dim.reference);
  EXPECT_EQ(dim.reference->Width(), 4);
  EXPECT_EQ(dim.reference->Height(), 3);

  webCam.reset();
  ExpectDefaultFiles(MethodTable{}, station);
  // 300.0 and 200.0 as floats at offsets 44 and 48: 56 bytes in all.
  EXPECT_EQ(ReadFileBytes(station.Path("Data/webcam_dim.dat")),
            Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 90, 1, 0x43960000, 0x43480000, 1}));
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
