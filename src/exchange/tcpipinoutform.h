#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The TCP/IP server's settings window. The running server is not touched: the settings saved take
// effect at the next start.
class TTCPIP_InOutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTCPIP_InOutForm(QWidget* owner);
  ~TTCPIP_InOutForm() override;

  void FormShow();
  void ExitButtonClick();

  // Ok is the only way out: Esc and the window manager's close do nothing.
  void reject() override {}

  QLabel* Label1;
  QLineEdit* IndirizzoIPEdt;
  QLabel* Label2;
  QLineEdit* PortaEdt;
  QPushButton* ExitButton;

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TTCPIP_InOutForm* TCPIP_InOutForm;
