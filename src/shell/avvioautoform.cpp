#include "shell/avvioautoform.h"

#include <QPushButton>
#include <QRadioButton>

#include "platform/formcontrols.h"
#include "shell/avvioautomatico.h"

TAvvioAutoForm* AvvioAutoForm = nullptr;

TAvvioAutoForm::TAvvioAutoForm(QWidget* owner) : QDialog(owner) {
  setObjectName("AvvioAutoForm");
  SetDialogFrame(this, "AVVIO AUTOMATICO", 484, 339, false);

  struct Choice {
    const char* name;
    const char* caption;
    int top;
  };
  static constexpr Choice kChoices[7] = {
      {"NoOpRB", "Nessuna operazione all'avvio del programma", 20},
      {"PuntoRB", "Seleziona riconoscimento per punto all'avvio programma", 50},
      {"ZonaRB", "Seleziona riconoscimento per zona all'avvio programma", 80},
      {"LineaVertRB", "Seleziona riconoscimento per linea verticale all'avvio programma", 111},
      {"LineaOriRB", "Seleziona riconoscimento per linea orizzontale all'avvio programma", 141},
      {"ImgRB", "Seleziona riconoscimento per immagine all'avvio programma", 171},
      {"DimRB", "Seleziona riconoscimento per dimensioni all'avvio programma", 202},
  };
  for (size_t i = 0; i < choices.size(); ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(kChoices[i].caption), this);
    radio->setObjectName(kChoices[i].name);
    radio->setFont(StationFont(true));
    radio->move(22, kChoices[i].top);
    radio->adjustSize();
    choices[i] = radio;
  }
  NoOpRB = choices[0];
  PuntoRB = choices[1];
  ZonaRB = choices[2];
  LineaVertRB = choices[3];
  LineaOriRB = choices[4];
  ImgRB = choices[5];
  DimRB = choices[6];

  ExitButton = MakeImageButton(this, "ExitButton", " OK", 140, 258, 203, 58, "ok");
  ExitButton->setFont(StationFont(true));
  connect(ExitButton, &QPushButton::clicked, this, &TAvvioAutoForm::ExitButtonClick);
}

void TAvvioAutoForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TAvvioAutoForm::FormShow() {
  if (!autoStart) return;
  const int32_t value = autoStart->startWindow;
  choices[value >= 1 && value <= 6 ? value : 0]->setChecked(true);
}

void TAvvioAutoForm::ExitButtonClick() {
  if (autoStart) {
    for (size_t i = 0; i < choices.size(); ++i) {
      if (choices[i]->isChecked()) {
        autoStart->startWindow = static_cast<int32_t>(i);
        break;
      }
    }
    autoStart->Save();
  }
  done(QDialog::Accepted);
}
