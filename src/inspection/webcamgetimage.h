#pragma once

#include "inspection/teachwindow.h"
#include "methods/webcam_sistemavisione_image.h"

class QGroupBox;
class QLabel;

// The whole-image teach window: the snapshot itself is the reference, no pick follows.
class TWebCamForm_GetImage : public TeachWindowOf<ImageMethod> {
 public:
  explicit TWebCamForm_GetImage(QWidget* owner, bool autoOpening = false);

  QPushButton* AcqImgBtn = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* TollLbl = nullptr;
  ImageControl* curImage = nullptr;

  void ShowImageReference();

 protected:
  void ShowParams() override;
  void DrawReference() override { ShowImageReference(); }
  const char* PickInstruction() const override { return ""; }
  void RunTestWindow() override;
  void SnapshotTaken() override;

 private:
  void ShowTolerance(const char* format);

  // The tolerance reads "Tolleranza sul colore=" when the window opens and "Tolleranza=" once a
  // picture has been taken or the test window has been open.
  bool shortToleranceText = false;
};

extern TWebCamForm_GetImage* WebCamForm_GetImage;
