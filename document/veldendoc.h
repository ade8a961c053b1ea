#pragma once

// How a change travels: a window or dialog describes what the user did as a TimetableEdit
// (timetable/timetableedit.h) and hands it to CVeldenDoc::Apply, or ApplyCellEdit for the
// keystrokes of a cell editor and the applies of one run of the property sheet. The document wraps
// it in a CTimetableCommand and pushes that on its undo stack; the stack runs it, and the command
// runs the edit on the timetable through RunEdit, which emits changed() once per change. Every
// window follows changed() to keep its own selection and to repaint. Undo and Redo run the same
// commands back and forth. Nothing else can write the timetable or the history: both are private,
// and only the command may call RunEdit. The modified state is the undo stack's clean state; saving
// marks it clean.

#include "fileio.h"
#include "qlmdoc.h"
#include "timetableedit.h"

#include <QObject>
#include <QString>
#include <QStringList>

class CTimetableCommand;
class QUndoStack;

// The document of one timetable file: owns the timetable, its undo history, its path and title.
// Every change to the timetable goes through Apply (or the undo history), which tells every
// window on the document what changed; the modified state follows the undo history.
class CVeldenDoc : public QObject
{
    Q_OBJECT
public:
    explicit CVeldenDoc(QObject* parent = nullptr);
    ~CVeldenDoc() override;

    // The timetable, read-only: change it through Apply.
    const CQLMDoc& Timetable() const { return m_QLMDoc; }

    // Loading starts the document afresh: the timetable is replaced, the history is empty and
    // the document counts as saved. After that it changes only through Apply.

    // Fills the timetable with the new-document defaults.
    bool OnNewDocument();
    // Reads the file at path. On refusal returns false with a Japanese reason (naming the
    // problem and its byte offset) in *error, and the document is left as it was. Warnings
    // (English, one per problem) about values kept as they are go to *warnings.
    bool OnOpenDocument(const QString& path, QString* error = nullptr,
                        QStringList* warnings = nullptr);
    // Writes the file atomically. On failure returns false with a Japanese reason in *error; the
    // file on disk and the modified state are as they were. Saving does not change the timetable.
    bool OnSaveDocument(const QString& path, QString* error = nullptr);
    // Takes timetable as the whole document, forgets the undo history and counts as saved.
    void ResetTimetable(CQLMDoc timetable);

    // Runs edit as one undo step named text. An empty edit changes nothing and adds no step.
    void Apply(TimetableEdit edit, const QString& text);
    // One change of an editing session (see NewEditSession). The changes of one session on one
    // train (a cell editor) make one undo step, and so do those of one run of the property
    // sheet; typing a cell back to what it held removes the step.
    void ApplyCellEdit(TimetableEdit edit, const QString& text, int session);
    int NewEditSession() { return ++m_nEditSession; }

    // The history, to read: its steps' count and texts, whether Undo or Redo can run, and its
    // signals (indexChanged after every step). Only the document and its commands change it.
    const QUndoStack* UndoStack() const { return m_pUndoStack; }
    // Takes back, or runs again, one step. Returns the first row the step touched (0 when it
    // touched no row), for the window that asked to select it.
    int Undo();
    int Redo();

    // Modified: the history stands elsewhere than where the file was last loaded or saved.
    bool IsModified() const;
    // True marks the document modified although no step changed it (the basic-data command
    // does this even after Cancel): no undoing leads back to the saved state then. False makes
    // the present state the saved one.
    void SetModifiedFlag(bool modified = true);

    QString GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);
    QString GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);

signals:
    // After every change to the timetable, once per change, in order.
    void changed(const DocChange& change);
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);

private:
    friend class CTimetableCommand;
    // For the undo commands: runs an edit forward or back and tells the windows.
    QList<DocChange> RunEdit(TimetableEdit& edit, bool forward);

    CQLMDoc m_QLMDoc;
    QUndoStack* m_pUndoStack;
    int m_nEditSession = 0;
    QString m_strPathName;
    QString m_strTitle;
};
