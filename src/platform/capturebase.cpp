#include "platform/capturebase.h"

#include <QTimer>
#include <algorithm>
#include <cstring>

#include "bitmap/bmpfile.h"
#include "platform/capturedialogs.h"
#include "platform/videorecorder.h"

CaptureDriverBase::CaptureDriverBase()
    : timer(std::make_unique<QTimer>()), alive(std::make_shared<bool>(true)) {
  timer->setInterval(static_cast<int>(previewPeriod));
  QObject::connect(timer.get(), &QTimer::timeout, [this] { Tick(); });
}

CaptureDriverBase::~CaptureDriverBase() {
  *alive = false;
  timer->stop();
  std::shared_ptr<VideoRecorder> running;
  {
    std::lock_guard lock(recorderMutex);
    running.swap(recorder);
  }
  if (running) running->Stop();
  // Cameras close themselves in their destructors, before this one runs.
  delete window.data();
}

QWidget* CaptureDriverBase::CreateCaptureWindow(const std::string& name, QWidget* parent, int x,
                                                int y, int w, int h) {
  if (window) return nullptr;
  auto* preview = new CapturePreview(parent);
  preview->setObjectName(QString::fromStdString(name));
  preview->setGeometry(x, y, std::max(0, w), std::max(0, h));
  preview->show();
  window = preview;
  return preview;
}

bool CaptureDriverBase::WindowExists() const {
  return !window.isNull();
}

void CaptureDriverBase::DestroyCaptureWindow() {
  delete window.data();
}

bool CaptureDriverBase::SetCallbackOnFrame(FrameCallback newCallback) {
  if (!window) return false;
  callback = std::move(newCallback);
  return true;
}

bool CaptureDriverBase::DriverConnect(int index) {
  if (!window) return false;
  if (connected) CloseCamera();
  connected = OpenCamera(index);
  haveLatest = false;
  if (connected)
    timer->start();
  else
    timer->stop();
  return connected;
}

bool CaptureDriverBase::DriverDisconnect() {
  if (!window) return false;
  timer->stop();
  if (connected) CloseCamera();
  connected = false;
  previewOn = false;
  return true;
}

bool CaptureDriverBase::SetPreviewRate(unsigned periodMs) {
  if (!window) return false;
  previewPeriod = std::max(1u, periodMs);
  timer->setInterval(static_cast<int>(std::min(previewPeriod, 1000000u)));
  PreviewPeriodChanged(previewPeriod);
  return true;
}

bool CaptureDriverBase::SetPreview(bool on) {
  if (!window || !connected) return false;
  previewOn = on;
  return true;
}

bool CaptureDriverBase::SetScale(bool on) {
  if (!window) return false;
  window->SetScale(on);
  return true;
}

bool CaptureDriverBase::GetStatus(CaptureStatus& status) {
  CaptureVideoFormat format;
  if (!window || !connected || !CameraFormat(format)) return false;
  status.imageWidth = format.width;
  status.imageHeight = format.height;
  return true;
}

uint32_t CaptureDriverBase::GetVideoFormat(CaptureVideoFormat& format) {
  if (!window || !connected || !CameraFormat(format)) return 0;
  return kBitmapInfoHeaderSize;
}

bool CaptureDriverBase::DlgVideoCompression() {
  if (!window) return false;
  return ShowRecordingDialog(window, recorderQuality);
}

bool CaptureDriverBase::GetSequenceSetup(CaptureSequenceSetup& out) {
  if (!window) return false;
  out = setup;
  return true;
}

bool CaptureDriverBase::SetSequenceSetup(const CaptureSequenceSetup& in) {
  if (!window || in.microSecPerFrame == 0) return false;
  // No audio source on the station: a request for audio records the picture alone.
  setup = in;
  return true;
}

bool CaptureDriverBase::SetCaptureFile(const std::string& path) {
  if (!window || path.empty()) return false;
  captureFile = path;
  return true;
}

bool CaptureDriverBase::Sequence() {
  CaptureVideoFormat format;
  if (!window || !connected || captureFile.empty() || !CameraFormat(format)) return false;
  {
    std::lock_guard lock(recorderMutex);
    if (recorder) return false;
  }
  auto started = std::make_shared<VideoRecorder>();
  const int fps = static_cast<int>(1000000 / setup.microSecPerFrame);
  if (!started->Start(captureFile, fps, format.width, format.height, recorderQuality)) return false;
  std::lock_guard lock(recorderMutex);
  recorder = std::move(started);
  return true;
}

bool CaptureDriverBase::Stop() {
  std::shared_ptr<VideoRecorder> running;
  {
    std::lock_guard lock(recorderMutex);
    running.swap(recorder);
  }
  if (!running) return false;
  return running->Stop();
}

bool CaptureDriverBase::SaveDib(const std::string& path) {
  if (!window || !connected || !haveLatest) return false;
  const FrameBuffer& frame = latest;
  if (frame.pixels == FramePixels::kBgrBottomUp) {
    // The frame's rows are the file's already: bottom line first, blue-green-red.
    if (!FrameIsWhole(frame.bytes.data(), frame.used, frame.width, frame.height, frame.pixels))
      return false;
    const size_t rowBytes = static_cast<size_t>(frame.width) * 3;
    return WriteBmp24File(path, frame.width, frame.height, [&](int32_t y, uint8_t* row) {
      std::memcpy(row, frame.bytes.data() + rowBytes * static_cast<size_t>(y), rowBytes);
    });
  }
  QImage image =
      FrameToImage(frame.bytes.data(), frame.used, frame.width, frame.height, frame.pixels);
  if (image.isNull()) return false;
  return WriteBmp24File(path, image.width(), image.height(), [&](int32_t y, uint8_t* row) {
    SwapRedBlue(image.constScanLine(image.height() - 1 - y), row, image.width());
  });
}

void CaptureDriverBase::FeedRecorder(const uint8_t* data, uint32_t used, int32_t width,
                                     int32_t height, FramePixels pixels) {
  std::shared_ptr<VideoRecorder> running;
  {
    std::lock_guard lock(recorderMutex);
    running = recorder;
  }
  if (running) running->Push(data, used, width, height, pixels);
}

void CaptureDriverBase::Tick() {
  if (!connected || !previewOn) return;
  // A tick inside a callback (a message box pumping events) must not overwrite the frame the
  // outer callback is still reading.
  FrameBuffer nested;
  FrameBuffer& target = tickDepth > 0 ? nested : latest;
  if (!TakeNewestFrame(target)) return;
  if (tickDepth == 0) haveLatest = true;
  if (window && window->isVisible()) {
    QImage image =
        FrameToImage(target.bytes.data(), target.used, target.width, target.height, target.pixels);
    if (!image.isNull()) window->ShowFrame(std::move(image));
  }
  if (!callback) return;
  CaptureFrame frame;
  frame.data = target.bytes.data();
  frame.bufferLength = static_cast<uint32_t>(target.bytes.size());
  frame.bytesUsed = target.used;
  frame.width = target.width;
  frame.height = target.height;
  frame.bitCount = target.pixels == FramePixels::kBgrBottomUp   ? 24
                   : target.pixels == FramePixels::kYuy2TopDown ? 16
                                                                : 0;
  std::shared_ptr<bool> stillAlive = alive;
  ++tickDepth;
  callback(window, frame);
  if (!*stillAlive) return;  // the callback destroyed the capture
  --tickDepth;
}
