// The file format against bytes written out here, both versions, and the round-trip rules.

#include "filebytes.h"
#include "qlmdoc.h"
#include "samples.h"

#include <gtest/gtest.h>

namespace {

CQLMDoc Load(const QByteArray& bytes)
{
    CQLMDoc doc;
    LoadError error;
    EXPECT_TRUE(doc.LoadFile(bytes, &error)) << error.English().toStdString();
    return doc;
}

QByteArray Save(CQLMDoc& doc)
{
    QByteArray out;
    SaveError error;
    EXPECT_TRUE(doc.SaveFile(&out, &error)) << error.English().toStdString();
    return out;
}

TEST(FileFormat, ReadsEveryFieldOfVersion3)
{
    const CQLMDoc doc = Load(V3File::Full());
    EXPECT_EQ(doc.m_nFileVersion, 3);
    EXPECT_EQ(doc.m_strStationId, "ID");
    EXPECT_EQ(doc.m_strStationName, "\x93\x96\x89\x77");
    // The next station comes before the previous one in the file.
    EXPECT_EQ(doc.m_strNextStation, "Next");
    EXPECT_EQ(doc.m_strPrevStationEn, "PrevEn");
    EXPECT_EQ(doc.m_wPlatform, 7);
    EXPECT_EQ(doc.m_crLineColor, 0x00112233u);
    EXPECT_EQ(doc.m_crLineColor2, 0x00445566u);
    EXPECT_EQ(doc.m_bLineColor2, 1u);
    EXPECT_EQ(doc.m_bSubLine, 1u);
    EXPECT_EQ(doc.m_crSubLineColor, 0x00778899u);
    EXPECT_EQ(doc.m_crSubLineColor2, 0x00AABBCCu);
    EXPECT_EQ(doc.m_bSubLineColor2, 0u);
    EXPECT_EQ(doc.m_strSubGuideEn, "SubGuideEn");
    EXPECT_EQ(doc.m_strGuideMessage, "AllDay");
    ASSERT_EQ(doc.m_wGuideMessageCount, 1);
    ASSERT_EQ(doc.m_GuideMessage.m_nSize, 1);
    EXPECT_EQ(doc.m_GuideMessage.ElementAt(1).nStartTime, 360);
    EXPECT_EQ(doc.m_GuideMessage.ElementAt(1).strMessage, "Msg");
    EXPECT_EQ(doc.m_LayoutMain[6], (PANELPART{7, 6, 0}));
    EXPECT_EQ(doc.m_LayoutSub[0], (PANELPART{11, 0, 0}));
    EXPECT_EQ(doc.m_crUnlit, 0x00303030u);
    EXPECT_EQ(doc.m_wDateChangeTime, 120);
    EXPECT_EQ(doc.m_wDisplayStartTime, 300);
    ASSERT_EQ(doc.m_wAssortmentCount, 2);
    const tagTRAINASSORTMENT& rapid = doc.m_TrainAssortment.ElementAt(2);
    EXPECT_EQ(rapid.strNameSub, "RAPID");
    // The custom-layout flag comes before the two colours.
    EXPECT_EQ(rapid.bCustomLayout, 1u);
    EXPECT_EQ(rapid.crBack, 0x00303030u);
    EXPECT_EQ(rapid.layoutSub[2], (PANELPART{33, 2, 2}));
    ASSERT_EQ(doc.m_wDestinationCount, 2);
    EXPECT_EQ(doc.m_Destination.ElementAt(2).strNameEn, "DestBEn");
    ASSERT_EQ(doc.m_wTrainCount, 2);
    ASSERT_EQ(doc.m_TrainInfo.m_nSize, 2);
    const tagTRAININFO& t = doc.m_TrainInfo.ElementAt(1);
    EXPECT_EQ(t.wTrainNo, 12);
    EXPECT_EQ(t.chTrainSuffix, 'A');
    EXPECT_EQ(t.wTime, 425);
    EXPECT_EQ(t.wReserved, 0xBEEF);
    EXPECT_EQ(t.wDestination, 2);
    EXPECT_EQ(t.wPlatform, 3);
    EXPECT_EQ(t.strNote, "Note");
    ASSERT_EQ(doc.m_nExtDataCount, 1);
    ASSERT_EQ(doc.m_ExtKey.size(), 1);
    EXPECT_EQ(doc.m_ExtKey[0].Key(), "A");
    EXPECT_EQ(doc.m_ExtKey[0].strValue, "B");
}

TEST(FileFormat, Version3RoundTripClearsOnlyTheReservedByte)
{
    QByteArray file = V3File::Full();
    CQLMDoc doc = Load(file);
    QByteArray expected = file;
    const qsizetype reserved = expected.indexOf("PrevEn") + 6 + 1;
    ASSERT_EQ(expected[reserved], '\x55');
    expected[reserved] = 0;
    EXPECT_EQ(Save(doc), expected);
}

TEST(FileFormat, WritesTheExactBytesOfAMinimalTimetable)
{
    CQLMDoc doc = Samples::Timetable();
    const QByteArray saved = Save(doc);
    FileBytes f;
    f.raw("QL3").str("\x90\x56\x8B\x4B").str("\x90\x56\x8B\x4B\x89\x77").str("newstation");
    f.str("").str("").str("").str("").u8(1).u8(0);
    f.u32(0x00FF0000).u32(0x000000FF).u32(0).str("").str("").str("").str("");
    f.u32(0).u32(0x00FF0000).u32(0x000000FF).u32(0).str("").str("").str("").str("");
    f.str("\x83\x4B\x83\x43\x83\x68\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57").u16(0);
    for (int l = 0; l < 2; ++l)
        for (int i = 0; i < 7; ++i)
            f.u16(i == 1 ? 1 : 0).u16(i == 1 ? 5 : 0).u16(0);
    f.u32(0x00303030).u32(0x0000FF00).u16(1).u16(1).u16(0).u16(0).u16(0);
    f.str("\x95\x81\x92\xCA").str("LOCAL").u32(1).u32(0).u32(0).u32(0x00303030).u32(0x0000FF00);
    for (int l = 0; l < 2; ++l)
        for (int i = 0; i < 7; ++i)
            f.u16(i == 1 ? 1 : 0).u16(i == 1 ? 5 : 0).u16(0);
    f.str("\x90\x56\x8B\x4B\x8D\x73\x90\xE6").str("New dest");
    // No trains: the marker follows the last destination; a key block with K = 0.
    f.raw(QByteArray("ExD\0", 4)).u32(1).zstr("@ORL300").u32(6).u32(0).u16(0);
    EXPECT_EQ(saved.toHex(' '), f.d.toHex(' '));
}

TEST(FileFormat, StringEncodings)
{
    CQLMDoc doc = Samples::Timetable();
    doc.m_strStationId = QByteArray(300, 'x');
    doc.m_strStationName.clear();
    const QByteArray saved = Save(doc);
    EXPECT_EQ(saved.mid(3, 2), QByteArray("\x2C\x01", 2));
    EXPECT_EQ(saved.mid(5 + 300, 2), QByteArray("\x00\x00", 2));
}

// Version 2: the older layout of the same sequence and its conversions.
QByteArray V2File(bool withExtension)
{
    FileBytes f;
    f.raw("QLM").str("ID").str("Name").str("En").str("N").str("NE").str("P").str("PE");
    f.u8(4).u8(0);
    f.u32(0x00010203); // line colour only
    f.str("L").str("LE").str("G").str("GE");
    f.u16(0xFFFF).u32(0x00040506); // sub line as u16, its colour; no second colour
    f.str("S").str("SE").str("SG").str("SGE").str("All");
    // No guide messages. Layouts count the columns: spans 5 and 0 become 4 and 65535.
    for (int l = 0; l < 2; ++l)
        for (int i = 0; i < 7; ++i)
            f.u16(i + 1).u16(i == 0 ? 5 : (i == 1 ? 0 : 3)).u16(1);
    f.u32(0x00303030).u32(0x0000FF00);
    f.u16(2).u16(1).u16(0).u16(0).u16(1);
    f.str("T1").str("T1E").u32(0x00303030).u32(0x0000FF00); // default colours
    f.str("T2").str("T2E").u32(0x00000040).u32(0x000000FF);
    f.str("D").str("DE");
    f.u16(5).u8('B').u16(2).str("n").str("ne").u16(60).u16(0).u16(1).u16(2).str("g").str("o");
    if (withExtension)
        f.raw(QByteArray("ExD\0", 4)).u32(0);
    return f.d;
}

TEST(FileFormat, Version2IsConverted)
{
    const CQLMDoc doc = Load(V2File(false));
    EXPECT_EQ(doc.m_nFileVersion, 2);
    EXPECT_EQ(doc.m_crLineColor2, 0x00010203u);
    EXPECT_EQ(doc.m_bLineColor2, 0u);
    EXPECT_EQ(doc.m_bSubLine, 1u);
    EXPECT_EQ(doc.m_crSubLineColor2, 0x00040506u);
    EXPECT_EQ(doc.m_wGuideMessageCount, 0);
    EXPECT_EQ(doc.m_LayoutMain[0].wSpan, 4);
    EXPECT_EQ(doc.m_LayoutMain[1].wSpan, 65535);
    EXPECT_EQ(doc.m_LayoutSub[2].wSpan, 2);
    const tagTRAINASSORTMENT& t1 = doc.m_TrainAssortment.ElementAt(1);
    EXPECT_EQ(t1.bDefaultColor, 1u);
    EXPECT_EQ(t1.bLightBackground, 0u);
    EXPECT_EQ(t1.bCustomLayout, 0u);
    EXPECT_EQ(t1.layoutMain, doc.m_LayoutMain);
    const tagTRAINASSORTMENT& t2 = doc.m_TrainAssortment.ElementAt(2);
    EXPECT_EQ(t2.bDefaultColor, 0u);
    EXPECT_EQ(t2.bLightBackground, 1u);
    EXPECT_EQ(t2.layoutSub, doc.m_LayoutSub);
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(1).chTrainSuffix, 'B');
    // No extension section: the key block and the seven default keys.
    ASSERT_EQ(doc.m_nExtDataCount, 1);
    EXPECT_EQ(doc.m_ExtData.ElementAt(1).Name(), "@ORL300");
    EXPECT_EQ(doc.m_ExtData.ElementAt(1).hData, QByteArray(10, '\0'));
    ASSERT_EQ(doc.m_ExtKey.size(), 7);
    EXPECT_EQ(doc.m_ExtKey[0].Key(), "MADEBY");
    EXPECT_EQ(doc.m_ExtKey[1].strValue, "\x28\x93\x53\x93\xB9\x89\xEF\x8E\xD0\x96\xBC\x29");
    EXPECT_EQ(doc.m_ExtKey[6].Key(), "STANDARD/UPDATE");
    EXPECT_EQ(doc.m_ExtKey[6].strValue, "20xx/xx/xx");
}

