#include <QTest>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>

#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include "platform/v4l2camera.h"
#include "platform/v4l2io.h"

namespace {

// A camera made of tables: formats with sizes, controls with values, a read() that gives frames.
class FakeV4l2Io : public V4l2Io {
 public:
  struct Format {
    uint32_t pixelFormat;
    const char* description;
    bool emulated;
    std::vector<v4l2_frmsizeenum> sizes;
  };
  struct Control {
    v4l2_queryctrl query;
    std::vector<std::pair<uint32_t, const char*>> menu;  // index, name
  };

  bool Open(const std::string& path) override {
    opened = path;
    return openable;
  }
  void Close() override {}
  int Ioctl(unsigned long request, void* argument) override {
    switch (request) {
      case VIDIOC_QUERYCAP: {
        auto* cap = static_cast<v4l2_capability*>(argument);
        *cap = {};
        cap->capabilities = V4L2_CAP_DEVICE_CAPS;
        cap->device_caps = deviceCaps;
        return 0;
      }
      case VIDIOC_ENUM_FMT: {
        auto* description = static_cast<v4l2_fmtdesc*>(argument);
        if (description->index >= formats.size()) return Fail(EINVAL);
        const Format& format = formats[description->index];
        description->pixelformat = format.pixelFormat;
        description->flags = format.emulated ? V4L2_FMT_FLAG_EMULATED : 0;
        std::strncpy(reinterpret_cast<char*>(description->description), format.description, 31);
        return 0;
      }
      case VIDIOC_ENUM_FRAMESIZES: {
        auto* size = static_cast<v4l2_frmsizeenum*>(argument);
        for (const Format& format : formats)
          if (format.pixelFormat == size->pixel_format && size->index < format.sizes.size()) {
            const uint32_t index = size->index;
            *size = format.sizes[index];
            size->index = index;
            return 0;
          }
        return Fail(EINVAL);
      }
      case VIDIOC_QUERYCTRL: {
        auto* query = static_cast<v4l2_queryctrl*>(argument);
        if (!(query->id & V4L2_CTRL_FLAG_NEXT_CTRL)) return Fail(EINVAL);
        const uint32_t after = query->id & ~V4L2_CTRL_FLAG_NEXT_CTRL;
        for (const Control& control : controls)
          if (control.query.id > after) {
            *query = control.query;
            return 0;
          }
        return Fail(EINVAL);
      }
      case VIDIOC_QUERYMENU: {
        auto* menu = static_cast<v4l2_querymenu*>(argument);
        for (const Control& control : controls)
          if (control.query.id == menu->id)
            for (const auto& item : control.menu)
              if (item.first == menu->index) {
                std::strncpy(reinterpret_cast<char*>(menu->name), item.second, 31);
                return 0;
              }
        return Fail(EINVAL);
      }
      case VIDIOC_G_CTRL: {
        auto* control = static_cast<v4l2_control*>(argument);
        if (!values.count(control->id)) return Fail(EINVAL);
        control->value = values[control->id];
        return 0;
      }
      case VIDIOC_S_CTRL: {
        auto* control = static_cast<v4l2_control*>(argument);
        values[control->id] = control->value;
        return 0;
      }
      case VIDIOC_G_FMT: {
        auto* format = static_cast<v4l2_format*>(argument);
        format->fmt.pix = current;
        return 0;
      }
      case VIDIOC_S_FMT: {
        auto* format = static_cast<v4l2_format*>(argument);
        requested.push_back(format->fmt.pix.pixelformat);
        if (!acceptsFormat) return Fail(EINVAL);
        current.pixelformat = format->fmt.pix.pixelformat;
        current.width = format->fmt.pix.width;
        current.height = format->fmt.pix.height;
        current.bytesperline = 0;
        return 0;
      }
      default:
        return Fail(EINVAL);
    }
  }
  ssize_t Read(void* buffer, size_t length) override {
    const size_t count = std::min(length, frame.size());
    // A camera whose format was refused reads into an empty buffer.
    if (count > 0) std::memcpy(buffer, frame.data(), count);
    return static_cast<ssize_t>(count);
  }
  void* Map(size_t, int64_t) override { return nullptr; }
  void Unmap(void*, size_t) override {}
  int WaitReadable(int) override {
    if (unplugged) return Fail(ENODEV);
    QThread::msleep(5);
    return 1;
  }

