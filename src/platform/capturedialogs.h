#pragma once

class QWidget;

// The recording settings dialog: codec (MJPEG, the one the recorder writes) and quality 1 ... 100.
// True and the new quality when confirmed.
bool ShowRecordingDialog(QWidget* parent, int& quality);