TEST(FileFormat, Version2IsWrittenBackAsVersion3WithTheDefaultKeys)
{
    CQLMDoc doc = Load(V2File(false));
    const QByteArray saved = Save(doc);
    EXPECT_TRUE(saved.startsWith("QL3"));
    CQLMDoc again = Load(saved);
    EXPECT_EQ(again.m_LayoutMain, doc.m_LayoutMain);
    EXPECT_EQ(again.m_TrainAssortment.Items(), doc.m_TrainAssortment.Items());
    EXPECT_EQ(again.m_ExtKey, doc.m_ExtKey);
    // The key block is rebuilt: 4 + sum(path + value + 2) + 2.
    qsizetype expected = 6;
    for (const EXTKEY& k : doc.m_ExtKey)
        expected += k.Key().size() + k.strValue.size() + 2;
    EXPECT_EQ(again.m_ExtData.ElementAt(1).dwSize, static_cast<quint32>(expected));
    EXPECT_EQ(Save(again), saved);
}

TEST(FileFormat, ZeroBlocksGainAKeyBlockWithNoKeys)
{
    CQLMDoc doc = Load(V2File(true));
    EXPECT_EQ(doc.m_nExtDataCount, 0);
    EXPECT_TRUE(doc.m_ExtKey.isEmpty());
    const QByteArray saved = Save(doc);
    EXPECT_TRUE(saved.endsWith(QByteArray("ExD\0\x01\0\0\0@ORL300\0\x06\0\0\0\0\0\0\0\0\0", 26)));
}

