#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "bitmap/mybitmap.h"
#include "methods/methodtable.h"
#include "platform/capturedriver.h"

class QWidget;
class WebCam;

using WebCamHandler = std::function<void(WebCam&)>;
// Called after a one-shot conversion with its result.
using WebCamMemoHandler = std::function<void(WebCam&, bool converted)>;

// The one camera of the station: live preview in a child of the calling window's panel, a frame
// callback that converts frames only when somebody wants them, recording, stills and the driver's
// dialogs. Also carries the methods' parameter records.
class WebCam {
 public:
  WebCam(QWidget* parent, int x, int y, int w, int h, unsigned previewPeriod, bool scalePreview);
  ~WebCam();
  WebCam(const WebCam&) = delete;
  WebCam& operator=(const WebCam&) = delete;

  bool Failed() const { return connectFailed; }
  bool Connect();
  void Disconnect();
  bool ReadVideoFormat();
  bool ConvertFrame(const CaptureFrame& frameData, MyBitmap& target);
  bool SetPreviewRate(unsigned period);
  void SetFrameHandler(WebCamHandler handler);
  void MemoFrame(WebCamMemoHandler handler);
  void RequestSnapshot(MyBitmap* target, WebCamHandler handler);
  bool SaveFrame(const std::string& path);
  bool StartVideo(const std::string& path, bool withoutAudio, bool yield, int framesPerSecond);
  bool StopVideo();
  bool ShowFormatDialog();
  bool ShowSourceDialog();
  bool ShowDisplayDialog();
  bool ShowCompressionDialog();

  // The driver's frame callback; works on currentWebCam.
  static void OnFrame(QWidget* window, const CaptureFrame& frameData);

  QPointer<QWidget> captureWindow;
  bool connectFailed = true;
  unsigned previewPeriod = 0;
  int32_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t formatSize = 0;
  uint32_t frameBytes = 0;
  uint32_t frameCount = 0;
  MyBitmap* frame = nullptr;
  WebCamMemoHandler memoHandler;
  bool memoRequested = false;
  WebCamHandler snapshotHandler;
  std::string samplePath;
  MyBitmap* snapshotBitmap = nullptr;
  bool snapshotRequested = false;
  bool recording = false;
  WebCamHandler frameHandler;
  int32_t frameWidth = 0;
  int32_t frameHeight = 0;
  int32_t windowWidth = 0;
  int32_t windowHeight = 0;
  // The methods' parameter records, one per row of the method table and in its order: read from
  // their files when the capture connects, written back when it goes.
  MethodRecords records;
  template <class Row>
  typename Row::Record& Record() {
    return records.Of<Row>();
  }
  template <class Row>
  const typename Row::Record& Record() const {
    return records.Of<Row>();
  }

 private:
  // Requests reach the driver only while the capture window is still there.
  bool WindowAlive() const;
  void ConvertRgb(const uint8_t* data, MyBitmap& target) const;
  void ConvertYuy2(const uint8_t* data, MyBitmap& target) const;

  std::unique_ptr<CaptureDriver> driver;
};

// The live capture, or null (set and cleared by the windows that create and destroy it).
extern WebCam* currentWebCam;
// A frame callback is running: callbacks arriving meanwhile (a box pumping events) are dropped.
extern bool frameBusy;
