// The program entry: one station per user, every window created hidden, then the message loop.

#include <QIcon>
#include <exception>

#include "capture/webcam.h"
#include "exchange/rs232form.h"
#include "exchange/sceltainout.h"
#include "exchange/tcpipinoutform.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"
#include "foundation/selecdir.h"
#include "inspection/webcamgetpoint.h"
#include "inspection/webcamtestpoint.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_message_box.h"
#include "shell/about.h"
#include "shell/avvioautoform.h"
#include "platform/formcontrols.h"
#include "shell/mainform.h"
#include "shell/opzioni.h"
#include "shell/stationapplication.h"
#include "shell/stationsignals.h"
#include "shell/utilita.h"

namespace {

int RunStation(int& argc, char** argv) {
  StationApplication application(argc, argv);
  application.setApplicationName("Lumivex");
  QtMessageBoxBackend boxes;
  SetMessageBoxBackend(&boxes);
  QtDialogBackend dialogs;
  SetDialogBackend(&dialogs);
  LoadStationFonts();
  application.setFont(StationFont(false));
  application.setWindowIcon(QIcon(PicturePath("lumivex")));

  try {
    // One hidden instance of each window class, in this order. The windows of methods that are not
    // built yet stand where they will go.
    MainForm = new TMainForm();
    WebCam_TestPoint = new TWebCam_TestPoint(nullptr);
    // WebCamForm_GetImage = new TWebCamForm_GetImage(nullptr);
    // WebCamForm_GetLineaOriz = new TWebCamForm_GetLineaOriz(nullptr);
    // WebCamForm_GetLineaVert = new TWebCamForm_GetLineaVert(nullptr);
    WebCamForm_GetPoint = new TWebCamForm_GetPoint(nullptr);
    // WebCam_TestImage = new TWebCam_TestImage(nullptr);
    // WebCam_TestLineaOriz = new TWebCam_TestLineaOriz(nullptr);
    // WebCam_TestLineaVert = new TWebCam_TestLineaVert(nullptr);
    // WebCamForm_GetZona = new TWebCamForm_GetZona(nullptr);
    // WebCam_TestZona = new TWebCam_TestZona(nullptr);
    AboutForm = new TAboutForm(nullptr);
    // WebCam_TestDim = new TWebCam_TestDim(nullptr);
    // WebCamForm_GetDim = new TWebCamForm_GetDim(nullptr);
    OptionsForm = new TOptionsForm(nullptr);
    AvvioAutoForm = new TAvvioAutoForm(nullptr);
    UtlForm = new TUtlForm(nullptr);
    SceltaInOutForm = new TSceltaInOutForm(nullptr);
    RS232_Form = new TRS232_Form(nullptr);
    TCPIP_InOutForm = new TTCPIP_InOutForm(nullptr);

    InstallOperatorShutdown(MainForm);
    MainForm->show();
    application.exec();
  } catch (const std::exception& error) {
    ReportUncaughtError(error.what());
  } catch (...) {
    ReportUncaughtError("");
  }

  // A change of exchange method ends the loop without the shutdown: the capture still runs and is
  // stopped here, before the window that holds its picture goes.
  delete currentWebCam;
  currentWebCam = nullptr;
  delete MainForm;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (IsAlreadyRunning("Lumivex")) return 0;
  RunStation(argc, argv);
  return 0;
}
