#include "textwidths.h"

#include "parttext.h"
#include "sjis.h"

namespace Board {

namespace {

constexpr short kNotOne = -1;

} // namespace

int CTextWidths::Single(unsigned char byte)
{
    short& w = m_single[byte];
    if (!w)
        w = static_cast<short>(TextWidth(m_font, QByteArrayView(&byte, 1)) + 1);
    return w - 1;
}

int CTextWidths::Pair(unsigned char lead, unsigned char trail)
{
    if (m_pairs.empty())
        m_pairs.resize(1 << 16);
    short& w = m_pairs[static_cast<size_t>(lead) << 8 | trail];
    if (!w) {
        const unsigned char bytes[2] = {lead, trail};
        const std::u32string points = CodePoints(QByteArrayView(bytes, 2));
        w = points.size() == 1 ? static_cast<short>(TextWidth(m_font, QByteArrayView(bytes, 2)) + 1)
                               : kNotOne;
    }
    return w == kNotOne ? -1 : w - 1;
}

int CTextWidths::Width(QByteArrayView text)
{
    int width = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (!Sjis::IsLeadByte(bytes[i])) {
            width += Single(bytes[i]);
            continue;
        }
        const int pair = i + 1 < n ? Pair(bytes[i], bytes[i + 1]) : -1;
        if (pair < 0)
            return TextWidth(m_font, text);
        width += pair;
        ++i;
    }
    return width;
}

} // namespace Board
