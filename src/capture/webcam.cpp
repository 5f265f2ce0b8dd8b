#include "capture/webcam.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <thread>

#include "bitmap/bmpfile.h"
#include "capture/yuvtable.h"
#include "foundation/mymessagebox.h"
#include "foundation/progdir.h"

WebCam* currentWebCam = nullptr;
bool frameBusy = false;

namespace {

void Pause100ms() {
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

}  // namespace

WebCam::WebCam(QWidget* parent, int x, int y, int w, int h, unsigned period, bool scalePreview) {
  frame = nullptr;
  snapshotBitmap = nullptr;
  driver = CreateCaptureDriver();
  captureWindow = driver ? driver->CreateCaptureWindow("myWebCam", parent, x, y, w, h) : nullptr;
  previewPeriod = period;
  connectFailed = captureWindow.isNull();
  if (connectFailed) return;

  frameHandler = nullptr;
  if (!driver->SetCallbackOnFrame(&WebCam::OnFrame))
    ShowMessageBox("Errore nella chiamata alla funzione capSetCallbackOnFrame", "ERRORE",
                   kMbInformation);
  recording = false;
  snapshotRequested = false;
  snapshotHandler = nullptr;
  samplePath = DataFilePath("webcam_sample.bmp");
  frameCount = 0;
  windowWidth = w;
  windowHeight = h;

  Connect();
  if (connectFailed) return;  // no parameter file is read, none will be written

  frame = new MyBitmap(frameWidth, frameHeight);
  memoRequested = false;
  memoHandler = nullptr;
  if (scalePreview && WindowAlive()) driver->SetScale(true);
  records.InitAll(frameWidth, frameHeight);
}

WebCam::~WebCam() {
  if (recording) StopVideo();
  records.FreeAll(frameWidth, frameHeight);
  delete frame;
  frame = nullptr;
  if (WindowAlive()) {
    Disconnect();
    driver->DestroyCaptureWindow();
  }
  driver.reset();
}

bool WebCam::WindowAlive() const {
  return !captureWindow.isNull() && driver->WindowExists();
}

bool WebCam::Connect() {
  if (connectFailed) return false;
  const bool ok = WindowAlive() && driver->DriverConnect(0) &&
                  driver->SetPreviewRate(previewPeriod) && driver->SetPreview(true);
  if (!ok) {
    connectFailed = true;
    return false;
  }
  ReadVideoFormat();
  return true;
}

void WebCam::Disconnect() {
  if (WindowAlive()) driver->DriverDisconnect();
}

bool WebCam::ReadVideoFormat() {
  if (connectFailed || !WindowAlive()) return false;
  bool answer = true;
  CaptureStatus status;
  if (driver->GetStatus(status)) {
    frameWidth = status.imageWidth;
    frameHeight = status.imageHeight;
  } else {
    answer = false;
  }
  CaptureVideoFormat format;
  const uint32_t size = driver->GetVideoFormat(format);
  if (size == 0) return false;  // no camera to ask: not a format the operator could change
  formatSize = size;
  bitCount = format.bitCount;
  compression = format.compression;
  const bool yuy2 = bitCount == 16 && compression == kFourccYuy2;
  if (!yuy2 && !(bitCount == 24 && compression == 0)) {
    ShowMessageBox(
        "Il formato immagine della webcam non è supportato.\nModificare le impostazioni della "
        "webcam. \n(formati supportati RGB a 24 bit - YUY2 a 16 bit)",
        "AVVISO", kMbWarning);
    return false;
  }
  if (yuy2 && yuvTable == nullptr) BuildYuvTable();
  return answer;
}

bool WebCam::ConvertFrame(const CaptureFrame& frameData, MyBitmap& target) {
  // The frame's own size, when the driver gives it, shows a camera that changed its size before
  // anybody read the format again.
  const bool frameResized = frameData.width > 0 && frameData.height > 0 &&
                            (frameData.width != frameWidth || frameData.height != frameHeight);
  if (frameResized || target.Width() != frameWidth || target.Height() != frameHeight) {
    ReadVideoFormat();
    if (target.Width() != frameWidth || target.Height() != frameHeight) {
      target.SetSize(frameWidth, frameHeight);
      target.Clear();
    }
  }
  frameBytes = std::min(frameData.bytesUsed, frameData.bufferLength);
  const uint64_t pixelCount = static_cast<uint64_t>(std::max(frameWidth, 0)) *
                              static_cast<uint64_t>(std::max(frameHeight, 0));
  if ((bitCount == 24 && frameBytes < 3 * pixelCount) ||
      (bitCount == 16 && frameBytes < 2 * pixelCount) || frameData.data == nullptr) {
    ShowMessageBox("WC001: Insufficente numero di dati", "ERRORE", kMbError);
    return false;
  }
  // A bitmap without storage has nothing to fill.
  if (target.Width() != frameWidth || target.Height() != frameHeight) return false;
  if (bitCount == 24) {
    ConvertRgb(frameData.data, target);
    return true;
  }
  if (bitCount == 16 && compression == kFourccYuy2 && yuvTable != nullptr) {
    ConvertYuy2(frameData.data, target);
    return true;
  }
  return false;
}

void WebCam::ConvertRgb(const uint8_t* data, MyBitmap& target) const {
  const int32_t w = frameWidth;
  const int32_t h = frameHeight;
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* source = data + static_cast<size_t>(y) * w * 3;
    SwapRedBlue(source, target.Row(y), w);
  }
}

