// The text form of trains shows what the grid shows.

#include "celltext.h"
#include "samples.h"
#include "sjis.h"
#include "traintext.h"

#include <gtest/gtest.h>

TEST(TrainTextAndGrid, SameHeadersAndTexts)
{
    const char *name = "あずさ", *nameEn = "Azusa", *guide = "全車指定席", *note = "note";
    const CQLMDoc doc =
        Samples::Timetable().Trains({{123, 'A', 1, 321, 1, 3, name, nameEn, guide, note},
                                     {7, 0, 1, 1500, 1, 150, name, nameEn, guide, note},
                                     {0, 'Z', 5, 0, 9, 0, name, nameEn, guide, note}});
    const TrainText::Table table = TrainText::TrainTable(doc, 1, 3);
    for (int c = 1; c <= 10; ++c) {
        EXPECT_EQ(table[0][c - 1], CellText::Header(c)) << c;
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(table[r][c - 1], Sjis::Decode(CellText::Data(doc, r, c))) << r << ", " << c;
    }
}
