#pragma once

class CVeldenView;
class QWidget;

// The commands of the 編集 menu that change the list of trains. Each runs on the view whose
// window is active; dialogs are parented to that view's window.
void OnEditInsert(CVeldenView& view);  // 32785
void OnEditDelete(CVeldenView& view);  // 32788
void OnEditCopy(CVeldenView& view);    // 57634
void OnEditCut(CVeldenView& view);     // 57635
void OnEditPaste(CVeldenView& view);   // 57637
void OnEditReplace(CVeldenView& view); // 32784
void OnPatternDia(CVeldenView& view);  // 32794
