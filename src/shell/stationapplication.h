#pragma once

#include <QApplication>
#include <functional>

// The program's application object: an error that escapes an event handler is shown in a message
// box with its text (caption "Lumivex", stop icon) and the program goes on running.
class StationApplication : public QApplication {
 public:
  StationApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one delivery; an error escaping it is reported and the answer is false.
bool DeliverReportingErrors(const std::function<bool()>& deliver);

// The report of an error that reached the application: its text, empty for an error without one.
void ReportUncaughtError(const char* text);
