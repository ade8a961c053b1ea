#pragma once

#include <QPixmap>

// The 15 x 15 symbols drawn in the row-number cell of the copy source row.
namespace Markers {

inline constexpr int kSize = 15;

// Two overlapping sheets: the row was taken by Copy.
const QPixmap& CopyMarker();
// A pair of scissors: the row was taken by Cut.
const QPixmap& CutMarker();

} // namespace Markers
