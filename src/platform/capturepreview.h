#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

// Layout of a camera frame's bytes.
enum class FramePixels {
  kBgrBottomUp,  // 3 bytes per pixel blue, green, red; bottom line first, no row padding
  kYuy2TopDown,  // groups Y0 U Y1 V for two pixels; top line first, pixels in reading order
  kOther,        // a format the station does not read; handed over untouched
};

// The data hold every pixel of a frame of that size in a layout the station reads.
bool FrameIsWhole(const uint8_t* data, uint32_t used, int32_t width, int32_t height,
                  FramePixels pixels);

// The frame as a top-down RGB picture for the screen and for still files (plain BT.601 for YUY2;
// the station's own conversion is WebCam's). Null when the data are short.
QImage FrameToImage(const uint8_t* data, uint32_t used, int32_t width, int32_t height,
                    FramePixels pixels);

// The preview: paints the newest frame, stretched to the widget when scaling is on.
class CapturePreview : public QWidget {
 public:
  explicit CapturePreview(QWidget* parent);

  void ShowFrame(QImage image);
  void SetScale(bool on);
  const QImage& Image() const { return image; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image;
  bool scale = false;
};
