#pragma once

#include "gridstate.h"

struct DocChange;

// Keeps a view's current row, copy source row and row range on their trains after a change to
// the timetable: rows inserted above move them down, rows removed above move them up, a removed
// row is forgotten (-1; a forgotten copy source carries no cut mark), a moved train is followed.
// A range keeps the trains of it that remain: when its anchor's train is removed the anchor
// moves to the nearest remaining train towards the current row; without a current row there is
// no range.
void FollowChange(GridState& state, const DocChange& change);

// The same for a single row number.
int RowAfterChange(int row, const DocChange& change);
