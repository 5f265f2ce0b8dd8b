#include "capture/copywindowimage.h"

#include <QPixmap>
#include <QWidget>

void CopyWindowImage(QWidget* window, QPixmap& bitmap) {
  if (window == nullptr) {
    bitmap = QPixmap();
    return;
  }
  bitmap = window->grab(QRect(0, 0, window->width(), window->height()));
}
