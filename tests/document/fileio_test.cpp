// The file layer under open and save: failed writes keep the old file, and reading refuses
// what is not a sane regular timetable file without crashing or reading it all.

#include "fileio.h"
#include "samples.h"
#include "veldendoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include <sys/stat.h>

namespace {

using Samples::ReadFile;

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(Samples::WriteFile(path, bytes));
}

// Installs a hook for one test and removes it afterwards.
struct ScopedHook
{
    explicit ScopedHook(FileIo::FaultHook hook) { FileIo::SetFaultHook(std::move(hook)); }
    ~ScopedHook() { FileIo::SetFaultHook({}); }
};

struct SaveFault
{
    const char* name;
    FileIo::Step step;
    int code;
    const char* english;
    const char* japanese;
};

void PrintTo(const SaveFault& c, std::ostream* os)
{
    *os << c.name;
}

class SaveFaults : public testing::TestWithParam<SaveFault>
{
};

// Small files are where the failure used to hide: the bytes stayed in a buffer until the rename.
TEST_P(SaveFaults, LeaveTheOldFileAndSayWhy)
{
    const SaveFault& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("board.qlm");
    const QByteArray old("QL3 the old contents, byte for byte\0\xFF", 38);
    WriteBytes(path, old);

    CVeldenDoc doc;
    doc.OnNewDocument();
    doc.SetModifiedFlag(true);
    QString error;
    FileIo::FileError fileError;
    {
        ScopedHook hook(
            [&c](FileIo::Step step, const QString&) { return step == c.step ? c.code : 0; });
        EXPECT_FALSE(doc.OnSaveDocument(path, &error));
        EXPECT_FALSE(FileIo::WriteFile(path, QByteArray(100, 'x'), &fileError));
    }
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"board.qlm"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(error.startsWith(QStringLiteral("board.qlm に保存できません。")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8(c.japanese))) << error.toStdString();
    EXPECT_TRUE(fileError.English().contains(QLatin1StringView(c.english)))
        << fileError.English().toStdString();
    EXPECT_FALSE(fileError.English().contains(QLatin1StringView("Unknown error")));
}

INSTANTIATE_TEST_SUITE_P(
    FileIo, SaveFaults,
    testing::Values(
        SaveFault{"WriteDiskFull", FileIo::Step::Write, ENOSPC, "cannot write: disk full",
                  "ディスクの空き容量が足りません"},
        SaveFault{"WriteIoError", FileIo::Step::Write, EIO, "Input/output error", "入出力エラー"},
        SaveFault{"SyncDiskFull", FileIo::Step::Sync, ENOSPC, "disk full",
                  "ディスクの空き容量が足りません"},
        SaveFault{"SyncIoError", FileIo::Step::Sync, EIO, "Input/output error", "入出力エラー"},
        SaveFault{"CreateDenied", FileIo::Step::Create, EACCES, "cannot write: Permission denied",
                  "アクセスが拒否されました"}),
    [](const testing::TestParamInfo<SaveFault>& info) { return info.param.name; });

struct ReadCase
{
    const char* name;
    // Makes the file (or names an existing one) in dir; returns its path.
    std::function<QString(const QTemporaryDir& dir)> make;
    // What happens between stat and reading the bytes.
    std::function<int(const QString& path)> duringRead;
    FileIo::FileError::Kind kind;
    const char* english;
    const char* japanese;
    bool readHookRuns; // false: refused before any bytes past the magic were read
};

const QByteArray kSmallTimetable = QByteArray("QL3") + QByteArray(200, '\0');

QString SmallFile(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("small.qlm");
    WriteBytes(path, kSmallTimetable);
    return path;
}

// A sparse file: large on paper, nothing on disk.
QString HugeFile(const QTemporaryDir& dir, const QByteArray& start)
{
    const QString path = dir.filePath("huge.qlm");
    WriteBytes(path, start);
    EXPECT_TRUE(QFile::resize(path, qint64(3) << 30));
    return path;
}

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadRefusals : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadRefusals, AreClearAndCostNothing)
{
    const ReadCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = c.make(dir);
    bool hookRan = false;
    ScopedHook hook([&](FileIo::Step step, const QString& p) {
        if (step != FileIo::Step::Read)
            return 0;
        hookRan = true;
        return c.duringRead ? c.duringRead(p) : 0;
    });

    QByteArray bytes("stale");
    FileIo::FileError error;
    EXPECT_FALSE(FileIo::ReadFile(path, FileIo::Content::Timetable, &bytes, &error));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_EQ(error.kind, c.kind);
    EXPECT_TRUE(error.English().contains(QLatin1StringView(c.english)))
        << error.English().toStdString();
    EXPECT_EQ(hookRan, c.readHookRuns);

    CVeldenDoc doc;
    QString message;
    EXPECT_FALSE(doc.OnOpenDocument(path, &message));
    EXPECT_TRUE(message.contains(QString::fromUtf8(c.japanese))) << message.toStdString();
}

