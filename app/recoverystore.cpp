#include "recoverystore.h"

#include "fileio.h"
#include "qlmdoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCopySuffix = QStringLiteral(".qlm");
const QString kSideSuffix = QStringLiteral(".json");
const QString kLockSuffix = QStringLiteral(".lock");

QString FailedText(const QString& folder, const QString& reason)
{
    return QStringLiteral("回復用のコピーを %1 に書き込めません: %2")
        .arg(QDir::toNativeSeparators(folder), reason);
}

// Creates every missing folder on the way to path with mode 0700, as the state folders of
// other programs are. 0 or the errno of the failing step.
int MakeFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(QDir::cleanPath(path));
    for (qsizetype i = 1; i <= name.size(); ++i) {
        if (i < name.size() && name.at(i) != '/')
            continue;
        if (::mkdir(name.left(i).constData(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    struct stat st;
    if (::stat(name.constData(), &st) != 0)
        return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

// The session and id of a copy's file name "<session>-<id>.qlm".
QString SessionOf(const QString& fileName)
{
    return fileName.section(QLatin1Char('-'), 0, 0);
}

bool WriteSide(const QString& base, const CRecoveryStore::Info& info, FileIo::FileError* error)
{
    const QJsonObject side{{QStringLiteral("path"), info.path},
                           {QStringLiteral("title"), info.title},
                           {QStringLiteral("time"), info.time.toUTC().toString(Qt::ISODateWithMs)},
                           {QStringLiteral("pid"), info.pid}};
    return FileIo::WriteFile(base + kSideSuffix, QJsonDocument(side).toJson(), error);
}

CRecoveryStore::Info ReadSide(const QString& base)
{
    CRecoveryStore::Info info;
    QByteArray bytes;
    if (!FileIo::ReadFile(base + kSideSuffix, FileIo::Content::Any, &bytes, nullptr))
        return info;
    const QJsonObject side = QJsonDocument::fromJson(bytes).object();
    info.path = side.value(QStringLiteral("path")).toString();
    info.title = side.value(QStringLiteral("title")).toString();
    info.time =
        QDateTime::fromString(side.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    info.pid = side.value(QStringLiteral("pid")).toInteger();
    return info;
}

} // namespace

QString CRecoveryStore::DefaultFolder()
{
    // A relative XDG_STATE_HOME is invalid and ignored, as the base directory rules say.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/marvo/recovery");
}

CRecoveryStore::CRecoveryStore(QString folder) : m_strFolder(std::move(folder)) {}

CRecoveryStore::~CRecoveryStore()
{
    if (m_nLockFd < 0)
        return;
    ::unlink(QFile::encodeName(m_strFolder + QLatin1Char('/') + m_strSession + kLockSuffix));
    ::close(m_nLockFd);
}

bool CRecoveryStore::BeginSession(QString* error)
{
    if (HasSession())
        return true;
    if (const int code = MakeFolder(m_strFolder)) {
        if (error)
            *error = FailedText(m_strFolder, qt_error_string(code));
        return false;
    }
    int code = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString session = QStringLiteral("%1").arg(QRandomGenerator::system()->generate64(),
                                                         16, 16, QLatin1Char('0'));
        const QByteArray path =
            QFile::encodeName(m_strFolder + QLatin1Char('/') + session + kLockSuffix);
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            code = errno;
            if (code == EEXIST)
                continue;
            break;
        }
        // Whoever removes an ended session's lock file does so holding its lock; a file that
        // is no longer the one at path was removed before this lock was taken.
        struct stat mine;
        struct stat there;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &mine) != 0 ||
            ::stat(path.constData(), &there) != 0 || mine.st_ino != there.st_ino ||
            mine.st_dev != there.st_dev) {
            code = errno;
            ::close(fd);
            continue;
        }
        const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
        if (::write(fd, pid.constData(), size_t(pid.size())) < 0) {
            // The pid is for people looking at the folder; the lock is what counts.
        }
        m_nLockFd = fd;
        m_strSession = session;
        return true;
    }
    if (error)
        *error = FailedText(m_strFolder, qt_error_string(code ? code : EEXIST));
    return false;
}

QString CRecoveryStore::BaseOf(int id) const
{
    return m_strFolder + QLatin1Char('/') + m_strSession + QLatin1Char('-') + QString::number(id);
}

