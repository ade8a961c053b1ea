#include "veldenview.h"

#include "celltext.h"
#include "editfield.h"
#include "editrules.h"
#include "fonts.h"
#include "gridcolumn.h"
#include "gridgeometry.h"
#include "markers.h"
#include "messages.h"
#include "rowmoves.h"
#include "sjis.h"
#include "timetableedit.h"
#include "veldendoc.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

using namespace GridGeometry;

namespace {
const QColor kGridLineColor(192, 192, 192);
const QColor kCopySourceFrameColor(128, 128, 128);
// Texts sit 3 pixels inside their cell and are clipped there.
constexpr int kTextInset = 3;
} // namespace

CVeldenView::CVeldenView(CVeldenDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_pDoc(doc), m_font(Fonts::GridFont())
{
    setFocusPolicy(Qt::StrongFocus);
    // The standard arrow over the grid.
    viewport()->setCursor(Qt::ArrowCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(kRowHeight);
    horizontalScrollBar()->setSingleStep(kRowHeight);
    connect(m_pDoc, &CVeldenDoc::changed, this, &CVeldenView::OnDocChanged);
}

CVeldenView::~CVeldenView() = default;

const CQLMDoc& CVeldenView::Timetable() const
{
    return m_pDoc->Timetable();
}

// ---- Refresh, state and scrolling -----------------------------------------------------------

void CVeldenView::OnInitialUpdate()
{
    if (!m_pEditField) {
        m_pEditField = new CEditField(viewport());
        connect(m_pEditField, &CEditField::textEdited, this,
                qOverload<const QString&>(&CVeldenView::ApplyEditValue));
        connect(m_pEditField, &CEditField::entryChosen, this,
                qOverload<int>(&CVeldenView::ApplyEditValue));
        connect(m_pEditField, &CEditField::closeRequested, this, &CVeldenView::EndEdit);
    }
    UpdateScrollBars();
    OnUpdate();
}

void CVeldenView::OnUpdate()
{
    // The validity test uses the row count from before this refresh.
    if (!IsValidCell(m_state.m_nCurColumn, m_state.m_nCurRow, false)) {
        m_state.m_nCurColumn = 0;
        m_state.m_nCurRow = 0;
        m_state.m_nRangeAnchor = -1;
    }
    SetRowCount(Timetable().m_TrainInfo.m_nSize + 1);
    KeepEditorOnCurrentCell();
    viewport()->update();
}

void CVeldenView::OnUpdate(int column, int row)
{
    if (!IsValidCell(m_state.m_nCurColumn, m_state.m_nCurRow, false)) {
        m_state.m_nCurColumn = 0;
        m_state.m_nCurRow = 0;
        m_state.m_nRangeAnchor = -1;
    }
    SetRowCount(Timetable().m_TrainInfo.m_nSize + 1);
    InvalidateCell(column, row);
}

void CVeldenView::SetRowCount(int n)
{
    if (n == m_state.m_nRowCount)
        return;
    m_state.m_nRowCount = n;
    UpdateScrollBars();
}

void CVeldenView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    const int totalHeight = kRowHeight * m_state.m_nRowCount;
    horizontalScrollBar()->setRange(0, qMax(0, kTotalWidth - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0, qMax(0, totalHeight - client.height()));
    verticalScrollBar()->setPageStep(client.height());
}

QPoint CVeldenView::ScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

bool CVeldenView::IsValidCell(int column, int row, bool strict) const
{
    return GridGeometry::IsValidCell(column, row, m_state.m_nRowCount, strict);
}

void CVeldenView::InvalidateCell(int column, int row)
{
    const QPoint pos = ScrollPosition();
    viewport()->update(ClientCellRect(column, row, pos.x(), pos.y()));
}

bool CVeldenView::IsCellVisible(int column, int row) const
{
    const QPoint pos = ScrollPosition();
    return IsRectVisible(ClientCellRect(column, row, pos.x(), pos.y()), viewport()->size());
}

void CVeldenView::SelectCell(int column, int row)
{
    if (column == m_state.m_nCurColumn && row == m_state.m_nCurRow)
        return;
    if (column < 1 || column > kColumnCount - 1 || row < 1 || row >= m_state.m_nRowCount)
        return;
    CollapseRange();
    MoveCurrentCell(column, row);
}

void CVeldenView::MoveCurrentCell(int column, int row)
{
    OnUpdate(m_state.m_nCurColumn, m_state.m_nCurRow);
    m_state.m_nCurColumn = column;
    m_state.m_nCurRow = row;
    OnUpdate(column, row);
}

void CVeldenView::ExtendRange(int column, int row)
{
    if (column < 1 || column > kColumnCount - 1 || row < 1 || row >= m_state.m_nRowCount)
        return;
    if (!IsValidCell(m_state.m_nCurColumn, m_state.m_nCurRow, true)) {
        SelectCell(column, row);
        return;
    }
    if (m_state.m_nRangeAnchor < 1)
        m_state.m_nRangeAnchor = m_state.m_nCurRow;
    // The rows between the old and the new end change their look.
    InvalidateRows(m_state.m_nCurRow, row);
    InvalidateRows(m_state.m_nRangeAnchor, m_state.m_nCurRow);
    MoveCurrentCell(column, row);
}

void CVeldenView::CollapseRange()
{
    if (m_state.m_nRangeAnchor == -1)
        return;
    if (m_state.HasRange())
        InvalidateRows(m_state.m_nRangeAnchor, m_state.m_nCurRow);
    m_state.m_nRangeAnchor = -1;
}

void CVeldenView::SelectRows(int first, int last)
{
    ShowRow(first);
    if (m_state.m_nCurRow != first || last < 1 || last > Timetable().m_TrainInfo.m_nSize)
        return;
    m_state.m_nRangeAnchor = last;
    InvalidateRows(first, last);
}

void CVeldenView::InvalidateRows(int first, int last)
{
    if (first > last)
        std::swap(first, last);
    first = qMax(first, 0);
    if (last < first)
        return;
    // One rectangle, cut to the window, however many rows the range holds.
    const QPoint pos = ScrollPosition();
    const QRect visible(pos, viewport()->size());
    const int top = qMax(RowTop(first), visible.top());
    const int bottom = qMin(RowTop(last) + kRowHeight, visible.top() + visible.height());
    if (bottom > top)
        viewport()->update(QRect(0, top - pos.y(), viewport()->width(), bottom - top));
}

bool CVeldenView::IsRangeDrawn(int row) const
{
    // A range of one row looks like the current cell alone.
    return m_state.HasRange() && m_state.m_nRangeAnchor != m_state.m_nCurRow &&
           row >= m_state.RangeFirst() && row <= m_state.RangeLast();
}

void CVeldenView::ScrollBy(int dx, int dy)
{
    // QScrollBar::setValue keeps the position within 0..total - client.
    horizontalScrollBar()->setValue(qMax(0, horizontalScrollBar()->value() + dx));
    verticalScrollBar()->setValue(qMax(0, verticalScrollBar()->value() + dy));
}

void CVeldenView::scrollContentsBy(int dx, int dy)
{
    // Moves the pixels and the open editor with them.
    viewport()->scroll(dx, dy);
}

void CVeldenView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

// ---- Following the document ----------------------------------------------------------------

void CVeldenView::OnDocChanged(const DocChange& change)
{
    using Kind = DocChange::Kind;
    const int editedRow = IsEditing() ? m_state.m_nCurRow : -1;
    FollowChange(m_state, change);
    if (editedRow > 0) {
        // An editor stays open only over its own train, unchanged by anyone else; the lists
        // also close when their entries change.
        bool close = m_state.m_nCurRow < 1;
        switch (change.kind) {
        case Kind::TrainsChanged:
            close |= !m_bStoringEdit && m_state.m_nCurRow >= change.first &&
                     m_state.m_nCurRow < change.first + change.count;
            break;
        case Kind::TypesChanged:
        case Kind::DestinationsChanged:
        case Kind::Reset:
            close = true;
            break;
        default:
            break;
        }
        if (close)
            EndEdit();
    }
    if (change.kind == Kind::Reset) {
        m_state = GridState{-1, -1, -1, false, m_state.m_nRowCount, -1};
    }
    // The rows above already carry their new numbers: judge them against the new row count,
    // so that a train pushed below the old last row stays selected.
    SetRowCount(Timetable().m_TrainInfo.m_nSize + 1);
    OnUpdate();
}

void CVeldenView::ShowRow(int row)
{
    if (row < 1 || row > Timetable().m_TrainInfo.m_nSize)
        return;
    const int column = m_state.m_nCurColumn >= 1 ? m_state.m_nCurColumn : GridColumn::TrainNo;
    SelectCell(column, row);
    const QRect cell = CellRect(column, row);
    const QPoint pos = ScrollPosition();
    const QSize client = viewport()->size();
    // The header row stays on top of the list: a row under it is not in view.
    if (cell.top() - kRowHeight < pos.y())
        verticalScrollBar()->setValue(cell.top() - kRowHeight);
    else if (cell.bottom() >= pos.y() + client.height())
        verticalScrollBar()->setValue(cell.bottom() + 1 - client.height());
}

void CVeldenView::SetCurrentRow(int row)
{
    m_state.m_nCurRow = row;
    OnUpdate();
}

void CVeldenView::SetCopySource(int row, bool cut)
{
    const int previous = m_state.m_nCopySrcRow;
    m_state.m_nCopySrcRow = row;
    m_state.m_bCutMark = cut;
    for (int marked : {previous, row})
        if (marked >= 1)
            for (int c = 0; c < kColumnCount; ++c)
                InvalidateCell(c, marked);
}

void CVeldenView::ShowCell(int column, int row)
{
    if (column < 1 || column > kColumnCount - 1 || row < 1 || row > Timetable().m_TrainInfo.m_nSize)
        return;
    SelectCell(column, row);
    ShowRow(row);
    const QRect cell = CellRect(column, row);
    const int left = ScrollPosition().x();
    const int width = viewport()->width();
    if (cell.left() < left)
        horizontalScrollBar()->setValue(cell.left());
    else if (cell.right() >= left + width)
        horizontalScrollBar()->setValue(qMin(cell.left(), cell.right() + 1 - width));
}

// ---- The in-place editor --------------------------------------------------------------------

bool CVeldenView::CurrentTrainExists() const
{
    return IsValidCell(m_state.m_nCurColumn, m_state.m_nCurRow, true) &&
           m_state.m_nCurRow <= Timetable().m_TrainInfo.m_nSize;
}

void CVeldenView::BeginEdit()
{
    if (!m_pEditField || !CurrentTrainExists())
        return;
    const int column = m_state.m_nCurColumn;
    const int row = m_state.m_nCurRow;
    const CQLMDoc& doc = Timetable();
    const tagTRAININFO& train = doc.m_TrainInfo.ElementAt(row);
    EditRules::EditorSetup setup = EditRules::EditorFor(train, column);
    if (setup.kind == EditRules::EditorKind::None)
        return;
    if (setup.kind == EditRules::EditorKind::TypeList) {
        for (const tagTRAINASSORTMENT& type : doc.m_TrainAssortment.Items())
            setup.entries.append(type.strName);
    } else if (setup.kind == EditRules::EditorKind::DestinationList) {
        for (const DESTINATION& destination : doc.m_Destination.Items())
            setup.entries.append(destination.strName);
    }
    // What the cell held when the editor opened: typed back to its text, it holds this again.
    // (A second click on the cell being edited reloads it within the same session.)
    if (!IsEditing()) {
        m_editOpenTrain = train;
        m_editOpenText = Sjis::Decode(setup.text);
        m_nEditSession = m_pDoc->NewEditSession();
    }
    m_pEditField->show();
    PlaceEditor();
    m_pEditField->raise();
    m_pEditField->EditValue(setup);
}

void CVeldenView::PlaceEditor()
{
    const QPoint pos = ScrollPosition();
    m_pEditField->setGeometry(
        ClientCellRect(m_state.m_nCurColumn, m_state.m_nCurRow, pos.x(), pos.y()));
}

void CVeldenView::KeepEditorOnCurrentCell()
{
    // Rows may have moved under an open editor: it follows its train, and closes when that
    // train is gone, so that it never stands over a cell it does not edit.
    if (!IsEditing())
        return;
    if (CurrentTrainExists())
        PlaceEditor();
    else
        EndEdit();
}

void CVeldenView::EndEdit()
{
    if (!m_pEditField)
        return;
    // The window's focus widget, which is kept while another window is active.
    const bool hadFocus = m_pEditField->isAncestorOf(window()->focusWidget());
    m_pEditField->DestroyControl();
    m_pEditField->hide();
    if (hadFocus)
        setFocus(); // keyboard input returns to the grid
}

bool CVeldenView::IsEditing() const
{
    return m_pEditField && m_pEditField->isVisible() && m_pEditField->FieldControl();
}

void CVeldenView::ApplyEditValue(const QString& text)
{
    if (!IsEditing() || !CurrentTrainExists())
        return;
    const int column = m_state.m_nCurColumn;
    tagTRAININFO train = Timetable().m_TrainInfo.ElementAt(m_state.m_nCurRow);
    if (text == m_editOpenText) {
        // Back to what the editor opened with: the cell holds exactly what it held then, even
        // a value or bytes the editor's rules would not produce.
        EditRules::RestoreColumn(train, m_editOpenTrain, column);
    } else {
        const QByteArray* original = EditRules::TextMember(m_editOpenTrain, column);
        const EditRules::EncodedText encoded =
            EditRules::EncodeEditorText(text, original ? *original : QByteArray());
        if (!encoded.ok) {
            Msg::Beep();
            emit statusMessage(EditRules::UnencodableMessage(encoded.unencodable));
            return;
        }
        if (EditRules::ApplyText(train, column, encoded.bytes).beep)
            Msg::Beep();
    }
    StoreEditedTrain(train);
}

void CVeldenView::ApplyEditValue(int entry)
{
    if (!IsEditing() || !CurrentTrainExists())
        return;
    tagTRAININFO train = Timetable().m_TrainInfo.ElementAt(m_state.m_nCurRow);
    if (EditRules::ApplyListEntry(train, m_state.m_nCurColumn, entry).beep)
        Msg::Beep();
    StoreEditedTrain(train);
}

void CVeldenView::StoreEditedTrain(const tagTRAININFO& train)
{
    const int row = m_state.m_nCurRow;
    if (train == Timetable().m_TrainInfo.ElementAt(row))
        return;
    m_bStoringEdit = true;
    m_pDoc->ApplyCellEdit(TimetableEdit().SetTrain(row, train),
                          QStringLiteral("%1の入力").arg(CellText::Header(m_state.m_nCurColumn)),
                          m_nEditSession);
    m_bStoringEdit = false;
}

// ---- Mouse and keyboard ---------------------------------------------------------------------

void CVeldenView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint logical = event->position().toPoint() + ScrollPosition();
    const Cell cell = CellFromPoint(logical.x(), logical.y());
    event->accept();
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    if (!IsValidCell(cell.column, cell.row, false)) {
        // Beyond the last row or column, or on a column's edge: nothing happens. The press
        // has moved the keyboard focus to the grid; an open editor keeps it.
        if (IsEditing())
            m_pEditField->Control()->setFocus(Qt::MouseFocusReason);
        return;
    }
    if (extend && cell.row >= 1) {
        // Shift+click on a cell or a row number: the range runs to that row.
        EndEdit();
        const int column = cell.column >= 1            ? cell.column
                           : m_state.m_nCurColumn >= 1 ? m_state.m_nCurColumn
                                                       : GridColumn::TrainNo;
        ExtendRange(column, cell.row);
        return;
    }
    CollapseRange();
    if (cell.column == m_state.m_nCurColumn && cell.row == m_state.m_nCurRow) {
        BeginEdit();
    } else {
        EndEdit();
        SelectCell(cell.column, cell.row);
    }
}

void CVeldenView::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void CVeldenView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click is not a click: it must not open the editor.
    event->accept();
}

