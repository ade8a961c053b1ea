// The qlmtool executable as a user runs it: exit status, messages, files written.

#include "commands.h"
#include "fileio.h"
#include "qlmjson.h"
#include "samples.h"
#include "testdocs.h"
#include "toolrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>

namespace {

using namespace ToolTests;

class QlmTool : public InTempDir
{
};

TEST_F(QlmTool, HelpAndVersion)
{
    const ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word :
         {"convert IN OUT", "check FILE...", "info FILE", "new OUT", "Exit status"})
        EXPECT_TRUE(help.out.contains(QLatin1StringView(word))) << word;
    const ToolRun version = Tool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.contains(QStringLiteral(QLMTOOL_VERSION))) << version.out.toStdString();
}

TEST_F(QlmTool, UsageErrorsExitWithTwo)
{
    const QString in = Path("in.qlm");
    WriteFile(in, Samples::Bytes(Samples::Small()));
    const struct
    {
        QStringList args;
        const char* message;
    } cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"--bogus"}, "bogus"},
        {{"new"}, "new takes one file"},
        {{"new", "a.qlm", "b.qlm"}, "new takes one file"},
        {{"new", Path("a.txt")}, "a.txt: unknown extension, expected .qlm or .json"},
        {{"convert", in}, "convert takes two files"},
        {{"convert", in, Path("out.qlmx")}, "out.qlmx: unknown extension"},
        {{"convert", in, Path("out")}, "unknown extension"},
        {{"check"}, "check takes one or more files"},
        {{"info"}, "info takes one file"},
        {{"info", in, in}, "info takes one file"},
    };
    for (const auto& c : cases) {
        const ToolRun r = Tool(c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1StringView(c.message))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(Path("a.txt")));
    EXPECT_FALSE(QFile::exists(Path("out.qlmx")));
}

