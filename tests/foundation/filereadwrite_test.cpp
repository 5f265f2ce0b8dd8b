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

TEST(FileReadWriteErrors, WriteFailuresAreReported) {
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
    EXPECT_EQ(station.ErrorLogText(), "FRW003: errore nella scrittura del file: /dev/full\r\n");
    ASSERT_EQ(boxes.Count(), c.boxes);
    if (c.boxes == 1) {
      EXPECT_EQ(boxes.Boxes()[0].text, "FRW003: errore nella scrittura del file: /dev/full");
      EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
      EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
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
