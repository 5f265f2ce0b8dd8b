#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

class QCloseEvent;
class QFrame;
class QLabel;
class QPixmap;
class QPushButton;
class QShowEvent;
class QSlider;
class QTimer;

// The station's home screen: the live picture, the six method buttons, still and video saving, the
// options, utilities, help and information buttons, and the three timers that drive the station
// (status refresh, one-shot auto-start, exchange polling).
class TMainForm : public QWidget {
  Q_OBJECT

 public:
  TMainForm();
  ~TMainForm() override;

  // Start-up and shutdown sequences. FormShow runs once, when the window is first shown; FormClose
  // runs from the close handler (system close box, "Esci dal programma", SIGTERM/SIGINT).
  void FormShow();
  void FormClose();

  void Timer1Timer();
  void AvvioProgTimerTimer();
  void InOutTimerTimer();

  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button8Click();
  void TrackBar1Change();
  // The six method buttons open the teach window of their method number.
  void RicPuntoBtnClick() { RunMethodButton(1); }
  void RicZonaBtnClick() { RunMethodButton(2); }
  void RicLineaVertBtnClick() { RunMethodButton(3); }
  void RicLineaOrizBtnClick() { RunMethodButton(4); }
  void RicImgBtnClick() { RunMethodButton(5); }
  void RicDimBtnClick() { RunMethodButton(6); }
  void UtlBtnClick();
  void OpzioniWebcamBtnClick();
  void HelpBtnClick();
  void BitBtn1Click();

  // The teach window of a method number (the auto-start value: 1 point ... 6 dimension), with the
  // main window's capture stopped while it is open; nothing for a number without windows.
  void RunMethodButton(int32_t number);

  // True while FormShow runs (it may wait in a message box) or FormClose has run.
  bool StartupRunning() const { return startupRunning; }
  bool ShutdownDone() const { return shutdownDone; }

  // First start-up step. Tests point it at a temporary station folder.
  std::function<void()> findProgramFolder;
  // The exchange poll steps by method number (1 files, 2 serial, 3 TCP/IP). Tests replace them.
  std::function<bool()> pollExchange[4];

  int32_t OpenedExchangeMethod = 0;

  QTimer* Timer1;
  QTimer* AvvioProgTimer;
  QTimer* InOutTimer;

  QLabel* BackGndImg;
  QFrame* Orvant_Bevel;
  QLabel* Orvant_Logo;
  QLabel* Label3;
  QLabel* Label5;
  QPushButton* Button1;
  QPushButton* Button2;
  QLabel* Label1;
  QSlider* TrackBar1;
  QLabel* Label2;
  QPushButton* OpzioniWebcamBtn;
  QPushButton* HelpBtn;
  QPushButton* BitBtn1;
  QFrame* Bevel1;
  QWidget* WC_Panel;
  QFrame* SistVisBevel;
  QPushButton* RicPuntoBtn;
  QPushButton* RicZonaBtn;
  QPushButton* RicLineaVertBtn;
  QPushButton* RicLineaOrizBtn;
  QPushButton* RicImgBtn;
  QPushButton* RicDimBtn;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* UtlBtn;
  QPushButton* Button8;
  QPushButton* Button6;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowTrackBarTip();

  QPixmap* background = nullptr;
  bool startupRequested = false;
  bool startupRunning = false;
  bool startupDone = false;
  bool shutdownDone = false;
};

extern TMainForm* MainForm;

// Set while an exchange poll step runs: a tick that finds it set is skipped, so poll steps never
// nest when one of them waits in a message box.
extern bool exchangeBusy;

// The main window's three-line connection failure message.
extern const char* const kWebcamConnectionError;
