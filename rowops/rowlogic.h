#pragma once

#include "gridstate.h"
#include "records.h"
#include "timetableedit.h"

#include <QString>

#include <optional>
#include <vector>

class CQLMDoc;

// The rules of the row commands, without windows. Each operation reads the timetable and the
// rows the user chose, checks its inputs first and, when it accepts them, describes the change
// as an edit for the document to run as one undo step. Views follow the change themselves.

// Limits of the inputs the dialogs offer.
inline constexpr int kMaxInsertCount = 255;
inline constexpr int kMinPatternCycle = 5;
inline constexpr int kMaxPatternCycle = 120;
inline constexpr int kMaxPatternRepetitions = 200;
inline constexpr int kMinutesPerDay = 1440;

// A train as the insert command makes it from nothing: shown as "0Z", first type, first
// destination, platform 1.
tagTRAININFO BlankTrain();

// Reads a number the way the dialogs read their edits: leading blanks and a sign are accepted,
// reading stops at the first non-digit, and an empty or non-numeric text gives 0.
int ParseDecimal(const QString& text);

// True when row designates a train (1..N).
bool IsTrainRow(const CQLMDoc& doc, int row);
// True when a data cell is selected: column 1..10 and row 1..N.
bool HasSelectedCell(const CQLMDoc& doc, const GridState& state);

// ---- Insert -----------------------------------------------------------------------------------

enum class InsertResult
{
    Done,
    BadCount,      // the count is not within 1..255
    NoCurrentRow,  // inserting at the current row without one
    BadCopySource, // the row to copy from is not a train
    TooManyTrains, // the train count would pass 65535
};

// Inserts count (1..255) trains at currentRow (atCurrentRow) or after the last train, each a
// copy of row copyFromRow (taken before anything moves) or a blank train.
InsertResult InsertTrains(const CQLMDoc& doc, int currentRow, bool atCurrentRow, int count,
                          std::optional<int> copyFromRow, TimetableEdit* edit);

// ---- Delete -----------------------------------------------------------------------------------

enum class DeleteDirection
{
    DownFromCurrent, // current .. current+count-1
    UpFromCurrent,   // current-count+1 .. current
    UpFromEnd,       // the last count rows
};

enum class DeleteResult
{
    Done,
    NoRows,       // the list is empty
    BadCount,     // the count does not fit the direction
    NoCurrentRow, // a direction from the current row without one
};

// The most rows the direction can remove; below 1 when it can remove none.
int LargestDeleteCount(DeleteDirection direction, int trainCount, int currentRow);

DeleteResult DeleteTrains(const CQLMDoc& doc, int currentRow, DeleteDirection direction, int count,
                          TimetableEdit* edit);

// ---- Copy, cut and paste ------------------------------------------------------------------------

enum class MarkResult
{
    Done,        // the copy source moved or changed kind; previousRow was the old source
    Unchanged,   // the current row already was the source of that kind
    NoSelection, // no data cell selected
};

// Copy (cut = false) or Cut (cut = true): remembers the current row as the copy source.
MarkResult MarkCopySource(const CQLMDoc& doc, GridState& state, bool cut, int* previousRow);

enum class PasteMode
{
    Overwrite,
    Insert
};

enum class PasteCheck
{
    Ready,
    NoCopySource, // the copy source row is not a train
    NoSelection,  // no data cell selected (nothing to say)
};

// Whether paste can ask for its mode, in the order the command checks.
PasteCheck CheckPaste(const CQLMDoc& doc, const GridState& state);

enum class PasteResult
{
    Done,
    Unchanged, // overwrite of a cut row onto itself: only the cut mark was cleared
    NoCopySource,
    NoSelection,
    TooManyTrains, // inserting a copy into a full list
};

// Pastes the copy source train at the current row; a cut source is removed. *pastedRow receives
// the row of the pasted train afterwards; the view then forgets its copy source.
PasteResult PasteRow(const CQLMDoc& doc, const GridState& state, PasteMode mode,
                     TimetableEdit* edit, int* pastedRow);

// ---- Replace train types ----------------------------------------------------------------------

inline constexpr int kMaxReplaceSources = 64;

struct ReplaceResult
{
    int total = 0;    // trains looked at
    int replaced = 0; // trains whose type was among the sources
    int changed = 0;  // of those, trains whose type actually differed from the target
};

// Every train whose type is one of sources takes type target.
ReplaceResult ReplaceTypes(const CQLMDoc& doc, const std::vector<int>& sources, int target,
                           TimetableEdit* edit);

// ---- Pattern timetable --------------------------------------------------------------------------

// What the pattern dialog shows for its four texts.
struct PatternCheck
{
    bool countSpinEnabled = false;
    int countMax = 0; // the row count spin's upper limit when enabled
    bool okEnabled = false;
};

PatternCheck CheckPatternTexts(int trainCount, const QString& first, const QString& count,
                               const QString& cycle, const QString& repetitions);

enum class PatternResult
{
    Done,
    BadInput,      // an input outside its range
    TooManyTrains, // count x repetitions new rows do not fit
};

// The departure time of copy k of a pattern train: the 16-bit sum, less one day once when it
// reaches a day.
quint16 PatternTime(quint16 time, int k, int cycle);

// Repeats trains first..first+count-1 repetitions times, copy k shifted by k x cycle minutes,
// inserting the copies directly after the block.
PatternResult BuildPattern(const CQLMDoc& doc, int first, int count, int cycle, int repetitions,
                           TimetableEdit* edit);

// ---- Messages -------------------------------------------------------------------------------

namespace RowText {
QString TooManyTrains(); // the train count would pass 65535
QString BadCopySource(); // 複写元の行番号が不正です
QString NoCellForInsert(); // ｾﾙが選択されていないので[現在位置から挿入]は使えません
QString BadInsertCount(); // 行数の値が不正です
QString NoRowsToDelete(); // 行がないので削除できません
QString BadDeleteCount(); // 削除行数の値が不正です
QString NoRowSelected();  // 行が選択されていません
QString NoCellSelected(); // セルが選択されていません
QString NoCopySource();   // ｺﾋﾟｰ元の行が選択されていません
QString ReplaceReport(int total, int replaced);
QString ReplaceCaption(); // 完了
// The names of the undo steps.
QString InsertStep();
QString DeleteStep();
QString PasteStep();
QString ReplaceStep();
QString PatternStep();
} // namespace RowText
