#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "exchange/tcp_client.h"
#include "exchange/tcpipinout.h"
#include "exchange/tcpipinoutform.h"
#include "exchange/tcpipserver.h"
#include "foundation/mymessagebox.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

using tcptest::Client;
using tcptest::WaitUntil;

constexpr const char* kReadLine = "Lettura dati da porta Ethernet (Client -> Server): ";
constexpr const char* kWriteLine = "Scrittura dati su porta Ethernet (Server -> Client): ";

void ResetTcpSettings() {
  indirizzoIP = "192.168.0.1";
  porta = 1000;
  tcpRequestPending = false;
}

class TcpChannelTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetTcpSettings(); }
  void TearDown() override {
    CloseTcpExchange();
    ResetTcpSettings();
  }

  std::string DataFile() const { return station.Path("Data/tcp_ip.dat"); }

  // The channel on 127.0.0.1 at a port the system chooses.
  void Open() {
    indirizzoIP = "127.0.0.1";
    porta = 0;
    ASSERT_TRUE(OpenTcpExchange());
    ASSERT_TRUE(tcpServer->Active());
    port = tcpServer->Port();
  }

  // The exchange tick, until the event log holds `lines` lines.
  bool TickUntilLogged(size_t lines, const std::function<std::string()>& dispatch) {
    return WaitUntil([&] {
      PollTcpExchangeWith(dispatch);
      return LogLines().size() >= lines;
    });
  }

  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::string text = station.EventLogText();
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find("\r\n", at);
      if (end == std::string::npos) break;
      lines.push_back(text.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }

  TempStation station;
  MessageBoxRecorder boxes;
  uint16_t port = 0;
};

TEST_F(TcpChannelTest, RequestIsAnsweredWithTheReplyAlone) {
  Open();
  Client client(port);
  ASSERT_TRUE(client.Send("T\r\n"));
  ASSERT_TRUE(TickUntilLogged(2, [] { return std::string("1,120,45"); }));
  EXPECT_EQ(client.Receive(8), "1,120,45");
  EXPECT_EQ(client.ReceiveRest(), "");
  EXPECT_EQ(LogLines(), (std::vector<std::string>{std::string(kReadLine) + "T",
                                                  std::string(kWriteLine) + "1,120,45"}));
  EXPECT_EQ(station.ErrorLogText(), "");
}

TEST_F(TcpChannelTest, NoTestWindowOpenAnswersZero) {
  Open();
  Client client(port);
  ASSERT_TRUE(client.Send("T\n"));
  ASSERT_TRUE(WaitUntil([&] {
    PollTcpExchange();
    return LogLines().size() >= 2;
  }));
  EXPECT_EQ(client.Receive(1), "0");
  EXPECT_EQ(client.ReceiveRest(), "");
}

TEST_F(TcpChannelTest, EmptyLineIsNoRequest) {
  Open();
  Client client(port);
  int dispatched = 0;
  ASSERT_TRUE(client.Send("\r\n"));
  ASSERT_TRUE(client.Send("X\n"));  // tells that the empty line has been read
  ASSERT_TRUE(TickUntilLogged(2, [&] {
    ++dispatched;
    return std::string("1");
  }));
  EXPECT_EQ(dispatched, 1);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{std::string(kReadLine) + "X",
                                                  std::string(kWriteLine) + "1"}));
  EXPECT_EQ(client.Receive(1), "1");
  EXPECT_EQ(client.ReceiveRest(), "");
}