bool CRecoveryStore::Write(const QString& base, const QByteArray& bytes, const Info& info,
                           QString* error)
{
    // The copy first: a side file always describes a complete copy.
    FileIo::FileError e;
    if (FileIo::WriteFile(base + kCopySuffix, bytes, &e) && WriteSide(base, info, &e))
        return true;
    if (error)
        *error = FailedText(QFileInfo(base).path(), e.Japanese().section(QLatin1Char('\n'), 0, 0));
    return false;
}

void CRecoveryStore::Remove(const QString& base)
{
    // The copy first: a side file left alone is ignored, a copy left alone would be offered.
    QFile::remove(base + kCopySuffix);
    QFile::remove(base + kSideSuffix);
}

QString CRecoveryStore::Copy::Name() const
{
    if (!info.path.isEmpty())
        return QFileInfo(info.path).fileName();
    if (!info.title.isEmpty())
        return info.title;
    return QFileInfo(base).fileName() + kCopySuffix;
}

bool CRecoveryStore::IsSessionRunning(const QString& session) const
{
    const QByteArray path =
        QFile::encodeName(m_strFolder + QLatin1Char('/') + session + kLockSuffix);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno != ENOENT; // a lock that cannot be looked at counts as held
    const bool running = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return running;
}

QList<CRecoveryStore::Copy> CRecoveryStore::OrphanedCopies() const
{
    QList<Copy> copies;
    const QDir dir(m_strFolder);
    QHash<QString, bool> running;
    for (const QString& name :
         dir.entryList({QLatin1Char('*') + kCopySuffix}, QDir::Files | QDir::Hidden)) {
        const QString session = SessionOf(name);
        if (session == m_strSession)
            continue;
        if (!running.contains(session))
            running.insert(session, IsSessionRunning(session));
        if (running.value(session))
            continue;
        Copy copy;
        copy.base = dir.filePath(name.chopped(kCopySuffix.size()));
        copy.info = ReadSide(copy.base);
        if (!copy.info.time.isValid())
            copy.info.time = QFileInfo(dir.filePath(name)).lastModified();
        QByteArray bytes;
        QString error;
        LoadError loadError;
        CQLMDoc check;
        if (!ReadTimetableFile(dir.filePath(name), &bytes, &error))
            copy.problem = error;
        else if (!check.LoadFile(bytes, &loadError))
            copy.problem = loadError.Japanese();
        else
            copy.bytes = bytes;
        if (!copy.info.path.isEmpty()) {
            const QFileInfo file(copy.info.path);
            copy.fileMissing = !file.exists();
            copy.fileNewer = file.exists() && file.lastModified() > copy.info.time;
        }
        copies.append(copy);
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const Copy& a, const Copy& b) { return a.info.time < b.info.time; });
    return copies;
}

bool CRecoveryStore::Claim(const Copy& copy, int id, QString* error)
{
    if (!BeginSession(error))
        return false;
    // One rename moves the copy out of the ended session: of two MARVOs restoring at once,
    // one gets it.
    const QString base = BaseOf(id);
    if (::rename(QFile::encodeName(copy.base + kCopySuffix).constData(),
                 QFile::encodeName(base + kCopySuffix).constData()) != 0) {
        if (error)
            *error = FailedText(m_strFolder, qt_error_string(errno));
        return false;
    }
    Info info = copy.info;
    info.pid = QCoreApplication::applicationPid();
    WriteSide(base, info, nullptr); // the copy is ours either way; the side file only describes it
    QFile::remove(copy.base + kSideSuffix);
    return true;
}

void CRecoveryStore::Discard(const QList<Copy>& copies)
{
    for (const Copy& copy : copies)
        Remove(copy.base);
}

void CRecoveryStore::RemoveEndedSessions() const
{
    const QDir dir(m_strFolder);
    for (const QString& name :
         dir.entryList({QLatin1Char('*') + kLockSuffix}, QDir::Files | QDir::Hidden)) {
        const QString session = name.chopped(kLockSuffix.size());
        if (session == m_strSession ||
            !dir.entryList({session + QStringLiteral("-*") + kCopySuffix},
                           QDir::Files | QDir::Hidden)
                 .isEmpty())
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            for (const QString& side :
                 dir.entryList({session + QStringLiteral("-*") + kSideSuffix}, QDir::Files))
                QFile::remove(dir.filePath(side));
            ::unlink(path.constData());
        }
        ::close(fd);
    }
}
