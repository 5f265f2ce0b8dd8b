#include "foundation/settingfile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_station.h"

namespace {

TEST(SettingFile, WordsAndTextsAreLittleEndianWithLengthAndZeroByte) {
  SettingFileWriter writer;
  writer.Word(0x01020304);
  writer.Word(-2);
  writer.Text("ab");
  EXPECT_EQ(writer.Contents(), std::string("\x04\x03\x02\x01\xFE\xFF\xFF\xFF\x02\x00\x00\x00"
                                           "ab\x00",
                                           15));
}

TEST(SettingFile, StoredTexts) {
  struct Case {
    const char* name;
    std::string bytes;
    bool ok;
    std::string text;
    int32_t length;
  };
  const std::string longText(400, 'x');
  const Case cases[] = {
      {"plain", Words({3}) + std::string("abc\0", 4) + Words({7}), true, "abc", 3},
      {"empty", Words({0}) + std::string(1, '\0'), true, "", 0},
      {"stops at a zero byte", Words({3}) + std::string("a\0c\0", 4), true, "a", 3},
      {"over-long kept to 299", Words({400}) + longText + std::string(1, '\0') + Words({7}), true,
       std::string(299, 'x'), 400},
      {"negative length", Words({-1}) + "abc", false, "", -1},
      {"length past the end", Words({0x7FFFFFFF}) + "abc", false, "", 0x7FFFFFFF},
      // Enough bytes for the kept 299, but not for the whole text: only the file's length tells.
      {"length past the end of a long file", Words({1000}) + std::string(600, 'x'), false, "",
       1000},
      {"zero byte missing", Words({3}) + "abc", false, "", 3},
  };
  TempStation station;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::string path = station.Path("Data/text.dat");
    WriteFileBytes(path, test.bytes);
    SettingFileReader file(path);
    std::string text;
    int32_t length = 0;
    EXPECT_EQ(file.Text(text, length), test.ok);
    EXPECT_EQ(length, test.length);
    int32_t after = 7;
    if (test.ok) {
      EXPECT_EQ(text, test.text);
      // The next field follows the zero byte.
      file.Word(after);
      EXPECT_EQ(after, 7);
    } else {
      // A damaged text fails the file: nothing more is read.
      EXPECT_TRUE(file.Failed());
      EXPECT_FALSE(file.Word(after));
    }
  }
}

TEST(SettingFile, WordsCutShortByTheEnd) {
  enum class Place { kFile, kFolder, kNothing };
  struct Case {
    const char* name;
    Place place;
    std::string bytes;
    PartialWord partial;
    bool whole;      // Word answers true
    int32_t result;  // the word after the read, 0x11223344 before it
    bool ended;
    bool failed;
  };
  const Case cases[] = {
      {"whole word", Place::kFile, Words({5}), PartialWord::kIgnore, true, 5, false, false},
      {"whole word, bytes kept", Place::kFile, Words({5}), PartialWord::kKeepBytes, true, 5, false,
       false},
      {"two bytes ignored", Place::kFile, "\x02\x05", PartialWord::kIgnore, false, 0x11223344, true,
       false},
      {"two bytes kept", Place::kFile, "\x02\x05", PartialWord::kKeepBytes, false, 0x11220502, true,
       false},
      {"three bytes kept", Place::kFile, "\xAA\xBB\xCC", PartialWord::kKeepBytes, false, 0x11CCBBAA,
       true, false},
      {"empty file, bytes kept", Place::kFile, "", PartialWord::kKeepBytes, false, 0x11223344, true,
       false},
      {"unreadable, bytes kept", Place::kFolder, "", PartialWord::kKeepBytes, false, 0x11223344,
       false, true},
      {"missing", Place::kNothing, "", PartialWord::kIgnore, false, 0x11223344, false, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    TempStation station;
    std::string path = station.Path("Data/word.dat");
    if (test.place == Place::kFile) WriteFileBytes(path, test.bytes);
    if (test.place == Place::kFolder) {
      ASSERT_TRUE(std::filesystem::create_directory(path));
    }
    SettingFileReader file(path, test.partial);
    int32_t value = 0x11223344;
    EXPECT_EQ(file.Word(value), test.whole);
    EXPECT_EQ(value, test.result);
    EXPECT_EQ(file.Ended(), test.ended);
    EXPECT_EQ(file.Failed(), test.failed);
    // Past the end or after a failure, a further word is left as it is.
    int32_t next = 9;
    EXPECT_FALSE(file.Word(next));
    EXPECT_EQ(next, 9);
  }
}

TEST(SettingFile, ReplaceFileWholeLeavesNoTemporary) {
  TempStation station;
  std::string path = station.Path("Data/x.dat");
  WriteFileBytes(path, "old contents, longer than the new");
  ASSERT_TRUE(ReplaceFileWhole(path, "new"));
  EXPECT_EQ(ReadFileBytes(path), "new");
  EXPECT_EQ(ReadFileBytes(path + ".tmp"), "");
}

TEST(SettingFile, FailedReplaceKeepsTheOldFile) {
  TempStation station;
  std::string path = station.Path("Data/x.dat");
  WriteFileBytes(path, "old");
  EXPECT_FALSE(ReplaceFileWhole(station.Path("Data/missing/x.dat"), "new"));
  ASSERT_TRUE(std::filesystem::create_directory(path + ".tmp"));  // the temporary is blocked
  EXPECT_FALSE(ReplaceFileWhole(path, "new"));
  EXPECT_EQ(ReadFileBytes(path), "old");
}

}  // namespace
