// The JSON form is lossless: for every file that opens, .qlm -> .json -> .qlm gives the bytes
// that .qlm -> .qlm gives.

#include "qlmjson.h"
#include "testdocs.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

using Samples::Bytes;

struct Case
{
    const char* name;
    std::function<void(CQLMDoc&)> change;
};

QByteArray QlmToQlm(const QByteArray& file)
{
    CQLMDoc doc;
    EXPECT_TRUE(doc.LoadFile(file));
    return Bytes(doc);
}

// As the tool converts: the key block is packed before the JSON is written.
QByteArray QlmToJsonToQlm(const QByteArray& file, bool packFirst, QByteArray* json = nullptr)
{
    CQLMDoc doc;
    EXPECT_TRUE(doc.LoadFile(file));
    if (packFirst)
        doc.PackExtKeys();
    const QByteArray text = QlmJson::ToJsonText(doc);
    if (json)
        *json = text;
    CQLMDoc back;
    QString error;
    EXPECT_TRUE(QlmJson::FromJsonText(text, &back, &error)) << error.toStdString();
    return Bytes(back);
}

QByteArray Repeat(QByteArrayView pattern, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += pattern;
    return out;
}

QByteArray Block(quint32 seed, qsizetype size)
{
    QByteArray data(size, '\0');
    for (qsizetype i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        data[i] = static_cast<char>(seed >> 16);
    }
    return data;
}

void AddBlock(CQLMDoc& doc, QByteArrayView name, const QByteArray& data)
{
    doc.SetExtDataCount(doc.m_ExtData.m_nSize + 1);
    EXTDATA& block = doc.m_ExtData.ElementAt(doc.m_ExtData.m_nSize);
    block.SetName(name);
    block.SetData(data);
}

void AllTexts(CQLMDoc& doc, const QByteArray& text)
{
    for (QByteArray* s :
         {&doc.m_strStationId, &doc.m_strStationName, &doc.m_strStationNameEn,
          &doc.m_strPrevStation, &doc.m_strPrevStationEn, &doc.m_strNextStation,
          &doc.m_strNextStationEn, &doc.m_strLineName, &doc.m_strLineNameEn, &doc.m_strGuide,
          &doc.m_strGuideEn, &doc.m_strSubLineName, &doc.m_strSubLineNameEn, &doc.m_strSubGuide,
          &doc.m_strSubGuideEn, &doc.m_strGuideMessage})
        *s = text;
    tagTRAININFO& t = doc.m_TrainInfo.ElementAt(1);
    t.strName = t.strNameEn = t.strGuide = t.strNote = text;
    doc.m_TrainAssortment.ElementAt(1).strName = text;
    doc.m_TrainAssortment.ElementAt(1).strNameSub = text;
    doc.m_Destination.ElementAt(1).strName = doc.m_Destination.ElementAt(1).strNameEn = text;
    doc.m_GuideMessage.ElementAt(1).strMessage = text;
    doc.m_ExtKey[0].strValue = text;
}

void AllFlagsAndColors(CQLMDoc& doc, quint32 flag, quint32 color)
{
    for (quint32* f : {&doc.m_bLineColor2, &doc.m_bSubLine, &doc.m_bSubLineColor2,
                       &doc.m_TrainAssortment.ElementAt(1).bDefaultColor,
                       &doc.m_TrainAssortment.ElementAt(1).bLightBackground,
                       &doc.m_TrainAssortment.ElementAt(1).bCustomLayout,
                       &doc.m_GuideMessage.ElementAt(1).bExclusive})
        *f = flag;
    for (quint32* c :
         {&doc.m_crLineColor, &doc.m_crLineColor2, &doc.m_crSubLineColor, &doc.m_crSubLineColor2,
          &doc.m_crUnlit, &doc.m_crLit, &doc.m_TrainAssortment.ElementAt(1).crBack,
          &doc.m_TrainAssortment.ElementAt(1).crText})
        *c = color;
}

