#include "platform/capturepreview.h"

#include <QPainter>
#include <algorithm>

#include "bitmap/bmpfile.h"

namespace {

uint8_t Clamp(int value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

bool FrameIsWhole(const uint8_t* data, uint32_t used, int32_t width, int32_t height,
                  FramePixels pixels) {
  if (width <= 0 || height <= 0 || data == nullptr) return false;
  const uint64_t pixelCount = static_cast<uint64_t>(width) * height;
  if (pixels == FramePixels::kBgrBottomUp) return used >= pixelCount * 3;
  return pixels == FramePixels::kYuy2TopDown && used >= (pixelCount + 1) / 2 * 4;
}

QImage FrameToImage(const uint8_t* data, uint32_t used, int32_t width, int32_t height,
                    FramePixels pixels) {
  if (!FrameIsWhole(data, used, width, height, pixels)) return {};
  const uint64_t pixelCount = static_cast<uint64_t>(width) * height;
  QImage image(width, height, QImage::Format_RGB888);
  if (image.isNull()) return {};
  if (pixels == FramePixels::kBgrBottomUp) {
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* source = data + static_cast<size_t>(height - 1 - y) * width * 3;
      SwapRedBlue(source, image.scanLine(y), width);
    }
    return image;
  }
  for (uint64_t i = 0; i < pixelCount; ++i) {
    const uint8_t* group = data + (i / 2) * 4;
    const int y = group[(i % 2) * 2] - 16;
    const int u = group[1] - 128;
    const int v = group[3] - 128;
    uint8_t* target = image.scanLine(static_cast<int>(i / width)) + (i % width) * 3;
    target[0] = Clamp((298 * y + 409 * v + 128) >> 8);
    target[1] = Clamp((298 * y - 100 * u - 208 * v + 128) >> 8);
    target[2] = Clamp((298 * y + 516 * u + 128) >> 8);
  }
  return image;
}

CapturePreview::CapturePreview(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CapturePreview::ShowFrame(QImage newImage) {
  image = std::move(newImage);
  update();
}

void CapturePreview::SetScale(bool on) {
  scale = on;
  update();
}

void CapturePreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (image.isNull()) return;
  if (scale)
    painter.drawImage(rect(), image);
  else
    painter.drawImage(QPoint(0, 0), image);
}
