#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class PseudoTerminal;
class QTcpSocket;

// A copy of the built station folder in a temporary place, and the real executable running in it
// as an operator would start it.
class StationProcess {
 public:
  StationProcess();
  ~StationProcess();

  bool Valid() const { return dir.isValid(); }
  std::string Path(const std::string& relative = "") const;
  void SetEnv(const QString& name, const QString& value) { env.insert(name, value); }
  // The simulated camera films scene.bmp of the station folder, which becomes this picture (as a
  // scene change once the station runs); false when the picture could not be put in place.
  bool ShowScene(int width, int height, const std::function<uint32_t(int, int)>& colour);

  // Starts the station (offscreen unless QT_QPA_PLATFORM was set) and waits until it is running.
  bool Start();
  // Sends a signal and waits for the process to end; the exit code, or -1 on time-out.
  int Terminate(int signal, int timeoutMs = 20000);
  bool Running() const;
  int WaitForExit(int timeoutMs);
  QProcess& Process() { return process; }

  // Today's event and error logs (raw bytes).
  std::string EventLog() const;
  std::string ErrorLog() const;
  // Waits until the event log holds the text; false on time-out.
  bool WaitForEvent(const std::string& text, int timeoutMs = 20000) const;

 private:
  QTemporaryDir dir;
  QTemporaryDir runtimeDir;
  QProcess process;
  QProcessEnvironment env;
};

// Waits, pumping events, until the condition holds; false on time-out.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

// The controller's side of the channels.
// Drops a request file and waits for its reply file; empty on time-out.
std::string AskByFile(const StationProcess& station, const std::string& name,
                      int timeoutMs = 20000);
// Connects to the station's TCP server, which opens a moment after the opening line.
bool ConnectTcp(QTcpSocket& client, int port, int timeoutMs = 20000);
// Sends a line and collects the reply until 300 ms of silence, so that anything sent after the
// reply, such as a terminator, is part of it.
std::string AskTcp(QTcpSocket& client, const QByteArray& line);
// Sends "T" on the serial line and reads up to replySize bytes within 3 s.
std::string AskSerial(const PseudoTerminal& line, size_t replySize);
