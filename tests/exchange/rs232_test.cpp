#include "exchange/rs232.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "exchange/rs232_pty.h"
#include "exchange/rs232inout.h"
#include "foundation/log.h"
#include "foundation/myutl.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Long enough for any reply, never a bound the test relies on.
constexpr milliseconds kPatience{5000};

void ResetSerialSettings() {
  nCOM = 1;
  BaudRate = 9600;
  DataBits = 8;
  Parity = 0;
  StopBit = 0;
}

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& start) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(start, 0) == 0) lines.push_back(line.substr(start.size()));
    at = end + 1;
  }
  return lines;
}

class SerialTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSerialSettings(); }
  void TearDown() override {
    CloseSerialExchange();
    ResetSerialSettings();
  }

  std::string DataPath(const std::string& name) const { return station.Path("Data/" + name); }

  // A pseudo-terminal linked as Data/COM<number>, with nCOM pointing at it.
  void LinkPort(PseudoTerminal& line, int number) {
    ASSERT_TRUE(line.Ready());
    ASSERT_TRUE(line.LinkAs(DataPath("COM" + std::to_string(number))));
    nCOM = number;
  }

  std::vector<std::string> Requests() const {
    return LinesStartingWith(station.EventLogText(), "Lettura dati in seriale: ");
  }
  std::vector<std::string> Replies() const {
    return LinesStartingWith(station.EventLogText(), "Scrittura dati in seriale: ");
  }

  TempStation station;
  MessageBoxRecorder boxes;
};

