#include "foundation/mymessagebox.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <atomic>

namespace {

std::atomic<MessageBoxBackend*> installedBackend{nullptr};

int ShowOnThisThread(const std::string& text, const std::string& caption, unsigned flags) {
  MessageBoxBackend* backend = installedBackend.load();
  if (backend == nullptr) return DefaultButton(flags);
  return backend->Show(text, caption, flags);
}

}  // namespace

void SetMessageBoxBackend(MessageBoxBackend* backend) {
  installedBackend.store(backend);
}

MessageBoxBackend* CurrentMessageBoxBackend() {
  return installedBackend.load();
}

int DefaultButton(unsigned flags) {
  return (flags & kMbButtonMask) == kMbYesNo ? kIdYes : kIdOk;
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return DefaultButton(flags);
  if (QThread::currentThread() == app->thread()) return ShowOnThisThread(text, caption, flags);
  // Boxes belong to the user-interface thread; the caller waits for the answer. The backend is
  // looked up there, so a backend replaced meanwhile is never used.
  int answer = DefaultButton(flags);
  bool delivered = QMetaObject::invokeMethod(
      app, [&] { answer = ShowOnThisThread(text, caption, flags); }, Qt::BlockingQueuedConnection);
  return delivered ? answer : DefaultButton(flags);
}
