#pragma once

#include <QByteArray>
#include <QString>

class CQLMDoc;

// What each cell of the train grid shows.
namespace CellText {

// The header text of column c (0..10); column 0 has none.
QString Header(int column);

// The bytes shown in data cell (c, r), 1 <= r <= trains: Shift-JIS for the texts, ASCII digits
// for the numbers. A type or destination index outside its list shows an empty cell.
QByteArray Data(const CQLMDoc& doc, int row, int column);

// The row number cell, "%d".
QByteArray RowNumber(int row);

// "%00.2d:%00.2d": at least two digits each; hours are not reduced modulo 24.
QByteArray Time(int minutes);

} // namespace CellText
