// Malformed JSON is refused with one line that names the offending field.

#include "qlmjson.h"
#include "testdocs.h"

#include <gtest/gtest.h>

namespace {

struct Malformed
{
    const char* from; // a piece of the valid text form...
    QByteArray to;    // ...replaced by this
    const char* message;
};

QByteArray Valid()
{
    return QlmJson::ToJsonText(Samples::Small());
}

QByteArray TooMany(const char* entry, int count)
{
    QByteArray out = "[";
    for (int i = 0; i < count; ++i)
        out += (i ? "," : "") + QByteArray(entry);
    return out + "]";
}

const QByteArray kTrain = R"({"wTrainNo":1234,)";

const Malformed kCases[] = {
    // syntax and shape
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": 1", "JSON syntax error at byte "},
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": 1,,", "JSON syntax error at byte "},
    {"{\n", "[{\n", "JSON syntax error"},
    // missing and unknown fields
    {"\"m_wPlatform\": 1,\n", "", "m_wPlatform: missing"},
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": 1, \"m_wPlatfrom\": 2,",
     "m_wPlatfrom: unknown field"},
    {"\"wTime\":\"07:30\",", "", "m_TrainInfo[1].wTime: missing"},
    {"\"wTime\":", "\"wTimes\":", "m_TrainInfo[1].wTimes: unknown field"},
    {"\"wColumn\":1,", "", "m_LayoutMain[1].wColumn: missing"},
    // numbers
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": \"1\",", "m_wPlatform: expected a number 0..255"},
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": 256,", "m_wPlatform: expected a number 0..255"},
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": -1,", "m_wPlatform: expected a number 0..255"},
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": 1.5,", "m_wPlatform: expected a number 0..255"},
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": null,", "m_wPlatform: expected a number 0..255"},
    {"\"wAssortment\":1", "\"wAssortment\":70000", "m_TrainInfo[1].wAssortment: expected a number"},
    {"\"wSpan\":5", "\"wSpan\":-5", "m_LayoutMain[1].wSpan: expected a number 0..65535"},
    // flags
    {"\"m_bSubLine\": 0", "\"m_bSubLine\": -1", "m_bSubLine: expected a number 0..4294967295"},
    {"\"m_bSubLine\": 0", "\"m_bSubLine\": 4294967296", "m_bSubLine: expected a number"},
    {"\"bExclusive\":1", "\"bExclusive\":\"1\"", "m_GuideMessage[1].bExclusive: expected a number"},
    // times
    {"\"wTime\":\"07:30\"", "\"wTime\":\"25:60\"",
     "m_TrainInfo[1].wTime: expected \"HH:MM\" or a number 0..65535"},
    {"\"wTime\":\"07:30\"", "\"wTime\":\"1092:16\"", "m_TrainInfo[1].wTime: expected \"HH:MM\""},
    {"\"wTime\":\"07:30\"", "\"wTime\":65536", "m_TrainInfo[1].wTime: expected \"HH:MM\""},
    {"\"wTime\":\"07:30\"", "\"wTime\":\"7:5\"", "m_TrainInfo[1].wTime: expected \"HH:MM\""},
    {"\"wTime\":\"07:30\"", "\"wTime\":\":30\"", "m_TrainInfo[1].wTime: expected \"HH:MM\""},
    {"\"wTime\":\"07:30\"", "\"wTime\":\"07:30 \"", "m_TrainInfo[1].wTime: expected \"HH:MM\""},
    {"\"m_wDateChangeTime\": \"00:00\"", "\"m_wDateChangeTime\": \"-1:00\"",
     "m_wDateChangeTime: expected \"HH:MM\""},
    {"\"nStartTime\":\"07:00\"", "\"nStartTime\":2147483648",
     "m_GuideMessage[1].nStartTime: expected \"HH:MM\" or a number -2147483648..2147483647"},
    {"\"nEndTime\":\"09:00\"", "\"nEndTime\":\"35791394:08\"", "m_GuideMessage[1].nEndTime: "},
    // colours
    {"\"m_crLit\": \"#00FF00\"", "\"m_crLit\": \"#12345\"",
     "m_crLit: expected \"#RRGGBB\", \"0xAABBGGRR\" or a number 0..4294967295"},
    {"\"m_crLit\": \"#00FF00\"", "\"m_crLit\": \"#GG0000\"", "m_crLit: expected \"#RRGGBB\""},
    {"\"m_crLit\": \"#00FF00\"", "\"m_crLit\": \"0x123456789\"", "m_crLit: expected"},
    {"\"m_crLit\": \"#00FF00\"", "\"m_crLit\": \"0x\"", "m_crLit: expected"},
    {"\"m_crLit\": \"#00FF00\"", "\"m_crLit\": \"green\"", "m_crLit: expected"},
    {"\"crBack\":\"#303030\"", "\"crBack\":-1", "m_TrainAssortment[1].crBack: expected"},
    // suffix letters
    {"\"chTrainSuffix\":\"M\"", "\"chTrainSuffix\":\"MM\"",
     "m_TrainInfo[1].chTrainSuffix: expected one ASCII letter, \"\" or a number 0..255"},
    {"\"chTrainSuffix\":\"M\"", "\"chTrainSuffix\":256", "m_TrainInfo[1].chTrainSuffix: "},
    {"\"chTrainSuffix\":\"M\"", "\"chTrainSuffix\":\"\xC3\xA9\"", "m_TrainInfo[1].chTrainSuffix: "},
    // texts
    {"\"m_strStationNameEn\": \"newstation\"", "\"m_strStationNameEn\": 5",
     "m_strStationNameEn: expected a string or {\"sjisHex\": \"...\"}"},
    {"\"m_strStationNameEn\": \"newstation\"", "\"m_strStationNameEn\": \"\xE2\x82\xAC\"",
     "m_strStationNameEn: character U+20AC cannot be written in Shift-JIS"},
    {"\"m_strStationNameEn\": \"newstation\"", "\"m_strStationNameEn\": \"\xF0\x9F\x98\x80\"",
     "m_strStationNameEn: character U+1F600 cannot be written in Shift-JIS"},
    {"\"m_strStationNameEn\": \"newstation\"", "\"m_strStationNameEn\": {\"sjisHex\": \"8zz0\"}",
     "m_strStationNameEn.sjisHex: bad hex digit 'z' at position 1"},
    {"\"m_strStationNameEn\": \"newstation\"", "\"m_strStationNameEn\": {\"sjisHex\": \"abc\"}",
     "m_strStationNameEn.sjisHex: odd number of hex digits"},
    {"\"m_strStationNameEn\": \"newstation\"", "\"m_strStationNameEn\": {\"sjisHex\": 12}",
     "m_strStationNameEn.sjisHex: expected a string of hex digits"},
    {"\"m_strStationNameEn\": \"newstation\"",
     "\"m_strStationNameEn\": {\"sjisHex\": \"41\", \"utf8\": \"A\"}",
     "m_strStationNameEn.utf8: unknown field"},
    {"\"m_strStationNameEn\": \"newstation\"", "\"m_strStationNameEn\": {}",
     "m_strStationNameEn.sjisHex: missing"},
    {"\"m_strGuideEn\": \"\"", "\"m_strGuideEn\": \"" + QByteArray(65536, 'x') + "\"",
     "m_strGuideEn: 65536 bytes, at most 65535"},
    {"\"strNote\":\"\"", "\"strNote\":{\"sjisHex\":\"" + QByteArray(65536 * 2, 'f') + "\"}",
     "m_TrainInfo[1].strNote: 65536 bytes, at most 65535"},
    // keys and blocks
    {"\"szKey\":\"MADEBY\"", "\"szKey\":\"" + QByteArray(64, 'k') + "\"",
     "m_ExtKey[1].szKey: 64 bytes, at most 63"},
    {"\"szKey\":\"MADEBY\"", "\"szKey\":\"A\\u0000B\"", "m_ExtKey[1].szKey: contains a NUL byte"},
    {"\"strValue\":\"tester\"", "\"strValue\":{\"sjisHex\":\"4100\"}",
     "m_ExtKey[1].strValue: contains a NUL byte"},
    {"\"m_strGuideEn\": \"\"", "\"m_strGuideEn\": \"a\\u0000b\"",
     "m_strGuideEn: contains a NUL byte"},
    {"\"strNote\":\"\"", "\"strNote\":{\"sjisHex\":\"410042\"}",
     "m_TrainInfo[1].strNote: contains a NUL byte"},
    {"\"szName\":\"@ORL300\"", "\"szName\":\"@ORL3000\"",
     "m_ExtData[1].szName: 8 bytes, at most 7"},
    {"\"szName\":\"@ORL300\"", "\"szName\":\"\xE6\x96\xB0\xE6\x96\xB0\xE6\x96\xB0\xE6\x96\xB0\"",
     "m_ExtData[1].szName: 8 bytes, at most 7"},
    {"\"hData\":\"", "\"hData\":\"0g", "m_ExtData[1].hData: bad hex digit 'g' at position 1"},
    {"\"hData\":\"", "\"hData\":\"0", "m_ExtData[1].hData: odd number of hex digits"},
    {"\"hData\":\"", "\"dwSize\":3,\"hData\":\"", "m_ExtData[1].dwSize: unknown field"},
    // lists
    {"\"m_ExtKey\": [\n        {\"szKey\":\"MADEBY\",\"strValue\":\"tester\"}\n    ]",
     "\"m_ExtKey\": {}", "m_ExtKey: expected an array"},
    {kTrain.constData(), "7, " + kTrain, "m_TrainInfo[1]: expected an object"},
    {"\"m_LayoutSub\": [\n        {\"wColumn\":0,\"wSpan\":0,\"wAlign\":0},", "\"m_LayoutSub\": [",
     "m_LayoutSub: expected an array of 7 entries"},
    {"\"m_Destination\": [\n        "
     "{\"strName\":\"\xE6\x96\xB0\xE8\xA6\x8F\xE8\xA1\x8C\xE5\x85\x88\","
     "\"strNameEn\":\"New dest\"}\n    ]",
     "\"m_Destination\": " + TooMany("{}", 65536), "m_Destination: 65536 entries, at most 65535"},
    {"\"layoutSub\":[{\"wColumn\":0,\"wSpan\":0,\"wAlign\":0}",
     "\"layoutSub\":[{\"wColumn\":0,\"wSpan\":0,\"wAlign\":3.25}",
     "m_TrainAssortment[1].layoutSub[0].wAlign: expected a number 0..65535"},
};

