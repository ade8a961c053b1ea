#include "fileio.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIo {
namespace {

FaultHook& Hook()
{
    static FaultHook hook;
    return hook;
}

int Fault(Step step, const QString& path)
{
    const FaultHook& hook = Hook();
    return hook ? hook(step, path) : 0;
}

struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Reads until n bytes have arrived or the file ends. The count read, or -1 with errno set.
qint64 ReadUpTo(int fd, char* p, qint64 n)
{
    qint64 done = 0;
    while (done < n) {
        const size_t chunk = static_cast<size_t>(std::min<qint64>(n - done, qint64(1) << 30));
        const ssize_t r = ::read(fd, p + done, chunk);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (r == 0)
            break;
        done += r;
    }
    return done;
}

// Writes all n bytes. False with errno set on failure.
bool WriteAll(int fd, const char* p, qint64 n)
{
    qint64 done = 0;
    while (done < n) {
        const size_t chunk = static_cast<size_t>(std::min<qint64>(n - done, qint64(1) << 30));
        const ssize_t w = ::write(fd, p + done, chunk);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (w == 0) {
            errno = EIO;
            return false;
        }
        done += w;
    }
    return true;
}

bool IsDiskFull(int code)
{
    return code == ENOSPC || code == EDQUOT;
}

QString EnglishReason(int code)
{
    if (IsDiskFull(code))
        return QStringLiteral("disk full");
    return qt_error_string(code);
}

QString JapaneseReason(int code)
{
    switch (code) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case EIO:
        return QStringLiteral("入出力エラーが発生しました。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました。");
    case ENOENT:
        return QStringLiteral("ファイルが見つかりません。");
    case EROFS:
        return QStringLiteral("読み取り専用のファイルシステムです。");
    default:
        return QStringLiteral("エラーが発生しました (") + qt_error_string(code) +
               QStringLiteral(")。");
    }
}

// For NotRegular, code holds the file type bits of st_mode.
QString EnglishFileType(int mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a directory");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

QString JapaneseFileType(int mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("フォルダー");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("デバイス");
    if (S_ISFIFO(mode))
        return QStringLiteral("パイプ");
    if (S_ISSOCK(mode))
        return QStringLiteral("ソケット");
    return QStringLiteral("特殊ファイル");
}

} // namespace

QString FileError::English() const
{
    switch (kind) {
    case Kind::None:
        return QString();
    case Kind::Open:
        return QStringLiteral("cannot read: ") + EnglishReason(code);
    case Kind::NotRegular:
        return QStringLiteral("refused: not a regular file but ") + EnglishFileType(code);
    case Kind::TooLarge:
        return QStringLiteral("refused: %1 bytes, larger than the %2 bytes a file may have")
            .arg(size)
            .arg(kMaxFileSize);
    case Kind::NotTimetable:
        return QStringLiteral("refused: ") + load.English();
    case Kind::Read:
        return QStringLiteral("cannot read: ") + EnglishReason(code);
    case Kind::Changed:
        if (got < size)
            return QStringLiteral("refused: the file shrank while it was read: %1 of %2 bytes")
                .arg(got)
                .arg(size);
        return QStringLiteral("refused: the file grew while it was read beyond its %1 bytes")
            .arg(size);
    case Kind::Write:
        return QStringLiteral("cannot write: ") + EnglishReason(code) +
               QStringLiteral("; the old file is unchanged");
    case Kind::Create:
        return QStringLiteral("cannot write: ") + (code != 0 ? EnglishReason(code) : qtMessage) +
               QStringLiteral("; the old file is unchanged");
    case Kind::Commit:
        return QStringLiteral("cannot write: ") + qtMessage +
               QStringLiteral("; the old file is unchanged");
    case Kind::SyncFolder:
        return QStringLiteral("written, but its folder could not be synced: ") +
               EnglishReason(code) + QStringLiteral("; the new file may not survive a power cut");
    }
    return QString();
}

