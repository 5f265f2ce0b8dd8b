#include "capture/webcam.h"

#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "capture/yuvtable.h"
#include "platform/capturebase.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

constexpr int kWait = 10000;  // generous: the simulated camera runs on the event loop

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

Rgb PixelOf(const MyBitmap& bitmap, int x, int y) {
  Rgb c{};
  bitmap.GetPixel(x, y, c.r, c.g, c.b);
  return c;
}

// A w x h picture of one colour, or of the pattern red = 40x + y, green = 7, blue = 90 + y.
std::string WritePicture(const std::string& path, int w, int h, uint32_t colour = 0xFFFFFFFF) {
  MyBitmap picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (colour == 0xFFFFFFFF)
        picture.SetPixel(x, y, static_cast<uint8_t>(40 * x + y), 7, static_cast<uint8_t>(90 + y));
      else
        picture.SetPixel(x, y, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  picture.SaveBmp(path);
  return path;
}

// Writes beside the target and renames over it, as a test changing the scene does.
void RenamePictureOver(const std::string& path, int w, int h, uint32_t colour) {
  const std::string fresh = path + ".new.bmp";
  WritePicture(fresh, w, h, colour);
  ASSERT_EQ(std::rename(fresh.c_str(), path.c_str()), 0);
}

CaptureFrame FrameOf(const std::string& bytes, uint32_t used) {
  CaptureFrame frame;
  frame.data = reinterpret_cast<const uint8_t*>(bytes.data());
  frame.bufferLength = static_cast<uint32_t>(bytes.size());
  frame.bytesUsed = used;
  return frame;
}

class WebCamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.resize(200, 150);
    parent.show();
    picture = WritePicture(station.Path("Data/camera.bmp"), 3, 2);
    boxes.Clear();
  }
  void TearDown() override {
    currentWebCam = nullptr;
    unsetenv("LUMIVEX_CAMERA");
    SetCaptureDriverFactory(nullptr);
  }
  std::unique_ptr<WebCam> Start(const std::string& camera, unsigned period = 20) {
    setenv("LUMIVEX_CAMERA", camera.c_str(), 1);
    return std::make_unique<WebCam>(&parent, 0, 0, 160, 120, period, true);
  }
  // The next live frame converted into cam.frame.
  bool Memo(WebCam& cam) {
    bool done = false, result = false;
    cam.MemoFrame([&](WebCam&, bool converted) {
      done = true;
      result = converted;
    });
    return QTest::qWaitFor([&] { return done; }, kWait) && result;
  }

  TempStation station;
  MessageBoxRecorder boxes;
  QWidget parent;
  std::string picture;
};

