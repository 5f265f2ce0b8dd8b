#pragma once

#include <cstdint>
#include <string>

// The method whose teach window opens by itself at start (and then starts its test), kept in
// Data/AvvioProg.dat.
class AvvioProg {
 public:
  AvvioProg();
  void Load();
  bool Save();

  std::string path;
  int32_t startWindow = 0;   // 0 none, 1 point, 2 zone, 3 vertical, 4 horizontal, 5 image, 6 dim
  bool autoOpening = false;  // true while the auto-start tick has a teach window open
};

extern AvvioProg* autoStart;

// The words the event log uses for a startWindow value.
std::string StartWindowDescription(int32_t startWindow);
