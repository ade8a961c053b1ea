#include "basicdatacommand.h"

#include "docpropsheet.h"
#include "veldendoc.h"

namespace {

// The bytes of everything the sheet can change: the file without trains, types and
// destinations.
QByteArray PropertyBytes(CQLMDoc timetable)
{
    timetable.SetTrainCount(0);
    timetable.SetAssortmentCount(0);
    timetable.SetDestinationCount(0);
    QByteArray bytes;
    timetable.SaveFile(&bytes);
    return bytes;
}

} // namespace

void RunBasicData(CVeldenDoc& doc, QWidget* parent)
{
    CQLMDoc copy = doc.Timetable();
    CDocPropSheet sheet(copy, parent);
    sheet.Run();
    if (PropertyBytes(copy) != PropertyBytes(doc.Timetable()))
        doc.Apply(TimetableEdit().SetProperties(std::move(copy)), QStringLiteral("基本ﾃﾞｰﾀの編集"));
    // A run of the sheet counts as a change however it was closed: the document stays modified
    // until it is saved, whatever is undone.
    doc.SetModifiedFlag(true);
}
