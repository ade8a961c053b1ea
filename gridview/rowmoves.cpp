#include "rowmoves.h"

#include "timetableedit.h"

int RowAfterChange(int row, const DocChange& change)
{
    if (row < 1)
        return row;
    switch (change.kind) {
    case DocChange::Kind::RowsInserted:
        return row >= change.first ? row + change.count : row;
    case DocChange::Kind::RowsRemoved:
        if (row >= change.first + change.count)
            return row - change.count;
        return row >= change.first ? -1 : row;
    case DocChange::Kind::RowMoved:
        if (row == change.first)
            return change.to;
        if (change.first < change.to && row > change.first && row <= change.to)
            return row - 1;
        if (change.to < change.first && row >= change.to && row < change.first)
            return row + 1;
        return row;
    default:
        return row;
    }
}

namespace {

int AnchorAfterChange(int anchor, int current, const DocChange& change)
{
    if (anchor < 1 || current < 1)
        return -1;
    if (change.kind == DocChange::Kind::Reset)
        return -1;
    const int moved = RowAfterChange(anchor, change);
    if (moved != -1)
        return moved;
    // Removed: the block's place is change.first; the trains beyond it now start there.
    const int after = change.first;
    const int before = change.first - 1;
    return current >= after ? after : (before >= 1 ? before : -1);
}

} // namespace

void FollowChange(GridState& state, const DocChange& change)
{
    state.m_nCurRow = RowAfterChange(state.m_nCurRow, change);
    state.m_nRangeAnchor = AnchorAfterChange(state.m_nRangeAnchor, state.m_nCurRow, change);
    state.m_nCopySrcRow = RowAfterChange(state.m_nCopySrcRow, change);
    if (state.m_nCopySrcRow == -1)
        state.m_bCutMark = false;
}
