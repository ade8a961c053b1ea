#pragma once

#include <QByteArrayView>

#include <array>
#include <vector>

class CBoardFont;

namespace Board {

// The widths of many texts in the board font, exactly as TextWidth gives them, without decoding
// every text: the width of each character (one byte, or a lead and a trail byte) is worked out
// once, by decoding it alone, and looked up after that. A text holding a byte pair that does not
// decode as one character is measured by TextWidth itself.
class CTextWidths
{
public:
    explicit CTextWidths(const CBoardFont& font) : m_font(font) {}

    int Width(QByteArrayView text);

private:
    int Single(unsigned char byte);
    // The width of a lead and trail byte, or -1 when the pair is not one character.
    int Pair(unsigned char lead, unsigned char trail);

    const CBoardFont& m_font;
    std::array<short, 256> m_single{}; // 0: not yet known
    std::vector<short> m_pairs;        // lead << 8 | trail; 0: not yet known
};

} // namespace Board
