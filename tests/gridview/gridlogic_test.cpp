// Grid geometry, cell texts, editor rules and row moves, without widgets.
#include "celltext.h"
#include "editrules.h"
#include "gridgeometry.h"
#include "qlmdoc.h"
#include "rowmoves.h"
#include "samples.h"
#include "sjis.h"
#include "timetableedit.h"

#include <gtest/gtest.h>

using namespace GridGeometry;

TEST(GridGeometry, EveryPointLandsInTheCellDrawnAroundIt)
{
    // Across the whole width each point lies in the cell whose rectangle holds it, or on a
    // column's left edge, which belongs to no cell; the columns come in order, each once.
    int expected = 0;
    for (int x = 0; x < kTotalWidth; ++x) {
        const Cell cell = CellFromPoint(x, 45);
        if (cell.column == -1) {
            EXPECT_EQ(X(expected), x) << "x " << x;
            ++expected;
            continue;
        }
        EXPECT_EQ(cell.column, expected - 1) << "x " << x;
        EXPECT_EQ(cell.row, 2);
        EXPECT_TRUE(CellRect(cell.column, cell.row).contains(x, 45)) << "x " << x;
    }
    EXPECT_EQ(expected, kColumnCount);
    EXPECT_EQ(X(kColumnCount), kTotalWidth);
}

