#include "exchange/dispatch.h"

#include <cstdint>

#include "inspection/methodwindows.h"

namespace {

// "1" and the method's outputs.
std::string PassReply(int outputCount, const int32_t outputs[4]) {
  std::string reply = "1";
  for (int i = 0; i < outputCount && i < 4; ++i) reply += "," + std::to_string(outputs[i]);
  return reply;
}

}  // namespace

std::string DispatchInspectionOn(const std::vector<DispatchSlot>& windows) {
  bool result = false;
  int32_t outputs[4] = {0, 0, 0, 0};
  const DispatchSlot* last = nullptr;
  for (const DispatchSlot& slot : windows) {
    if (slot.window == nullptr || !slot.window->IsTestActive()) continue;
    result = slot.window->RunTestOutputs(outputs);
    last = &slot;
  }
  // The last window that ran decides the form of the reply, as it decided the result.
  if (!result || last == nullptr) return "0";
  return PassReply(last->outputs, outputs);
}

std::string DispatchInspection() {
  std::vector<DispatchSlot> windows;
  for (const MethodWindows& row : MethodWindowTable())
    windows.push_back({row.testWindow(), row.outputs});
  return DispatchInspectionOn(windows);
}
