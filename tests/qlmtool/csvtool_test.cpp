// qlmtool export-trains and import-trains as a user runs them.

#include "testdocs.h"
#include "toolrun.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace ToolTests;

// Values the grid cannot show as typed: odd suffixes, a hidden wReserved, a text whose bytes
// have a second code, a second type of the same name, times past midnight.
CQLMDoc Unusual()
{
    CQLMDoc doc = TestDocs::Small();
    doc.SetAssortmentCount(2);
    doc.m_TrainAssortment.ElementAt(2) = doc.m_TrainAssortment.ElementAt(1);
    doc.SetTrainCount(4);
    tagTRAININFO& a = doc.m_TrainInfo.ElementAt(2);
    a = doc.m_TrainInfo.ElementAt(1);
    a.wTrainNo = 20000;
    a.chTrainSuffix = 'a';
    a.wAssortment = 2;
    a.wTime = 1475;
    a.wPlatform = 150;
    a.wReserved = 77;
    a.strNote = "\xEE\xF9, \"quoted\"\r\nsecond line";
    tagTRAININFO& b = doc.m_TrainInfo.ElementAt(3);
    b = a;
    b.chTrainSuffix = '7';
    b.strGuide.clear();
    tagTRAININFO& c = doc.m_TrainInfo.ElementAt(4);
    c = a;
    c.chTrainSuffix = 0;
    c.wTime = 0;
    return doc;
}

class CsvTool : public InTempDir
{
};

TEST_F(CsvTool, ExportThenImportGivesTheSameBytes)
{
    const QByteArray original = TestDocs::Save(Unusual());
    WriteFile(Path("board.qlm"), original);
    ASSERT_EQ(Tool({"export-trains", Path("board.qlm"), Path("trains.csv")}).status, 0);
    const QByteArray csv = ReadFile(Path("trains.csv"));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "列車番号,列車種別,"))
        << csv.left(40).toStdString();
    EXPECT_TRUE(csv.contains("\r\n20000a,普通,あずさ,Azusa,24:35,")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("20000\\x37,")) << csv.toStdString();

    const ToolRun run =
        Tool({"import-trains", Path("board.qlm"), Path("trains.csv"), Path("out.qlm")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFile(Path("out.qlm")), original);

    // The same rows from a code page 932 file, without the header, replace the trains of a
    // board that has none.
    CQLMDoc empty = Unusual();
    empty.SetTrainCount(0);
    WriteFile(Path("empty.qlm"), TestDocs::Save(empty));
    WriteFile(Path("sjis.csv"),
              Sjis::FromUtf8("1234M,普通,あずさ,Azusa,07:30,新規行先,9,全車指定席,---,"));
    ASSERT_EQ(Tool({"import-trains", Path("empty.qlm"), Path("sjis.csv"), Path("one.qlm")}).status,
              0);
    CQLMDoc expected = Unusual();
    expected.SetTrainCount(1);
    EXPECT_EQ(ReadFile(Path("one.qlm")), TestDocs::Save(expected));
}

TEST_F(CsvTool, BadCsvIsRefusedAndNothingWritten)
{
    WriteFile(Path("board.qlm"), TestDocs::Save(TestDocs::Small()));
    WriteFile(Path("keep.qlm"), "old contents");
    const struct
    {
        const char* csv;
        const char* messages;
    } cases[] = {
        {"1A,普通,,,25:70,新規行先,3\r\n2B,特急,,,07:00,どこか,3",
         "bad.csv: line 1, departure time: \"25:70\" is not a time\n"
         "bad.csv: line 2, train type: there is no train type \"特急\"\n"
         "bad.csv: line 2, destination: there is no destination \"どこか\"\n"},
        {"1A,\"普通,,,07:00,新規行先,3",
         "bad.csv: line 1, train type: a quoted field is not closed\n"},
    };
    for (const auto& c : cases) {
        WriteFile(Path("bad.csv"), c.csv);
        for (const char* out : {"new.qlm", "keep.qlm"}) {
            const ToolRun run =
                Tool({"import-trains", Path("board.qlm"), Path("bad.csv"), Path(out)});
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(
                run.err,
                QString::fromUtf8(c.messages).replace(QStringLiteral("bad.csv"), Path("bad.csv")));
        }
        EXPECT_FALSE(QFile::exists(Path("new.qlm")));
        EXPECT_EQ(ReadFile(Path("keep.qlm")), "old contents");
    }
    EXPECT_EQ(Tool({"import-trains", Path("board.qlm"), Path("bad.csv")}).status, 2);
    EXPECT_EQ(Tool({"export-trains", Path("board.qlm")}).status, 2);
    EXPECT_EQ(Tool({"export-trains", Path("missing.qlm"), Path("t.csv")}).status, 1);
    EXPECT_FALSE(QFile::exists(Path("t.csv")));
}

} // namespace
