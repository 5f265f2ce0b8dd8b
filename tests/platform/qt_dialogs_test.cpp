#include "platform/qt_dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(QtFileFilter, ConvertsWindowsFilters) {
  struct Case {
    const char* filter;
    const char* expected;
  } cases[] = {
      {"*.bmp|*.bmp", "*.bmp"},
      {"*.avi|*.avi", "*.avi"},
      {"Bitmap|*.bmp", "Bitmap (*.bmp)"},
      {"Bitmap (*.bmp)|*.bmp|Tutti|*.*", "Bitmap (*.bmp);;Tutti (*.*)"},
      {"Immagini|*.bmp;*.jpg", "Immagini (*.bmp *.jpg)"},
      {"*.txt", "*.txt"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(QtFileFilter(c.filter), c.expected);
  }
}

TEST(WithDefaultSuffix, AppendsOnlyToNamesWithoutExtension) {
  struct Case {
    const char* name;
    const char* suffix;
    const char* expected;
  } cases[] = {
      {"/home/op/frame", "bmp", "/home/op/frame.bmp"},
      {"/home/op/frame", ".bmp", "/home/op/frame.bmp"},
      {"/home/op/frame.bmp", "bmp", "/home/op/frame.bmp"},
      {"/home/op/frame.png", "bmp", "/home/op/frame.png"},
      {"/home/op.d/frame", "avi", "/home/op.d/frame.avi"},
      {"", "bmp", ""},
      {"/home/op/frame", "", "/home/op/frame"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WithDefaultSuffix(c.name, c.suffix), c.expected);
  }
}

}  // namespace