void CVeldenView::keyPressEvent(QKeyEvent* event)
{
    Arrow arrow;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (IsValidCell(m_state.m_nCurColumn, m_state.m_nCurRow, false)) {
            BeginEdit();
            event->accept();
        } else {
            event->ignore();
        }
        return;
    case Qt::Key_Escape:
        if (m_state.m_nCopySrcRow != -1)
            SetCopySource(-1, m_state.m_bCutMark);
        event->ignore();
        return;
    case Qt::Key_Left:
        arrow = Arrow::Left;
        break;
    case Qt::Key_Up:
        arrow = Arrow::Up;
        break;
    case Qt::Key_Right:
        arrow = Arrow::Right;
        break;
    case Qt::Key_Down:
        arrow = Arrow::Down;
        break;
    default:
        // No scrolling by keys of its own: other keys go on to the parent.
        event->ignore();
        return;
    }
    // With Shift the arrows extend the range of rows; without, they leave the current cell alone.
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    if (!extend)
        CollapseRange();
    const ArrowMove move = ArrowTarget(arrow, m_state.m_nCurColumn, m_state.m_nCurRow);
    if (IsValidCell(move.target.column, move.target.row, true)) {
        if (!IsCellVisible(move.target.column, move.target.row))
            ScrollBy(move.scrollDx, move.scrollDy);
        if (extend)
            ExtendRange(move.target.column, move.target.row);
        else
            SelectCell(move.target.column, move.target.row);
    }
    event->accept();
}

