#pragma once

// A timetable at the format's limits: 65,535 trains with Japanese texts, hundreds of types and
// destinations, guide messages and keys.

#include "qlmdoc.h"
#include "sjis.h"

inline CQLMDoc MakeBigTimetable(int trains = 65535)
{
    CQLMDoc doc;
    doc.SetNewDocumentDefaults();
    const char* names[] = {"普通", "快速", "特急あずさ", "通勤快速", "区間準急", "ライナー"};
    const char* places[] = {"東京", "新宿", "八王子", "高尾", "大月", "甲府", "松本", "河口湖"};
    doc.SetAssortmentCount(300);
    for (int i = 1; i <= 300; ++i) {
        tagTRAINASSORTMENT& a = doc.m_TrainAssortment.ElementAt(i);
        a = doc.m_TrainAssortment.ElementAt(1);
        a.strName = Sjis::FromUtf8(names[i % 6]) + QByteArray::number(i);
        a.strNameSub = "TYPE " + QByteArray::number(i);
    }
    doc.SetDestinationCount(400);
    for (int i = 1; i <= 400; ++i) {
        DESTINATION& d = doc.m_Destination.ElementAt(i);
        d.strName = Sjis::FromUtf8(places[i % 8]) + QByteArray::number(i);
        d.strNameEn = "Destination " + QByteArray::number(i);
    }
    doc.SetGuideMessageCount(50);
    for (int i = 1; i <= 50; ++i)
        doc.m_GuideMessage.ElementAt(i) = {i * 20, i * 20 + 15, 0,
                                           Sjis::FromUtf8("まもなく電車がまいります")};
    const QByteArray guide = Sjis::FromUtf8("この電車は各駅に停車します");
    const QByteArray note = Sjis::FromUtf8("１号車は女性専用車です");
    const QByteArray name = Sjis::FromUtf8("かいじ");
    doc.SetTrainCount(static_cast<quint16>(trains));
    for (int i = 1; i <= trains; ++i) {
        tagTRAININFO& t = doc.m_TrainInfo.ElementAt(i);
        t.wTrainNo = static_cast<quint16>(i % 10000);
        t.chTrainSuffix = static_cast<quint8>('A' + i % 26);
        t.wAssortment = static_cast<quint16>(1 + i % 300);
        t.strName = name + QByteArray::number(i % 100);
        t.strNameEn = "Kaiji " + QByteArray::number(i % 100);
        t.wTime = static_cast<quint16>(i % 1440);
        t.wDestination = static_cast<quint16>(1 + i % 400);
        t.wPlatform = static_cast<quint16>(1 + i % 12);
        t.strGuide = guide;
        t.strNote = (i % 3) ? QByteArray() : note;
    }
    for (int i = 0; i < 20; ++i) {
        EXTKEY key;
        key.SetKey("STANDARD/KEY" + QByteArray::number(i));
        key.strValue = "value";
        doc.m_ExtKey.AddTail(key);
    }
    return doc;
}
