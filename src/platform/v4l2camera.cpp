#include "platform/v4l2camera.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include <linux/videodev2.h>

#include "platform/formcontrols.h"

namespace {

constexpr uint32_t kBufferCount = 4;

QString FourCcText(uint32_t code) {
  char text[5] = {static_cast<char>(code & 0xFF), static_cast<char>((code >> 8) & 0xFF),
                  static_cast<char>((code >> 16) & 0xFF), static_cast<char>((code >> 24) & 0xFF),
                  0};
  return QString::fromLatin1(text);
}

}  // namespace

V4l2Camera::V4l2Camera(std::string path, IoFactory factory)
    : devicePath(std::move(path)), makeIo(std::move(factory)) {}

V4l2Camera::~V4l2Camera() {
  CloseCamera();
}

bool V4l2Camera::OpenCamera(int index) {
  if (index != 0) return false;
  CloseCamera();
  std::string path =
      devicePath.empty() ? FindCaptureDevice(VideoDevicePaths(), makeIo) : devicePath;
  if (path.empty()) return false;
  io = makeIo();
  if (!io->Open(path) || !CanCapture(*io)) {
    io.reset();
    return false;
  }
  if (!StartStream(0, 0, 0)) {
    io->Close();
    io.reset();
    return false;
  }
  return true;
}

void V4l2Camera::CloseCamera() {
  StopStream();
  if (io) io->Close();
  io.reset();
}

bool V4l2Camera::StartStream(uint32_t wantedFormat, uint32_t wantedWidth, uint32_t wantedHeight) {
  v4l2_format format{};
  format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  if (XIoctl(*io, VIDIOC_G_FMT, &format) != 0) return false;
  cameraPixelFormat = wantedFormat != 0 ? wantedFormat : format.fmt.pix.pixelformat;
  const DeliveredFormat delivered = DeliveredFormatFor(cameraPixelFormat);
  if (wantedWidth != 0) {
    format.fmt.pix.width = wantedWidth;
    format.fmt.pix.height = wantedHeight;
  }
  format.fmt.pix.pixelformat = delivered.requestPixelFormat;
  format.fmt.pix.field = V4L2_FIELD_NONE;
  format.fmt.pix.bytesperline = 0;
  // A refused format leaves the camera's own; what it really gives is read back below.
  XIoctl(*io, VIDIOC_S_FMT, &format);
  if (XIoctl(*io, VIDIOC_G_FMT, &format) != 0) return false;
  width = format.fmt.pix.width;
  height = format.fmt.pix.height;
  pixelFormat = format.fmt.pix.pixelformat;
  bytesPerLine = format.fmt.pix.bytesperline;
  if (width == 0 || height == 0) return false;
  if (pixelFormat == V4L2_PIX_FMT_YUYV) {
    pixels = FramePixels::kYuy2TopDown;
    bytesPerLine = std::max(bytesPerLine, width * 2);
  } else if (pixelFormat == V4L2_PIX_FMT_BGR24) {
    pixels = FramePixels::kBgrBottomUp;
    bytesPerLine = std::max(bytesPerLine, width * 3);
  } else {
    pixels = FramePixels::kOther;
  }

  v4l2_streamparm parameters{};
  parameters.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  framePeriodMs = 33;
  if (XIoctl(*io, VIDIOC_G_PARM, &parameters) == 0 &&
      parameters.parm.capture.timeperframe.denominator != 0) {
    const auto& period = parameters.parm.capture.timeperframe;
    framePeriodMs = std::clamp<int>(1000 * period.numerator / period.denominator, 1, 2000);
  }

  v4l2_capability capability{};
  XIoctl(*io, VIDIOC_QUERYCAP, &capability);
  const uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) ? capability.device_caps
                                                                         : capability.capabilities;
  streaming = (caps & V4L2_CAP_STREAMING) != 0;
  if (streaming) {
    v4l2_requestbuffers request{};
    request.count = kBufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (XIoctl(*io, VIDIOC_REQBUFS, &request) != 0 || request.count == 0) return false;
    for (uint32_t i = 0; i < request.count; ++i) {
      v4l2_buffer buffer{};
      buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
      buffer.memory = V4L2_MEMORY_MMAP;
      buffer.index = i;
      void* address = nullptr;
      if (XIoctl(*io, VIDIOC_QUERYBUF, &buffer) == 0)
        address = io->Map(buffer.length, buffer.m.offset);
      if (address == nullptr || XIoctl(*io, VIDIOC_QBUF, &buffer) != 0) {
        if (address) io->Unmap(address, buffer.length);
        StopStream();
        return false;
      }
      buffers.push_back({address, buffer.length});
    }
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (XIoctl(*io, VIDIOC_STREAMON, &type) != 0) {
      StopStream();
      return false;
    }
  } else {
    readBuffer.resize(std::max<size_t>(format.fmt.pix.sizeimage, size_t{bytesPerLine} * height));
  }
  stopRequested = false;
  lost = false;
  {
    std::lock_guard lock(frameMutex);
    newestFresh = false;
  }
  reader = std::thread([this] { Loop(); });
  return true;
}

