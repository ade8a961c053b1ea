#pragma once

#include "records.h"

#include <QRect>
#include <QString>

// The rules of the panel layout editor, without windows: which column lies under a point of a
// canvas, which parts cover a column, placing and hiding a part, and where the part boxes and the
// drag feedback are drawn. Everything is computed from the canvas's real client size, so a
// resized canvas or one shown at another scale keeps the same columns under the pointer.

// The panel row has kPanelColumns (33) columns, numbered from 1 at the left.
// What ColumnAt gives for a point beside the panel.
inline constexpr int kNoColumn = -1;

// The column under client x of a canvas `width` pixels wide, or kNoColumn. The columns share
// width - 2 pixels (the frame takes the rest); a canvas of 2 pixels or less has no columns, and
// a point left of the canvas lies on none.
int ColumnAt(int x, int width);

// True when the shown part covers column c.
bool PartCovers(const PANELPART& part, int column);
// True when any of the seven parts covers column c.
bool AnyPartCovers(const PanelLayout& layout, int column);

// Places part `part` on columns first..last, keeping its alignment. Refuses (returns false and
// changes nothing) when last is no column or lies left of first. Other parts are not consulted:
// parts may overlap.
bool PlacePart(PanelLayout& layout, int part, int first, int last);
// Hides a part; its span and alignment stay for when it is placed again.
void HidePart(PanelLayout& layout, int part);
// The keyboard's drag: moves a shown part `columns` columns to the right (left when negative),
// or with `resize` moves its last column only, changing its span. The limits are a drag's: the
// part stays on the panel and covers at least one column; other parts are not consulted.
// Refuses (returns false and changes nothing) a hidden part and a step beyond the limits.
bool StepPart(PanelLayout& layout, int part, int columns, bool resize);

// The box of a shown part on a canvas of width x height pixels; x() + width() is the first
// pixel right of it.
QRect PartBox(const PANELPART& part, int width, int height);
// The dotted drag feedback over columns first..last.
QRect DragFeedbackRect(int first, int last, int width, int height);
// The columns the drag feedback shows while the pointer is over `column`: from the press column
// to the pointer, or the press column alone while the pointer lies left of it or off the panel.
int FeedbackLastColumn(int pressColumn, int column);

// The part's name in the part list ("発車順序"...) and its label on the canvas ("発車順"...).
QString PartName(int part);
QString PartLabel(int part);
