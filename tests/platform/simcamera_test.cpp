#include <QTest>
#include <QWidget>
#include <cstdio>

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "bitmap/bmpfile.h"
#include "platform/simcamera.h"
#include "support/temp_station.h"

namespace {

constexpr int kWait = 10000;

// bgr bytes, bottom line first.
Bmp24 Picture(int w, int h, std::initializer_list<uint8_t> bgr) {
  return Bmp24{w, h, std::vector<uint8_t>(bgr)};
}

bool Save(const std::string& path, const Bmp24& picture) {
  return WriteBmp24File(path, picture.width, picture.height, [&](int32_t y, uint8_t* row) {
    std::copy_n(picture.bgr.data() + y * picture.width * 3, picture.width * 3, row);
  });
}

TEST(CaptureBmpTest, WritesPaddedRowsAndReadsThemBack) {
  TempStation station;
  const std::string path = station.Path("Data/p.bmp");
  const Bmp24 picture = Picture(1, 2, {1, 2, 3, 4, 5, 6});
  ASSERT_TRUE(Save(path, picture));
  EXPECT_EQ(ReadFileBytes(path),
            "BM" + Words({62, 0, 54, 40, 1, 2}) + std::string("\x01\x00\x18\x00", 4) +
                Words({0, 0, 0, 0, 0, 0}) + std::string("\x01\x02\x03\x00\x04\x05\x06\x00", 8));
  Bmp24 read;
  ASSERT_TRUE(ReadBmp24File(path, read));
  EXPECT_EQ(read.width, 1);
  EXPECT_EQ(read.height, 2);
  EXPECT_EQ(read.bgr, picture.bgr);
}

TEST(CaptureBmpTest, ReadsTopDownAndRefusesOtherPictures) {
  TempStation station;
  auto header = [](int32_t height, int bits, int32_t compression) {
    return "BM" + Words({0, 0, 54, 40, 1, height}) + std::string("\x01\x00", 2) +
           std::string(1, char(bits)) + std::string(1, '\0') + Words({compression, 0, 0, 0, 0, 0});
  };
  const std::string rows("\x01\x02\x03\x00\x04\x05\x06\x00", 8);
  struct Case {
    const char* name;
    std::string bytes;
    bool readable;
  } cases[] = {{"top-down 24-bit", header(-2, 24, 0) + rows, true},
               {"32-bit", header(2, 32, 0) + rows, false},
               {"8-bit", header(2, 8, 0) + rows, false},
               {"compressed", header(2, 24, 1) + rows, false},
               {"short pixel data", header(2, 24, 0) + rows.substr(0, 5), false},
               {"not a BMP", "GIF89a", false},
               {"empty", "", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = station.Path("Data/c.bmp");
    WriteFileBytes(path, c.bytes);
    Bmp24 read;
    EXPECT_EQ(ReadBmp24File(path, read), c.readable);
    if (c.readable) {
      EXPECT_EQ(read.bgr, (std::vector<uint8_t>{4, 5, 6, 1, 2, 3}));
    }
  }
}

TEST(SimCameraTest, Yuy2GroupsFollowTheRoundedFormula) {
  // 2 x 2: bottom line red, green; top line blue, white. Worked out by hand from
  // Y = round(.299R + .587G + .114B), U = clamp(round(128 + .564(B - Y))),
  // V = clamp(round(128 + .713(R - Y))) of each pair's first pixel.
  const Bmp24 picture = Picture(2, 2, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
  struct Case {
    const char* name;
    size_t offset;
    uint8_t y0, u, y1, v;
  } cases[] = {
      {"top line first: blue, white", 0, 29, 255, 255, 107},
      {"then bottom: red (V 255.6 clamped), green", 4, 76, 85, 150, 255},
  };
  const std::vector<uint8_t> groups = PictureToYuy2(picture);
  ASSERT_EQ(groups.size(), 8u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(groups[c.offset], c.y0);
    EXPECT_EQ(groups[c.offset + 1], c.u);
    EXPECT_EQ(groups[c.offset + 2], c.y1);
    EXPECT_EQ(groups[c.offset + 3], c.v);
  }
}

TEST(SimCameraTest, OddPixelCountsPairAcrossLines) {
  // 3 x 1 grey 100: two groups, the last one's second pixel outside the picture.
  const Bmp24 picture = Picture(3, 1, {100, 100, 100, 100, 100, 100, 100, 100, 100});
  EXPECT_EQ(PictureToYuy2(picture), (std::vector<uint8_t>{100, 128, 100, 128, 100, 128, 100, 128}));
}

class SimDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.resize(100, 100);
    parent.show();
  }
  // Window, callback counting frames, connected and previewing.
  bool Open(SimCamera& camera) {
    if (!camera.CreateCaptureWindow("myWebCam", &parent, 0, 0, 64, 48)) return false;
    camera.SetCallbackOnFrame([this](QWidget*, const CaptureFrame& frame) {
      ++frames;
      lastBytes.assign(frame.data, frame.data + frame.bytesUsed);
      lastBits = frame.bitCount;
    });
    return camera.DriverConnect(0) && camera.SetPreviewRate(20) && camera.SetPreview(true);
  }

  TempStation station;
  QWidget parent;
  int frames = 0;
  std::vector<uint8_t> lastBytes;
  uint16_t lastBits = 0;
};

TEST_F(SimDriverTest, ServesThePictureAsRgbOrYuy2) {
  const std::string path = station.Path("Data/cam.bmp");
  const Bmp24 picture = Picture(2, 1, {1, 2, 3, 4, 5, 6});
  ASSERT_TRUE(Save(path, picture));
  struct Case {
    const char* name;
    bool yuy2;
    std::vector<uint8_t> expected;
    uint16_t bits;
    uint32_t compression;
  } cases[] = {{"rgb", false, picture.bgr, 24, 0},
               {"yuy2", true, PictureToYuy2(picture), 16, kFourccYuy2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimCamera camera(path, c.yuy2);
    frames = 0;
    ASSERT_TRUE(Open(camera));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 2; }, kWait));
    EXPECT_EQ(lastBytes, c.expected);
    EXPECT_EQ(lastBits, c.bits);
    CaptureVideoFormat format;
    EXPECT_EQ(camera.GetVideoFormat(format), 40u);
    EXPECT_EQ(format.bitCount, c.bits);
    EXPECT_EQ(format.compression, c.compression);
    CaptureStatus status;
    ASSERT_TRUE(camera.GetStatus(status));
    EXPECT_EQ(status.imageWidth, 2);
    EXPECT_EQ(status.imageHeight, 1);
    CaptureCaps caps;
    ASSERT_TRUE(camera.GetDriverCaps(caps));
    EXPECT_TRUE(caps.hasDlgVideoFormat);
    EXPECT_FALSE(caps.hasDlgVideoSource);
    EXPECT_FALSE(caps.hasDlgVideoDisplay);
    EXPECT_FALSE(camera.DlgVideoSource());
  }
}

