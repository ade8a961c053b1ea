#pragma once

#include "gridstate.h"

struct DocChange;

// Keeps a view's current row and copy source row on their trains after a change to the
// timetable: rows inserted above move them down, rows removed above move them up, a removed
// row is forgotten (-1; a forgotten copy source carries no cut mark), a moved train is followed.
void FollowChange(GridState& state, const DocChange& change);

// The same for a single row number.
int RowAfterChange(int row, const DocChange& change);
