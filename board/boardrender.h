#pragma once

#include "boardlayout.h"
#include "boardtime.h"
#include "dotmatrix.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QRect>

#include <vector>

class CBoardFont;
class CQLMDoc;

// The board as it lights: from the top the direction sign row(s), the train rows and the guide
// line, each 16 dots high and 528 wide. Unlit dots take the document's unlit colour, lit dots
// its standard lit colour, except the train type, which is lit in the type's own colour unless
// the type uses the standard one, over its lit background when it has one.
namespace Board {

struct BoardRequest
{
    int time = 0; // clock time, minutes 0..1439
    Display display = Display::Main;
    int trainRows = kDefaultTrainRows; // 1..kMaxTrainRows
    long long guideFrame = 0;          // the guide line's frame (see GuidePositionAt)
};

// What the board shows, before it is drawn.
struct BoardContent
{
    int signRows = 1; // 2 with the sub line
    int trainRows = kDefaultTrainRows;
    std::vector<int> trains;       // 1-based, top row first; rows below these are dark
    std::vector<QByteArray> guide; // the guide line's messages in the order shown
    friend bool operator==(const BoardContent&, const BoardContent&) = default;
};
BoardContent ContentAt(const CQLMDoc& doc, int time, int trainRows);

// An area of the board a person can point at, in dots.
struct BoardRegion
{
    enum class Kind
    {
        Sign,  // part: a SignPart; row: the sign row from 0
        Train, // part: a Part; row: the train row from 0
        Guide, // the guide line
    };
    Kind kind = Kind::Guide;
    QRect rect;
    int part = -1;
    int row = 0;
};

// The top dot row of the first train row and of the guide line.
inline int TrainRowTop(const BoardContent& content, int row)
{
    return (content.signRows + row) * kRowDots;
}
inline int GuideRowTop(const BoardContent& content)
{
    return (content.signRows + content.trainRows) * kRowDots;
}

// Draws the board. With regions, also lists every shown part's area, the later of two
// overlapping parts after the earlier (so the last region holding a dot is the one on top).
CDotMatrix DrawBoard(const CQLMDoc& doc, const CBoardFont& font, const BoardContent& content,
                     Display display, long long guideFrame,
                     std::vector<BoardRegion>* regions = nullptr);
// ContentAt and DrawBoard in one.
CDotMatrix RenderBoard(const CQLMDoc& doc, const CBoardFont& font, const BoardRequest& request,
                       std::vector<BoardRegion>* regions = nullptr);
// Draws the guide line again at another frame, into a board DrawBoard drew from content.
void DrawGuideLine(CDotMatrix& board, const CQLMDoc& doc, const CBoardFont& font,
                   const BoardContent& content, long long frame);
// The widths in dots of the guide line's messages.
std::vector<int> GuideWidths(const CBoardFont& font, const BoardContent& content);

// Draws a text into box (one row high), aligned as a part's wAlign says, cut at the box's
// edges and the board's.
void DrawText(CDotMatrix& board, const CBoardFont& font, QByteArrayView text, const QRect& box,
              int align, DotColor color);

} // namespace Board
