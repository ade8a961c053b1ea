#pragma once

#include "records.h"

#include <QRect>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class CQLMDoc;

// Where things stand on the board, in dots. A panel row is 33 columns of 16 x 16 dots: one
// column holds one full-width character, or two half-width ones (8 dots wide each).
namespace Board {

inline constexpr int kColumnDots = 16;
inline constexpr int kRowDots = 16;
inline constexpr int kPanelDots = kPanelColumns * kColumnDots; // 528

// The two displays: main (Japanese texts) and sub (English texts), each with its own layout.
enum class Display
{
    Main,
    Sub
};

// The parts of a layout, in layout order.
enum Part
{
    kPartOrder,       // 発車順序
    kPartType,        // 種別
    kPartName,        // 列車名
    kPartTime,        // 時刻
    kPartDestination, // 行先
    kPartPlatform,    // 番線
    kPartAuxiliary,   // 補助
};
// "発車順序", "種別", ... as the layout editor names them.
QString PartName(int part);

// The dots a shown part covers across a row: columns wColumn..wColumn + wSpan. Not cut at the
// panel's edge, so that a part reaching past column 33 can be told; nothing when the part is
// hidden (wColumn 0).
struct PartSpan
{
    int x = 0;                              // first dot
    int width = 0;                          // dots
    int Right() const { return x + width; } // first dot right of the part
    friend bool operator==(const PartSpan&, const PartSpan&) = default;
};
std::optional<PartSpan> SpanOf(const PANELPART& part);
std::array<std::optional<PartSpan>, kPanelPartCount> SpansOf(const PanelLayout& layout);

// The layout a train is shown with on a display: its type's own when the type has one, else
// the document's.
const PanelLayout& LayoutFor(const CQLMDoc& doc, const tagTRAININFO& train, Display display);

// The left edge of each glyph inside a part `partWidth` dots wide, from the glyphs' widths.
// 0 left: glyphs side by side from the left edge. 2 centred: the text centred, the odd dot on
// the right. 1 spread evenly: the first glyph at the left edge, the last ending at the right
// edge, equal gaps between (the odd dots go to the later gaps); a single glyph is centred. Text
// as wide as the part or wider, and any other alignment value, is left-aligned; drawing cuts it
// at the part's edge.
std::vector<int> GlyphOffsets(const std::vector<int>& widths, int partWidth, int align);

// The direction sign row: the platform number on columns 1-2 (digits dark on a lit plate,
// first sign row only), the line colour on column 3 (two colours one above the other when a
// second is set), the line name on columns 4-13 and the direction text on columns 14-33, both
// left-aligned.
enum SignPart
{
    kSignPlatform,
    kSignLineColor,
    kSignLineName,
    kSignDirection,
    kSignPartCount
};
PartSpan SignSpan(int signPart);
QString SignPartName(int signPart);

} // namespace Board
