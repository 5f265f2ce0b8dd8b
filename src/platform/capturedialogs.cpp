#include "platform/capturedialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

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
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  layout->addRow(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return false;
  quality = qualityBox->value();
  return true;
}