QString FileError::Japanese() const
{
    switch (kind) {
    case Kind::None:
        return QString();
    case Kind::Open:
    case Kind::Read:
        return JapaneseReason(code);
    case Kind::NotRegular:
        return QStringLiteral("通常のファイルではありません (") + JapaneseFileType(code) +
               QStringLiteral(")。");
    case Kind::TooLarge:
        return QStringLiteral("ファイルが大きすぎます (%1 バイト。読み込めるのは %2 "
                              "バイトまでです)。")
            .arg(size)
            .arg(kMaxFileSize);
    case Kind::NotTimetable:
        return load.Japanese();
    case Kind::Changed:
        if (got < size)
            return QStringLiteral("読み込み中にファイルが短くなりました (%1 バイトのうち %2 "
                                  "バイトしか読めません)。")
                .arg(size)
                .arg(got);
        return QStringLiteral("読み込み中にファイルが %1 バイトより長くなりました。").arg(size);
    case Kind::Write:
        return JapaneseReason(code) + QStringLiteral("\n元のファイルは変更されていません。");
    case Kind::Create:
        // The temporary file goes beside the old one: a missing folder is the usual cause.
        if (code == ENOENT || code == ENOTDIR)
            return QStringLiteral("保存先のフォルダーがありません。");
        return (code != 0 ? JapaneseReason(code)
                          : QStringLiteral("一時ファイルを作成できません。")) +
               QStringLiteral("\n元のファイルは変更されていません。");
    case Kind::Commit:
        return QStringLiteral("一時ファイルで元のファイルを置き換えられません (") + qtMessage +
               QStringLiteral(")。\n元のファイルは変更されていません。");
    case Kind::SyncFolder:
        return QStringLiteral("ファイルは書き込みましたが、フォルダーを同期できません。\n") +
               JapaneseReason(code) +
               QStringLiteral("\n電源が切れると新しい内容が失われることがあります。");
    }
    return QString();
}

