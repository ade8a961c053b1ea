#include "commands.h"
#include "csvcommands.h"
#include "lintcommand.h"
#include "rendercommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

using namespace QlmTool;

namespace {

int UsageError(const QString& what)
{
    PrintErr(QStringLiteral("qlmtool: ") + what);
    PrintErr(QStringLiteral("Try 'qlmtool --help' for more information."));
    return kExitUsage;
}

// Output files are timetable files or JSON; any other extension is a slip of the hand.
bool CheckOutputName(const QString& out, int* status)
{
    if (KindOf(out) != FileKind::Other)
        return true;
    *status = UsageError(out + QStringLiteral(": unknown extension, expected .qlm or .json"));
    return false;
}

// A timetable at the format's limits takes tens of megabytes of fresh heap, and touching it page
// by page costs more than reading and writing the file. Growing the heap in one large step and
// asking for huge pages for it removes most of those page faults.
void PrepareHeap()
{
    constexpr size_t kPad = size_t(64) << 20;
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    mallopt(M_TOP_PAD, static_cast<int>(kPad));
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kPad)); // keep large buffers on the same heap
    const uintptr_t before = reinterpret_cast<uintptr_t>(sbrk(0));
    void* volatile first = malloc(kHuge); // volatile: the pair must not be optimised away
    free(first);
    const uintptr_t after = reinterpret_cast<uintptr_t>(sbrk(0));
    const uintptr_t start = (before + kHuge - 1) & ~(kHuge - 1);
    if (after > start + kHuge)
        madvise(reinterpret_cast<void*>(start), (after - start) & ~(kHuge - 1), MADV_HUGEPAGE);
}

// An output that is one of the command's inputs would be read as one thing and overwritten as
// another: the CSV of export-trains over its timetable, or a timetable over the CSV it reads.
bool CheckNotInput(const QString& out, const QString& in, int* status)
{
    if (!SameFile(out, in))
        return true;
    *status = UsageError(out + QStringLiteral(": is the input file ") + in +
                         QStringLiteral("; nothing written"));
    return false;
}

// Reads a whole number in first..last from an option's value.
std::optional<int> NumberIn(const QString& text, int first, int last)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < first || n > last)
        return std::nullopt;
    return n;
}

} // namespace

