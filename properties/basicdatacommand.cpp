#include "basicdatacommand.h"

#include "docpropsheet.h"
#include "propfields.h"
#include "veldendoc.h"

void RunBasicData(CVeldenDoc& doc, QWidget* parent)
{
    const QString text = QStringLiteral("基本ﾃﾞｰﾀの編集");
    // 適用 reaches the document at once (the board preview shows it while the sheet is open);
    // every apply of the run and its end make one undo step.
    const int session = doc.NewEditSession();
    CQLMDoc copy = doc.Timetable();
    CDocPropSheet sheet(copy, parent);
    QObject::connect(&sheet, &CDocPropSheet::applied, &sheet, [&] {
        if (PropertiesDiffer(doc.Timetable(), copy))
            doc.ApplyCellEdit(TimetableEdit().SetProperties(copy), text, session);
    });
    sheet.Run();
    if (PropertiesDiffer(doc.Timetable(), copy))
        doc.ApplyCellEdit(TimetableEdit().SetProperties(std::move(copy)), text, session);
    // A run of the sheet counts as a change however it was closed: the document stays modified
    // until it is saved, whatever is undone.
    doc.SetModifiedFlag(true);
}
