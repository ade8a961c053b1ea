// qlmtool export-trains and import-trains as a user runs them.

#include "qlmjson.h"
#include "samples.h"
#include "testdocs.h"
#include "toolrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <gtest/gtest.h>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using namespace ToolTests;

// Values the grid cannot show as typed: odd suffixes, a hidden wReserved, a text whose bytes
// have a second code, a second type of the same name, times past midnight.
CQLMDoc Unusual()
{
    CQLMDoc doc = Samples::Small();
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
    const QByteArray original = Samples::Bytes(Unusual());
    WriteFile(Path("board.qlm"), original);
    ASSERT_EQ(Tool({"export-trains", Path("board.qlm"), Path("trains.csv")}).status, 0);
    const QByteArray csv = ReadFile(Path("trains.csv"));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "\"列車番号\",\"列車種別\","))
        << csv.left(40).toStdString();
    EXPECT_TRUE(csv.contains("\r\n\"20000a\",\"普通\",\"あずさ\",\"Azusa\",\"24:35\","))
        << csv.toStdString();
    EXPECT_TRUE(csv.contains("\"20000\\x37\",")) << csv.toStdString();

    const ToolRun run =
        Tool({"import-trains", Path("board.qlm"), Path("trains.csv"), Path("out.qlm")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFile(Path("out.qlm")), original);

    // The same rows from a code page 932 file, without the header, replace the trains of a
    // board that has none.
    CQLMDoc empty = Unusual();
    empty.SetTrainCount(0);
    WriteFile(Path("empty.qlm"), Samples::Bytes(empty));
    WriteFile(Path("sjis.csv"),
              Sjis::FromUtf8("1234M,普通,あずさ,Azusa,07:30,新規行先,9,全車指定席,---,"));
    ASSERT_EQ(Tool({"import-trains", Path("empty.qlm"), Path("sjis.csv"), Path("one.qlm")}).status,
              0);
    CQLMDoc expected = Unusual();
    expected.SetTrainCount(1);
    EXPECT_EQ(ReadFile(Path("one.qlm")), Samples::Bytes(expected));
}

// Every node in the folder: its type, and a regular file's bytes or a link's target.
QMap<QString, QByteArray> Snapshot(const QString& dir)
{
    QMap<QString, QByteArray> nodes;
    for (const QFileInfo& info : QDir(dir).entryInfoList(QDir::AllEntries | QDir::System |
                                                         QDir::Hidden | QDir::NoDotAndDotDot)) {
        struct stat st;
        EXPECT_EQ(::lstat(QFile::encodeName(info.filePath()).constData(), &st), 0);
        QByteArray node = QByteArray::number(st.st_mode & S_IFMT) + ':';
        if (S_ISLNK(st.st_mode))
            node += QFile::encodeName(info.symLinkTarget());
        else if (S_ISREG(st.st_mode))
            node += ReadFile(info.filePath());
        nodes.insert(info.fileName(), node);
    }
    return nodes;
}

void MakeSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(static_cast<size_t>(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd); // the node stays
}