TEST_F(QlmTool, NewWritesTheNewDocument)
{
    const QString out = Path("new.QLM");
    const ToolRun r = Tool({"new", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    CQLMDoc expected = Samples::Timetable();
    EXPECT_EQ(ReadFile(out), Samples::Bytes(expected));
    const ToolRun check = Tool({"check", out});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, out + ": ok\n");
    EXPECT_TRUE(check.err.isEmpty()) << check.err.toStdString();

    EXPECT_EQ(Tool({"new", Path("new.json")}).status, 0);
    CQLMDoc fromJson;
    QString error;
    ASSERT_TRUE(QlmJson::FromJsonText(ReadFile(Path("new.json")), &fromJson, &error))
        << error.toStdString();
    EXPECT_EQ(Samples::Bytes(fromJson), Samples::Bytes(expected));
}

TEST_F(QlmTool, CheckReportsEveryFile)
{
    const QString good = Path("good.qlm"), bad = Path("bad.qlm"), cut = Path("cut.qlm");
    const QString warn = Path("warn.qlm"), missing = Path("missing.qlm");
    const QByteArray file = Samples::Bytes(Samples::Small());
    WriteFile(good, file);
    WriteFile(bad, "XYZ not a timetable");
    WriteFile(cut, file.left(40));
    CQLMDoc doc = Samples::Small();
    doc.m_TrainInfo.ElementAt(1).wDestination = 999;
    WriteFile(warn, Samples::Bytes(doc));

    const ToolRun r = Tool({"check", good, bad, cut, warn, missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.contains(good + ": ok\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(warn + ": ok, 1 warning(s)\n")) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(bad + ": refused: not a timetable file")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(cut + ": refused: file cut short: byte ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(warn + ": warning: train 1: destination index 999"))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(missing + ": cannot read: ")) << r.err.toStdString();
    EXPECT_EQ(r.err.count(u'\n'), 4) << r.err.toStdString();

    EXPECT_EQ(Tool({"check", good, warn}).status, 0);
    EXPECT_EQ(Tool({"check", bad}).status, 1);
}

TEST_F(QlmTool, ConvertThroughJsonGivesTheSameBytes)
{
    CQLMDoc doc = Samples::Small();
    doc.m_strStationName = "\xED\x40\x81";
    doc.m_crLit = 0xFF123456;
    doc.m_TrainInfo.ElementAt(1).wTime = 1500;
    doc.m_TrainInfo.ElementAt(1).wAssortment = 999;
    WriteFile(Path("in.qlm"), Samples::Bytes(doc));

    ASSERT_EQ(Tool({"convert", Path("in.qlm"), Path("direct.qlm")}).status, 0);
    ASSERT_EQ(Tool({"convert", Path("in.qlm"), Path("mid.JSON")}).status, 0);
    ASSERT_EQ(Tool({"convert", Path("mid.JSON"), Path("back.qlm")}).status, 0);
    ASSERT_EQ(Tool({"convert", Path("mid.JSON"), Path("again.json")}).status, 0);
    EXPECT_EQ(ReadFile(Path("back.qlm")), ReadFile(Path("direct.qlm")));
    EXPECT_EQ(ReadFile(Path("again.json")), ReadFile(Path("mid.JSON")));
    EXPECT_TRUE(ReadFile(Path("mid.JSON")).contains("\"m_crLit\": \"0xFF123456\""));

    // Version 2 files are converted to version 3 the same way on both roads.
    WriteFile(Path("old.qlm"), TestDocs::Version2File());
    ASSERT_EQ(Tool({"convert", Path("old.qlm"), Path("old3.qlm")}).status, 0);
    ASSERT_EQ(Tool({"convert", Path("old.qlm"), Path("old.json")}).status, 0);
    ASSERT_EQ(Tool({"convert", Path("old.json"), Path("old3b.qlm")}).status, 0);
    EXPECT_EQ(ReadFile(Path("old3.qlm")), ReadFile(Path("old3b.qlm")));
    EXPECT_TRUE(ReadFile(Path("old3.qlm")).startsWith("QL3"));
}

TEST_F(QlmTool, ConvertRefusesBadInputAndWritesNothing)
{
    QByteArray bad = QlmJson::ToJsonText(Samples::Small());
    bad.replace("\"m_strStationId\": \"\xE6\x96\xB0\xE8\xA6\x8F\"", "\"m_strStationId\": 1");
    WriteFile(Path("bad.json"), bad);
    const ToolRun json = Tool({"convert", Path("bad.json"), Path("out.qlm")});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.err.toStdString(),
              (Path("bad.json") + ": refused: m_strStationId: expected a string or "
                                  "{\"sjisHex\": \"...\"}\n")
                  .toStdString());

    QByteArray text = QlmJson::ToJsonText(Samples::Small());
    text.replace("\"wTime\":\"07:30\"", "\"wTime\":\"07:61\"");
    WriteFile(Path("time.json"), text);
    const ToolRun time = Tool({"convert", Path("time.json"), Path("out.qlm")});
    EXPECT_EQ(time.status, 1);
    EXPECT_TRUE(time.err.contains("m_TrainInfo[1].wTime: expected \"HH:MM\" or a number 0..65535"))
        << time.err.toStdString();

    WriteFile(Path("bad.qlm"), "QL3");
    EXPECT_EQ(Tool({"convert", Path("bad.qlm"), Path("out.json")}).status, 1);
    EXPECT_EQ(Tool({"convert", Path("none.qlm"), Path("out.json")}).status, 1);
    EXPECT_FALSE(QFile::exists(Path("out.qlm")));
    EXPECT_FALSE(QFile::exists(Path("out.json")));

    // An unwritable destination is reported, and the status says so.
    const ToolRun unwritable = Tool({"new", Path("no/such/dir/x.qlm")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.startsWith(Path("no/such/dir/x.qlm") + ": cannot write: "))
        << unwritable.err.toStdString();
}

TEST_F(QlmTool, InfoSummarises)
{
    CQLMDoc doc = Samples::Small();
    doc.SetExtDataCount(2);
    doc.m_ExtData.ElementAt(2).SetName("PIC");
    doc.m_ExtData.ElementAt(2).SetData(QByteArray(1234, 'x'));
    WriteFile(Path("info.qlm"), Samples::Bytes(doc));
    const ToolRun r = Tool({"info", Path("info.qlm")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    for (const QString& line :
         {QStringLiteral("version:         3 (QL3)\n"),
          QString::fromUtf8("station:         新規駅 / newstation\n"),
          QStringLiteral("trains:          1\n"), QStringLiteral("train types:     1\n"),
          QStringLiteral("destinations:    1\n"), QStringLiteral("guide messages:  1\n"),
          QStringLiteral("extension keys:  1\n"), QStringLiteral("data blocks:     2\n"),
          QStringLiteral("\"@ORL300\"  20 bytes\n"), QStringLiteral("\"PIC\"      1234 bytes\n")})
        EXPECT_TRUE(r.out.contains(line)) << line.toStdString() << r.out.toStdString();

    WriteFile(Path("old.qlm"), TestDocs::Version2File());
    EXPECT_TRUE(Tool({"info", Path("old.qlm")}).out.contains("version:         2 (QLM)"));
    WriteFile(Path("bad.qlm"), "QL");
    EXPECT_EQ(Tool({"info", Path("bad.qlm")}).status, 1);
}

// The commands in-process, with the file layer made to fail: a failed save of a small file
// (whose bytes used to sit in a buffer until the rename) keeps the old file and exits with 1.
TEST_F(QlmTool, FailedWriteKeepsTheOldFileAndExitsWithOne)
{
    const QString out = Path("out.qlm");
    const QByteArray old = Samples::Bytes(Samples::Small());
    WriteFile(out, old);
    for (const FileIo::Step step : {FileIo::Step::Write, FileIo::Step::Sync}) {
        FileIo::SetFaultHook(
            [step](FileIo::Step s, const QString&) { return s == step ? ENOSPC : 0; });
        testing::internal::CaptureStderr();
        const int status = ::QlmTool::New(out);
        const std::string err = testing::internal::GetCapturedStderr();
        FileIo::SetFaultHook({});
        EXPECT_EQ(status, 1);
        EXPECT_EQ(err,
                  (out + ": cannot write: disk full; the old file is unchanged\n").toStdString());
        EXPECT_EQ(ReadFile(out), old);
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"out.qlm"});
}

TEST_F(QlmTool, InputsThatAreNotRegularFilesAreRefused)
{
    const QString fifo = Path("pipe.qlm");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct
    {
        QStringList args;
        QString message;
    } cases[] = {
        {{"convert", "/dev/zero", Path("x.qlm")},
         "/dev/zero: refused: not a regular file but a device"},
        {{"convert", "/dev/zero", Path("x.json")}, "/dev/zero: refused: not a regular file"},
        {{"check", fifo}, fifo + ": refused: not a regular file but a pipe"},
        {{"info", m_dir.path()}, m_dir.path() + ": refused: not a regular file but a directory"},
    };
    for (const auto& c : cases) {
        const ToolRun r = Tool(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.startsWith(c.message)) << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("x.qlm")));
}

// Texts from the file never act as a format: "%1" in a block name or station prints as it is.
TEST_F(QlmTool, InfoPrintsNamesAsTheyAre)
{
    CQLMDoc doc = Samples::Small();
    doc.m_strStationName = "%1 %2";
    doc.SetExtDataCount(2);
    doc.m_ExtData.ElementAt(2).SetName("%1");
    doc.m_ExtData.ElementAt(2).SetData(QByteArray(8, 'x'));
    WriteFile(Path("p.qlm"), Samples::Bytes(doc));
    const ToolRun r = Tool({"info", Path("p.qlm")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("\n  \"%1\"       8 bytes\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("\nstation:         %1 %2 / newstation\n")) << r.out.toStdString();
}

// The count is of problems, not of the lines that show them.
TEST_F(QlmTool, CheckCountsEveryProblem)
{
    CQLMDoc doc = Samples::Small();
    doc.SetTrainCount(100);
    for (int i = 1; i <= 100; ++i)
        doc.m_TrainInfo.ElementAt(i) = doc.m_TrainInfo.ElementAt(1);
    for (int i = 1; i <= 100; ++i)
        doc.m_TrainInfo.ElementAt(i).wAssortment = 7;
    doc.m_TrainInfo.ElementAt(5).wDestination = 0;
    WriteFile(Path("bad.qlm"), Samples::Bytes(doc));
    WriteFile(Path("bad.json"), QlmJson::ToJsonText(doc));
    for (const char* name : {"bad.qlm", "bad.json"}) {
        const ToolRun r = Tool({"check", Path(name)});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, Path(name) + ": ok, 101 warning(s)\n");
        EXPECT_EQ(r.err.count(u'\n'), 22) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("80 more trains with a train type index"))
            << r.err.toStdString();
    }
    int problems = 0;
    EXPECT_EQ(doc.Check(&problems).size(), 22);
    EXPECT_EQ(problems, 101);
}

// A value too wide for its field stops the conversion before anything is written.
TEST_F(QlmTool, OutOfRangeJsonWritesNothing)
{
    CQLMDoc doc = Samples::Small();
    doc.SetTrainCount(12);
    QByteArray text = QlmJson::ToJsonText(doc);
    const qsizetype last = text.lastIndexOf("\"wPlatform\":0");
    ASSERT_GT(last, 0);
    text.replace(last, 13, "\"wPlatform\":65536");
    WriteFile(Path("wide.json"), text);
    ToolRun r = Tool({"convert", Path("wide.json"), Path("out.qlm")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, Path("wide.json") +
                         ": refused: m_TrainInfo[12].wPlatform: expected a number 0..65535\n");

    text = QlmJson::ToJsonText(doc).replace("\"m_wPlatform\": 1,", "\"m_wPlatform\": 300,");
    WriteFile(Path("platform.json"), text);
    r = Tool({"convert", Path("platform.json"), Path("out.qlm")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.endsWith(": refused: m_wPlatform: expected a number 0..255\n"))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.qlm")));
}

} // namespace