TEST_F(WebCamTest, NoCameraFailsConstructionAndEveryOperation) {
  auto cam = Start("none");
  EXPECT_TRUE(cam->Failed());
  EXPECT_NE(cam->captureWindow, nullptr);
  EXPECT_EQ(cam->frame, nullptr);
  EXPECT_FALSE(cam->Connect());
  EXPECT_FALSE(cam->ReadVideoFormat());
  EXPECT_FALSE(cam->SetPreviewRate(40));
  EXPECT_FALSE(cam->SaveFrame(station.Path("Data/still.bmp")));
  EXPECT_FALSE(cam->StartVideo(station.Path("video.avi"), false, true, 15));
  EXPECT_FALSE(cam->recording);
  EXPECT_FALSE(cam->StopVideo());
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WebCamTest, BadPicturesAreAMissingCamera) {
  WriteFileBytes(station.Path("Data/text.bmp"), "not a picture");
  // An 8-bit header: "BM", then a 40-byte information header with bit count 8.
  std::string eightBit = "BM" + Words({0, 0, 54, 40, 2, 2}) + std::string("\x01\x00\x08\x00", 4) +
                         Words({0, 0, 0, 0, 0, 0}) + std::string(16, '\0');
  WriteFileBytes(station.Path("Data/eight.bmp"), eightBit);
  struct Case {
    const char* name;
    std::string camera;
  } cases[] = {{"missing", "sim:" + station.Path("Data/none.bmp")},
               {"not a BMP", "sim:" + station.Path("Data/text.bmp")},
               {"8-bit BMP", "sim:" + station.Path("Data/eight.bmp")},
               {"8-bit BMP as YUY2", "sim-yuy2:" + station.Path("Data/eight.bmp")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto cam = Start(c.camera);
    EXPECT_TRUE(cam->Failed());
    EXPECT_EQ(cam->frame, nullptr);
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WebCamTest, ConnectsToTheSimulatedCamera) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  EXPECT_EQ(cam->frameWidth, 3);
  EXPECT_EQ(cam->frameHeight, 2);
  EXPECT_EQ(cam->bitCount, 24);
  EXPECT_EQ(cam->compression, 0u);
  EXPECT_EQ(cam->formatSize, 40u);
  ASSERT_NE(cam->frame, nullptr);
  EXPECT_EQ(cam->frame->Width(), 3);
  EXPECT_EQ(cam->frame->Height(), 2);
  EXPECT_EQ(cam->windowWidth, 160);
  EXPECT_EQ(cam->windowHeight, 120);
  EXPECT_EQ(cam->samplePath, station.Path("Data/webcam_sample.bmp"));
  EXPECT_EQ(cam->captureWindow->objectName(), "myWebCam");
  EXPECT_EQ(cam->captureWindow->parentWidget(), &parent);
  EXPECT_EQ(cam->captureWindow->geometry(), QRect(0, 0, 160, 120));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WebCamTest, ConvertFrameRgbTakesRowsBottomFirstInBlueGreenRedOrder) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  // Two rows of three pixels, bottom row first, each pixel blue, green, red.
  std::string data;
  for (int i = 0; i < 6; ++i) data += {char(10 + i), char(20 + i), char(30 + i)};
  MyBitmap target(3, 2);
  ASSERT_TRUE(cam->ConvertFrame(FrameOf(data, 18), target));
  EXPECT_EQ(cam->frameBytes, 18u);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(PixelOf(target, i % 3, i / 3),
              (Rgb{uint8_t(30 + i), uint8_t(20 + i), uint8_t(10 + i)}));
  }
}

TEST_F(WebCamTest, ConvertFrameYuy2FillsEveryPixelTopLineFirst) {
  auto cam = Start("sim-yuy2:" + picture);
  ASSERT_FALSE(cam->Failed());
  EXPECT_EQ(cam->bitCount, 16);
  EXPECT_EQ(cam->compression, kFourccYuy2);
  ASSERT_NE(yuvTable, nullptr);
  // 3 x 2 = exactly 12 bytes: three groups, the second runs across the line end.
  const std::string data(
      "\x10\x80\x20\x80"
      "\x30\x00\x40\xFF"
      "\x50\x60\x70\x90",
      12);
  MyBitmap target(3, 2);
  ASSERT_TRUE(cam->ConvertFrame(FrameOf(data, 12), target));
  auto table = [](int y, int u, int v) {
    return Rgb{yuvTable->r[y][v][u], yuvTable->g[y][v][u], yuvTable->b[y][v][u]};
  };
  struct Case {
    int x, y;
    Rgb expected;
  } cases[] = {{0, 1, table(0x10, 0x80, 0x80)}, {1, 1, table(0x20, 0x80, 0x80)},
               {2, 1, table(0x30, 0x00, 0xFF)}, {0, 0, table(0x40, 0x00, 0xFF)},
               {1, 0, table(0x50, 0x60, 0x90)}, {2, 0, table(0x70, 0x60, 0x90)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(PixelOf(target, c.x, c.y), c.expected);
  }
  EXPECT_EQ(PixelOf(target, 0, 1), (Rgb{16, 16, 16}));
}

TEST_F(WebCamTest, AShortFrameIsWc001AndLeavesTheBitmap) {
  struct Case {
    const char* name;
    std::string camera;
    uint32_t needed;
  } cases[] = {{"RGB", "sim:" + picture, 18}, {"YUY2", "sim-yuy2:" + picture, 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto cam = Start(c.camera);
    ASSERT_FALSE(cam->Failed());
    boxes.Clear();
    MyBitmap target(3, 2);
    target.FillRect(0x00445566, 0, 0, 3, 2);
    const std::string data(c.needed, '\x7F');
    EXPECT_FALSE(cam->ConvertFrame(FrameOf(data, c.needed - 1), target));
    // The smaller of bytes used and buffer length counts.
    EXPECT_FALSE(cam->ConvertFrame(FrameOf(data.substr(1), c.needed), target));
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, "WC001: Insufficente numero di dati");
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
    EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelOf(target, x, y), (Rgb{0x66, 0x55, 0x44}));
  }
}

