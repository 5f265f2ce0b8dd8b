#include "shell/mainform.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <vector>

#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "bitmap/mybitmap.h"
#include "capture/webcam.h"
#include "exchange/sceltainout.h"
#include "foundation/progdir.h"
#include "foundation/selecdir.h"
#include "inspection/webcamgetpoint.h"
#include "shell/avvioautomatico.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

// Generous: only a machine that stops delivering frames altogether reaches it.
constexpr int kFrameWaitMs = 30000;

// Save-file dialogs answered from a script; every question is kept.
class ScriptedDialogs : public DialogBackend {
 public:
  struct Question {
    std::string title;
    std::string filter;
    std::string suffix;
  };
  ScriptedDialogs() { SetDialogBackend(this); }
  ~ScriptedDialogs() override { SetDialogBackend(nullptr); }
  std::string ChooseFolder(const std::string&, const std::string&) override { return ""; }
  std::string ChooseSaveFile(const std::string& title, const std::string& filter,
                             const std::string& suffix) override {
    questions.push_back({title, filter, suffix});
    if (answers.empty()) return "";
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::string> answers;
  std::vector<Question> questions;
};

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MyBitmap scene(80, 60);
    scene.FillRect(0x00305090, 0, 0, 80, 60);
    scene.FillRect(0x0000FFFF, 20, 20, 40, 30);
    ASSERT_TRUE(scene.SaveBmp(station.Path("scene.bmp")));
    UseCamera("sim:" + station.Path("scene.bmp"));
    form = new TMainForm();
    MainForm = form;
    form->findProgramFolder = [this] { programFolder = station.Path(); };
  }

  void TearDown() override {
    if (currentWebCam) {
      currentWebCam->recording = false;
      form->Button2Click();
    }
    delete form;
    delete autoStart;
    autoStart = nullptr;
    delete exchangeMethod;
    exchangeMethod = nullptr;
    qunsetenv("LUMIVEX_CAMERA");
  }

  static void UseCamera(const std::string& setting) {
    qputenv("LUMIVEX_CAMERA", QByteArray::fromStdString(setting));
  }

  // Start-up writes its own logs into the station; the fixture's go first.
  void RunStartup() {
    delete errorLog;
    errorLog = nullptr;
    delete eventLog;
    eventLog = nullptr;
    form->FormShow();
  }

  void WaitForFrame() {
    ASSERT_NE(currentWebCam, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(currentWebCam->frameCount > 0, kFrameWaitMs);
  }

  TempStation station;
  MessageBoxRecorder boxes;
  TMainForm* form = nullptr;
};

