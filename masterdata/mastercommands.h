#pragma once

class CVeldenDoc;
class QWidget;

// The 編集 menu's type and destination commands. Each runs its list dialog on copies of the
// document's lists and, when the run changed anything, applies the whole run as one undo step;
// every window on the document then repaints. The caller closes the cell editor first.
void OnEditAssortment(CVeldenDoc& doc, QWidget* parent);  // 32781
void OnEditDestination(CVeldenDoc& doc, QWidget* parent); // 32780
