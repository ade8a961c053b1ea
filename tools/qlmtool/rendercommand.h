#pragma once

#include <QString>

#include <optional>

// qlmtool render: a picture of the departure board a timetable makes, drawn by the same board
// model as the editor's preview.
namespace QlmTool {

struct RenderOptions
{
    int time = -1; // clock minutes; -1: the timetable's display-start time
    bool sub = false;
    int rows = 2;  // train rows, 1..4
    int scale = 1; // 1: one pixel per dot; more: round LEDs
};

inline constexpr int kMaxRenderScale = 16;

// "HH:MM" (hours 0..23, minutes 0..59) as minutes, or nothing.
std::optional<int> ParseClockTime(const QString& text);

// Draws the board of `board` into the PNG file `out`.
int Render(const QString& board, const QString& out, const RenderOptions& options);

} // namespace QlmTool
