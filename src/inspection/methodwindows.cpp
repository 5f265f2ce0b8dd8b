#include "inspection/methodwindows.h"

#include "inspection/webcamgetdim.h"
#include "inspection/webcamgetimage.h"
#include "inspection/webcamgetlineaoriz.h"
#include "inspection/webcamgetlineavert.h"
#include "inspection/webcamgetpoint.h"
#include "inspection/webcamgetzona.h"
#include "inspection/webcamtestdim.h"
#include "inspection/webcamtestimage.h"
#include "inspection/webcamtestlineaoriz.h"
#include "inspection/webcamtestlineavert.h"
#include "inspection/webcamtestpoint.h"
#include "inspection/webcamtestzona.h"
#include "methods/methodtable.h"

const std::vector<MethodWindows>& MethodWindowTable() {
  static const std::vector<MethodWindows> table = {
      MethodWindowsRow<PointMethod, TWebCamForm_GetPoint, WebCamForm_GetPoint, TWebCam_TestPoint,
                       WebCam_TestPoint>(),
      MethodWindowsRow<ZoneMethod, TWebCamForm_GetZona, WebCamForm_GetZona, TWebCam_TestZona,
                       WebCam_TestZona>(),
      MethodWindowsRow<VerticalLineMethod, TWebCamForm_GetLineaVert, WebCamForm_GetLineaVert,
                       TWebCam_TestLineaVert, WebCam_TestLineaVert>(),
      MethodWindowsRow<HorizontalLineMethod, TWebCamForm_GetLineaOriz, WebCamForm_GetLineaOriz,
                       TWebCam_TestLineaOriz, WebCam_TestLineaOriz>(),
      MethodWindowsRow<ImageMethod, TWebCamForm_GetImage, WebCamForm_GetImage, TWebCam_TestImage,
                       WebCam_TestImage>(),
      MethodWindowsRow<DimMethod, TWebCamForm_GetDim, WebCamForm_GetDim, TWebCam_TestDim,
                       WebCam_TestDim>(),
  };
  return table;
}

const MethodWindows* FindMethodWindows(int32_t number) {
  for (const MethodWindows& row : MethodWindowTable())
    if (row.number == number) return &row;
  return nullptr;
}
