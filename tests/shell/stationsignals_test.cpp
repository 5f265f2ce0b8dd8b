#include "shell/stationsignals.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <string>
#include <vector>

#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> events;

class MainWindow : public QWidget {
 protected:
  void closeEvent(QCloseEvent* event) override {
    events.push_back("main window closed");
    event->accept();
  }
};

// A modal window whose exit button is its way out; what happens after its exec is noted too.
class Window : public QDialog {
 public:
  Window(QWidget* owner, const std::string& name, bool exitEnabled) : QDialog(owner), name(name) {
    auto* exit = new QPushButton("Esci", this);
    exit->setObjectName("ExitButton");
    exit->setEnabled(exitEnabled);
    connect(exit, &QPushButton::clicked, this, [this] {
      events.push_back(this->name + " exit button");
      accept();
    });
  }
  void closeEvent(QCloseEvent* event) override {
    events.push_back(this->name + " closed by the window manager");
    QDialog::closeEvent(event);
  }
  std::string name;
};

TEST(OperatorShutdown, SignalClosesModalWindowsInnermostFirstThenTheMainWindow) {
  MainWindow main;
  main.show();
  InstallOperatorShutdown(&main);

  Window teach(&main, "teach", true);
  QTimer::singleShot(0, &teach, [&] {
    // The test window cannot be left by its button right now: it is closed as by the system box.
    Window test(&teach, "test", false);
    QTimer::singleShot(0, &test, [] { std::raise(SIGTERM); });
    test.exec();
    events.push_back("test returned");
  });
  teach.exec();
  events.push_back("teach returned");
  QTRY_VERIFY_WITH_TIMEOUT(!main.isVisible(), 30000);

  const std::vector<std::string> expected = {"test closed by the window manager", "test returned",
                                             "teach exit button", "teach returned",
                                             "main window closed"};
  EXPECT_EQ(events, expected);
}

}  // namespace
