#pragma once

#include "myarray.h"
#include "qlmdoc.h"

#include <QtGlobal>

#include <vector>

// The train types and destinations that trains name by 1-based index, and the rule that keeps
// those names right when an entry goes: every index above the removed one moves down by one.
// Every caller that removes a type or a destination shares this one rule.
namespace MasterLists {

// The trains' type indexes (wAssortment) and destination indexes (wDestination), in row order.
std::vector<quint16> TrainTypes(const CQLMDoc& doc);
std::vector<quint16> TrainDestinations(const CQLMDoc& doc);

// True when some train names entry index.
bool InUse(const std::vector<quint16>& column, int index);

// After entry removed (1-based) left its list: every index above it goes down by one, so each
// train keeps naming the entry it named. Indexes at or below it stay as they are.
void RenumberAfterRemoval(std::vector<quint16>& column, int removed);

// Takes element i (1-based) out of a list; later elements move down by one.
template <typename T> void RemoveAt(CMyArray<T>& list, int i)
{
    Q_ASSERT(i >= 1 && i <= list.m_nSize);
    list.Items().erase(list.Items().begin() + (i - 1));
    list.SyncSize();
}

// Removes type i (or destination i) from the timetable itself and renumbers its trains. The
// caller has checked that i is not the last entry and that no train names it.
void RemoveTrainType(CQLMDoc& doc, int i);
void RemoveDestination(CQLMDoc& doc, int i);

} // namespace MasterLists