TEST_F(TcpChannelTest, TwoLinesInOnePacketGiveOneInspection) {
  Open();
  Client client(port);
  ASSERT_TRUE(client.Send("A\r\nB\r\n"));
  ASSERT_TRUE(WaitUntil([&] { return LogLines().size() == 2; }));  // both read before the tick
  int dispatched = 0;
  ASSERT_TRUE(TickUntilLogged(3, [&] {
    ++dispatched;
    return std::string("1");
  }));
  EXPECT_EQ(dispatched, 1);
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{std::string(kReadLine) + "A", std::string(kReadLine) + "B",
                                      std::string(kWriteLine) + "1"}));
  EXPECT_EQ(client.Receive(1), "1");
  EXPECT_EQ(client.ReceiveRest(), "");
  EXPECT_TRUE(PollTcpExchangeWith([&] {
    ++dispatched;
    return std::string("1");
  }));
  EXPECT_EQ(dispatched, 1);
}

TEST_F(TcpChannelTest, ClientsNeverReceiveEachOthersReplies) {
  Open();
  Client first(port);
  Client second(port);
  int inspection = 0;
  auto dispatch = [&] { return "1," + std::to_string(++inspection) + ",0"; };
  ASSERT_TRUE(first.Send("T\n"));
  ASSERT_TRUE(TickUntilLogged(2, dispatch));
  EXPECT_EQ(first.Receive(5), "1,1,0");
  ASSERT_TRUE(second.Send("T\n"));
  ASSERT_TRUE(TickUntilLogged(4, dispatch));
  EXPECT_EQ(second.Receive(5), "1,2,0");
  EXPECT_EQ(first.ReceiveRest(), "");
  EXPECT_EQ(second.ReceiveRest(), "");
}

TEST_F(TcpChannelTest, AddressThatIsNotThisMachinesGivesTcps004) {
  indirizzoIP = "192.0.2.1";
  porta = 0;
  EXPECT_TRUE(OpenTcpExchange());
  ASSERT_NE(tcpServer, nullptr);
  EXPECT_FALSE(tcpServer->Active());
  EXPECT_EQ(station.ErrorLogText(), "TCPS004: Errore apertura porta TCP/IP\r\n");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            "Indirizzo/porta Ethernet non validi. Controllare i parametri Ethernet.");
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
  // The channel stays silent and the station runs on.
  EXPECT_TRUE(PollTcpExchange());
  EXPECT_TRUE(CloseTcpExchange());
  EXPECT_EQ(tcpServer, nullptr);
  EXPECT_FALSE(PollTcpExchange());
}

TEST_F(TcpChannelTest, SettingsFileBytes) {
  indirizzoIP = "10.0.0.5";
  porta = 502;
  ASSERT_TRUE(SaveTcpParameters());
  EXPECT_EQ(ReadFileBytes(DataFile()), Words({0, 8}) + std::string("10.0.0.5\0", 9) + Words({502}));
  EXPECT_EQ(LogLines(),
            std::vector<std::string>{
                "Modificati parametri porta Ethernet: indirizzo IP=10.0.0.5 porta=502"});
  ResetTcpSettings();
  EXPECT_TRUE(LoadTcpParameters());
  EXPECT_EQ(indirizzoIP, "10.0.0.5");
  EXPECT_EQ(porta, 502);
}

