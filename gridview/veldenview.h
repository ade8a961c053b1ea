#pragma once

#include "gridstate.h"
#include "records.h"

#include <QAbstractScrollArea>
#include <QFont>

class CVeldenDoc;
class CQLMDoc;
class CEditField;
struct DocChange;

// The grid of trains of one document window. Each view keeps its own selection, copy source
// row and in-place editor, and keeps them on their trains through every change to the
// document, whichever window made it; several views may show one document. The view reads the
// timetable; its cell editor changes it through the document.
class CVeldenView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit CVeldenView(CVeldenDoc* doc, QWidget* parent = nullptr);
    ~CVeldenView() override;

    CVeldenDoc* GetDocument() const { return m_pDoc; }
    const CQLMDoc& Timetable() const;
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
    // Makes (column, row) the current cell; a row range collapses to it.
    void SelectCell(int column, int row);
    void ScrollBy(int dx, int dy);

    // Row ranges of whole rows: the current cell moves to (column, row) and the range runs from
    // where it started (the current row when there was none) to there. Without a current cell
    // this selects the cell.
    void ExtendRange(int column, int row);
    // Leaves the current cell alone.
    void CollapseRange();
    // Makes rows first..last the range, first the current row, and scrolls first into view.
    void SelectRows(int first, int last);
    // Repaints rows first..last (either order) where they are in view.
    void InvalidateRows(int first, int last);

    // The in-place editor.
    void BeginEdit();
    void EndEdit();
    bool IsEditing() const;

    // Selects row (in the current column, or the first) and scrolls it into view.
    void ShowRow(int row);
    // Makes row the current row, in the current column, and repaints the grid.
    void SetCurrentRow(int row);
    // Marks row as the copy source (-1: none), taken by Cut when cut; repaints the rows whose
    // mark changes.
    void SetCopySource(int row, bool cut);
    // Selects the cell (column, row) of a train and scrolls it into view, across as well.
    void ShowCell(int column, int row);

    // Stores a value of the open editor into the edited train, by the rules of its column, as
    // one step of the cell edit. Text typed back to what the cell showed when the editor opened
    // restores what it held then. The text box hands over its text; the lists their entry + 1.
    void ApplyEditValue(const QString& text);
    void ApplyEditValue(int entry);
    // The in-place editor (null before OnInitialUpdate).
    CEditField* EditField() const { return m_pEditField; }
    // The bytes data cell (column, row) shows.
    QByteArray CellBytes(int column, int row) const;

signals:
    // A note for the status bar (for example a character that cannot be saved).
    void statusMessage(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void DrawRow(QPainter& p, int row);
    void DrawCell(QPainter& p, int row, int column, const QByteArray& text);
    void DrawHeaderFace(QPainter& p, const QRect& rect, bool pushButton);
    void UpdateScrollBars();
    QPoint ScrollPosition() const;
    bool CurrentTrainExists() const;
    void PlaceEditor();
    void KeepEditorOnCurrentCell();
    void MoveCurrentCell(int column, int row);
    bool IsRangeDrawn(int row) const;
    void OnDocChanged(const DocChange& change);
    void StoreEditedTrain(const tagTRAININFO& train);

    CVeldenDoc* m_pDoc;
    GridState m_state;
    QFont m_font;
    CEditField* m_pEditField = nullptr;
    // The open editor: its train as it was when it opened, the text it showed, its session.
    tagTRAININFO m_editOpenTrain;
    QString m_editOpenText;
    int m_nEditSession = 0;
    bool m_bStoringEdit = false; // the change being reported comes from this view's editor
};