TEST_F(SerialTest, PortNamesFollowTheDataFolder) {
  ASSERT_EQ(::symlink("/dev/null", DataPath("COM3").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/null", DataPath("com4").c_str()), 0);
  ASSERT_EQ(::symlink("/nowhere/at/all", DataPath("COM5").c_str()), 0);
  struct Case {
    int number;
    std::string path;
  } const cases[] = {
      {3, DataPath("COM3")}, {4, DataPath("com4")},  // found without regard to case
      {5, DataPath("COM5")},                         // a broken link still names the port
      {1, "/dev/ttyS0"},                             // no entry: the machine's own port
      {12, "/dev/ttyS11"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.number);
    EXPECT_EQ(SerialDevicePath(test.number), test.path);
  }
}

TEST_F(SerialTest, WordsOfTheLogLines) {
  struct Case {
    int32_t value;
    const char* parityParameter;
    const char* parityError;
    const char* stopBit;
  } const cases[] = {
      {0, "none", "no", "1"},   {1, "odd", "odd", "1.5"}, {2, "even", "even", "2"},
      {3, "mark", "mark", "-"}, {4, "-", "space", "-"},   {-1, "-", "-", "-"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.value);
    EXPECT_EQ(ParityWord(test.value, false), test.parityParameter);
    EXPECT_EQ(ParityWord(test.value, true), test.parityError);
    EXPECT_EQ(StopBitWord(test.value, false), test.stopBit);
    EXPECT_EQ(StopBitWord(test.value, true), test.stopBit);
  }
}

TEST_F(SerialTest, SavedSettingsAreTwentyBytes) {
  nCOM = 3;
  BaudRate = 19200;
  DataBits = 7;
  Parity = 2;
  StopBit = 2;
  ASSERT_TRUE(SaveSerialParameters());
  EXPECT_EQ(ReadFileBytes(DataPath("rs232par.dat")),
            std::string("\x03\x00\x00\x00\x00\x4B\x00\x00\x07\x00\x00\x00\x02\x00\x00\x00"
                        "\x02\x00\x00\x00",
                        20));
  EXPECT_EQ(station.EventLogText(),
            "Modificati parametri porta seriale: nCOM=3 BaudRate=19200 DataBits=7 Parity=even "
            "StopBit=2\r\n");

  ResetSerialSettings();
  EXPECT_TRUE(LoadSerialParameters());
  EXPECT_EQ(nCOM, 3);
  EXPECT_EQ(BaudRate, 19200);
  EXPECT_EQ(DataBits, 7);
  EXPECT_EQ(Parity, 2);
  EXPECT_EQ(StopBit, 2);
}

TEST_F(SerialTest, SettingsThatCannotBeWrittenAreReported) {
  ASSERT_EQ(::mkdir(DataPath("rs232par.dat").c_str(), 0755), 0);  // a folder in the way
  EXPECT_FALSE(SaveSerialParameters());
  const char* text = "RS010: errore nella scrittura dei parametri della seriale su file.";
  EXPECT_EQ(station.ErrorLogText(), std::string(text) + "\r\n");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, text);
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
  EXPECT_EQ(station.EventLogText(), "");
}

TEST_F(SerialTest, LoadingTheSettingsFile) {
  struct Case {
    const char* name;
    bool present;
    std::string bytes;
    std::string errors;
    std::string events;
    int32_t expected[5];
  } const cases[] = {
      {"missing file keeps the start values",
       false,
       "",
       "RS008: errore nella lettura dei parametri della seriale da file.\r\n",
       "",
       {1, 9600, 8, 0, 0}},
      {"whole file",
       true,
       Words({12, 115200, 5, 4, 1}),
       "",
       "Letti parametri porta seriale: nCOM=12 BaudRate=115200 DataBits=5 Parity=- "
       "StopBit=1.5\r\n",
       {12, 115200, 5, 4, 1}},
      {"short file keeps what was read",
       true,
       Words({4, 4800}) + std::string("\x07\x00", 2),
       "RS009: errore nella lettura dei parametri della seriale da file.\r\n",
       "Letti parametri porta seriale: nCOM=4 BaudRate=4800 DataBits=8 Parity=none StopBit=1\r\n",
       {4, 4800, 8, 0, 0}},
      {"values out of range are kept as read",
       true,
       Words({2, 9600, 3, -1, 7}),
       "",
       "Letti parametri porta seriale: nCOM=2 BaudRate=9600 DataBits=3 Parity=- StopBit=-\r\n",
       {2, 9600, 3, -1, 7}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    TempStation fresh;
    ResetSerialSettings();
    if (test.present) WriteFileBytes(fresh.Path("Data/rs232par.dat"), test.bytes);
    EXPECT_EQ(LoadSerialParameters(), test.present && test.errors.empty());
    EXPECT_EQ(fresh.ErrorLogText(), test.errors);
    EXPECT_EQ(fresh.EventLogText(), test.events);
    const int32_t read[5] = {nCOM, BaudRate, DataBits, Parity, StopBit};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(read[i], test.expected[i]) << "setting " << i;
    EXPECT_EQ(ReadFileBytes(fresh.Path("Data/rs232par.dat")), test.bytes);  // never created
  }
}

TEST_F(SerialTest, PortThatCannotBeOpenedIsReportedWithItsErrno) {
  ASSERT_EQ(::symlink("/nowhere/ttyUSB9", DataPath("COM5").c_str()), 0);
  nCOM = 5;
  ASSERT_TRUE(OpenSerialExchange());
  ASSERT_NE(serialPort, nullptr);
  EXPECT_TRUE(serialPort->HasError());
  EXPECT_EQ(serialPort->codice, 1);
  EXPECT_EQ(station.ErrorLogText(),
            "RS001: errore di apertura COM (codice: 1) - GetLastError: 2 - (COM5 - 9600 - 8 "
            "bit/byte - parity: no - stop bit: 1)\r\n");
  EXPECT_EQ(boxes.Count(), 0u);

  // Every tick tries the failed port again and logs its failure; nothing is answered.
  EXPECT_FALSE(PollSerialExchange());
  EXPECT_FALSE(PollSerialExchange());
  const std::string readError =
      "RS006: errore di lettura da seriale (codice: 6) - GetLastError: 9 - (COM5 - 9600 - 8 "
      "bit/byte - parity: no - stop bit: 1)\r\n";
  EXPECT_EQ(LinesStartingWith(station.ErrorLogText(), "RS006").size(), 2u);
  EXPECT_NE(station.ErrorLogText().find(readError), std::string::npos);
  EXPECT_EQ(serialPort->codice, 6);
  EXPECT_EQ(station.EventLogText(), "");
}

TEST_F(SerialTest, NoPortNoPoll) {
  EXPECT_FALSE(PollSerialExchange());
  EXPECT_TRUE(CloseSerialExchange());
  EXPECT_EQ(serialPort, nullptr);
}

TEST(SerialLineSettings, FourSettingsReplacedTheRestKept) {
  struct Case {
    int32_t baud, dataBits, parity, stopBit;
    speed_t speed;
    tcflag_t size, parityFlags;
    bool twoStops;
  } const cases[] = {
      {9600, 8, 0, 0, B9600, CS8, 0, false},
      {19200, 7, 2, 2, B19200, CS7, PARENB, true},
      {115200, 6, 1, 0, B115200, CS6, PARENB | PARODD, false},
      {1200, 8, 3, 0, B1200, CS8, PARENB | PARODD | CMSPAR, false},
      {2400, 8, 4, 0, B2400, CS8, PARENB | CMSPAR, false},
      {4800, 5, 0, 1, B4800, CS5, 0, true},  // one and a half stop bits of a 5-bit UART
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.baud);
    termios settings{};
    settings.c_cflag = CS8 | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CLOCAL | CREAD;
    settings.c_iflag = IXON | IXOFF;
    settings.c_cc[VSTART] = 0x11;
    ASSERT_TRUE(SetLineSettings(settings, test.baud, test.dataBits, test.parity, test.stopBit));
    EXPECT_EQ(::cfgetospeed(&settings), test.speed);
    EXPECT_EQ(::cfgetispeed(&settings), test.speed);
    EXPECT_EQ(settings.c_cflag & CSIZE, test.size);
    EXPECT_EQ(settings.c_cflag & (PARENB | PARODD | CMSPAR), test.parityFlags);
    EXPECT_EQ((settings.c_cflag & CSTOPB) != 0, test.twoStops);
    // Flow control and the special characters stay as the port had them.
    EXPECT_EQ(settings.c_cflag & (CRTSCTS | CLOCAL | CREAD), CRTSCTS | CLOCAL | CREAD);
    EXPECT_EQ(settings.c_iflag, static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(settings.c_cc[VSTART], 0x11);
  }
}

// A pseudo-terminal keeps the speed, the stop bits and the kind of parity it is given (it always
// reports 8 data bits without parity checking, whatever it is told).
TEST_F(SerialTest, LineSettingsReachThePort) {
  PseudoTerminal line;
  LinkPort(line, 7);
  BaudRate = 19200;
  DataBits = 7;
  Parity = 1;
  StopBit = 2;
  RS232 port;
  EXPECT_FALSE(port.HasError());
  termios settings{};
  ASSERT_EQ(::tcgetattr(port.handle->handle(), &settings), 0);
  EXPECT_EQ(::cfgetospeed(&settings), static_cast<speed_t>(B19200));
  EXPECT_NE(settings.c_cflag & PARODD, 0u);
  EXPECT_NE(settings.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(station.ErrorLogText(), "");
}

TEST_F(SerialTest, SettingsThePortRefusesAreReported) {
  struct Case {
    const char* name;
    int32_t baud, dataBits, parity, stopBit;
    const char* words;
  } const cases[] = {
      {"4 data bits", 9600, 4, 0, 0, "9600 - 4 bit/byte - parity: no - stop bit: 1"},
      {"parity code 5", 9600, 8, 5, 0, "9600 - 8 bit/byte - parity: - - stop bit: 1"},
      {"stop-bit code 3", 9600, 8, 0, 3, "9600 - 8 bit/byte - parity: no - stop bit: -"},
      {"1.5 stop bits with 8 data bits", 9600, 8, 0, 1,
       "9600 - 8 bit/byte - parity: no - stop bit: 1.5"},
      {"speed 0", 0, 8, 0, 0, "0 - 8 bit/byte - parity: no - stop bit: 1"},
      {"speed no UART has", 12345, 8, 0, 0, "12345 - 8 bit/byte - parity: no - stop bit: 1"},
  };
  PseudoTerminal line;
  LinkPort(line, 7);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    TempStation fresh;
    ASSERT_TRUE(line.LinkAs(fresh.Path("Data/COM7")));
    BaudRate = test.baud;
    DataBits = test.dataBits;
    Parity = test.parity;
    StopBit = test.stopBit;
    RS232 port;
    EXPECT_EQ(port.codice, 3);
    EXPECT_EQ(fresh.ErrorLogText(),
              std::string("RS003: errore su invio parametri COM (codice: 3) - GetLastError: 22 - "
                          "(COM7 - ") +
                  test.words + ")\r\n");
  }
}

TEST_F(SerialTest, OneByteIsAnsweredAfterTheSilence) {
  PseudoTerminal line;
  LinkPort(line, 7);
  ASSERT_TRUE(OpenSerialExchange());
  ASSERT_FALSE(serialPort->HasError());
  const auto sent = Clock::now();
  ASSERT_TRUE(line.Send("T"));
  ASSERT_TRUE(PollSerialExchange());
  // The request ends only once the line has been quiet for 400 ms.
  EXPECT_GE(Clock::now() - sent, milliseconds(kSerialSilenceMs));
  EXPECT_EQ(line.Receive(1, kPatience), "0");  // no test window open
  EXPECT_EQ(line.Receive(1, milliseconds(300)), "");
  EXPECT_EQ(station.EventLogText(),
            "Lettura dati in seriale: T\r\nScrittura dati in seriale: 0\r\n");
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_FALSE(PollSerialExchange());  // nothing more on the line
}

TEST_F(SerialTest, ReplyTextIsSentAloneAndLogged) {
  PseudoTerminal line;
  LinkPort(line, 7);
  ASSERT_TRUE(OpenSerialExchange());
  ASSERT_TRUE(line.Send("trigger"));
  int dispatched = 0;
  ASSERT_TRUE(PollSerialExchangeWith([&] {
    ++dispatched;
    return std::string("1,120,45");
  }));
  EXPECT_EQ(dispatched, 1);
  EXPECT_EQ(line.Receive(8, kPatience), "1,120,45");
  EXPECT_EQ(line.Receive(1, milliseconds(300)), "");
  EXPECT_EQ(Requests(), std::vector<std::string>{"trigger"});
  EXPECT_EQ(Replies(), std::vector<std::string>{"1,120,45"});
}

// Bytes a gap apart are one request when the gap is well inside the 400 ms silence and two when it
// is well outside (150 ms and 900 ms rather than 300 and 500, so that a loaded machine cannot turn
// one case into the other).
TEST_F(SerialTest, SilenceSeparatesRequests) {
  struct Case {
    int gapMs;
    std::vector<std::string> requests;
    std::string replies;
  } const cases[] = {
      {150, {"AB"}, "0"},
      {900, {"A", "B"}, "00"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.gapMs);
    TempStation fresh;
    PseudoTerminal line;
    ASSERT_TRUE(line.Ready());
    ASSERT_TRUE(line.LinkAs(fresh.Path("Data/COM7")));
    nCOM = 7;
    ASSERT_TRUE(OpenSerialExchange());
    std::atomic<bool> done{false};
    std::thread controller([&] {
      std::this_thread::sleep_for(milliseconds(50));
      line.Send("A");
      std::this_thread::sleep_for(milliseconds(test.gapMs));
      line.Send("B");
      done = true;
    });
    // The exchange tick, until the controller is done and the line has fallen silent.
    bool quiet = false;
    while (!(done && quiet)) quiet = !PollSerialExchange();
    controller.join();
    EXPECT_EQ(LinesStartingWith(fresh.EventLogText(), "Lettura dati in seriale: "), test.requests);
    EXPECT_EQ(line.Receive(test.replies.size(), kPatience), test.replies);
    CloseSerialExchange();
  }
}

TEST_F(SerialTest, LongRequestIsTakenInPiecesOfTheBuffer) {
  PseudoTerminal line;
  LinkPort(line, 7);
  ASSERT_TRUE(OpenSerialExchange());
  std::string bytes;
  for (int i = 0; i < 1500; ++i) bytes.push_back(static_cast<char>('a' + i % 26));
  ASSERT_TRUE(line.Send(bytes));
  // The first poll takes what the buffer holds; the rest waits in the port for the next one.
  ASSERT_TRUE(PollSerialExchange());
  ASSERT_TRUE(PollSerialExchange());
  EXPECT_FALSE(PollSerialExchange());
  EXPECT_EQ(Requests(),
            (std::vector<std::string>{
                LogLineText("Lettura dati in seriale: " + bytes.substr(0, 1023)).substr(25),
                LogLineText("Lettura dati in seriale: " + bytes.substr(1023)).substr(25)}));
  EXPECT_EQ(line.Receive(2, kPatience), "00");
}

TEST_F(SerialTest, ZeroByteEndsTheLoggedText) {
  PseudoTerminal line;
  LinkPort(line, 7);
  ASSERT_TRUE(OpenSerialExchange());
  ASSERT_TRUE(line.Send(std::string("A\0B", 3)));
  ASSERT_TRUE(PollSerialExchange());
  EXPECT_EQ(Requests(), std::vector<std::string>{"A"});
  EXPECT_EQ(line.Receive(1, kPatience), "0");
}

TEST_F(SerialTest, PurgeDropsWhatWaitsOnThePort) {
  PseudoTerminal line;
  LinkPort(line, 7);
  ASSERT_TRUE(OpenSerialExchange());
  ASSERT_TRUE(line.Send("stale bytes"));
  std::this_thread::sleep_for(milliseconds(50));
  serialPort->Purge();
  EXPECT_FALSE(PollSerialExchange());
  EXPECT_EQ(station.EventLogText(), "");
}

TEST_F(SerialTest, NoisyLineNeverHoldsThePollStep) {
  PseudoTerminal line;
  LinkPort(line, 7);
  ASSERT_TRUE(OpenSerialExchange());
  std::atomic<bool> stop{false};
  std::thread noise([&] {
    std::string burst(512, '\x55');
    for (int i = 0; i < 512; ++i) burst[i] = static_cast<char>(i * 37);
    while (!stop) {
      pollfd ready = {line.Master(), POLLOUT, 0};
      if (::poll(&ready, 1, 10) > 0) (void)::write(line.Master(), burst.data(), burst.size());
    }
  });
  // A line that never falls silent still gives a request per poll step, each of one buffer.
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(PollSerialExchange());
  stop = true;
  noise.join();
  EXPECT_EQ(Requests().size(), 5u);
  EXPECT_EQ(station.ErrorLogText(), "");
}

double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST_F(SerialTest, VanishedPortIsReportedAndTheStationRunsOn) {
  PseudoTerminal line;
  LinkPort(line, 7);
  ASSERT_TRUE(OpenSerialExchange());
  ASSERT_FALSE(serialPort->HasError());
  line.CloseMaster();
  EXPECT_FALSE(PollSerialExchange());
  EXPECT_FALSE(PollSerialExchange());
  EXPECT_EQ(serialPort->codice, 6);
  const std::string error =
      "errore di lettura da seriale (codice: 6) - GetLastError: 5 - (COM7 - 9600 - 8 bit/byte - "
      "parity: no - stop bit: 1)";
  EXPECT_EQ(LinesStartingWith(station.ErrorLogText(), "RS006: "),
            (std::vector<std::string>{error, error}));
  EXPECT_EQ(station.EventLogText(), "");

  // The event loop runs on undisturbed: the port that hung up is closed, not polled for ever.
  const double cpuBefore = ProcessCpuSeconds();
  QEventLoop idle;
  QTimer::singleShot(500, &idle, &QEventLoop::quit);
  idle.exec();
  EXPECT_LT(ProcessCpuSeconds() - cpuBefore, 0.25);
  EXPECT_TRUE(CloseSerialExchange());
}

TEST_F(SerialTest, PortThatHangsUpBetweenTicksIsClosedByTheEventLoop) {
  PseudoTerminal line;
  LinkPort(line, 7);
  ASSERT_TRUE(OpenSerialExchange());
  line.CloseMaster();
  const double cpuBefore = ProcessCpuSeconds();
  QEventLoop idle;
  QTimer::singleShot(500, &idle, &QEventLoop::quit);
  idle.exec();
  EXPECT_LT(ProcessCpuSeconds() - cpuBefore, 0.25);
  EXPECT_FALSE(PollSerialExchange());
  EXPECT_EQ(LinesStartingWith(station.ErrorLogText(), "RS006: ").size(), 1u);
  EXPECT_NE(station.ErrorLogText().find("GetLastError: 5 -"), std::string::npos);
}

}  // namespace
