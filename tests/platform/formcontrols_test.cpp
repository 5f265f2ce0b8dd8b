#include "platform/formcontrols.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(MakeOkCancel, OkAcceptsAndCancelRejectsTheDialog) {
  struct Case {
    const char* name;
    QDialogButtonBox::StandardButton pressed;
    int result;
  } cases[] = {
      {"Ok", QDialogButtonBox::Ok, QDialog::Accepted},
      {"Cancel", QDialogButtonBox::Cancel, QDialog::Rejected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QDialog dialog;
    QDialogButtonBox* buttons = MakeOkCancel(dialog);
    EXPECT_EQ(buttons->parent(), &dialog);
    EXPECT_EQ(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* button = buttons->button(c.pressed);
    ASSERT_NE(button, nullptr);
    QTimer::singleShot(0, button, &QPushButton::click);
    EXPECT_EQ(dialog.exec(), c.result);
  }
}

}  // namespace