void WebCam::ConvertYuy2(const uint8_t* data, MyBitmap& target) const {
  const int32_t w = frameWidth;
  const int32_t h = frameHeight;
  const YuvTable& table = *yuvTable;
  int32_t c = 0;
  int32_t l = 0;
  const uint32_t groups = frameBytes / 4;
  for (uint32_t i = 0; i < groups && l < h; ++i) {
    const uint8_t* group = data + static_cast<size_t>(i) * 4;
    const uint8_t y0 = group[0], u = group[1], y1 = group[2], v = group[3];
    target.SetPixel(c, h - 1 - l, table.r[y0][v][u], table.g[y0][v][u], table.b[y0][v][u]);
    if (++c >= w) {
      c = 0;
      ++l;
    }
    target.SetPixel(c, h - 1 - l, table.r[y1][v][u], table.g[y1][v][u], table.b[y1][v][u]);
    if (++c >= w) {
      c = 0;
      ++l;
    }
  }
}

bool WebCam::SetPreviewRate(unsigned period) {
  if (connectFailed) return false;
  previewPeriod = period;
  if (!WindowAlive() || !driver->SetPreviewRate(period)) {
    connectFailed = true;
    return false;
  }
  return true;
}

void WebCam::SetFrameHandler(WebCamHandler handler) {
  frameHandler = std::move(handler);
}

void WebCam::MemoFrame(WebCamMemoHandler handler) {
  memoHandler = std::move(handler);
  memoRequested = true;
}

void WebCam::RequestSnapshot(MyBitmap* target, WebCamHandler handler) {
  snapshotBitmap = target;
  snapshotHandler = std::move(handler);
  snapshotRequested = true;
}

bool WebCam::SaveFrame(const std::string& path) {
  if (connectFailed || !WindowAlive()) return false;
  return driver->SaveDib(path);
}

bool WebCam::StartVideo(const std::string& path, bool withoutAudio, bool yield,
                        int framesPerSecond) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool ok = !connectFailed && WindowAlive() && framesPerSecond > 0;
  CaptureSequenceSetup setup;
  ok = ok && driver->GetSequenceSetup(setup);
  if (ok) {
    setup.microSecPerFrame = static_cast<uint32_t>(1000000 / framesPerSecond);
    setup.captureAudio = !withoutAudio;
    setup.yield = yield;
  }
  ok = ok && driver->SetSequenceSetup(setup);
  ok = ok && driver->SetCaptureFile(path);
  ok = ok && driver->Sequence();
  if (ok) recording = true;
  QApplication::restoreOverrideCursor();
  return ok;
}

bool WebCam::StopVideo() {
  if (!recording) return false;
  recording = false;
  if (connectFailed || !WindowAlive()) return false;
  return driver->Stop();
}

bool WebCam::ShowFormatDialog() {
  CaptureCaps caps;
  if (!WindowAlive() || !driver->GetDriverCaps(caps) || !caps.hasDlgVideoFormat) {
    ShowMessageBox("Funzione di impostazione proprietà non supportata dalla webcam.", "AVVISO",
                   kMbWarning);
    return false;
  }
  if (!driver->DlgVideoFormat()) return false;
  Pause100ms();
  ReadVideoFormat();
  return true;
}

bool WebCam::ShowSourceDialog() {
  CaptureCaps caps;
  if (!WindowAlive() || !driver->GetDriverCaps(caps) || !caps.hasDlgVideoSource) {
    ShowMessageBox("Funzione di selezione sorgente video non supportata dalla webcam.", "AVVISO",
                   kMbWarning);
    return false;
  }
  if (!driver->DlgVideoSource()) return false;
  Pause100ms();
  ReadVideoFormat();
  return true;
}

bool WebCam::ShowDisplayDialog() {
  CaptureCaps caps;
  if (!WindowAlive() || !driver->GetDriverCaps(caps) || !caps.hasDlgVideoDisplay) {
    ShowMessageBox("Funzione non supportata dalla webcam.", "AVVISO", kMbWarning);
    return false;
  }
  if (!driver->DlgVideoDisplay()) return false;
  Pause100ms();
  ReadVideoFormat();
  return true;
}

bool WebCam::ShowCompressionDialog() {
  if (!WindowAlive() || !driver->DlgVideoCompression()) return false;
  Disconnect();
  Pause100ms();
  Connect();
  return true;
}

void WebCam::OnFrame(QWidget*, const CaptureFrame& frameData) {
  if (frameBusy) return;
  frameBusy = true;
  struct BusyGuard {
    ~BusyGuard() { frameBusy = false; }
  } guard;
  WebCam* cam = currentWebCam;
  if (cam == nullptr) return;
  ++cam->frameCount;
  if (cam->memoRequested && cam->frame) {
    cam->memoRequested = false;
    const bool converted = cam->ConvertFrame(frameData, *cam->frame);
    if (cam->memoHandler) cam->memoHandler(*cam, converted);
    if (currentWebCam != cam) return;  // the handler ended the capture
  }
  if (cam->snapshotRequested && cam->snapshotBitmap) {
    cam->snapshotRequested = false;
    cam->ConvertFrame(frameData, *cam->snapshotBitmap);
    cam->snapshotBitmap->SaveBmp(cam->samplePath);
    if (cam->snapshotHandler) cam->snapshotHandler(*cam);
    if (currentWebCam != cam) return;
  }
  if (cam->frameHandler && cam->frame) {
    cam->ConvertFrame(frameData, *cam->frame);
    cam->frameHandler(*cam);
  }
}
