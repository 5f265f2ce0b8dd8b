#pragma once

#include <cstdint>

#include "bitmap/mybitmap.h"
#include "methods/methodparams.h"

// The whole-image method: the whole frame must still look like the reference. The record is the
// common part alone (path, reference, stored, tolerance 94).
struct ImageParams : MethodRecord {};

// The whole-image method's row of the method table. First in the record order: a stored picture's
// size becomes the frame size the later records are created with.
struct ImageMethod {
  using Record = ImageParams;
  static constexpr int32_t kNumber = 5;
  static constexpr char kFileName[] = "webcam_image.dat";
  static constexpr int32_t kDefaultTolerance = 94;
  static constexpr int kOutputs = 0;  // pass or fail only
  static const ParamFileMessages& Messages();

  // The file's fields in file order, for reading and for writing alike.
  template <class Io, class R, class Size>
  static void Fields(Io& io, R& image, Size& frameWidth, Size& frameHeight) {
    io.Header();
    io.Flag(image.stored);
    io.Word(image.tolerance);
    if (image.stored) io.Image(image.reference.get(), frameWidth, frameHeight);
  }
};

// The check. W and H are the frame size known to the capture. Over every pixel of the W x H frame,
// the mean absolute difference between frame and reference, per channel, within the tolerance
// threshold; a pixel outside a bitmap reads black. A frame without pixels fails.
bool CompareImage(const ImageParams& image, const MyBitmap& frame, int32_t frameWidth,
                  int32_t frameHeight);