TEST(FileFormat, KeyBlockRulesOnRoundTrip)
{
    FileBytes f = V3File::Lists(V3File::Head(), 0);
    // A one-byte name and an unnamed block come first; the key block has stale trailing bytes;
    // a second "@ORL300" block is kept as plain data.
    f.raw(QByteArray("ExD\0", 4)).u32(4);
    f.zstr("X").u32(3).raw("abc");
    f.zstr("").u32(0);
    f.zstr("@ORL300").u32(19).u32(2).zstr("P").zstr("").zstr("Q/R").zstr("v").raw("zzzzzz");
    f.zstr("@ORL300").u32(4).u32(0x7FFFFFFF);
    f.raw("trailing bytes are ignored");
    CQLMDoc doc = Load(f.d);
    ASSERT_EQ(doc.m_nExtDataCount, 4);
    ASSERT_EQ(doc.m_ExtKey.size(), 2);
    EXPECT_EQ(doc.m_ExtKey[0].strValue, "");
    EXPECT_EQ(doc.m_ExtKey[1].Key(), "Q/R");
    const QByteArray saved = Save(doc);
    FileBytes e = V3File::Lists(V3File::Head(), 0);
    e.d[e.d.indexOf("PrevEn") + 7] = 0;
    e.raw(QByteArray("ExD\0", 4)).u32(4);
    e.zstr("X").u32(3).raw("abc");
    e.zstr("").u32(0);
    e.zstr("@ORL300").u32(15).u32(2).zstr("P").zstr("").zstr("Q/R").zstr("v").u16(0);
    e.zstr("@ORL300").u32(4).u32(0x7FFFFFFF);
    EXPECT_EQ(saved.toHex(' '), e.d.toHex(' '));
}

