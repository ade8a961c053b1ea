#include "veldenview.h"

#include "veldendoc.h"
#include "rowmoves.h"

#include "fonts.h"

CVeldenView::CVeldenView(CVeldenDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_pDoc(doc), m_font(Fonts::GridFont())
{
}

CVeldenView::~CVeldenView() = default;

CQLMDoc& CVeldenView::Timetable() const { return m_pDoc->m_QLMDoc; }

void CVeldenView::OnInitialUpdate() { OnUpdate(); }
void CVeldenView::OnUpdate() { SetRowCount(Timetable().m_wTrainCount + 1); viewport()->update(); }
void CVeldenView::OnUpdate(int, int) { SetRowCount(Timetable().m_wTrainCount + 1); }
void CVeldenView::SetRowCount(int n) { m_state.m_nRowCount = n; }
bool CVeldenView::IsValidCell(int column, int row, bool strict) const
{
    const int m = strict ? 1 : 0;
    return column >= m && column <= 10 && row >= m && row < m_state.m_nRowCount;
}
void CVeldenView::InvalidateCell(int, int) { viewport()->update(); }
bool CVeldenView::IsCellVisible(int, int) const { return true; }
void CVeldenView::SelectCell(int column, int row)
{
    m_state.m_nCurColumn = column;
    m_state.m_nCurRow = row;
}
void CVeldenView::ScrollBy(int, int) {}
void CVeldenView::BeginEdit() {}
void CVeldenView::EndEdit() {}
bool CVeldenView::IsEditing() const { return false; }
void CVeldenView::InsertRows(int first, int count) { ::InsertRows(Timetable(), m_state, first, count); }
void CVeldenView::RemoveRows(int first, int count)
{
    ::RemoveRows(Timetable(), m_state, first, count);
    m_pDoc->SetModifiedFlag(true);
}
