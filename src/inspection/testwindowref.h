#pragma once

#include <cstdint>

// What the dispatcher needs of a test window: its TestActive flag and its RunTest. Every test
// window derives from this; a window that does not exist is a null reference.
class TestWindowRef {
 public:
  virtual ~TestWindowRef() = default;
  virtual bool IsTestActive() const = 0;
  // Runs the method's check on the frame bitmap as last converted; true = pass. Fills as many of
  // the four outputs as the method has (point and lines 2, dimension 4, zone and image none).
  virtual bool RunTestOutputs(int32_t outputs[4]) = 0;
};
