#pragma once

#include "qlmdoc.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Reading and writing whole files safely. A file is read only when it is a regular file of a
// sane size, in a bounded loop that notices a file shrinking under it; a timetable's magic is
// checked before anything else is read. A file is replaced in one step (temporary file, write,
// sync, rename, sync of the folder), and any failure before the rename leaves the old file as
// it was. Only a regular file (or a symbolic link to one, whose target is replaced) is ever
// replaced: a pipe, device or socket in its place is refused before anything is written.
namespace FileIo {

// Larger inputs are refused before they are read. A timetable at the format's collection limits
// with realistic texts is a few megabytes and its JSON form some tens; this leaves room for
// large data blocks while keeping a stray disk image or device out of memory.
inline constexpr qint64 kMaxFileSize = qint64(512) << 20;

// What the bytes are expected to be. A timetable must start with "QL3" or "QLM".
enum class Content
{
    Any,
    Timetable
};

// Why a read or write failed.
struct FileError
{
    enum class Kind
    {
        None,
        Open,         // the file could not be opened (code says why)
        NotRegular,   // a directory, device, pipe or socket (reading, or in the output's place)
        TooLarge,     // more than kMaxFileSize bytes
        NotTimetable, // too short for the magic, or the wrong magic (load says which)
        Read,         // a read failed (code)
        Changed,      // the file shrank or grew while it was read
        Create,       // the temporary file could not be created (code, else qtMessage)
        Write,        // writing or syncing the temporary file failed (code)
        Commit,       // the temporary file could not replace the old one (qtMessage)
        SyncFolder,   // the new file is in place, but its folder could not be synced (code)
    };
    Kind kind = Kind::None;
    int code = 0;      // errno of the failing call, when there is one
    qint64 size = 0;   // the size stat reported
    qint64 got = 0;    // the bytes that arrived (Changed)
    LoadError load;    // NotTimetable
    QString qtMessage; // Qt's own reason, when Qt made the call

    QString English() const;
    QString Japanese() const;
    // A failure while reading the bytes, rather than while opening the file.
    bool WhileReading() const { return kind == Kind::Read || kind == Kind::Changed; }
};

// Reads the whole regular file at path. False and *error on failure; *bytes is then empty.
bool ReadFile(const QString& path, Content content, QByteArray* bytes, FileError* error);

// Replaces the file at path with bytes in one step. False and *error on failure; the file at
// path is then as it was, except after SyncFolder, when it holds the new bytes.
bool WriteFile(const QString& path, const QByteArray& bytes, FileError* error);

// Test seam: the steps a hook can make fail.
enum class Step
{
    Read,       // after stat (and the magic), before the bytes are read
    Create,     // before the temporary file is created
    Write,      // before the bytes are written to the temporary file
    Sync,       // before the temporary file is synced to disk
    SyncFolder, // after the rename, before the folder is synced
};
// Called before each step with the path being read or written; a non-zero return makes the
// step fail with that errno. A Read hook may also change the file, e.g. shorten it.
using FaultHook = std::function<int(Step step, const QString& path)>;
// Installs the hook for the whole process; an empty hook removes it.
void SetFaultHook(FaultHook hook);

} // namespace FileIo

// The editor's forms: a Japanese message naming the file in *error.
// Atomic write of bytes to path. False and a reason on failure; the old file is then unchanged.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error);
// Reads a whole regular file. False and a reason on failure.
bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error);
// Reads a whole timetable file, refusing a wrong magic before reading the rest.
bool ReadTimetableFile(const QString& path, QByteArray* bytes, QString* error);
