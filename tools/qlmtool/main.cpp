#include "commands.h"
#include "csvcommands.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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
        "\n"
        "Exit status: 0 success, 1 a file was refused or could not be read or written,\n"
        "2 wrong command line."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("new, convert, check, info, export-trains or import-trains."));
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
    return UsageError(QStringLiteral("unknown command '%1'").arg(command));
}
