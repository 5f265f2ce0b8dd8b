#include "platform/qt_message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "foundation/mymessagebox.h"

namespace {

struct Seen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  Qt::WindowModality modality = Qt::NonModal;
  bool found = false;
};

// Once the box is up, notes what it shows and presses the button.
void PressWhenShown(Seen& seen, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [&seen, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      PressWhenShown(seen, press);
      return;
    }
    seen.found = true;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.defaultButton = box->standardButton(box->defaultButton());
    seen.modality = box->windowModality();
    box->button(press)->click();
  });
}

TEST(QtMessageBox, ShowsIconCaptionTextAndButtons) {
  struct Case {
    unsigned flags;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton press;
    int answer;
  } cases[] = {
      {kMbError, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, kIdOk},
      {kMbWarning, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, kIdOk},
      {kMbInformation, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, kIdOk},
      {kMbOk, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, kIdOk},
      {kMbQuestion, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
       kIdNo},
      {kMbQuestion, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
       kIdYes},
  };
  QtMessageBoxBackend backend;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    Seen seen;
    PressWhenShown(seen, c.press);
    EXPECT_EQ(backend.Show("WCP001: errore nel file \xC3\xA8", "ERRORE", c.flags), c.answer);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, QString::fromUtf8("ERRORE"));
    EXPECT_EQ(seen.text, QString::fromUtf8("WCP001: errore nel file \xC3\xA8"));
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(seen.defaultButton,
              c.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
  }
}

// Last in this file: after it every box of the Qt backend answers its default at once.
TEST(QtMessageBox, OpenBoxesAreAnsweredWithTheirDefaultWhenTheStationEnds) {
  QtMessageBoxBackend backend;
  int inner = 0;
  // A question open over an error box: both are closed by one call.
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [] { AnswerOpenMessageBoxesWithDefault(); });
    inner = backend.Show("Confermare?", "AVVISO", kMbQuestion);
  });
  EXPECT_EQ(backend.Show("errore", "ERRORE", kMbError), kIdOk);
  EXPECT_EQ(inner, kIdYes);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(backend.Show("dopo", "AVVISO", kMbQuestion), kIdYes);
  EXPECT_EQ(backend.Show("dopo", "ERRORE", kMbError), kIdOk);
}

}  // namespace
