#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "foundation/mymessagebox.h"
#include "methods/methodtable.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

// Bytes as given, for building expected files.
inline std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

// The rows of the 2 x 2 reference that PaintTwoByTwo paints, bottom first, each after its length.
inline std::string TwoByTwoRows() {
  return Words({6}) + Bytes({0x11, 0x12, 0x13, 0x21, 0x22, 0x23}) + Words({6}) +
         Bytes({0x31, 0x32, 0x33, 0x41, 0x42, 0x43});
}

// A method's record and parameter file in a throw-away station, with the frame size the record is
// read and written with.
template <class Row>
class MethodFileTest : public ::testing::Test {
 protected:
  // A record as InitParams leaves it for a capture of the given size, before the file is read.
  void Fresh(int32_t width, int32_t height) {
    record = typename Row::Record{};
    InitRecord(record, Row::kFileName, Row::kDefaultTolerance, width, height);
    frameWidth = width;
    frameHeight = height;
  }

  ParamFileLoad Load() { return LoadParams<Row>(record, frameWidth, frameHeight); }
  bool Save() { return SaveParams<Row>(record, frameWidth, frameHeight); }

  // Four pixels of distinct colours in a 2 x 2 reference; TwoByTwoRows() is how a file holds them.
  void PaintTwoByTwo() {
    record.reference->SetPixel(0, 0, 0x11, 0x12, 0x13);  // bottom left
    record.reference->SetPixel(1, 0, 0x21, 0x22, 0x23);
    record.reference->SetPixel(0, 1, 0x31, 0x32, 0x33);
    record.reference->SetPixel(1, 1, 0x41, 0x42, 0x43);
  }

  // Exactly one box: the error's text, caption ERRORE, the error icon.
  void ExpectErrorBox(const std::string& text) const {
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, text);
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
    EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
  }

  TempStation station;
  MessageBoxRecorder boxes;
  typename Row::Record record;
  int32_t frameWidth = 0;
  int32_t frameHeight = 0;
};