int main(int argc, char* argv[])
{
    PrepareHeap();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qlmtool"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QLMTOOL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads, checks and converts MARVO timetable files (*.qlm) and their JSON form.\n"
        "\n"
        "Commands:\n"
        "  new OUT            write a new timetable (.qlm or .json)\n"
        "  convert IN OUT     convert between .qlm (either version) and .json;\n"
        "                     OUT's extension (.qlm or .json) chooses the form\n"
        "  check FILE...      open each file, print its warnings or why it is refused\n"
        "  info FILE          summary: version, station, counts, data blocks\n"
        "  export-trains BOARD TRAINS.csv\n"
        "                     write BOARD's trains as CSV (UTF-8, the grid's columns)\n"
        "  import-trains BOARD TRAINS.csv OUT\n"
        "                     write OUT: BOARD with the trains of TRAINS.csv\n"
        "  render BOARD OUT.png [--at HH:MM] [--sub] [--rows N] [--scale S]\n"
        "                     draw the departure board BOARD makes at a time of day\n"
        "  lint FILE... [--json]\n"
        "                     what the board would show wrong: texts too wide for their\n"
        "                     part, trains out of order, guide messages that never show, ...\n"
        "\n"
        "Exit status: 0 success, 1 a file was refused or could not be read or written,\n"
        "2 wrong command line. lint: 0 no warning, 1 warnings, 2 a file could not be read\n"
        "or a wrong command line."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption atOption(
        QStringLiteral("at"),
        QStringLiteral("render: the time of day (default: the display-start time)."),
        QStringLiteral("HH:MM"));
    const QCommandLineOption subOption(QStringLiteral("sub"),
                                       QStringLiteral("render: the sub (English) display."));
    const QCommandLineOption rowsOption(QStringLiteral("rows"),
                                        QStringLiteral("render: train rows, 1 to 4 (default 2)."),
                                        QStringLiteral("N"));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QStringLiteral("render: pixels per dot, 1 to 16 (default 1: one pixel per dot in its "
                       "exact colour; more: round LEDs)."),
        QStringLiteral("S"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("lint: the findings as one JSON document."));
    parser.addOptions({atOption, subOption, rowsOption, scaleOption, jsonOption});
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("new, convert, check, info, export-trains, import-trains, render or lint."));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The command's files."),
                                 QStringLiteral("FILE..."));

    if (!parser.parse(QCoreApplication::arguments()))
        return UsageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(kExitOk);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return UsageError(QStringLiteral("no command given"));
    const QString command = args.takeFirst();
    int status = kExitUsage;
    if (command != QLatin1StringView("render")) {
        for (const QCommandLineOption* option : {&atOption, &subOption, &rowsOption, &scaleOption})
            if (parser.isSet(*option))
                return UsageError(QStringLiteral("--%1 belongs to the render command")
                                      .arg(option->names().constFirst()));
    }
    if (command != QLatin1StringView("lint") && parser.isSet(jsonOption))
        return UsageError(QStringLiteral("--json belongs to the lint command"));
    if (command == QLatin1StringView("new")) {
        if (args.size() != 1)
            return UsageError(QStringLiteral("new takes one file: qlmtool new OUT.qlm"));
        if (!CheckOutputName(args[0], &status))
            return status;
        return New(args[0]);
    }
    if (command == QLatin1StringView("convert")) {
        if (args.size() != 2)
            return UsageError(QStringLiteral("convert takes two files: qlmtool convert IN OUT"));
        if (!CheckOutputName(args[1], &status))
            return status;
        return Convert(args[0], args[1]);
    }
    if (command == QLatin1StringView("check")) {
        if (args.isEmpty())
            return UsageError(QStringLiteral("check takes one or more files"));
        return Check(args);
    }
    if (command == QLatin1StringView("info")) {
        if (args.size() != 1)
            return UsageError(QStringLiteral("info takes one file: qlmtool info FILE"));
        return Info(args[0]);
    }
    if (command == QLatin1StringView("export-trains")) {
        if (args.size() != 2)
            return UsageError(QStringLiteral(
                "export-trains takes two files: qlmtool export-trains BOARD TRAINS.csv"));
        // qlmtool reads these names as timetables: CSV in them is a timetable lost.
        if (KindOf(args[1]) != FileKind::Other)
            return UsageError(
                args[1] + QStringLiteral(": export-trains writes CSV, not a .qlm or .json file"));
        if (!CheckNotInput(args[1], args[0], &status))
            return status;
        return ExportTrains(args[0], args[1]);
    }
    if (command == QLatin1StringView("import-trains")) {
        if (args.size() != 3)
            return UsageError(QStringLiteral(
                "import-trains takes three files: qlmtool import-trains BOARD TRAINS.csv OUT"));
        // Writing over the board is an update in place; writing over the CSV loses it.
        if (!CheckOutputName(args[2], &status) || !CheckNotInput(args[2], args[1], &status))
            return status;
        return ImportTrains(args[0], args[1], args[2]);
    }
    if (command == QLatin1StringView("render")) {
        if (args.size() != 2)
            return UsageError(
                QStringLiteral("render takes two files: qlmtool render BOARD OUT.png"));
        if (QFileInfo(args[1]).suffix().compare(QLatin1StringView("png"), Qt::CaseInsensitive))
            return UsageError(args[1] + QStringLiteral(": unknown extension, expected .png"));
        RenderOptions options;
        options.sub = parser.isSet(subOption);
        if (parser.isSet(atOption)) {
            const std::optional<int> time = ParseClockTime(parser.value(atOption));
            if (!time)
                return UsageError(
                    QStringLiteral("--at %1: expected a time HH:MM from 00:00 to 23:59")
                        .arg(parser.value(atOption)));
            options.time = *time;
        }
        if (parser.isSet(rowsOption)) {
            const std::optional<int> rows = NumberIn(parser.value(rowsOption), 1, 4);
            if (!rows)
                return UsageError(QStringLiteral("--rows %1: expected a number from 1 to 4")
                                      .arg(parser.value(rowsOption)));
            options.rows = *rows;
        }
        if (parser.isSet(scaleOption)) {
            const std::optional<int> scale =
                NumberIn(parser.value(scaleOption), 1, kMaxRenderScale);
            if (!scale)
                return UsageError(QStringLiteral("--scale %1: expected a number from 1 to %2")
                                      .arg(parser.value(scaleOption))
                                      .arg(kMaxRenderScale));
            options.scale = *scale;
        }
        return Render(args[0], args[1], options);
    }
    if (command == QLatin1StringView("lint")) {
        if (args.isEmpty())
            return UsageError(QStringLiteral("lint takes one or more files"));
        return Lint(args, parser.isSet(jsonOption));
    }
    return UsageError(QStringLiteral("unknown command '%1'").arg(command));
}