TEST(GridGeometry, CellFromPointUsesStrictEdges)
{
    struct Case
    {
        int x, y;
        Cell expected;
    };
    const Case cases[] = {
        {0, 5, {-1, 0}},                                           // x = 0 lies in no column
        {1, 5, {0, 0}},     {49, 5, {0, 0}},     {50, 5, {-1, 0}}, // the left edge of column 1
        {51, 21, {1, 1}},   {109, 39, {1, 1}},   {110, 40, {-1, 2}},
        {774, 60, {10, 3}}, {775, 60, {-1, 3}},  {100, -1, {1, 0}}, // -19..-1 truncate to row 0
        {100, -19, {1, 0}}, {100, -20, {1, -1}}, {100, 400, {1, 20}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellFromPoint(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(GridGeometry, ValidCells)
{
    // rowCount 4: the header and three trains.
    EXPECT_TRUE(IsValidCell(0, 0, 4, false));
    EXPECT_FALSE(IsValidCell(0, 0, 4, true));
    EXPECT_TRUE(IsValidCell(1, 1, 4, true));
    EXPECT_TRUE(IsValidCell(10, 3, 4, true));
    EXPECT_FALSE(IsValidCell(11, 3, 4, false));
    EXPECT_FALSE(IsValidCell(10, 4, 4, false));
    EXPECT_FALSE(IsValidCell(-1, 1, 4, false));
    EXPECT_FALSE(IsValidCell(1, 1, 1, true)); // no trains
}

TEST(GridGeometry, RowsInBand)
{
    struct Case
    {
        int top, bottom, rowCount, first, last;
    };
    const Case cases[] = {
        {0, 600, 65536, 0, 29},
        {0, 600, 3, 0, 2},
        {25, 41, 100, 1, 2},
        {-30, 10, 100, 0, 0},
        {20000, 20600, 65536, 1000, 1029},
        {0, 20, 1, 0, 0}, // header only
    };
    for (const Case& c : cases) {
        const RowRange r = RowsInBand(c.top, c.bottom, c.rowCount);
        EXPECT_EQ(r.first, c.first) << c.top << ".." << c.bottom;
        EXPECT_EQ(r.last, c.last) << c.top << ".." << c.bottom;
    }
}

TEST(GridGeometry, ClientRectAndVisibility)
{
    EXPECT_EQ(ClientCellRect(3, 2, 10, 15), QRect(165, 25, 80, 20));
    EXPECT_EQ(ClientCellRect(-1, 2, 0, 0), QRect(0, 40, 50, 20)); // below 1: row number
    const QSize client(300, 200);
    EXPECT_TRUE(IsRectVisible(QRect(250, 180, 50, 20), client));
    EXPECT_FALSE(IsRectVisible(QRect(251, 0, 50, 20), client)); // right edge beyond
    EXPECT_FALSE(IsRectVisible(QRect(0, 181, 50, 20), client)); // bottom cut off
    EXPECT_FALSE(IsRectVisible(QRect(-1, 0, 50, 20), client));
    EXPECT_FALSE(IsRectVisible(QRect(0, -1, 50, 20), client));
}

TEST(GridGeometry, ArrowTargetsStepOneCell)
{
    ArrowMove m = ArrowTarget(Arrow::Right, 7, 4);
    EXPECT_EQ(m.target, (Cell{8, 4}));
    EXPECT_EQ(m.scrollDx, 150);
    m = ArrowTarget(Arrow::Left, 9, 4);
    EXPECT_EQ(m.target, (Cell{8, 4}));
    EXPECT_EQ(m.scrollDx, -150);
    m = ArrowTarget(Arrow::Up, 2, 1);
    EXPECT_EQ(m.target, (Cell{2, 0})); // the caller refuses row 0
    EXPECT_EQ(m.scrollDy, -20);
    m = ArrowTarget(Arrow::Down, 2, 1);
    EXPECT_EQ(m.target, (Cell{2, 2}));
    EXPECT_EQ(m.scrollDy, 20);
}

namespace {

CQLMDoc SampleDoc()
{
    return Samples::Timetable()
        .Types({{"普通"}, {"快速"}})
        .Destinations({{"東京"}})
        .Trains({{12, 'A', 2, 1500, 1, 3, "あずさ", "Azusa", "guide", "note"}});
}

} // namespace

TEST(CellText, EveryColumn)
{
    CQLMDoc doc = SampleDoc();
    const QByteArray expected[] = {"",
                                   "12A",
                                   Sjis::FromUtf8("快速"),
                                   Sjis::FromUtf8("あずさ"),
                                   "Azusa",
                                   "25:00",
                                   Sjis::FromUtf8("東京"),
                                   "3",
                                   "guide",
                                   "---",
                                   "note"};
    for (int c = 1; c <= 10; ++c)
        EXPECT_EQ(CellText::Data(doc, 1, c), expected[c]) << "column " << c;
    EXPECT_EQ(CellText::RowNumber(65535), "65535");
    EXPECT_EQ(CellText::Header(9), QString::fromUtf8("運転\uFF65運休"));
    EXPECT_TRUE(CellText::Header(0).isEmpty());
}

TEST(CellText, EdgeValues)
{
    CQLMDoc doc = SampleDoc();
    tagTRAININFO& t = doc.m_TrainInfo.ElementAt(1);
    t.chTrainSuffix = 0;
    EXPECT_EQ(CellText::Data(doc, 1, 1), "12");
    t.wTrainNo = 0;
    t.chTrainSuffix = 'Z';
    EXPECT_EQ(CellText::Data(doc, 1, 1), "0Z");
    // Indexes outside their lists show nothing.
    for (quint16 bad : {quint16(0), quint16(3), quint16(65535)}) {
        t.wAssortment = bad;
        t.wDestination = bad;
        EXPECT_EQ(CellText::Data(doc, 1, 2), QByteArray()) << bad;
        EXPECT_EQ(CellText::Data(doc, 1, 6), QByteArray()) << bad;
    }
    const std::pair<int, const char*> times[] = {
        {0, "00:00"}, {425, "07:05"}, {1439, "23:59"}, {1500, "25:00"}, {65535, "1092:15"}};
    for (auto [minutes, text] : times)
        EXPECT_EQ(CellText::Time(minutes), QByteArray(text)) << minutes;
}

TEST(EditRules, EditorPerColumn)
{
    CQLMDoc doc = SampleDoc();
    tagTRAININFO& t = doc.m_TrainInfo.ElementAt(1);
    using EditRules::EditorKind;
    struct Case
    {
        int column;
        EditorKind kind;
        QByteArray text;
        QByteArray format;
        int list;
    };
    const Case cases[] = {
        {1, EditorKind::TextBox, "0012A", "%d%c", 0},
        {2, EditorKind::TypeList, "", "", 2},
        {3, EditorKind::TextBox, Sjis::FromUtf8("あずさ"), "", 0},
        {4, EditorKind::TextBox, "Azusa", "", 0},
        {5, EditorKind::TextBox, "25:00", "%d:%d", 0},
        {6, EditorKind::DestinationList, "", "", 1},
        {7, EditorKind::TextBox, "03", "%d", 0},
        {8, EditorKind::TextBox, "guide", "", 0},
        {9, EditorKind::None, "", "", 0},
        {10, EditorKind::TextBox, "note", "", 0},
        {11, EditorKind::None, "", "", 0},
    };
    for (const Case& c : cases) {
        const EditRules::EditorSetup s = EditRules::EditorFor(t, c.column);
        EXPECT_EQ(s.kind, c.kind) << "column " << c.column;
        EXPECT_EQ(s.text, c.text) << "column " << c.column;
        EXPECT_EQ(s.format, c.format) << "column " << c.column;
        EXPECT_EQ(s.listIndex, c.list) << "column " << c.column;
    }
    t.chTrainSuffix = 0;
    t.wTrainNo = 12345;
    EXPECT_EQ(EditRules::EditorFor(t, 1).text, "12345");
    t.wTrainNo = 12;
    EXPECT_EQ(EditRules::EditorFor(t, 1).text, "0012");
}

TEST(EditRules, ScanFollowsRuntimeLibrary)
{
    struct Case
    {
        const char* text;
        const char* format;
        int count;
        int n0;
        int n1;
        char c0;
    };
    const Case cases[] = {
        {"12A", "%d%c", 2, 12, 0, 'A'},
        {"  12 A", "%d%c", 2, 12, 0, ' '}, // %c takes the very next character
        {"12", "%d%c", 1, 12, 0, 0},
        {"", "%d%c", -1, 0, 0, 0},
        {"   ", "%d", -1, 0, 0, 0},
        {"A12", "%d%c", 0, 0, 0, 0},
        {"-3C", "%d%c", 2, -3, 0, 'C'},
        {"+7x", "%d%c", 2, 7, 0, 'x'},
        {"-", "%d", 0, 0, 0, 0},
        {"7:5", "%d:%d", 2, 7, 5, 0},
        {"7", "%d:%d", 1, 7, 0, 0},
        {"7:", "%d:%d", 1, 7, 0, 0},
        {"7.5", "%d:%d", 1, 7, 0, 0},
        {" 7: -5", "%d:%d", 2, 7, -5, 0},
        {"99999999999", "%d", 1, INT_MAX, 0, 0},
        {"-99999999999", "%d", 1, INT_MIN, 0, 0},
    };
    for (const Case& c : cases) {
        const EditRules::ScanResult r = EditRules::Scan(c.text, c.format);
        EXPECT_EQ(r.count, c.count) << c.text;
        if (r.count >= 1) {
            EXPECT_EQ(r.numbers[0], c.n0) << c.text;
        }
        if (c.format == std::string("%d:%d") && r.count == 2) {
            EXPECT_EQ(r.numbers[1], c.n1) << c.text;
        }
        if (c.format == std::string("%d%c") && r.count == 2) {
            EXPECT_EQ(r.chars[0], c.c0) << c.text;
        }
    }
}

TEST(EditRules, EnterCheck)
{
    EXPECT_TRUE(EditRules::EnterCheckPasses("", "%d%c"));
    EXPECT_TRUE(EditRules::EnterCheckPasses("12A", "%d%c"));
    EXPECT_FALSE(EditRules::EnterCheckPasses("12", "%d%c"));
    EXPECT_FALSE(EditRules::EnterCheckPasses("  ", "%d"));
    EXPECT_TRUE(EditRules::EnterCheckPasses("7:05", "%d:%d"));
    EXPECT_FALSE(EditRules::EnterCheckPasses("7", "%d:%d"));
    EXPECT_TRUE(EditRules::EnterCheckPasses("any text", ""));
}

struct NumberCase
{
    int column;
    const char* text;
    bool stored;
    bool beep;
    int value;   // wTrainNo, wTime or wPlatform after the apply
    char suffix; // column 1 only
};

class NumberRules : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(NumberRules, StoreWithFallbacks)
{
    const NumberCase& c = GetParam();
    tagTRAININFO t;
    t.wTrainNo = 77;
    t.chTrainSuffix = 'Q';
    t.wTime = 99;
    t.wPlatform = 55;
    const EditRules::ApplyResult r = EditRules::ApplyText(t, c.column, c.text);
    EXPECT_EQ(r.stored, c.stored);
    EXPECT_EQ(r.beep, c.beep);
    if (c.column == 1) {
        EXPECT_EQ(t.wTrainNo, c.value);
        EXPECT_EQ(t.chTrainSuffix, static_cast<quint8>(c.suffix));
    } else if (c.column == 5) {
        EXPECT_EQ(t.wTime, c.value);
    } else {
        EXPECT_EQ(t.wPlatform, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberRules,
    ::testing::Values(
        NumberCase{1, "12a", true, false, 12, 'A'}, NumberCase{1, "12", false, false, 77, 'Q'},
        NumberCase{1, "12-", true, true, 12, 'Z'}, NumberCase{1, "20000B", true, true, 0, 'B'},
        NumberCase{1, "-3C", true, true, 0, 'C'}, NumberCase{1, "10000z", true, false, 10000, 'Z'},
        NumberCase{1, "10001A", true, true, 0, 'A'}, NumberCase{1, "0012A", true, false, 12, 'A'},
        NumberCase{1, "x", false, false, 77, 'Q'}, NumberCase{5, "7:5", true, false, 425, 0},
        NumberCase{5, "24:00", true, true, 0, 0}, NumberCase{5, "12:75", true, true, 720, 0},
        NumberCase{5, "-1:-1", true, true, 0, 0}, NumberCase{5, "23:59", true, false, 1439, 0},
        NumberCase{5, "7", false, false, 99, 0}, NumberCase{7, "100", true, true, 1, 0},
        NumberCase{7, "5", true, false, 5, 0}, NumberCase{7, "-1", true, true, 1, 0},
        NumberCase{7, "99", true, false, 99, 0}, NumberCase{7, "", false, false, 55, 0}));

TEST(EditRules, TextColumnsStoreBytesUpTo511)
{
    tagTRAININFO t;
    t.strName = "old";
    EXPECT_TRUE(EditRules::ApplyText(t, 3, "").stored);
    EXPECT_TRUE(t.strName.isEmpty());
    EditRules::ApplyText(t, 8, QByteArray(600, 'x'));
    EXPECT_EQ(t.strGuide, QByteArray(511, 'x'));
    // 510 single bytes then a double-byte character: the pair would cross 511 and is dropped.
    const QByteArray kanji = Sjis::FromUtf8("駅");
    EditRules::ApplyText(t, 10, QByteArray(510, 'a') + kanji);
    EXPECT_EQ(t.strNote, QByteArray(510, 'a'));
    EditRules::ApplyText(t, 4, QByteArray(509, 'a') + kanji);
    EXPECT_EQ(t.strNameEn, QByteArray(509, 'a') + kanji);
    EXPECT_FALSE(EditRules::ApplyText(t, 9, "x").stored);
    EXPECT_FALSE(EditRules::ApplyText(t, 2, "1").stored);
}

TEST(EditRules, ListEntriesAndEncoding)
{
    tagTRAININFO t;
    EXPECT_TRUE(EditRules::ApplyListEntry(t, 2, 3).stored);
    EXPECT_EQ(t.wAssortment, 3);
    EXPECT_TRUE(EditRules::ApplyListEntry(t, 6, 1).stored);
    EXPECT_EQ(t.wDestination, 1);
    EXPECT_FALSE(EditRules::ApplyListEntry(t, 6, 0).stored);
    EXPECT_FALSE(EditRules::ApplyListEntry(t, 3, 2).stored);

    EditRules::EncodedText e = EditRules::EncodeEditorText(QString::fromUtf8("東京€"));
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.unencodable, QString::fromUtf8("€"));
    EXPECT_EQ(EditRules::UnencodableMessage(e.unencodable),
              QString::fromUtf8("「€」は保存できない文字です"));
    e = EditRules::EncodeEditorText(QString::fromUtf8("東京"));
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.bytes, Sjis::FromUtf8("東京"));
}

TEST(RowMoves, ARowFollowsItsTrainThroughEveryChange)
{
    using K = DocChange::Kind;
    const struct
    {
        DocChange change;
        int row;
        int after;
    } cases[] = {
        {{K::RowsInserted, 3, 2}, 2, 2},  {{K::RowsInserted, 3, 2}, 3, 5},
        {{K::RowsRemoved, 3, 2}, 2, 2},   {{K::RowsRemoved, 3, 2}, 4, -1},
        {{K::RowsRemoved, 3, 2}, 5, 3},   {{K::RowMoved, 2, 1, 5}, 2, 5},
        {{K::RowMoved, 2, 1, 5}, 5, 4},   {{K::RowMoved, 5, 1, 2}, 2, 3},
        {{K::RowMoved, 5, 1, 2}, 6, 6},   {{K::TrainsChanged, 1, 9}, 4, 4},
        {{K::RowsRemoved, 1, 9}, -1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowAfterChange(c.row, c.change), c.after)
            << int(c.change.kind) << " " << c.change.first << " row " << c.row;

    GridState state{3, 4, 4, true, 10};
    FollowChange(state, {K::RowsRemoved, 4, 1});
    EXPECT_EQ(state.m_nCopySrcRow, -1);
    EXPECT_FALSE(state.m_bCutMark); // a forgotten source carries no mark
}

// A range of rows stays on its trains through changes, as the current row does.
TEST(RowMoves, RangeFollowsItsTrains)
{
    using K = DocChange::Kind;
    struct Case
    {
        const char* what;
        int anchor, current;
        DocChange change;
        int anchorAfter, currentAfter;
    };
    const Case cases[] = {
        {"inserted above", 3, 7, {K::RowsInserted, 1, 2}, 5, 9},
        {"inserted inside", 3, 7, {K::RowsInserted, 5, 2}, 3, 9},
        {"inserted below", 7, 3, {K::RowsInserted, 8, 2}, 7, 3},
        {"removed above", 3, 7, {K::RowsRemoved, 1, 2}, 1, 5},
        {"anchor's train removed, current below", 3, 7, {K::RowsRemoved, 2, 3}, 2, 4},
        {"anchor's train removed, current above", 7, 3, {K::RowsRemoved, 6, 4}, 5, 3},
        {"anchor's train removed at the top", 1, 5, {K::RowsRemoved, 1, 2}, 1, 3},
        {"current row's train removed", 3, 7, {K::RowsRemoved, 7, 1}, -1, -1},
        {"anchor's train moved", 3, 7, {K::RowMoved, 3, 0, 9}, 9, 6},
        {"types changed", 3, 7, {K::TypesChanged}, 3, 7},
        {"reset", 3, 7, {K::Reset}, -1, 7},
        {"no range", -1, 7, {K::RowsInserted, 1, 2}, -1, 9},
    };
    for (const Case& c : cases) {
        GridState state;
        state.m_nCurColumn = 2;
        state.m_nCurRow = c.current;
        state.m_nRangeAnchor = c.anchor;
        FollowChange(state, c.change);
        EXPECT_EQ(state.m_nRangeAnchor, c.anchorAfter) << c.what;
        EXPECT_EQ(state.m_nCurRow, c.currentAfter) << c.what;
    }
}
