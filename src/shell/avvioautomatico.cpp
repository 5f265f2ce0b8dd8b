#include "shell/avvioautomatico.h"

#include <filesystem>

#include "foundation/log.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"
#include "foundation/settingfile.h"

AvvioProg* autoStart = nullptr;

namespace {

constexpr const char* kReadError = "AP001: errore nella lettura del file di avvio automatico.";
constexpr const char* kWriteError = "AP002: errore nella scrittura del file di avvio automatico.";
constexpr const char* kMissing = "AP003: file di avvio automatico non trovato.";

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

  // A short file replaces only the bytes it holds; the others keep what startWindow had. Only an
  // error while opening or reading is reported.
  SettingFileReader file(path, PartialWord::kKeepBytes);
  int32_t ignored = 0;
  if (file.Word(ignored)) file.Word(startWindow);
  if (file.Failed()) ReportError(kReadError, std::string(kReadError) + " Reimpostare i valori.");
  LogEvent(StrFormat("Apertura form in avvio automatico: %s",
                     StartWindowDescription(startWindow).c_str()));
}

bool AvvioProg::Save() {
  SettingFileWriter file;
  file.Word(0);
  file.Word(startWindow);
  if (!file.ReplaceWhole(path)) {
    ReportError(kWriteError);
    return false;
  }
  LogEvent(
      StrFormat("Modificata impostazione apertura form in avvio automatico, nuova "
                "impostazione: %s",
                StartWindowDescription(startWindow).c_str()));
  return true;
}