// Each refusal exits with its status, says why, and leaves every file and node as it was: no
// output appears, none is replaced.
TEST_F(CsvTool, BadInputsAreRefusedAndNothingChanges)
{
    const QString dir = m_dir.path() + QLatin1Char('/');
    const auto p = [&](const char* name) { return Path(name); };
    WriteFile(p("board.qlm"), Samples::Bytes(Samples::Small()));
    WriteFile(p("keep.qlm"), "old contents");
    WriteFile(p("good.csv"), "1234M,普通,,,07:30,新規行先,9");
    for (const char* fifo : {"fifo.qlm", "fifo.json", "fifo.csv"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(p(fifo)).constData(), 0600), 0);
    MakeSocket(p("sock.qlm"));
    const auto hardLink = [&](const char* from, const char* to) {
        return ::link(QFile::encodeName(p(from)).constData(), QFile::encodeName(p(to)).constData());
    };
    ASSERT_EQ(hardLink("board.qlm", "board-hard.csv"), 0);
    ASSERT_EQ(hardLink("good.csv", "good-hard.qlm"), 0);
    ASSERT_TRUE(QFile::link(p("board.qlm"), p("board-sym.csv")));
    WriteFile(p("empty.csv"), "");
    WriteFile(p("bom.csv"), "\xEF\xBB\xBF列車番号\r\n1A,普通,\xFF\r\n");
    const char nul[] = "1A,普通,a\0b,,07:00,新規行先,3";
    WriteFile(p("nul.csv"), QByteArray(nul, sizeof nul - 1));
    WriteFile(p("bad.csv"), "1A,普通,,,25:70,新規行先,3\r\n2B,特急,,,07:00,どこか,3");
    WriteFile(p("quote.csv"), "1A,\"普通,,,07:00,新規行先,3");
    QByteArray many = "\xEF\xBB\xBF\"列車番号\"\n";
    for (int i = 0; i < 25; ++i)
        many += "\"1\",\"普通\",\"\",\"\",\"0:05:30\",\"新規行先\",\"3\"\n";
    WriteFile(p("many.csv"), many);
    QString manyLines;
    for (int line = 2; line <= 21; ++line)
        manyLines += QStringLiteral("$many.csv: line %1, column 5 (発車時刻): \"0:05:30\" is not a "
                                    "time; import the column as text in the spreadsheet\n")
                         .arg(line);

    const struct
    {
        QStringList args;
        int status;
        QString message; // the start of standard error; "$" is the folder
    } cases[] = {
        // Outputs that are not regular files are kept as they are.
        {{"new", p("fifo.qlm")}, 1, "$fifo.qlm: refused: not a regular file but a pipe\n"},
        {{"convert", p("board.qlm"), p("fifo.json")}, 1, "$fifo.json: refused: not a regular"},
        {{"export-trains", p("board.qlm"), p("fifo.csv")}, 1, "$fifo.csv: refused: not a regular"},
        {{"import-trains", p("board.qlm"), p("good.csv"), p("fifo.qlm")},
         1,
         "$fifo.qlm: refused: not a regular file but a pipe\n"},
        {{"new", p("sock.qlm")}, 1, "$sock.qlm: refused: not a regular file but a socket\n"},
        // Outputs that would overwrite what the command reads, or that qlmtool reads as
        // timetables.
        {{"export-trains", p("board.qlm"), p("out.qlm")},
         2,
         "qlmtool: $out.qlm: export-trains writes CSV, not a .qlm or .json file\n"},
        {{"export-trains", p("board.qlm"), p("out.JSON")}, 2, "qlmtool: $out.JSON: export-trains"},
        {{"export-trains", p("board.qlm"), p("board-hard.csv")},
         2,
         "qlmtool: $board-hard.csv: is the input file $board.qlm; nothing written\n"},
        {{"export-trains", p("board.qlm"), p("board-sym.csv")},
         2,
         "qlmtool: $board-sym.csv: is the input file"},
        {{"import-trains", p("board.qlm"), p("good.csv"), p("good-hard.qlm")},
         2,
         "qlmtool: $good-hard.qlm: is the input file $good.csv; nothing written\n"},
        // CSV that does not read.
        {{"import-trains", p("board.qlm"), p("empty.csv"), p("new.qlm")},
         1,
         "$empty.csv: refused: no header line and no trains"},
        {{"import-trains", p("board.qlm"), p("bom.csv"), p("new.qlm")},
         1,
         "$bom.csv: line 2, column 3 (列車名): byte 0xFF is not UTF-8, though the file starts "
         "with a UTF-8 byte-order mark\n"},
        {{"import-trains", p("board.qlm"), p("nul.csv"), p("keep.qlm")},
         1,
         "$nul.csv: line 1, column 3 (列車名): a NUL character cannot be stored\n"},
        {{"import-trains", p("board.qlm"), p("bad.csv"), p("new.qlm")},
         1,
         "$bad.csv: line 1, column 5 (発車時刻): \"25:70\" is not a time\n"
         "$bad.csv: line 2, column 2 (列車種別): there is no train type \"特急\"\n"
         "$bad.csv: line 2, column 6 (行先): there is no destination \"どこか\"\n"},
        {{"import-trains", p("board.qlm"), p("quote.csv"), p("keep.qlm")},
         1,
         "$quote.csv: line 1, column 2 (列車種別): a quoted field is not closed\n"},
        {{"import-trains", p("board.qlm"), p("many.csv"), p("new.qlm")},
         1,
         manyLines + "$many.csv: 5 more problems\n"},
        {{"import-trains", p("board.qlm"), p("bad.csv")}, 2, "qlmtool: import-trains takes"},
        {{"export-trains", p("board.qlm")}, 2, "qlmtool: export-trains takes"},
        {{"export-trains", p("missing.qlm"), p("t.csv")}, 1, "$missing.qlm: cannot read"},
    };
    const QMap<QString, QByteArray> before = Snapshot(m_dir.path());
    for (const auto& c : cases) {
        const ToolRun run = Tool(c.args);
        const QString message = QString(c.message).replace(QLatin1Char('$'), dir);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(message)) << run.err.toStdString();
        // A message given whole is all there is; usage errors add a line that points to --help.
        if (message.endsWith(u'\n')) {
            EXPECT_EQ(run.err.count(u'\n'), message.count(u'\n') + (c.status == 2 ? 1 : 0))
                << run.err.toStdString();
        }
        EXPECT_EQ(Snapshot(m_dir.path()), before) << c.args.join(' ').toStdString();
    }
}

