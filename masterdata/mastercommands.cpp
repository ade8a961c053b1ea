#include "mastercommands.h"

#include "assortmentdlg.h"
#include "destinationdlg.h"
#include "masterlogic.h"
#include "veldendoc.h"

namespace {

// However the dialog closes, what it did stays, as each change was made when its button
// was pressed.
template <typename Dlg> void RunListSession(CVeldenDoc& doc, QWidget* parent, const QString& step)
{
    MasterSession session(doc.Timetable());
    Dlg dlg(session, parent);
    dlg.exec();
    doc.Apply(session.ToEdit(doc.Timetable()), step);
}

} // namespace

void OnEditAssortment(CVeldenDoc& doc, QWidget* parent)
{
    RunListSession<CAssortmentDlg>(doc, parent, MasterText::TypesStep());
}

void OnEditDestination(CVeldenDoc& doc, QWidget* parent)
{
    RunListSession<CDestinationDlg>(doc, parent, MasterText::DestinationsStep());
}
