#pragma once

#include "boardchecks.h"

class CVeldenView;

// Goes to where a finding is, for the user to mend it: a train's cell is selected in the grid
// of view and scrolled into view; anything else opens the dialog or sheet page that holds it
// (through the same commands as the menus) with the item selected: the type or destination
// list, the property sheet's page of the sign, the guide messages or the keys, the layout
// editor on the part. Going there changes nothing.
void ShowFinding(CVeldenView& view, const Board::Finding& finding);
