#pragma once

#include "dotmatrix.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

// Pictures of a board's dots: exact pixels for scripts, or round LEDs on a dark face, drawn
// pixel by pixel at the size wanted so that they stay sharp at any size.
namespace Board {

// The face between the LEDs.
inline constexpr DotColor kFaceColor = 0xFF101010u;

// scale 1: one pixel per dot in exactly the dot's colour. Larger scales: each dot a round LED
// in a cell of scale x scale pixels. A scale below 1 counts as 1.
QImage BoardPicture(const CDotMatrix& board, int scale);

// The largest LED picture that fits within bounds, keeping the board's shape; the dot pitch
// need not be a whole number of pixels. Null when bounds is smaller than the board.
QImage LedPicture(const CDotMatrix& board, QSize bounds);
// Draws the LEDs of the dots within `dots` again, into a picture made by LedPicture or
// BoardPicture (scale > 1) from a board of the same size.
void RedrawLeds(QImage& picture, const CDotMatrix& board, const QRect& dots);

// The dot under a pixel of such a picture, or (-1, -1) beside the board.
QPoint DotAt(QSize pictureSize, QSize boardSize, QPoint pixel);

} // namespace Board
