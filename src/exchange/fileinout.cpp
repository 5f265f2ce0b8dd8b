#include "exchange/fileinout.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include "exchange/dispatch.h"
#include "foundation/filereadwrite.h"
#include "foundation/log.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"
#include "foundation/settingfile.h"

std::string cartellaFileIn;
std::string cartellaFileOut;
std::string cartellaFileElab;

namespace {

const char kFileName[] = "in_out_folder.dat";
const char kWriteError[] =
    "IOC001: errore nella scrittura dei parametri cartella file ingresso-uscita.";
const char kMissing[] = "IOC002: file con parametri cartella file ingresso-uscita non trovato.";
const char kReadError[] =
    "IOC003: errore nella lettura da file dei parametri cartella ingresso-uscita.";

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

void Remove(const std::string& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
}

// Rename, or copy and delete when the folders lie on different file systems.
void Move(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (error != std::errc::cross_device_link) return;
  if (std::filesystem::copy_file(from, to, error)) Remove(from);
}

// One folder text: its length, the characters and a zero byte. A length outside 0..299 is a
// damaged file, never a reason to read past the text's room.
bool ReadFolder(SettingFileReader& file, std::string& folder) {
  std::string text;
  int32_t length = 0;
  if (!file.Text(text, length) || length > static_cast<int32_t>(kMaxPathText)) return false;
  folder = text;
  return true;
}

void LogFolders(const char* title) {
  LogEvent(title);
  LogEvent("  Cartella file ingresso: " + cartellaFileIn);
  LogEvent("  Cartella file uscita: " + cartellaFileOut);
  LogEvent("  Cartella file elaborati: " + cartellaFileElab);
}

}  // namespace

bool LoadExchangeFolders() {
  std::string path = DataFilePath(kFileName);
  if (!Exists(path)) {
    LogError(kMissing);
    cartellaFileIn = ProgramSubfolder("file_in_out/in") + "/";
    cartellaFileOut = ProgramSubfolder("file_in_out/out") + "/";
    cartellaFileElab = ProgramSubfolder("file_in_out/elab") + "/";
    return false;
  }
  // Folders after a failing read stay empty, which stops the channel.
  cartellaFileIn.clear();
  cartellaFileOut.clear();
  cartellaFileElab.clear();
  SettingFileReader file(path);
  int32_t ignored;
  if (!file.Word(ignored) || !ReadFolder(file, cartellaFileIn) ||
      !ReadFolder(file, cartellaFileOut) || !ReadFolder(file, cartellaFileElab)) {
    ReportError(kReadError);
    return false;
  }
  LogFolders("Cartelle per scambio dati con files:");
  return true;
}

bool SaveExchangeFolders(bool logChange) {
  SettingFileWriter file;
  file.Word(0);
  bool fits = true;
  for (const std::string* folder : {&cartellaFileIn, &cartellaFileOut, &cartellaFileElab}) {
    fits = fits && folder->size() <= kMaxPathText;
    file.Text(*folder);
  }
  if (!fits || !file.ReplaceWhole(DataFilePath(kFileName))) {
    ReportError(kWriteError);
    return false;
  }
  if (logChange) LogFolders("Modificata impostazione cartelle per scambio dati con files:");
  return true;
}

bool OpenFileExchange() {
  if (cartellaFileIn.empty()) return false;
  // Requests left from an earlier run are discarded unanswered.
  DeleteOldFiles(cartellaFileIn, "*.*", -1, nullptr);
  return true;
}

bool PollFileExchange() {
  return PollFileExchangeWith(DispatchInspection, std::chrono::milliseconds(50));
}

bool PollFileExchangeWith(const std::function<std::string()>& dispatch,
                          std::chrono::milliseconds settle) {
  if (cartellaFileIn.empty() || cartellaFileOut.empty() || cartellaFileElab.empty()) return false;
  std::vector<std::string> names;
  if (ListFiles(cartellaFileIn + "*.*", names, -1, false, 1000) <= 0 || names.empty()) return false;
  // Give the controller time to finish writing the file.
  std::this_thread::sleep_for(settle);

  const std::string& name = names.front();
  std::string inPath = cartellaFileIn + name;
  if (!Exists(inPath)) return false;
  LogEvent("Trovato file ingresso " + name);

  std::string outPath = cartellaFileOut + name;
  std::string elabPath = cartellaFileElab + name;
  bool fits = inPath.size() <= kMaxPathText && outPath.size() <= kMaxPathText &&
              elabPath.size() <= kMaxPathText;
  if (fits) {
    std::string reply = dispatch();
    if (Exists(outPath)) Remove(outPath);
    FileReadWrite file(outPath, false, false, 1);
    bool written = !file.failed && file.WriteLine(reply);
    file.Close();
    // When the reply could not be written, FileReadWrite's own messages are the record.
    if (written) LogEvent("Generato file uscita " + name + " con contenuto: " + reply);
  }
  // A request whose paths do not fit is not answered, only moved aside so it does not block the
  // requests behind it.
  if (Exists(elabPath)) Remove(elabPath);
  Move(inPath, elabPath);
  return true;
}

bool CloseFileExchange() {
  return true;
}
