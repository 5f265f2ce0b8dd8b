#include "shell/opzioni.h"

#include <QPushButton>

#include "capture/webcam.h"
#include "platform/formcontrols.h"

TOptionsForm* OptionsForm = nullptr;

TOptionsForm::TOptionsForm(QWidget* owner) : QDialog(owner) {
  setObjectName("OptionsForm");
  SetDialogFrame(this, "OPZIONI", 273, 353, false);
  BitBtn1 = MakeImageButton(this, "BitBtn1", "Impostazioni webcam", 29, 18, 203, 40, "options");
  BitBtn2 = MakeImageButton(this, "BitBtn2", "Compressione video", 29, 64, 203, 40, "film");
  BitBtn3 = MakeImageButton(this, "BitBtn3", "Video display", 29, 110, 203, 40, "display");
  BitBtn4 = MakeImageButton(this, "BitBtn4", "Proprietà webcam", 29, 156, 203, 40, "camera");
  ExitButton = MakeImageButton(this, "ExitButton", " OK", 29, 270, 203, 58, "ok");
  connect(BitBtn1, &QPushButton::clicked, this, &TOptionsForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TOptionsForm::BitBtn2Click);
  connect(BitBtn3, &QPushButton::clicked, this, &TOptionsForm::BitBtn3Click);
  connect(BitBtn4, &QPushButton::clicked, this, &TOptionsForm::BitBtn4Click);
  connect(ExitButton, &QPushButton::clicked, this, &TOptionsForm::ExitButtonClick);
}

// A dialog the driver does not offer is reported by WebCam itself.
void TOptionsForm::BitBtn1Click() {
  if (currentWebCam) currentWebCam->ShowFormatDialog();
}

void TOptionsForm::BitBtn2Click() {
  if (currentWebCam) currentWebCam->ShowCompressionDialog();
}

void TOptionsForm::BitBtn3Click() {
  if (currentWebCam) currentWebCam->ShowDisplayDialog();
}

void TOptionsForm::BitBtn4Click() {
  if (currentWebCam) currentWebCam->ShowSourceDialog();
}

void TOptionsForm::ExitButtonClick() {
  close();
}