using Kind = FileIo::FileError::Kind;

INSTANTIATE_TEST_SUITE_P(
    FileIo, ReadRefusals,
    testing::Values(
        ReadCase{
            "ShrinksWhileRead", SmallFile,
            [](const QString& p) { return QFile::resize(p, QFileInfo(p).size() / 2) ? 0 : EBADF; },
            Kind::Changed, "shrank while it was read: 101 of 203 bytes",
            "読み込み中にファイルが短くなりました", true},
        ReadCase{
            "GrowsWhileRead", SmallFile,
            [](const QString& p) { return QFile::resize(p, QFileInfo(p).size() * 2) ? 0 : EBADF; },
            Kind::Changed, "grew while it was read", "長くなりました", true},
        ReadCase{"ReadError", SmallFile, [](const QString&) { return EIO; }, Kind::Read,
                 "cannot read: Input/output error", "入出力エラー", true},
        ReadCase{"Directory", [](const QTemporaryDir& d) { return d.path(); }, nullptr,
                 Kind::NotRegular, "not a regular file but a directory", "フォルダー", false},
        ReadCase{"Fifo",
                 [](const QTemporaryDir& d) {
                     const QString path = d.filePath("pipe.qlm");
                     EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                     return path;
                 },
                 nullptr, Kind::NotRegular, "a pipe", "パイプ", false},
        ReadCase{"EndlessDevice", [](const QTemporaryDir&) { return QStringLiteral("/dev/zero"); },
                 nullptr, Kind::NotRegular, "a device", "デバイス", false},
        ReadCase{"HugeWithWrongMagic", [](const QTemporaryDir& d) { return HugeFile(d, "PK\x03"); },
                 nullptr, Kind::NotTimetable, "byte 0: the magic is neither", "先頭の識別子",
                 false},
        ReadCase{"HugeTimetable", [](const QTemporaryDir& d) { return HugeFile(d, "QLM"); },
                 nullptr, Kind::TooLarge, "3221225472 bytes, larger than the 536870912",
                 "ファイルが大きすぎます", false},
        ReadCase{"TooShortForTheMagic",
                 [](const QTemporaryDir& d) {
                     WriteBytes(d.filePath("two.qlm"), "QL");
                     return d.filePath("two.qlm");
                 },
                 nullptr, Kind::NotTimetable, "2 bytes, too short", "2 バイトしかありません",
                 false},
        ReadCase{"Missing", [](const QTemporaryDir& d) { return d.filePath("none.qlm"); }, nullptr,
                 Kind::Open, "No such file", "ファイルが見つかりません", false}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(FileIo, ReadsWhatItWroteAndAnythingWithoutAMagicCheck)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.json");
    const QByteArray bytes = QByteArray("{}") + QByteArray(70000, ' ');
    FileIo::FileError error;
    ASSERT_TRUE(FileIo::WriteFile(path, bytes, &error)) << error.English().toStdString();
    QByteArray back;
    ASSERT_TRUE(FileIo::ReadFile(path, FileIo::Content::Any, &back, &error));
    EXPECT_EQ(back, bytes);
    EXPECT_FALSE(FileIo::ReadFile(path, FileIo::Content::Timetable, &back, &error));
    EXPECT_EQ(error.kind, Kind::NotTimetable);
}

// The rename is made durable by syncing the folder; when that fails the new bytes are in place
// and the failure is still reported.
TEST(FileIo, FailedFolderSyncIsReported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("board.qlm");
    WriteBytes(path, "old");
    FileIo::FileError error;
    {
        ScopedHook hook([](FileIo::Step step, const QString&) {
            return step == FileIo::Step::SyncFolder ? EIO : 0;
        });
        EXPECT_FALSE(FileIo::WriteFile(path, "new", &error));
    }
    EXPECT_EQ(error.kind, Kind::SyncFolder);
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_TRUE(error.English().contains(
        QLatin1StringView("its folder could not be synced: Input/output error")))
        << error.English().toStdString();
    EXPECT_TRUE(error.Japanese().contains(QStringLiteral("フォルダーを同期できません")));
}

} // namespace
