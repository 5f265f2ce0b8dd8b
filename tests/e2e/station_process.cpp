#include "station_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QThread>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "exchange/rs232_pty.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string TodayLog(const std::string& folder, const char* prefix) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char name[64];
  std::snprintf(name, sizeof name, "/log/%s%04d%02d%02d.txt", prefix, local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday);
  return ReadAll(folder + name);
}

bool CopyTree(const QString& from, const QString& to) {
  QDir source(from);
  if (!source.exists() || !QDir().mkpath(to)) return false;
  for (const QFileInfo& entry :
       source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
    QString target = to + "/" + entry.fileName();
    if (entry.isDir()) {
      if (!CopyTree(entry.filePath(), target)) return false;
    } else if (!QFile::copy(entry.filePath(), target)) {
      return false;
    }
  }
  return true;
}

// A 24-bit bottom-up BMP whose pixel (x, y) (y from the bottom) is colour(x, y) = 0xRRGGBB, written
// beside the path first and then renamed over it; false when the rename failed.
bool WriteBmp(const std::string& path, int width, int height,
              const std::function<uint32_t(int, int)>& colour) {
  int rowBytes = width * 3;
  int pad = (4 - rowBytes % 4) % 4;
  uint32_t fileSize = static_cast<uint32_t>((rowBytes + pad) * height + 54);
  std::string bytes;
  auto put = [&](uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  bytes += "BM";
  put(fileSize, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(static_cast<uint32_t>(width), 4);
  put(static_cast<uint32_t>(height), 4);
  put(1, 2);
  put(24, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t rgb = colour(x, y);
      bytes.push_back(static_cast<char>(rgb & 0xFF));
      bytes.push_back(static_cast<char>((rgb >> 8) & 0xFF));
      bytes.push_back(static_cast<char>((rgb >> 16) & 0xFF));
    }
    bytes.append(static_cast<size_t>(pad), '\0');
  }
  std::string temporary = path + ".tmp";
  std::ofstream(temporary, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

StationProcess::StationProcess() : env(QProcessEnvironment::systemEnvironment()) {
  QString station = QStringLiteral(LUMIVEX_STATION_DIR);
  if (!CopyTree(station, dir.path()))
    std::fprintf(stderr, "cannot copy the station folder '%s'\n",
                 station.toLocal8Bit().constData());
  // A private runtime folder keeps the single-instance lock apart from any running station.
  env.insert("XDG_RUNTIME_DIR", runtimeDir.path());
  if (!env.contains("QT_QPA_PLATFORM")) env.insert("QT_QPA_PLATFORM", "offscreen");
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

StationProcess::~StationProcess() {
  if (Running()) {
    process.kill();
    process.waitForFinished(5000);
  }
}

std::string StationProcess::Path(const std::string& relative) const {
  std::string root = dir.path().toStdString();
  return relative.empty() ? root : root + "/" + relative;
}

bool StationProcess::ShowScene(int width, int height,
                               const std::function<uint32_t(int, int)>& colour) {
  const std::string scene = Path("scene.bmp");
  SetEnv("LUMIVEX_CAMERA", QString::fromStdString("sim:" + scene));
  return WriteBmp(scene, width, height, colour);
}

bool StationProcess::Start() {
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(QDir::tempPath());  // the station must not depend on it
  process.start(QString::fromStdString(Path("lumivex")), {});
  if (!process.waitForStarted(10000)) {
    std::fprintf(stderr, "cannot start %s: %s\n", Path("lumivex").c_str(),
                 process.errorString().toLocal8Bit().constData());
    return false;
  }
  return WaitForEvent("*** APERTURA PROGROGRAMMA ***");
}

int StationProcess::Terminate(int signal, int timeoutMs) {
  ::kill(static_cast<pid_t>(process.processId()), signal);
  return WaitForExit(timeoutMs);
}

bool StationProcess::Running() const {
  return process.state() != QProcess::NotRunning;
}

int StationProcess::WaitForExit(int timeoutMs) {
  if (Running() && !process.waitForFinished(timeoutMs)) return -1;
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

std::string StationProcess::EventLog() const {
  return TodayLog(Path(), "EV");
}
std::string StationProcess::ErrorLog() const {
  return TodayLog(Path(), "ERR");
}

bool StationProcess::WaitForEvent(const std::string& text, int timeoutMs) const {
  return WaitUntil([&] { return EventLog().find(text) != std::string::npos; }, timeoutMs);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(20);
  }
  return true;
}

std::string AskByFile(const StationProcess& station, const std::string& name, int timeoutMs) {
  namespace fs = std::filesystem;
  const std::string out = station.Path("file_in_out/out/" + name);
  const std::string processed = station.Path("file_in_out/elab/" + name);
  fs::remove(out);
  fs::remove(processed);
  std::ofstream(station.Path("file_in_out/in/" + name)) << "trigger";
  std::string reply;
  WaitUntil(
      [&] {
        if (!fs::exists(processed)) return false;
        reply = ReadAll(out);
        return true;
      },
      timeoutMs);
  return reply;
}

bool ConnectTcp(QTcpSocket& client, int port, int timeoutMs) {
  return WaitUntil(
      [&] {
        client.abort();
        client.connectToHost("127.0.0.1", static_cast<quint16>(port));
        return client.waitForConnected(1000);
      },
      timeoutMs);
}

std::string AskTcp(QTcpSocket& client, const QByteArray& line) {
  client.write(line);
  client.waitForBytesWritten(5000);
  QByteArray reply;
  if (client.waitForReadyRead(10000)) reply = client.readAll();
  while (client.waitForReadyRead(300)) reply += client.readAll();
  return reply.toStdString();
}

std::string AskSerial(const PseudoTerminal& line, size_t replySize) {
  line.Send("T");
  return line.Receive(replySize, std::chrono::milliseconds(3000));
}