TEST_F(MainFormTest, ControlsStandWhereTheOperatorExpectsThem) {
  EXPECT_EQ(form->windowTitle(), "LUMIVEX");
  EXPECT_EQ(form->size(), QSize(957, 706));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_TRUE(form->font().bold());
  const struct {
    const char* name;
    QRect geometry;
    const char* caption;
  } controls[] = {
      {"BackGndImg", QRect(0, 0, 957, 706), nullptr},
      {"Orvant_Bevel", QRect(615, 4, 338, 104), nullptr},
      {"Orvant_Logo", QRect(619, 8, 330, 64), nullptr},
      {"Label5", QRect(15, 13, 394, 19), "Connettere la webcam e premere \"Start webcam\""},
      {"Button1", QRect(8, 47, 194, 54), "   Start webcam"},
      {"Button2", QRect(208, 47, 194, 54), "Stop webcam"},
      {"TrackBar1", QRect(420, 28, 169, 25), nullptr},
      {"OpzioniWebcamBtn", QRect(427, 78, 154, 30), " Opzioni webcam"},
      {"HelpBtn", QRect(764, 73, 93, 34), "Help"},
      {"BitBtn1", QRect(856, 73, 93, 34), "info"},
      {"Bevel1", QRect(4, 114, 650, 488), nullptr},
      {"WC_Panel", QRect(9, 119, 640, 480), nullptr},
      {"SistVisBevel", QRect(660, 114, 299, 488), nullptr},
      {"RicPuntoBtn", QRect(674, 122, 270, 77), "Riconoscimento per punto"},
      {"RicZonaBtn", QRect(674, 202, 270, 77), "Riconoscimento per zona"},
      {"RicLineaVertBtn", QRect(674, 282, 270, 77), "Riconoscimento per linea verticale"},
      {"RicLineaOrizBtn", QRect(674, 362, 270, 77), "Riconoscimento per linea orizzontale"},
      {"RicImgBtn", QRect(674, 442, 270, 77), "Riconoscimento per immagine intera"},
      {"RicDimBtn", QRect(674, 522, 270, 77), "Dimensione oggetti con colore uniforme"},
      {"Button3", QRect(8, 608, 140, 40), "Salva bitmap"},
      {"Button4", QRect(150, 608, 140, 40), "Start salva film"},
      {"Button5", QRect(292, 608, 140, 40), "Stop salva film"},
      {"UtlBtn", QRect(474, 608, 180, 50), "Utilità sistema visione"},
      {"Button8", QRect(674, 620, 270, 77), "       Esci dal programma"},
      {"Button6", QRect(160, 668, 167, 26), "Memo cur frame (not used)"},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    auto* widget = form->findChild<QWidget*>(c.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), c.geometry);
    if (!c.caption) continue;
    QString text;
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      text = button->text();
      if (std::string(c.name) != "Button6") {
        EXPECT_FALSE(button->icon().isNull());
      }
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      text = label->text();
    }
    EXPECT_EQ(text.toStdString(), c.caption);
  }
  EXPECT_EQ(form->Label1->pos(), QPoint(427, 15));
  EXPECT_EQ(form->Label1->text(), "Preview rate:");
  EXPECT_EQ(form->Label2->geometry().right() + 1, 589);
  EXPECT_EQ(form->Label2->text(), "Immagini acquisite:");
  EXPECT_EQ(form->Label3->pos(), QPoint(619, 73));
  EXPECT_FALSE(form->Orvant_Logo->pixmap().isNull());
  EXPECT_TRUE(form->WC_Panel->isHidden());
  EXPECT_TRUE(form->Label5->isHidden());
  EXPECT_EQ(form->TrackBar1->minimum(), 1);
  EXPECT_EQ(form->TrackBar1->maximum(), 1000);
  EXPECT_EQ(form->TrackBar1->pageStep(), 5);
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_EQ(form->Timer1->interval(), 600);
  EXPECT_EQ(form->AvvioProgTimer->interval(), 200);
  EXPECT_EQ(form->InOutTimer->interval(), 150);
}

