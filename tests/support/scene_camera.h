#pragma once

#include <string>

#include "support/temp_station.h"

class MyBitmap;

// The simulated camera filming a picture file in a TempStation: LUMIVEX_CAMERA names that file
// while this object lives.
class SceneCamera {
 public:
  explicit SceneCamera(const TempStation& station);
  ~SceneCamera();  // unsets LUMIVEX_CAMERA
  SceneCamera(const SceneCamera&) = delete;
  SceneCamera& operator=(const SceneCamera&) = delete;

  // The picture becomes the next scene: saved beside the camera's file and renamed over it.
  void Show(const MyBitmap& scene);
  const std::string& Path() const { return path; }

 private:
  std::string path;
  std::string nextPath;
};
