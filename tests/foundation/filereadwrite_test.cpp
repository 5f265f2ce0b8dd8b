#include "foundation/filereadwrite.h"

#include <cerrno>
#include <chrono>
#include <system_error>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "foundation/mymessagebox.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

// The system's description, in the language of the locale.
std::string NoSuchFile() {
  return std::error_code(ENOENT, std::generic_category()).message();
}

struct Read {
  std::string line;
  bool endOfFile;
};

std::vector<Read> ReadAll(const std::string& path, size_t maxReads = 10) {
  FileReadWrite file(path, true, false, 1);
  std::vector<Read> reads;
  for (size_t i = 0; i < maxReads; ++i) {
    Read read{"?", false};
    EXPECT_TRUE(file.ReadLine(read.line, &read.endOfFile));
    reads.push_back(read);
    if (read.endOfFile) break;
  }
  return reads;
}

TEST(FileReadWriteRead, DeliversLinesAndTheEndOfFile) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<Read> expected;
  } cases[] = {
      {"last line without ending", "a\r\nb", {{"a", false}, {"b", true}}},
      {"file ending with CR LF", "a\r\nb\r\n", {{"a", false}, {"b", false}, {"", true}}},
      {"empty file", "", {{"", true}}},
      {"lone LF", "x\ny\n", {{"x", false}, {"y", false}, {"", true}}},
      {"CR CR LF keeps one CR", "x\r\r\n", {{"x\r", false}, {"", true}}},
      {"LF LF is two lines", "\n\n", {{"", false}, {"", false}, {"", true}}},
      {"CR inside a line kept", "a\rb\n", {{"a\rb", false}, {"", true}}},
      {"line at the end kept as read", "a\nb\r", {{"a", false}, {"b\r", true}}},
      {"longest whole line",
       std::string(597, 'x') + "\r\n",
       {{std::string(597, 'x'), false}, {"", true}}},
      {"long line in pieces",
       std::string(1000, 'x') + "\n",
       {{std::string(599, 'x'), false}, {std::string(401, 'x'), false}, {"", true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation station;
    std::string path = station.Path("file_in_out/in/request.txt");
    WriteFileBytes(path, c.bytes);
    std::vector<Read> reads = ReadAll(path);
    ASSERT_EQ(reads.size(), c.expected.size());
    for (size_t i = 0; i < reads.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(reads[i].line, c.expected[i].line);
      EXPECT_EQ(reads[i].endOfFile, c.expected[i].endOfFile);
    }
  }
}

TEST(FileReadWriteRead, WorksWithoutAnEndOfFileFlag) {
  TempStation station;
  std::string path = station.Path("file_in_out/in/r.txt");
  WriteFileBytes(path, "uno\r\ndue");
  FileReadWrite file(path, true, false, 1);
  std::string line;
  EXPECT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "uno");
  EXPECT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "due");
}

