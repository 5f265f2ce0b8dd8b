#include "foundation/settingfile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_station.h"

namespace {

TEST(SettingFile, WordsAndTextsAreLittleEndianWithLengthAndZeroByte) {
  std::string bytes;
  AppendWord(bytes, 0x01020304);
  AppendWord(bytes, -2);
  AppendText(bytes, "ab");
  EXPECT_EQ(bytes, std::string("\x04\x03\x02\x01\xFE\xFF\xFF\xFF\x02\x00\x00\x00"
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
      {"zero byte missing", Words({3}) + "abc", false, "", 3},
  };
  TempStation station;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::string path = station.Path("Data/text.dat");
    WriteFileBytes(path, test.bytes);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string text;
    int32_t length = 0;
    EXPECT_EQ(ReadStoredText(file, text, length), test.ok);
    EXPECT_EQ(length, test.length);
    if (test.ok) {
      EXPECT_EQ(text, test.text);
      // The next field follows the zero byte.
      int32_t after = 7;
      ReadWord(file, after);
      EXPECT_EQ(after, 7);
    }
    std::fclose(file);
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
