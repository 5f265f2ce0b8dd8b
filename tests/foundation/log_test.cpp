#include "foundation/log.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/myutl.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

// A clock the test sets; every reading returns the time set last.
class FakeClock {
 public:
  void Set(LocalTime time) {
    std::lock_guard lock(mutex);
    now = time;
  }
  LocalTime Read() {
    std::lock_guard lock(mutex);
    ++readings;
    return now;
  }
  ClockFunction Function() {
    return [this] { return Read(); };
  }
  int readings = 0;

 private:
  std::mutex mutex;
  LocalTime now{2024, 3, 15, 12, 34, 56, 789};
};

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(LogLineText, CutsLongTextsWithoutSplittingCharacters) {
  const std::string e = "\xC3\xA8";  // è
  struct Case {
    const char* name;
    std::string text;
    std::string expected;
  } cases[] = {
      {"empty", "", ""},
      {"279 bytes whole", std::string(279, 'x'), std::string(279, 'x')},
      {"280 bytes cut", std::string(280, 'x'), std::string(270, 'x') + " segue..."},
      {"1000 bytes cut", std::string(1000, 'y'), std::string(270, 'y') + " segue..."},
      {"accent across the cut", std::string(269, 'x') + e + std::string(20, 'z'),
       std::string(269, 'x') + " segue..."},
      {"accent before the cut", std::string(268, 'x') + e + std::string(20, 'z'),
       std::string(268, 'x') + e + " segue..."},
      {"279 bytes with accents whole", std::string(277, 'x') + e, std::string(277, 'x') + e},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LogLineText(c.text), c.expected);
    EXPECT_LE(LogLineText(c.text).size(), 279u);
  }
}

TEST(Log, WritesStampedLinesToTheFileOfTheDay) {
  FakeClock clock;
  TempStation station;
  Log log("ERR", clock.Function());
  log.Write("");
  log.Write("MTC003: errore è");
  log.Write(std::string(280, 'a'));
  clock.Set({2024, 3, 15, 7, 5, 3, 9});
  log.Write("secondo");
  EXPECT_EQ(ReadFileBytes(station.Path("log/ERR20240315.txt")),
            "12:34:56:789 \r\n"
            "12:34:56:789 MTC003: errore \xC3\xA8\r\n"
            "12:34:56:789 " +
                std::string(270, 'a') +
                " segue...\r\n"
                "07:05:03:009 secondo\r\n");
}

TEST(Log, AppendsToTheFileAnotherRunLeft) {
  FakeClock clock;
  TempStation station;
  WriteFileBytes(station.Path("log/EV20240315.txt"), "00:00:00:000 prima\r\n");
  Log("EV", clock.Function()).Write("dopo");
  EXPECT_EQ(ReadFileBytes(station.Path("log/EV20240315.txt")),
            "00:00:00:000 prima\r\n12:34:56:789 dopo\r\n");
}

TEST(Log, DateAndTimeAreTwoReadingsOfTheClock) {
  // The line written across midnight: the date read before, the time after.
  int reading = 0;
  TempStation station;
  Log log("EV", [&reading] {
    return ++reading == 1 ? LocalTime{2024, 12, 31, 23, 59, 59, 999}
                          : LocalTime{2025, 1, 1, 0, 0, 0, 1};
  });
  log.Write("a cavallo");
  EXPECT_EQ(reading, 2);
  EXPECT_EQ(ReadFileBytes(station.Path("log/EV20241231.txt")), "00:00:00:001 a cavallo\r\n");
}

TEST(Log, TheFirstLineAfterMidnightStartsANewFile) {
  FakeClock clock;
  TempStation station;
  Log log("ERR", clock.Function());
  clock.Set({2024, 2, 29, 23, 59, 59, 998});
  log.Write("ultimo");
  std::string previous = ReadFileBytes(station.Path("log/ERR20240229.txt"));
  clock.Set({2024, 3, 1, 0, 0, 0, 0});
  log.Write("primo");
  EXPECT_EQ(ReadFileBytes(station.Path("log/ERR20240229.txt")), previous);
  EXPECT_EQ(previous, "23:59:59:998 ultimo\r\n");
  EXPECT_EQ(ReadFileBytes(station.Path("log/ERR20240301.txt")), "00:00:00:000 primo\r\n");
}

TEST(Log, LinesOfTheSameMillisecondKeepTheirOrder) {
  FakeClock clock;
  TempStation station;
  Log log("EV", clock.Function());
  for (const char* text : {"uno", "due", "tre"}) log.Write(text);
  EXPECT_EQ(ReadFileBytes(station.Path("log/EV20240315.txt")),
            "12:34:56:789 uno\r\n12:34:56:789 due\r\n12:34:56:789 tre\r\n");
}

TEST(Log, FindsTheLogFolderWithoutRegardToCase) {
  FakeClock clock;
  TempStation station;
  ASSERT_EQ(rename(station.Path("log").c_str(), station.Path("LOG").c_str()), 0);
  Log("ERR", clock.Function()).Write("maiuscolo");
  EXPECT_EQ(ReadFileBytes(station.Path("LOG/ERR20240315.txt")), "12:34:56:789 maiuscolo\r\n");
}

