// The board model: which trains and messages show at a time, where texts stand in their parts,
// and a train row drawn dot by dot.

#include "boardlayout.h"
#include "boardrender.h"
#include "boardsample.h"
#include "boardtime.h"
#include "parttext.h"

#include <gtest/gtest.h>

#include <string>

using namespace Board;
using Samples::Hm;
using Samples::J;

namespace {

// Date change 02:00, display start 04:30; trains 05:00, 07:00, 07:10, 07:30, 23:50, 00:45.
TEST(BoardTrains, AroundDateChangeLastTrainAndDisplayStart)
{
    const CQLMDoc doc = Samples::Board();
    // Out of order in the file: the first trains in file order at or after T, not the earliest.
    const CQLMDoc unordered = Samples::Board({Hm(8, 0), Hm(7, 0), Hm(9, 0)});
    // A display start before the date change on the clock: from it on the next day's first
    // trains show, while the hour before it stays dark after the last train.
    CQLMDoc early = Samples::Board();
    early.m_wDisplayStartTime = static_cast<quint16>(Hm(1, 30));
    const struct
    {
        const char* what;
        const CQLMDoc& doc;
        int time;
        int rows;
        std::vector<int> trains;
    } cases[] = {
        {"the last train after midnight still shows", doc, Hm(0, 30), 2, {6}},
        {"at its own minute", doc, Hm(0, 45), 2, {6}},
        {"after the last train", doc, Hm(0, 46), 2, {}},
        {"before the date change", doc, Hm(1, 59), 2, {}},
        {"at the date change", doc, Hm(2, 0), 2, {}},
        {"before the display start", doc, Hm(4, 29), 2, {}},
        {"at the display start", doc, Hm(4, 30), 2, {1, 2}},
        {"a train at T is shown", doc, Hm(7, 0), 2, {2, 3}},
        {"a minute later it has left", doc, Hm(7, 1), 2, {3, 4}},
        {"fewer trains left than rows", doc, Hm(23, 0), 4, {5, 6}},
        {"one row", doc, Hm(7, 5), 1, {3}},
        {"four rows", doc, Hm(4, 45), 4, {1, 2, 3, 4}},
        {"file order, not the earliest", unordered, Hm(7, 30), 2, {1, 3}},
        {"file order from the start", unordered, Hm(6, 0), 2, {1, 2}},
        {"early start: dark before it", early, Hm(1, 0), 2, {}},
        {"early start: at it", early, Hm(1, 30), 2, {1, 2}},
        {"early start: after the date change", early, Hm(3, 0), 2, {1, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrainsAt(c.doc, c.time, c.rows), c.trains) << c.what;
}

TEST(BoardGuide, MessagesAtWindowEdges)
{
    CQLMDoc doc = Samples::Board();
    doc.m_strGuideMessage = "D";
    doc.SetGuideMessageCount(3);
    doc.m_GuideMessage.ElementAt(1) = {Hm(7, 0), Hm(8, 0), 0, "A"};
    doc.m_GuideMessage.ElementAt(2) = {Hm(7, 30), Hm(7, 45), 1, "B"};
    doc.m_GuideMessage.ElementAt(3) = {Hm(23, 0), Hm(1, 0), 0, "C"}; // across midnight
    using Texts = std::vector<QByteArray>;
    const struct
    {
        int time;
        Texts shown;
    } cases[] = {
        {Hm(6, 59), {"D"}}, {Hm(7, 0), {"A", "D"}},  {Hm(7, 29), {"A", "D"}},
        {Hm(7, 30), {"B"}}, {Hm(7, 44), {"B"}},      {Hm(7, 45), {"A", "D"}},
        {Hm(8, 0), {"D"}},  {Hm(23, 0), {"C", "D"}}, {Hm(0, 59), {"C", "D"}},
        {Hm(1, 0), {"D"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GuideMessagesAt(doc, c.time), c.shown) << TimeText(c.time).constData();
    doc.m_strGuideMessage.clear();
    EXPECT_EQ(GuideMessagesAt(doc, Hm(12, 0)), Texts{});
}

TEST(BoardGuide, ScrollPositions)
{
    const int hold = kGuideHoldFrames;
    const struct
    {
        std::vector<int> widths;
        long long frame;
        GuidePosition at;
    } cases[] = {
        {{}, 0, {-1, 0}},
        {{100}, 0, {0, 0}},
        {{100}, hold, {0, 0}}, // a message that fits stands still
        {{600}, hold - 1, {0, 0}},
        {{600}, hold, {0, -1}}, // a wider one moves one dot a frame
        {{600}, hold + 599, {0, -600}},
        {{600}, hold + 600, {0, 0}}, // and starts again
        {{100, 600}, hold, {1, 0}},
        {{100, 600}, 2 * hold + 10, {1, -11}},
        {{100, 600}, 2 * hold + 600, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GuidePositionAt(c.widths, kPanelDots, c.frame), c.at) << c.frame;
}

TEST(BoardLayout, GlyphOffsetsInDots)
{
    const struct
    {
        std::vector<int> widths;
        int part;
        int align;
        std::vector<int> offsets;
    } cases[] = {
        {{16, 16}, 48, 0, {0, 16}},
        {{16, 16}, 48, 2, {8, 24}},
        {{8, 16}, 48, 2, {12, 20}},
        {{16, 16, 16}, 80, 1, {0, 32, 64}},
        {{8, 8, 8, 8}, 48, 1, {0, 13, 26, 40}}, // gaps 5, 5, 6: the last ends at the edge
        {{16}, 64, 1, {24}},                    // one glyph spread is centred
        {{16, 16, 16}, 32, 1, {0, 16, 32}},     // too wide: from the left, cut later
        {{16, 16, 16}, 32, 2, {0, 16, 32}},
        {{8, 8}, 48, 7, {0, 8}}, // an unknown alignment is left
        {{}, 48, 1, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlyphOffsets(c.widths, c.part, c.align), c.offsets)
            << c.part << " align " << c.align;
}

TEST(BoardLayout, SpansAndTheTypesOwnLayout)
{
    EXPECT_EQ(SpanOf(PANELPART{1, 5, 0}), (PartSpan{0, 96}));
    EXPECT_EQ(SpanOf(PANELPART{33, 2, 0}), (PartSpan{512, 48})); // past the edge, not cut
    EXPECT_EQ(SpanOf(PANELPART{0, 5, 1}), std::nullopt);

    CQLMDoc doc = Samples::Board();
    tagTRAINASSORTMENT& rapid = doc.m_TrainAssortment.ElementAt(2);
    rapid.layoutSub[kPartType] = {30, 3, 0};
    tagTRAININFO& train = doc.m_TrainInfo.ElementAt(1);
    train.wAssortment = 2;
    EXPECT_EQ(LayoutFor(doc, train, Display::Sub)[kPartType], doc.m_LayoutSub[kPartType]);
    rapid.bCustomLayout = 1;
    EXPECT_EQ(LayoutFor(doc, train, Display::Sub)[kPartType], (PANELPART{30, 3, 0}));
    EXPECT_EQ(LayoutFor(doc, train, Display::Main), rapid.layoutMain);
    train.wAssortment = 9; // beyond the list: the document's layout
    EXPECT_EQ(LayoutFor(doc, train, Display::Sub), doc.m_LayoutSub);
}

TEST(BoardText, PartTexts)
{
    CQLMDoc doc = Samples::Board();
    tagTRAININFO& t = doc.m_TrainInfo.ElementAt(6); // 00:45
    t.wAssortment = 2;
    t.wDestination = 2;
    t.strName = J("あずさ");
    t.strNameEn = "Azusa";
    t.strGuide = J("全車指定席");
    t.strNote = "Reserved";
    const QByteArray main[] = {J("次々発"), J("快速"), J("あずさ"),    "0:45",
                               J("高尾"),   "6",       J("全車指定席")};
    const QByteArray sub[] = {"3rd", "RAPID", "Azusa", "0:45", "Takao", "6", "Reserved"};
    for (int part = 0; part < kPanelPartCount; ++part) {
        EXPECT_EQ(PartText(doc, t, 2, part, Display::Main), main[part]) << part;
        EXPECT_EQ(PartText(doc, t, 2, part, Display::Sub), sub[part]) << part;
    }
    EXPECT_EQ(OrderText(3, Display::Main), J("4番目"));
    EXPECT_EQ(OrderText(3, Display::Sub), "4th");
    EXPECT_EQ(TimeText(Hm(25, 5)), "1:05");
    t.wDestination = 3;
    EXPECT_EQ(PartText(doc, t, 0, kPartDestination, Display::Main), QByteArray());
}

TEST(BoardFont, ReadsGlyphsAndSkipsBadLines)
{
    const CBoardFont tiny = BoardSample::TinyFont();
    EXPECT_EQ(tiny.GlyphCount(), 3);
    EXPECT_EQ(tiny.Width(U'A'), 8);
    EXPECT_EQ(tiny.Width(U'あ'), 16);
    EXPECT_EQ(tiny.Find(U'7').rows[0], 0x0100); // left-justified: bit 15 is the leftmost dot
    EXPECT_FALSE(tiny.Has(U'B'));
    EXPECT_EQ(tiny.Find(U'B').rows[1], 0x7FFE); // the hollow box
    EXPECT_EQ(TextWidth(tiny, J("AあB")), 8 + 16 + 16);

    CBoardFont bad;
    QString error;
    EXPECT_FALSE(bad.LoadFromBytes("0041:FFFF\nzz:00\n3042" + QByteArray(64, '0') + "\n", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(bad.Load(QStringLiteral("/nonexistent/unifont.hex"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing"))) << error.toStdString();
}

TEST(BoardFont, TheInstalledUnifont)
{
    QString error;
    const auto font = CBoardFont::Shared(&error);
    ASSERT_TRUE(font) << error.toStdString();
    EXPECT_EQ(TextWidth(*font, J("普通 ｱ1")), 16 + 16 + 8 + 8 + 8);
    // A character the font lacks shows as the geta mark.
    EXPECT_FALSE(font->Has(0xE000));
    EXPECT_EQ(font->Find(0xE000).rows, font->Find(CBoardFont::kSubstitute).rows);
}

// One train row drawn with the tiny font, compared with the dots worked out by hand:
// '.' unlit, 'L' lit, 'T' the type's own colour, 'B' the type's lit background.
TEST(BoardRender, OneTrainRowDotByDot)
{
    CQLMDoc doc = Samples::Board({Hm(7, 0)});
    PanelLayout layout{};
    layout[kPartType] = {2, 1, 2};        // dots 16..47, centred
    layout[kPartName] = {8, 0, 0};        // dots 112..127
    layout[kPartDestination] = {4, 2, 1}; // dots 48..95, spread
    layout[kPartPlatform] = {5, 0, 2};    // dots 64..79, over the destination
    layout[kPartAuxiliary] = {33, 2, 0};  // dots 512..559, cut at the panel's edge
    doc.m_LayoutMain = layout;
    tagTRAINASSORTMENT& type = doc.m_TrainAssortment.ElementAt(2);
    type.strName = "AA";
    tagTRAININFO& t = doc.m_TrainInfo.ElementAt(1);
    t.wAssortment = 2;
    t.strName = "Z"; // not in the font
    t.wPlatform = 7;
    t.strGuide = "AAAA";
    doc.m_Destination.ElementAt(1).strName = J("AあA");

    const CBoardFont font = BoardSample::TinyFont();
    const CDotMatrix board = RenderBoard(doc, font, {Hm(7, 0), Display::Main, 1, 0});
    ASSERT_EQ(board.Width(), 528);
    ASSERT_EQ(board.Height(), 3 * 16); // sign, one train row, guide line

    std::string expected(528, '.');
    auto put = [&](int from, int to, char c) { expected.replace(from, to - from, to - from, c); };
    put(16, 48, 'B');   // the type's background over its part
    put(24, 40, 'T');   // "AA", 16 dots centred in 32
    put(48, 56, 'L');   // 'A' at the left edge: gaps of 8 spread "AあA" over 48 dots
    put(75, 76, 'L');   // the platform "7" centred in 64..79 hides the destination's 'あ'
    put(88, 96, 'L');   // the last 'A' ending at the right edge
    put(113, 114, 'L'); // the hollow box of 'Z'
    put(126, 127, 'L');
    put(512, 528, 'L'); // "AAAA" cut after two glyphs
    const DotColor lit = DotColorOf(doc.m_crLit);
    for (int y : {16 + 5, 16 + 9}) {
        std::string drawn;
        for (int x = 0; x < 528; ++x) {
            const DotColor c = board.At(x, y);
            drawn += c == lit                         ? 'L'
                     : c == DotColorOf(type.crText)   ? 'T'
                     : c == DotColorOf(type.crBack)   ? 'B'
                     : c == DotColorOf(doc.m_crUnlit) ? '.'
                                                      : '?';
        }
        EXPECT_EQ(drawn, expected) << "dot row " << y;
    }
}

TEST(BoardRender, RowsFromTheTop)
{
    CQLMDoc doc = Samples::Board();
    doc.m_bSubLine = 1;
    doc.m_strGuideMessage = "A";
    const CBoardFont font = BoardSample::TinyFont();
    std::vector<BoardRegion> regions;
    const CDotMatrix board = RenderBoard(doc, font, {Hm(23, 0), Display::Sub, 3, 0}, &regions);
    // Two sign rows, three train rows (the third dark: two trains are left), the guide line.
    ASSERT_EQ(board.Height(), 6 * 16);
    const DotColor lit = DotColorOf(doc.m_crLit);
    EXPECT_EQ(board.At(0, 5 * 16 + 3), lit); // the guide line's 'A'
    EXPECT_EQ(board.At(8, 5 * 16 + 3), DotColorOf(doc.m_crUnlit));
    EXPECT_EQ(board.At(5, 0 * 16 + 3), lit); // the platform plate, first sign row only
    EXPECT_NE(board.At(5, 1 * 16 + 3), lit);
    int trainRegions[3] = {};
    for (const BoardRegion& r : regions)
        if (r.kind == BoardRegion::Kind::Train)
            ++trainRegions[r.row];
    EXPECT_EQ(trainRegions[0], 7);
    EXPECT_EQ(trainRegions[1], 7);
    EXPECT_EQ(trainRegions[2], 0);
    EXPECT_EQ(regions.back().rect, QRect(0, 80, 528, 16));
}

} // namespace
