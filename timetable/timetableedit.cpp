#include "timetableedit.h"

#include <algorithm>
#include <climits>
#include <iterator>

using Kind = DocChange::Kind;

TimetableEdit& TimetableEdit::InsertTrains(int first, std::vector<tagTRAININFO> trains)
{
    if (!trains.empty()) {
        Step step{StepKind::Insert};
        step.first = first;
        step.count = static_cast<int>(trains.size());
        step.trains = std::move(trains);
        m_steps.push_back(std::move(step));
    }
    return *this;
}

TimetableEdit& TimetableEdit::RemoveTrains(int first, int count)
{
    if (count > 0) {
        Step step{StepKind::Remove};
        step.first = first;
        step.count = count;
        m_steps.push_back(std::move(step));
    }
    return *this;
}

TimetableEdit& TimetableEdit::SetTrains(int first, std::vector<tagTRAININFO> trains)
{
    if (!trains.empty()) {
        Step step{StepKind::Swap};
        step.first = first;
        step.count = static_cast<int>(trains.size());
        step.trains = std::move(trains);
        m_steps.push_back(std::move(step));
    }
    return *this;
}

TimetableEdit& TimetableEdit::SetTrain(int row, tagTRAININFO train)
{
    std::vector<tagTRAININFO> one;
    one.push_back(std::move(train));
    return SetTrains(row, std::move(one));
}

TimetableEdit& TimetableEdit::SetTrainTypes(std::vector<std::pair<int, quint16>> rowTypes)
{
    if (!rowTypes.empty()) {
        Step step{StepKind::SwapTypes};
        step.rowTypes = std::move(rowTypes);
        m_steps.push_back(std::move(step));
    }
    return *this;
}

TimetableEdit& TimetableEdit::MoveTrain(int from, int to)
{
    if (from != to) {
        Step step{StepKind::Move};
        step.first = from;
        step.to = to;
        m_steps.push_back(std::move(step));
    }
    return *this;
}

TimetableEdit& TimetableEdit::SetLists(CTrainAssortment types, CDestination destinations,
                                       std::optional<std::vector<quint16>> trainTypes,
                                       std::optional<std::vector<quint16>> trainDestinations)
{
    Step step{StepKind::SwapLists};
    step.types = std::move(types);
    step.destinations = std::move(destinations);
    step.trainTypes = std::move(trainTypes);
    step.trainDestinations = std::move(trainDestinations);
    m_steps.push_back(std::move(step));
    return *this;
}

TimetableEdit& TimetableEdit::SetProperties(CQLMDoc props)
{
    Step step{StepKind::SwapProperties};
    // The lists that are not properties travel in other steps.
    props.m_TrainInfo = CTrainInfo();
    props.m_TrainAssortment = CTrainAssortment();
    props.m_Destination = CDestination();
    step.props = std::move(props);
    m_steps.push_back(std::move(step));
    return *this;
}

QList<DocChange> TimetableEdit::Redo(CQLMDoc& doc)
{
    QList<DocChange> changes;
    for (Step& step : m_steps)
        Run(step, doc, true, changes);
    doc.SyncCounts();
    return changes;
}

QList<DocChange> TimetableEdit::Undo(CQLMDoc& doc)
{
    QList<DocChange> changes;
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
        Run(*it, doc, false, changes);
    doc.SyncCounts();
    return changes;
}

namespace {

void PutTrains(CQLMDoc& doc, int first, std::vector<tagTRAININFO>& held)
{
    auto& trains = doc.m_TrainInfo.Items();
    Q_ASSERT(first >= 1 && first <= static_cast<int>(trains.size()) + 1);
    trains.insert(trains.begin() + (first - 1), std::make_move_iterator(held.begin()),
                  std::make_move_iterator(held.end()));
    held.clear();
    held.shrink_to_fit();
    doc.m_TrainInfo.SyncSize();
}

void TakeTrains(CQLMDoc& doc, int first, int count, std::vector<tagTRAININFO>& held)
{
    auto& trains = doc.m_TrainInfo.Items();
    Q_ASSERT(first >= 1 && first + count - 1 <= static_cast<int>(trains.size()));
    const auto begin = trains.begin() + (first - 1);
    held.assign(std::make_move_iterator(begin), std::make_move_iterator(begin + count));
    trains.erase(begin, begin + count);
    doc.m_TrainInfo.SyncSize();
}

void MoveRow(CQLMDoc& doc, int from, int to)
{
    auto& trains = doc.m_TrainInfo.Items();
    const auto src = trains.begin() + (from - 1);
    const auto dst = trains.begin() + (to - 1);
    if (from < to)
        std::rotate(src, src + 1, dst + 1);
    else
        std::rotate(dst, src, src + 1);
}

template <typename Member>
void SwapIndexes(CQLMDoc& doc, std::optional<std::vector<quint16>>& held, Member member)
{
    if (!held)
        return;
    auto& trains = doc.m_TrainInfo.Items();
    Q_ASSERT(held->size() == trains.size());
    for (size_t i = 0; i < trains.size(); ++i)
        std::swap(trains[i].*member, (*held)[i]);
}

} // namespace

