#pragma once

#include <QDialog>

class QPushButton;

// The webcam options window: the capture driver's own setting dialogs.
class TOptionsForm : public QDialog {
  Q_OBJECT

 public:
  explicit TOptionsForm(QWidget* owner);

  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void BitBtn4Click();
  void ExitButtonClick();

  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
  QPushButton* BitBtn4;
  QPushButton* ExitButton;
};

extern TOptionsForm* OptionsForm;
