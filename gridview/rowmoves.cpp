#include "rowmoves.h"

#include "qlmdoc.h"

#include <algorithm>

void InsertRows(CQLMDoc& doc, GridState& state, int first, int count)
{
    Q_ASSERT(first >= 1 && first <= doc.m_wTrainCount + 1 && count >= 0);
    Q_ASSERT(doc.m_wTrainCount + count <= kMaxCollection);
    auto& trains = doc.m_TrainInfo.Items();
    trains.insert(trains.begin() + (first - 1), static_cast<size_t>(count), tagTRAININFO{});
    doc.m_TrainInfo.SyncSize();
    doc.m_wTrainCount = static_cast<quint16>(trains.size());
    if (state.m_nCopySrcRow >= first)
        state.m_nCopySrcRow += count;
    if (state.m_nCurRow >= first)
        state.m_nCurRow += count;
}

static void ShiftForRemoval(int& row, int first, int count)
{
    if (row >= first && row < first + count)
        row = -1;
    else if (row >= first + count)
        row -= count;
}

void RemoveRows(CQLMDoc& doc, GridState& state, int first, int count)
{
    Q_ASSERT(first >= 1 && count >= 0 && first + count - 1 <= doc.m_wTrainCount);
    auto& trains = doc.m_TrainInfo.Items();
    trains.erase(trains.begin() + (first - 1), trains.begin() + (first - 1 + count));
    doc.m_TrainInfo.SyncSize();
    doc.m_wTrainCount = static_cast<quint16>(trains.size());
    ShiftForRemoval(state.m_nCopySrcRow, first, count);
    if (state.m_nCopySrcRow == -1)
        state.m_bCutMark = false; // a forgotten source carries no mark
    ShiftForRemoval(state.m_nCurRow, first, count);
}
