#pragma once

#include <QDialog>

// The TCP/IP server's settings window.
class TTCPIP_InOutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTCPIP_InOutForm(QWidget* owner);
  ~TTCPIP_InOutForm() override;
};

extern TTCPIP_InOutForm* TCPIP_InOutForm;
