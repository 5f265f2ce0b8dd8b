#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/capturebase.h"
#include "platform/v4l2io.h"

// A V4L2 camera through libv4l2. Frames are read on a thread of its own that waits a few frame
// periods at a time; only the newest frame is kept for the user-interface thread. A camera that
// stalls simply stops delivering; one that is unplugged reports itself gone.
class V4l2Camera : public CaptureDriverBase {
 public:
  using IoFactory = std::function<std::unique_ptr<V4l2Io>()>;
  // Empty devicePath: the first /dev/video* that captures.
  explicit V4l2Camera(std::string devicePath, IoFactory makeIo = MakeLibV4l2Io);
  ~V4l2Camera() override;

  bool GetDriverCaps(CaptureCaps& caps) override;
  bool DlgVideoFormat() override;
  bool DlgVideoSource() override;
  bool DlgVideoDisplay() override { return false; }

 protected:
  bool OpenCamera(int index) override;
  void CloseCamera() override;
  bool CameraFormat(CaptureVideoFormat& format) override;
  bool TakeNewestFrame(FrameBuffer& frame) override;

 private:
  struct Mapped {
    void* address = nullptr;
    size_t length = 0;
  };
  // Sets the format (pixelFormat 0: keep the camera's), maps the buffers, starts the thread.
  bool StartStream(uint32_t pixelFormat, uint32_t width, uint32_t height);
  void StopStream();
  void Loop();
  void Store(const uint8_t* data, uint32_t used);

  std::string devicePath;
  IoFactory makeIo;
  std::unique_ptr<V4l2Io> io;
  bool streaming = false;  // mmap streaming, otherwise read()
  std::vector<Mapped> buffers;
  std::vector<uint8_t> readBuffer;

  // Format of the running stream.
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bytesPerLine = 0;
  uint32_t pixelFormat = 0;
  uint32_t cameraPixelFormat = 0;  // what was asked of the camera before libv4l2 conversion
  FramePixels pixels = FramePixels::kOther;
  int framePeriodMs = 33;

  std::thread reader;
  std::atomic<bool> stopRequested{false};
  std::atomic<bool> lost{false};
  std::mutex frameMutex;
  FrameBuffer filling;
  FrameBuffer newest;
  bool newestFresh = false;
};