const Case kCases[] = {
    {"plain", [](CQLMDoc&) {}},
    {"invalid Shift-JIS", [](CQLMDoc& d) { AllTexts(d, QByteArray("\x81\xFF\x80\xA0\xFD", 5)); }},
    {"lone lead byte at end", [](CQLMDoc& d) { AllTexts(d, "abc\x82"); }},
    {"backslash and tilde", [](CQLMDoc& d) { AllTexts(d, "C:\\dir\\~x"); }},
    {"NEC selected IBM code", [](CQLMDoc& d) { AllTexts(d, "\xED\x40\xED\x41"); }},
    {"IBM code", [](CQLMDoc& d) { AllTexts(d, "\xFA\x5C\xFA\x40"); }},
    {"NEC row 13 duplicate", [](CQLMDoc& d) { AllTexts(d, "\x87\x90\x81\xE0\x87\x9A\xFA\x5B"); }},
    {"control characters and quotes", [](CQLMDoc& d) { AllTexts(d, "\x01\t\n\r\"\\/\x7F"); }},
    {"half-width katakana", [](CQLMDoc& d) { AllTexts(d, "\xB4\xD7\xB0"); }},
    {"flags 2", [](CQLMDoc& d) { AllFlagsAndColors(d, 2, 0x00123456); }},
    {"flags and colours all ones",
     [](CQLMDoc& d) { AllFlagsAndColors(d, 0xFFFFFFFF, 0xFFFFFFFF); }},
    {"colour with high byte", [](CQLMDoc& d) { AllFlagsAndColors(d, 1, 0xFF123456); }},
    {"colour 0x01000000", [](CQLMDoc& d) { AllFlagsAndColors(d, 0, 0x01000000); }},
    {"times past midnight",
     [](CQLMDoc& d) {
         d.m_wDateChangeTime = 1500;
         d.m_wDisplayStartTime = 65535;
         d.m_TrainInfo.ElementAt(1).wTime = 65535;
     }},
    {"guide message times outside the day",
     [](CQLMDoc& d) {
         d.SetGuideMessageCount(4);
         const qint32 times[][2] = {
             {-1, 1440},
             {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()},
             {1439, 0},
             {100000, -59}};
         for (int i = 0; i < 4; ++i) {
             d.m_GuideMessage.ElementAt(i + 1).nStartTime = times[i][0];
             d.m_GuideMessage.ElementAt(i + 1).nEndTime = times[i][1];
         }
     }},
    {"indexes 0 and 999",
     [](CQLMDoc& d) {
         d.SetTrainCount(2);
         d.m_TrainInfo.ElementAt(1).wAssortment = 0;
         d.m_TrainInfo.ElementAt(1).wDestination = 999;
         d.m_TrainInfo.ElementAt(2).wAssortment = 999;
         d.m_TrainInfo.ElementAt(2).wDestination = 0;
     }},
    {"no types, no destinations",
     [](CQLMDoc& d) {
         d.SetAssortmentCount(0);
         d.SetDestinationCount(0);
     }},
    {"extreme numbers",
     [](CQLMDoc& d) {
         tagTRAININFO& t = d.m_TrainInfo.ElementAt(1);
         t.wTrainNo = t.wReserved = t.wPlatform = 65535;
         d.m_wPlatform = 255;
         for (PANELPART& p : d.m_LayoutSub)
             p = {65535, 65535, 65535};
         d.m_TrainAssortment.ElementAt(1).layoutMain[6] = {33, 65535, 7};
     }},
    {"suffixes",
     [](CQLMDoc& d) {
         const quint8 suffixes[] = {0, 'A', 'z', ' ', '"', '\\', 0x7F, 0x80, 0xFF, 0x01};
         d.SetTrainCount(std::size(suffixes));
         for (size_t i = 0; i < std::size(suffixes); ++i)
             d.m_TrainInfo.ElementAt(qsizetype(i) + 1).chTrainSuffix = suffixes[i];
     }},
    {"blocks: empty, 100 kB, odd names",
     [](CQLMDoc& d) {
         AddBlock(d, "", QByteArray());
         AddBlock(d, "BIG", Block(7, 100 * 1024));
         AddBlock(d, "\x81", Block(8, 3));
         AddBlock(d, "SEVEN77", Block(9, 1));
         AddBlock(d, "\xB4\xD7", "ExD");
     }},
    {"several key blocks",
     [](CQLMDoc& d) {
         AddBlock(d, "@ORL300", Block(1, 40));
         AddBlock(d, "@ORL300", QByteArray());
     }},
    {"key block not first",
     [](CQLMDoc& d) {
         d.SetExtDataCount(0);
         AddBlock(d, "A", Block(2, 5));
         AddBlock(d, "@ORL300", Block(3, 12));
     }},
    {"no keys",
     [](CQLMDoc& d) {
         d.m_ExtKey.RemoveAll();
         d.PackExtKeys();
     }},
    {"no blocks, keys only", [](CQLMDoc& d) { d.SetExtDataCount(0); }},
    {"keys: long path, empty value, odd bytes",
     [](CQLMDoc& d) {
         EXTKEY k;
         k.SetKey(Repeat("p", 63));
         d.m_ExtKey.AddTail(k);
         k.SetKey("");
         k.strValue = "\xED\x40\x81";
         d.m_ExtKey.AddTail(k);
         k.SetKey("\x81\xFF/\x5C");
         k.strValue = "";
         d.m_ExtKey.AddTail(k);
         k.SetKey("MADEBY");
         k.strValue = "again";
         d.m_ExtKey.AddTail(k);
     }},
    {"long texts",
     [](CQLMDoc& d) {
         d.m_strGuideMessage = Repeat("\x82\xA0", 65535 / 2) + "x";
         d.m_TrainInfo.ElementAt(1).strNote = Repeat("\xFF", 65535);
     }},
    {"many trains",
     [](CQLMDoc& d) {
         d.SetTrainCount(3000);
         for (int i = 1; i <= 3000; ++i) {
             tagTRAININFO& t = d.m_TrainInfo.ElementAt(i);
             t.wTrainNo = quint16(i);
             t.wTime = quint16(i * 7);
             t.strName = i % 3 ? Sjis::FromUtf8("特急") : QByteArray("\xED\x40");
         }
     }},
};

