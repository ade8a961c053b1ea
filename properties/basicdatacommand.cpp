#include "basicdatacommand.h"

#include "docpropsheet.h"
#include "propfields.h"
#include "veldendoc.h"

void RunBasicData(CVeldenDoc& doc, QWidget* parent)
{
    CQLMDoc copy = doc.Timetable();
    CDocPropSheet sheet(copy, parent);
    sheet.Run();
    if (PropertiesDiffer(doc.Timetable(), copy))
        doc.Apply(TimetableEdit().SetProperties(std::move(copy)), QStringLiteral("基本ﾃﾞｰﾀの編集"));
    // A run of the sheet counts as a change however it was closed: the document stays modified
    // until it is saved, whatever is undone.
    doc.SetModifiedFlag(true);
}
