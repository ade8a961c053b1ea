#pragma once

#include "gridstate.h"
#include "timetableedit.h"
#include "traintext.h"

#include <QString>
#include <QStringView>

#include <span>

class CQLMDoc;

// Trains to and from spreadsheets through the clipboard, without windows: which rows a copy
// takes, where a paste goes, and the edit a paste makes.
namespace TableLogic {

// The rows a copy takes: the range, or the current row; none (last < first) without a selected
// cell.
struct Rows
{
    int first = 0;
    int last = -1;
    bool IsEmpty() const { return last < first; }
    int Count() const { return IsEmpty() ? 0 : last - first + 1; }
};
Rows CopyRows(const CQLMDoc& doc, const GridState& state);

// The clipboard's two forms of rows: tab-separated text with the header line, and HTML.
struct Copied
{
    QString text;
    QString html;
};
Copied CopyTable(const CQLMDoc& doc, Rows rows);

// The row a paste inserts before: the current row, or one past the last train without one.
int PasteRow(const CQLMDoc& doc, const GridState& state);

// What a paste of text reads. With addNames, types and destinations the text names but the
// document lacks are added to the lists first (a type lit like a new one in the type editor, a
// destination with just its name) and the text is read against those lists.
struct Paste
{
    TrainText::ReadResult read;
    bool addsNames = false;
    CTrainAssortment types; // the lists with the additions, when addsNames
    CDestination destinations;
};
// remembered: trains whose text this is, when known (copied from this program), so that texts
// and names that do not survive as text keep their stored values.
Paste ReadPaste(const CQLMDoc& doc, QStringView text, bool addNames,
                std::span<const tagTRAININFO> remembered = {});

// True when the only problems are type and destination names that adding would cure, and the
// lists have room for them.
bool CanAddNames(const CQLMDoc& doc, const TrainText::ReadResult& read);

// The edit of a paste that read without problems: the lists (when it adds names), then the
// trains inserted before row.
TimetableEdit PasteEdit(Paste paste, int row);

// The step name of a paste in the Edit menu.
QString PasteStep(); // 表から貼り付け

} // namespace TableLogic
