#include "commandline.h"
#include "veldenapp.h"

#include <QApplication>

#include <cstdio>

namespace {

int Print(std::FILE* stream, const QString& text, int status)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    // Help and version are answered before anything needs a display.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const CommandLine early = ParseCommandLine(raw, false);
    if (early.action == CommandLine::Action::Help)
        return Print(stdout, HelpText(), 0);
    if (early.action == CommandLine::Action::Version)
        return Print(stdout, VersionText(), 0);

    QApplication application(argc, argv);
    const CommandLine line = ParseCommandLine(application.arguments().mid(1), true);
    if (line.action == CommandLine::Action::Error)
        return Print(stderr, line.error + QLatin1Char('\n'), 2);
    CVeldenApp app;
    if (!app.InitInstance(line.files))
        return 1;
    if (!app.MainFrame()) // the files went to the program already running
        return 0;
    return application.exec();
}
