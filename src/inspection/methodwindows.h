#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "inspection/testwindowref.h"
#include "platform/modalwindow.h"

// A method's windows, as the main window, the auto-start, start-up and the dispatcher reach them.
struct MethodWindows {
  int32_t number = 0;  // the method's number: auto-start value, main-window button, dispatch order
  int outputs = 0;     // how many numbers its pass reply carries after the "1"
  // Creates the teach window anew, shows it modally, deletes it and clears its global reference.
  // autoOpening: the auto-start opened it, so it goes on to its test by itself.
  void (*openTeach)(QWidget* owner, bool autoOpening) = nullptr;
  // The hidden start-up instances, stored in their global references.
  HiddenWindow (*createHiddenTeach)() = nullptr;
  HiddenWindow (*createHiddenTest)() = nullptr;
  // The test window's global reference: the hidden instance, the open window, or none.
  TestWindowRef* (*testWindow)() = nullptr;
};

// The methods that have windows, one row each, in method-number order (the dispatch order).
const std::vector<MethodWindows>& MethodWindowTable();
// The row of a method number; null for a number without windows.
const MethodWindows* FindMethodWindows(int32_t number);

// A row from the method's row of the method table and its two window classes with their global
// references.
template <class Row, class Teach, Teach*& TeachGlobal, class Test, Test*& TestGlobal>
MethodWindows MethodWindowsRow() {
  return {Row::kNumber,
          Row::kOutputs,
          [](QWidget* owner, bool autoOpening) { RunModal(TeachGlobal, owner, autoOpening); },
          [] { return HiddenWindow::Create(TeachGlobal, nullptr); },
          [] { return HiddenWindow::Create(TestGlobal, nullptr); },
          []() -> TestWindowRef* { return TestGlobal; }};
}
