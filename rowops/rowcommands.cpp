#include "rowcommands.h"

#include "veldenview.h"

// Placeholders until the row operations land.
void OnEditInsert(CVeldenView&) {}
void OnEditDelete(CVeldenView&) {}
void OnEditCopy(CVeldenView&) {}
void OnEditCut(CVeldenView&) {}
void OnEditPaste(CVeldenView&) {}
void OnEditReplace(CVeldenView&) {}
void OnPatternDia(CVeldenView&) {}
