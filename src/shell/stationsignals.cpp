#include "shell/stationsignals.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "platform/qt_message_box.h"
#include "shell/mainform.h"

namespace {

int signalPipe[2] = {-1, -1};
bool shutdownStarted = false;
// A window that keeps refusing its exit button is closed the hard way after this many steps.
constexpr int kPatientSteps = 40;

void OnSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] ssize_t ignored = ::write(signalPipe[1], &byte, 1);
  errno = savedErrno;
}

// The window's own exit button, not one of a window it owns.
QAbstractButton* ExitButtonOf(QWidget* window) {
  QList<QWidget*> pending = {window};
  while (!pending.isEmpty()) {
    QWidget* widget = pending.takeFirst();
    for (QObject* child : widget->children()) {
      auto* childWidget = qobject_cast<QWidget*>(child);
      if (!childWidget || childWidget->isWindow()) continue;
      if (childWidget->objectName() == QLatin1String("ExitButton"))
        if (auto* button = qobject_cast<QAbstractButton*>(childWidget)) return button;
      pending.append(childWidget);
    }
  }
  return nullptr;
}

void CloseAsOperator(QWidget* modal, int attempts) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    // A box that is not the backend's own.
    if (QAbstractButton* button = box->defaultButton()) {
      button->click();
      return;
    }
  }
  QAbstractButton* exitButton = ExitButtonOf(modal);
  if (attempts < kPatientSteps && exitButton && exitButton->isEnabled() &&
      exitButton->isVisible()) {
    exitButton->click();
  } else if (attempts < kPatientSteps) {
    modal->close();
  } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->QDialog::done(QDialog::Rejected);
  } else {
    modal->hide();
  }
}

void Step(QPointer<QWidget> mainWindow, QPointer<QWidget> lastModal, int attempts) {
  AnswerOpenMessageBoxesWithDefault();
  if (!mainWindow) return;

  QWidget* modal = QApplication::activeModalWidget();
  auto* mainForm = qobject_cast<TMainForm*>(mainWindow.data());
  if (modal) {
    attempts = modal == lastModal ? attempts + 1 : 0;
    CloseAsOperator(modal, attempts);
  } else if (mainForm && mainForm->StartupRunning()) {
    // Start-up is between two of its steps: wait for it.
  } else {
    mainWindow->close();
    if (!mainWindow->isVisible()) return;
  }
  QTimer::singleShot(kOperatorShutdownStepMs, [mainWindow, modal = QPointer<QWidget>(modal),
                                               attempts] { Step(mainWindow, modal, attempts); });
}

}  // namespace

void StartOperatorShutdown(QWidget* mainWindow) {
  if (shutdownStarted) return;
  shutdownStarted = true;
  Step(mainWindow, nullptr, 0);
}

void InstallOperatorShutdown(QWidget* mainWindow) {
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::perror("lumivex: signal pipe");
    return;
  }
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
  QPointer<QWidget> window(mainWindow);
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [window] {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (window) StartOperatorShutdown(window);
  });

  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}
