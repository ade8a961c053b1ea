#include "csvcommands.h"

#include "commands.h"
#include "qlmdoc.h"
#include "qlmjson.h"
#include "traintext.h"

namespace QlmTool {
namespace {

// Reads a board (a timetable file, or JSON by its extension) and prints its warnings.
bool OpenBoard(const QString& path, CQLMDoc* doc)
{
    QStringList warnings;
    if (!OpenTimetable(path, doc, &warnings))
        return false;
    PrintWarnings(path, warnings);
    return true;
}

void PrintProblems(const QString& csv, const QList<TrainText::Problem>& problems)
{
    for (const QString& line : TrainText::ProblemLines(problems, false))
        PrintErr(csv + QStringLiteral(": ") + line);
}

bool HasText(const QList<TrainText::Record>& records)
{
    for (const TrainText::Record& record : records)
        for (const QString& cell : record.cells)
            if (!cell.isEmpty())
                return true;
    return false;
}

} // namespace

int ExportTrains(const QString& board, const QString& csv)
{
    CQLMDoc doc;
    if (!OpenBoard(board, &doc))
        return kExitBadInput;
    const TrainText::Table table = TrainText::TrainTable(doc, 1, doc.m_TrainInfo.m_nSize);
    return WriteBytes(csv, TrainText::ToCsvFile(table)) ? kExitOk : kExitBadInput;
}

int ImportTrains(const QString& board, const QString& csv, const QString& out)
{
    CQLMDoc doc;
    if (!OpenBoard(board, &doc))
        return kExitBadInput;
    QByteArray bytes;
    if (!ReadBytes(csv, &bytes))
        return kExitBadInput;
    QString text;
    QList<TrainText::Record> records;
    TrainText::Problem syntax;
    if (!TrainText::DecodeCsvFile(bytes, &text, &syntax) ||
        !TrainText::SplitCsv(text, &records, &syntax)) {
        PrintErr(csv + QStringLiteral(": ") + syntax.English());
        return kExitBadInput;
    }
    // An empty file is more likely a failed export than a wish to remove every train; the
    // header line alone says that.
    if (!HasText(records)) {
        PrintErr(csv + QStringLiteral(": refused: no header line and no trains (the header line "
                                      "alone stands for a timetable without trains)"));
        return kExitBadInput;
    }
    // The board's trains are what the rows replace: what the CSV still shows as they hold it
    // keeps its exact bytes.
    TrainText::ReadOptions options;
    options.replaced = doc.m_TrainInfo.Items();
    TrainText::ReadResult result = TrainText::ReadTrains(records, doc, options);
    if (!result.ok()) {
        PrintProblems(csv, result.problems);
        return kExitBadInput;
    }
    doc.m_TrainInfo.Items() = std::move(result.trains);
    doc.m_TrainInfo.SyncSize();
    doc.m_wTrainCount = static_cast<quint16>(doc.m_TrainInfo.m_nSize);
    return WriteTimetable(doc, out) ? kExitOk : kExitBadInput;
}

} // namespace QlmTool