TEST_F(WebCamTest, ASizeFromAParameterFileIsCorrectedFromTheDriver) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  cam->frameWidth = 320;  // as a loaded reference image would leave it
  cam->frameHeight = 240;
  const std::string data(18, '\x11');
  ASSERT_TRUE(cam->ConvertFrame(FrameOf(data, 18), *cam->frame));
  EXPECT_EQ(cam->frameWidth, 3);
  EXPECT_EQ(cam->frameHeight, 2);
  EXPECT_EQ(cam->frame->Width(), 3);
  EXPECT_EQ(PixelOf(*cam->frame, 2, 1), (Rgb{0x11, 0x11, 0x11}));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WebCamTest, OnFrameCountsAndServesRequestsOnce) {
  auto cam = Start("sim:" + picture, 100000);  // the test delivers the frames itself
  ASSERT_FALSE(cam->Failed());
  currentWebCam = cam.get();
  const std::string data(18, '\x21');
  const CaptureFrame frameData = FrameOf(data, 18);
  cam->frame->Clear();

  WebCam::OnFrame(nullptr, frameData);  // nobody wants it: counted only
  EXPECT_EQ(cam->frameCount, 1u);
  EXPECT_EQ(PixelOf(*cam->frame, 0, 0), (Rgb{0, 0, 0}));

  int memoCalls = 0;
  bool memoResult = false;
  cam->MemoFrame([&](WebCam& c, bool converted) {
    ++memoCalls;
    memoResult = converted;
    EXPECT_EQ(&c, cam.get());
  });
  MyBitmap snapshot(1, 1);
  int snapshotCalls = 0;
  cam->RequestSnapshot(&snapshot, [&](WebCam&) { ++snapshotCalls; });
  WebCam::OnFrame(nullptr, frameData);
  WebCam::OnFrame(nullptr, frameData);
  EXPECT_EQ(cam->frameCount, 3u);
  EXPECT_EQ(memoCalls, 1);
  EXPECT_TRUE(memoResult);
  EXPECT_FALSE(cam->memoRequested);
  EXPECT_EQ(PixelOf(*cam->frame, 2, 1), (Rgb{0x21, 0x21, 0x21}));
  EXPECT_EQ(snapshotCalls, 1);
  EXPECT_FALSE(cam->snapshotRequested);
  EXPECT_EQ(snapshot.Width(), 3);
  const std::string row("\x21\x21\x21\x21\x21\x21\x21\x21\x21\0\0\0", 12);
  EXPECT_EQ(ReadFileBytes(cam->samplePath), "BM" + Words({78, 0, 54, 40, 3, 2}) +
                                                std::string("\x01\x00\x18\x00", 4) +
                                                Words({0, 0, 0, 0, 0, 0}) + row + row);

  int handlerCalls = 0;
  cam->SetFrameHandler([&](WebCam&) { ++handlerCalls; });
  const std::string other(18, '\x42');
  WebCam::OnFrame(nullptr, FrameOf(other, 18));
  WebCam::OnFrame(nullptr, FrameOf(other, 18));
  EXPECT_EQ(handlerCalls, 2);
  EXPECT_EQ(PixelOf(*cam->frame, 1, 0), (Rgb{0x42, 0x42, 0x42}));
  EXPECT_EQ(memoCalls, 1);
  EXPECT_EQ(snapshotCalls, 1);
  EXPECT_EQ(cam->frameCount, 5u);
}

