#include "textwidths.h"

#include "parttext.h"
#include "sjis.h"

namespace Board {

CTextWidths::CTextWidths(const CBoardFont& font) : m_font(font)
{
    for (int b = 0; b < 256; ++b)
        if (Sjis::IsLeadByte(static_cast<quint8>(b)))
            m_single[static_cast<size_t>(b)] = kLead;
}

short CTextWidths::Single(unsigned char byte)
{
    return m_single[byte] = static_cast<short>(TextWidth(m_font, QByteArrayView(&byte, 1)) + 1);
}

short CTextWidths::Pair(unsigned char lead, unsigned char trail)
{
    const unsigned char bytes[2] = {lead, trail};
    const QByteArrayView pair(bytes, 2);
    return m_pairs[static_cast<size_t>(lead) << 8 | trail] =
               CodePoints(pair).size() == 1 ? static_cast<short>(TextWidth(m_font, pair) + 1)
                                            : kNotOne;
}

int CTextWidths::Width(QByteArrayView text)
{
    int width = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        short w = m_single[bytes[i]];
        if (w == kLead) {
            if (i + 1 == n)
                return TextWidth(m_font, text);
            if (m_pairs.empty())
                m_pairs.resize(1 << 16);
            w = m_pairs[static_cast<size_t>(bytes[i]) << 8 | bytes[i + 1]];
            if (!w)
                w = Pair(bytes[i], bytes[i + 1]);
            if (w == kNotOne)
                return TextWidth(m_font, text);
            ++i;
        } else if (!w) {
            w = Single(bytes[i]);
        }
        width += w - 1;
    }
    return width;
}

} // namespace Board
