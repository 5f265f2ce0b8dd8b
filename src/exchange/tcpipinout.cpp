#include "exchange/tcpipinout.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <filesystem>

#include "exchange/dispatch.h"
#include "exchange/tcpipserver.h"
#include "foundation/log.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"

std::string indirizzoIP = "192.168.0.1";
int32_t porta = 1000;
TcpServer* tcpServer = nullptr;
std::atomic<bool> tcpRequestPending{false};

namespace {

constexpr const char* kFileName = "tcp_ip.dat";
constexpr const char* kWriteFailed =
    "TIF001: errore nella scrittura dei parametri TCP/IP ingresso-uscita.";
constexpr const char* kFileMissing =
    "TIF002: file con parametri TCP/IP ingresso-uscita non trovato.";
constexpr const char* kReadFailed =
    "TIF003: errore nella lettura da file dei parametri TCP/IP ingresso-uscita.";

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

// The text of length bytes followed by its zero byte. A length that does not fit the file is a
// read failure; the text kept stops at its zero byte and at 299 bytes.
bool ReadText(std::FILE* file, int32_t length, std::string& text) {
  if (length < 0) return false;
  long start = std::ftell(file);
  if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return false;
  long end = std::ftell(file);
  if (end < 0 || std::fseek(file, start, SEEK_SET) != 0) return false;
  if (static_cast<long long>(length) + 1 > static_cast<long long>(end - start)) return false;
  std::string bytes(static_cast<size_t>(length) + 1, '\0');
  if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) return false;
  text = CutText(std::string(bytes.c_str()), kMaxPathText);
  return true;
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

}  // namespace

bool LoadTcpParameters() {
  std::string path = DataFilePath(kFileName);
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    LogError(kFileMissing);
    return false;
  }
  bool ok = false;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    int32_t ignored;
    int32_t length;
    int32_t port;
    std::string address;
    ok = ReadWord(file, ignored) && ReadWord(file, length) && ReadText(file, length, address);
    if (ok) indirizzoIP = address;
    ok = ok && ReadWord(file, port);
    if (ok) porta = port;
    std::fclose(file);
  }
  if (!ok) {
    LogError(kReadFailed);
    ShowMessageBox(kReadFailed, "ERRORE", kMbError);
    return false;
  }
  LogEvent(StrFormat("Letti parametri porta Ethernet: indirizzo IP=%s porta=%d",
                     indirizzoIP.c_str(), porta));
  return true;
}

bool SaveTcpParameters() {
  std::string address = CutText(indirizzoIP, kMaxPathText);
  std::string bytes;
  AppendWord(bytes, 0);
  AppendWord(bytes, static_cast<int32_t>(address.size()));
  bytes += address;
  bytes.push_back('\0');
  AppendWord(bytes, porta);
  if (!ReplaceFile(DataFilePath(kFileName), bytes)) {
    LogError(kWriteFailed);
    ShowMessageBox(kWriteFailed, "ERRORE", kMbError);
    return false;
  }
  LogEvent(StrFormat("Modificati parametri porta Ethernet: indirizzo IP=%s porta=%d",
                     address.c_str(), porta));
  return true;
}

void TcpNotify(const std::string& received, const std::string& sent) {
  if (!received.empty()) {
    LogEvent("Lettura dati da porta Ethernet (Client -> Server): " + received);
    tcpRequestPending.store(true);
  }
  if (!sent.empty()) LogEvent("Scrittura dati su porta Ethernet (Server -> Client): " + sent);
}

bool OpenTcpExchange() {
  tcpServer = new TcpServer(indirizzoIP, porta);
  tcpServer->SetNotify(TcpNotify);
  if (!tcpServer->Start()) {
    LogError("TCPS004: Errore apertura porta TCP/IP");
    ShowMessageBox("Indirizzo/porta Ethernet non validi. Controllare i parametri Ethernet.",
                   "ERRORE", kMbError);
  }
  return tcpServer != nullptr;
}

bool PollTcpExchangeWith(const std::function<std::string()>& dispatch) {
  if (tcpServer == nullptr) return false;
  if (!tcpRequestPending.exchange(false)) return true;
  // One inspection answers every connection whose request arrived before it started; a request
  // arriving meanwhile stays waiting for the next tick.
  if (tcpServer->TakeRequests() == 0) return true;
  tcpServer->PlaceReply(dispatch());
  return true;
}

bool PollTcpExchange() {
  return PollTcpExchangeWith(DispatchInspection);
}

bool CloseTcpExchange() {
  if (tcpServer != nullptr) {
    tcpServer->Stop();
    delete tcpServer;
    tcpServer = nullptr;
  }
  tcpRequestPending.store(false);
  return tcpServer == nullptr;
}
