#include "boardrender.h"

#include "boardfont.h"
#include "parttext.h"
#include "qlmdoc.h"

#include <algorithm>

namespace Board {

namespace {

// Draws glyphs from x on, lighting only the dots inside clip.
void DrawGlyphs(CDotMatrix& board, const CBoardFont& font, const std::u32string& text,
                const std::vector<int>& offsets, int x, int top, const QRect& clip, DotColor color)
{
    const QRect area = clip.intersected(QRect(0, 0, board.Width(), board.Height()));
    if (area.isEmpty())
        return;
    for (size_t i = 0; i < text.size(); ++i) {
        const CBoardFont::Glyph glyph = font.Find(text[i]);
        const int left = x + offsets[i];
        if (left >= area.left() + area.width() || left + glyph.width <= area.left())
            continue;
        const int from = std::max(0, area.left() - left);
        const int to = std::min(glyph.width, area.left() + area.width() - left);
        for (int y = 0; y < CBoardFont::kHeight; ++y) {
            const int row = top + y;
            if (row < area.top() || row > area.bottom())
                continue;
            const unsigned bits = glyph.rows[y];
            if (!bits)
                continue;
            for (int dx = from; dx < to; ++dx)
                if (bits & (0x8000u >> dx))
                    board.Set(left + dx, row, color);
        }
    }
}

QRect RowRect(const PartSpan& span, int top)
{
    return QRect(span.x, top, span.width, kRowDots);
}

void DrawTrainRow(CDotMatrix& board, const CQLMDoc& doc, const CBoardFont& font,
                  const tagTRAININFO& train, int row, int top, Display display,
                  std::vector<BoardRegion>* regions)
{
    const DotColor unlit = DotColorOf(doc.m_crUnlit);
    const DotColor lit = DotColorOf(doc.m_crLit);
    const tagTRAINASSORTMENT* type =
        train.wAssortment >= 1 && train.wAssortment <= doc.m_TrainAssortment.m_nSize
            ? &doc.m_TrainAssortment.ElementAt(train.wAssortment)
            : nullptr;
    const PanelLayout& layout = LayoutFor(doc, train, display);
    // In layout order: a later part is drawn over an earlier one where they overlap.
    for (int part = 0; part < kPanelPartCount; ++part) {
        const PANELPART& place = layout[static_cast<size_t>(part)];
        const std::optional<PartSpan> span = SpanOf(place);
        if (!span)
            continue;
        const QRect box = RowRect(*span, top);
        if (regions)
            regions->push_back({BoardRegion::Kind::Train, box, part, row});
        board.Fill(box, unlit);
        const QByteArray text = PartText(doc, train, row, part, display);
        if (text.isEmpty())
            continue;
        DotColor color = lit;
        if (part == kPartType && type) {
            if (!type->bDefaultColor)
                color = DotColorOf(type->crText);
            if (type->bLightBackground)
                board.Fill(box, DotColorOf(type->crBack));
        }
        DrawText(board, font, text, box, place.wAlign, color);
    }
}

void DrawSignRow(CDotMatrix& board, const CQLMDoc& doc, const CBoardFont& font, int signRow,
                 Display display, std::vector<BoardRegion>* regions)
{
    const int top = signRow * kRowDots;
    const bool sub = display == Display::Sub;
    const bool second = signRow == 1;
    const DotColor unlit = DotColorOf(doc.m_crUnlit);
    const DotColor lit = DotColorOf(doc.m_crLit);
    if (regions)
        for (int part = 0; part < kSignPartCount; ++part)
            regions->push_back(
                {BoardRegion::Kind::Sign, RowRect(SignSpan(part), top), part, signRow});

    if (!second) {
        // The platform number, dark on a lit plate.
        const QRect plate = RowRect(SignSpan(kSignPlatform), top);
        board.Fill(plate.adjusted(1, 0, -1, 0), lit);
        DrawText(board, font, QByteArray::number(doc.m_wPlatform), plate, 2, unlit);
    }

    const QRect mark = RowRect(SignSpan(kSignLineColor), top).adjusted(2, 1, -2, -1);
    const bool twoColors = second ? doc.m_bSubLineColor2 != 0 : doc.m_bLineColor2 != 0;
    const DotColor first = DotColorOf(second ? doc.m_crSubLineColor : doc.m_crLineColor);
    const DotColor other = DotColorOf(second ? doc.m_crSubLineColor2 : doc.m_crLineColor2);
    board.Fill(mark, first);
    if (twoColors)
        board.Fill(mark.adjusted(0, mark.height() / 2, 0, 0), other);

    const QByteArray& name = second ? (sub ? doc.m_strSubLineNameEn : doc.m_strSubLineName)
                                    : (sub ? doc.m_strLineNameEn : doc.m_strLineName);
    const QByteArray& direction = second ? (sub ? doc.m_strSubGuideEn : doc.m_strSubGuide)
                                         : (sub ? doc.m_strGuideEn : doc.m_strGuide);
    DrawText(board, font, name, RowRect(SignSpan(kSignLineName), top), 0, lit);
    DrawText(board, font, direction, RowRect(SignSpan(kSignDirection), top), 0, lit);
}

} // namespace

BoardContent ContentAt(const CQLMDoc& doc, int time, int trainRows)
{
    BoardContent content;
    content.signRows = doc.m_bSubLine ? 2 : 1;
    content.trainRows = std::clamp(trainRows, 1, kMaxTrainRows);
    content.trains = TrainsAt(doc, time, content.trainRows);
    content.guide = GuideMessagesAt(doc, time);
    return content;
}

void DrawText(CDotMatrix& board, const CBoardFont& font, QByteArrayView text, const QRect& box,
              int align, DotColor color)
{
    const std::u32string points = CodePoints(text);
    const std::vector<int> offsets = GlyphOffsets(GlyphWidths(font, points), box.width(), align);
    DrawGlyphs(board, font, points, offsets, box.x(), box.y(), box, color);
}

std::vector<int> GuideWidths(const CBoardFont& font, const BoardContent& content)
{
    std::vector<int> widths;
    widths.reserve(content.guide.size());
    for (const QByteArray& message : content.guide)
        widths.push_back(TextWidth(font, message));
    return widths;
}

void DrawGuideLine(CDotMatrix& board, const CQLMDoc& doc, const CBoardFont& font,
                   const BoardContent& content, long long frame)
{
    const QRect line(0, GuideRowTop(content), kPanelDots, kRowDots);
    board.Fill(line, DotColorOf(doc.m_crUnlit));
    const GuidePosition at = GuidePositionAt(GuideWidths(font, content), kPanelDots, frame);
    if (at.message < 0)
        return;
    const std::u32string points = CodePoints(content.guide[static_cast<size_t>(at.message)]);
    const std::vector<int> offsets = GlyphOffsets(GlyphWidths(font, points), 0, 0);
    DrawGlyphs(board, font, points, offsets, at.x, line.y(), line, DotColorOf(doc.m_crLit));
}

CDotMatrix DrawBoard(const CQLMDoc& doc, const CBoardFont& font, const BoardContent& content,
                     Display display, long long guideFrame, std::vector<BoardRegion>* regions)
{
    const int rows = content.signRows + content.trainRows + 1;
    CDotMatrix board(kPanelDots, rows * kRowDots, DotColorOf(doc.m_crUnlit));
    if (regions)
        regions->clear();
    for (int sign = 0; sign < content.signRows; ++sign)
        DrawSignRow(board, doc, font, sign, display, regions);
    for (size_t row = 0; row < content.trains.size(); ++row) {
        const tagTRAININFO& train = doc.m_TrainInfo.ElementAt(content.trains[row]);
        DrawTrainRow(board, doc, font, train, static_cast<int>(row),
                     TrainRowTop(content, static_cast<int>(row)), display, regions);
    }
    DrawGuideLine(board, doc, font, content, guideFrame);
    if (regions)
        regions->push_back({BoardRegion::Kind::Guide,
                            QRect(0, GuideRowTop(content), kPanelDots, kRowDots), -1, 0});
    return board;
}

CDotMatrix RenderBoard(const CQLMDoc& doc, const CBoardFont& font, const BoardRequest& request,
                       std::vector<BoardRegion>* regions)
{
    return DrawBoard(doc, font, ContentAt(doc, request.time, request.trainRows), request.display,
                     request.guideFrame, regions);
}

} // namespace Board
