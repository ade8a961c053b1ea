#pragma once

// Timetables and a tiny font for the board tests.

#include "boardfont.h"
#include "qlmdoc.h"
#include "sjis.h"

#include <QByteArray>

#include <initializer_list>
#include <utility>

namespace BoardSample {

inline QByteArray J(const char* utf8)
{
    return Sjis::FromUtf8(utf8);
}

inline int Hm(int hour, int minute)
{
    return hour * 60 + minute;
}

// A platform board: date change 02:00, display start 04:30, two types (快速 lit in its own
// colour on a lit background), two destinations, and trains at the given times in file order,
// each going to 東京 with its row number as the platform.
inline CQLMDoc Timetable(std::initializer_list<int> times = {Hm(5, 0), Hm(7, 0), Hm(7, 10),
                                                             Hm(7, 30), Hm(23, 50), Hm(0, 45)})
{
    CQLMDoc doc;
    doc.SetNewDocumentDefaults();
    doc.m_wDateChangeTime = Hm(2, 0);
    doc.m_wDisplayStartTime = Hm(4, 30);
    doc.m_strLineName = J("中央線");
    doc.m_strLineNameEn = "Chuo Line";
    doc.m_strGuide = J("新宿・東京方面");
    doc.m_strGuideEn = "For Shinjuku";
    const PanelLayout layout = {PANELPART{1, 2, 0},  PANELPART{4, 2, 2},  PANELPART{7, 4, 0},
                                PANELPART{12, 2, 2}, PANELPART{15, 5, 1}, PANELPART{21, 1, 2},
                                PANELPART{23, 10, 0}};
    doc.m_LayoutMain = layout;
    doc.m_LayoutSub = layout;
    doc.SetAssortmentCount(2);
    tagTRAINASSORTMENT& rapid = doc.m_TrainAssortment.ElementAt(2);
    rapid = doc.m_TrainAssortment.ElementAt(1);
    rapid.strName = J("快速");
    rapid.strNameSub = "RAPID";
    rapid.bDefaultColor = 0;
    rapid.crText = 0x000080FF;
    rapid.bLightBackground = 1;
    rapid.crBack = 0x00404040;
    doc.SetDestinationCount(2);
    doc.m_Destination.ElementAt(1) = {J("東京"), "Tokyo"};
    doc.m_Destination.ElementAt(2) = {J("高尾"), "Takao"};
    doc.SetTrainCount(static_cast<quint16>(times.size()));
    int row = 0;
    for (int time : times) {
        tagTRAININFO& t = doc.m_TrainInfo.ElementAt(++row);
        t.wTrainNo = static_cast<quint16>(100 + row);
        t.wAssortment = 1;
        t.wTime = static_cast<quint16>(time);
        t.wDestination = 1;
        t.wPlatform = static_cast<quint16>(row);
    }
    return doc;
}

// A font of a few glyphs easy to work out by hand: 'A' a solid 8 x 16 block, 'あ' a 16-dot
// glyph with only its leftmost column lit, '7' an 8-dot glyph with only its rightmost column
// lit. It has no geta mark, so a missing character shows as the hollow box.
inline CBoardFont TinyFont()
{
    QByteArray hex = "0041:" + QByteArray(32, 'F') + "\n3042:";
    for (int row = 0; row < 16; ++row)
        hex += "8000";
    hex += "\r\n0037:";
    for (int row = 0; row < 16; ++row)
        hex += "01";
    hex += "\n";
    CBoardFont font;
    font.LoadFromBytes(hex);
    return font;
}

} // namespace BoardSample
