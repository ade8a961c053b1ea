#pragma once

#include "gridstate.h"

class CQLMDoc;

// Opens a gap of count rows at first (1..N+1) in the train list; the later trains move down and
// the current row and copy source row follow their trains. The new rows are value-initialised;
// the caller fills them, refreshes and marks the document modified.
// Precondition: 1 <= first <= N + 1, count >= 0 and N + count <= 65535.
void InsertRows(CQLMDoc& doc, GridState& state, int first, int count);

// Removes rows first..first+count-1; later trains close the gap. A current row or copy source
// row inside the removed block becomes -1; one below it moves up by count.
// Precondition: 1 <= first, count >= 0 and first + count - 1 <= N.
void RemoveRows(CQLMDoc& doc, GridState& state, int first, int count);
