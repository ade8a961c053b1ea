#pragma once

#include <QString>
#include <QStringList>

// The commands of qlmtool. Each prints its own messages (English, one line per problem, naming
// the file) and returns the process exit status.
namespace QlmTool {

enum ExitStatus {
    kExitOk = 0,
    kExitBadInput = 1, // a file could not be read, was refused, or could not be written
    kExitUsage = 2,    // wrong command line
};

enum class FileKind { Qlm, Json, Other };

// By extension, case-insensitively: ".qlm", ".json", or anything else.
FileKind KindOf(const QString& path);

int New(const QString& out);
int Convert(const QString& in, const QString& out);
int Check(const QStringList& files);
int Info(const QString& file);

// Prints one line to standard output or standard error, as UTF-8.
void PrintOut(const QString& line);
void PrintErr(const QString& line);

} // namespace QlmTool
