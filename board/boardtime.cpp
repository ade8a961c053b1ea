#include "boardtime.h"

#include "qlmdoc.h"

namespace Board {

namespace {

// The service time from which on the rows look for trains at clock time `time`.
int SearchFrom(const CQLMDoc& doc, int time)
{
    const int dateChange = doc.m_wDateChangeTime;
    const int now = ServiceTime(time, dateChange);
    const int start = doc.m_wDisplayStartTime;
    // A display start before the date change on the clock lies at the end of the service day:
    // from then on the board already shows the next day's first trains.
    if (start < dateChange && now >= start + kMinutesPerDay)
        return dateChange;
    return now;
}

} // namespace

bool BeforeDisplayStart(const CQLMDoc& doc, int time)
{
    const int dateChange = doc.m_wDateChangeTime;
    const int start = doc.m_wDisplayStartTime;
    return start >= dateChange && ServiceTime(time, dateChange) < start;
}

std::vector<int> TrainsAt(const CQLMDoc& doc, int time, int rows)
{
    std::vector<int> trains;
    if (rows <= 0 || BeforeDisplayStart(doc, time))
        return trains;
    trains.reserve(static_cast<size_t>(rows));
    const int from = SearchFrom(doc, time);
    const int dateChange = doc.m_wDateChangeTime;
    const std::vector<tagTRAININFO>& items = doc.m_TrainInfo.Items();
    for (size_t i = 0; i < items.size(); ++i) {
        if (ServiceTime(items[i].wTime, dateChange) < from)
            continue;
        trains.push_back(static_cast<int>(i) + 1);
        if (static_cast<int>(trains.size()) == rows)
            break;
    }
    return trains;
}

std::vector<QByteArray> GuideMessagesAt(const CQLMDoc& doc, int time)
{
    const int dateChange = doc.m_wDateChangeTime;
    const int now = ServiceTime(time, dateChange);
    std::vector<QByteArray> shown;
    for (const GUIDEMESSAGE& m : doc.m_GuideMessage.Items()) {
        if (ServiceTime(m.nStartTime, dateChange) > now ||
            now >= ServiceTime(m.nEndTime, dateChange))
            continue;
        if (m.bExclusive)
            return m.strMessage.isEmpty() ? std::vector<QByteArray>{}
                                          : std::vector<QByteArray>{m.strMessage};
        if (!m.strMessage.isEmpty())
            shown.push_back(m.strMessage);
    }
    if (!doc.m_strGuideMessage.isEmpty())
        shown.push_back(doc.m_strGuideMessage);
    return shown;
}

GuidePosition GuidePositionAt(const std::vector<int>& widths, int panelWidth, long long frame)
{
    auto length = [panelWidth](int width) {
        return static_cast<long long>(kGuideHoldFrames) + (width > panelWidth ? width : 0);
    };
    long long cycle = 0;
    for (int w : widths)
        cycle += length(w);
    if (cycle == 0)
        return {};
    long long f = frame % cycle;
    if (f < 0)
        f += cycle;
    for (size_t i = 0; i < widths.size(); ++i) {
        const long long n = length(widths[i]);
        if (f < n) {
            const long long moved = f < kGuideHoldFrames ? 0 : f - kGuideHoldFrames + 1;
            return {static_cast<int>(i), static_cast<int>(-moved)};
        }
        f -= n;
    }
    return {};
}

} // namespace Board