void TimetableEdit::Run(Step& step, CQLMDoc& doc, bool forward, QList<DocChange>& changes)
{
    switch (step.kind) {
    case StepKind::Insert:
    case StepKind::Remove:
        if ((step.kind == StepKind::Insert) == forward) {
            PutTrains(doc, step.first, step.trains);
            changes.append({Kind::RowsInserted, step.first, step.count});
        } else {
            TakeTrains(doc, step.first, step.count, step.trains);
            changes.append({Kind::RowsRemoved, step.first, step.count});
        }
        return;
    case StepKind::Swap: {
        auto& trains = doc.m_TrainInfo.Items();
        Q_ASSERT(step.first >= 1 && step.first + step.count - 1 <= static_cast<int>(trains.size()));
        std::swap_ranges(step.trains.begin(), step.trains.end(), trains.begin() + (step.first - 1));
        changes.append({Kind::TrainsChanged, step.first, step.count});
        return;
    }
    case StepKind::SwapTypes: {
        auto& trains = doc.m_TrainInfo.Items();
        int low = INT_MAX;
        int high = 0;
        // A row may be listed twice: taking back runs the trades in reverse order.
        auto trade = [&](std::pair<int, quint16>& entry) {
            std::swap(trains[static_cast<size_t>(entry.first - 1)].wAssortment, entry.second);
            low = std::min(low, entry.first);
            high = std::max(high, entry.first);
        };
        if (forward)
            std::for_each(step.rowTypes.begin(), step.rowTypes.end(), trade);
        else
            std::for_each(step.rowTypes.rbegin(), step.rowTypes.rend(), trade);
        changes.append({Kind::TrainsChanged, low, high - low + 1});
        return;
    }
    case StepKind::Move:
        if (forward) {
            MoveRow(doc, step.first, step.to);
            changes.append({Kind::RowMoved, step.first, 1, step.to});
        } else {
            MoveRow(doc, step.to, step.first);
            changes.append({Kind::RowMoved, step.to, 1, step.first});
        }
        return;
    case StepKind::SwapLists:
        std::swap(doc.m_TrainAssortment, step.types);
        std::swap(doc.m_Destination, step.destinations);
        SwapIndexes(doc, step.trainTypes, &tagTRAININFO::wAssortment);
        SwapIndexes(doc, step.trainDestinations, &tagTRAININFO::wDestination);
        changes.append({Kind::TypesChanged});
        changes.append({Kind::DestinationsChanged});
        return;
    case StepKind::SwapProperties: {
        // Hand the lists over to the held properties, trade the whole, and take the lists back.
        CQLMDoc& props = *step.props;
        std::swap(doc.m_TrainInfo, props.m_TrainInfo);
        std::swap(doc.m_TrainAssortment, props.m_TrainAssortment);
        std::swap(doc.m_Destination, props.m_Destination);
        std::swap(doc, props);
        changes.append({Kind::PropertiesChanged});
        return;
    }
    }
}

int TimetableEdit::SingleTrainRow() const
{
    if (m_steps.size() == 1 && m_steps[0].kind == StepKind::Swap && m_steps[0].count == 1)
        return m_steps[0].first;
    return 0;
}

bool TimetableEdit::PropertiesOnly() const
{
    return m_steps.size() == 1 && m_steps[0].props.has_value();
}

bool TimetableEdit::Absorb(const TimetableEdit& later)
{
    if (PropertiesOnly())
        return later.PropertiesOnly();
    const int row = SingleTrainRow();
    return row != 0 && later.SingleTrainRow() == row;
}

bool TimetableEdit::RanWithoutEffect(const CQLMDoc& doc) const
{
    const int row = SingleTrainRow();
    return row != 0 && row <= doc.m_TrainInfo.m_nSize &&
           doc.m_TrainInfo.ElementAt(row) == m_steps[0].trains[0];
}

qsizetype TimetableEdit::HeldBytes() const
{
    qsizetype bytes = 0;
    for (const Step& step : m_steps) {
        bytes += sizeof(Step);
        bytes += static_cast<qsizetype>(step.trains.capacity() * sizeof(tagTRAININFO));
        bytes += static_cast<qsizetype>(step.rowTypes.capacity() * sizeof(step.rowTypes[0]));
        bytes += step.types.m_nSize * qsizetype(sizeof(tagTRAINASSORTMENT));
        bytes += step.destinations.m_nSize * qsizetype(sizeof(DESTINATION));
        if (step.trainTypes)
            bytes += static_cast<qsizetype>(step.trainTypes->size() * 2);
        if (step.trainDestinations)
            bytes += static_cast<qsizetype>(step.trainDestinations->size() * 2);
        if (step.props)
            bytes += sizeof(CQLMDoc);
    }
    return bytes;
}
