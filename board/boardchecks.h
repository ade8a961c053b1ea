#pragma once

#include "boardlayout.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

class CBoardFont;
class CQLMDoc;

// What the board would show wrong: checks of a timetable against the board model, so that a
// text "too wide" is exactly a text the preview cuts off. The checks only read the timetable.
namespace Board {

// The grid's columns, numbered as the grid numbers them (column 0 holds the row numbers).
enum GridCell : int
{
    kCellTrainNo = 1,
    kCellType = 2,
    kCellName = 3,
    kCellNameEn = 4,
    kCellTime = 5,
    kCellDestination = 6,
    kCellPlatform = 7,
    kCellGuide = 8,
    kCellNote = 10,
};

enum class CheckLevel : quint8
{
    Warning, // 警告: the board shows something wrong
    Note,    // 情報: likely a slip, the board is not wrong for it
};

enum class Check : quint8
{
    TrainOrder,            // a train's service time is earlier than the train's before it
    TimeBeyondDay,         // a time from 24:00 on that the date-change rule would not give
    TypeIndex,             // a train's type index lies outside the list
    DestinationIndex,      // a train's destination index lies outside the list
    DuplicateTrain,        // the same time, type and destination as an earlier train
    TextTooWide,           // a text wider than its part
    PartPastEdge,          // a layout part reaching past column 33
    PartsOverlap,          // two shown parts of a layout sharing columns
    PartAlwaysEmpty,       // a shown part without text on every train that uses the layout
    GuideNeverShows,       // a guide message whose end is not after its start
    GuideOutsideDay,       // a guide message window reaching outside the service day
    GuideExclusiveOverlap, // two exclusive guide messages shown at the same time
    UnusedType,            // a train type no train uses
    UnusedDestination,     // a destination no train goes to
    DuplicateKey,          // an extension key with the path of an earlier one
};

// Where a finding is: the thing to go to in order to mend it.
struct CheckPlace
{
    enum class Kind : quint8
    {
        Train,        // index: the train (grid row); column: the grid column
        Sign,         // index: the sign row, 0 or 1; display; part: a SignPart
        Layout,       // index: 0 the document's layout, else the type whose own it is; display;
                      // part: a Part
        Type,         // index: 1-based
        Destination,  // index: 1-based
        GuideMessage, // index: 1-based
        ExtKey,       // index: the key's place in the key list, 1-based
    };
    Kind kind = Kind::Train;
    qint8 part = -1;
    quint8 column = 0;
    int index = 0;
    Display display = Display::Main;
    friend bool operator==(const CheckPlace&, const CheckPlace&) = default;
};

// One finding, with the values its messages name (v by check):
// - TrainOrder: v0 the time, v1 the time of the train before, v2 that train's row.
// - TimeBeyondDay: v0 the time, v1 the date-change time.
// - TypeIndex, DestinationIndex: v0 the index, v1 the list's size.
// - DuplicateTrain: v0 the earlier train's row, v1 the time; text the type's name, other the
//   destination's.
// - TextTooWide: display, part (a Part, or a SignPart on the sign), text, width and limit in
//   dots; count the trains it concerns (type, destination, time, platform); v0 the type or
//   destination index; on a layout v1 the first train's row, v2 the board row of the order
//   words (0 the top).
// - PartPastEdge: v0 the first and v1 the last column.
// - PartsOverlap: v0, v1 the part's columns; v2 the part it is drawn over, v3, v4 its columns.
// - PartAlwaysEmpty: count the trains; v0 1 when the part is empty on both displays.
// - GuideNeverShows, GuideOutsideDay: v0 start, v1 end, v2 the date-change time; text.
// - GuideExclusiveOverlap: v0 start, v1 end; v2 the message shown instead, v3, v4 its window.
// - UnusedType, UnusedDestination: text the name.
// - DuplicateKey: text the path; v0 the earlier key.
// On a layout of a type's own, other holds the type's name.
struct Finding
{
    CheckLevel level = CheckLevel::Warning;
    Check check = Check::TrainOrder;
    qint8 part = -1;
    Display display = Display::Main;
    CheckPlace place;
    QByteArray text;
    QByteArray other;
    int width = 0;
    int limit = 0;
    int count = 0;
    std::array<int, 5> v{};
};

// Runs every check. Without a font the texts' widths are not checked. The findings are in
// the order of their places: trains by row and column first, then the sign, the layouts, the
// types, the destinations, the guide messages and the keys.
std::vector<Finding> RunChecks(const CQLMDoc& doc, const CBoardFont* font);

// Texts of a finding, Japanese for the editor, English for qlmtool.
enum class Language
{
    Japanese,
    English
};
QString LevelText(CheckLevel level, Language language); // 警告 / 情報, warning / note
QString PlaceText(const Finding& finding, Language language);
QString MessageText(const Finding& finding, Language language);
// A stable name of the check for scripts: "train-order", "text-too-wide", ...
QString CheckName(Check check);

} // namespace Board
