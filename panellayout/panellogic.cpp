#include "panellogic.h"

#include <array>

namespace {

// The left edge of column c (1-based) inside a canvas of `width` pixels: the columns share
// width - 2 pixels.
int ColumnEdge(int columnsBefore, int width)
{
    return columnsBefore * (width - 2) / kPanelColumns;
}

bool IsColumn(int column)
{
    return column >= 1 && column <= kPanelColumns;
}

} // namespace

int ColumnAt(int x, int width)
{
    if (width <= 2 || x < 0)
        return kNoColumn;
    const int column = kPanelColumns * x / (width - 2) + 1;
    return IsColumn(column) ? column : kNoColumn;
}

bool PartCovers(const PANELPART& part, int column)
{
    return part.wColumn != 0 && part.wColumn <= column && column <= part.wColumn + part.wSpan;
}

bool AnyPartCovers(const PanelLayout& layout, int column)
{
    for (const PANELPART& part : layout) {
        if (PartCovers(part, column))
            return true;
    }
    return false;
}

bool PlacePart(PanelLayout& layout, int part, int first, int last)
{
    if (part < 0 || part >= kPanelPartCount || !IsColumn(first) || !IsColumn(last) || last < first)
        return false;
    layout[part].wColumn = static_cast<quint16>(first);
    layout[part].wSpan = static_cast<quint16>(last - first);
    return true;
}

void HidePart(PanelLayout& layout, int part)
{
    if (part >= 0 && part < kPanelPartCount)
        layout[part].wColumn = 0;
}

bool StepPart(PanelLayout& layout, int part, int columns, bool resize)
{
    if (part < 0 || part >= kPanelPartCount || !IsColumn(layout[part].wColumn))
        return false;
    const PANELPART& now = layout[part];
    const int first = resize ? now.wColumn : now.wColumn + columns;
    return PlacePart(layout, part, first, now.wColumn + now.wSpan + columns);
}

QRect PartBox(const PANELPART& part, int width, int height)
{
    const int left = ColumnEdge(part.wColumn - 1, width) + 1;
    const int right = ColumnEdge(part.wColumn + part.wSpan, width);
    return QRect(left, 1, right - left, height - 2);
}

QRect DragFeedbackRect(int first, int last, int width, int height)
{
    const int left = ColumnEdge(first - 1, width) + 3;
    const int right = ColumnEdge(last, width);
    return QRect(left, 2, right - left, height - 5);
}

int FeedbackLastColumn(int pressColumn, int column)
{
    return IsColumn(column) && column >= pressColumn ? column : pressColumn;
}

QString PartName(int part)
{
    static const std::array<const char*, kPanelPartCount> names = {
        "発車順序", "種別", "列車名", "時刻", "行先", "番線", "補助"};
    return part >= 0 && part < kPanelPartCount ? QString::fromUtf8(names[part]) : QString();
}

QString PartLabel(int part)
{
    // The canvas has room for three characters of departure order only.
    return part == 0 ? QStringLiteral("発車順") : PartName(part);
}
