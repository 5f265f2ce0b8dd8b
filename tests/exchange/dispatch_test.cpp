#include "exchange/dispatch.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A test window whose flag, verdict and outputs the test sets.
class FakeTestWindow : public TestWindowRef {
 public:
  FakeTestWindow(bool active, bool pass, std::vector<int32_t> outputs = {})
      : active(active), pass(pass), outputs(std::move(outputs)) {}

  bool IsTestActive() const override { return active; }
  bool RunTestOutputs(int32_t out[4]) override {
    ++runs;
    for (size_t i = 0; i < outputs.size() && i < 4; ++i) out[i] = outputs[i];
    return pass;
  }

  bool active;
  bool pass;
  std::vector<int32_t> outputs;
  int runs = 0;
};

enum Slot { kPoint, kZone, kLineVert, kLineOriz, kImage, kDim };
// How many outputs each method's pass reply carries, in dispatch order.
const int kOutputs[6] = {2, 0, 2, 2, 0, 4};

std::vector<DispatchSlot> EmptyWindows() {
  std::vector<DispatchSlot> windows;
  for (int outputs : kOutputs) windows.push_back({nullptr, outputs});
  return windows;
}

struct Placed {
  Slot slot;
  bool active;
  bool pass;
  std::vector<int32_t> outputs;
};

struct DispatchCase {
  const char* name;
  std::vector<Placed> windows;
  std::string reply;
};

const DispatchCase kCases[] = {
    {"no test window at all", {}, "0"},
    {"point passing", {{kPoint, true, true, {120, 45}}}, "1,120,45"},
    {"vertical line passing at -1", {{kLineVert, true, true, {-1, 5}}}, "1,-1,5"},
    {"horizontal line passing", {{kLineOriz, true, true, {7, 300}}}, "1,7,300"},
    {"zone passing sends no numbers", {{kZone, true, true, {9, 9, 9, 9}}}, "1"},
    {"whole image passing sends no numbers", {{kImage, true, true, {9, 9}}}, "1"},
    {"dimension passing", {{kDim, true, true, {10, 20, 30, 40}}}, "1,10,20,30,40"},
    {"dimension at the longest reply",
     {{kDim, true, true, {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}}},
     "1,-2147483648,-2147483648,-2147483648,-2147483648"},
    {"point failing sends 0 alone", {{kPoint, true, false, {120, 45}}}, "0"},
    {"dimension failing sends 0 alone", {{kDim, true, false, {10, 20, 30, 40}}}, "0"},
    {"inactive window is skipped", {{kPoint, false, true, {1, 2}}}, "0"},
    {"inactive point, active zone", {{kPoint, false, true, {1, 2}}, {kZone, true, true, {}}}, "1"},
    {"later active window decides the result",
     {{kPoint, true, true, {1, 2}}, {kDim, true, false, {}}},
     "0"},
    {"later active window decides the form",
     {{kPoint, true, false, {1, 2}}, {kZone, true, true, {}}},
     "1"},
};

TEST(DispatchInspectionTest, RepliesByActiveWindow) {
  for (const DispatchCase& c : kCases) {
    SCOPED_TRACE(c.name);
    std::vector<std::unique_ptr<FakeTestWindow>> owned;
    std::vector<DispatchSlot> windows = EmptyWindows();
    for (const Placed& placed : c.windows) {
      owned.push_back(std::make_unique<FakeTestWindow>(placed.active, placed.pass, placed.outputs));
      windows[placed.slot].window = owned.back().get();
    }
    EXPECT_EQ(DispatchInspectionOn(windows), c.reply);
    for (size_t i = 0; i < owned.size(); ++i)
      EXPECT_EQ(owned[i]->runs, c.windows[i].active ? 1 : 0) << "window " << i;
  }
}

TEST(DispatchInspectionTest, VisitsInFixedOrder) {
  // Every window active and passing: the dimension window, visited last, gives the reply.
  std::vector<std::unique_ptr<FakeTestWindow>> owned;
  std::vector<DispatchSlot> windows = EmptyWindows();
  for (int i = 0; i < 6; ++i) {
    owned.push_back(std::make_unique<FakeTestWindow>(true, true, std::vector<int32_t>{i, i}));
    windows[i].window = owned.back().get();
  }
  owned[kDim]->outputs = {1, 2, 3, 4};
  EXPECT_EQ(DispatchInspectionOn(windows), "1,1,2,3,4");
  owned[kDim]->active = false;
  EXPECT_EQ(DispatchInspectionOn(windows), "1");  // whole image is then the last active
  owned[kImage]->active = false;
  owned[kZone]->active = false;
  EXPECT_EQ(DispatchInspectionOn(windows), "1,3,3");  // horizontal line
}

TEST(DispatchInspectionTest, NoTestWindowOpenAnswersZero) {
  // In this program no test window has been created.
  EXPECT_EQ(DispatchInspection(), "0");
}

}  // namespace