TEST_F(WebCamTest, ACallbackInsideACallbackIsDroppedAndNotCounted) {
  auto cam = Start("sim:" + picture, 100000);
  ASSERT_FALSE(cam->Failed());
  currentWebCam = cam.get();
  const std::string data(17, '\x01');  // short: the WC001 box opens inside the callback
  int handlerCalls = 0;
  cam->SetFrameHandler([&](WebCam&) {
    ++handlerCalls;
    EXPECT_TRUE(frameBusy);
    WebCam::OnFrame(nullptr, FrameOf(data, 17));  // arrives while the box is open
  });
  WebCam::OnFrame(nullptr, FrameOf(data, 17));
  EXPECT_EQ(cam->frameCount, 1u);
  EXPECT_EQ(handlerCalls, 1);
  EXPECT_EQ(boxes.Count(), 1u);
  EXPECT_FALSE(frameBusy);
}

TEST_F(WebCamTest, WithoutCurrentWebCamFramesAreNotCounted) {
  auto cam = Start("sim:" + picture, 100000);
  ASSERT_FALSE(cam->Failed());
  currentWebCam = nullptr;
  const std::string data(18, '\x01');
  WebCam::OnFrame(nullptr, FrameOf(data, 18));
  EXPECT_EQ(cam->frameCount, 0u);
  EXPECT_FALSE(frameBusy);
}

TEST_F(WebCamTest, LiveFramesShowThePicture) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  currentWebCam = cam.get();
  ASSERT_TRUE(QTest::qWaitFor([&] { return cam->frameCount >= 3; }, kWait));
  ASSERT_TRUE(Memo(*cam));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(PixelOf(*cam->frame, x, y), (Rgb{uint8_t(40 * x + y), 7, uint8_t(90 + y)}));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WebCamTest, TheSimulatedCameraFollowsPicturesRenamedOverItsFile) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  currentWebCam = cam.get();
  const uint32_t colours[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00123456,
                              0x00FFFFFE, 0x00010203, 0x00808080, 0x00000001};
  for (uint32_t colour : colours) {
    SCOPED_TRACE(colour);
    RenamePictureOver(picture, 3, 2, colour);
    const Rgb expected{uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)};
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Memo(*cam) && PixelOf(*cam->frame, 2, 1) == expected; }, kWait));
  }
  // A new size reaches the frame bitmap without a WC001 box.
  RenamePictureOver(picture, 5, 4, 0x00332211);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return Memo(*cam) && PixelOf(*cam->frame, 4, 3) == Rgb{0x11, 0x22, 0x33};
      },
      kWait));
  EXPECT_EQ(cam->frameWidth, 5);
  EXPECT_EQ(cam->frameHeight, 4);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WebCamTest, ACameraThatDisappearsStopsDeliveringWithoutBlocking) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  currentWebCam = cam.get();
  ASSERT_TRUE(QTest::qWaitFor([&] { return cam->frameCount >= 2; }, kWait));
  ASSERT_EQ(std::remove(picture.c_str()), 0);
  EXPECT_FALSE(cam->ReadVideoFormat());
  const uint32_t count = cam->frameCount;
  QTest::qWait(300);  // the event loop keeps running; no frame arrives
  EXPECT_EQ(cam->frameCount, count);
  EXPECT_FALSE(cam->SaveFrame(station.Path("Data/none.bmp")) &&
               ReadFileBytes(station.Path("Data/none.bmp")).empty());
  EXPECT_EQ(boxes.Count(), 0u);
  cam.reset();  // disconnects and destroys its window cleanly
  EXPECT_EQ(parent.findChild<QWidget*>("myWebCam"), nullptr);
}

TEST_F(WebCamTest, SaveFrameWritesTheCurrentFrameAsABmp) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  currentWebCam = cam.get();
  ASSERT_TRUE(QTest::qWaitFor([&] { return cam->frameCount >= 1; }, kWait));
  const std::string still = station.Path("Data/still.bmp");
  ASSERT_TRUE(cam->SaveFrame(still));
  EXPECT_EQ(ReadFileBytes(still), ReadFileBytes(picture));
}

