#pragma once

#include <QDialog>
#include <array>

class QPushButton;
class QRadioButton;
class QShowEvent;

// The auto-start window: which method's test opens by itself at the next start.
class TAvvioAutoForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAvvioAutoForm(QWidget* owner);

  void FormShow();
  void ExitButtonClick();

  // Ok is the only way out.
  void reject() override {}

  QRadioButton* NoOpRB;
  QRadioButton* PuntoRB;
  QRadioButton* ZonaRB;
  QRadioButton* LineaVertRB;
  QRadioButton* LineaOriRB;
  QRadioButton* ImgRB;
  QRadioButton* DimRB;
  QPushButton* ExitButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // In startWindow order: NoOpRB (0) ... DimRB (6).
  std::array<QRadioButton*, 7> choices;
};

extern TAvvioAutoForm* AvvioAutoForm;
