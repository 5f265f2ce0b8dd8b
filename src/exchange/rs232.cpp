#include "exchange/rs232.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QtGlobal>

#include <dirent.h>
#include <poll.h>
#include <strings.h>
#include <termios.h>

#include "foundation/log.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"

int32_t nCOM = 1;
int32_t BaudRate = 9600;
int32_t DataBits = 8;
int32_t Parity = 0;
int32_t StopBit = 0;

namespace {

// Qt reads at most this much ahead into its own buffer; the rest stays in the port.
constexpr qint64 kPortReadAhead = 1024;

// The errno behind the port's last failure. QSerialPort keeps only its text, which is
// qt_error_string(errno); errno itself is the fallback.
int PortErrno(const QSerialPort& port, int fallback) {
  const QString text = port.errorString();
  for (int code = 1; code < 200; ++code)
    if (qt_error_string(code) == text) return code;
  return fallback != 0 ? fallback : EIO;
}

bool SetParity(termios& settings, int32_t parity) {
  settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
  switch (parity) {
    case 0:
      return true;
    case 1:
      settings.c_cflag |= PARENB | PARODD;
      return true;
    case 2:
      settings.c_cflag |= PARENB;
      return true;
    case 3:
      settings.c_cflag |= PARENB | PARODD | CMSPAR;
      return true;
    case 4:
      settings.c_cflag |= PARENB | CMSPAR;
      return true;
    default:
      return false;
  }
}

bool SetDataBits(termios& settings, int32_t dataBits) {
  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  if (dataBits < 5 || dataBits > 8) return false;
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
  settings.c_cflag |= kSizes[dataBits - 5];
  return true;
}

// One and a half stop bits exist only with 5 data bits, where the UART makes them of CSTOPB.
bool SetStopBits(termios& settings, int32_t stopBit, int32_t dataBits) {
  switch (stopBit) {
    case 0:
      settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
      return true;
    case 1:
      if (dataBits != 5) return false;
      settings.c_cflag |= CSTOPB;
      return true;
    case 2:
      settings.c_cflag |= CSTOPB;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool SetLineSettings(termios& settings, int32_t baudRate, int32_t dataBits, int32_t parity,
                     int32_t stopBit) {
  return baudRate > 0 && ::cfsetspeed(&settings, static_cast<speed_t>(baudRate)) == 0 &&
         SetDataBits(settings, dataBits) && SetParity(settings, parity) &&
         SetStopBits(settings, stopBit, dataBits);
}

std::string SerialDevicePath(int32_t number) {
  const std::string name = StrFormat("COM%d", number);
  if (!programFolder.empty()) {
    const std::string folder = ProgramSubfolder("Data");
    if (DIR* dir = ::opendir(folder.c_str())) {
      std::string found;
      while (dirent* entry = ::readdir(dir)) {
        // A dangling link still names the port: opening it then fails as a missing device does.
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
          found = folder + "/" + entry->d_name;
          break;
        }
      }
      ::closedir(dir);
      if (!found.empty()) return found;
    }
  }
  return StrFormat("/dev/ttyS%d", number - 1);
}

std::string ParityWord(int32_t parity, bool errorLine) {
  switch (parity) {
    case 0:
      return errorLine ? "no" : "none";
    case 1:
      return "odd";
    case 2:
      return "even";
    case 3:
      return "mark";
    case 4:
      return errorLine ? "space" : "-";
    default:
      return "-";
  }
}

std::string StopBitWord(int32_t stopBit, bool /*errorLine*/) {
  switch (stopBit) {
    case 0:
      return "1";
    case 1:
      return "1.5";
    case 2:
      return "2";
    default:
      return "-";
  }
}

RS232::RS232() : handle(std::make_unique<QSerialPort>()) {
  handle->setPortName(QFile::decodeName(QByteArray::fromStdString(SerialDevicePath(nCOM))));
  handle->setReadBufferSize(kPortReadAhead);
  errno = 0;
  if (!handle->open(QIODevice::ReadWrite)) {
    int error = PortErrno(*handle, errno);
    ReportError(1, "RS001: errore di apertura COM", error);
    return;
  }
  ApplyLineSettings();
  // A port that fails while the event loop runs (Qt reads ahead between ticks) is closed there
  // and then, as a port whose device is gone would otherwise wake the loop for ever.
  QObject::connect(
      handle.get(), &QSerialPort::errorOccurred, handle.get(),
      [this](QSerialPort::SerialPortError error) {
        if ((error == QSerialPort::ReadError || error == QSerialPort::ResourceError) &&
            handle->isOpen())
          Fail();
      },
      Qt::QueuedConnection);
}

int RS232::Fail() {
  if (!handle->isOpen()) return lostError != 0 ? lostError : EBADF;
  pollfd line = {handle->handle(), POLLIN, 0};
  bool hungUp = ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
  int error = PortErrno(*handle, errno);
  handle->clearError();
  if (hungUp) {
    lostError = EIO;
    handle->close();
    return lostError;
  }
  return error;
}

RS232::~RS232() {
  if (handle->isOpen()) handle->close();
}

// Reads the line settings the port has, replaces speed, data bits, parity and stop bits and writes
// them back; everything else stays as the open port reports it.
void RS232::ApplyLineSettings() {
  termios settings;
  if (::tcgetattr(handle->handle(), &settings) != 0) {
    ReportError(2, "RS002: errore su richiesta parametri COM", errno);
    return;
  }
  if (!SetLineSettings(settings, BaudRate, DataBits, Parity, StopBit)) {
    ReportError(3, "RS003: errore su invio parametri COM", EINVAL);
    return;
  }
  if (::tcsetattr(handle->handle(), TCSANOW, &settings) != 0)
    ReportError(3, "RS003: errore su invio parametri COM", errno);
}

void RS232::ReportError(int32_t code, const std::string& text, int lastError) {
  LogError(
      StrFormat("%s (codice: %d) - GetLastError: %d - (COM%d - %d - %d bit/byte - parity: "
                "%s - stop bit: %s)",
                text.c_str(), code, lastError, nCOM, BaudRate, DataBits,
                ParityWord(Parity, true).c_str(), StopBitWord(StopBit, true).c_str()));
  codice = code;
}

bool RS232::WriteText(const char* bytes, int count) {
  if (count < 0) count = static_cast<int>(std::char_traits<char>::length(bytes));
  if (!handle->isOpen()) {
    ReportError(4, "RS004: errore di scrittura su seriale", Fail());
    return false;
  }
  const qint64 budget = static_cast<qint64>(kSerialWritePerByteMs) * count + kSerialWriteConstantMs;
  QElapsedTimer clock;
  clock.start();
  if (handle->write(bytes, count) != count) {
    handle->clear(QSerialPort::Output);
    ReportError(4, "RS004: errore di scrittura su seriale", Fail());
    return false;
  }
  while (handle->bytesToWrite() > 0) {
    qint64 left = budget - clock.elapsed();
    if (left <= 0 || !handle->waitForBytesWritten(static_cast<int>(left))) {
      bool timedOut = left <= 0 || handle->error() == QSerialPort::TimeoutError ||
                      handle->error() == QSerialPort::NoError;
      // What could not be sent in time is dropped, never sent late with the next reply.
      if (handle->isOpen()) handle->clear(QSerialPort::Output);
      int error = timedOut ? ETIMEDOUT : Fail();
      handle->clearError();
      ReportError(4, "RS004: errore di scrittura su seriale", error);
      return false;
    }
  }
  return true;
}

int RS232::ReadText(char* buffer, size_t room) {
  size_t count = 0;
  if (room == 0) return 0;
  if (!handle->isOpen()) {
    ReportError(6, "RS006: errore di lettura da seriale", Fail());
    buffer[0] = '\0';
    return 0;
  }
  while (count + 1 < room) {
    if (handle->bytesAvailable() == 0 && !handle->waitForReadyRead(kSerialSilenceMs)) {
      if (handle->error() != QSerialPort::TimeoutError && handle->error() != QSerialPort::NoError)
        ReportError(6, "RS006: errore di lettura da seriale", Fail());
      handle->clearError();
      break;
    }
    char byte;
    if (!handle->getChar(&byte)) {
      ReportError(6, "RS006: errore di lettura da seriale", Fail());
      break;
    }
    buffer[count++] = byte;
  }
  buffer[count] = '\0';
  return static_cast<int>(count);
}

void RS232::Purge() {
  if (HasError()) return;
  // A line that never falls quiet would keep the user-interface thread here for ever: the purge
  // ends after kSerialPurgeLimitMs in any case.
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < kSerialPurgeLimitMs) {
    if (handle->bytesAvailable() > 0) {
      handle->readAll();
      continue;
    }
    if (!handle->waitForReadyRead(kSerialPurgeQuietMs)) {
      if (handle->error() != QSerialPort::TimeoutError && handle->error() != QSerialPort::NoError)
        ReportError(7, "RS007: errore di lettura da seriale", Fail());
      handle->clearError();
      return;
    }
  }
}
