#include "shell/stationwindows.h"

#include <QWidget>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/rs232form.h"
#include "exchange/sceltainout.h"
#include "exchange/tcpipinoutform.h"
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
#include "shell/about.h"
#include "shell/avvioautoform.h"
#include "shell/mainform.h"
#include "shell/opzioni.h"
#include "shell/utilita.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

std::vector<QWidget*> Globals() {
  return {MainForm,
          WebCam_TestPoint,
          WebCamForm_GetPoint,
          AboutForm,
          OptionsForm,
          AvvioAutoForm,
          UtlForm,
          SceltaInOutForm,
          RS232_Form,
          TCPIP_InOutForm,
          WebCamForm_GetLineaOriz,
          WebCamForm_GetLineaVert,
          WebCam_TestLineaOriz,
          WebCam_TestLineaVert,
          WebCam_TestDim,
          WebCamForm_GetDim,
          WebCamForm_GetImage,
          WebCam_TestImage,
          WebCamForm_GetZona,
          WebCam_TestZona};
}

TEST(StationWindows, OneHiddenInstanceOfEachWindowFreedWithItsOwner) {
  TempStation station;
  MessageBoxRecorder boxes;
  {
    StationWindows windows;
    for (QWidget* window : Globals()) {
      ASSERT_NE(window, nullptr);
      EXPECT_TRUE(window->isHidden()) << window->objectName().toStdString();
    }
  }
  for (QWidget* window : Globals()) EXPECT_EQ(window, nullptr);
}

}  // namespace
