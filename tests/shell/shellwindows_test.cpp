#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "capture/webcam.h"
#include "exchange/sceltainout.h"
#include "shell/about.h"
#include "shell/avvioautoform.h"
#include "shell/avvioautomatico.h"
#include "shell/opzioni.h"
#include "shell/stationapplication.h"
#include "shell/utilita.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

struct ButtonCase {
  const char* name;
  const char* caption;
  QRect geometry;
};

void ExpectButtons(QWidget* window, std::initializer_list<ButtonCase> buttons) {
  for (const ButtonCase& b : buttons) {
    SCOPED_TRACE(b.name);
    auto* button = window->findChild<QPushButton*>(b.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().toStdString(), b.caption);
    EXPECT_EQ(button->geometry(), b.geometry);
    EXPECT_FALSE(button->icon().isNull());
  }
}

TEST(ShellWindows, UtilitiesWindowLayout) {
  TUtlForm window(nullptr);
  EXPECT_EQ(window.windowTitle().toStdString(), "Utilità");
  EXPECT_EQ(window.size(), QSize(515, 303));
  EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
  ExpectButtons(&window, {{"AvvioAutoBtn", "Avvio automatico", QRect(163, 16, 189, 49)},
                          {"SceltaInOutBtn", "Scelta metodo in-out", QRect(163, 71, 189, 49)},
                          {"ExitButton", "Esci", QRect(174, 206, 167, 58)}});
}

TEST(ShellWindows, OptionsWindowLayout) {
  TOptionsForm window(nullptr);
  EXPECT_EQ(window.windowTitle(), "OPZIONI");
  EXPECT_EQ(window.size(), QSize(273, 353));
  ExpectButtons(&window, {{"BitBtn1", "Impostazioni webcam", QRect(29, 18, 203, 40)},
                          {"BitBtn2", "Compressione video", QRect(29, 64, 203, 40)},
                          {"BitBtn3", "Video display", QRect(29, 110, 203, 40)},
                          {"BitBtn4", "Proprietà webcam", QRect(29, 156, 203, 40)},
                          {"ExitButton", " OK", QRect(29, 270, 203, 58)}});
}

TEST(ShellWindows, AboutWindowShowsTheVersion) {
  TAboutForm window(nullptr);
  EXPECT_EQ(window.windowTitle(), "INFORMAZIONI");
  EXPECT_EQ(window.size(), QSize(603, 340));
  EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
  ExpectButtons(&window, {{"ExitButton", "  Ok", QRect(432, 277, 153, 46)}});
  EXPECT_EQ(window.findChild<QLabel*>("OrvantLogo")->geometry(), QRect(16, 19, 330, 64));
  EXPECT_FALSE(window.findChild<QLabel*>("OrvantLogo")->pixmap().isNull());
  EXPECT_EQ(window.findChild<QFrame*>("OrvantBevel")->geometry(), QRect(12, 15, 338, 72));
  const struct {
    const char* name;
    int top;
  } lines[] = {{"Label1", 104}, {"Label2", 120}, {"Label4", 136}, {"Label5", 152}, {"Label6", 171}};
  for (const auto& line : lines) {
    SCOPED_TRACE(line.name);
    auto* label = window.findChild<QLabel*>(line.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->pos(), QPoint(16, line.top));
    EXPECT_FALSE(label->text().isEmpty());
  }
  window.show();
  auto* version = window.findChild<QLabel*>("VerLbl");
  EXPECT_EQ(version->text(), "VERSIONE PROGRAMMA : 2.0");
  EXPECT_EQ(version->pos(), QPoint(16, 213));
  window.findChild<QPushButton*>("ExitButton")->click();
  EXPECT_FALSE(window.isVisible());
}

TEST(ShellWindows, OptionsButtonsDoNothingWithoutCapture) {
  MessageBoxRecorder boxes;
  ASSERT_EQ(currentWebCam, nullptr);
  TOptionsForm window(nullptr);
  for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4"}) {
    SCOPED_TRACE(name);
    window.findChild<QPushButton*>(name)->click();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST(ShellWindows, AutoStartFromUtilitiesSavesAndReturnsToUtilities) {
  TempStation station;
  MessageBoxRecorder boxes;
  autoStart = new AvvioProg();
  TUtlForm utilities(nullptr);
  bool utilitiesStillOpen = false;
  QTimer::singleShot(0, &utilities, [&] {
    QTimer::singleShot(0, [&] {
      ASSERT_NE(AvvioAutoForm, nullptr);
      AvvioAutoForm->findChild<QRadioButton*>("ImgRB")->click();
      AvvioAutoForm->findChild<QPushButton*>("ExitButton")->click();
    });
    utilities.findChild<QPushButton*>("AvvioAutoBtn")->click();
    utilitiesStillOpen = utilities.isVisible();
    EXPECT_EQ(AvvioAutoForm, nullptr);
    utilities.findChild<QPushButton*>("ExitButton")->click();
  });
  utilities.exec();
  EXPECT_TRUE(utilitiesStillOpen);
  EXPECT_EQ(ReadFileBytes(station.Path("Data/AvvioProg.dat")), Words({0, 5}));
  EXPECT_EQ(station.EventLogText(),
            "Modificata impostazione apertura form in avvio automatico, nuova impostazione: form "
            "test per immagine\r\n");
  delete autoStart;
  autoStart = nullptr;
}

TEST(ShellWindows, ExchangeMethodWindowOpensFromUtilities) {
  TempStation station;
  exchangeMethod = new MetodoInOut();
  TUtlForm utilities(nullptr);
  bool opened = false;
  QTimer::singleShot(0, &utilities, [&] {
    QTimer::singleShot(0, [&] {
      opened = SceltaInOutForm != nullptr && SceltaInOutForm->isVisible();
      if (SceltaInOutForm) SceltaInOutForm->findChild<QPushButton*>("ExitButton")->click();
    });
    utilities.SceltaInOutBtnClick();
    EXPECT_EQ(SceltaInOutForm, nullptr);
    utilities.ExitButtonClick();
  });
  utilities.exec();
  EXPECT_TRUE(opened);
  delete exchangeMethod;
  exchangeMethod = nullptr;
}

TEST(ShellWindows, ErrorsEscapingAHandlerBecomeAMessageBox) {
  MessageBoxRecorder boxes;
  const struct {
    const char* name;
    std::function<bool()> deliver;
    const char* text;
  } cases[] = {
      {"error with a text", []() -> bool { throw std::runtime_error("disco pieno"); },
       "disco pieno"},
      {"error without a text", []() -> bool { throw 42; }, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Clear();
    EXPECT_FALSE(DeliverReportingErrors(c.deliver));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, c.text);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Lumivex");
    EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
  }
  EXPECT_TRUE(DeliverReportingErrors([] { return true; }));
}

}  // namespace
