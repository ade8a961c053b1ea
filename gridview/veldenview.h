#pragma once

#include "gridstate.h"

#include <QAbstractScrollArea>
#include <QFont>

class CVeldenDoc;
class CQLMDoc;
class CEditField;

// The grid of trains of one document window. Each view keeps its own selection, copy source
// row and in-place editor; several views may show one document.
//
// PUBLIC INTERFACE — other layers (rowops, app) rely on exactly these members. The grid
// implementation may add to it but not change these.
class CVeldenView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit CVeldenView(CVeldenDoc* doc, QWidget* parent = nullptr);
    ~CVeldenView() override;

    CVeldenDoc* GetDocument() const { return m_pDoc; }
    CQLMDoc& Timetable() const;
    GridState& State() { return m_state; }
    const GridState& State() const { return m_state; }

    // Creates the hidden editor, sets the extent and refreshes with hint 0. Called once by the
    // window that shows the view.
    void OnInitialUpdate();
    // Refresh with hint 0: clears an invalid selection, follows the train count, repaints all.
    void OnUpdate();
    // Refresh with a cell hint: validity and row count steps, then repaints that cell only.
    void OnUpdate(int column, int row);

    void SetRowCount(int n);
    bool IsValidCell(int column, int row, bool strict) const;
    void InvalidateCell(int column, int row);
    bool IsCellVisible(int column, int row) const;
    void SelectCell(int column, int row);
    void ScrollBy(int dx, int dy);

    // The in-place editor.
    void BeginEdit();
    void EndEdit();
    bool IsEditing() const;

    // Row moves keeping the current row and copy source row on their trains (see rowmoves.h).
    // RemoveRows marks the document modified; neither repaints.
    void InsertRows(int first, int count);
    void RemoveRows(int first, int count);

signals:
    // A note for the status bar (for example a character that cannot be saved).
    void statusMessage(const QString& text);

private:
    CVeldenDoc* m_pDoc;
    GridState m_state;
    QFont m_font;
    CEditField* m_pEditField = nullptr;
};
