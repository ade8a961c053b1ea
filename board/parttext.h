#pragma once

#include "boardlayout.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

class CBoardFont;

// The texts the board shows and their widths. Texts are Shift-JIS bytes like the file's.
namespace Board {

// The text of one part for a train shown on train row `row` (0 = top):
// departure order 先発, 次発, 次々発, then N番目 (sub: 1st, 2nd, 3rd, Nth); the type's name (sub:
// its sub name); the train name (sub: the English name); the time as H:MM with the hour taken
// modulo 24; the destination's name (sub: its English name); the platform number; the guidance
// text (sub: the supplementary text). A type or destination index beyond its list gives no text.
QByteArray PartText(const CQLMDoc& doc, const tagTRAININFO& train, int row, int part,
                    Display display);

// The departure order words and the time text on their own.
QByteArray OrderText(int row, Display display);
QByteArray TimeText(int minutes);

// The code points of a text, decoded with the program's code page 932 codec (bytes that are no
// character become U+FFFD).
std::u32string CodePoints(QByteArrayView text);
// The width of each glyph of a text in the board font, and of the whole text, in dots.
std::vector<int> GlyphWidths(const CBoardFont& font, const std::u32string& codePoints);
int TextWidth(const CBoardFont& font, QByteArrayView text);

} // namespace Board
