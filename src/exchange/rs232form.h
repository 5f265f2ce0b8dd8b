#pragma once

#include <QDialog>

// The serial line's settings window.
class TRS232_Form : public QDialog {
  Q_OBJECT

 public:
  explicit TRS232_Form(QWidget* owner);
  ~TRS232_Form() override;
};

extern TRS232_Form* RS232_Form;
