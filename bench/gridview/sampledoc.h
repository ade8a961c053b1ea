#pragma once

#include "sjis.h"
#include "veldendoc.h"

// A timetable of count trains with Japanese names, for benchmarks and pictures.
inline void FillSampleTimetable(CQLMDoc& d, int count);

// The same as the whole of a document.
inline void FillSampleTimetable(CVeldenDoc& doc, int count)
{
    CQLMDoc d;
    d.SetNewDocumentDefaults();
    FillSampleTimetable(d, count);
    doc.ResetTimetable(std::move(d));
}

inline void FillSampleTimetable(CQLMDoc& d, int count)
{
    const char* types[] = {"普通", "快速", "特急", "通勤快速"};
    d.SetAssortmentCount(4);
    for (int i = 1; i <= 4; ++i)
        d.m_TrainAssortment.ElementAt(i).strName = Sjis::FromUtf8(types[i - 1]);
    const char* destinations[] = {"東京", "高尾", "大月", "河口湖", "青梅"};
    d.SetDestinationCount(5);
    for (int i = 1; i <= 5; ++i)
        d.m_Destination.ElementAt(i).strName = Sjis::FromUtf8(destinations[i - 1]);
    const char* names[] = {"あずさ", "かいじ", "富士回遊", "", "はちおうじ"};
    const char* namesEn[] = {"Azusa", "Kaiji", "Fuji Excursion", "", "Hachioji"};
    d.SetTrainCount(static_cast<quint16>(count));
    for (int i = 1; i <= count; ++i) {
        tagTRAININFO& t = d.m_TrainInfo.ElementAt(i);
        t.wTrainNo = static_cast<quint16>(i % 10000);
        t.chTrainSuffix = static_cast<quint8>('A' + i % 26);
        t.wAssortment = static_cast<quint16>(1 + i % 4);
        t.strName = Sjis::FromUtf8(names[i % 5]);
        t.strNameEn = namesEn[i % 5];
        t.wTime = static_cast<quint16>((300 + i * 7) % 1440);
        t.wDestination = static_cast<quint16>(1 + i % 5);
        t.wPlatform = static_cast<quint16>(1 + i % 8);
        if (i % 3 == 0)
            t.strGuide = Sjis::FromUtf8("この列車は途中の駅で特急の待ち合わせをします");
        if (i % 4 == 0)
            t.strNote = Sjis::FromUtf8("全車指定席");
    }
}
