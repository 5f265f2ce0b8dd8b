#pragma once

class QPixmap;
class QWidget;

// What the window shows right now, at window size, top-down like the screen.
void CopyWindowImage(QWidget* window, QPixmap& bitmap);
