#pragma once

#include <QPoint>
#include <array>
#include <cstdint>

#include "methods/methodparams.h"
#include "methods/webcam_sistemavisione_line.h"

class QPainter;

// The markers of the line windows: closed outlines of four corners, drawn in this order and back
// to the first, y counted from the top of the picture. A corner far outside any picture is pulled
// in to kFarOutside, which leaves the visible part of the axis-aligned outline as it is and keeps
// the drawing in the painter's range whatever the record holds.
using LineOutline = std::array<QPoint, 4>;
constexpr int kFarOutside = 1 << 16;

// The teach window's band on the reference picture (frame size W x H): 20 pixels high across the
// picture at the taught row, from x = 5 to W - 5 (horizontal); 20 pixels wide down the picture at
// the taught column, from y = 5 to H - 5 (vertical).
LineOutline ReferenceBand(LineAxis axis, int32_t pointX, int32_t pointY, int32_t frameWidth,
                          int32_t frameHeight);

// The test window's outline around the found line on the live picture: the line's position scaled
// to the window, lineLength / 2 either side along the line (frame pixels, not scaled) and 10 either
// side across it. across is the row (horizontal) or column (vertical), centre the centreX or
// centreY of the search.
LineOutline ResultOutline(LineAxis axis, const ViewScale& scale, int32_t across, int32_t centre,
                          int32_t lineLength);

// The outline with the painter's pen.
void DrawOutline(QPainter& painter, const LineOutline& outline);
