#pragma once

// A tiny font for the board tests (their timetables: Samples::Board).

#include "boardfont.h"
#include "samples.h"

#include <QByteArray>

namespace BoardSample {

// A font of a few glyphs easy to work out by hand: 'A' a solid 8 x 16 block, 'あ' a 16-dot
// glyph with only its leftmost column lit, '7' an 8-dot glyph with only its rightmost column
// lit. It has no geta mark, so a missing character shows as the hollow box.
inline CBoardFont TinyFont()
{
    QByteArray hex = "0041:" + QByteArray(32, 'F') + "\n3042:";
    for (int row = 0; row < 16; ++row)
        hex += "8000";
    hex += "\r\n0037:";
    for (int row = 0; row < 16; ++row)
        hex += "01";
    hex += "\n";
    CBoardFont font;
    font.LoadFromBytes(hex);
    return font;
}

} // namespace BoardSample
