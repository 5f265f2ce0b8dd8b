#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <functional>
#include <string>

// A copy of the built station folder in a temporary place, and the real executable running in it
// as an operator would start it.
class StationProcess {
 public:
  StationProcess();
  ~StationProcess();

  bool Valid() const { return dir.isValid(); }
  std::string Path(const std::string& relative = "") const;
  void SetEnv(const QString& name, const QString& value) { env.insert(name, value); }

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

// Writes a 24-bit bottom-up BMP whose pixel (x, y) (y from the bottom) is colour(x, y) = 0xRRGGBB.
void WriteBmp(const std::string& path, int width, int height,
              const std::function<uint32_t(int, int)>& colour);