void V4l2Camera::StopStream() {
  stopRequested = true;
  if (reader.joinable()) reader.join();
  if (!io) return;
  if (streaming && !buffers.empty()) {
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    XIoctl(*io, VIDIOC_STREAMOFF, &type);
  }
  for (const Mapped& buffer : buffers) io->Unmap(buffer.address, buffer.length);
  if (streaming && !buffers.empty()) {
    v4l2_requestbuffers request{};
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    XIoctl(*io, VIDIOC_REQBUFS, &request);
  }
  buffers.clear();
  readBuffer.clear();
}

void V4l2Camera::Loop() {
  // A few frame periods, short enough to notice a stop request soon.
  const int timeoutMs = std::clamp(framePeriodMs * 4, 100, 500);
  while (!stopRequested) {
    const int ready = io->WaitReadable(timeoutMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      lost = true;
      return;
    }
    if (ready == 0) continue;  // stalled camera: no frames, keep waiting
    if (streaming) {
      v4l2_buffer buffer{};
      buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
      buffer.memory = V4L2_MEMORY_MMAP;
      if (XIoctl(*io, VIDIOC_DQBUF, &buffer) != 0) {
        if (errno == EAGAIN) continue;
        lost = true;  // ENODEV / EIO: unplugged
        return;
      }
      if (!(buffer.flags & V4L2_BUF_FLAG_ERROR) && buffer.index < buffers.size())
        Store(static_cast<const uint8_t*>(buffers[buffer.index].address),
              std::min<uint32_t>(buffer.bytesused, buffers[buffer.index].length));
      if (XIoctl(*io, VIDIOC_QBUF, &buffer) != 0) {
        lost = true;
        return;
      }
    } else {
      const ssize_t count = io->Read(readBuffer.data(), readBuffer.size());
      if (count < 0) {
        if (errno == EAGAIN || errno == EINTR) continue;
        lost = true;
        return;
      }
      Store(readBuffer.data(), static_cast<uint32_t>(count));
    }
  }
}

void V4l2Camera::Store(const uint8_t* data, uint32_t used) {
  filling.width = static_cast<int32_t>(width);
  filling.height = static_cast<int32_t>(height);
  filling.pixels = pixels;
  const size_t rowBytes = pixels == FramePixels::kBgrBottomUp   ? size_t{width} * 3
                          : pixels == FramePixels::kYuy2TopDown ? size_t{width} * 2
                                                                : 0;
  if (rowBytes != 0 && used >= size_t{bytesPerLine} * (height - 1) + rowBytes) {
    // Rows without padding; BGR rows reversed to bottom line first.
    filling.bytes.resize(rowBytes * height);
    for (uint32_t y = 0; y < height; ++y) {
      const uint32_t target = pixels == FramePixels::kBgrBottomUp ? height - 1 - y : y;
      std::memcpy(filling.bytes.data() + rowBytes * target, data + size_t{bytesPerLine} * y,
                  rowBytes);
    }
    filling.used = static_cast<uint32_t>(rowBytes * height);
  } else {
    // Short or unknown: handed over as it came, for the station to refuse.
    filling.bytes.assign(data, data + used);
    filling.used = used;
  }
  FeedRecorder(filling.bytes.data(), filling.used, filling.width, filling.height, filling.pixels);
  std::lock_guard lock(frameMutex);
  std::swap(filling, newest);
  newestFresh = true;
}

bool V4l2Camera::CameraFormat(CaptureVideoFormat& format) {
  if (!io || lost) return false;
  format.width = static_cast<int32_t>(width);
  format.height = static_cast<int32_t>(height);
  if (pixels == FramePixels::kOther) {
    format.bitCount = 0;
    format.compression = pixelFormat;
  } else {
    const DeliveredFormat delivered = DeliveredFormatFor(pixelFormat);
    format.bitCount = delivered.bitCount;
    format.compression = delivered.compression;
  }
  format.sizeImage = width * height * (format.bitCount / 8);
  return true;
}

bool V4l2Camera::TakeNewestFrame(FrameBuffer& frame) {
  if (!io || lost) return false;
  std::lock_guard lock(frameMutex);
  if (!newestFresh) return false;
  std::swap(frame, newest);
  newestFresh = false;
  return true;
}

