#pragma once

#include <QDialog>

class QPushButton;

// The utilities window: the auto-start choice and the exchange method.
class TUtlForm : public QDialog {
  Q_OBJECT

 public:
  explicit TUtlForm(QWidget* owner);

  void FormShow() {}
  void AvvioAutoBtnClick();
  void SceltaInOutBtnClick();
  void ExitButtonClick();

  QPushButton* AvvioAutoBtn;
  QPushButton* SceltaInOutBtn;
  QPushButton* ExitButton;
};

extern TUtlForm* UtlForm;
