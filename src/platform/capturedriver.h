#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

// One frame as the driver hands it to the frame callback. width/height/bitCount describe the data
// when the driver knows them (0 otherwise), so a size change is seen on the frame that carries it.
struct CaptureFrame {
  const uint8_t* data = nullptr;
  uint32_t bufferLength = 0;
  uint32_t bytesUsed = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bitCount = 0;
};

struct CaptureStatus {
  int32_t imageWidth = 0;
  int32_t imageHeight = 0;
};

// The part of a bitmap information header the station reads.
struct CaptureVideoFormat {
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t sizeImage = 0;
};

constexpr uint32_t kFourccYuy2 = 0x32595559;  // "YUY2"
constexpr uint32_t kBitmapInfoHeaderSize = 40;

struct CaptureCaps {
  bool hasDlgVideoSource = false;
  bool hasDlgVideoFormat = false;
  bool hasDlgVideoDisplay = false;
};

struct CaptureSequenceSetup {
  uint32_t microSecPerFrame = 66666;
  bool captureAudio = false;
  bool yield = true;
};

// The capture service of one camera: a preview widget painted with the newest frame, a frame
// callback on the user-interface thread once per preview period, format, dialogs, AVI recording and
// still saving. Every request answers false when refused.
class CaptureDriver {
 public:
  using FrameCallback = std::function<void(QWidget* window, const CaptureFrame& frame)>;

  virtual ~CaptureDriver() = default;

  // Visible child of parent at (x, y), w x h, painting the newest frame. Null on failure.
  virtual QWidget* CreateCaptureWindow(const std::string& name, QWidget* parent, int x, int y,
                                       int w, int h) = 0;
  virtual bool WindowExists() const = 0;
  virtual void DestroyCaptureWindow() = 0;

  virtual bool SetCallbackOnFrame(FrameCallback callback) = 0;
  virtual bool DriverConnect(int index) = 0;
  virtual bool DriverDisconnect() = 0;
  virtual bool SetPreviewRate(unsigned periodMs) = 0;
  virtual bool SetPreview(bool on) = 0;
  virtual bool SetScale(bool on) = 0;

  virtual bool GetStatus(CaptureStatus& status) = 0;
  // Size of the format record (kBitmapInfoHeaderSize), 0 on failure.
  virtual uint32_t GetVideoFormat(CaptureVideoFormat& format) = 0;
  virtual bool GetDriverCaps(CaptureCaps& caps) = 0;

  virtual bool DlgVideoFormat() = 0;
  virtual bool DlgVideoSource() = 0;
  virtual bool DlgVideoDisplay() = 0;
  virtual bool DlgVideoCompression() = 0;

  virtual bool GetSequenceSetup(CaptureSequenceSetup& setup) = 0;
  virtual bool SetSequenceSetup(const CaptureSequenceSetup& setup) = 0;
  virtual bool SetCaptureFile(const std::string& path) = 0;
  virtual bool Sequence() = 0;
  virtual bool Stop() = 0;

  // The current frame as a 24-bit BMP file.
  virtual bool SaveDib(const std::string& path) = 0;
};

// The driver LUMIVEX_CAMERA names: unset or empty = first V4L2 capture device, /dev/videoN,
// sim:PATH, sim-yuy2:PATH, none (connecting fails).
std::unique_ptr<CaptureDriver> CreateCaptureDriver();

// Tests install their own drivers; an empty factory restores LUMIVEX_CAMERA.
using CaptureDriverFactory = std::function<std::unique_ptr<CaptureDriver>()>;
void SetCaptureDriverFactory(CaptureDriverFactory factory);
