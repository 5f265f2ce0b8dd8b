#include "shell/mainform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>
#include <QToolTip>

#include "capture/webcam.h"
#include "exchange/fileinout.h"
#include "exchange/rs232inout.h"
#include "exchange/sceltainout.h"
#include "exchange/tcpipinout.h"
#include "foundation/log.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"
#include "foundation/selecdir.h"
#include "foundation/shell.h"
#include "inspection/methodwindows.h"
#include "platform/formcontrols.h"
#include "platform/modalwindow.h"
#include "shell/about.h"
#include "shell/avvioautomatico.h"
#include "shell/opzioni.h"
#include "shell/utilita.h"

TMainForm* MainForm = nullptr;
bool exchangeBusy = false;

const char* const kWebcamConnectionError =
    "Errore nella connessione con la webcam.\n"
    "Verificare che la webcam sia correttamente collegata e che non ci sia più di una webcam "
    "collegata al computer.\n"
    "Se ci sono più webcam collegate al computer abilitarne una sola dalle impostazioni di "
    "Windows.";

namespace {

constexpr int kClientWidth = 957;
constexpr int kClientHeight = 706;
constexpr int kStartPreviewPosition = 950;

// The preview period of a slider position: 1000 gives 1 ms, 1 gives 1000 ms.
unsigned PreviewPeriod(int position) {
  return static_cast<unsigned>(1001 - position);
}

void Colour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

}  // namespace