  static int Fail(int error) {
    errno = error;
    return -1;
  }

  std::string opened;
  bool openable = true;
  uint32_t deviceCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_READWRITE;
  std::vector<Format> formats;
  std::vector<Control> controls;
  std::map<uint32_t, int32_t> values;
  v4l2_pix_format current{};
  bool acceptsFormat = true;
  std::vector<uint32_t> requested;
  std::vector<uint8_t> frame;
  std::atomic<bool> unplugged{false};
};

v4l2_frmsizeenum Discrete(uint32_t w, uint32_t h) {
  v4l2_frmsizeenum size{};
  size.type = V4L2_FRMSIZE_TYPE_DISCRETE;
  size.discrete = {w, h};
  return size;
}

v4l2_queryctrl Query(uint32_t id, uint32_t type, const char* name, int32_t minimum, int32_t maximum,
                     uint32_t flags = 0) {
  v4l2_queryctrl query{};
  query.id = id;
  query.type = type;
  std::strncpy(reinterpret_cast<char*>(query.name), name, 31);
  query.minimum = minimum;
  query.maximum = maximum;
  query.step = 1;
  query.flags = flags;
  return query;
}

TEST(V4l2FormatTest, YuyvIsDeliveredAsYuy2AndEverythingElseAsRgb24) {
  struct Case {
    const char* name;
    uint32_t camera;
    uint32_t request;
    uint16_t bits;
    uint32_t compression;
  } cases[] = {
      {"YUYV", V4L2_PIX_FMT_YUYV, V4L2_PIX_FMT_YUYV, 16, 0x32595559},
      {"MJPEG", V4L2_PIX_FMT_MJPEG, V4L2_PIX_FMT_BGR24, 24, 0},
      {"UYVY", V4L2_PIX_FMT_UYVY, V4L2_PIX_FMT_BGR24, 24, 0},
      {"RGB24", V4L2_PIX_FMT_RGB24, V4L2_PIX_FMT_BGR24, 24, 0},
      {"H264", V4L2_PIX_FMT_H264, V4L2_PIX_FMT_BGR24, 24, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DeliveredFormat delivered = DeliveredFormatFor(c.camera);
    EXPECT_EQ(delivered.requestPixelFormat, c.request);
    EXPECT_EQ(delivered.bitCount, c.bits);
    EXPECT_EQ(delivered.compression, c.compression);
  }
}

TEST(V4l2FormatTest, ListsTheCamerasOwnFormatsAndSizes) {
  FakeV4l2Io io;
  v4l2_frmsizeenum range{};
  range.type = V4L2_FRMSIZE_TYPE_STEPWISE;
  range.stepwise = {160, 1280, 160, 120, 720, 120};
  io.formats = {{V4L2_PIX_FMT_YUYV, "YUYV 4:2:2", false, {Discrete(640, 480), Discrete(320, 240)}},
                {V4L2_PIX_FMT_RGB24, "RGB3 (emulated)", true, {Discrete(640, 480)}},
                {V4L2_PIX_FMT_MJPEG, "Motion-JPEG", false, {range}}};
  const std::vector<V4l2FormatChoice> formats = ListV4l2Formats(io);
  ASSERT_EQ(formats.size(), 2u);
  EXPECT_EQ(formats[0].pixelFormat, V4L2_PIX_FMT_YUYV);
  EXPECT_EQ(formats[0].description, "YUYV 4:2:2");
  ASSERT_EQ(formats[0].sizes.size(), 2u);
  EXPECT_EQ(formats[0].sizes[1].width, 320u);
  EXPECT_EQ(formats[1].pixelFormat, V4L2_PIX_FMT_MJPEG);
  struct Case {
    uint32_t w, h;
  } expected[] = {{160, 120}, {320, 240}, {640, 480}, {800, 600}, {1280, 720}};
  ASSERT_EQ(formats[1].sizes.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(formats[1].sizes[i].width, expected[i].w);
    EXPECT_EQ(formats[1].sizes[i].height, expected[i].h);
  }
}

TEST(V4l2ControlTest, ListsUserControlsWithValuesAndMenus) {
  FakeV4l2Io io;
  io.controls = {
      {Query(V4L2_CID_USER_CLASS, V4L2_CTRL_TYPE_CTRL_CLASS, "User Controls", 0, 0), {}},
      {Query(V4L2_CID_BRIGHTNESS, V4L2_CTRL_TYPE_INTEGER, "Brightness", -64, 64), {}},
      {Query(V4L2_CID_CONTRAST, V4L2_CTRL_TYPE_INTEGER, "Contrast", 0, 95, V4L2_CTRL_FLAG_DISABLED),
       {}},
      {Query(V4L2_CID_AUTO_WHITE_BALANCE, V4L2_CTRL_TYPE_BOOLEAN, "White Balance Automatic", 0, 1),
       {}},
      {Query(V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CTRL_TYPE_MENU, "Power Line Frequency", 0, 2),
       {{0, "Disabled"}, {2, "60 Hz"}}},  // index 1 missing: gaps are allowed
      {Query(V4L2_CID_EXPOSURE_ABSOLUTE, V4L2_CTRL_TYPE_INTEGER, "Exposure Time", 1, 5000,
             V4L2_CTRL_FLAG_READ_ONLY),
       {}},
  };
  io.values = {{V4L2_CID_BRIGHTNESS, -10},
               {V4L2_CID_AUTO_WHITE_BALANCE, 1},
               {V4L2_CID_POWER_LINE_FREQUENCY, 2},
               {V4L2_CID_EXPOSURE_ABSOLUTE, 156}};
  const std::vector<V4l2Control> controls = ListV4l2Controls(io);
  struct Case {
    const char* name;
    uint32_t type;
    int32_t value;
    bool readOnly;
    size_t menuItems;
  } expected[] = {{"Brightness", V4L2_CTRL_TYPE_INTEGER, -10, false, 0},
                  {"White Balance Automatic", V4L2_CTRL_TYPE_BOOLEAN, 1, false, 0},
                  {"Power Line Frequency", V4L2_CTRL_TYPE_MENU, 2, false, 2},
                  {"Exposure Time", V4L2_CTRL_TYPE_INTEGER, 156, true, 0}};
  ASSERT_EQ(controls.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(controls[i].name, expected[i].name);
    EXPECT_EQ(controls[i].type, expected[i].type);
    EXPECT_EQ(controls[i].value, expected[i].value);
    EXPECT_EQ(controls[i].readOnly, expected[i].readOnly);
    EXPECT_EQ(controls[i].menu.size(), expected[i].menuItems);
  }
  EXPECT_EQ(controls[0].minimum, -64);
  EXPECT_EQ(controls[2].menu[1].value, 2);
  EXPECT_EQ(controls[2].menu[1].name, "60 Hz");
  EXPECT_TRUE(SetV4l2Control(io, V4L2_CID_BRIGHTNESS, 30));
  EXPECT_EQ(io.values[V4L2_CID_BRIGHTNESS], 30);
}

TEST(V4l2DeviceTest, TheFirstDeviceThatCapturesIsDriverZero) {
  std::vector<FakeV4l2Io*> made;
  auto factory = [&]() -> std::unique_ptr<V4l2Io> {
    auto io = std::make_unique<FakeV4l2Io>();
    const size_t n = made.size();
    io->openable = n != 0;                                                    // video0 busy
    if (n == 1) io->deviceCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;  // metadata node
    made.push_back(io.get());
    return io;
  };
  EXPECT_EQ(
      FindCaptureDevice({"/dev/video0", "/dev/video1", "/dev/video2", "/dev/video3"}, factory),
      "/dev/video2");
  EXPECT_EQ(made.size(), 3u);
  EXPECT_EQ(FindCaptureDevice({}, factory), "");
}

class V4l2CameraTest : public ::testing::Test {
 protected:
  void SetUp() override { parent.show(); }
  std::unique_ptr<V4l2Camera> Camera(std::function<void(FakeV4l2Io&)> setUp) {
    return std::make_unique<V4l2Camera>("/dev/video7", [this, setUp] {
      auto io = std::make_unique<FakeV4l2Io>();
      setUp(*io);
      fake = io.get();
      return io;
    });
  }
  bool Open(V4l2Camera& camera) {
    camera.CreateCaptureWindow("myWebCam", &parent, 0, 0, 40, 30);
    camera.SetCallbackOnFrame([this](QWidget*, const CaptureFrame& frame) {
      ++frames;
      last.assign(frame.data, frame.data + frame.bytesUsed);
    });
    return camera.DriverConnect(0) && camera.SetPreviewRate(10) && camera.SetPreview(true);
  }
  QWidget parent;
  FakeV4l2Io* fake = nullptr;
  int frames = 0;
  std::vector<uint8_t> last;
};

TEST_F(V4l2CameraTest, YuyvFramesArriveAsTheCameraGivesThem) {
  auto camera = Camera([](FakeV4l2Io& io) {
    io.current = {};
    io.current.width = 2;
    io.current.height = 2;
    io.current.pixelformat = V4L2_PIX_FMT_YUYV;
    io.frame = {1, 2, 3, 4, 5, 6, 7, 8};
  });
  ASSERT_TRUE(Open(*camera));
  EXPECT_EQ(fake->opened, "/dev/video7");
  ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 1; }, 10000));
  EXPECT_EQ(last, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  CaptureVideoFormat format;
  ASSERT_EQ(camera->GetVideoFormat(format), 40u);
  EXPECT_EQ(format.bitCount, 16);
  EXPECT_EQ(format.compression, kFourccYuy2);
}

