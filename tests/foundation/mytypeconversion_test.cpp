#include "foundation/mytypeconversion.h"

#include <gtest/gtest.h>

#include "foundation/mymessagebox.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

const std::string kMtc001 =
    "MTC001: errore nella conversione numerica. Controllare i valori immessi.";
const std::string kMtc003 =
    "MTC003: errore nella conversione numerica. Controllare i valori immessi.";
const std::string kMtc004 = "MTC004: errore nella conversione numerica: stringa vuota.";
const std::string kMtc006 = "MTC006: errore nella conversione numerica: stringa vuota.";

struct Expected {
  double value;
  bool failed;
  std::string box;  // shown when asked
  std::string log;  // without the time stamps (lines end in CR LF)
};

TEST(TextToFloat, ConvertsTypedNumbers) {
  struct Case {
    std::string text;
    bool removeSpaces;
    Expected expected;
  } cases[] = {
      {"0.1", false, {0.100000001490116119384765625, false, "", ""}},
      {"0,1", false, {0.100000001490116119384765625, false, "", ""}},
      {"2.5", false, {2.5, false, "", ""}},
      {"2,5", false, {2.5, false, "", ""}},
      {"-3,25", false, {-3.25, false, "", ""}},
      {"+4", false, {4, false, "", ""}},
      {",5", false, {0.5, false, "", ""}},
      {"1e3", false, {1000, false, "", ""}},
      {" 1 , 5 ", true, {1.5, false, "", ""}},
      {"1.000,5",
       false,
       {0, true, kMtc001,
        kMtc001 + " - stringa: '1,000,5' - '1,000,5' is not a valid floating point value\r\n"}},
      {"", false, {0, true, kMtc004, ""}},
      {"   ", true, {0, true, kMtc004, ""}},
      {"abc",
       false,
       {0, true, kMtc001,
        kMtc001 + " - stringa: 'abc' - 'abc' is not a valid floating point value\r\n"}},
      {"1,5 ",
       false,
       {0, true, kMtc001,
        kMtc001 + " - stringa: '1,5 ' - '1,5 ' is not a valid floating point value\r\n"}},
      {"inf",
       false,
       {0, true, kMtc001,
        kMtc001 + " - stringa: 'inf' - 'inf' is not a valid floating point value\r\n"}},
      {"1e39",
       false,
       {0, true, kMtc001,
        kMtc001 + " - stringa: '1e39' - '1e39' is out of the floating point range\r\n"}},
  };
  for (const Case& c : cases) {
    for (bool show : {false, true}) {
      SCOPED_TRACE("'" + c.text + (show ? "' shown" : "' not shown"));
      TempStation station;
      MessageBoxRecorder boxes;
      conversionFailed = !c.expected.failed;
      float value = TextToFloat(c.text, show, c.removeSpaces);
      EXPECT_EQ(static_cast<double>(value), c.expected.value);
      EXPECT_EQ(conversionFailed, c.expected.failed);
      EXPECT_EQ(station.ErrorLogText(), c.expected.log);
      if (show && !c.expected.box.empty()) {
        ASSERT_EQ(boxes.Count(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, c.expected.box);
        EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
        EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
      } else {
        EXPECT_EQ(boxes.Count(), 0u);
      }
    }
  }
}

TEST(TextToInt, ConvertsTypedIntegers) {
  struct Case {
    std::string text;
    bool removeSpaces;
    Expected expected;
  } cases[] = {
      {"12", false, {12, false, "", ""}},
      {" 12 ", true, {12, false, "", ""}},
      {"-7", false, {-7, false, "", ""}},
      {"+7", false, {7, false, "", ""}},
      {"007", false, {7, false, "", ""}},
      {"2147483647", false, {2147483647, false, "", ""}},
      {"-2147483648", false, {-2147483648.0, false, "", ""}},
      {"", false, {0, true, kMtc006, ""}},
      {" ", true, {0, true, kMtc006, ""}},
      {"12a",
       false,
       {0, true, kMtc003, kMtc003 + " - stringa: '12a' - '12a' is not a valid integer value\r\n"}},
      {" 12 ",
       false,
       {0, true, kMtc003,
        kMtc003 + " - stringa: ' 12 ' - ' 12 ' is not a valid integer value\r\n"}},
      {"1.5",
       false,
       {0, true, kMtc003, kMtc003 + " - stringa: '1.5' - '1.5' is not a valid integer value\r\n"}},
      {"-",
       false,
       {0, true, kMtc003, kMtc003 + " - stringa: '-' - '-' is not a valid integer value\r\n"}},
      {"2147483648",
       false,
       {0, true, kMtc003,
        kMtc003 +
            " - stringa: '2147483648' - '2147483648' is out of the 32-bit integer range\r\n"}},
      {"-2147483649",
       false,
       {0, true, kMtc003,
        kMtc003 +
            " - stringa: '-2147483649' - '-2147483649' is out of the 32-bit integer range\r\n"}},
      {"99999999999999999999999",
       false,
       {0, true, kMtc003,
        kMtc003 + " - stringa: '99999999999999999999999' - '99999999999999999999999' is out of "
                  "the 32-bit integer range\r\n"}},
  };
  for (const Case& c : cases) {
    for (bool show : {false, true}) {
      SCOPED_TRACE("'" + c.text + (show ? "' shown" : "' not shown"));
      TempStation station;
      MessageBoxRecorder boxes;
      conversionFailed = !c.expected.failed;
      int32_t value = TextToInt(c.text, show, c.removeSpaces);
      EXPECT_EQ(static_cast<double>(value), c.expected.value);
      EXPECT_EQ(conversionFailed, c.expected.failed);
      EXPECT_EQ(station.ErrorLogText(), c.expected.log);
      if (show && !c.expected.box.empty()) {
        ASSERT_EQ(boxes.Count(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, c.expected.box);
        EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
        EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
      } else {
        EXPECT_EQ(boxes.Count(), 0u);
      }
    }
  }
}

TEST(TextToInt, SpaceRemovalTakesTheWholeText) {
  // No digit is lost past the 499th byte.
  std::string text = std::string(497, ' ') + "42" + std::string(100, ' ') + "7";
  EXPECT_EQ(TextToInt(text, false, true), 427);
  EXPECT_FALSE(conversionFailed);
}

}  // namespace