// ---- Painting -------------------------------------------------------------------------------

QByteArray CVeldenView::CellBytes(int column, int row) const
{
    if (row < 1 || row > Timetable().m_TrainInfo.m_nSize)
        return {};
    if (column == 0)
        return CellText::RowNumber(row);
    return CellText::Data(Timetable(), row, column);
}

void CVeldenView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    const QPoint pos = ScrollPosition();
    p.translate(-pos);
    const QRect clip = event->rect().translated(pos);
    p.setFont(m_font);

    const RowRange rows = RowsInBand(clip.top(), clip.top() + clip.height(), m_state.m_nRowCount);
    for (int r = rows.first; r <= rows.last; ++r)
        DrawRow(p, r);

    if (m_state.m_nCurRow >= 1 && m_state.m_nCurColumn >= 1) {
        // A 2-pixel inverted frame just inside the current cell: invert the cell, then invert
        // its inside back.
        const QRect cell = CellRect(m_state.m_nCurColumn, m_state.m_nCurRow);
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.fillRect(cell, Qt::white);
        p.fillRect(cell.adjusted(2, 2, -2, -2), Qt::white);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void CVeldenView::DrawHeaderFace(QPainter& p, const QRect& rect, bool pushButton)
{
    // Button face with a 3-D edge: light on the top and left, dark on the bottom and right,
    // the bottom-right edge drawn last so that it owns the corners.
    auto edge = [&p](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
        p.fillRect(r.x(), r.y(), r.width() - 1, 1, topLeft);
        p.fillRect(r.x(), r.y(), 1, r.height() - 1, topLeft);
        p.fillRect(r.x() + r.width() - 1, r.y(), 1, r.height(), bottomRight);
        p.fillRect(r.x(), r.y() + r.height() - 1, r.width(), 1, bottomRight);
    };
    const QPalette& pal = palette();
    p.fillRect(rect, pal.color(QPalette::Button));
    edge(rect, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
    // The corner cell is a raised push button: a second, softer edge inside the first.
    if (pushButton && rect.width() > 2 && rect.height() > 2)
        edge(rect.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
}

void CVeldenView::DrawRow(QPainter& p, int row)
{
    const QColor textColor = palette().color(QPalette::Text);
    p.setPen(textColor);
    if (row == 0) {
        for (int c = 0; c < kColumnCount; ++c) {
            const QRect rect = CellRect(c, 0);
            DrawHeaderFace(p, rect, c == 0);
            p.setPen(textColor);
            const QRect inner = rect.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset);
            p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                       CellText::Header(c));
        }
        return;
    }
    if (row > Timetable().m_TrainInfo.m_nSize)
        return; // the refresh has not caught up with the document yet

    const QRect numberRect = CellRect(0, row);
    DrawHeaderFace(p, numberRect, false);
    p.setPen(textColor);
    // The row number sits at the cell's corner, without the inset of the other texts.
    p.drawText(numberRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               QString::fromLatin1(CellText::RowNumber(row)));

    if (IsRangeDrawn(row)) {
        // The rows of a range: the highlight colour lightened towards the cells' background,
        // under the grid lines, the texts and the frames.
        const QColor highlight = palette().color(QPalette::Highlight);
        const QColor base = palette().color(QPalette::Base);
        const auto mix = [](int h, int b) { return b + (h - b) * 3 / 10; };
        p.fillRect(X(1), RowTop(row), kTotalWidth - X(1), kRowHeight,
                   QColor(mix(highlight.red(), base.red()), mix(highlight.green(), base.green()),
                          mix(highlight.blue(), base.blue())));
    }
    const CQLMDoc& doc = Timetable();
    for (int c = 1; c < kColumnCount; ++c)
        DrawCell(p, row, c, CellText::Data(doc, row, c));

    if (row == m_state.m_nCopySrcRow) {
        p.drawPixmap(25, RowTop(row) + 3,
                     m_state.m_bCutMark ? Markers::CutMarker() : Markers::CopyMarker());
        // A 1-pixel frame around the row's data cells, (50, 20r) to (775, 20r + 19) exclusive.
        const QRect frame(X(1), RowTop(row), kTotalWidth - X(1), kRowHeight - 1);
        p.fillRect(frame.x(), frame.y(), frame.width(), 1, kCopySourceFrameColor);
        p.fillRect(frame.x(), frame.y() + frame.height() - 1, frame.width(), 1,
                   kCopySourceFrameColor);
        p.fillRect(frame.x(), frame.y(), 1, frame.height(), kCopySourceFrameColor);
        p.fillRect(frame.x() + frame.width() - 1, frame.y(), 1, frame.height(),
                   kCopySourceFrameColor);
    }
}

void CVeldenView::DrawCell(QPainter& p, int row, int column, const QByteArray& text)
{
    const QRect rect = CellRect(column, row);
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    // The right grid line runs from the top down to bottom - 1 on the next cell's first pixel
    // column; the bottom line runs back from there to just right of the left edge.
    p.fillRect(right, rect.y(), 1, rect.height(), kGridLineColor);
    p.fillRect(rect.x() + 1, bottom - 1, rect.width(), 1, kGridLineColor);
    if (text.isEmpty())
        return;
    const QRect inner = rect.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset);
    p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Sjis::Decode(text));
}