TEST_F(MainFormTest, StatusTickEnablesTheControlsOfTheState) {
  enum State { kNoCapture, kPanelOnly, kCapture, kRecording };
  const struct {
    const char* name;
    State state;
    bool startWebcam, stopWebcam, saveStill, startFilm, stopFilm, options, methods, slider,
        counterShown, connectHint;
  } cases[] = {
      {"no capture", kNoCapture, true, false, false, false, false, false, true, false, false, true},
      {"panel shown, capture not yet there", kPanelOnly, false, true, false, false, false, false,
       true, true, true, true},
      {"capture", kCapture, false, true, true, true, false, true, true, true, true, false},
      {"recording", kRecording, false, true, false, false, true, false, false, true, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form->Button2Click();
    if (c.state == kPanelOnly) form->WC_Panel->show();
    if (c.state == kCapture || c.state == kRecording) {
      form->Button1Click();
      ASSERT_NE(currentWebCam, nullptr);
    }
    if (c.state == kRecording) currentWebCam->recording = true;
    form->Timer1Timer();

    EXPECT_EQ(form->Button1->isEnabled(), c.startWebcam);
    EXPECT_EQ(form->Button2->isEnabled(), c.stopWebcam);
    EXPECT_EQ(form->Button3->isEnabled(), c.saveStill);
    EXPECT_EQ(form->Button4->isEnabled(), c.startFilm);
    EXPECT_EQ(form->Button5->isEnabled(), c.stopFilm);
    EXPECT_EQ(form->OpzioniWebcamBtn->isEnabled(), c.options);
    for (QPushButton* button :
         {form->UtlBtn, form->RicPuntoBtn, form->RicZonaBtn, form->RicLineaVertBtn,
          form->RicLineaOrizBtn, form->RicImgBtn, form->RicDimBtn})
      EXPECT_EQ(button->isEnabled(), c.methods) << button->objectName().toStdString();
    EXPECT_EQ(form->TrackBar1->isEnabled(), c.slider);
    EXPECT_EQ(form->Label1->isEnabled(), c.slider);
    EXPECT_EQ(!form->Label2->isHidden(), c.counterShown);
    EXPECT_EQ(!form->Label5->isHidden(), c.connectHint);
    if (currentWebCam) {
      EXPECT_EQ(form->Label2->text().toStdString(),
                "Immagini acquisite: " + std::to_string(currentWebCam->frameCount) + " ");
      currentWebCam->recording = false;
    }
  }
}

TEST_F(MainFormTest, StartAndStopWebcam) {
  form->Button1Click();
  ASSERT_NE(currentWebCam, nullptr);
  EXPECT_FALSE(currentWebCam->Failed());
  EXPECT_FALSE(form->WC_Panel->isHidden());
  EXPECT_EQ(currentWebCam->previewPeriod, 1001u - form->TrackBar1->value());
  WaitForFrame();
  form->Button2Click();
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_TRUE(form->WC_Panel->isHidden());
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(MainFormTest, ConnectionFailureShowsTheThreeLineMessage) {
  UseCamera("none");
  form->Button1Click();
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_TRUE(form->WC_Panel->isHidden());
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            "Errore nella connessione con la webcam.\n"
            "Verificare che la webcam sia correttamente collegata e che non ci sia più di una "
            "webcam collegata al computer.\n"
            "Se ci sono più webcam collegate al computer abilitarne una sola dalle impostazioni di "
            "Windows.");
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbInformation);

  form->Timer1Timer();
  EXPECT_FALSE(form->Label5->isHidden());
  EXPECT_TRUE(form->Label2->isHidden());
  EXPECT_TRUE(form->Button1->isEnabled());
  EXPECT_FALSE(form->Button2->isEnabled());
}

TEST_F(MainFormTest, SliderSetsThePreviewPeriod) {
  form->Button1Click();
  ASSERT_NE(currentWebCam, nullptr);
  const struct {
    int position;
    unsigned period;
  } cases[] = {{1000, 1}, {1, 1000}, {950, 51}, {500, 501}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    form->TrackBar1->setValue(c.position == form->TrackBar1->value() ? c.position - 1
                                                                     : form->TrackBar1->value());
    form->TrackBar1->setValue(c.position);
    EXPECT_EQ(currentWebCam->previewPeriod, c.period);
  }
}