TMainForm::TMainForm() : QWidget(nullptr) {
  setObjectName("MainForm");
  setWindowTitle("LUMIVEX");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setFont(StationFont(true));
  setWindowIcon(QIcon(PicturePath("lumivex")));

  findProgramFolder = FindProgramFolder;
  pollExchange[1] = PollFileExchange;
  pollExchange[2] = PollSerialExchange;
  pollExchange[3] = PollTcpExchange;

  // Created first so that every other control lies above it.
  BackGndImg = new QLabel(this);
  BackGndImg->setObjectName("BackGndImg");
  BackGndImg->setGeometry(0, 0, kClientWidth, kClientHeight);
  BackGndImg->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Orvant_Bevel = MakeBevel(this, "Orvant_Bevel", 615, 4, 338, 104);
  Orvant_Logo = new QLabel(this);
  Orvant_Logo->setObjectName("Orvant_Logo");
  Orvant_Logo->setGeometry(619, 8, 330, 64);
  Orvant_Logo->setScaledContents(true);
  Orvant_Logo->setPixmap(QPixmap(PicturePath("logo")));

  Label3 = MakeLabel(this, "Label3", "www.lumivex.it", 619, 73);
  QFont italic = font();
  italic.setItalic(true);
  Label3->setFont(italic);
  Label3->adjustSize();
  Colour(Label3, QPalette::WindowText, Qt::white);

  Label5 = new QLabel(QString::fromUtf8("Connettere la webcam e premere \"Start webcam\""), this);
  Label5->setObjectName("Label5");
  Label5->setGeometry(15, 13, 394, 19);
  QFont underlined = font();
  underlined.setPointSize(10);
  underlined.setUnderline(true);
  Label5->setFont(underlined);
  Colour(Label5, QPalette::WindowText, Qt::yellow);
  Label5->hide();

  Button1 = MakeImageButton(this, "Button1", "   Start webcam", 8, 47, 194, 54, "camera");
  Button2 = MakeImageButton(this, "Button2", "Stop webcam", 208, 47, 194, 54, "stop");

  Label1 = MakeLabel(this, "Label1", "Preview rate:", 427, 15);
  Colour(Label1, QPalette::WindowText, Qt::white);

  TrackBar1 = new QSlider(Qt::Horizontal, this);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setGeometry(420, 28, 169, 25);
  TrackBar1->setRange(1, 1000);
  TrackBar1->setPageStep(5);
  TrackBar1->setTickPosition(QSlider::NoTicks);

  // Right edge at 589: the counter grows to the left.
  Label2 = new QLabel("Immagini acquisite:", this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(389, 54, 200, 16);
  Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
  QFont plainItalic = font();
  plainItalic.setBold(false);
  plainItalic.setItalic(true);
  Label2->setFont(plainItalic);
  Colour(Label2, QPalette::WindowText, Qt::white);

  OpzioniWebcamBtn =
      MakeImageButton(this, "OpzioniWebcamBtn", " Opzioni webcam", 427, 78, 154, 30, "options");
  HelpBtn = MakeImageButton(this, "HelpBtn", "Help", 764, 73, 93, 34, "help");
  BitBtn1 = MakeImageButton(this, "BitBtn1", "info", 856, 73, 93, 34, "info");

  Bevel1 = MakeBevel(this, "Bevel1", 4, 114, 650, 488);
  WC_Panel = new QWidget(this);
  WC_Panel->setObjectName("WC_Panel");
  WC_Panel->setGeometry(9, 119, 640, 480);
  WC_Panel->setAutoFillBackground(true);
  Colour(WC_Panel, QPalette::Window, Qt::black);
  WC_Panel->hide();

  SistVisBevel = MakeBevel(this, "SistVisBevel", 660, 114, 299, 488);
  RicPuntoBtn = new PictureAboveButton(this, "RicPuntoBtn", "Riconoscimento per punto",
                                       "method_point", 674, 122, 270, 77);
  RicZonaBtn = new PictureAboveButton(this, "RicZonaBtn", "Riconoscimento per zona", "method_zone",
                                      674, 202, 270, 77);
  RicLineaVertBtn =
      new PictureAboveButton(this, "RicLineaVertBtn", "Riconoscimento per linea verticale",
                             "method_vline", 674, 282, 270, 77);
  RicLineaOrizBtn =
      new PictureAboveButton(this, "RicLineaOrizBtn", "Riconoscimento per linea orizzontale",
                             "method_hline", 674, 362, 270, 77);
  RicImgBtn = new PictureAboveButton(this, "RicImgBtn", "Riconoscimento per immagine intera",
                                     "method_image", 674, 442, 270, 77);
  RicDimBtn = new PictureAboveButton(this, "RicDimBtn", "Dimensione oggetti con colore uniforme",
                                     "method_dim", 674, 522, 270, 77);

  Button3 = MakeImageButton(this, "Button3", "Salva bitmap", 8, 608, 140, 40, "save");
  Button4 = MakeImageButton(this, "Button4", "Start salva film", 150, 608, 140, 40, "film");
  Button5 = MakeImageButton(this, "Button5", "Stop salva film", 292, 608, 140, 40, "filmstop");
  UtlBtn =
      MakeImageButton(this, "UtlBtn", "Utilità sistema visione", 474, 608, 180, 50, "utilities");
  Button8 =
      MakeImageButton(this, "Button8", "       Esci dal programma", 674, 620, 270, 77, "exit");
  Button8->setIconSize(QSize(32, 32));

  Button6 = new QPushButton("Memo cur frame (not used)", this);
  Button6->setObjectName("Button6");
  Button6->setGeometry(160, 668, 167, 26);
  Button6->setAutoDefault(false);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(600);
  AvvioProgTimer = new QTimer(this);
  AvvioProgTimer->setObjectName("AvvioProgTimer");
  AvvioProgTimer->setInterval(200);
  InOutTimer = new QTimer(this);
  InOutTimer->setObjectName("InOutTimer");
  InOutTimer->setInterval(150);

  connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
  connect(AvvioProgTimer, &QTimer::timeout, this, &TMainForm::AvvioProgTimerTimer);
  connect(InOutTimer, &QTimer::timeout, this, &TMainForm::InOutTimerTimer);
  connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TMainForm::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TMainForm::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TMainForm::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TMainForm::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TMainForm::Button6Click);
  connect(Button8, &QPushButton::clicked, this, &TMainForm::Button8Click);
  connect(TrackBar1, &QSlider::valueChanged, this, &TMainForm::TrackBar1Change);
  connect(TrackBar1, &QSlider::sliderMoved, this, &TMainForm::ShowTrackBarTip);
  connect(RicPuntoBtn, &QPushButton::clicked, this, &TMainForm::RicPuntoBtnClick);
  connect(RicZonaBtn, &QPushButton::clicked, this, &TMainForm::RicZonaBtnClick);
  connect(RicLineaVertBtn, &QPushButton::clicked, this, &TMainForm::RicLineaVertBtnClick);
  connect(RicLineaOrizBtn, &QPushButton::clicked, this, &TMainForm::RicLineaOrizBtnClick);
  connect(RicImgBtn, &QPushButton::clicked, this, &TMainForm::RicImgBtnClick);
  connect(RicDimBtn, &QPushButton::clicked, this, &TMainForm::RicDimBtnClick);
  connect(UtlBtn, &QPushButton::clicked, this, &TMainForm::UtlBtnClick);
  connect(OpzioniWebcamBtn, &QPushButton::clicked, this, &TMainForm::OpzioniWebcamBtnClick);
  connect(HelpBtn, &QPushButton::clicked, this, &TMainForm::HelpBtnClick);
  connect(BitBtn1, &QPushButton::clicked, this, &TMainForm::BitBtn1Click);

  // Centred on the desktop.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
  }
}

