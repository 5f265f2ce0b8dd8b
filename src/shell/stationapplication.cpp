#include "shell/stationapplication.h"

#include <exception>

#include "foundation/mymessagebox.h"

StationApplication::StationApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool StationApplication::notify(QObject* receiver, QEvent* event) {
  return DeliverReportingErrors([&] { return QApplication::notify(receiver, event); });
}

bool DeliverReportingErrors(const std::function<bool()>& deliver) {
  try {
    return deliver();
  } catch (const std::exception& error) {
    ReportUncaughtError(error.what());
  } catch (...) {
    ReportUncaughtError("");
  }
  return false;
}

void ReportUncaughtError(const char* text) {
  ShowMessageBox(text, "Lumivex", kMbError);
}
