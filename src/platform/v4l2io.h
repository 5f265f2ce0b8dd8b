#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/types.h>

// The few calls the V4L2 camera makes on a device, so that tests can stand in for a camera.
class V4l2Io {
 public:
  virtual ~V4l2Io() = default;
  virtual bool Open(const std::string& path) = 0;
  virtual void Close() = 0;
  // As ioctl(2): -1 with errno set on failure.
  virtual int Ioctl(unsigned long request, void* argument) = 0;
  virtual ssize_t Read(void* buffer, size_t length) = 0;
  virtual void* Map(size_t length, int64_t offset) = 0;  // nullptr on failure
  virtual void Unmap(void* address, size_t length) = 0;
  // Waits until a frame can be read: 1 ready, 0 timed out, -1 failed (errno set).
  virtual int WaitReadable(int timeoutMs) = 0;
};

// libv4l2 on a real device (its conversion gives RGB from compressed cameras).
std::unique_ptr<V4l2Io> MakeLibV4l2Io();

// ioctl retried while interrupted.
int XIoctl(V4l2Io& io, unsigned long request, void* argument);

constexpr uint32_t FourCc(char a, char b, char c, char d) {
  return static_cast<uint32_t>(a) | (static_cast<uint32_t>(b) << 8) |
         (static_cast<uint32_t>(c) << 16) | (static_cast<uint32_t>(d) << 24);
}

// How frames of a camera format reach the station: YUYV as 16-bit YUY2 as the camera gives it,
// anything else converted by libv4l2 to BGR24, delivered as 24-bit RGB bottom line first.
struct DeliveredFormat {
  uint32_t requestPixelFormat = 0;  // what the device (through libv4l2) is asked for
  uint16_t bitCount = 0;
  uint32_t compression = 0;
};
DeliveredFormat DeliveredFormatFor(uint32_t cameraPixelFormat);

struct V4l2FrameSize {
  uint32_t width = 0;
  uint32_t height = 0;
};

struct V4l2FormatChoice {
  uint32_t pixelFormat = 0;
  std::string description;
  std::vector<V4l2FrameSize> sizes;  // discrete sizes, or a few steps of a stepwise range
};

// Formats and sizes the camera itself offers (no emulated ones).
std::vector<V4l2FormatChoice> ListV4l2Formats(V4l2Io& io);

struct V4l2MenuItem {
  int64_t value = 0;
  std::string name;
};

struct V4l2Control {
  uint32_t id = 0;
  uint32_t type = 0;  // V4L2_CTRL_TYPE_*
  std::string name;
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t step = 1;
  int32_t defaultValue = 0;
  int32_t value = 0;
  bool readOnly = false;
  std::vector<V4l2MenuItem> menu;
};

// The user controls of the camera (integers, booleans, menus, buttons) with their current values;
// disabled controls and control classes are left out.
std::vector<V4l2Control> ListV4l2Controls(V4l2Io& io);
bool SetV4l2Control(V4l2Io& io, uint32_t id, int32_t value);

// True when the opened device captures video.
bool CanCapture(V4l2Io& io);

// The first of the /dev/video* paths (in number order) that opens and captures; empty when none.
std::string FindCaptureDevice(const std::vector<std::string>& paths,
                              const std::function<std::unique_ptr<V4l2Io>()>& makeIo);
std::vector<std::string> VideoDevicePaths();
