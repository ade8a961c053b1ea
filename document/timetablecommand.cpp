#include "timetablecommand.h"

#include "veldendoc.h"

namespace {
// QUndoCommand ids: commands with the same id may merge.
constexpr int kCellEditId = 1;

int FirstRowOf(const QList<DocChange>& changes, int trainCount)
{
    for (const DocChange& c : changes) {
        switch (c.kind) {
        case DocChange::Kind::TrainsChanged:
        case DocChange::Kind::RowsInserted:
            return c.first;
        case DocChange::Kind::RowsRemoved:
            return std::min(c.first, trainCount);
        case DocChange::Kind::RowMoved:
            return c.to;
        default:
            break;
        }
    }
    return 0;
}
} // namespace

CTimetableCommand::CTimetableCommand(CVeldenDoc* doc, TimetableEdit edit, const QString& text,
                                     int session)
    : m_pDoc(doc), m_edit(std::move(edit)), m_nSession(session)
{
    setText(text);
}

void CTimetableCommand::Run(bool forward)
{
    const QList<DocChange> changes = m_pDoc->RunEdit(m_edit, forward);
    m_nFocusRow = FirstRowOf(changes, m_pDoc->Timetable().m_TrainInfo.m_nSize);
}

void CTimetableCommand::redo()
{
    Run(true);
}

void CTimetableCommand::undo()
{
    Run(false);
}

int CTimetableCommand::id() const
{
    return m_nSession > 0 ? kCellEditId : -1;
}

bool CTimetableCommand::mergeWith(const QUndoCommand* other)
{
    const auto* later = static_cast<const CTimetableCommand*>(other);
    if (later->m_nSession != m_nSession || !m_edit.Absorb(later->m_edit))
        return false;
    // This step still holds the train from before the session: undoing it restores that.
    setObsolete(m_edit.RanWithoutEffect(m_pDoc->Timetable()));
    return true;
}
