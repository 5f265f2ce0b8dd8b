#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <type_traits>

// Runs script once on the window that `global` points to, as soon as that window is the active
// modal widget (opened with exec(), so the caller is blocked meanwhile).
template <class Window>
void WhenModalOpens(Window*& global, std::type_identity_t<std::function<void(Window&)>> script) {
  auto* poll = new QTimer;
  poll->setInterval(20);
  QObject::connect(poll, &QTimer::timeout, [poll, &global, script] {
    auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!window || window != global) return;
    poll->stop();
    poll->deleteLater();
    script(*global);
  });
  poll->start();
}
