#include "platform/capturedriver.h"

#include <cstdlib>

#include "platform/capturebase.h"
#include "platform/simcamera.h"
#include "platform/v4l2camera.h"

namespace {

// LUMIVEX_CAMERA=none: the window exists, no camera ever connects.
class NoCamera : public CaptureDriverBase {
 public:
  bool GetDriverCaps(CaptureCaps&) override { return false; }
  bool DlgVideoFormat() override { return false; }
  bool DlgVideoSource() override { return false; }
  bool DlgVideoDisplay() override { return false; }

 protected:
  bool OpenCamera(int) override { return false; }
  void CloseCamera() override {}
  bool CameraFormat(CaptureVideoFormat&) override { return false; }
  bool TakeNewestFrame(FrameBuffer&) override { return false; }
};

CaptureDriverFactory& InstalledFactory() {
  static CaptureDriverFactory factory;
  return factory;
}

}  // namespace

std::unique_ptr<CaptureDriver> CreateCaptureDriver() {
  if (InstalledFactory()) return InstalledFactory()();
  const char* setting = std::getenv("LUMIVEX_CAMERA");
  const std::string camera = setting ? setting : "";
  if (camera == "none") return std::make_unique<NoCamera>();
  if (camera.rfind("sim:", 0) == 0) return std::make_unique<SimCamera>(camera.substr(4), false);
  if (camera.rfind("sim-yuy2:", 0) == 0) return std::make_unique<SimCamera>(camera.substr(9), true);
  return std::make_unique<V4l2Camera>(camera);
}

void SetCaptureDriverFactory(CaptureDriverFactory factory) {
  InstalledFactory() = std::move(factory);
}