class Refusal : public testing::TestWithParam<Malformed>
{
};

TEST_P(Refusal, NamesTheField)
{
    const Malformed& m = GetParam();
    QByteArray text = Valid();
    ASSERT_TRUE(text.contains(m.from)) << m.from;
    text.replace(text.indexOf(m.from), qstrlen(m.from), m.to);
    CQLMDoc doc;
    QString error = QStringLiteral("unset");
    const bool ok = QlmJson::FromJsonText(text, &doc, &error);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(error.startsWith(QString::fromUtf8(m.message))) << error.toStdString();
    EXPECT_FALSE(error.contains(u'\n')) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Json, Refusal, testing::ValuesIn(kCases));

TEST(Refusal, TopLevelMustBeAnObject)
{
    CQLMDoc doc;
    QString error;
    EXPECT_FALSE(QlmJson::FromJsonText("[1, 2]", &doc, &error));
    EXPECT_EQ(error, "expected a JSON object at the top level");
    EXPECT_FALSE(QlmJson::FromJsonText("", &doc, &error));
    EXPECT_TRUE(error.startsWith("JSON syntax error at byte 0")) << error.toStdString();
}

TEST(Refusal, ValidTextIsAccepted)
{
    CQLMDoc doc;
    QString error;
    EXPECT_TRUE(QlmJson::FromJsonText(Valid(), &doc, &error)) << error.toStdString();
}

