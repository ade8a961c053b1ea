#include "masterlists.h"

#include <algorithm>

namespace MasterLists {

namespace {

template <typename Member> std::vector<quint16> Column(const CQLMDoc& doc, Member member)
{
    const auto& trains = doc.m_TrainInfo.Items();
    std::vector<quint16> column(trains.size());
    std::transform(trains.begin(), trains.end(), column.begin(),
                   [member](const tagTRAININFO& t) { return t.*member; });
    return column;
}

template <typename Member> void Renumber(CQLMDoc& doc, Member member, int removed)
{
    std::vector<quint16> column = Column(doc, member);
    RenumberAfterRemoval(column, removed);
    auto& trains = doc.m_TrainInfo.Items();
    for (size_t k = 0; k < trains.size(); ++k)
        trains[k].*member = column[k];
}

} // namespace

std::vector<quint16> TrainTypes(const CQLMDoc& doc)
{
    return Column(doc, &tagTRAININFO::wAssortment);
}

std::vector<quint16> TrainDestinations(const CQLMDoc& doc)
{
    return Column(doc, &tagTRAININFO::wDestination);
}

bool InUse(const std::vector<quint16>& column, int index)
{
    return std::find(column.begin(), column.end(), index) != column.end();
}

void RenumberAfterRemoval(std::vector<quint16>& column, int removed)
{
    for (quint16& index : column) {
        if (index > removed)
            --index;
    }
}

void RemoveTrainType(CQLMDoc& doc, int i)
{
    RemoveAt(doc.m_TrainAssortment, i);
    doc.m_wAssortmentCount = static_cast<quint16>(doc.m_TrainAssortment.m_nSize);
    Renumber(doc, &tagTRAININFO::wAssortment, i);
}

void RemoveDestination(CQLMDoc& doc, int i)
{
    RemoveAt(doc.m_Destination, i);
    doc.m_wDestinationCount = static_cast<quint16>(doc.m_Destination.m_nSize);
    Renumber(doc, &tagTRAININFO::wDestination, i);
}

} // namespace MasterLists
