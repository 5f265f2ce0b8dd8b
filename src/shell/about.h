#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QShowEvent;

// The information window: the maker and the program's version.
class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* owner);

  void FormShow();
  void ExitButtonClick();

  QFrame* OrvantBevel;
  QLabel* OrvantLogo;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QFrame* Bevel2;
  QLabel* VerLbl;
  QPushButton* ExitButton;

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TAboutForm* AboutForm;

// The version the information window shows.
extern const char* const kProgramVersion;