bool ReadFile(const QString& path, Content content, QByteArray* bytes, FileError* error)
{
    bytes->clear();
    FileError e;
    auto fail = [&](FileError::Kind kind, int code = 0) {
        e.kind = kind;
        e.code = code;
        if (error)
            *error = e;
        return false;
    };

    // O_NONBLOCK keeps open() from waiting for a writer on a FIFO; regular files ignore it.
    Descriptor file{
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    if (file.fd < 0)
        return fail(FileError::Kind::Open, errno);
    struct stat st;
    if (::fstat(file.fd, &st) != 0)
        return fail(FileError::Kind::Open, errno);
    if (!S_ISREG(st.st_mode))
        return fail(FileError::Kind::NotRegular, static_cast<int>(st.st_mode & S_IFMT));
    e.size = st.st_size;

    // The magic decides before the size does: anything else is refused for what it is, after
    // three bytes, however large it is.
    char magic[3];
    qint64 head = 0;
    if (content == Content::Timetable) {
        head = ReadUpTo(file.fd, magic, 3);
        if (head < 0)
            return fail(FileError::Kind::Read, errno);
        const QByteArrayView start(magic, head);
        if (start != QByteArrayView("QL3") && start != QByteArrayView("QLM")) {
            CQLMDoc probe;
            probe.LoadFile(start, &e.load);
            return fail(FileError::Kind::NotTimetable);
        }
    }
    if (e.size > kMaxFileSize)
        return fail(FileError::Kind::TooLarge);
    if (const int code = Fault(Step::Read, path))
        return fail(FileError::Kind::Read, code);

    QByteArray data(e.size, Qt::Uninitialized);
    std::memcpy(data.data(), magic, static_cast<size_t>(head));
    const qint64 rest = ReadUpTo(file.fd, data.data() + head, e.size - head);
    if (rest < 0)
        return fail(FileError::Kind::Read, errno);
    e.got = head + rest;
    if (e.got < e.size)
        return fail(FileError::Kind::Changed);
    char more;
    const qint64 extra = ReadUpTo(file.fd, &more, 1);
    if (extra < 0)
        return fail(FileError::Kind::Read, errno);
    if (extra > 0) {
        e.got = e.size + extra;
        return fail(FileError::Kind::Changed);
    }
    *bytes = std::move(data);
    return true;
}

bool WriteFile(const QString& path, const QByteArray& bytes, FileError* error)
{
    FileError e;
    auto report = [&](FileError::Kind kind, int code) {
        e.kind = kind;
        e.code = code;
        if (error)
            *error = e;
        return false;
    };
    // Replacing a pipe, device or socket with a regular file would break whatever uses it, and
    // the user meant to write into it, not over it. A link is followed: its target is checked
    // here, and replaced below.
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return report(FileError::Kind::NotRegular, static_cast<int>(st.st_mode & S_IFMT));

    QSaveFile file(path);
    auto fail = [&](FileError::Kind kind, int code) {
        if (code == 0)
            e.qtMessage = file.errorString();
        file.cancelWriting();
        return report(kind, code);
    };
    if (const int code = Fault(Step::Create, path))
        return fail(FileError::Kind::Create, code);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(FileError::Kind::Create, errno); // the failed open() leaves its errno
    // The bytes go straight to the temporary file's descriptor: QSaveFile buffers small writes
    // until commit(), and a commit() that fails to flush the buffer still renames the short
    // file over the old one. Writing and syncing here checks every step before the rename.
    const int fd = file.handle();
    if (const int code = Fault(Step::Write, path))
        return fail(FileError::Kind::Write, code);
    if (!WriteAll(fd, bytes.constData(), bytes.size()))
        return fail(FileError::Kind::Write, errno);
    if (const int code = Fault(Step::Sync, path))
        return fail(FileError::Kind::Write, code);
    if (::fsync(fd) != 0)
        return fail(FileError::Kind::Write, errno);
    if (!file.commit()) {
        e.qtMessage = file.errorString();
        return report(FileError::Kind::Commit, 0);
    }
    // The rename lives in the folder, which has to reach the disk too, or a power cut can bring
    // back the old name. The folder is the link target's when path is a link.
    if (const int code = Fault(Step::SyncFolder, path))
        return report(FileError::Kind::SyncFolder, code);
    const QString target = QFileInfo(path).canonicalFilePath();
    const QString folder = QFileInfo(target.isEmpty() ? path : target).absolutePath();
    Descriptor dir{
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    // A folder that cannot be opened for reading, or a file system that does not sync folders
    // (EINVAL), leaves nothing more to do.
    if (dir.fd >= 0 && ::fsync(dir.fd) != 0 && errno != EINVAL)
        return report(FileError::Kind::SyncFolder, errno);
    return true;
}

void SetFaultHook(FaultHook hook)
{
    Hook() = std::move(hook);
}

} // namespace FileIo

namespace {

bool ReadForEditor(const QString& path, FileIo::Content content, QByteArray* bytes, QString* error)
{
    FileIo::FileError e;
    if (FileIo::ReadFile(path, content, bytes, &e))
        return true;
    if (error)
        *error = QFileInfo(path).fileName() +
                 (e.WhileReading() ? QStringLiteral(" を読み込めません。\n")
                                   : QStringLiteral(" を開けません。\n")) +
                 e.Japanese();
    return false;
}

} // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    FileIo::FileError e;
    if (FileIo::WriteFile(path, bytes, &e))
        return true;
    if (error)
        *error =
            QFileInfo(path).fileName() + QStringLiteral(" に保存できません。\n") + e.Japanese();
    return false;
}

bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error)
{
    return ReadForEditor(path, FileIo::Content::Any, bytes, error);
}

bool ReadTimetableFile(const QString& path, QByteArray* bytes, QString* error)
{
    return ReadForEditor(path, FileIo::Content::Timetable, bytes, error);
}
