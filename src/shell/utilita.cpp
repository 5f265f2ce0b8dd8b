#include "shell/utilita.h"

#include <QPushButton>

#include "exchange/sceltainout.h"
#include "platform/formcontrols.h"
#include "shell/avvioautoform.h"

TUtlForm* UtlForm = nullptr;

TUtlForm::TUtlForm(QWidget* owner) : QDialog(owner) {
  setObjectName("UtlForm");
  SetDialogFrame(this, "Utilità", 515, 303, false);
  AvvioAutoBtn =
      MakeImageButton(this, "AvvioAutoBtn", "Avvio automatico", 163, 16, 189, 49, "autostart");
  SceltaInOutBtn =
      MakeImageButton(this, "SceltaInOutBtn", "Scelta metodo in-out", 163, 71, 189, 49, "exchange");
  ExitButton = MakeImageButton(this, "ExitButton", "Esci", 174, 206, 167, 58, "exit");
  connect(AvvioAutoBtn, &QPushButton::clicked, this, &TUtlForm::AvvioAutoBtnClick);
  connect(SceltaInOutBtn, &QPushButton::clicked, this, &TUtlForm::SceltaInOutBtnClick);
  connect(ExitButton, &QPushButton::clicked, this, &TUtlForm::ExitButtonClick);
}

void TUtlForm::AvvioAutoBtnClick() {
  AvvioAutoForm = new TAvvioAutoForm(this);
  AvvioAutoForm->exec();
  delete AvvioAutoForm;
  AvvioAutoForm = nullptr;
}

void TUtlForm::SceltaInOutBtnClick() {
  SceltaInOutForm = new TSceltaInOutForm(this);
  SceltaInOutForm->exec();
  delete SceltaInOutForm;
  SceltaInOutForm = nullptr;
}

void TUtlForm::ExitButtonClick() {
  close();
}
