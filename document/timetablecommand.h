#pragma once

#include "timetableedit.h"

#include <QUndoCommand>

class CVeldenDoc;

// One user action on a timetable as a step of the document's undo history. Only the document
// makes these, and only its undo stack runs them.
class CTimetableCommand : public QUndoCommand
{
public:
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    // The first row the last run touched, 0 for none.
    int FocusRow() const { return m_nFocusRow; }
    qsizetype HeldBytes() const { return m_edit.HeldBytes(); }

private:
    friend class CVeldenDoc;
    // session > 0 marks a cell edit: later cell edits of the same session merge into it.
    CTimetableCommand(CVeldenDoc* doc, TimetableEdit edit, const QString& text, int session = 0);

    void Run(bool forward);

    CVeldenDoc* m_pDoc;
    TimetableEdit m_edit;
    int m_nSession;
    int m_nFocusRow = 0;
};
