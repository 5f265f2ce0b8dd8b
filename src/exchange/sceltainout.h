#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

class QPushButton;
class QRadioButton;

// The channel through which the controller talks to the station, kept in Data/MetodoInOut.dat.
class MetodoInOut {
 public:
  MetodoInOut();
  void Load();
  bool Save();

  std::string path;
  int32_t metodo = 0;  // 0 none, 1 files, 2 serial RS232, 3 TCP/IP
};

extern MetodoInOut* exchangeMethod;

// The word that stands for a method number in log lines.
std::string ExchangeMethodWord(int32_t metodo);

// Ends the message loop after a change of exchange method WITHOUT the main window's shutdown
// sequence: no closing line, no channel closing. The default calls QCoreApplication::exit(0), which
// also ends every nested modal loop. The main window must therefore not run its shutdown from
// aboutToQuit or from its destructor: it runs only from its own close handler (closeEvent), which
// exit() does not reach. Tests replace the hook to watch for the request.
extern std::function<void()> requestQuitWithoutShutdown;

// The window in which the operator chooses the exchange method and opens each channel's settings.
class TSceltaInOutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSceltaInOutForm(QWidget* owner);

  void FormShow();
  void NoneRBClick();
  void FilesRBClick();
  void RS232RBClick();
  void TCPIP_RBClick();
  void InOutFileFoldersBtnClick();
  void InOutRS232BtnClick();
  void InOut_TCPIP_BtnClick();
  void ExitButtonClick();

  // Ok is the only way out: Esc and the window manager's close do nothing.
  void reject() override {}

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyEnablingRule();
  void CheckOnly(QRadioButton* checked);

  QRadioButton* NoneRB;
  QRadioButton* FilesRB;
  QRadioButton* RS232RB;
  QRadioButton* TCPIP_RB;
  QPushButton* InOutFileFoldersBtn;
  QPushButton* InOutRS232Btn;
  QPushButton* InOut_TCPIP_Btn;
  QPushButton* ExitButton;
};

extern TSceltaInOutForm* SceltaInOutForm;
