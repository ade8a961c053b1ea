// Trains as tab-separated text, CSV and HTML, and back.

#include "samples.h"
#include "traintext.h"

#include <gtest/gtest.h>

using namespace TrainText;

namespace {

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

using Samples::Train;

// Types 普通, 快速 and a second 普通 (English LOCAL, RAPID, LOCAL2); destinations 東京 and 高尾.
Samples::Timetable Board()
{
    return Samples::Timetable()
        .Types({{"普通", "LOCAL"}, {"快速", "RAPID"}, {"普通", "LOCAL2"}})
        .Destinations({{"東京", "Tokyo"}, {"高尾", "Takao"}});
}

const char kHeader[] = "列車番号\t列車種別\t列車名\t列車名(英)\t発車時刻\t行先\t発車番線\t案内\t"
                       "運転･運休\t補足\r\n";

TEST(TrainText, WritesTheGridsTextsWithHeaderAndCrlf)
{
    const CQLMDoc doc = Board()
                            .Trains({{123, 'A', 1, 321, 2, 3, "あずさ", "Azusa",
                                      "say \"hi\"\tthere", "two\r\nlines"},
                                     {20000, 'a', 2, 1500, 1, 150},
                                     {7, 0, 9, 0, 0, 0}, // type and destination outside their lists
                                     {12, 0xB1, 1, 65535, 1, 0}})
                            .With([](CQLMDoc& d) { d.m_TrainInfo.ElementAt(3).wReserved = 513; });

    EXPECT_EQ(ToTabText(TrainTable(doc, 1, 4)),
              U(kHeader) + U("123A\t普通\tあずさ\tAzusa\t05:21\t高尾\t3\t"
                             "\"say \"\"hi\"\"\tthere\"\t---\t\"two\r\nlines\"\r\n"
                             "20000a\t快速\t\t\t25:00\t東京\t150\t\t---\t\r\n"
                             "7\t\t\t\t00:00\t\t0\t\t513\t\r\n"
                             "12ｱ\t普通\t\t\t1092:15\t東京\t0\t\t---\t\r\n"));
    EXPECT_EQ(ToTabText(TrainTable(doc, 2, 1)), U(kHeader));
    // Every CSV field is quoted, so that a spreadsheet can keep each as text.
    EXPECT_EQ(ToCsv(TrainTable(doc, 1, 1)).section(QStringLiteral("\r\n"), 1),
              U("\"123A\",\"普通\",\"あずさ\",\"Azusa\",\"05:21\",\"高尾\",\"3\","
                "\"say \"\"hi\"\"\tthere\",\"---\",\"two\r\nlines\"\r\n"));
    const QByteArray file = ToCsvFile(TrainTable(doc, 1, 1));
    EXPECT_TRUE(file.startsWith("\xEF\xBB\xBF\"\xE5\x88\x97")); // BOM, then "列 in UTF-8

    // Each of the 11 cells is text for Excel (the style) and for LibreOffice Calc (sdnum).
    const QString html = ToHtml(TrainTable(doc, 1, 1));
    const QString text = QStringLiteral(" style=\"mso-number-format:'\\@'\" sdnum=\"1041;0;@\">");
    EXPECT_EQ(html.count(U("<th") + text), 10) << html.toStdString();
    EXPECT_EQ(html.count(U("<td") + text), 10) << html.toStdString();
    EXPECT_TRUE(html.contains(U(">列車番号</th>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(U(">say &quot;hi&quot;\tthere</td>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(U(">two<br>lines</td>"))) << html.toStdString();
}

// Every suffix byte, unusual numbers and texts whose bytes do not survive decoding come back.
TEST(TrainText, RoundTripKeepsEveryValue)
{
    CQLMDoc doc = Board();
    doc.SetTrainCount(256 + 3);
    for (int s = 0; s < 256; ++s) {
        tagTRAININFO& t = doc.m_TrainInfo.ElementAt(s + 1);
        t = Train{quint16(s * 257), quint8(s),          quint16(1 + s % 3),
                  s * 250,          quint16(1 + s % 2), quint16(s * 256)};
        t.wReserved = static_cast<quint16>(s % 2 ? s * 255 : 0);
        t.strName = Sjis::FromUtf8("あずさ") + QByteArray::number(s);
    }
    tagTRAININFO& odd = doc.m_TrainInfo.ElementAt(257);
    odd = Train{65535, 'Z', 3, 0, 2, 65535};
    odd.strName = "\xEE\xF9";       // a duplicate of 0x81CA: decodes, encodes to the other one
    odd.strNameEn = "bad \x81\x20"; // a lead byte without its trail byte
    odd.strGuide = QByteArray(kMaxFileString, 'g');
    odd.strNote = "\t\"\r\n\r";
    doc.m_TrainInfo.ElementAt(258) = Train{0, 0, 2, 59, 1, 0};
    doc.m_TrainInfo.ElementAt(259) = Train{1, 'x', 3, 1439, 2, 99};

    const std::vector<tagTRAININFO>& trains = doc.m_TrainInfo.Items();
    ReadOptions options;
    options.replaced = trains;
    const ReadResult tab = ReadTabText(ToTabText(TrainTable(doc, 1, 259)), doc, options);
    ASSERT_TRUE(tab.ok()) << tab.problems.value(0).English().toStdString();
    EXPECT_EQ(tab.trains, trains);

    QString csvText;
    QList<Record> records;
    Problem problem;
    ASSERT_TRUE(DecodeCsvFile(ToCsvFile(TrainTable(doc, 1, 259)), &csvText, &problem));
    ASSERT_TRUE(SplitCsv(csvText, &records, &problem));
    const ReadResult csv = ReadTrains(records, doc, options);
    ASSERT_TRUE(csv.ok()) << csv.problems.value(0).English().toStdString();
    EXPECT_EQ(csv.trains, trains);

    // Without the trains they replace, such texts cannot be stored and the second 普通 becomes
    // the first.
    const ReadResult bare = ReadTabText(ToTabText(TrainTable(doc, 257, 257)), doc);
    ASSERT_EQ(bare.problems.size(), 1);
    EXPECT_EQ(bare.problems[0].Japanese(),
              U("2行目 4列目（列車名(英)）: 「\uFFFD」は保存できない文字です"));
    const ReadResult dup = ReadTabText(ToTabText(TrainTable(doc, 259, 259)), doc);
    ASSERT_TRUE(dup.ok());
    EXPECT_EQ(dup.trains[0].wAssortment, 1);
}

TEST(TrainText, SplitsTabTextAsSpreadsheetsCopyIt)
{
    const struct
    {
        const char* text;
        QList<QStringList> rows;
        QList<int> lines;
    } cases[] = {
        {"", {}, {}},
        {"a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"a\tb\nc\rd", {{"a", "b"}, {"c"}, {"d"}}, {1, 2, 3}},
        {"a\t\t\r\n\r\n", {{"a", "", ""}, {""}}, {1, 2}},
        {"\"x\ty\r\nz\"\"q\"\tw\r\nnext", {{"x\ty\r\nz\"q", "w"}, {"next"}}, {1, 2}},
        {"\"\"\t\"a\"", {{"", "a"}}, {1}},
        // A quote that does not close before a tab or line end is text.
        {"\"ab\"c\td\r\n\"open\te", {{"\"ab\"c", "d"}, {"\"open", "e"}}, {1, 2}},
        {"say \"hi\"\t1", {{"say \"hi\"", "1"}}, {1}},
    };
    for (const auto& c : cases) {
        const QList<Record> records = SplitTabText(U(c.text));
        ASSERT_EQ(records.size(), c.rows.size()) << c.text;
        for (qsizetype i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].cells, c.rows[i]) << c.text;
            EXPECT_EQ(records[i].line, c.lines[i]) << c.text;
        }
    }
}

TEST(TrainText, SplitsCsvAndRefusesBrokenQuotes)
{
    const struct
    {
        const char* text;
        QList<QStringList> rows;
        const char* problem;
    } cases[] = {
        {"a,b\r\n\"c,\"\"d\"\"\r\ne\",\r\n", {{"a", "b"}, {"c,\"d\"\r\ne", ""}}, nullptr},
        {"a,\"b\"\nc", {{"a", "b"}, {"c"}}, nullptr},
        {"a,b\r\n1,\"open\r\n", {}, "line 2, column 2 (列車種別): a quoted field is not closed"},
        {"\"a\"x,b", {}, "line 1, column 1 (列車番号): \"x\" follows a closing quote"},
    };
    for (const auto& c : cases) {
        QList<Record> records;
        Problem problem;
        const bool ok = SplitCsv(U(c.text), &records, &problem);
        EXPECT_EQ(ok, c.problem == nullptr) << c.text;
        if (c.problem) {
            EXPECT_EQ(problem.English(), U(c.problem));
            continue;
        }
        ASSERT_EQ(records.size(), c.rows.size()) << c.text;
        for (qsizetype i = 0; i < records.size(); ++i)
            EXPECT_EQ(records[i].cells, c.rows[i]) << c.text;
    }
}

// Without a byte-order mark, bytes that are not UTF-8 are code page 932; with one, they are
// refused where they stand.
TEST(TrainText, DecodesCsvFilesAsUtf8OrCodePage932)
{
    const struct
    {
        QByteArray bytes;
        const char* text;  // nullptr: refused
        const char* error; // the problem, when refused
    } cases[] = {
        {"\xEF\xBB\xBF\xE6\x99\xAE,1", "普,1", nullptr},
        {"\xE6\x99\xAE", "普", nullptr},
        {Sjis::FromUtf8("普通,ｱ"), "普通,ｱ", nullptr},
        {"\x95\x81,\xFF", "普,\xEF\xBF\xBD", nullptr},
        {"\xEF\xBB\xBF\xFF", nullptr,
         "line 1, column 1 (列車番号): byte 0xFF is not UTF-8, though the file starts with a "
         "UTF-8 byte-order mark"},
        // Line and column as the rows count them: a quoted line break or comma starts neither.
        {"\xEF\xBB\xBF"
         "a,b\r\n1,\"x,\r\ny\",\xE6\x99\xAE\x95\x81",
         nullptr, "line 2, column 3 (列車名): byte 0x95"},
        {"\xEF\xBB\xBF"
         "1\n2\r3,,,,,,,,,,,\xED\xA0\x80",
         nullptr, "line 3, column 12: byte 0xED"},
        {"\xEF\xBB\xBF"
         "1,\xE6\x99",
         nullptr, "line 1, column 2 (列車種別): byte 0xE6"},
    };
    for (const auto& c : cases) {
        QString text;
        Problem problem;
        const bool ok = DecodeCsvFile(c.bytes, &text, &problem);
        EXPECT_EQ(ok, c.text != nullptr) << c.bytes.toHex().constData();
        if (ok) {
            EXPECT_EQ(text, U(c.text));
        } else {
            EXPECT_TRUE(problem.English().startsWith(U(c.error)))
                << problem.English().toStdString();
        }
    }
}

// One row: the cells of a valid train with one column replaced.
QString Row(int column, const QString& text)
{
    QStringList cells = {"12A", "普通", "あずさ", "Azusa", "07:05", "東京", "3", "", "---", ""};
    cells[column - 1] = text;
    return cells.join(QLatin1Char('\t'));
}

QString Row(int column, const char* text)
{
    return Row(column, U(text));
}

TEST(TrainText, ReadsWhatTheFileCanHold)
{
    const CQLMDoc doc = Board();
    const struct
    {
        int column;
        const char* text;
        quint16 tagTRAININFO::*member;
        int value;
    } cases[] = {
        {1, "12a", &tagTRAININFO::wTrainNo, 12},
        {1, " 20000a ", &tagTRAININFO::wTrainNo, 20000},
        {1, "0065535", &tagTRAININFO::wTrainNo, 65535},
        {2, "RAPID", &tagTRAININFO::wAssortment, 2},
        {2, "普通", &tagTRAININFO::wAssortment, 1},
        {2, "LOCAL2", &tagTRAININFO::wAssortment, 3},
        {5, "7:5", &tagTRAININFO::wTime, 425},
        {5, "24:35", &tagTRAININFO::wTime, 1475},
        {5, "1092:15", &tagTRAININFO::wTime, 65535},
        {5, "7:12:00", &tagTRAININFO::wTime, 432}, // as a spreadsheet writes a time
        {5, "24:35:00", &tagTRAININFO::wTime, 1475},
        {6, "Takao", &tagTRAININFO::wDestination, 2},
        {7, "150", &tagTRAININFO::wPlatform, 150},
        {7, "03", &tagTRAININFO::wPlatform, 3},
        {9, "", &tagTRAININFO::wReserved, 0},
        {9, "65535", &tagTRAININFO::wReserved, 65535},
    };
    for (const auto& c : cases) {
        const ReadResult r = ReadTabText(Row(c.column, c.text), doc);
        ASSERT_TRUE(r.ok()) << c.text << ": " << r.problems.value(0).English().toStdString();
        ASSERT_EQ(r.trains.size(), 1u);
        EXPECT_EQ(r.trains[0].*c.member, c.value) << c.text;
    }

    const struct
    {
        const char* text;
        quint8 suffix;
    } suffixes[] = {{"12", 0},         {"12a", 'a'},  {"12\\x35", '5'}, {"12\\x00", 0},
                    {"12\\xfc", 0xFC}, {"12ﾟ", 0xDF}, {"12\\", '\\'}};
    for (const auto& s : suffixes) {
        const ReadResult r = ReadTabText(Row(1, s.text), doc);
        ASSERT_TRUE(r.ok()) << s.text;
        EXPECT_EQ(r.trains[0].chTrainSuffix, s.suffix) << s.text;
    }
}

TEST(TrainText, RefusesEachFieldByLineAndColumn)
{
    const struct
    {
        int column;
        QString text;
        const char* japanese;
        const char* english;
    } cases[] = {
        {1, "", "1列目（列車番号）: 「」は列車番号ではありません",
         "column 1 (列車番号): \"\" is not a train number"},
        {1, "A12", "1列目（列車番号）: 「A12」は列車番号ではありません", nullptr},
        {1, "65536", "1列目（列車番号）: 「65536」は列車番号ではありません", nullptr},
        {1, "-3C", "1列目（列車番号）: 「-3C」は列車番号ではありません", nullptr},
        {1, "12AB", "1列目（列車番号）: 「12AB」は列車番号ではありません", nullptr},
        {1, "12\\xG1", "1列目（列車番号）: 「12\\xG1」は列車番号ではありません", nullptr},
        {1, "12あ", "1列目（列車番号）: 「12あ」は列車番号ではありません", nullptr},
        {2, "新快速", "2列目（列車種別）: 列車種別「新快速」はありません",
         "column 2 (列車種別): there is no train type \"新快速\""},
        {2, "", "2列目（列車種別）: 列車種別「」はありません", nullptr},
        {5, "25:70", "5列目（発車時刻）: 「25:70」は時刻ではありません",
         "column 5 (発車時刻): \"25:70\" is not a time"},
        {5, "7", "5列目（発車時刻）: 「7」は時刻ではありません", nullptr},
        {5, "1092:16", "5列目（発車時刻）: 「1092:16」は時刻ではありません", nullptr},
        {5, "7:005", "5列目（発車時刻）: 「7:005」は時刻ではありません", nullptr},
        {5, "-1:00", "5列目（発車時刻）: 「-1:00」は時刻ではありません", nullptr},
        {5, "0:05:30",
         "5列目（発車時刻）: 「0:05:30」は時刻ではありません（表計算ソフトでは、この列を"
         "文字列として読み込んでください）",
         "column 5 (発車時刻): \"0:05:30\" is not a time; import the column as text in the "
         "spreadsheet"},
        {5, "12:05:00 AM", nullptr,
         "column 5 (発車時刻): \"12:05:00 AM\" is not a time; import the column as text in the "
         "spreadsheet"},
        {6, "大阪", "6列目（行先）: 行先「大阪」はありません",
         "column 6 (行先): there is no destination \"大阪\""},
        {7, "", "7列目（発車番線）: 「」は番線ではありません", nullptr},
        {7, "65536", "7列目（発車番線）: 「65536」は番線ではありません", nullptr},
        {7, "3番", "7列目（発車番線）: 「3番」は番線ではありません",
         "column 7 (発車番線): \"3番\" is not a platform number"},
        {9, "運休", "9列目（運転･運休）: 「運休」は「---」でも数値でもありません", nullptr},
        {3, "€", "3列目（列車名）: 「€」は保存できない文字です",
         "column 3 (列車名): \"€\" is a character code page 932 cannot hold"},
        {2, "€", "2列目（列車種別）: 「€」は保存できない文字です", nullptr},
        {10, "a\U0001F600", "10列目（補足）: 「\U0001F600」は保存できない文字です", nullptr},
        // A NUL would cut the text short in the file; in a name it must not be offered as new.
        {3, QStringLiteral("a\0b"), "3列目（列車名）: NUL 文字は保存できません",
         "column 3 (列車名): a NUL character cannot be stored"},
        {2, QStringLiteral("新\0快速"), "2列目（列車種別）: NUL 文字は保存できません", nullptr},
    };
    const CQLMDoc doc = Board();
    for (const auto& c : cases) {
        const ReadResult r = ReadTabText(Row(c.column, c.text), doc);
        EXPECT_TRUE(r.trains.empty());
        ASSERT_EQ(r.problems.size(), 1) << c.text.toStdString();
        if (c.japanese) {
            EXPECT_EQ(r.problems[0].Japanese(), U("1行目 ") + U(c.japanese));
        }
        if (c.english) {
            EXPECT_TRUE(r.problems[0].English().startsWith(U("line 1, ") + U(c.english)))
                << r.problems[0].English().toStdString();
        }
        if (c.text.contains(QChar(0))) {
            EXPECT_TRUE(r.unknownTypes.isEmpty());
        }
    }

    // Whole-line problems: a text too long for the file, a cell beyond the last column, a header
    // that names another column.
    const struct
    {
        QString text;
        const char* japanese;
    } lines[] = {
        {Row(8, QByteArray(kMaxFileString + 1, 'x').constData()),
         "1行目 8列目（案内）: 65536 バイトは長すぎます（65535 バイトまで）"},
        {Row(8, "") + U("\t\t\tx"), "1行目 13列目: 列が多すぎます（10 列まで）"},
        {U("列車番号\t行先\r\n"),
         "1行目 2列目（列車種別）: 見出し「行先」は「列車種別」ではありません"},
    };
    for (const auto& l : lines) {
        const ReadResult r = ReadTabText(l.text, doc);
        ASSERT_EQ(r.problems.size(), 1) << l.japanese;
        EXPECT_EQ(r.problems[0].Japanese(), U(l.japanese));
    }
}

TEST(TrainText, AllOrNothingWithEveryProblemAndUnknownNames)
{
    const CQLMDoc doc = Board();
    const QString text = U(kHeader) + Row(1, "1A") + U("\r\n\r\n") + Row(2, "新快速") + U("\r\n") +
                         Row(6, "大阪").replace(U("07:05"), U("25:70")) + U("\n") +
                         Row(2, "新快速") + U("\n") + Row(2, "特急") + U("\n") +
                         Row(1, "9Z").left(12); // short line: the missing cells are empty
    const ReadResult r = ReadTabText(text, doc);
    EXPECT_TRUE(r.trains.empty());
    QStringList messages;
    for (const Problem& p : r.problems)
        messages.append(p.Japanese());
    EXPECT_EQ(messages, (QStringList{U("4行目 2列目（列車種別）: 列車種別「新快速」はありません"),
                                     U("5行目 5列目（発車時刻）: 「25:70」は時刻ではありません"),
                                     U("5行目 6列目（行先）: 行先「大阪」はありません"),
                                     U("6行目 2列目（列車種別）: 列車種別「新快速」はありません"),
                                     U("7行目 2列目（列車種別）: 列車種別「特急」はありません"),
                                     U("8行目 5列目（発車時刻）: 「」は時刻ではありません"),
                                     U("8行目 6列目（行先）: 行先「」はありません"),
                                     U("8行目 7列目（発車番線）: 「」は番線ではありません")}));
    EXPECT_EQ(r.unknownTypes,
              (QList<QByteArray>{Sjis::FromUtf8("新快速"), Sjis::FromUtf8("特急")}));
    EXPECT_EQ(r.unknownDestinations, QList<QByteArray>{Sjis::FromUtf8("大阪")});

    // Header or not, blank lines skipped; the limit on trains names the first line beyond it.
    const QString three = Row(1, "1A") + U("\n") + Row(1, "2A") + U("\n\n") + Row(1, "3A");
    EXPECT_EQ(ReadTabText(three, doc).trains.size(), 3u);
    ReadOptions two;
    two.maxTrains = 2;
    const ReadResult tooMany = ReadTabText(three, doc, two);
    ASSERT_EQ(tooMany.problems.size(), 1);
    EXPECT_EQ(tooMany.problems[0].Japanese(), U("4行目: 列車が多すぎます（2 本まで）"));
    EXPECT_TRUE(tooMany.trains.empty());
}

} // namespace
