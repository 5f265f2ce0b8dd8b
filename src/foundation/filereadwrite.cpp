#include "foundation/filereadwrite.h"

#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>

#include "foundation/log.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"

namespace {

constexpr size_t kMaxWrittenText = 497;

std::string ErrnoText(int error) {
  return std::error_code(error, std::generic_category()).message();
}

}  // namespace

FileReadWrite::FileReadWrite(const std::string& path, bool forReading, bool silent, int maxAttempts)
    : path(path), silent(silent) {
  int attempt = 0;
  for (;;) {
    failed = false;
    ++attempt;
    // "e": the descriptor is not inherited by programs the station starts.
    stream = std::fopen(path.c_str(), forReading ? "rbe" : "wbe");
    if (stream != nullptr) return;
    int error = errno;
    std::string message =
        StrFormat("FRW001: errore nell'apertura %s del file: %s. %s - tentativo %d/%d",
                  forReading ? "in lettura" : "in scrittura", path.c_str(),
                  ErrnoText(error).c_str(), attempt, maxAttempts);
    LogError(message);
    if (attempt < maxAttempts) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kFileReadWriteRetryPauseMs));
      continue;
    }
    if (!silent) ShowMessageBox(message, "ERRORE", kMbError);
    failed = true;
    return;
  }
}

FileReadWrite::~FileReadWrite() {
  Close();
}

bool FileReadWrite::WriteLine(const std::string& text) {
  if (stream == nullptr) return true;
  std::string line = CutText(text, kMaxWrittenText) + "\r\n";
  bool ok = std::fwrite(line.data(), 1, line.size(), stream) == line.size();
  // Flushed at once: one write per line, and a full disk is reported by this line.
  ok = std::fflush(stream) == 0 && ok;
  if (!ok) {
    std::clearerr(stream);
    std::string message = "FRW003: errore nella scrittura del file: " + path;
    LogError(message);
    if (!silent) ShowMessageBox(message, "ERRORE", kMbError);
    return false;
  }
  return true;
}

void FileReadWrite::Close() {
  if (stream == nullptr) return;
  std::fclose(stream);
  stream = nullptr;
}