TMainForm::~TMainForm() {
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Start-up runs once, right after the first show, so that its message boxes find the window on
  // screen.
  if (startupRequested) return;
  startupRequested = true;
  QTimer::singleShot(0, this, [this] {
    if (!startupDone && !startupRunning) FormShow();
  });
}

void TMainForm::FormShow() {
  if (startupDone || startupRunning) return;
  startupRequested = true;
  startupRunning = true;

  findProgramFolder();
  errorLog = new Log("ERR");
  eventLog = new Log("EV");
  LogEvent("*** APERTURA PROGROGRAMMA ***");

  background = new QPixmap(PicturePath("background"));
  BackGndImg->setPixmap(*background);

  autoStart = new AvvioProg();
  autoStart->Load();

  Button6->hide();
  Label1->setAutoFillBackground(false);
  Label2->setAutoFillBackground(false);
  TrackBar1->setAutoFillBackground(true);
  Colour(TrackBar1, QPalette::Window, QColor(108, 108, 108));
  TrackBar1->setValue(kStartPreviewPosition);
  WC_Panel->hide();

  LoadExchangeFolders();
  LoadSerialParameters();
  LoadTcpParameters();

  exchangeMethod = new MetodoInOut();
  exchangeMethod->Load();

  switch (exchangeMethod->metodo) {
    case 1:
      OpenFileExchange();
      break;
    case 2:
      OpenSerialExchange();
      break;
    case 3:
      OpenTcpExchange();
      break;
    default:
      break;
  }
  OpenedExchangeMethod = exchangeMethod->metodo;

  Button1Click();

  startupRunning = false;
  startupDone = true;
  Timer1->start();
  AvvioProgTimer->start();
  InOutTimer->start();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // Not while start-up waits in a message box: its remaining steps still need the objects.
  if (startupRunning) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TMainForm::FormClose() {
  if (shutdownDone) return;
  shutdownDone = true;
  // No tick may find the channel closing or the objects gone.
  AvvioProgTimer->stop();
  InOutTimer->stop();
  if (!startupDone) {
    Timer1->stop();
    return;
  }

  LogEvent("*** CHIUSURA PROGROGRAMMA ***");
  switch (OpenedExchangeMethod) {
    case 1:
      CloseFileExchange();
      break;
    case 2:
      CloseSerialExchange();
      break;
    case 3:
      CloseTcpExchange();
      break;
    default:
      break;
  }
  Button2Click();
  Timer1->stop();
  if (currentWebCam) {
    delete currentWebCam;
    currentWebCam = nullptr;
  }
  delete autoStart;
  autoStart = nullptr;
  BackGndImg->clear();
  delete background;
  background = nullptr;
  delete eventLog;
  eventLog = nullptr;
  delete errorLog;
  errorLog = nullptr;
}

void TMainForm::Timer1Timer() {
  const bool shown = !WC_Panel->isHidden();
  const bool capture = currentWebCam != nullptr;
  const bool recording = capture && currentWebCam->recording;

  if (capture)
    Label2->setText(QString::fromStdString(
        StrFormat("Immagini acquisite: %u ", static_cast<unsigned>(currentWebCam->frameCount))));

  Button1->setEnabled(!shown);
  Button2->setEnabled(shown);
  Button3->setEnabled(shown && capture && !recording);
  Button4->setEnabled(shown && capture && !recording);
  Button5->setEnabled(shown && capture && recording);
  OpzioniWebcamBtn->setEnabled(shown && capture && !recording);
  for (QPushButton* button :
       {UtlBtn, RicPuntoBtn, RicZonaBtn, RicLineaVertBtn, RicLineaOrizBtn, RicImgBtn, RicDimBtn})
    button->setEnabled(!recording);
  TrackBar1->setEnabled(shown);
  Label1->setEnabled(shown);
  Label2->setVisible(shown);
  Label5->setVisible(!capture);
}

void TMainForm::AvvioProgTimerTimer() {
  AvvioProgTimer->stop();
  if (!autoStart) return;
  autoStart->autoOpening = true;
  RunMethodButton(autoStart->startWindow);
  // The teach window has closed when the button returns; shutdown may have freed autoStart.
  if (autoStart) autoStart->autoOpening = false;
}

void TMainForm::InOutTimerTimer() {
  if (exchangeBusy) return;
  exchangeBusy = true;
  const int32_t metodo = exchangeMethod ? exchangeMethod->metodo : 0;
  if (metodo >= 1 && metodo <= 3 && pollExchange[metodo]) pollExchange[metodo]();
  exchangeBusy = false;
}

void TMainForm::Button1Click() {
  // One capture at a time: a second press before the status tick caught up does nothing.
  if (currentWebCam) return;
  WC_Panel->show();
  currentWebCam = new WebCam(WC_Panel, 0, 0, WC_Panel->width(), WC_Panel->height(),
                             PreviewPeriod(TrackBar1->value()), true);
  if (!currentWebCam->Failed()) return;
  WC_Panel->hide();
  ShowMessageBox(kWebcamConnectionError, "ERRORE", kMbInformation);
  delete currentWebCam;
  currentWebCam = nullptr;
}

void TMainForm::Button2Click() {
  if (currentWebCam) {
    if (currentWebCam->recording) currentWebCam->StopVideo();
    delete currentWebCam;
    currentWebCam = nullptr;
  }
  WC_Panel->hide();
}

void TMainForm::Button3Click() {
  if (!currentWebCam) return;
  const std::string file = ChooseSaveFile("SALVA IMMAGINE", "*.bmp|*.bmp", "bmp");
  if (file.empty() || !currentWebCam) return;
  currentWebCam->SaveFrame(CutText(file, kMaxPathText));
}

void TMainForm::Button4Click() {
  if (!currentWebCam) return;
  const std::string file = ChooseSaveFile("SALVA VIDEO", "*.avi|*.avi", "avi");
  if (file.empty() || !currentWebCam) return;
  if (currentWebCam->StartVideo(CutText(file, kMaxPathText), false, true, 15)) return;
  ShowMessageBox("Errore nella registrazione del video.", "AVVISO", kMbWarning);
  if (currentWebCam) currentWebCam->StopVideo();
}

void TMainForm::Button5Click() {
  if (currentWebCam) currentWebCam->StopVideo();
}

void TMainForm::Button6Click() {
  if (currentWebCam) currentWebCam->MemoFrame({});
}

void TMainForm::Button8Click() {
  if (currentWebCam) {
    if (currentWebCam->recording) currentWebCam->StopVideo();
    delete currentWebCam;
    currentWebCam = nullptr;
  }
  close();
}

void TMainForm::TrackBar1Change() {
  if (currentWebCam) currentWebCam->SetPreviewRate(PreviewPeriod(TrackBar1->value()));
}

void TMainForm::ShowTrackBarTip() {
  QToolTip::showText(TrackBar1->mapToGlobal(QPoint(TrackBar1->width() + 4, 0)),
                     QString::number(TrackBar1->value()), TrackBar1);
}

void TMainForm::RunMethodButton(int32_t number) {
  const MethodWindows* method = FindMethodWindows(number);
  if (!method) return;
  // The teach window takes the camera for itself while it is open.
  Button2Click();
  method->openTeach(this, autoStart && autoStart->autoOpening);
  Button1Click();
}

void TMainForm::UtlBtnClick() {
  RunModal(UtlForm, this);
}
void TMainForm::OpzioniWebcamBtnClick() {
  RunModal(OptionsForm, this);
}
void TMainForm::BitBtn1Click() {
  RunModal(AboutForm, nullptr);
}

void TMainForm::HelpBtnClick() {
  OpenWithShell(ProgramSubfolder("help") + "/help.pdf", nullptr);
}
