#include "veldendoc.h"

#include "timetablecommand.h"

#include <QFileInfo>
#include <QUndoStack>

namespace {
// Steps kept per document. Each holds only the trains it touched, so even a long history of
// row operations on a full timetable stays within a few times the timetable's own size.
constexpr int kUndoLimit = 500;
} // namespace

CVeldenDoc::CVeldenDoc(QObject* parent) : QObject(parent), m_pUndoStack(new QUndoStack(this))
{
    m_pUndoStack->setUndoLimit(kUndoLimit);
    connect(m_pUndoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

CVeldenDoc::~CVeldenDoc() = default;

bool CVeldenDoc::OnNewDocument()
{
    CQLMDoc fresh;
    fresh.SetNewDocumentDefaults();
    ResetTimetable(std::move(fresh));
    return true;
}

bool CVeldenDoc::OnOpenDocument(const QString& path, QString* error, QStringList* warnings)
{
    QByteArray bytes;
    if (!ReadTimetableFile(path, &bytes, error))
        return false;
    CQLMDoc loaded;
    LoadError loadError;
    if (!loaded.LoadFile(bytes, &loadError, warnings)) {
        if (error)
            *error = QStringLiteral("%1 を開けません。\n%2")
                         .arg(QFileInfo(path).fileName(), loadError.Japanese());
        return false;
    }
    ResetTimetable(std::move(loaded));
    SetPathName(path);
    return true;
}

bool CVeldenDoc::OnSaveDocument(const QString& path, QString* error)
{
    QByteArray bytes;
    SaveError saveError;
    if (!m_QLMDoc.SaveFile(&bytes, &saveError)) {
        if (error)
            *error = QStringLiteral("%1 に保存できません。\n%2")
                         .arg(QFileInfo(path).fileName(), saveError.Japanese());
        return false;
    }
    if (!WriteFileAtomically(path, bytes, error))
        return false;
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

void CVeldenDoc::ResetTimetable(CQLMDoc timetable)
{
    m_QLMDoc = std::move(timetable);
    m_QLMDoc.SyncCounts();
    m_pUndoStack->clear(); // an empty history is clean
    emit changed(DocChange{DocChange::Kind::Reset});
}

void CVeldenDoc::Apply(TimetableEdit edit, const QString& text)
{
    if (edit.IsEmpty())
        return;
    m_pUndoStack->push(new CTimetableCommand(this, std::move(edit), text));
}

void CVeldenDoc::ApplyCellEdit(TimetableEdit edit, const QString& text, int session)
{
    if (edit.IsEmpty())
        return;
    m_pUndoStack->push(new CTimetableCommand(this, std::move(edit), text, session));
}

QList<DocChange> CVeldenDoc::RunEdit(TimetableEdit& edit, bool forward)
{
    const QList<DocChange> changes = forward ? edit.Redo(m_QLMDoc) : edit.Undo(m_QLMDoc);
    for (const DocChange& change : changes)
        emit changed(change);
    return changes;
}

int CVeldenDoc::Undo()
{
    if (!m_pUndoStack->canUndo())
        return 0;
    const auto* command =
        static_cast<const CTimetableCommand*>(m_pUndoStack->command(m_pUndoStack->index() - 1));
    m_pUndoStack->undo();
    return command->FocusRow();
}

int CVeldenDoc::Redo()
{
    if (!m_pUndoStack->canRedo())
        return 0;
    const auto* command =
        static_cast<const CTimetableCommand*>(m_pUndoStack->command(m_pUndoStack->index()));
    m_pUndoStack->redo();
    return command->FocusRow();
}

bool CVeldenDoc::IsModified() const
{
    return !m_pUndoStack->isClean();
}

void CVeldenDoc::SetModifiedFlag(bool modified)
{
    // The stack keeps the saved state as its clean index; forgetting that index leaves no
    // state of the history that counts as saved.
    if (modified)
        m_pUndoStack->resetClean();
    else
        m_pUndoStack->setClean();
}

void CVeldenDoc::SetPathName(const QString& path)
{
    m_strPathName = path;
    SetTitle(QFileInfo(path).fileName());
}

void CVeldenDoc::SetTitle(const QString& title)
{
    if (m_strTitle == title)
        return;
    m_strTitle = title;
    emit titleChanged(title);
}
