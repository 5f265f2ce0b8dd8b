#include "inspection/linemarker.h"

#include <QPainter>
#include <algorithm>

namespace {

// Worked out in 64 bits: the record's values may be anything a file held.
QPoint Corner(int64_t x, int64_t y) {
  return QPoint(static_cast<int>(std::clamp<int64_t>(x, -kFarOutside, kFarOutside)),
                static_cast<int>(std::clamp<int64_t>(y, -kFarOutside, kFarOutside)));
}

constexpr int64_t kHalfBand = 10;  // the pen width

}  // namespace

LineOutline ReferenceBand(LineAxis axis, int32_t pointX, int32_t pointY, int32_t frameWidth,
                          int32_t frameHeight) {
  const int64_t w = frameWidth, h = frameHeight;
  if (axis == LineAxis::kHorizontal) {
    const int64_t y = h - pointY;
    return {Corner(5, y - kHalfBand), Corner(5, y + kHalfBand), Corner(w - 5, y + kHalfBand),
            Corner(w - 5, y - kHalfBand)};
  }
  const int64_t x = pointX;
  return {Corner(x - kHalfBand, 5), Corner(x - kHalfBand, h - 5), Corner(x + kHalfBand, h - 5),
          Corner(x + kHalfBand, 5)};
}

LineOutline ResultOutline(LineAxis axis, const ViewScale& scale, int32_t across, int32_t centre,
                          int32_t lineLength) {
  const int64_t half = lineLength / 2;
  if (axis == LineAxis::kHorizontal) {
    const int64_t xw = scale.WindowX(centre), yw = scale.WindowY(across);
    const int64_t left = xw - half, right = xw + half;
    const int64_t top = yw - kHalfBand, bottom = yw + kHalfBand;
    return {Corner(right, top), Corner(right, bottom), Corner(left, bottom), Corner(left, top)};
  }
  const int64_t xw = scale.WindowX(across), yw = scale.WindowY(centre);
  const int64_t left = xw - kHalfBand, right = xw + kHalfBand;
  const int64_t top = yw - half, bottom = yw + half;
  return {Corner(left, bottom), Corner(left, top), Corner(right, top), Corner(right, bottom)};
}

void DrawOutline(QPainter& painter, const LineOutline& outline) {
  painter.drawPolygon(outline.data(), static_cast<int>(outline.size()));
}
