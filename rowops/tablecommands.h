#pragma once

class CVeldenView;

// Trains to and from spreadsheets through the clipboard, commands of the 編集 menu.
// Copies the range of rows (or the current row) as tab-separated text and as an HTML table.
void OnEditCopyTable(CVeldenView& view); // 32800
// Inserts the trains of the clipboard's tab-separated text before the current row (or after
// the last train) as one undo step; refused as a whole, with each problem listed, when any line
// does not read. The pasted rows are the range afterwards.
void OnEditPasteTable(CVeldenView& view); // 32801
