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
    explicit CTextWidths(const CBoardFont& font);

    int Width(QByteArrayView text);

private:
    // Table entries: the width + 1; 0 not yet known.
    static constexpr short kLead = -1;   // m_single: a lead byte, see m_pairs
    static constexpr short kNotOne = -1; // m_pairs: the two bytes are not one character

    short Single(unsigned char byte);
    short Pair(unsigned char lead, unsigned char trail);

    const CBoardFont& m_font;
    std::array<short, 256> m_single{};
    std::vector<short> m_pairs; // lead << 8 | trail
};

} // namespace Board
