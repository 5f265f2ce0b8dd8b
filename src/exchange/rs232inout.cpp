#include "exchange/rs232inout.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <filesystem>

#include "exchange/dispatch.h"
#include "exchange/rs232.h"
#include "foundation/log.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"

RS232* serialPort = nullptr;

namespace {

constexpr const char* kFileName = "rs232par.dat";
constexpr const char* kFileMissing =
    "RS008: errore nella lettura dei parametri della seriale da file.";
constexpr const char* kReadFailed =
    "RS009: errore nella lettura dei parametri della seriale da file.";
constexpr const char* kWriteFailed =
    "RS010: errore nella scrittura dei parametri della seriale su file.";

bool ReadWord(std::FILE* file, int32_t& value) {
  unsigned char bytes[4];
  if (std::fread(bytes, 1, 4, file) != 4) return false;
  value = static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
  return true;
}

void AppendWord(std::string& bytes, int32_t value) {
  uint32_t word = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((word >> (8 * i)) & 0xFF));
}

// Written to a temporary file beside the old one and renamed over it, so that a failure keeps the
// old file whole.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
  QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

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
  bool ok = false;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    // Each setting is taken as far as the file goes.
    ok = ReadWord(file, nCOM) && ReadWord(file, BaudRate) && ReadWord(file, DataBits) &&
         ReadWord(file, Parity) && ReadWord(file, StopBit);
    std::fclose(file);
  }
  if (!ok) LogError(kReadFailed);
  LogEvent("Letti parametri porta seriale: " + SettingsText());
  return ok;
}

bool SaveSerialParameters() {
  std::string bytes;
  for (int32_t value : {nCOM, BaudRate, DataBits, Parity, StopBit}) AppendWord(bytes, value);
  if (!ReplaceFile(DataFilePath(kFileName), bytes)) {
    LogError(kWriteFailed);
    ShowMessageBox(kWriteFailed, "ERRORE", kMbError);
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