// Every number is checked against the width the file stores it in: one value just inside each
// range is kept through a save and a load, one just outside is refused by name.
struct Width
{
    const char* from;    // a piece of the valid text form...
    const char* inside;  // ...replaced by a value at the edge of the range,
    const char* written; // which the text form of the saved and reloaded file shows so;
    const char* outside; // and by a value just beyond it
    const char* message;
};

const Width kWidths[] = {
    // one byte
    {"\"m_wPlatform\": 1,", "\"m_wPlatform\": 255,", "\"m_wPlatform\": 255,",
     "\"m_wPlatform\": 256,", "m_wPlatform: expected a number 0..255"},
    {"\"chTrainSuffix\":\"M\"", "\"chTrainSuffix\":255", "\"chTrainSuffix\":255",
     "\"chTrainSuffix\":256", "m_TrainInfo[1].chTrainSuffix: expected one ASCII letter"},
    // 16 bits
    {"\"wPlatform\":9", "\"wPlatform\":65535", "\"wPlatform\":65535", "\"wPlatform\":65536",
     "m_TrainInfo[1].wPlatform: expected a number 0..65535"},
    {"\"wPlatform\":9", "\"wPlatform\":0", "\"wPlatform\":0", "\"wPlatform\":-1",
     "m_TrainInfo[1].wPlatform: expected a number 0..65535"},
    {"\"wTime\":\"07:30\"", "\"wTime\":\"1092:15\"", "\"wTime\":\"1092:15\"",
     "\"wTime\":\"1092:16\"", "m_TrainInfo[1].wTime: expected \"HH:MM\" or a number 0..65535"},
    {"\"wColumn\":1,", "\"wColumn\":65535,", "\"wColumn\":65535,", "\"wColumn\":65536,",
     "m_LayoutMain[1].wColumn: expected a number 0..65535"},
    // 32 bits, unsigned
    {"\"m_bSubLine\": 0", "\"m_bSubLine\": 4294967295", "\"m_bSubLine\": 4294967295",
     "\"m_bSubLine\": 4294967296", "m_bSubLine: expected a number 0..4294967295"},
    {"\"crBack\":\"#303030\"", "\"crBack\":4294967295", "\"crBack\":\"0xFFFFFFFF\"",
     "\"crBack\":4294967296", "m_TrainAssortment[1].crBack: expected \"#RRGGBB\""},
    {"\"crBack\":\"#303030\"", "\"crBack\":\"0xFFFFFFFF\"", "\"crBack\":\"0xFFFFFFFF\"",
     "\"crBack\":\"0x100000000\"", "m_TrainAssortment[1].crBack: expected \"#RRGGBB\""},
    // 32 bits, signed
    {"\"nStartTime\":\"07:00\"", "\"nStartTime\":-2147483648", "\"nStartTime\":-2147483648",
     "\"nStartTime\":-2147483649",
     "m_GuideMessage[1].nStartTime: expected \"HH:MM\" or a number "
     "-2147483648..2147483647"},
    {"\"nEndTime\":\"09:00\"", "\"nEndTime\":2147483647", "\"nEndTime\":2147483647",
     "\"nEndTime\":2147483648", "m_GuideMessage[1].nEndTime: expected"},
};

class Widths : public testing::TestWithParam<Width>
{
};

TEST_P(Widths, InsideIsKeptOutsideIsRefused)
{
    const Width& c = GetParam();
    const QByteArray valid = Valid();
    ASSERT_TRUE(valid.contains(c.from)) << c.from;
    const auto with = [&](const char* value) {
        QByteArray text = valid;
        return text.replace(text.indexOf(c.from), qstrlen(c.from), value);
    };

    CQLMDoc doc;
    QString error;
    ASSERT_TRUE(QlmJson::FromJsonText(with(c.inside), &doc, &error)) << error.toStdString();
    QByteArray file;
    ASSERT_TRUE(doc.SaveFile(&file));
    CQLMDoc reloaded;
    ASSERT_TRUE(reloaded.LoadFile(file));
    EXPECT_TRUE(QlmJson::ToJsonText(reloaded).contains(c.written)) << c.written;

    CQLMDoc refused;
    EXPECT_FALSE(QlmJson::FromJsonText(with(c.outside), &refused, &error));
    EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.message))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Json, Widths, testing::ValuesIn(kWidths));

} // namespace
