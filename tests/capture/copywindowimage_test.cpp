#include "capture/copywindowimage.h"

#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(CopyWindowImageTest, CopyWindowImageIsWindowSized) {
  QWidget window;
  window.setFixedSize(37, 21);
  window.setStyleSheet("background: rgb(10, 20, 30)");
  window.show();
  QPixmap copy;
  CopyWindowImage(&window, copy);
  EXPECT_EQ(copy.width(), 37);
  EXPECT_EQ(copy.height(), 21);
}

}  // namespace
