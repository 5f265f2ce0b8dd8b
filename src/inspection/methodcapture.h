#pragma once

class QWidget;

// The capture a teach or test window runs on its WC_Panel: at (0, 0), the panel's size, a frame
// every 50 ms, the preview stretched to the panel.
constexpr unsigned kMethodPreviewPeriod = 50;

// One capture at a time: when currentWebCam is set, shows "WebCam already used" (caption "ERROR",
// OK only) and answers true.
bool WebCamAlreadyUsed();

// Creates currentWebCam on the panel (which reads the six parameter files). When it cannot
// connect: the connection message, the capture is destroyed, currentWebCam stays clear, false.
bool StartPanelCapture(QWidget* panel);

// Destroys currentWebCam (which writes the six parameter files) and clears it.
void StopCapture();
