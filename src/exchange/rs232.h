#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class QSerialPort;
struct termios;

// The serial line's settings, kept in Data/rs232par.dat (the names are those of the log lines).
extern int32_t nCOM;      // port number: COM<n>
extern int32_t BaudRate;  // bit/s
extern int32_t DataBits;  // 4 to 8 in the window
extern int32_t Parity;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
extern int32_t StopBit;   // 0 one, 1 one and a half, 2 two

// Room of a request: 1023 bytes and the terminating zero.
constexpr size_t kSerialReceiveRoom = 1024;

// The device of COM<n>: the entry COM<n> of the Data folder when there is one (found without
// regard to case, normally a link to /dev/ttyUSB0 or a pseudo-terminal), else /dev/ttyS<n-1>.
std::string SerialDevicePath(int32_t number);

// Replaces speed, data bits, parity and stop bits in a line-settings record, leaving the rest;
// false for a value the line cannot take (4 data bits, 1.5 stop bits beside more than 5 data bits,
// a speed no UART has).
bool SetLineSettings(termios& settings, int32_t baudRate, int32_t dataBits, int32_t parity,
                     int32_t stopBit);

// Words of the log lines: parameter lines ("none", "odd", ..., "-") and error lines ("no", ...).
std::string ParityWord(int32_t parity, bool errorLine);
std::string StopBitWord(int32_t stopBit, bool errorLine);

// One open serial port with its error reporting. The constructor opens COM<nCOM> and applies the
// four line settings; failures are kept in codice and logged (RS001 to RS003); the object always
// exists. Reads and writes block the caller with the line's timeouts.
class RS232 {
 public:
  RS232();
  ~RS232();
  RS232(const RS232&) = delete;
  RS232& operator=(const RS232&) = delete;

  bool HasError() const { return codice != 0; }
  // Logs "<text> (codice: <code>) - GetLastError: <error> - (COM...)" and keeps the code.
  void ReportError(int32_t code, const std::string& text, int lastError = errno);
  // Sends count bytes (the zero-terminated length when count < 0) within 250 ms per byte + 1000 ms.
  bool WriteText(const char* bytes, int count = -1);
  // Collects bytes until the line has been silent for 400 ms or room - 1 bytes have come (the rest
  // waits in the port), adds a zero byte and answers the number collected.
  int ReadText(char* buffer, size_t room = kSerialReceiveRoom);
  // Reads and drops what waits on the port, until 25 ms pass without data.
  void Purge();

  // The port; not open when opening failed.
  std::unique_ptr<QSerialPort> handle;
  int32_t codice = 0;

 private:
  void ApplyLineSettings();
  // The errno of a failed read or write; a port that hung up (adapter unplugged, the other end of
  // a pseudo-terminal gone) is closed, so that it cannot keep the event loop busy, and its failure
  // is what later reads and writes report.
  int Fail();

  int lostError = 0;
};

// The silence that ends a request, the write budget, the purge's quiet time and its longest run.
constexpr int kSerialSilenceMs = 400;
constexpr int kSerialWritePerByteMs = 250;
constexpr int kSerialWriteConstantMs = 1000;
constexpr int kSerialPurgeQuietMs = 25;
constexpr int kSerialPurgeLimitMs = 2000;