TEST_F(SimDriverTest, SavesTheNewestFrameAsThePreviewShowsIt) {
  const std::string path = station.Path("Data/cam.bmp");
  // Bottom line red, green; top line blue, white.
  const Bmp24 picture = Picture(2, 2, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
  ASSERT_TRUE(Save(path, picture));
  struct Case {
    const char* name;
    bool yuy2;
    std::vector<uint8_t> bgr;  // the still's pixels, bottom line first
  } cases[] = {
      {"rgb frame as delivered", false, picture.bgr},
      // BT.601 of the groups 76 85 150 255 (bottom) and 29 255 255 107 (top), clamped.
      {"yuy2 frame as the preview converts it",
       true,
       {0, 0, 255, 69, 70, 255, 255, 0, 0, 255, 246, 245}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimCamera camera(path, c.yuy2);
    frames = 0;
    ASSERT_TRUE(Open(camera));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 1; }, kWait));
    const std::string still = station.Path("Data/still.bmp");
    ASSERT_TRUE(camera.SaveDib(still));
    Bmp24 read;
    ASSERT_TRUE(ReadBmp24File(still, read));
    EXPECT_EQ(read.width, 2);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(read.bgr, c.bgr);
  }
}

TEST_F(SimDriverTest, StopAndDisconnectAreSafeTwice) {
  const std::string path = station.Path("Data/cam.bmp");
  ASSERT_TRUE(Save(path, Picture(1, 1, {1, 2, 3})));
  SimCamera camera(path, false);
  ASSERT_TRUE(Open(camera));
  EXPECT_FALSE(camera.Stop());
  EXPECT_TRUE(camera.DriverDisconnect());
  EXPECT_TRUE(camera.DriverDisconnect());
  CaptureStatus status;
  EXPECT_FALSE(camera.GetStatus(status));
  camera.DestroyCaptureWindow();
  camera.DestroyCaptureWindow();
  EXPECT_FALSE(camera.WindowExists());
  EXPECT_FALSE(camera.DriverConnect(0));
}

