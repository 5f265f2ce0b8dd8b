#include <QProcess>
#include <csignal>

#include <gtest/gtest.h>

#include "station_process.h"

namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

class SpineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(station.Valid());
    station.ShowScene(64, 48, [](int x, int) { return x < 32 ? 0x2040A0u : 0xC0C0C0u; });
  }

  StationProcess station;
};

struct SignalCase {
  const char* name;
  int signal;
};

void PrintTo(const SignalCase& signalCase, std::ostream* os) {
  *os << signalCase.name;
}

class SpineSignalTest : public SpineTest, public ::testing::WithParamInterface<SignalCase> {};

TEST_P(SpineSignalTest, EndsWithTheShutdownSequence) {
  ASSERT_TRUE(station.Start());
  EXPECT_EQ(station.Terminate(GetParam().signal), 0);
  std::string log = station.EventLog();
  EXPECT_EQ(log.find("*** APERTURA PROGROGRAMMA ***"), 13u) << log;
  const std::string closing = "*** CHIUSURA PROGROGRAMMA ***\r\n";
  ASSERT_GE(log.size(), closing.size());
  EXPECT_EQ(log.substr(log.size() - closing.size()), closing) << log;
  EXPECT_EQ(Count(log, "*** CHIUSURA PROGROGRAMMA ***"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Signals, SpineSignalTest,
                         ::testing::Values(SignalCase{"SIGTERM", SIGTERM},
                                           SignalCase{"SIGINT", SIGINT}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpineTest, SecondStartEndsAtOnceWithoutLogLine) {
  ASSERT_TRUE(station.Start());
  QProcess second;
  second.setProcessEnvironment(station.Process().processEnvironment());
  second.start(QString::fromStdString(station.Path("lumivex")), {});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(station.Running());
  EXPECT_EQ(Count(station.EventLog(), "*** APERTURA PROGROGRAMMA ***"), 1u);
  EXPECT_EQ(station.Terminate(SIGTERM), 0);
}

TEST_F(SpineTest, LogLinesCarryTheTimeStampAndCrLf) {
  ASSERT_TRUE(station.Start());
  ASSERT_EQ(station.Terminate(SIGTERM), 0);
  std::string log = station.EventLog();
  ASSERT_FALSE(log.empty());
  size_t start = 0;
  while (start < log.size()) {
    size_t end = log.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "line without CR LF";
    std::string line = log.substr(start, end - start);
    SCOPED_TRACE(line);
    ASSERT_GE(line.size(), 13u);
    for (int i : {2, 5, 8}) EXPECT_EQ(line[i], ':');
    EXPECT_EQ(line[12], ' ');
    start = end + 2;
  }
}

}  // namespace
