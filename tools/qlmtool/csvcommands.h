#pragma once

#include <QString>

// The commands that move a timetable's trains to and from a CSV file.
namespace QlmTool {

// Writes the trains of board as CSV (UTF-8 with a byte-order mark, the grid's columns).
int ExportTrains(const QString& board, const QString& csv);
// Writes out: board with its trains replaced by those of csv. On any problem in the CSV every
// problem is printed and nothing is written.
int ImportTrains(const QString& board, const QString& csv, const QString& out);

} // namespace QlmTool
