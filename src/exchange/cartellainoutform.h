#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The window in which the operator sets the file channel's three folders.
class TCartellaInOut : public QDialog {
  Q_OBJECT

 public:
  explicit TCartellaInOut(QWidget* owner);

  void FormShow();
  void FileInBtnClick();
  void FileOutBtnClick();
  void FileElabBtnClick();
  void ExitButtonClick();

  // Ok is the only way out: Esc and the window manager's close do nothing.
  void reject() override {}

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Browse(QLineEdit* edit, std::string& folder);

  QLineEdit* CartellaFileInEdit;
  QLineEdit* CartellaFileOutEdit;
  QLineEdit* CartellaFileElabEdit;
  QPushButton* FileInBtn;
  QPushButton* FileOutBtn;
  QPushButton* FileElabBtn;
  QPushButton* ExitButton;
};

extern TCartellaInOut* CartellaInOut;
