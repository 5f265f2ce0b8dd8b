#include "exchange/cartellainoutform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "exchange/fileinout.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"
#include "foundation/selecdir.h"
#include "platform/formcontrols.h"

TCartellaInOut* CartellaInOut = nullptr;

namespace {

std::string Text(const QLineEdit* edit) {
  return edit->text().toStdString();
}

}  // namespace

TCartellaInOut::TCartellaInOut(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("CartellaInOut");
  setWindowTitle("CARTELLE IN-OUT");
  setFixedSize(725, 291);
  setFont(StationFont(true));

  struct Row {
    const char* label;
    const char* edit;
    const char* button;
  };
  const Row rows[3] = {
      {"Cartella File Ingresso Test Immagine", "CartellaFileInEdit", "FileInBtn"},
      {"Cartella File Uscita Test Immagine", "CartellaFileOutEdit", "FileOutBtn"},
      {"Cartella File Elaborati Test Immagine", "CartellaFileElabEdit", "FileElabBtn"},
  };
  QLineEdit* edits[3];
  QPushButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    int top = 12 + 72 * i;
    auto* label = new QLabel(QString::fromUtf8(rows[i].label), this);
    label->setGeometry(12, top, 667, 20);
    edits[i] = new QLineEdit(this);
    edits[i]->setObjectName(rows[i].edit);
    edits[i]->setGeometry(12, top + 28, 667, 28);
    edits[i]->setMaxLength(static_cast<int>(kMaxPathText));
    label->setBuddy(edits[i]);
    buttons[i] = MakeImageButton(this, rows[i].button, "", 685, top + 26, 32, 32, "folder");
  }
  CartellaFileInEdit = edits[0];
  CartellaFileOutEdit = edits[1];
  CartellaFileElabEdit = edits[2];
  FileInBtn = buttons[0];
  FileOutBtn = buttons[1];
  FileElabBtn = buttons[2];

  ExitButton = MakeImageButton(this, "ExitButton", "   Ok", 302, 234, 121, 44, "ok");

  connect(FileInBtn, &QPushButton::clicked, this, &TCartellaInOut::FileInBtnClick);
  connect(FileOutBtn, &QPushButton::clicked, this, &TCartellaInOut::FileOutBtnClick);
  connect(FileElabBtn, &QPushButton::clicked, this, &TCartellaInOut::FileElabBtnClick);
  connect(ExitButton, &QPushButton::clicked, this, &TCartellaInOut::ExitButtonClick);
}

void TCartellaInOut::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TCartellaInOut::FormShow() {
  CartellaFileInEdit->setText(QString::fromStdString(cartellaFileIn));
  CartellaFileOutEdit->setText(QString::fromStdString(cartellaFileOut));
  CartellaFileElabEdit->setText(QString::fromStdString(cartellaFileElab));
}

void TCartellaInOut::Browse(QLineEdit* edit, std::string& folder) {
  std::string start = Text(edit);
  if (start.empty()) start = programFolder;
  std::string chosen;
  if (!BrowseForFolder(start, chosen, nullptr)) return;
  // The folder part of the answer, which ends with its separator.
  size_t separator = chosen.rfind('/');
  std::string folderPart =
      separator == std::string::npos ? chosen : chosen.substr(0, separator + 1);
  edit->setText(QString::fromStdString(folderPart));
  folder = Text(edit);
  SaveExchangeFolders(false);
}

void TCartellaInOut::FileInBtnClick() {
  Browse(CartellaFileInEdit, cartellaFileIn);
}
void TCartellaInOut::FileOutBtnClick() {
  Browse(CartellaFileOutEdit, cartellaFileOut);
}
void TCartellaInOut::FileElabBtnClick() {
  Browse(CartellaFileElabEdit, cartellaFileElab);
}

void TCartellaInOut::ExitButtonClick() {
  std::string newIn = Text(CartellaFileInEdit);
  if (newIn != cartellaFileIn) {
    std::vector<std::string> names;
    if (ListFiles(newIn + "*.*", names, -1, false, 1000) > 0 &&
        ShowMessageBox("La cartella dei file di ingresso non è vuota. I file verranno cancellati. "
                       "Si vuole continuare?",
                       "CONFERMA", kMbQuestion) != kIdYes)
      return;
  }
  cartellaFileIn = newIn;
  cartellaFileOut = Text(CartellaFileOutEdit);
  cartellaFileElab = Text(CartellaFileElabEdit);
  SaveExchangeFolders(true);
  done(QDialog::Accepted);
}
