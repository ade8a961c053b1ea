// The text form of trains shows what the grid shows.

#include "celltext.h"
#include "sjis.h"
#include "traintext.h"

#include <gtest/gtest.h>

TEST(TrainTextAndGrid, SameHeadersAndTexts)
{
    CQLMDoc doc;
    doc.SetNewDocumentDefaults();
    doc.SetTrainCount(3);
    const struct
    {
        quint16 no;
        quint8 suffix;
        quint16 type, time, destination, platform;
    } trains[] = {{123, 'A', 1, 321, 1, 3}, {7, 0, 1, 1500, 1, 150}, {0, 'Z', 5, 0, 9, 0}};
    for (int r = 1; r <= 3; ++r) {
        tagTRAININFO& t = doc.m_TrainInfo.ElementAt(r);
        const auto& v = trains[r - 1];
        t.wTrainNo = v.no;
        t.chTrainSuffix = v.suffix;
        t.wAssortment = v.type;
        t.wTime = v.time;
        t.wDestination = v.destination;
        t.wPlatform = v.platform;
        t.strName = Sjis::FromUtf8("あずさ");
        t.strNameEn = "Azusa";
        t.strGuide = Sjis::FromUtf8("全車指定席");
        t.strNote = "note";
    }
    const TrainText::Table table = TrainText::TrainTable(doc, 1, 3);
    for (int c = 1; c <= 10; ++c) {
        EXPECT_EQ(table[0][c - 1], CellText::Header(c)) << c;
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(table[r][c - 1], Sjis::Decode(CellText::Data(doc, r, c))) << r << ", " << c;
    }
}
