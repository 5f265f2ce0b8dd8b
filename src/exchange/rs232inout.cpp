#include "exchange/rs232inout.h"

#include <filesystem>

#include "exchange/dispatch.h"
#include "exchange/rs232.h"
#include "foundation/log.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"
#include "foundation/settingfile.h"

RS232* serialPort = nullptr;

namespace {

constexpr const char* kFileName = "rs232par.dat";
constexpr const char* kFileMissing =
    "RS008: errore nella lettura dei parametri della seriale da file.";
constexpr const char* kReadFailed =
    "RS009: errore nella lettura dei parametri della seriale da file.";
constexpr const char* kWriteFailed =
    "RS010: errore nella scrittura dei parametri della seriale su file.";

std::string SettingsText() {
  return StrFormat("nCOM=%d BaudRate=%d DataBits=%d Parity=%s StopBit=%s", nCOM, BaudRate, DataBits,
                   ParityWord(Parity, false).c_str(), StopBitWord(StopBit, false).c_str());
}

}  // namespace

bool LoadSerialParameters() {
  std::string path = DataFilePath(kFileName);
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    LogError(kFileMissing);
    return false;
  }
  SettingFileReader file(path);
  // Each setting is taken as far as the file goes.
  bool ok = file.Word(nCOM) && file.Word(BaudRate) && file.Word(DataBits) && file.Word(Parity) &&
            file.Word(StopBit);
  if (!ok) LogError(kReadFailed);
  LogEvent("Letti parametri porta seriale: " + SettingsText());
  return ok;
}

bool SaveSerialParameters() {
  SettingFileWriter file;
  for (int32_t value : {nCOM, BaudRate, DataBits, Parity, StopBit}) file.Word(value);
  if (!file.ReplaceWhole(DataFilePath(kFileName))) {
    ReportError(kWriteFailed);
    return false;
  }
  LogEvent("Modificati parametri porta seriale: " + SettingsText());
  return true;
}

bool OpenSerialExchange() {
  serialPort = new RS232();
  serialPort->Purge();
  return serialPort != nullptr;
}

bool PollSerialExchangeWith(const std::function<std::string()>& dispatch) {
  if (serialPort == nullptr) return false;
  char received[kSerialReceiveRoom];
  if (serialPort->ReadText(received, sizeof received) == 0) return false;
  // The request ends at its first zero byte in the log; the log cuts long lines itself.
  LogEvent(StrFormat("Lettura dati in seriale: %s", received));
  std::string reply = dispatch();
  serialPort->WriteText(reply.data(), static_cast<int>(reply.size()));
  LogEvent("Scrittura dati in seriale: " + reply);
  return true;
}

bool PollSerialExchange() {
  return PollSerialExchangeWith(DispatchInspection);
}

bool CloseSerialExchange() {
  delete serialPort;
  serialPort = nullptr;
  return serialPort == nullptr;
}