TEST(Log, AMissingFolderDropsTheLineAndTheNextWriteWorks) {
  FakeClock clock;
  TempStation station;
  ASSERT_EQ(rmdir(station.Path("log").c_str()), 0);
  Log log("ERR", clock.Function());
  log.Write("perso");
  struct stat info;
  EXPECT_NE(stat(station.Path("log").c_str(), &info), 0) << "the log must not create its folder";
  ASSERT_EQ(mkdir(station.Path("log").c_str(), 0755), 0);
  log.Write("scritto");
  EXPECT_EQ(ReadFileBytes(station.Path("log/ERR20240315.txt")), "12:34:56:789 scritto\r\n");
}

TEST(Log, AFileThatCannotBeOpenedDropsTheLineWithoutBlockingTheLog) {
  FakeClock clock;
  TempStation station;
  // A folder in the place of the day's file cannot be opened for writing.
  ASSERT_EQ(mkdir(station.Path("log/EV20240315.txt").c_str(), 0755), 0);
  Log log("EV", clock.Function());
  log.Write("perso");
  clock.Set({2024, 3, 16, 8, 0, 0, 0});
  log.Write("scritto");
  EXPECT_EQ(ReadFileBytes(station.Path("log/EV20240316.txt")), "08:00:00:000 scritto\r\n");
}

TEST(Log, ConcurrentWritersLoseNoLineAndNeverMixTwoLines) {
  TempStation station;
  Log log("MT");
  constexpr int kThreads = 8;
  constexpr int kLines = 500;
  std::vector<std::thread> writers;
  std::atomic<bool> go{false};
  for (int t = 0; t < kThreads; ++t)
    writers.emplace_back([&log, &go, t] {
      while (!go.load()) std::this_thread::yield();
      for (int i = 0; i < kLines; ++i) log.Write(StrFormat("scrittore %d riga %d", t, i));
    });
  go.store(true);
  for (std::thread& writer : writers) writer.join();

  // Every file of the family: the run may cross midnight.
  std::string bytes;
  for (const std::string& name : {std::string("MT")}) {
    std::vector<std::string> files;
    ListFiles(station.Path("log/") + name + "*.txt", files, -1, false, 10);
    for (const std::string& file : files) bytes += ReadFileBytes(station.Path("log/" + file));
  }
  ASSERT_EQ(bytes.size() >= 2 ? bytes.substr(bytes.size() - 2) : "", "\r\n");
  std::vector<std::string> lines = Lines(bytes);
  ASSERT_EQ(lines.size(), static_cast<size_t>(kThreads * kLines));
  std::vector<int> next(kThreads, 0);
  for (const std::string& line : lines) {
    // "hh:nn:ss:zzz scrittore T riga N", whole.
    int h, m, s, ms, thread, number, end = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%2d:%2d:%2d:%3d scrittore %d riga %d%n", &h, &m, &s, &ms,
                          &thread, &number, &end),
              6)
        << line;
    ASSERT_EQ(static_cast<size_t>(end), line.size()) << line;
    ASSERT_TRUE(thread >= 0 && thread < kThreads) << line;
    // Each writer's lines arrive in its own order, none missing.
    EXPECT_EQ(number, next[thread]++);
  }
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(next[t], kLines);
}

TEST(LogHelpers, AreQuietWithoutLogsAndWriteWithThem) {
  Log* savedError = errorLog;
  Log* savedEvent = eventLog;
  errorLog = nullptr;
  eventLog = nullptr;
  LogError("nessuno");
  LogEvent("nessuno");
  errorLog = savedError;
  eventLog = savedEvent;

  TempStation station;
  LogError("errore");
  LogEvent("evento");
  EXPECT_EQ(station.ErrorLogText(), "errore\r\n");
  EXPECT_EQ(station.EventLogText(), "evento\r\n");
}

TEST(ReportError, LogsTheTextAndShowsItInAnErrorBox) {
  struct Case {
    const char* name;
    std::function<void()> report;
    std::string logged;
    std::string shown;
  };
  const Case cases[] = {
      {"same text", [] { ReportError("E001: errore."); }, "E001: errore.\r\n", "E001: errore."},
      {"box says more", [] { ReportError("E002: errore.", "E002: errore. Reimpostare i valori."); },
       "E002: errore.\r\n", "E002: errore. Reimpostare i valori."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation station;
    MessageBoxRecorder boxes;
    c.report();
    EXPECT_EQ(station.ErrorLogText(), c.logged);
    EXPECT_EQ(station.EventLogText(), "");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, c.shown);
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
    EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
  }
}

TEST(SystemLocalTime, IsACalendarTime) {
  LocalTime now = SystemLocalTime();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
  EXPECT_TRUE(now.day >= 1 && now.day <= 31);
  EXPECT_TRUE(now.hour >= 0 && now.hour <= 23);
  EXPECT_TRUE(now.minute >= 0 && now.minute <= 59);
  EXPECT_TRUE(now.second >= 0 && now.second <= 60);
  EXPECT_TRUE(now.millisecond >= 0 && now.millisecond <= 999);
}

}  // namespace
