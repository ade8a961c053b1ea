#pragma once

#include <QByteArray>

#include <vector>

class CQLMDoc;

// What the board shows at a time of day: which trains, which guide messages. Times are minutes;
// the time asked about is a clock time, 0..1439.
namespace Board {

inline constexpr int kMinutesPerDay = 1440;
inline constexpr int kMaxTrainRows = 4;
inline constexpr int kDefaultTrainRows = 2;

// The service day runs from the date-change time to the same time the next day: a time before
// the date change counts 24 hours later (date change 02:00: 01:00 is 25:00). Times of 24:00 and
// later stay as they are.
constexpr int ServiceTime(int minutes, int dateChange)
{
    return minutes < dateChange ? minutes + kMinutesPerDay : minutes;
}

// True when the train rows are dark at clock time `time` because the service day's display has
// not started: from the date change until the display-start time. (When the display-start time
// lies before the date change on the clock, the board shows the next day's first trains from
// it on, and is dark only after the last train.)
bool BeforeDisplayStart(const CQLMDoc& doc, int time);

// The trains the rows show at clock time `time`, top row first, as 1-based train indexes: the
// first `rows` trains in file order whose service time is at or after the time. Fewer (down to
// none) when fewer trains are left in the service day or the display has not started: the rows
// below are dark.
std::vector<int> TrainsAt(const CQLMDoc& doc, int time, int rows);

// The guide messages of the guide line at clock time `time`, in the order they are shown: the
// time-bound messages whose window holds the time (start <= time < end, in service time), in
// file order, then the all-day message; if one of them is exclusive, that one alone (the first
// such). Empty texts are left out; none at all leaves the line dark.
std::vector<QByteArray> GuideMessagesAt(const CQLMDoc& doc, int time);

// How the guide line runs, in frames. A message that fits the panel stands still at the left
// edge for kGuideHoldFrames frames. A wider one stands at the left edge as long, then scrolls
// right to left, one dot a frame, until its end has left the panel. Then the next message, and
// after the last the first again.
inline constexpr int kGuideHoldFrames = 120;
struct GuidePosition
{
    int message = -1; // index into the messages; -1 when the line is dark
    int x = 0;        // left edge of the message's first glyph, in dots from the panel's left
    friend bool operator==(const GuidePosition&, const GuidePosition&) = default;
};
// Where the guide line stands at `frame` (0 and up), given each message's width in dots and the
// panel's width.
GuidePosition GuidePositionAt(const std::vector<int>& widths, int panelWidth, long long frame);

} // namespace Board