TEST_F(MainFormTest, StillPictureIsSavedThroughTheDialog) {
  ScriptedDialogs dialogs;
  form->Button1Click();
  WaitForFrame();
  const std::string still = station.Path("still.bmp");
  const struct {
    const char* name;
    std::string answer;
    bool saved;
  } cases[] = {{"cancelled", "", false}, {"confirmed", still, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.answers = {c.answer};
    form->Button3Click();
    ASSERT_FALSE(dialogs.questions.empty());
    EXPECT_EQ(dialogs.questions.back().title, "SALVA IMMAGINE");
    EXPECT_EQ(dialogs.questions.back().filter, "*.bmp|*.bmp");
    EXPECT_EQ(dialogs.questions.back().suffix, "bmp");
    EXPECT_EQ(std::filesystem::exists(still), c.saved);
  }
  EXPECT_EQ(ReadFileBytes(still).substr(0, 2), "BM");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(MainFormTest, VideoIsRecordedThroughTheDialog) {
  ScriptedDialogs dialogs;
  form->Button1Click();
  WaitForFrame();

  dialogs.answers = {""};
  form->Button4Click();
  EXPECT_FALSE(currentWebCam->recording);

  const std::string film = station.Path("film.avi");
  dialogs.answers = {film};
  form->Button4Click();
  ASSERT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(dialogs.questions[1].title, "SALVA VIDEO");
  EXPECT_EQ(dialogs.questions[1].filter, "*.avi|*.avi");
  EXPECT_EQ(dialogs.questions[1].suffix, "avi");
  EXPECT_TRUE(currentWebCam->recording);
  const uint32_t recorded = currentWebCam->frameCount;
  QTRY_VERIFY_WITH_TIMEOUT(currentWebCam->frameCount > recorded + 2, kFrameWaitMs);
  form->Button5Click();
  EXPECT_FALSE(currentWebCam->recording);
  EXPECT_EQ(ReadFileBytes(film).substr(0, 4), "RIFF");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(MainFormTest, RefusedVideoIsReportedAndLeavesRecordingMode) {
  ScriptedDialogs dialogs;
  form->Button1Click();
  WaitForFrame();
  dialogs.answers = {station.Path("no/such/folder/film.avi")};
  form->Button4Click();
  EXPECT_FALSE(currentWebCam->recording);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Errore nella registrazione del video.");
  EXPECT_EQ(boxes.Boxes()[0].caption, "AVVISO");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbWarning);
}

TEST_F(MainFormTest, ExitDuringRecordingStopsTheVideoAndClosesTheWindow) {
  ScriptedDialogs dialogs;
  RunStartup();
  WaitForFrame();
  const std::string film = station.Path("exit.avi");
  dialogs.answers = {film};
  form->Button4Click();
  ASSERT_TRUE(currentWebCam->recording);
  form->Button8Click();
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_TRUE(form->ShutdownDone());
  EXPECT_EQ(ReadFileBytes(film).substr(0, 4), "RIFF");
}

// Lines of a log in their order; the positions of the wanted lines must grow.
void ExpectInOrder(const std::string& log, const std::vector<std::string>& lines) {
  size_t from = 0;
  for (const std::string& line : lines) {
    size_t at = log.find(line + "\r\n", from);
    EXPECT_NE(at, std::string::npos) << "missing or out of order: " << line << "\nin:\n" << log;
    if (at != std::string::npos) from = at + line.size();
  }
}

TEST_F(MainFormTest, StartupAndShutdownRunTheirStepsInOrder) {
  const struct {
    const char* name;
    bool settingFiles;
    int32_t metodo;
  } cases[] = {{"no setting files", false, 0},
               {"no channel", true, 0},
               {"files", true, 1},
               {"unknown method", true, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation fresh;
    if (c.settingFiles) {
      WriteFileBytes(fresh.Path("Data/AvvioProg.dat"), Words({0, 0}));
      WriteFileBytes(fresh.Path("Data/MetodoInOut.dat"), Words({0, c.metodo}));
    }
    TMainForm window;
    window.findProgramFolder = [&fresh] { programFolder = fresh.Path(); };
    delete errorLog;
    errorLog = nullptr;
    delete eventLog;
    eventLog = nullptr;
    window.show();
    QTRY_VERIFY(!window.StartupRunning() && window.Timer1->isActive());

    EXPECT_TRUE(window.InOutTimer->isActive());
    EXPECT_EQ(window.OpenedExchangeMethod, c.metodo);
    EXPECT_EQ(exchangeMethod->metodo, c.metodo);
    EXPECT_TRUE(window.Button6->isHidden());
    EXPECT_EQ(window.TrackBar1->value(), 950);
    EXPECT_EQ(window.TrackBar1->palette().color(QPalette::Window), QColor(108, 108, 108));
    EXPECT_EQ(window.BackGndImg->pixmap().size(), QSize(1024, 768));
    ASSERT_NE(currentWebCam, nullptr);
    EXPECT_EQ(currentWebCam->previewPeriod, 51u);
    EXPECT_FALSE(window.WC_Panel->isHidden());
    ASSERT_NE(autoStart, nullptr);
    EXPECT_EQ(autoStart->path, fresh.Path("Data/AvvioProg.dat"));

    window.close();
    EXPECT_TRUE(window.ShutdownDone());
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_FALSE(window.AvvioProgTimer->isActive());
    EXPECT_FALSE(window.InOutTimer->isActive());
    EXPECT_EQ(currentWebCam, nullptr);
    EXPECT_EQ(autoStart, nullptr);
    EXPECT_EQ(errorLog, nullptr);
    EXPECT_EQ(eventLog, nullptr);
    EXPECT_TRUE(window.BackGndImg->pixmap().isNull());

    const std::string events = fresh.EventLogText();
    EXPECT_EQ(events.rfind("*** APERTURA PROGROGRAMMA ***\r\n", 0), 0u) << events;
    const std::string closing = "*** CHIUSURA PROGROGRAMMA ***\r\n";
    ASSERT_GE(events.size(), closing.size());
    EXPECT_EQ(events.substr(events.size() - closing.size()), closing);
    if (c.settingFiles) {
      ExpectInOrder(events,
                    {"*** APERTURA PROGROGRAMMA ***",
                     "Apertura form in avvio automatico: nessun form da aprire",
                     "Impostazione metodo in-out selezionato: " + ExchangeMethodWord(c.metodo),
                     "*** CHIUSURA PROGROGRAMMA ***"});
    } else {
      ExpectInOrder(fresh.ErrorLogText(), {"AP003: file di avvio automatico non trovato.",
                                           "IO003: file del metodo in-out non trovato."});
    }
    delete exchangeMethod;
    exchangeMethod = nullptr;
  }
}

TEST_F(MainFormTest, StartupWithoutCameraShowsTheMessageAndCompletes) {
  UseCamera("none");
  RunStartup();
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, kWebcamConnectionError);
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_TRUE(form->Timer1->isActive());
  EXPECT_TRUE(form->InOutTimer->isActive());
  form->FormClose();
}

// A message box that runs its own loop while exchange ticks keep arriving (Qt never re-enters the
// slot of the timer that is running, so the ticks come from a timer of the box's own).
class WaitingBox : public MessageBoxBackend {
 public:
  explicit WaitingBox(std::function<void()> tick) : tick(std::move(tick)) {
    SetMessageBoxBackend(this);
  }
  ~WaitingBox() override { SetMessageBoxBackend(nullptr); }
  int Show(const std::string&, const std::string&, unsigned flags) override {
    QEventLoop loop;
    QTimer ticker;
    int ticks = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      tick();
      if (++ticks == 4) loop.quit();
    });
    ticker.start(150);
    loop.exec();
    return DefaultButton(flags);
  }
  std::function<void()> tick;
};

