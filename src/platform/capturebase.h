#pragma once

#include <QPointer>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/capturedriver.h"
#include "platform/capturepreview.h"

class QTimer;
class VideoRecorder;

// What a camera produces for the station: 24-bit BGR rows bottom line first, or YUY2 top line
// first (see FramePixels).
struct FrameBuffer {
  std::vector<uint8_t> bytes;
  uint32_t used = 0;
  int32_t width = 0;
  int32_t height = 0;
  FramePixels pixels = FramePixels::kBgrBottomUp;
};

// The parts every camera shares: preview widget, preview timer and frame callback, recording and
// still saving. A camera supplies opening, its format, the newest frame and its dialogs.
class CaptureDriverBase : public CaptureDriver {
 public:
  CaptureDriverBase();
  ~CaptureDriverBase() override;

  QWidget* CreateCaptureWindow(const std::string& name, QWidget* parent, int x, int y, int w,
                               int h) override;
  bool WindowExists() const override;
  void DestroyCaptureWindow() override;

  bool SetCallbackOnFrame(FrameCallback callback) override;
  bool DriverConnect(int index) override;
  bool DriverDisconnect() override;
  bool SetPreviewRate(unsigned periodMs) override;
  bool SetPreview(bool on) override;
  bool SetScale(bool on) override;

  bool GetStatus(CaptureStatus& status) override;
  uint32_t GetVideoFormat(CaptureVideoFormat& format) override;

  bool DlgVideoCompression() override;

  bool GetSequenceSetup(CaptureSequenceSetup& setup) override;
  bool SetSequenceSetup(const CaptureSequenceSetup& setup) override;
  bool SetCaptureFile(const std::string& path) override;
  bool Sequence() override;
  bool Stop() override;
  bool SaveDib(const std::string& path) override;

  bool Connected() const { return connected; }

 protected:
  virtual bool OpenCamera(int index) = 0;
  virtual void CloseCamera() = 0;
  // The format frames are delivered in; false when the camera is gone.
  virtual bool CameraFormat(CaptureVideoFormat& format) = 0;
  // Called on the user-interface thread once per preview period: the newest frame not handed out
  // yet, false when there is none.
  virtual bool TakeNewestFrame(FrameBuffer& frame) = 0;
  // Preview period changed (a camera that paces itself may follow it).
  virtual void PreviewPeriodChanged(unsigned /*periodMs*/) {}

  // Thread-safe: gives a frame to the running recording, if any (dropped when it falls behind).
  void FeedRecorder(const uint8_t* data, uint32_t used, int32_t width, int32_t height,
                    FramePixels pixels);
  unsigned PreviewPeriod() const { return previewPeriod; }

 private:
  void Tick();

  QPointer<CapturePreview> window;
  std::unique_ptr<QTimer> timer;
  FrameCallback callback;
  bool connected = false;
  bool previewOn = false;
  unsigned previewPeriod = 66;
  FrameBuffer latest;
  bool haveLatest = false;
  int tickDepth = 0;
  std::shared_ptr<bool> alive;

  CaptureSequenceSetup setup;
  std::string captureFile;
  int recorderQuality = 85;
  std::mutex recorderMutex;
  std::shared_ptr<VideoRecorder> recorder;
};
