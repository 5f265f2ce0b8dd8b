#include "inspection/methodwindows.h"

#include "inspection/webcamgetimage.h"
#include "inspection/webcamgetpoint.h"
#include "inspection/webcamgetzona.h"
#include "inspection/webcamtestimage.h"
#include "inspection/webcamtestpoint.h"
#include "inspection/webcamtestzona.h"
#include "methods/methodtable.h"

const std::vector<MethodWindows>& MethodWindowTable() {
  static const std::vector<MethodWindows> table = {
      MethodWindowsRow<PointMethod, TWebCamForm_GetPoint, WebCamForm_GetPoint, TWebCam_TestPoint,
                       WebCam_TestPoint>(),
      MethodWindowsRow<ZoneMethod, TWebCamForm_GetZona, WebCamForm_GetZona, TWebCam_TestZona,
                       WebCam_TestZona>(),
      MethodWindowsRow<ImageMethod, TWebCamForm_GetImage, WebCamForm_GetImage, TWebCam_TestImage,
                       WebCam_TestImage>(),
  };
  return table;
}

const MethodWindows* FindMethodWindows(int32_t number) {
  for (const MethodWindows& row : MethodWindowTable())
    if (row.number == number) return &row;
  return nullptr;
}