class RoundTrip : public testing::TestWithParam<Case>
{
};

TEST_P(RoundTrip, QlmJsonQlmEqualsQlmQlm)
{
    CQLMDoc doc = Samples::Small();
    GetParam().change(doc);
    const QByteArray file = Bytes(doc);
    ASSERT_FALSE(file.isEmpty());
    const QByteArray expected = QlmToQlm(file);
    EXPECT_EQ(QlmToJsonToQlm(file, true), expected);
    EXPECT_EQ(QlmToJsonToQlm(file, false), expected);
}

// The JSON form carries every member, including values a save would not change the file by.
TEST_P(RoundTrip, DocumentSurvivesJson)
{
    CQLMDoc doc = Samples::Small();
    GetParam().change(doc);
    CQLMDoc back;
    QString error;
    ASSERT_TRUE(QlmJson::FromJsonText(QlmJson::ToJsonText(doc), &back, &error))
        << error.toStdString();
    // The text form and the object form agree.
    EXPECT_EQ(QJsonDocument::fromJson(QlmJson::ToJsonText(doc)).object(), QlmJson::ToJson(doc));
    EXPECT_EQ(QlmJson::ToJson(back), QlmJson::ToJson(doc));
    EXPECT_EQ(back.m_wPlatform, doc.m_wPlatform);
    EXPECT_EQ(back.m_TrainInfo.Items(), doc.m_TrainInfo.Items());
    EXPECT_EQ(back.m_TrainAssortment.Items(), doc.m_TrainAssortment.Items());
    EXPECT_EQ(back.m_Destination.Items(), doc.m_Destination.Items());
    EXPECT_EQ(back.m_GuideMessage.Items(), doc.m_GuideMessage.Items());
    EXPECT_EQ(back.m_ExtData.Items(), doc.m_ExtData.Items());
    EXPECT_EQ(back.m_ExtKey, doc.m_ExtKey);
    EXPECT_EQ(back.m_LayoutMain, doc.m_LayoutMain);
    EXPECT_EQ(back.m_LayoutSub, doc.m_LayoutSub);
    EXPECT_EQ(back.m_wTrainCount, doc.m_TrainInfo.m_nSize);
    EXPECT_EQ(back.m_wAssortmentCount, doc.m_TrainAssortment.m_nSize);
    EXPECT_EQ(back.m_wDestinationCount, doc.m_Destination.m_nSize);
    EXPECT_EQ(back.m_wGuideMessageCount, doc.m_GuideMessage.m_nSize);
    EXPECT_EQ(back.m_nExtDataCount, doc.m_ExtData.m_nSize);
    EXPECT_EQ(Bytes(back), Bytes(doc));
}

