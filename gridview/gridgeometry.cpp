#include "gridgeometry.h"

#include <array>

namespace GridGeometry {

namespace {
constexpr std::array<int, kColumnCount> kWidths = {50, 60, 65, 80, 80, 40, 60, 50, 150, 50, 90};
}

int Width(int column)
{
    return column >= 0 && column < kColumnCount ? kWidths[static_cast<size_t>(column)] : 0;
}

int X(int column)
{
    int x = 0;
    for (int c = 0; c < column && c < kColumnCount; ++c)
        x += kWidths[static_cast<size_t>(c)];
    return x;
}

QRect CellRect(int column, int row)
{
    return QRect(X(column), RowTop(row), Width(column), kRowHeight);
}

Cell CellFromPoint(int x, int y)
{
    Cell cell;
    cell.row = y / kRowHeight; // truncates toward zero: -19..-1 still give row 0
    if (cell.row < 0)
        cell.row = -1;
    int left = 0;
    for (int c = 0; c < kColumnCount; ++c) {
        const int right = left + kWidths[static_cast<size_t>(c)];
        if (left < x && x < right) {
            cell.column = c;
            break;
        }
        left = right;
    }
    return cell;
}

bool IsValidCell(int column, int row, int rowCount, bool strict)
{
    const int m = strict ? 1 : 0;
    return m <= column && column <= kColumnCount - 1 && m <= row && row < rowCount;
}

RowRange RowsInBand(int top, int bottom, int rowCount)
{
    RowRange range;
    range.first = top / kRowHeight;
    if (range.first < 0)
        range.first = 0;
    range.last = (bottom + kRowHeight - 1) / kRowHeight - 1;
    if (range.last < 0)
        range.last = 0;
    if (range.last >= rowCount)
        range.last = rowCount - 1;
    return range;
}

QRect ClientCellRect(int column, int row, int scrollX, int scrollY)
{
    if (column < 1)
        column = 0;
    return QRect(X(column) - scrollX, RowTop(row) - scrollY, Width(column), kRowHeight);
}

bool IsRectVisible(const QRect& r, const QSize& client)
{
    // QRect::right() is inclusive; the exclusive right edge is x + width.
    return r.top() >= 0 && r.top() <= client.height() - kRowHeight && r.left() >= 0
           && r.x() + r.width() <= client.width();
}

ArrowMove ArrowTarget(Arrow arrow, int column, int row)
{
    ArrowMove move;
    move.target = {column, row};
    switch (arrow) {
    case Arrow::Left:
        move.target.column = column - 1;
        move.scrollDx = -Width(move.target.column);
        break;
    case Arrow::Right:
        move.target.column = column + 1;
        move.scrollDx = Width(move.target.column);
        break;
    case Arrow::Up:
        move.target.row = row - 1;
        move.scrollDy = -kRowHeight;
        break;
    case Arrow::Down:
        move.target.row = row + 1;
        move.scrollDy = kRowHeight;
        break;
    }
    return move;
}

} // namespace GridGeometry