bool V4l2Camera::GetDriverCaps(CaptureCaps& caps) {
  if (!WindowExists() || !Connected() || !io || lost) return false;
  caps = CaptureCaps{};
  caps.hasDlgVideoFormat = true;
  caps.hasDlgVideoSource = !ListV4l2Controls(*io).empty();
  return true;
}

bool V4l2Camera::DlgVideoFormat() {
  if (!WindowExists() || !Connected() || !io || lost) return false;
  const std::vector<V4l2FormatChoice> formats = ListV4l2Formats(*io);
  QDialog dialog;
  dialog.setObjectName("V4l2FormatDialog");
  dialog.setWindowTitle("Formato video");
  auto* layout = new QFormLayout(&dialog);
  auto* choice = new QComboBox(&dialog);
  choice->setObjectName("Format");
  for (const V4l2FormatChoice& format : formats)
    for (const V4l2FrameSize& size : format.sizes) {
      choice->addItem(
          QString("%1 (%2) %3x%4")
              .arg(QString::fromStdString(format.description), FourCcText(format.pixelFormat))
              .arg(size.width)
              .arg(size.height),
          QList<QVariant>{format.pixelFormat, size.width, size.height});
      if (format.pixelFormat == cameraPixelFormat && size.width == width && size.height == height)
        choice->setCurrentIndex(choice->count() - 1);
    }
  layout->addRow("Formato", choice);
  layout->addRow(MakeOkCancel(dialog));
  if (dialog.exec() != QDialog::Accepted || choice->count() == 0 || !io) return false;
  const QList<QVariant> chosen = choice->currentData().toList();
  StopStream();
  if (StartStream(chosen[0].toUInt(), chosen[1].toUInt(), chosen[2].toUInt())) return true;
  lost = true;  // the camera took neither the new format nor a restart
  return false;
}

bool V4l2Camera::DlgVideoSource() {
  if (!WindowExists() || !Connected() || !io || lost) return false;
  const std::vector<V4l2Control> controls = ListV4l2Controls(*io);
  if (controls.empty()) return false;
  QDialog dialog;
  dialog.setObjectName("V4l2SourceDialog");
  dialog.setWindowTitle("Sorgente video");
  auto* outer = new QVBoxLayout(&dialog);
  auto* area = new QScrollArea(&dialog);
  auto* page = new QWidget;
  auto* layout = new QFormLayout(page);
  V4l2Io* device = io.get();
  for (const V4l2Control& control : controls) {
    const QString name = QString::fromStdString(control.name);
    const uint32_t id = control.id;
    QWidget* editor = nullptr;
    if (control.type == V4L2_CTRL_TYPE_BOOLEAN) {
      auto* box = new QCheckBox(page);
      box->setChecked(control.value != 0);
      QObject::connect(box, &QCheckBox::toggled,
                       [device, id](bool on) { SetV4l2Control(*device, id, on ? 1 : 0); });
      editor = box;
    } else if (control.type == V4L2_CTRL_TYPE_MENU || control.type == V4L2_CTRL_TYPE_INTEGER_MENU) {
      auto* box = new QComboBox(page);
      for (const V4l2MenuItem& item : control.menu) {
        box->addItem(QString::fromStdString(item.name), static_cast<int>(item.value));
        if (item.value == control.value) box->setCurrentIndex(box->count() - 1);
      }
      QObject::connect(box, &QComboBox::activated, [device, id, box](int index) {
        SetV4l2Control(*device, id, box->itemData(index).toInt());
      });
      editor = box;
    } else if (control.type == V4L2_CTRL_TYPE_BUTTON) {
      auto* button = new QPushButton(name, page);
      QObject::connect(button, &QPushButton::clicked,
                       [device, id] { SetV4l2Control(*device, id, 1); });
      editor = button;
    } else {
      auto* slider = new QSlider(Qt::Horizontal, page);
      slider->setRange(control.minimum, control.maximum);
      slider->setSingleStep(control.step);
      slider->setValue(control.value);
      QObject::connect(slider, &QSlider::valueChanged,
                       [device, id](int value) { SetV4l2Control(*device, id, value); });
      editor = slider;
    }
    editor->setObjectName(name);
    editor->setEnabled(!control.readOnly);
    layout->addRow(name, editor);
  }
  area->setWidget(page);
  area->setWidgetResizable(true);
  outer->addWidget(area);
  outer->addWidget(MakeOkCancel(dialog));
  if (dialog.exec() == QDialog::Accepted) return true;
  // Cancelled: the values the camera had when the dialog opened.
  if (io)
    for (const V4l2Control& control : controls)
      if (control.type != V4L2_CTRL_TYPE_BUTTON && !control.readOnly)
        SetV4l2Control(*io, control.id, control.value);
  return false;
}
