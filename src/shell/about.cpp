#include "shell/about.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "foundation/myutl.h"
#include "platform/formcontrols.h"

TAboutForm* AboutForm = nullptr;
const char* const kProgramVersion = "2.0";

TAboutForm::TAboutForm(QWidget* owner) : QDialog(owner) {
  setObjectName("AboutForm");
  SetDialogFrame(this, "INFORMAZIONI", 603, 340, true);

  OrvantBevel = MakeBevel(this, "OrvantBevel", 12, 15, 338, 72);
  OrvantLogo = new QLabel(this);
  OrvantLogo->setObjectName("OrvantLogo");
  OrvantLogo->setGeometry(16, 19, 330, 64);
  OrvantLogo->setScaledContents(true);
  OrvantLogo->setPixmap(QPixmap(PicturePath("logo")));

  Label1 = MakeLabel(this, "Label1", "Lumivex S.r.l. - Sistemi di visione artificiale", 16, 104);
  Label2 =
      MakeLabel(this, "Label2", "Via dell'Artigianato 14 - 36100 Vicenza (VI) - Italia", 16, 120);
  Label4 = MakeLabel(this, "Label4", "Sito web: www.lumivex.it", 16, 136);
  Label5 = MakeLabel(this, "Label5", "E-mail: assistenza@lumivex.it", 16, 152);
  Label6 = MakeLabel(this, "Label6", "Tel. +39 0444 000 123 - Fax +39 0444 000 124", 16, 171);

  Bevel2 = new QFrame(this);
  Bevel2->setObjectName("Bevel2");
  Bevel2->setFrameStyle(QFrame::VLine | QFrame::Sunken);
  Bevel2->setGeometry(412, 8, 2, 315);

  VerLbl = MakeLabel(this, "VerLbl", "VERSIONE PROGRAMMA :", 16, 213);
  QFont bold = VerLbl->font();
  bold.setBold(true);
  VerLbl->setFont(bold);

  ExitButton = MakeImageButton(this, "ExitButton", "  Ok", 432, 277, 153, 46, "ok");
  connect(ExitButton, &QPushButton::clicked, this, &TAboutForm::ExitButtonClick);
}

void TAboutForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TAboutForm::FormShow() {
  VerLbl->setText(QString::fromStdString(StrFormat("VERSIONE PROGRAMMA : %s", kProgramVersion)));
  VerLbl->adjustSize();
}

void TAboutForm::ExitButtonClick() {
  close();
}