TEST_F(MainFormTest, ExchangeTickDoesNotNestWhileAPollWaitsInABox) {
  exchangeMethod = new MetodoInOut();
  exchangeMethod->metodo = 3;
  int polls = 0;
  int pollsSeenInsideTheBox = -1;
  form->pollExchange[3] = [&] {
    ++polls;
    if (polls == 1) {
      WaitingBox box([this] { form->InOutTimerTimer(); });
      ShowMessageBox("TCPS001: ...", "ERRORE", kMbError);
      pollsSeenInsideTheBox = polls;
    }
    return true;
  };
  int otherPolls = 0;
  form->pollExchange[1] = [&] {
    ++otherPolls;
    return true;
  };
  form->InOutTimer->start();
  QTRY_VERIFY_WITH_TIMEOUT(polls >= 2, kFrameWaitMs);
  form->InOutTimer->stop();
  EXPECT_EQ(pollsSeenInsideTheBox, 1);
  EXPECT_FALSE(exchangeBusy);

  // The current method decides, not the one opened at start-up.
  form->OpenedExchangeMethod = 3;
  exchangeMethod->metodo = 1;
  form->InOutTimerTimer();
  EXPECT_EQ(otherPolls, 1);
  exchangeMethod->metodo = 0;
  form->InOutTimerTimer();
  EXPECT_EQ(otherPolls, 1);
}

