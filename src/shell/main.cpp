// The program entry: one station per user, every window created hidden, then the message loop.

#include <QIcon>
#include <exception>
#include <memory>

#include "capture/webcam.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"
#include "foundation/selecdir.h"
#include "platform/formcontrols.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_message_box.h"
#include "shell/mainform.h"
#include "shell/stationapplication.h"
#include "shell/stationsignals.h"
#include "shell/stationwindows.h"

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

  std::unique_ptr<StationWindows> windows;
  try {
    windows = std::make_unique<StationWindows>();
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
  windows.reset();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (IsAlreadyRunning("Lumivex")) return 0;
  RunStation(argc, argv);
  return 0;
}
