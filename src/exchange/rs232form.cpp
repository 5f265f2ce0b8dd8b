#include "exchange/rs232form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

#include "exchange/rs232.h"
#include "exchange/rs232inout.h"
#include "foundation/mytypeconversion.h"
#include "inspection/methodcontrols.h"

TRS232_Form* RS232_Form = nullptr;

namespace {

constexpr uint32_t kLampGreen = 0x00FF00;  // RGB (0, 255, 0)
constexpr uint32_t kLampRed = 0x0000FF;    // RGB (255, 0, 0)
constexpr unsigned long kReopenPauseMs = 200;

QComboBox* MakeList(QWidget* parent, const char* name, std::initializer_list<const char*> items,
                    int left, int top) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  box->setGeometry(left, top, 177, 24);
  return box;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int left, int top) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setGeometry(left, top, 121, 24);
  return edit;
}

int32_t EditNumber(const QLineEdit* edit) {
  return TextToInt(edit->text().toStdString(), true, true);
}

}  // namespace

int ComboPosition(const QComboBox* box) {
  return box->findText(box->currentText());
}

TRS232_Form::TRS232_Form(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("RS232_Form");
  setWindowTitle("PARAMETRI RS232");
  setFixedSize(443, 339);
  setFont(StationFont(true));

  Label1 = MakeLabel(this, "Label1", "COM", 40, 28);
  Edit1 = MakeEdit(this, "Edit1", 160, 24);
  SpiaComPlcON = new ShapeControl(this, "SpiaComPlcON", ShapeControl::Kind::kCircle, 296, 22, 45,
                                  27, kLampRed);
  Label2 = MakeLabel(this, "Label2", "Baud rate:", 40, 76);
  Edit2 = MakeEdit(this, "Edit2", 160, 72);
  Label3 = MakeLabel(this, "Label3", "Data bits:", 40, 124);
  ComboBox1 = MakeList(this, "ComboBox1", {"4", "5", "6", "7", "8"}, 160, 120);
  Label4 = MakeLabel(this, "Label4", "Parity:", 40, 172);
  ComboBox2 =
      MakeList(this, "ComboBox2",
               {"No parity", "Odd parity", "Even parity", "Mark parity", "Space parity"}, 160, 168);
  Label5 = MakeLabel(this, "Label5", "Stop bit:", 40, 220);
  ComboBox3 = MakeList(this, "ComboBox3", {"1 stop bit", "1,5 stop bit", "2 stop bit"}, 160, 216);
  ExitButton = MakeButton(this, "ExitButton", "  Ok", 161, 274, 121, 44, "ok");

  connect(Edit1, &QLineEdit::textChanged, this, &TRS232_Form::Edit1Change);
  connect(Edit2, &QLineEdit::textChanged, this, &TRS232_Form::Edit1Change);
  connect(ExitButton, &QPushButton::clicked, this, &TRS232_Form::ExitButtonClick);
}

TRS232_Form::~TRS232_Form() = default;

void TRS232_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TRS232_Form::ShowLamp(bool open) {
  SpiaComPlcON->SetBrush(open ? kLampGreen : kLampRed);
}

void TRS232_Form::FormShow() {
  ShowLamp(serialPort != nullptr && !serialPort->HasError());
  Edit1->setText(QString::number(nCOM));
  ComboBox1->setCurrentIndex(DataBits - 4 >= 0 && DataBits - 4 < ComboBox1->count() ? DataBits - 4
                                                                                    : -1);
  ComboBox2->setCurrentIndex(Parity >= 0 && Parity < ComboBox2->count() ? Parity : -1);
  ComboBox3->setCurrentIndex(StopBit >= 0 && StopBit < ComboBox3->count() ? StopBit : -1);
  Edit2->setText(QString::number(BaudRate));
  ready = true;
  Edit1Change();
}

void TRS232_Form::Edit1Change() {
  if (!ready) return;
  ShowLamp(ReopenSerialPort());
}

bool TRS232_Form::ReopenSerialPort() {
  nCOM = EditNumber(Edit1);
  if (conversionFailed) return false;
  BaudRate = EditNumber(Edit2);
  if (conversionFailed) return false;
  DataBits = ComboPosition(ComboBox1) + 4;
  Parity = ComboPosition(ComboBox2);
  StopBit = ComboPosition(ComboBox3);
  delete serialPort;
  serialPort = nullptr;
  // The port just closed is given time to settle before it is opened again.
  QThread::msleep(kReopenPauseMs);
  serialPort = new RS232();
  if (!serialPort->HasError()) serialPort->Purge();
  return serialPort != nullptr && !serialPort->HasError();
}

void TRS232_Form::ExitButtonClick() {
  ready = false;
  if (serialPort != nullptr) {
    ReopenSerialPort();
    nCOM = EditNumber(Edit1);
    BaudRate = EditNumber(Edit2);
    DataBits = ComboPosition(ComboBox1) + 4;
    Parity = ComboPosition(ComboBox2);
    StopBit = ComboPosition(ComboBox3);
    SaveSerialParameters();
  }
  done(QDialog::Accepted);
}
