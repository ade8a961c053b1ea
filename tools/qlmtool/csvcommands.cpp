#include "csvcommands.h"

#include "commands.h"
#include "qlmdoc.h"
#include "qlmjson.h"
#include "traintext.h"

#include <QFile>
#include <QSaveFile>

namespace QlmTool {
namespace {

bool ReadBytes(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        *bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    PrintErr(path + QStringLiteral(": cannot read: ") + file.errorString());
    return false;
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    PrintErr(path + QStringLiteral(": cannot write: ") + file.errorString());
    file.cancelWriting();
    return false;
}

// Reads a timetable file, or JSON by its extension, and prints its warnings.
bool OpenBoard(const QString& path, CQLMDoc* doc)
{
    QByteArray bytes;
    if (!ReadBytes(path, &bytes))
        return false;
    QStringList warnings;
    if (KindOf(path) == FileKind::Json) {
        QString error;
        if (!QlmJson::FromJsonText(bytes, doc, &error)) {
            PrintErr(path + QStringLiteral(": refused: ") + error);
            return false;
        }
        warnings = doc->Check();
    } else {
        LoadError error;
        if (!doc->LoadFile(bytes, &error, &warnings)) {
            PrintErr(path + QStringLiteral(": refused: ") + error.English());
            return false;
        }
    }
    for (const QString& w : warnings)
        PrintErr(path + QStringLiteral(": warning: ") + w);
    return true;
}

bool SaveBoard(CQLMDoc& doc, const QString& out)
{
    QByteArray bytes;
    if (KindOf(out) == FileKind::Json) {
        doc.PackExtKeys();
        bytes = QlmJson::ToJsonText(doc);
    } else {
        SaveError error;
        if (!doc.SaveFile(&bytes, &error)) {
            PrintErr(out + QStringLiteral(": cannot write: ") + error.English());
            return false;
        }
    }
    return WriteBytes(out, bytes);
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
    QList<TrainText::Record> records;
    TrainText::Problem syntax;
    if (!TrainText::SplitCsv(TrainText::DecodeCsvFile(bytes), &records, &syntax)) {
        PrintErr(csv + QStringLiteral(": ") + syntax.English());
        return kExitBadInput;
    }
    // The board's trains are what the rows replace: what the CSV still shows as they hold it
    // keeps its exact bytes.
    TrainText::ReadOptions options;
    options.replaced = doc.m_TrainInfo.Items();
    TrainText::ReadResult result = TrainText::ReadTrains(records, doc, options);
    if (!result.ok()) {
        for (const TrainText::Problem& p : result.problems)
            PrintErr(csv + QStringLiteral(": ") + p.English());
        return kExitBadInput;
    }
    doc.m_TrainInfo.Items() = std::move(result.trains);
    doc.m_TrainInfo.SyncSize();
    doc.m_wTrainCount = static_cast<quint16>(doc.m_TrainInfo.m_nSize);
    return SaveBoard(doc, out) ? kExitOk : kExitBadInput;
}

} // namespace QlmTool
