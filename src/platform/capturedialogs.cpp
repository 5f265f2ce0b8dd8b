#include "platform/capturedialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QSpinBox>

#include "platform/formcontrols.h"

bool ShowRecordingDialog(QWidget* parent, int& quality) {
  QDialog dialog(parent);
  dialog.setObjectName("RecordingDialog");
  dialog.setWindowTitle("Compressione video");
  auto* layout = new QFormLayout(&dialog);
  auto* codec = new QComboBox(&dialog);
  codec->setObjectName("Codec");
  codec->addItem("Motion JPEG (MJPEG)");
  layout->addRow("Codec", codec);
  auto* qualityBox = new QSpinBox(&dialog);
  qualityBox->setObjectName("Quality");
  qualityBox->setRange(1, 100);
  qualityBox->setValue(quality);
  layout->addRow("Qualità", qualityBox);
  layout->addRow(MakeOkCancel(dialog));
  if (dialog.exec() != QDialog::Accepted) return false;
  quality = qualityBox->value();
  return true;
}
