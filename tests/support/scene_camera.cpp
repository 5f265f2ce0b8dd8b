#include "scene_camera.h"

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "bitmap/mybitmap.h"

SceneCamera::SceneCamera(const TempStation& station)
    : path(station.Path("scene.bmp")), nextPath(station.Path("scene_next.bmp")) {
  setenv("LUMIVEX_CAMERA", ("sim:" + path).c_str(), 1);
}

SceneCamera::~SceneCamera() {
  unsetenv("LUMIVEX_CAMERA");
}

void SceneCamera::Show(const MyBitmap& scene) {
  ASSERT_TRUE(scene.SaveBmp(nextPath));
  ASSERT_EQ(std::rename(nextPath.c_str(), path.c_str()), 0);
}
