#include "foundation/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QString>
#include <QUrl>

namespace {

// Above 32, as the shell answers a request it has taken.
constexpr int kHandedOver = 42;

}  // namespace

int OpenWithShell(const std::string& file, const char* workingFolder) {
  (void)workingFolder;  // the desktop opens a file by its URL; there is no working folder
  // The desktop services need a GUI application.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return 0;
  bool handedOver = QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromUtf8(file)));
  return handedOver ? kHandedOver : 0;
}
