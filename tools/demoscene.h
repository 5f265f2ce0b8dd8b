#pragma once

#include <QImage>

// The demonstration's scene, 640 x 480: a conveyor with three parts on it; the yellow cap is what
// the demonstration looks for.
constexpr int kDemoSceneWidth = 640;
constexpr int kDemoSceneHeight = 480;
QImage DrawDemoScene();
