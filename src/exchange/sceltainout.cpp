#include "exchange/sceltainout.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <system_error>

#include "exchange/cartellainoutform.h"
#include "exchange/rs232form.h"
#include "exchange/tcpipinoutform.h"
#include "foundation/log.h"
#include "foundation/mymessagebox.h"
#include "foundation/progdir.h"
#include "foundation/settingfile.h"
#include "platform/formcontrols.h"
#include "platform/modalwindow.h"

MetodoInOut* exchangeMethod = nullptr;
TSceltaInOutForm* SceltaInOutForm = nullptr;

std::function<void()> requestQuitWithoutShutdown = [] { QCoreApplication::exit(0); };

namespace {

const char kReadError[] = "IO001: errore nella lettura del file del metodo in-out.";
const char kWriteError[] = "IO002: errore nella scrittura del file del metodo in-out.";
const char kMissing[] = "IO003: file del metodo in-out non trovato.";

}  // namespace

std::string ExchangeMethodWord(int32_t metodo) {
  switch (metodo) {
    case 0:
      return "nessuno";
    case 1:
      return "scambio files";
    case 2:
      return "seriale RS232";
    case 3:
      return "Ethernet TCP/IP";
    default:
      return "-";
  }
}

MetodoInOut::MetodoInOut() : path(DataFilePath("MetodoInOut.dat")) {}

void MetodoInOut::Load() {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    metodo = 0;
    LogError(kMissing);
    return;
  }
  // What was read of the field stays, the missing high bytes are 0.
  metodo = 0;
  SettingFileReader file(path, PartialWord::kKeepBytes);
  int32_t ignored = 0;
  if (!file.Word(ignored) || !file.Word(metodo))
    ReportError(kReadError, std::string(kReadError) + " Reimpostare i valori.");
  LogEvent("Impostazione metodo in-out selezionato: " + ExchangeMethodWord(metodo));
}

bool MetodoInOut::Save() {
  SettingFileWriter file;
  file.Word(0);
  file.Word(metodo);
  if (!file.ReplaceWhole(path)) {
    ReportError(kWriteError);
    return false;
  }
  LogEvent("Modificata impostazione metodo in-out, nuovo metodo: " + ExchangeMethodWord(metodo));
  return true;
}

TSceltaInOutForm::TSceltaInOutForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("SceltaInOutForm");
  setWindowTitle("SCELTA IN-OUT");
  setFixedSize(505, 334);
  setFont(StationFont(true));

  auto radio = [this](const char* name, const char* caption, int top) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), this);
    button->setObjectName(name);
    button->setGeometry(24, top, 240, 28);
    return button;
  };
  NoneRB = radio("NoneRB", "Nessuna comunicazione", 32);
  FilesRB = radio("FilesRB", "Tramite files", 92);
  RS232RB = radio("RS232RB", "Tramite seriale RS232", 152);
  TCPIP_RB = radio("TCPIP_RB", "Tramite TCP/IP (Ethernet)", 212);
  InOutFileFoldersBtn = MakeImageButton(this, "InOutFileFoldersBtn", "Cartelle files in-out", 280,
                                        84, 200, 44, "folder");
  InOutRS232Btn =
      MakeImageButton(this, "InOutRS232Btn", "Parametri RS232", 280, 144, 200, 44, "serial");
  InOut_TCPIP_Btn =
      MakeImageButton(this, "InOut_TCPIP_Btn", "Parametri TCP/IP", 280, 204, 200, 44, "network");
  ExitButton = MakeImageButton(this, "ExitButton", "   Ok", 192, 272, 121, 44, "ok");

  connect(NoneRB, &QRadioButton::clicked, this, &TSceltaInOutForm::NoneRBClick);
  connect(FilesRB, &QRadioButton::clicked, this, &TSceltaInOutForm::FilesRBClick);
  connect(RS232RB, &QRadioButton::clicked, this, &TSceltaInOutForm::RS232RBClick);
  connect(TCPIP_RB, &QRadioButton::clicked, this, &TSceltaInOutForm::TCPIP_RBClick);
  connect(InOutFileFoldersBtn, &QPushButton::clicked, this,
          &TSceltaInOutForm::InOutFileFoldersBtnClick);
  connect(InOutRS232Btn, &QPushButton::clicked, this, &TSceltaInOutForm::InOutRS232BtnClick);
  connect(InOut_TCPIP_Btn, &QPushButton::clicked, this, &TSceltaInOutForm::InOut_TCPIP_BtnClick);
  connect(ExitButton, &QPushButton::clicked, this, &TSceltaInOutForm::ExitButtonClick);
}

void TSceltaInOutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TSceltaInOutForm::CheckOnly(QRadioButton* checked) {
  // Auto-exclusive radio buttons cannot all be cleared directly: release the group meanwhile.
  for (QRadioButton* button : {NoneRB, FilesRB, RS232RB, TCPIP_RB}) {
    button->setAutoExclusive(false);
    button->setChecked(button == checked);
    button->setAutoExclusive(true);
  }
}

void TSceltaInOutForm::ApplyEnablingRule() {
  InOutFileFoldersBtn->setEnabled(FilesRB->isChecked());
  InOutRS232Btn->setEnabled(RS232RB->isChecked());
  InOut_TCPIP_Btn->setEnabled(TCPIP_RB->isChecked());
}

void TSceltaInOutForm::FormShow() {
  int32_t metodo = exchangeMethod != nullptr ? exchangeMethod->metodo : 0;
  switch (metodo) {
    case 0:
      CheckOnly(NoneRB);
      break;
    case 1:
      CheckOnly(FilesRB);
      break;
    case 2:
      CheckOnly(RS232RB);
      break;
    case 3:
      CheckOnly(TCPIP_RB);
      break;
    default:
      CheckOnly(nullptr);
      break;
  }
  ApplyEnablingRule();
}

void TSceltaInOutForm::NoneRBClick() {
  ApplyEnablingRule();
}
void TSceltaInOutForm::FilesRBClick() {
  ApplyEnablingRule();
}
void TSceltaInOutForm::RS232RBClick() {
  ApplyEnablingRule();
}
void TSceltaInOutForm::TCPIP_RBClick() {
  ApplyEnablingRule();
}

void TSceltaInOutForm::InOutFileFoldersBtnClick() {
  RunModal(CartellaInOut, this);
}

void TSceltaInOutForm::InOutRS232BtnClick() {
  RunModal(RS232_Form, this);
}

void TSceltaInOutForm::InOut_TCPIP_BtnClick() {
  RunModal(TCPIP_InOutForm, this);
}

void TSceltaInOutForm::ExitButtonClick() {
  int32_t chosen = 0;
  if (FilesRB->isChecked())
    chosen = 1;
  else if (RS232RB->isChecked())
    chosen = 2;
  else if (TCPIP_RB->isChecked())
    chosen = 3;
  if (exchangeMethod != nullptr && chosen != exchangeMethod->metodo) {
    exchangeMethod->metodo = chosen;
    exchangeMethod->Save();  // after IO002 the operator is told and the program ends all the same
    ShowMessageBox("Verrà riavviato l'applicativo affinchè le modifiche abbiano effetto.", "AVVISO",
                   kMbWarning);
    if (requestQuitWithoutShutdown) requestQuitWithoutShutdown();
  }
  done(QDialog::Accepted);
}
