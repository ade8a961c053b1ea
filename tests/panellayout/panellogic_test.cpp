// The layout rules: the column under a point, covering, placing and hiding, and where boxes and
// the drag feedback are drawn.
#include "panellogic.h"

#include <gtest/gtest.h>

namespace {

struct ColumnCase
{
    int x;
    int width;
    int column;
};

TEST(PanelLogic, ColumnAt)
{
    const ColumnCase cases[] = {
        {0, 350, 1},          {10, 350, 1},          {11, 350, 2},
        {347, 350, 33},       {348, 350, kNoColumn}, {349, 350, kNoColumn},
        {-1, 350, kNoColumn}, {-10, 350, kNoColumn}, {0, 35, 1},
        {32, 35, 33},         {33, 35, kNoColumn},   {0, 3, 1},
        {0, 2, kNoColumn},    {0, 1, kNoColumn},     {0, 0, kNoColumn},
        {5, -4, kNoColumn},
    };
    for (const ColumnCase& c : cases)
        EXPECT_EQ(ColumnAt(c.x, c.width), c.column) << "x " << c.x << " width " << c.width;
}

// Every pixel of a part's box lies on the part's columns, at any width where a column is wide
// enough to be hit, so a press inside a drawn box always finds that part.
TEST(PanelLogic, BoxesLieOnTheirColumns)
{
    for (int width = 67; width <= 1200; ++width) {
        for (int column = 1; column <= kPanelColumns; ++column) {
            const PANELPART part{quint16(column), quint16(kPanelColumns - column), 0};
            const QRect box = PartBox(part, width, 20);
            ASSERT_EQ(ColumnAt(box.left(), width), column) << "width " << width;
            ASSERT_EQ(ColumnAt(box.left() + box.width() - 1, width), kPanelColumns);
            const QRect single = PartBox(PANELPART{quint16(column), 0, 0}, width, 20);
            ASSERT_EQ(ColumnAt(single.left() + single.width() - 1, width), column);
        }
    }
}

TEST(PanelLogic, WorkedExampleAt350)
{
    PanelLayout layout{};
    layout[3].wAlign = 1;
    ASSERT_TRUE(PlacePart(layout, 3, ColumnAt(11, 350), ColumnAt(60, 350)));
    EXPECT_EQ(layout[3], (PANELPART{2, 4, 1}));
    const QRect box = PartBox(layout[3], 350, 20);
    EXPECT_EQ(box.left(), 11);
    EXPECT_EQ(box.left() + box.width(), 63);
    EXPECT_EQ(box.top(), 1);
    EXPECT_EQ(box.top() + box.height(), 19);
    const QRect feedback = DragFeedbackRect(2, 6, 350, 20);
    EXPECT_EQ(feedback, QRect(QPoint(13, 2), QPoint(62, 16)));
}

TEST(PanelLogic, Covers)
{
    PanelLayout layout{};
    layout[1] = PANELPART{1, 5, 0};
    layout[4] = PANELPART{0, 10, 2}; // hidden parts cover nothing
    layout[6] = PANELPART{33, 0, 0};
    const struct
    {
        int column;
        bool typeCovers;
        bool anyCovers;
    } cases[] = {{0, false, false}, {1, true, true},    {6, true, true},
                 {7, false, false}, {10, false, false}, {33, false, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(PartCovers(layout[1], c.column), c.typeCovers) << c.column;
        EXPECT_EQ(AnyPartCovers(layout, c.column), c.anyCovers) << c.column;
    }
}

TEST(PanelLogic, PlaceAndHide)
{
    PanelLayout start{};
    start[1] = PANELPART{1, 5, 0};
    start[2] = PANELPART{0, 3, 1};
    const struct
    {
        int first;
        int last;
        bool placed;
    } cases[] = {{8, 8, true},          {8, 33, true},  {3, 20, true}, {8, 7, false},
                 {8, kNoColumn, false}, {8, 34, false}, {0, 5, false}};
    for (const auto& c : cases) {
        PanelLayout layout = start;
        EXPECT_EQ(PlacePart(layout, 2, c.first, c.last), c.placed) << c.first << ".." << c.last;
        PanelLayout expected = start;
        if (c.placed)
            expected[2] = PANELPART{quint16(c.first), quint16(c.last - c.first), 1};
        EXPECT_EQ(layout, expected) << c.first << ".." << c.last;
    }

    PanelLayout layout = start;
    HidePart(layout, 1);
    EXPECT_EQ(layout[1], (PANELPART{0, 5, 0}));
    EXPECT_EQ(layout[2], start[2]);
}

// The keys' steps keep to a drag's limits: on the panel, at least one column; the alignment and
// the other parts stay.
TEST(PanelLogic, StepPart)
{
    const struct
    {
        PANELPART from;
        int columns;
        bool resize;
        bool stepped;
        PANELPART to;
    } cases[] = {
        {{5, 2, 2}, 1, false, true, {6, 2, 2}},   {{5, 2, 2}, -1, false, true, {4, 2, 2}},
        {{1, 2, 2}, -1, false, false, {1, 2, 2}}, {{31, 2, 2}, 1, false, false, {31, 2, 2}},
        {{5, 2, 2}, 1, true, true, {5, 3, 2}},    {{5, 2, 2}, -1, true, true, {5, 1, 2}},
        {{5, 0, 2}, -1, true, false, {5, 0, 2}},  {{31, 2, 2}, 1, true, false, {31, 2, 2}},
        {{0, 3, 2}, 1, false, false, {0, 3, 2}},  {{33, 0, 2}, -1, false, true, {32, 0, 2}},
    };
    for (const auto& c : cases) {
        PanelLayout layout{};
        layout[1] = PANELPART{1, 5, 0};
        layout[3] = c.from;
        EXPECT_EQ(StepPart(layout, 3, c.columns, c.resize), c.stepped)
            << c.from.wColumn << "+" << c.columns << (c.resize ? " span" : "");
        EXPECT_EQ(layout[3], c.to) << c.from.wColumn << "+" << c.columns;
        EXPECT_EQ(layout[1], (PANELPART{1, 5, 0}));
    }
}

} // namespace
