#pragma once

#include <QRect>
#include <span>
#include <string>

class QWidget;

// A control of a window, found by its object name.
struct ControlCase {
  QWidget* window;
  std::string name;
  QRect geometry;    // an empty size: only the place is fixed
  const char* text;  // a label's, button's or line edit's text; nullptr: not checked
};

// Each control exists with its place, size and text.
void ExpectControls(std::span<const ControlCase> cases);