TEST_F(WebCamTest, StartAndStopVideo) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  const std::string video = station.Path("video.avi");
  ASSERT_TRUE(cam->StartVideo(video, false, true, 15));
  EXPECT_TRUE(cam->recording);
  EXPECT_FALSE(cam->StartVideo(video, false, true, 15));  // one recording at a time
  QTest::qWait(300);
  EXPECT_TRUE(cam->StopVideo());
  EXPECT_FALSE(cam->recording);
  EXPECT_FALSE(cam->StopVideo());
  EXPECT_EQ(ReadFileBytes(video).substr(0, 4), "RIFF");
  EXPECT_FALSE(cam->StartVideo(station.Path("missing/video.avi"), false, true, 15));
  EXPECT_FALSE(cam->recording);
}

TEST_F(WebCamTest, DialogsTheCameraDoesNotOfferAreRefusedWithTheirMessage) {
  auto sim = Start("sim:" + picture);
  auto none = Start("none");
  struct Case {
    const char* name;
    WebCam* cam;
    bool (WebCam::*dialog)();
    const char* text;
  } cases[] = {
      {"source, simulated", sim.get(), &WebCam::ShowSourceDialog,
       "Funzione di selezione sorgente video non supportata dalla webcam."},
      {"display, simulated", sim.get(), &WebCam::ShowDisplayDialog,
       "Funzione non supportata dalla webcam."},
      {"format, no camera", none.get(), &WebCam::ShowFormatDialog,
       "Funzione di impostazione proprietà non supportata dalla webcam."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Clear();
    EXPECT_FALSE((c.cam->*c.dialog)());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, c.text);
    EXPECT_EQ(boxes.Boxes()[0].caption, "AVVISO");
    EXPECT_EQ(boxes.Boxes()[0].flags, kMbWarning);
  }
}

// Answers the next modal dialog: picks the named radio button (if any) and presses OK or Cancel.
void AnswerNextDialog(const char* radio, bool accept) {
  QTimer::singleShot(50, [=] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return AnswerNextDialog(radio, accept);
    if (radio)
      if (auto* button = dialog->findChild<QRadioButton*>(radio)) button->setChecked(true);
    accept ? dialog->accept() : dialog->reject();
  });
}

TEST_F(WebCamTest, FormatDialogSwitchesTheSimulatedCameraToYuy2) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  currentWebCam = cam.get();
  AnswerNextDialog("Yuy2", false);
  EXPECT_FALSE(cam->ShowFormatDialog());
  EXPECT_EQ(cam->bitCount, 24);
  AnswerNextDialog("Yuy2", true);
  ASSERT_TRUE(cam->ShowFormatDialog());
  EXPECT_EQ(cam->bitCount, 16);
  EXPECT_EQ(cam->compression, kFourccYuy2);
  EXPECT_NE(yuvTable, nullptr);
  ASSERT_TRUE(Memo(*cam));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WebCamTest, CompressionDialogReconnectsAndAFailedReconnectFailsTheCapture) {
  auto cam = Start("sim:" + picture);
  ASSERT_FALSE(cam->Failed());
  AnswerNextDialog(nullptr, true);
  EXPECT_TRUE(cam->ShowCompressionDialog());
  EXPECT_FALSE(cam->Failed());
  std::remove(picture.c_str());
  AnswerNextDialog(nullptr, true);
  EXPECT_TRUE(cam->ShowCompressionDialog());
  EXPECT_TRUE(cam->Failed());
  EXPECT_FALSE(cam->SetPreviewRate(50));
  EXPECT_FALSE(cam->SaveFrame(station.Path("still.bmp")));
  EXPECT_FALSE(cam->StartVideo(station.Path("v.avi"), false, true, 15));
}

