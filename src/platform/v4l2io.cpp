#include "platform/v4l2io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <libv4l2.h>
#include <linux/videodev2.h>
#include <sys/mman.h>
#include <sys/select.h>
#include <unistd.h>

namespace {

class LibV4l2Io : public V4l2Io {
 public:
  ~LibV4l2Io() override { Close(); }
  bool Open(const std::string& path) override {
    Close();
    fd = v4l2_open(path.c_str(), O_RDWR | O_NONBLOCK, 0);
    return fd >= 0;
  }
  void Close() override {
    if (fd >= 0) v4l2_close(fd);
    fd = -1;
  }
  int Ioctl(unsigned long request, void* argument) override {
    return v4l2_ioctl(fd, request, argument);
  }
  ssize_t Read(void* buffer, size_t length) override { return v4l2_read(fd, buffer, length); }
  void* Map(size_t length, int64_t offset) override {
    void* address = v4l2_mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
    return address == MAP_FAILED ? nullptr : address;
  }
  void Unmap(void* address, size_t length) override { v4l2_munmap(address, length); }
  int WaitReadable(int timeoutMs) override {
    if (fd < 0) {
      errno = EBADF;
      return -1;
    }
    fd_set set;
    FD_ZERO(&set);
    FD_SET(fd, &set);
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    int result = ::select(fd + 1, &set, nullptr, nullptr, &timeout);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
  }

 private:
  int fd = -1;
};

std::string Text(const uint8_t* bytes, size_t size) {
  const char* text = reinterpret_cast<const char*>(bytes);
  return std::string(text, strnlen(text, size));
}

}  // namespace

std::unique_ptr<V4l2Io> MakeLibV4l2Io() {
  return std::make_unique<LibV4l2Io>();
}

int XIoctl(V4l2Io& io, unsigned long request, void* argument) {
  int result;
  do {
    result = io.Ioctl(request, argument);
  } while (result == -1 && errno == EINTR);
  return result;
}

DeliveredFormat DeliveredFormatFor(uint32_t cameraPixelFormat) {
  if (cameraPixelFormat == V4L2_PIX_FMT_YUYV)
    return {V4L2_PIX_FMT_YUYV, 16, FourCc('Y', 'U', 'Y', '2')};
  return {V4L2_PIX_FMT_BGR24, 24, 0};
}

std::vector<V4l2FormatChoice> ListV4l2Formats(V4l2Io& io) {
  std::vector<V4l2FormatChoice> formats;
  for (uint32_t index = 0;; ++index) {
    v4l2_fmtdesc description{};
    description.index = index;
    description.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (XIoctl(io, VIDIOC_ENUM_FMT, &description) != 0) break;
    if (description.flags & V4L2_FMT_FLAG_EMULATED) continue;
    V4l2FormatChoice choice;
    choice.pixelFormat = description.pixelformat;
    choice.description = Text(description.description, sizeof description.description);
    for (uint32_t sizeIndex = 0;; ++sizeIndex) {
      v4l2_frmsizeenum size{};
      size.index = sizeIndex;
      size.pixel_format = description.pixelformat;
      if (XIoctl(io, VIDIOC_ENUM_FRAMESIZES, &size) != 0) break;
      if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
        choice.sizes.push_back({size.discrete.width, size.discrete.height});
        continue;
      }
      // A range: its smallest and largest sizes and the common sizes that fit the steps.
      const auto& range = size.stepwise;
      auto fits = [&](uint32_t w, uint32_t h) {
        const uint32_t stepW = std::max(1u, range.step_width);
        const uint32_t stepH = std::max(1u, range.step_height);
        return w >= range.min_width && w <= range.max_width && h >= range.min_height &&
               h <= range.max_height && (w - range.min_width) % stepW == 0 &&
               (h - range.min_height) % stepH == 0;
      };
      choice.sizes.push_back({range.min_width, range.min_height});
      for (V4l2FrameSize common :
           {V4l2FrameSize{320, 240}, V4l2FrameSize{640, 480}, V4l2FrameSize{800, 600},
            V4l2FrameSize{1280, 720}, V4l2FrameSize{1920, 1080}})
        if (fits(common.width, common.height) &&
            !(common.width == range.min_width && common.height == range.min_height) &&
            !(common.width == range.max_width && common.height == range.max_height))
          choice.sizes.push_back(common);
      if (range.max_width != range.min_width || range.max_height != range.min_height)
        choice.sizes.push_back({range.max_width, range.max_height});
      break;
    }
    formats.push_back(std::move(choice));
  }
  return formats;
}

