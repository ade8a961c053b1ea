#include "rowcommands.h"

#include "additemdlg.h"
#include "messages.h"
#include "pastedlg.h"
#include "patterndiadlg.h"
#include "qlmdoc.h"
#include "removedlg.h"
#include "replacedlg.h"
#include "rowlogic.h"
#include "veldendoc.h"
#include "veldenview.h"

namespace {

RowContext ContextOf(CVeldenView& view)
{
    return RowContext{view.GetDocument(), &view.State()};
}

void MarkRow(CVeldenView& view, bool cut)
{
    // The rules decide on a copy of the view's selection; the view then moves its mark.
    GridState marked = view.State();
    switch (MarkCopySource(view.Timetable(), marked, cut, nullptr)) {
    case MarkResult::NoSelection:
        Msg::Show(&view, RowText::NoCellSelected(), Msg::AppTitle(), QMessageBox::Warning);
        return;
    case MarkResult::Unchanged:
        return;
    case MarkResult::Done:
        view.SetCopySource(marked.m_nCopySrcRow, marked.m_bCutMark);
        return;
    }
}

} // namespace

void OnEditInsert(CVeldenView& view)
{
    view.EndEdit();
    CAddItemDlg dlg(ContextOf(view), &view);
    dlg.exec();
}

void OnEditDelete(CVeldenView& view)
{
    view.EndEdit();
    CRemoveDlg dlg(ContextOf(view), &view);
    dlg.exec();
}

void OnEditCopy(CVeldenView& view)
{
    MarkRow(view, false);
}

void OnEditCut(CVeldenView& view)
{
    MarkRow(view, true);
}

void OnEditPaste(CVeldenView& view)
{
    switch (CheckPaste(view.Timetable(), view.State())) {
    case PasteCheck::NoCopySource:
        Msg::Show(&view, RowText::NoCopySource(), Msg::AppTitle(), QMessageBox::Warning);
        return;
    case PasteCheck::NoSelection:
        return;
    case PasteCheck::Ready:
        break;
    }
    CPasteDlg dlg(&view);
    if (dlg.exec() != QDialog::Accepted)
        return;
    view.EndEdit();
    TimetableEdit edit;
    int pastedRow = 0;
    const bool cut = view.State().m_bCutMark;
    switch (PasteRow(view.Timetable(), view.State(), dlg.Mode(), &edit, &pastedRow)) {
    case PasteResult::Done:
    case PasteResult::Unchanged:
        // Unchanged: a cut pasted over itself; only the cut mark goes away.
        view.GetDocument()->Apply(std::move(edit), RowText::PasteStep());
        // The pasted train is the current row; a cut source is used up.
        if (cut)
            view.SetCopySource(-1, false);
        view.SetCurrentRow(pastedRow);
        return;
    case PasteResult::TooManyTrains:
        Msg::Show(&view, RowText::TooManyTrains(), Msg::AppTitle(), QMessageBox::Warning);
        return;
    case PasteResult::NoCopySource:
    case PasteResult::NoSelection:
        return;
    }
}

void OnEditReplace(CVeldenView& view)
{
    view.EndEdit();
    CReplaceDlg dlg(ContextOf(view), &view);
    dlg.exec();
}

void OnPatternDia(CVeldenView& view)
{
    // Like the other row commands, close the cell editor so that it never stands over a row
    // that has moved.
    view.EndEdit();
    CPatternDiaDlg dlg(ContextOf(view), &view);
    dlg.exec();
}
