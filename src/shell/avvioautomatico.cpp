#include "shell/avvioautomatico.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "foundation/log.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"
#include "foundation/settingfile.h"

AvvioProg* autoStart = nullptr;

namespace {

constexpr const char* kReadError = "AP001: errore nella lettura del file di avvio automatico.";
constexpr const char* kWriteError = "AP002: errore nella scrittura del file di avvio automatico.";
constexpr const char* kMissing = "AP003: file di avvio automatico non trovato.";

// Reads up to count bytes; the number read (short only at the end of the file), -1 on error.
ssize_t ReadUpTo(int fd, unsigned char* bytes, size_t count) {
  size_t done = 0;
  while (done < count) {
    ssize_t got = ::read(fd, bytes + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

}  // namespace

std::string StartWindowDescription(int32_t startWindow) {
  switch (startWindow) {
    case 1:
      return "form test per punto";
    case 2:
      return "form test per zona";
    case 3:
      return "form test per linea verticale";
    case 4:
      return "form test per linea orizzontale";
    case 5:
      return "form test per immagine";
    case 6:
      return "form test per dimensioni";
    default:
      return "nessun form da aprire";
  }
}

AvvioProg::AvvioProg() : path(CutText(DataFilePath("AvvioProg.dat"), kMaxPathText)) {}

void AvvioProg::Load() {
  std::error_code missing;
  if (!std::filesystem::exists(path, missing)) {
    startWindow = 0;
    LogError(kMissing);
    return;
  }

  bool failed = true;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    unsigned char ignored[4];
    unsigned char value[4];
    ssize_t got = ReadUpTo(fd, ignored, sizeof ignored);
    ssize_t gotValue = got == 4 ? ReadUpTo(fd, value, sizeof value) : 0;
    failed = got < 0 || gotValue < 0;
    // A short file replaces only the bytes it holds; the others keep what startWindow had.
    uint32_t word = static_cast<uint32_t>(startWindow);
    for (ssize_t i = 0; !failed && i < gotValue; ++i) {
      word &= ~(0xFFu << (8 * i));
      word |= static_cast<uint32_t>(value[i]) << (8 * i);
    }
    if (!failed) startWindow = static_cast<int32_t>(word);
    ::close(fd);
  }
  if (failed) {
    LogError(kReadError);
    ShowMessageBox(std::string(kReadError) + " Reimpostare i valori.", "ERRORE", kMbError);
  }
  LogEvent(StrFormat("Apertura form in avvio automatico: %s",
                     StartWindowDescription(startWindow).c_str()));
}

bool AvvioProg::Save() {
  std::string bytes;
  AppendWord(bytes, 0);
  AppendWord(bytes, startWindow);
  if (!ReplaceFileWhole(path, bytes)) {
    LogError(kWriteError);
    ShowMessageBox(kWriteError, "ERRORE", kMbError);
    return false;
  }
  LogEvent(
      StrFormat("Modificata impostazione apertura form in avvio automatico, nuova "
                "impostazione: %s",
                StartWindowDescription(startWindow).c_str()));
  return true;
}