TEST(FileReadWriteOpen, RetriesAndReportsEveryAttempt) {
  struct Case {
    const char* name;
    bool silent;
    size_t boxes;
  } cases[] = {{"shown", false, 1}, {"silent", true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation station;
    MessageBoxRecorder boxes;
    std::string path = station.Path("file_in_out/in/missing.txt");
    auto start = std::chrono::steady_clock::now();
    FileReadWrite file(path, true, c.silent, 3);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(file.failed);
    EXPECT_GE(elapsed, std::chrono::milliseconds(600));  // two pauses of 300 ms
    std::string prefix =
        "FRW001: errore nell'apertura in lettura del file: " + path + ". " + NoSuchFile();
    EXPECT_EQ(station.ErrorLogText(), prefix + " - tentativo 1/3\r\n" + prefix +
                                          " - tentativo 2/3\r\n" + prefix + " - tentativo 3/3\r\n");
    ASSERT_EQ(boxes.Count(), c.boxes);
    if (c.boxes == 1) {
      EXPECT_EQ(boxes.Boxes()[0].text, prefix + " - tentativo 3/3");
      EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
      EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
    }
  }
}

TEST(FileReadWriteOpen, OneAttemptForWritingIntoAMissingFolder) {
  TempStation station;
  MessageBoxRecorder boxes;
  std::string path = station.Path("nowhere/answer.txt");
  FileReadWrite file(path, false, false, 1);
  EXPECT_TRUE(file.failed);
  EXPECT_EQ(station.ErrorLogText(), "FRW001: errore nell'apertura in scrittura del file: " + path +
                                        ". " + NoSuchFile() + " - tentativo 1/1\r\n");
  EXPECT_EQ(boxes.Count(), 1u);
  // The object stays harmless.
  EXPECT_TRUE(file.WriteLine("nulla"));
  std::string line = "unchanged";
  bool endOfFile = false;
  EXPECT_TRUE(file.ReadLine(line, &endOfFile));
  EXPECT_EQ(line, "unchanged");
  EXPECT_FALSE(endOfFile);
  struct stat info;
  EXPECT_NE(stat(path.c_str(), &info), 0);
  file.Close();
}

TEST(FileReadWriteOpen, SucceedsAtOnceWithoutReport) {
  TempStation station;
  MessageBoxRecorder boxes;
  std::string path = station.Path("file_in_out/in/ok.txt");
  WriteFileBytes(path, "x");
  FileReadWrite file(path, true, false, 3);
  EXPECT_FALSE(file.failed);
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST(FileReadWriteWrite, WritesLinesWithCrLfAndCutsLongTexts) {
  const std::string e = "\xC3\xA8";
  struct Case {
    const char* name;
    std::vector<std::string> texts;
    std::string expected;
  } cases[] = {
      {"two lines", {"1,120,45", "0"}, "1,120,45\r\n0\r\n"},
      {"empty text", {""}, "\r\n"},
      {"497 bytes whole", {std::string(497, 'x')}, std::string(497, 'x') + "\r\n"},
      {"longer texts cut", {std::string(600, 'x')}, std::string(497, 'x') + "\r\n"},
      {"cut never splits a character", {std::string(496, 'x') + e}, std::string(496, 'x') + "\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation station;
    std::string path = station.Path("file_in_out/out/answer.txt");
    WriteFileBytes(path, "old content that must go away\r\n");
    {
      FileReadWrite file(path, false, false, 1);
      ASSERT_FALSE(file.failed);
      for (const std::string& text : c.texts) EXPECT_TRUE(file.WriteLine(text));
      // Each line is on disk as soon as it is written.
      EXPECT_EQ(ReadFileBytes(path), c.expected);
    }
    EXPECT_EQ(ReadFileBytes(path), c.expected);
  }
}

TEST(FileReadWriteWrite, OpeningForWritingEmptiesTheFile) {
  TempStation station;
  std::string path = station.Path("file_in_out/out/a.txt");
  WriteFileBytes(path, "vecchio");
  FileReadWrite file(path, false, false, 1);
  EXPECT_EQ(ReadFileBytes(path), "");
}

TEST(FileReadWriteErrors, WriteAndReadFailuresAreReported) {
  struct Case {
    const char* name;
    bool silent;
    size_t boxes;
  } cases[] = {{"shown", false, 1}, {"silent", true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation station;
    MessageBoxRecorder boxes;
    {
      FileReadWrite full("/dev/full", false, c.silent, 1);
      ASSERT_FALSE(full.failed);
      EXPECT_FALSE(full.WriteLine("1"));
    }
    std::string folder = station.Path("Data");
    {
      // A folder opens for reading but cannot be read.
      FileReadWrite directory(folder, true, c.silent, 1);
      ASSERT_FALSE(directory.failed);
      std::string line;
      EXPECT_FALSE(directory.ReadLine(line));
    }
    EXPECT_EQ(station.ErrorLogText(),
              "FRW003: errore nella scrittura del file: /dev/full\r\n"
              "FRW002: errore nella lettura del file: " +
                  folder + "\r\n");
    ASSERT_EQ(boxes.Count(), 2 * c.boxes);
    if (c.boxes == 1) {
      EXPECT_EQ(boxes.Boxes()[0].text, "FRW003: errore nella scrittura del file: /dev/full");
      EXPECT_EQ(boxes.Boxes()[1].text, "FRW002: errore nella lettura del file: " + folder);
      for (const auto& box : boxes.Boxes()) {
        EXPECT_EQ(box.caption, "ERRORE");
        EXPECT_EQ(box.flags, kMbError);
      }
    }
  }
}

TEST(FileReadWriteClose, CanBeCalledTwiceAndLeavesTheObjectHarmless) {
  TempStation station;
  std::string path = station.Path("file_in_out/out/c.txt");
  FileReadWrite file(path, false, false, 1);
  EXPECT_TRUE(file.WriteLine("prima"));
  file.Close();
  file.Close();
  EXPECT_TRUE(file.WriteLine("dopo"));
  EXPECT_EQ(ReadFileBytes(path), "prima\r\n");
}

}  // namespace
