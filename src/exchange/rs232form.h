#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ShapeControl;

// The serial line's settings window. Showing it reopens the port with the settings shown, and so
// does every change of either edit; the lamp tells whether the port opened.
class TRS232_Form : public QDialog {
  Q_OBJECT

 public:
  explicit TRS232_Form(QWidget* owner);
  ~TRS232_Form() override;

  void FormShow();
  void Edit1Change();
  void ExitButtonClick();
  // Takes the settings from the controls and replaces the port; true when it opened without error.
  bool ReopenSerialPort();

  // Ok is the only way out: Esc and the window manager's close do nothing.
  void reject() override {}

  bool ready = false;

  QLabel* Label1;
  QLineEdit* Edit1;
  ShapeControl* SpiaComPlcON;
  QLabel* Label2;
  QLineEdit* Edit2;
  QLabel* Label3;
  QComboBox* ComboBox1;
  QLabel* Label4;
  QComboBox* ComboBox2;
  QLabel* Label5;
  QComboBox* ComboBox3;
  QPushButton* ExitButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowLamp(bool open);
};

extern TRS232_Form* RS232_Form;

// A drop-down box's position as the window reads it: the item equal to the text shown, -1 when the
// typed text is none of the items.
int ComboPosition(const QComboBox* box);