TEST_F(SimDriverTest, RecordsAnAviWithMjpegAt15Fps) {
  const std::string path = station.Path("Data/cam.bmp");
  std::vector<uint8_t> bgr;
  for (int i = 0; i < 32 * 24; ++i) bgr.insert(bgr.end(), {uint8_t(i), uint8_t(i * 3), 200});
  ASSERT_TRUE(Save(path, Bmp24{32, 24, bgr}));
  SimCamera camera(path, false);
  ASSERT_TRUE(Open(camera));
  CaptureSequenceSetup setup;
  ASSERT_TRUE(camera.GetSequenceSetup(setup));
  setup.microSecPerFrame = 1000000 / 15;
  ASSERT_TRUE(camera.SetSequenceSetup(setup));
  const std::string video = station.Path("video.avi");
  ASSERT_TRUE(camera.SetCaptureFile(video));
  ASSERT_TRUE(camera.Sequence());
  const int start = frames;
  ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= start + 50; }, kWait));  // about 1 s
  ASSERT_TRUE(camera.Stop());
  EXPECT_FALSE(camera.Stop());

  AVFormatContext* input = nullptr;
  ASSERT_EQ(avformat_open_input(&input, video.c_str(), nullptr, nullptr), 0);
  ASSERT_GE(avformat_find_stream_info(input, nullptr), 0);
  EXPECT_STREQ(input->iformat->name, "avi");
  ASSERT_EQ(input->nb_streams, 1u);
  const AVStream* stream = input->streams[0];
  EXPECT_EQ(stream->codecpar->codec_id, AV_CODEC_ID_MJPEG);
  EXPECT_EQ(stream->codecpar->width, 32);
  EXPECT_EQ(stream->codecpar->height, 24);
  EXPECT_EQ(av_q2d(stream->r_frame_rate), 15.0);
  // The file plays: every packet decodes to a whole 32 x 24 picture.
  const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
  ASSERT_NE(decoder, nullptr);
  AVCodecContext* context = avcodec_alloc_context3(decoder);
  ASSERT_GE(avcodec_parameters_to_context(context, stream->codecpar), 0);
  ASSERT_GE(avcodec_open2(context, decoder, nullptr), 0);
  int packets = 0;
  int pictures = 0;
  AVPacket* packet = av_packet_alloc();
  AVFrame* picture = av_frame_alloc();
  while (av_read_frame(input, packet) >= 0) {
    if (packet->size > 0) ++packets;
    if (avcodec_send_packet(context, packet) >= 0)
      while (avcodec_receive_frame(context, picture) >= 0)
        if (picture->width == 32 && picture->height == 24) ++pictures;
    av_packet_unref(packet);
  }
  av_frame_free(&picture);
  av_packet_free(&packet);
  avcodec_free_context(&context);
  avformat_close_input(&input);
  EXPECT_GE(packets, 2);
  EXPECT_EQ(pictures, packets);
}

TEST_F(SimDriverTest, RecordingRefusesAFileThatCannotBeCreated) {
  const std::string path = station.Path("Data/cam.bmp");
  ASSERT_TRUE(Save(path, Picture(2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})));
  SimCamera camera(path, false);
  ASSERT_TRUE(Open(camera));
  ASSERT_TRUE(camera.SetCaptureFile(station.Path("missing/video.avi")));
  EXPECT_FALSE(camera.Sequence());
  EXPECT_FALSE(camera.Stop());
}

}  // namespace
