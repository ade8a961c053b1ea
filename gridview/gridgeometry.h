#pragma once

#include <QRect>
#include <QSize>

// The fixed geometry of the train grid, in logical pixels (the scrolled coordinate space).
// Column 0 holds the row numbers, row 0 the header; every row is 20 pixels high.
namespace GridGeometry {

inline constexpr int kColumnCount = 11;
inline constexpr int kRowHeight = 20;
inline constexpr int kTotalWidth = 775;

// Width of column c (0..10); 0 for any other column.
int Width(int column);
// Left edge of column c: the sum of the widths of the columns before it.
int X(int column);
// Top edge of row r.
constexpr int RowTop(int row) { return kRowHeight * row; }
// Logical rectangle of cell (c, r).
QRect CellRect(int column, int row);

struct Cell
{
    int column = -1;
    int row = -1;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// The cell under a logical point. The row is y / 20 truncated toward zero (-1 when negative);
// the column is the one with X(c) < x < X(c) + width(c), strictly, or -1: a point on a column's
// left edge lies in no column.
Cell CellFromPoint(int x, int y);

// With m = 1 when strict and 0 when lenient: m <= c <= 10 and m <= r < rowCount.
bool IsValidCell(int column, int row, int rowCount, bool strict);

// The rows to paint for a logical clip band [top, bottom), clamped to 0..rowCount-1.
// last < first when there is nothing to paint.
struct RowRange
{
    int first = 0;
    int last = -1;
};
RowRange RowsInBand(int top, int bottom, int rowCount);

// A cell's rectangle in client coordinates for the given scroll position. A column below 1 is
// taken as the row-number column.
QRect ClientCellRect(int column, int row, int scrollX, int scrollY);

// True when the whole client rectangle lies inside a client area of the given size.
bool IsRectVisible(const QRect& clientRect, const QSize& clientSize);

// The arrow keys move the selection one cell; they never wrap.
enum class Arrow { Left, Up, Right, Down };
struct ArrowMove
{
    Cell target;
    int scrollDx = 0; // the one scroll step taken first when the target is not fully visible
    int scrollDy = 0;
};
ArrowMove ArrowTarget(Arrow arrow, int column, int row);

} // namespace GridGeometry