std::vector<V4l2Control> ListV4l2Controls(V4l2Io& io) {
  std::vector<V4l2Control> controls;
  v4l2_queryctrl query{};
  query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
  while (XIoctl(io, VIDIOC_QUERYCTRL, &query) == 0) {
    const uint32_t id = query.id;
    const bool shown =
        !(query.flags & V4L2_CTRL_FLAG_DISABLED) &&
        (query.type == V4L2_CTRL_TYPE_INTEGER || query.type == V4L2_CTRL_TYPE_BOOLEAN ||
         query.type == V4L2_CTRL_TYPE_MENU || query.type == V4L2_CTRL_TYPE_INTEGER_MENU ||
         query.type == V4L2_CTRL_TYPE_BUTTON);
    if (shown) {
      V4l2Control control;
      control.id = id;
      control.type = query.type;
      control.name = Text(query.name, sizeof query.name);
      control.minimum = query.minimum;
      control.maximum = query.maximum;
      control.step = query.step == 0 ? 1 : query.step;
      control.defaultValue = query.default_value;
      control.readOnly = (query.flags & (V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_GRABBED)) != 0;
      if (query.type != V4L2_CTRL_TYPE_BUTTON) {
        v4l2_control current{};
        current.id = id;
        control.value =
            XIoctl(io, VIDIOC_G_CTRL, &current) == 0 ? current.value : query.default_value;
      }
      if (query.type == V4L2_CTRL_TYPE_MENU || query.type == V4L2_CTRL_TYPE_INTEGER_MENU) {
        for (int32_t item = query.minimum; item <= query.maximum; ++item) {
          v4l2_querymenu menu{};
          menu.id = id;
          menu.index = static_cast<uint32_t>(item);
          if (XIoctl(io, VIDIOC_QUERYMENU, &menu) != 0) continue;  // gaps are allowed
          control.menu.push_back({item, query.type == V4L2_CTRL_TYPE_MENU
                                            ? Text(menu.name, sizeof menu.name)
                                            : std::to_string(static_cast<long long>(menu.value))});
        }
      }
      controls.push_back(std::move(control));
    }
    query = v4l2_queryctrl{};
    query.id = id | V4L2_CTRL_FLAG_NEXT_CTRL;
  }
  return controls;
}

bool SetV4l2Control(V4l2Io& io, uint32_t id, int32_t value) {
  v4l2_control control{};
  control.id = id;
  control.value = value;
  return XIoctl(io, VIDIOC_S_CTRL, &control) == 0;
}

bool CanCapture(V4l2Io& io) {
  v4l2_capability capability{};
  if (XIoctl(io, VIDIOC_QUERYCAP, &capability) != 0) return false;
  const uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) ? capability.device_caps
                                                                         : capability.capabilities;
  return (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & (V4L2_CAP_STREAMING | V4L2_CAP_READWRITE));
}

std::string FindCaptureDevice(const std::vector<std::string>& paths,
                              const std::function<std::unique_ptr<V4l2Io>()>& makeIo) {
  for (const std::string& path : paths) {
    std::unique_ptr<V4l2Io> io = makeIo();
    if (!io->Open(path)) continue;
    const bool capture = CanCapture(*io);
    io->Close();
    if (capture) return path;
  }
  return {};
}

std::vector<std::string> VideoDevicePaths() {
  std::vector<std::pair<long, std::string>> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("video", 0) != 0 || name.size() == 5) continue;
    const std::string number = name.substr(5);
    if (!std::all_of(number.begin(), number.end(), ::isdigit)) continue;
    found.emplace_back(std::stol(number), entry.path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& item : found) paths.push_back(item.second);
  return paths;
}
