#include "commands.h"

#include "fileio.h"
#include "qlmdoc.h"
#include "qlmjson.h"
#include "sjis.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <sys/stat.h>

namespace QlmTool {
namespace {

void Print(FILE* stream, const QString& line)
{
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stream);
    std::fputc('\n', stream);
}

void Refused(const QString& path, const QString& reason)
{
    PrintErr(path + QStringLiteral(": refused: ") + reason);
}

QString FormatName(const CQLMDoc& doc, const QString& path)
{
    if (KindOf(path) == FileKind::Json)
        return QStringLiteral("JSON");
    switch (doc.m_nFileVersion) {
    case 3:
        return QStringLiteral("3 (QL3)");
    case 2:
        return QStringLiteral("2 (QLM), written back as version 3");
    default:
        return QString::number(doc.m_nFileVersion);
    }
}

} // namespace

// Reads a timetable: JSON by its extension, anything else as a timetable file (whose magic
// decides, before the rest is read). Prints the refusal and returns false when the file does
// not open. *problems is the number of problems the warnings describe: many alike are
// summed up in one line.
bool OpenTimetable(const QString& path, CQLMDoc* doc, QStringList* warnings, int* problems)
{
    const bool json = KindOf(path) == FileKind::Json;
    QByteArray bytes;
    FileIo::FileError readError;
    if (!FileIo::ReadFile(path, json ? FileIo::Content::Any : FileIo::Content::Timetable, &bytes,
                          &readError)) {
        PrintErr(path + QStringLiteral(": ") + readError.English());
        return false;
    }
    if (json) {
        QString error;
        if (!QlmJson::FromJsonText(bytes, doc, &error)) {
            Refused(path, error);
            return false;
        }
        *warnings = doc->Check(problems);
        return true;
    }
    LoadError error;
    if (!doc->LoadFile(bytes, &error)) {
        Refused(path, error.English());
        return false;
    }
    *warnings = doc->Check(problems);
    return true;
}

void PrintWarnings(const QString& path, const QStringList& warnings)
{
    for (const QString& w : warnings)
        PrintErr(path + QStringLiteral(": warning: ") + w);
}

// Writes doc to out as a version 3 timetable file or, for ".json", as JSON. The JSON shows the
// data blocks as a save writes them, with the key block rebuilt from the key list.
bool WriteTimetable(CQLMDoc& doc, const QString& out)
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

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    // Replaced in one step: a failed write leaves the old file untouched.
    FileIo::FileError error;
    if (!FileIo::WriteFile(path, bytes, &error)) {
        PrintErr(path + QStringLiteral(": ") + error.English());
        return false;
    }
    return true;
}

bool ReadBytes(const QString& path, QByteArray* bytes)
{
    FileIo::FileError error;
    if (!FileIo::ReadFile(path, FileIo::Content::Any, bytes, &error)) {
        PrintErr(path + QStringLiteral(": ") + error.English());
        return false;
    }
    return true;
}

FileKind KindOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1StringView("qlm"), Qt::CaseInsensitive) == 0)
        return FileKind::Qlm;
    if (suffix.compare(QLatin1StringView("json"), Qt::CaseInsensitive) == 0)
        return FileKind::Json;
    return FileKind::Other;
}

bool SameFile(const QString& a, const QString& b)
{
    struct stat sa;
    struct stat sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

void PrintOut(const QString& line)
{
    Print(stdout, line);
}

void PrintErr(const QString& line)
{
    Print(stderr, line);
}

int New(const QString& out)
{
    CQLMDoc doc;
    doc.SetNewDocumentDefaults();
    return WriteTimetable(doc, out) ? kExitOk : kExitBadInput;
}

int Convert(const QString& in, const QString& out)
{
    CQLMDoc doc;
    QStringList warnings;
    int problems = 0;
    if (!OpenTimetable(in, &doc, &warnings, &problems))
        return kExitBadInput;
    PrintWarnings(in, warnings);
    return WriteTimetable(doc, out) ? kExitOk : kExitBadInput;
}

int Check(const QStringList& files)
{
    int status = kExitOk;
    for (const QString& path : files) {
        CQLMDoc doc;
        QStringList warnings;
        int problems = 0;
        if (!OpenTimetable(path, &doc, &warnings, &problems)) {
            status = kExitBadInput;
            continue;
        }
        PrintWarnings(path, warnings);
        if (warnings.isEmpty())
            PrintOut(path + QStringLiteral(": ok"));
        else
            PrintOut(path + QStringLiteral(": ok, ") + QString::number(problems) +
                     QStringLiteral(" warning(s)"));
    }
    return status;
}

int Info(const QString& file)
{
    CQLMDoc doc;
    QStringList warnings;
    int problems = 0;
    if (!OpenTimetable(file, &doc, &warnings, &problems))
        return kExitBadInput;
    PrintWarnings(file, warnings);

    // Texts from the file are appended, never used as a format: a block named "%1" prints as
    // it is.
    const auto row = [](const char* label, const QString& value) {
        PrintOut(QString::fromLatin1(label).leftJustified(16) + u' ' + value);
    };
    row("file:", file);
    row("version:", FormatName(doc, file));
    row("station id:", Sjis::Decode(doc.m_strStationId));
    row("station:", Sjis::Decode(doc.m_strStationName) + QStringLiteral(" / ") +
                        Sjis::Decode(doc.m_strStationNameEn));
    row("trains:", QString::number(doc.m_TrainInfo.m_nSize));
    row("train types:", QString::number(doc.m_TrainAssortment.m_nSize));
    row("destinations:", QString::number(doc.m_Destination.m_nSize));
    row("guide messages:", QString::number(doc.m_GuideMessage.m_nSize));
    row("extension keys:", QString::number(doc.m_ExtKey.GetCount()));
    row("data blocks:", QString::number(doc.m_ExtData.m_nSize));
    for (const EXTDATA& block : doc.m_ExtData.Items()) {
        const QString name = u'"' + Sjis::Decode(block.Name()) + u'"';
        PrintOut(QStringLiteral("  ") + name.leftJustified(10) + u' ' +
                 QString::number(block.dwSize) + QStringLiteral(" bytes"));
    }
    return kExitOk;
}

} // namespace QlmTool