INSTANTIATE_TEST_SUITE_P(Documents, RoundTrip, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

// Files whose extension section is missing or empty, and the older version.
TEST(RoundTripFiles, SpecialFiles)
{
    const QByteArray file = Bytes(Samples::Small());
    const qsizetype marker = file.lastIndexOf(QByteArrayView("ExD\0", 4));
    ASSERT_GT(marker, 0);
    const QByteArray noSection = file.left(marker);
    const QByteArray noBlocks = file.left(marker + 4) + QByteArray(4, '\0');
    for (const QByteArray& f : {noSection, noBlocks, TestDocs::Version2File()}) {
        CQLMDoc doc;
        ASSERT_TRUE(doc.LoadFile(f));
        const QByteArray expected = QlmToQlm(f);
        EXPECT_EQ(QlmToJsonToQlm(f, true), expected);
        EXPECT_EQ(QlmToJsonToQlm(f, false), expected);
    }
}

// What a person reads in the JSON form.
TEST(JsonForm, ReadableValues)
{
    CQLMDoc doc = Samples::Small();
    doc.m_crLit = 0x00563412;
    doc.m_crUnlit = 0xFF123456;
    doc.m_wDateChangeTime = 1500;
    doc.m_wDisplayStartTime = 65535;
    doc.SetGuideMessageCount(2);
    doc.m_GuideMessage.ElementAt(1).nStartTime = 600;
    doc.m_GuideMessage.ElementAt(1).nEndTime = 1440;
    doc.m_GuideMessage.ElementAt(2).nStartTime = -5;
    doc.m_GuideMessage.ElementAt(2).strMessage = "\xED\x40";
    doc.m_strGuide = "\x81";
    doc.m_TrainInfo.ElementAt(1).chTrainSuffix = 0xFF;
    doc.m_ExtData.ElementAt(1).SetData("\x01\xAB");
    const QJsonObject o = QlmJson::ToJson(doc);

    EXPECT_EQ(o["m_crLit"], "#123456");
    EXPECT_EQ(o["m_crUnlit"], "0xFF123456");
    EXPECT_EQ(o["m_crLineColor"], "#0000FF");
    EXPECT_EQ(o["m_wDateChangeTime"], "25:00");
    EXPECT_EQ(o["m_wDisplayStartTime"], "1092:15");
    EXPECT_EQ(o["m_strStationName"], QString::fromUtf8("新規駅"));
    EXPECT_EQ(o["m_strGuide"], QJsonObject({{"sjisHex", "81"}}));
    const QJsonArray messages = o["m_GuideMessage"].toArray();
    EXPECT_EQ(messages[0]["nStartTime"], "10:00");
    EXPECT_EQ(messages[0]["nEndTime"], 1440);
    EXPECT_EQ(messages[1]["nStartTime"], -5);
    EXPECT_EQ(messages[1]["strMessage"], QJsonObject({{"sjisHex", "ed40"}}));
    const QJsonObject train = o["m_TrainInfo"][0].toObject();
    EXPECT_EQ(train["chTrainSuffix"], 255);
    EXPECT_EQ(train["wTime"], "07:30");
    EXPECT_EQ(train["strName"], QString::fromUtf8("あずさ"));
    EXPECT_EQ(o["m_LayoutMain"][1], QJsonObject({{"wColumn", 1}, {"wSpan", 5}, {"wAlign", 0}}));
    EXPECT_EQ(o["m_ExtData"][0], QJsonObject({{"szName", "@ORL300"}, {"hData", "01ab"}}));
    EXPECT_EQ(o["m_ExtKey"][0], QJsonObject({{"szKey", "MADEBY"}, {"strValue", "tester"}}));
    EXPECT_FALSE(o.contains("m_wTrainCount"));

    // One line per list entry, fields in member order.
    const QByteArray text = QlmJson::ToJsonText(doc);
    EXPECT_TRUE(
        text.contains("\n        {\"wTrainNo\":1234,\"chTrainSuffix\":255,\"wAssortment\":1,"))
        << text.constData();
    EXPECT_TRUE(text.contains("\n    \"m_strStationId\": \"" + QString::fromUtf8("新規").toUtf8()));
}

// Values people write by hand in other spellings.
TEST(JsonForm, AlternativeSpellings)
{
    QJsonObject o = QlmJson::ToJson(Samples::Small());
    o["m_crLit"] = 0x00123456;
    o["m_crUnlit"] = "0xabc";
    o["m_wDateChangeTime"] = 95;
    o["m_wDisplayStartTime"] = "5:07";
    o["m_bSubLine"] = true;
    o["m_strGuide"] = QJsonObject{{"sjisHex", "82 A0\n82a2"}};
    QJsonArray trains = o["m_TrainInfo"].toArray();
    QJsonObject train = trains[0].toObject();
    train["chTrainSuffix"] = "";
    train["wTime"] = "100:00";
    trains[0] = train;
    o["m_TrainInfo"] = trains;
    CQLMDoc doc;
    QString error;
    ASSERT_TRUE(QlmJson::FromJson(o, &doc, &error)) << error.toStdString();
    EXPECT_EQ(doc.m_crLit, 0x00123456u);
    EXPECT_EQ(doc.m_crUnlit, 0xABCu);
    EXPECT_EQ(doc.m_wDateChangeTime, 95);
    EXPECT_EQ(doc.m_wDisplayStartTime, 307);
    EXPECT_EQ(doc.m_bSubLine, 1u);
    EXPECT_EQ(doc.m_strGuide, QByteArray("\x82\xA0\x82\xA2"));
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(1).chTrainSuffix, 0);
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(1).wTime, 6000);
}

} // namespace

namespace {

// The example of docs/qlmtool.md is exactly what the tool writes for it.
TEST(JsonForm, DocumentedExampleIsAFixedPoint)
{
    QFile file(QStringLiteral(QLMTOOL_TEST_DATA "/example.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    CQLMDoc doc;
    QString error;
    ASSERT_TRUE(QlmJson::FromJsonText(text, &doc, &error)) << error.toStdString();
    EXPECT_TRUE(doc.Check().isEmpty());
    EXPECT_EQ(doc.m_strGuideMessage, QByteArray("\x8E\xC0\x8E\x7B\x92\x86\xED\x40"));
    EXPECT_EQ(doc.m_crUnlit, 0xFF303030u);
    EXPECT_EQ(doc.m_GuideMessage.ElementAt(2).nStartTime, -30);
    EXPECT_EQ(doc.m_TrainInfo.ElementAt(2).wTime, 24 * 60 + 35);
    EXPECT_EQ(QlmJson::ToJsonText(doc), text);
}

} // namespace
