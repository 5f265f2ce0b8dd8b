#include "exchange/tcpipinout.h"

#include <filesystem>

#include "exchange/dispatch.h"
#include "exchange/tcpipserver.h"
#include "foundation/log.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"
#include "foundation/settingfile.h"

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

}  // namespace

bool LoadTcpParameters() {
  std::string path = DataFilePath(kFileName);
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    LogError(kFileMissing);
    return false;
  }
  SettingFileReader file(path);
  int32_t ignored;
  int32_t length;
  std::string address;
  bool ok = file.Word(ignored) && file.Text(address, length);
  if (ok) indirizzoIP = address;
  ok = ok && file.Word(porta);
  if (!ok) {
    ReportError(kReadFailed);
    return false;
  }
  LogEvent(StrFormat("Letti parametri porta Ethernet: indirizzo IP=%s porta=%d",
                     indirizzoIP.c_str(), porta));
  return true;
}

bool SaveTcpParameters() {
  std::string address = CutText(indirizzoIP, kMaxPathText);
  SettingFileWriter file;
  file.Word(0);
  file.Text(address);
  file.Word(porta);
  if (!file.ReplaceWhole(DataFilePath(kFileName))) {
    ReportError(kWriteFailed);
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
    ReportError("TCPS004: Errore apertura porta TCP/IP",
                "Indirizzo/porta Ethernet non validi. Controllare i parametri Ethernet.");
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
