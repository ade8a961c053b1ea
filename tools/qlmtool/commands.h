#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The commands of qlmtool. Each prints its own messages (English, one line per problem, naming
// the file) and returns the process exit status.
class CQLMDoc;

namespace QlmTool {

enum ExitStatus
{
    kExitOk = 0,
    kExitBadInput = 1, // a file could not be read, was refused, or could not be written
    kExitUsage = 2,    // wrong command line
};

enum class FileKind
{
    Qlm,
    Json,
    Other
};

// By extension, case-insensitively: ".qlm", ".json", or anything else.
FileKind KindOf(const QString& path);
// True when both paths name one existing file, however named (links, other spellings).
bool SameFile(const QString& a, const QString& b);

int New(const QString& out);
int Convert(const QString& in, const QString& out);
int Check(const QStringList& files);
int Info(const QString& file);

// Reads a timetable: JSON by its extension, anything else as a timetable file (whose magic
// decides, before the rest is read). Prints the refusal and returns false when the file does
// not open. *problems is the number of problems the warnings describe.
bool OpenTimetable(const QString& path, CQLMDoc* doc, QStringList* warnings,
                   int* problems = nullptr);
void PrintWarnings(const QString& path, const QStringList& warnings);
// Writes doc to out as a version 3 timetable file or, for ".json", as JSON.
bool WriteTimetable(CQLMDoc& doc, const QString& out);
// Whole files through the checked file layer, printing what went wrong.
bool ReadBytes(const QString& path, QByteArray* bytes);
bool WriteBytes(const QString& path, const QByteArray& bytes);

// Prints one line to standard output or standard error, as UTF-8.
void PrintOut(const QString& line);
void PrintErr(const QString& line);

} // namespace QlmTool
