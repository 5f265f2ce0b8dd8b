#include "platform/simcamera.h"

#include <QDialog>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include <sys/stat.h>

#include "platform/formcontrols.h"

namespace {

uint8_t ClampByte(long value) {
  return static_cast<uint8_t>(std::clamp(value, 0L, 255L));
}

}  // namespace

std::vector<uint8_t> PictureToYuy2(const Bmp24& picture) {
  const size_t pixelCount = static_cast<size_t>(picture.width) * picture.height;
  std::vector<uint8_t> out((pixelCount + 1) / 2 * 4, 0);
  auto pixelAt = [&](size_t i, double& r, double& g, double& b) {
    const size_t row = static_cast<size_t>(picture.height) - 1 - i / picture.width;
    const uint8_t* p = picture.bgr.data() + (row * picture.width + i % picture.width) * 3;
    b = p[0];
    g = p[1];
    r = p[2];
  };
  for (size_t i = 0; i < pixelCount; i += 2) {
    double r, g, b;
    pixelAt(i, r, g, b);
    const long y0 = std::lround(0.299 * r + 0.587 * g + 0.114 * b);
    const uint8_t u = ClampByte(std::lround(128 + 0.564 * (b - y0)));
    const uint8_t v = ClampByte(std::lround(128 + 0.713 * (r - y0)));
    long y1 = y0;  // an odd pixel count leaves the last pair's second pixel outside the picture
    if (i + 1 < pixelCount) {
      pixelAt(i + 1, r, g, b);
      y1 = std::lround(0.299 * r + 0.587 * g + 0.114 * b);
    }
    uint8_t* group = out.data() + i / 2 * 4;
    group[0] = ClampByte(y0);
    group[1] = u;
    group[2] = ClampByte(y1);
    group[3] = v;
  }
  return out;
}

bool SimCamera::FileStamp::operator==(const FileStamp& other) const {
  return exists == other.exists && device == other.device && inode == other.inode &&
         size == other.size && modified.tv_sec == other.modified.tv_sec &&
         modified.tv_nsec == other.modified.tv_nsec;
}

SimCamera::FileStamp SimCamera::StampOf(const std::string& path) {
  FileStamp stamp;
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = info.st_size;
  stamp.modified = info.st_mtim;
  return stamp;
}

SimCamera::SimCamera(std::string picturePath, bool yuy2)
    : path(std::move(picturePath)), yuy2(yuy2) {}

SimCamera::~SimCamera() {
  CloseCamera();
}

bool SimCamera::OpenCamera(int index) {
  if (index != 0) return false;
  loadedStamp = triedStamp = FileStamp{};
  open = Refresh();
  return open;
}

void SimCamera::CloseCamera() {
  open = false;
  picture = Bmp24{};
}

bool SimCamera::Refresh() {
  FileStamp stamp = StampOf(path);
  if (!stamp.exists) return false;
  if (stamp == loadedStamp || stamp == triedStamp) return !picture.bgr.empty();
  triedStamp = stamp;
  Bmp24 fresh;
  // A picture that cannot be read (half written, not 24-bit) leaves the last good one on screen.
  if (!ReadBmp24File(path, fresh)) return !picture.bgr.empty();
  picture = std::move(fresh);
  loadedStamp = stamp;
  return true;
}

bool SimCamera::CameraFormat(CaptureVideoFormat& format) {
  if (!open || picture.bgr.empty() || !StampOf(path).exists) return false;
  format.width = picture.width;
  format.height = picture.height;
  format.bitCount = yuy2 ? 16 : 24;
  format.compression = yuy2 ? kFourccYuy2 : 0;
  format.sizeImage = static_cast<uint32_t>(picture.width * picture.height * (yuy2 ? 2 : 3));
  return true;
}

bool SimCamera::TakeNewestFrame(FrameBuffer& frame) {
  if (!open || !Refresh()) return false;
  if (yuy2) {
    frame.bytes = PictureToYuy2(picture);
    frame.pixels = FramePixels::kYuy2TopDown;
  } else {
    frame.bytes.assign(picture.bgr.begin(), picture.bgr.end());
    frame.pixels = FramePixels::kBgrBottomUp;
  }
  frame.used = static_cast<uint32_t>(frame.bytes.size());
  frame.width = picture.width;
  frame.height = picture.height;
  FeedRecorder(frame.bytes.data(), frame.used, frame.width, frame.height, frame.pixels);
  return true;
}

bool SimCamera::GetDriverCaps(CaptureCaps& caps) {
  if (!WindowExists() || !Connected()) return false;
  caps = CaptureCaps{};
  caps.hasDlgVideoFormat = true;
  return true;
}

bool SimCamera::DlgVideoFormat() {
  if (!WindowExists() || !Connected()) return false;
  QDialog dialog;
  dialog.setObjectName("SimFormatDialog");
  dialog.setWindowTitle("Formato video");
  auto* layout = new QVBoxLayout(&dialog);
  auto* rgb = new QRadioButton("RGB 24 bit", &dialog);
  rgb->setObjectName("Rgb24");
  auto* yuy2Button = new QRadioButton("YUY2 16 bit", &dialog);
  yuy2Button->setObjectName("Yuy2");
  (yuy2 ? yuy2Button : rgb)->setChecked(true);
  layout->addWidget(rgb);
  layout->addWidget(yuy2Button);
  layout->addWidget(MakeOkCancel(dialog));
  if (dialog.exec() != QDialog::Accepted) return false;
  yuy2 = yuy2Button->isChecked();
  return true;
}
