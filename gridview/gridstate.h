#pragma once

#include <algorithm>

// The selection state of one grid view. Rows are train indexes (1..N); row 0 is the header.
struct GridState
{
    int m_nCurColumn = -1;   // 1..10 when a cell is selected; 0 or -1 = none
    int m_nCurRow = -1;      // 1..N when a cell is selected; 0 or -1 = none
    int m_nCopySrcRow = -1;  // row remembered by Copy or Cut; -1 = none
    bool m_bCutMark = false; // the copy source row was taken by Cut
    int m_nRowCount = 0;     // grid rows: trains + the header row
    // The other end of a range of whole rows that runs to the current row (Shift+click,
    // Shift+Up/Down); -1 = no range, only the current cell.
    int m_nRangeAnchor = -1;

    bool HasRange() const { return m_nRangeAnchor >= 1 && m_nCurRow >= 1; }
    // The rows of the range, or the current row alone.
    int RangeFirst() const { return HasRange() ? std::min(m_nRangeAnchor, m_nCurRow) : m_nCurRow; }
    int RangeLast() const { return HasRange() ? std::max(m_nRangeAnchor, m_nCurRow) : m_nCurRow; }
};
