#include "platform/qt_message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <vector>

namespace {

// Boxes being shown, innermost last. Touched on the user-interface thread only.
std::vector<QPointer<QMessageBox>> openBoxes;
std::atomic<bool> ending{false};

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & kMbIconMask) {
    case 0x10:
      return QMessageBox::Critical;
    case 0x20:
      return QMessageBox::Question;
    case 0x30:
      return QMessageBox::Warning;
    case 0x40:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

void AnswerOpenBoxes() {
  for (const QPointer<QMessageBox>& box : openBoxes) {
    if (box.isNull()) continue;
    if (QAbstractButton* button = box->defaultButton()) button->click();
  }
}

}  // namespace

int QtMessageBoxBackend::Show(const std::string& text, const std::string& caption, unsigned flags) {
  bool question = (flags & kMbButtonMask) == kMbYesNo;
  if (ending.load()) return DefaultButton(flags);
  QMessageBox box(IconOf(flags), QString::fromStdString(caption), QString::fromStdString(text),
                  question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  openBoxes.emplace_back(&box);
  int pressed = box.exec();
  openBoxes.erase(std::remove(openBoxes.begin(), openBoxes.end(), QPointer<QMessageBox>(&box)),
                  openBoxes.end());
  switch (pressed) {
    case QMessageBox::Yes:
      return kIdYes;
    case QMessageBox::No:
      return kIdNo;
    default:
      return question ? kIdNo : kIdOk;
  }
}

void AnswerOpenMessageBoxesWithDefault() {
  ending.store(true);
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  if (QThread::currentThread() == app->thread())
    AnswerOpenBoxes();
  else
    QMetaObject::invokeMethod(app, &AnswerOpenBoxes, Qt::QueuedConnection);
}
