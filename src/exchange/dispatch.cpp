#include "exchange/dispatch.h"

#include <cstdint>

#include "foundation/myutl.h"

namespace {

enum Window { kPoint, kZone, kLineVert, kLineOriz, kImage, kDim };

std::string PassReply(int window, const int32_t outputs[4]) {
  switch (window) {
    case kZone:
    case kImage:
      return "1";
    case kDim:
      return StrFormat("1,%d,%d,%d,%d", outputs[0], outputs[1], outputs[2], outputs[3]);
    default:
      return StrFormat("1,%d,%d", outputs[0], outputs[1]);
  }
}

}  // namespace

std::string DispatchInspectionOn(const std::array<TestWindowRef*, 6>& windows) {
  bool result = false;
  int32_t outputs[4] = {0, 0, 0, 0};
  bool ran[6] = {false, false, false, false, false, false};
  for (int i = 0; i < 6; ++i) {
    TestWindowRef* window = windows[i];
    if (window == nullptr || !window->IsTestActive()) continue;
    result = window->RunTestOutputs(outputs);
    ran[i] = true;
  }
  if (!result) return "0";
  // The last window that ran decides the form of the reply, as it decided the result.
  std::string reply = "0";
  for (int i = 0; i < 6; ++i)
    if (ran[i]) reply = PassReply(i, outputs);
  return reply;
}

std::string DispatchInspection() {
  return DispatchInspectionOn(TestWindowsInDispatchOrder());
}
