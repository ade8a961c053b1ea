#pragma once

class CVeldenDoc;
class QWidget;

// The basic-data command: runs the property sheet on a copy of the document's timetable and
// takes whatever the run changed (the pages on OK and Apply, the list, key and layout editors
// also on Cancel) as one undo step. The document counts as modified afterwards whichever button
// closed the sheet.
void RunBasicData(CVeldenDoc& doc, QWidget* parent);
