#pragma once

#include <QString>
#include <QStringList>

// The program's own command line: options a Linux user expects, then the files to open.
struct CommandLine
{
    enum class Action
    {
        Run,     // start and open files (none: a new untitled document)
        Help,    // print HelpText() and end
        Version, // print VersionText() and end
        Error,   // print error and a hint to standard error, end with status 2
    };
    Action action = Action::Run;
    QStringList files;
    QString error;
};

// Reads the arguments (without the program's name). "--" ends the options; a lone "-" is a file.
// Before the window system has taken its own options (-platform, -style, ...) those cannot be
// told from unknown ones: with strict false, unknown options are left alone and only help and
// version are answered.
CommandLine ParseCommandLine(const QStringList& arguments, bool strict);

QString HelpText();
QString VersionText();