// A camera whose format and callback registration the test chooses.
class ScriptedCamera : public CaptureDriverBase {
 public:
  ScriptedCamera(uint16_t bits, uint32_t code, bool callbackRefused)
      : bits(bits), code(code), callbackRefused(callbackRefused) {}
  ~ScriptedCamera() override { CloseCamera(); }
  bool SetCallbackOnFrame(FrameCallback callback) override {
    return !callbackRefused && CaptureDriverBase::SetCallbackOnFrame(std::move(callback));
  }
  bool GetDriverCaps(CaptureCaps& caps) override {
    caps = CaptureCaps{};
    return true;
  }
  bool DlgVideoFormat() override { return false; }
  bool DlgVideoSource() override { return false; }
  bool DlgVideoDisplay() override { return false; }

 protected:
  bool OpenCamera(int) override { return true; }
  void CloseCamera() override {}
  bool CameraFormat(CaptureVideoFormat& format) override {
    format.width = 4;
    format.height = 2;
    format.bitCount = bits;
    format.compression = code;
    return true;
  }
  bool TakeNewestFrame(FrameBuffer&) override { return false; }

 private:
  uint16_t bits;
  uint32_t code;
  bool callbackRefused;
};

TEST_F(WebCamTest, UnsupportedFormatsAreReported) {
  struct Case {
    const char* name;
    uint16_t bits;
    uint32_t code;
    bool reported;
    bool converted;  // a 24-bit frame is read as RGB whatever its code
  } cases[] = {{"32-bit RGB", 32, 0, true, false},
               {"16-bit not YUY2 (UYVY)", 16, 0x59565955, true, false},
               {"24-bit compressed", 24, 0x47504A4D, true, true},
               {"24-bit RGB", 24, 0, false, true},
               {"16-bit YUY2", 16, kFourccYuy2, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetCaptureDriverFactory(
        [&] { return std::make_unique<ScriptedCamera>(c.bits, c.code, false); });
    boxes.Clear();
    WebCam cam(&parent, 0, 0, 80, 60, 50, true);
    EXPECT_FALSE(cam.Failed());  // the preview runs all the same
    EXPECT_EQ(cam.ReadVideoFormat(), !c.reported);
    // At connection and at the read above.
    ASSERT_EQ(boxes.Count(), c.reported ? 2u : 0u);
    for (const MessageBoxRecorder::Box& box : boxes.Boxes()) {
      EXPECT_EQ(box.text,
                "Il formato immagine della webcam non è supportato.\nModificare le impostazioni "
                "della webcam. \n(formati supportati RGB a 24 bit - YUY2 a 16 bit)");
      EXPECT_EQ(box.caption, "AVVISO");
      EXPECT_EQ(box.flags, kMbWarning);
    }
    const std::string data(64, '\x05');
    cam.frame->Clear();
    EXPECT_EQ(cam.ConvertFrame(FrameOf(data, 64), *cam.frame), c.converted);
    EXPECT_EQ(PixelOf(*cam.frame, 0, 0) != (Rgb{0, 0, 0}), c.converted);
  }
}

TEST_F(WebCamTest, ARefusedFrameCallbackIsReportedAndTheCaptureGoesOn) {
  SetCaptureDriverFactory([] { return std::make_unique<ScriptedCamera>(24, 0, true); });
  WebCam cam(&parent, 0, 0, 80, 60, 50, true);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Errore nella chiamata alla funzione capSetCallbackOnFrame");
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbInformation);
  EXPECT_FALSE(cam.Failed());
}

TEST_F(WebCamTest, APanelDestroyedFirstLeavesNoRequestToTheDriver) {
  auto panel = std::make_unique<QWidget>(&parent);
  setenv("LUMIVEX_CAMERA", ("sim:" + picture).c_str(), 1);
  auto cam = std::make_unique<WebCam>(panel.get(), 0, 0, 50, 40, 20, true);
  ASSERT_FALSE(cam->Failed());
  panel.reset();  // takes the capture window with it
  EXPECT_EQ(cam->captureWindow, nullptr);
  EXPECT_FALSE(cam->ReadVideoFormat());
  EXPECT_FALSE(cam->SaveFrame(station.Path("still.bmp")));
  EXPECT_FALSE(cam->ShowCompressionDialog());
  cam.reset();
}

}  // namespace
