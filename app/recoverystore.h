#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// What the user answers to the copies found at start.
enum class RecoveryAnswer
{
    Restore, // open each as its document, marked modified
    Discard, // delete them
    Later,   // keep them for the next start
};

// The recovery folder: copies of documents with unsaved changes, so that a crash, a killed
// session or a power cut loses nothing typed since the last save.
//
// Each running MARVO is one session: it holds an exclusive flock() on "<session>.lock" for as
// long as it runs, and names its copies "<session>-<id>.qlm", each with a side file
// "<session>-<id>.json" (the document's path, title, the time of the copy and the process id).
// The kernel drops the lock when the process ends however it ends, so a copy whose session
// lock can be taken belongs to a MARVO that no longer runs; process ids alone can be reused.
// No widgets: the document manager uses it on the interface thread, and its writer uses the
// static Write/Remove functions on a worker thread.
class CRecoveryStore
{
public:
    // $XDG_STATE_HOME/marvo/recovery, by default ~/.local/state/marvo/recovery.
    static QString DefaultFolder();

    explicit CRecoveryStore(QString folder);
    ~CRecoveryStore(); // ends the session (copies of its own that are left stay for later)
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;

    QString Folder() const { return m_strFolder; }

    // Creates the folder (0700) and takes a session lock, once. False with a Japanese reason
    // naming the folder when either fails.
    bool BeginSession(QString* error);
    bool HasSession() const { return m_nLockFd >= 0; }
    // The path of a copy of this session without its extension, for Write and Remove.
    QString BaseOf(int id) const;

    // What a side file holds.
    struct Info
    {
        QString path; // empty for a document never saved
        QString title;
        QDateTime time;
        qint64 pid = 0;
    };
    // Writes the copy, then its side file, each with the atomic, synced write of a save. False
    // with a Japanese reason on failure.
    static bool Write(const QString& base, const QByteArray& bytes, const Info& info,
                      QString* error);
    // Removes a copy and its side file, if they exist.
    static void Remove(const QString& base);

    // A copy left by a MARVO that no longer runs.
    struct Copy
    {
        QString base;             // path without extension
        Info info;                // title empty when the side file is missing or unreadable
        QByteArray bytes;         // the copy's bytes, when they read as a timetable
        QString problem;          // why it cannot be restored; empty when it can
        bool fileNewer = false;   // the document's own file changed after the copy was made
        bool fileMissing = false; // the document's own file is gone
        QString Name() const;     // file name, or title, or the copy's own name
    };
    // The copies of ended sessions, oldest first. Reads and checks every copy.
    QList<Copy> OrphanedCopies() const;
    // Moves an orphaned copy into this session (the caller then owns it as id). False when it is
    // gone (another MARVO took it) or this session could not begin.
    bool Claim(const Copy& copy, int id, QString* error);
    // Deletes orphaned copies.
    static void Discard(const QList<Copy>& copies);
    // Removes the lock files (and stray side files) of ended sessions that left no copy.
    void RemoveEndedSessions() const;

private:
    bool IsSessionRunning(const QString& session) const;

    QString m_strFolder;
    QString m_strSession;
    int m_nLockFd = -1;
};
