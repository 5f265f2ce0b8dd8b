#pragma once

#include <ctime>
#include <string>

#include <sys/types.h>

#include "bitmap/bmpfile.h"
#include "platform/capturebase.h"

// YUY2 groups for a 24-bit picture (bgr bottom line first), top line first, pixels paired in
// reading order: Y = round(0.299R + 0.587G + 0.114B) per pixel, U and V from the pair's first
// pixel.
std::vector<uint8_t> PictureToYuy2(const Bmp24& picture);

// A camera that films a 24-bit BMP file: a frame every preview period, the file read again whenever
// it changes (a test changes the scene by renaming a new picture over it). A missing picture is a
// camera that is not there.
class SimCamera : public CaptureDriverBase {
 public:
  SimCamera(std::string picturePath, bool yuy2);
  ~SimCamera() override;

  bool GetDriverCaps(CaptureCaps& caps) override;
  bool DlgVideoFormat() override;
  bool DlgVideoSource() override { return false; }
  bool DlgVideoDisplay() override { return false; }

  bool Yuy2() const { return yuy2; }

 protected:
  bool OpenCamera(int index) override;
  void CloseCamera() override;
  bool CameraFormat(CaptureVideoFormat& format) override;
  bool TakeNewestFrame(FrameBuffer& frame) override;

 private:
  struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool operator==(const FileStamp& other) const;
  };
  static FileStamp StampOf(const std::string& path);
  // Reads the picture again when the file changed; false while it is missing.
  bool Refresh();

  std::string path;
  bool yuy2;
  bool open = false;
  Bmp24 picture;
  FileStamp loadedStamp;
  FileStamp triedStamp;
};
