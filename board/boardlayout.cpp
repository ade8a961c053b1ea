#include "boardlayout.h"

#include "qlmdoc.h"

#include <numeric>

namespace Board {

QString PartName(int part)
{
    static const char* const names[kPanelPartCount] = {"発車順序", "種別", "列車名", "時刻",
                                                       "行先",     "番線", "補助"};
    return part >= 0 && part < kPanelPartCount ? QString::fromUtf8(names[part]) : QString();
}

std::optional<PartSpan> SpanOf(const PANELPART& part)
{
    if (part.wColumn == 0)
        return std::nullopt;
    return PartSpan{(part.wColumn - 1) * kColumnDots, (part.wSpan + 1) * kColumnDots};
}

std::array<std::optional<PartSpan>, kPanelPartCount> SpansOf(const PanelLayout& layout)
{
    std::array<std::optional<PartSpan>, kPanelPartCount> spans;
    for (size_t i = 0; i < spans.size(); ++i)
        spans[i] = SpanOf(layout[i]);
    return spans;
}

const PanelLayout& LayoutFor(const CQLMDoc& doc, const tagTRAININFO& train, Display display)
{
    const bool sub = display == Display::Sub;
    if (train.wAssortment >= 1 && train.wAssortment <= doc.m_TrainAssortment.m_nSize) {
        const tagTRAINASSORTMENT& type = doc.m_TrainAssortment.ElementAt(train.wAssortment);
        if (type.bCustomLayout)
            return sub ? type.layoutSub : type.layoutMain;
    }
    return sub ? doc.m_LayoutSub : doc.m_LayoutMain;
}

std::vector<int> GlyphOffsets(const std::vector<int>& widths, int partWidth, int align)
{
    const int n = static_cast<int>(widths.size());
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    const int spare = partWidth - total;
    std::vector<int> offsets(widths.size());
    int start = 0;
    int gaps = 0; // the spare dots spread between the glyphs
    if (spare > 0 && align == 2)
        start = spare / 2;
    else if (spare > 0 && align == 1 && n == 1)
        start = spare / 2;
    else if (spare > 0 && align == 1)
        gaps = spare;
    int x = start;
    for (int i = 0; i < n; ++i) {
        // Glyph i stands after i gaps; their sum is gaps * i / (n - 1), rounded down.
        offsets[static_cast<size_t>(i)] = x + (gaps ? gaps * i / (n - 1) : 0);
        x += widths[static_cast<size_t>(i)];
    }
    return offsets;
}

PartSpan SignSpan(int signPart)
{
    switch (signPart) {
    case kSignPlatform:
        return {0, 2 * kColumnDots};
    case kSignLineColor:
        return {2 * kColumnDots, kColumnDots};
    case kSignLineName:
        return {3 * kColumnDots, 10 * kColumnDots};
    case kSignDirection:
        return {13 * kColumnDots, 20 * kColumnDots};
    default:
        return {};
    }
}

QString SignPartName(int signPart)
{
    static const char* const names[kSignPartCount] = {"発車番線", "路線色", "路線名", "案内"};
    return signPart >= 0 && signPart < kSignPartCount ? QString::fromUtf8(names[signPart])
                                                      : QString();
}

} // namespace Board