// A link is followed and its target rewritten; a board may be updated in place; a header alone
// means no trains; JSON with a byte-order mark reads as without.
TEST_F(CsvTool, OutputsGoWhereTheUserMeant)
{
    const QByteArray small = Samples::Bytes(Samples::Small());
    WriteFile(Path("board.qlm"), small);
    WriteFile(Path("target.qlm"), "old");
    WriteFile(Path("target.csv"), "old");
    ASSERT_TRUE(QFile::link(Path("target.qlm"), Path("link.qlm")));
    ASSERT_TRUE(QFile::link(Path("target.csv"), Path("link.csv")));
    EXPECT_EQ(Tool({"new", Path("link.qlm")}).status, 0);
    EXPECT_EQ(Tool({"export-trains", Path("board.qlm"), Path("link.csv")}).status, 0);
    EXPECT_EQ(Tool({"export-trains", Path("board.qlm"), Path("plain.csv")}).status, 0);
    CQLMDoc fresh = Samples::Timetable();
    EXPECT_EQ(ReadFile(Path("target.qlm")), Samples::Bytes(fresh));
    EXPECT_EQ(ReadFile(Path("target.csv")), ReadFile(Path("plain.csv")));
    EXPECT_TRUE(QFileInfo(Path("link.qlm")).isSymLink());
    EXPECT_TRUE(QFileInfo(Path("link.csv")).isSymLink());

    WriteFile(Path("header.csv"), "\"列車番号\",\"列車種別\"\n");
    EXPECT_EQ(
        Tool({"import-trains", Path("board.qlm"), Path("header.csv"), Path("board.qlm")}).status,
        0);
    CQLMDoc none = Samples::Small();
    none.SetTrainCount(0);
    EXPECT_EQ(ReadFile(Path("board.qlm")), Samples::Bytes(none));

    WriteFile(Path("bom.json"), "\xEF\xBB\xBF" + QlmJson::ToJsonText(Samples::Small()));
    EXPECT_EQ(Tool({"convert", Path("bom.json"), Path("out.qlm")}).status, 0);
    EXPECT_EQ(ReadFile(Path("out.qlm")), small);
}

// Files as LibreOffice Calc 7.4 wrote them (fully quoted text, LF, no byte-order mark) after
// opening the export of calc-board.json: calc-text.csv with "quoted field as text", calc-times.csv
// with the time column left to Calc (H:MM:SS). Texts that look like numbers, dates and formulas
// come back, and so do the times.
TEST_F(CsvTool, SpreadsheetFilesGiveTheBoardBack)
{
    const QString data = QStringLiteral(QLMTOOL_TEST_DATA "/");
    ASSERT_EQ(Tool({"convert", data + "calc-board.json", Path("board.qlm")}).status, 0);
    for (const char* csv : {"calc-text.csv", "calc-times.csv"}) {
        const ToolRun run =
            Tool({"import-trains", data + "calc-board.json", data + csv, Path("back.qlm")});
        EXPECT_EQ(run.status, 0) << csv << run.err.toStdString();
        EXPECT_EQ(ReadFile(Path("back.qlm")), ReadFile(Path("board.qlm"))) << csv;
    }
    // What Calc keeps as text is what the export wrote, byte for byte but the line ends and mark.
    ASSERT_EQ(Tool({"export-trains", Path("board.qlm"), Path("export.csv")}).status, 0);
    EXPECT_EQ(ReadFile(Path("export.csv")).sliced(3).replace("\r\n", "\n"),
              ReadFile(data + "calc-text.csv"));
}

} // namespace