TEST_F(V4l2CameraTest, ConvertedFramesArriveBottomLineFirst) {
  auto camera = Camera([](FakeV4l2Io& io) {
    io.current = {};
    io.current.width = 1;
    io.current.height = 2;
    io.current.pixelformat = V4L2_PIX_FMT_MJPEG;
    io.frame = {1, 2, 3, 4, 5, 6};  // BGR24 as libv4l2 gives it: top line first
  });
  ASSERT_TRUE(Open(*camera));
  EXPECT_EQ(fake->requested, (std::vector<uint32_t>{V4L2_PIX_FMT_BGR24}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 1; }, 10000));
  EXPECT_EQ(last, (std::vector<uint8_t>{4, 5, 6, 1, 2, 3}));
  CaptureVideoFormat format;
  ASSERT_EQ(camera->GetVideoFormat(format), 40u);
  EXPECT_EQ(format.bitCount, 24);
  EXPECT_EQ(format.compression, 0u);
}

TEST_F(V4l2CameraTest, ARefusedConversionReportsTheCamerasOwnFormat) {
  auto camera = Camera([](FakeV4l2Io& io) {
    io.current = {};
    io.current.width = 4;
    io.current.height = 4;
    io.current.pixelformat = V4L2_PIX_FMT_MJPEG;
    io.acceptsFormat = false;
    io.frame = {0xFF, 0xD8};
  });
  ASSERT_TRUE(Open(*camera));
  CaptureVideoFormat format;
  ASSERT_EQ(camera->GetVideoFormat(format), 40u);
  EXPECT_EQ(format.bitCount, 0);  // not one the station reads: its warning follows
  EXPECT_EQ(format.compression, static_cast<uint32_t>(V4L2_PIX_FMT_MJPEG));
}

TEST_F(V4l2CameraTest, AnUnpluggedCameraStopsDeliveringAndIsGone) {
  auto camera = Camera([](FakeV4l2Io& io) {
    io.current = {};
    io.current.width = 2;
    io.current.height = 1;
    io.current.pixelformat = V4L2_PIX_FMT_YUYV;
    io.frame = {1, 2, 3, 4};
  });
  ASSERT_TRUE(Open(*camera));
  ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 1; }, 10000));
  fake->unplugged = true;
  CaptureStatus status;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !camera->GetStatus(status); }, 10000));
  const int count = frames;
  QTest::qWait(100);
  EXPECT_EQ(frames, count);
  CaptureCaps caps;
  EXPECT_FALSE(camera->GetDriverCaps(caps));
  EXPECT_TRUE(camera->DriverDisconnect());
}

TEST_F(V4l2CameraTest, ADeviceThatDoesNotCaptureDoesNotConnect) {
  auto camera = Camera([](FakeV4l2Io& io) { io.deviceCaps = V4L2_CAP_VIDEO_OUTPUT; });
  EXPECT_FALSE(Open(*camera));
}

}  // namespace