TEST(FileFormat, SeparateKeysAndBlockSizes)
{
    CQLMDoc doc = Samples::Timetable();
    EXTKEY key;
    key.SetKey("A");
    key.strValue = "B";
    doc.m_ExtKey.AddTail(key);
    doc.PackExtKeys();
    ASSERT_EQ(doc.m_nExtDataCount, 1);
    EXPECT_EQ(doc.m_ExtData.ElementAt(1).hData, QByteArray("\x01\0\0\0A\0B\0\0\0", 10));
    EXPECT_EQ(doc.m_ExtData.ElementAt(1).dwSize, 10u);
}

TEST(FileFormat, StringWithZeroByteIsCutThere)
{
    FileBytes f;
    f.raw("QL3").str(QByteArray("ab\0cd", 5));
    const QByteArray rest = V3File::Full().mid(3 + 4);
    CQLMDoc doc = Load(f.d + rest);
    EXPECT_EQ(doc.m_strStationId, "ab");
}

TEST(FileFormat, TooLongStringRefusesTheWholeSave)
{
    CQLMDoc doc = Samples::Timetable();
    doc.SetTrainCount(3);
    doc.m_TrainInfo.ElementAt(3).strGuide = QByteArray(65536, 'x');
    QByteArray out = "untouched";
    SaveError error;
    EXPECT_FALSE(doc.SaveFile(&out, &error));
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(error.field, "m_TrainInfo[3].strGuide");
    EXPECT_EQ(error.length, 65536);
    doc.m_TrainInfo.ElementAt(3).strGuide = QByteArray(65535, 'x');
    EXPECT_TRUE(doc.SaveFile(&out, &error));
}

TEST(FileFormat, EveryEntryIsWrittenWhateverTheCountMemberSays)
{
    CQLMDoc doc = Samples::Timetable();
    doc.m_TrainInfo.SetSize(5); // the count member still says 0: no entry may be lost
    doc.m_Destination.SetSize(3);
    CQLMDoc again = Load(Save(doc));
    EXPECT_EQ(again.m_wTrainCount, 5);
    EXPECT_EQ(again.m_wDestinationCount, 3);
}

} // namespace