TEST_F(TcpChannelTest, LoadingTheSettingsFile) {
  const std::string x299(299, '7');
  struct Case {
    const char* name;
    bool present;
    std::string bytes;
    bool result;
    std::string errors;
    bool box;
    std::string address;
    int32_t port;
    std::string events;
  } const cases[] = {
      {"missing file keeps the start values", false, "", false,
       "TIF002: file con parametri TCP/IP ingresso-uscita non trovato.\r\n", false, "192.168.0.1",
       1000, ""},
      {"empty address", true, Words({0, 0}) + std::string(1, '\0') + Words({70000}), true, "",
       false, "", 70000, "Letti parametri porta Ethernet: indirizzo IP= porta=70000\r\n"},
      {"file cut after the address", true, Words({0, 3}) + std::string("1.2\0", 4), false,
       "TIF003: errore nella lettura da file dei parametri TCP/IP ingresso-uscita.\r\n", true,
       "1.2", 1000, ""},
      {"length beyond the file", true, Words({0, 0x7FFFFFFF}) + "1.2.3.4" + Words({5}), false,
       "TIF003: errore nella lettura da file dei parametri TCP/IP ingresso-uscita.\r\n", true,
       "192.168.0.1", 1000, ""},
      {"negative length", true, Words({0, -4}) + Words({5}), false,
       "TIF003: errore nella lettura da file dei parametri TCP/IP ingresso-uscita.\r\n", true,
       "192.168.0.1", 1000, ""},
      {"address over 299 characters is cut", true,
       Words({0, 400}) + std::string(400, '7') + std::string(1, '\0') + Words({9}), true, "", false,
       x299, 9,
       LogLineText("Letti parametri porta Ethernet: indirizzo IP=" + x299 + " porta=9") + "\r\n"},
      {"text ends at its zero byte", true, Words({0, 5}) + std::string("1.2\0x\0", 6) + Words({8}),
       true, "", false, "1.2", 8, "Letti parametri porta Ethernet: indirizzo IP=1.2 porta=8\r\n"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    TempStation fresh;
    MessageBoxRecorder recorder;
    ResetTcpSettings();
    if (test.present) WriteFileBytes(fresh.Path("Data/tcp_ip.dat"), test.bytes);
    EXPECT_EQ(LoadTcpParameters(), test.result);
    EXPECT_EQ(fresh.ErrorLogText(), test.errors);
    EXPECT_EQ(fresh.EventLogText(), test.events);
    EXPECT_EQ(indirizzoIP, test.address);
    EXPECT_EQ(porta, test.port);
    ASSERT_EQ(recorder.Count(), test.box ? 1u : 0u);
    if (test.box) {
      EXPECT_EQ(recorder.Boxes()[0].text, test.errors.substr(0, test.errors.size() - 2));
      EXPECT_EQ(recorder.Boxes()[0].caption, "ERRORE");
    }
  }
}

TEST_F(TcpChannelTest, SettingsThatCannotBeWrittenAreReported) {
  ASSERT_EQ(::mkdir(DataFile().c_str(), 0755), 0);  // a folder in the way
  EXPECT_FALSE(SaveTcpParameters());
  const char* text = "TIF001: errore nella scrittura dei parametri TCP/IP ingresso-uscita.";
  EXPECT_EQ(station.ErrorLogText(), std::string(text) + "\r\n");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, text);
  EXPECT_EQ(station.EventLogText(), "");
}

TEST_F(TcpChannelTest, WindowShowsAndSavesTheSettings) {
  indirizzoIP = "10.1.2.3";
  porta = 2000;
  TTCPIP_InOutForm form(nullptr);
  form.show();
  EXPECT_EQ(form.windowTitle(), "PARAMETRI TCP/IP");
  EXPECT_EQ(form.size(), QSize(381, 202));
  EXPECT_EQ(form.ExitButton->text(), "   Ok");
  for (const char* name : {"Label1", "IndirizzoIPEdt", "Label2", "PortaEdt", "ExitButton"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(form.findChild<QWidget*>(name), nullptr);
  }
  EXPECT_EQ(form.IndirizzoIPEdt->text(), "10.1.2.3");
  EXPECT_EQ(form.PortaEdt->text(), "2000");

  struct Case {
    const char* address;
    const char* port;
    std::string bytes;
    size_t boxes;
  } const cases[] = {
      {"10.0.0.5", "5 02", Words({0, 8}) + std::string("10.0.0.5\0", 9) + Words({502}), 0},
      {"", "abc", Words({0, 0}) + std::string(1, '\0') + Words({0}), 1},  // MTC003, port 0
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.port);
    boxes.Clear();
    form.show();
    form.IndirizzoIPEdt->setText(test.address);
    form.PortaEdt->setText(test.port);
    QTest::mouseClick(form.ExitButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ReadFileBytes(DataFile()), test.bytes);
    EXPECT_EQ(boxes.Count(), test.boxes);
  }
}

}  // namespace
