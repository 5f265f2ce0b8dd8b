#include "control_layout.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

void ExpectControls(std::span<const ControlCase> cases) {
  for (const ControlCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* control = c.window->findChild<QWidget*>(QString::fromStdString(c.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->pos(), c.geometry.topLeft());
    if (!c.geometry.size().isEmpty()) {
      EXPECT_EQ(control->size(), c.geometry.size());
    }
    if (!c.text) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) text = edit->text();
    EXPECT_EQ(text.toStdString(), c.text);
  }
}
