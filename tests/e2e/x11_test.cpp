#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "station_process.h"

namespace {

// A private X server for the test, on a display number nobody else uses.
class XvfbServer {
 public:
  XvfbServer() {
    QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) return;
    for (int number = 90 + getpid() % 50; number < 200 && display.isEmpty(); ++number) {
      if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) continue;
      server.start(
          xvfb, {QString(":%1").arg(number), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
      std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
      if (server.waitForStarted(5000) &&
          WaitUntil([&] { return std::filesystem::exists(socket); }, 10000))
        display = QString(":%1").arg(number);
    }
  }
  ~XvfbServer() {
    server.terminate();
    server.waitForFinished(5000);
  }
  const QString& Display() const { return display; }

 private:
  QProcess server;
  QString display;
};

std::string WindowTree(const QString& display) {
  QProcess xwininfo;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", display);
  xwininfo.setProcessEnvironment(env);
  xwininfo.start("xwininfo", {"-root", "-tree"});
  xwininfo.waitForFinished(10000);
  return xwininfo.readAllStandardOutput().toStdString();
}

TEST(X11Station, MainWindowShowsOnARealDisplayAndClosesOnSigterm) {
  if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
      QStandardPaths::findExecutable("xwininfo").isEmpty())
    GTEST_SKIP() << "Xvfb and xwininfo are needed";
  XvfbServer x;
  ASSERT_FALSE(x.Display().isEmpty());

  StationProcess station;
  station.ShowScene(64, 48, [](int x, int y) { return (x + y) % 2 ? 0x3060C0u : 0xE0E0E0u; });
  station.SetEnv("QT_QPA_PLATFORM", "xcb");
  station.SetEnv("DISPLAY", x.Display());
  ASSERT_TRUE(station.Start());

  // The main window: caption LUMIVEX, client area 957 x 706.
  std::string tree;
  EXPECT_TRUE(WaitUntil(
      [&] {
        tree = WindowTree(x.Display());
        size_t at = tree.find("\"LUMIVEX\"");
        if (at == std::string::npos) return false;
        std::string line = tree.substr(at, tree.find('\n', at) - at);
        return line.find(" 957x706+") != std::string::npos;
      },
      20000))
      << tree;
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
  EXPECT_NE(station.EventLog().find("*** CHIUSURA PROGROGRAMMA ***"), std::string::npos);
}

}  // namespace
