#include "exchange/tcpipinoutform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "exchange/tcpipinout.h"
#include "foundation/mytypeconversion.h"
#include "foundation/myutl.h"
#include "inspection/methodcontrols.h"

TTCPIP_InOutForm* TCPIP_InOutForm = nullptr;

TTCPIP_InOutForm::TTCPIP_InOutForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TCPIP_InOutForm");
  setWindowTitle("PARAMETRI TCP/IP");
  setFixedSize(381, 202);
  setFont(StationFont(true));

  Label1 = MakeLabel(this, "Label1", "Indirizzo IP server:", 24, 28);
  IndirizzoIPEdt = new QLineEdit(this);
  IndirizzoIPEdt->setObjectName("IndirizzoIPEdt");
  IndirizzoIPEdt->setGeometry(176, 24, 177, 24);
  Label2 = MakeLabel(this, "Label2", "Porta server:", 24, 76);
  PortaEdt = new QLineEdit(this);
  PortaEdt->setObjectName("PortaEdt");
  PortaEdt->setGeometry(176, 72, 97, 24);
  ExitButton = MakeButton(this, "ExitButton", "   Ok", 130, 136, 121, 44, "ok");

  connect(ExitButton, &QPushButton::clicked, this, &TTCPIP_InOutForm::ExitButtonClick);
}

TTCPIP_InOutForm::~TTCPIP_InOutForm() = default;

void TTCPIP_InOutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TTCPIP_InOutForm::FormShow() {
  IndirizzoIPEdt->setText(QString::fromStdString(indirizzoIP));
  PortaEdt->setText(QString::number(porta));
}

void TTCPIP_InOutForm::ExitButtonClick() {
  indirizzoIP = CutText(IndirizzoIPEdt->text().toStdString(), kMaxPathText);
  porta = TextToInt(PortaEdt->text().toStdString(), true, true);
  SaveTcpParameters();
  done(QDialog::Accepted);
}