// Presses the exit button of whatever modal window is open, noting the auto-start flag it saw.
class ModalCloser {
 public:
  ModalCloser() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      opened.push_back(dynamic_cast<TWebCamForm_GetPoint*>(modal)
                           ? "point teach window"
                           : modal->objectName().toStdString());
      autoOpeningSeen.push_back(autoStart && autoStart->autoOpening);
      if (auto* exit = modal->findChild<QPushButton*>("ExitButton")) exit->click();
    });
    timer.start(20);
  }
  QTimer timer;
  std::vector<std::string> opened;
  std::vector<bool> autoOpeningSeen;
};

TEST_F(MainFormTest, MethodButtonLendsTheCameraToTheTeachWindow) {
  form->Button1Click();
  ASSERT_NE(currentWebCam, nullptr);
  form->TrackBar1->setValue(900);
  ModalCloser closer;
  form->RicPuntoBtnClick();
  ASSERT_FALSE(closer.opened.empty());
  EXPECT_EQ(closer.opened.front(), "point teach window");
  EXPECT_EQ(WebCamForm_GetPoint, nullptr);
  ASSERT_NE(currentWebCam, nullptr);
  EXPECT_EQ(currentWebCam->previewPeriod, 101u);
  EXPECT_FALSE(form->WC_Panel->isHidden());
}

TEST_F(MainFormTest, AutoStartTickOpensTheChosenMethodOnce) {
  const struct {
    int32_t startWindow;
    const char* opens;  // the teach window opened, or none
  } cases[] = {{0, nullptr}, {9, nullptr}, {1, "point teach window"}, {6, "WebCamForm_GetDim"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.startWindow);
    delete autoStart;
    autoStart = new AvvioProg();
    autoStart->startWindow = c.startWindow;
    form->AvvioProgTimer->start();
    ModalCloser closer;
    form->AvvioProgTimerTimer();
    EXPECT_FALSE(form->AvvioProgTimer->isActive());
    EXPECT_FALSE(autoStart->autoOpening);
    EXPECT_EQ(!closer.opened.empty(), c.opens != nullptr);
    if (c.opens) {
      EXPECT_EQ(closer.opened.front(), c.opens);
      EXPECT_TRUE(closer.autoOpeningSeen.front());
    }
    form->Button2Click();
  }
}

TEST_F(MainFormTest, LineButtonsAndAutoStartValuesOpenTheLineTeachWindows) {
  const struct {
    const char* window;
    QPushButton* button;
    int32_t startWindow;
  } cases[] = {
      {"WebCamForm_GetLineaVert", form->RicLineaVertBtn, 3},
      {"WebCamForm_GetLineaOriz", form->RicLineaOrizBtn, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    {
      ModalCloser closer;
      c.button->click();
      ASSERT_FALSE(closer.opened.empty());
      EXPECT_EQ(closer.opened.front(), c.window);
      EXPECT_FALSE(closer.autoOpeningSeen.front());
    }
    delete autoStart;
    autoStart = new AvvioProg();
    autoStart->startWindow = c.startWindow;
    {
      ModalCloser closer;
      form->AvvioProgTimerTimer();
      ASSERT_FALSE(closer.opened.empty());
      EXPECT_EQ(closer.opened.front(), c.window);
      EXPECT_TRUE(closer.autoOpeningSeen.front());
    }
    form->Button2Click();
  }
}

}  // namespace
