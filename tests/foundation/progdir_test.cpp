#include "foundation/progdir.h"

#include <QCoreApplication>

#include <gtest/gtest.h>
#include <stdio.h>

#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

TEST(ProgramFolderOf, RemovesTheFileNameAndATrailingDot) {
  const std::string a200(200, 'a');
  struct Case {
    const char* name;
    std::string path;
    std::string expected;
  } cases[] = {
      {"plain", "/opt/lumivex/lumivex", "/opt/lumivex"},
      {"trailing dot folder", "/opt/lumivex/./lumivex", "/opt/lumivex"},
      {"only one dot removed", "/opt/lumivex/././lumivex", "/opt/lumivex/."},
      {"dotted name kept", "/opt/lumivex.d/lumivex", "/opt/lumivex.d"},
      {"two dots kept", "/opt/x/../lumivex", "/opt/x/.."},
      {"no separator", "lumivex", ""},
      {"empty", "", ""},
      {"at the root", "/lumivex", ""},
      {"cut to 299 bytes first", "/" + a200 + "/" + std::string(200, 'b') + "/lumivex", "/" + a200},
      {"separator beyond 299 bytes", "/" + std::string(400, 'c') + "/lumivex", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ProgramFolderOf(c.path), c.expected);
    EXPECT_LE(ProgramFolderOf(c.path).size(), 299u);
  }
}

TEST(FindProgramFolder, IsTheFolderOfTheRunningExecutable) {
  std::string saved = programFolder;
  MessageBoxRecorder boxes;
  FindProgramFolder();
  EXPECT_EQ(programFolder, QCoreApplication::applicationDirPath().toStdString());
  EXPECT_EQ(boxes.Count(), 0u);
  programFolder = saved;
}

TEST(ProgramSubfolder, FindsFoldersWithoutRegardToCase) {
  TempStation station;
  ASSERT_EQ(rename(station.Path("Data").c_str(), station.Path("data").c_str()), 0);
  ASSERT_EQ(rename(station.Path("file_in_out/in").c_str(), station.Path("file_in_out/IN").c_str()),
            0);
  struct Case {
    const char* asked;
    std::string expected;
  } cases[] = {
      {"Data", "data"},
      {"DATA", "data"},
      {"log", "log"},
      {"LOG", "log"},
      {"Help", "help"},
      {"file_in_out/in", "file_in_out/IN"},
      {"FILE_IN_OUT/Out", "file_in_out/out"},
      {"missing", "missing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asked);
    EXPECT_EQ(ProgramSubfolder(c.asked), station.Path(c.expected));
  }
  EXPECT_EQ(DataFilePath("webcam_point.dat"), station.Path("data/webcam_point.dat"));
}

TEST(ProgramSubfolder, PrefersTheExactSpelling) {
  TempStation station;
  ASSERT_EQ(rename(station.Path("Data").c_str(), station.Path("data").c_str()), 0);
  ASSERT_EQ(mkdir(station.Path("Data").c_str(), 0755), 0);
  EXPECT_EQ(DataFilePath("x.dat"), station.Path("Data/x.dat"));
  EXPECT_EQ(ProgramSubfolder("data"), station.Path("data"));
}

TEST(ProgramSubfolder, IgnoresAFileOfTheSameName) {
  TempStation station;
  ASSERT_EQ(rename(station.Path("help").c_str(), station.Path("HELP").c_str()), 0);
  WriteFileBytes(station.Path("help"), "not a folder");
  EXPECT_EQ(ProgramSubfolder("help"), station.Path("HELP"));
}

}  // namespace
