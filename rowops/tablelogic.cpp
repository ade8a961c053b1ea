#include "tablelogic.h"

#include "qlmdoc.h"
#include "rowlogic.h"

namespace TableLogic {

Rows CopyRows(const CQLMDoc& doc, const GridState& state)
{
    if (!HasSelectedCell(doc, state))
        return {};
    const int last = std::min(state.RangeLast(), doc.m_TrainInfo.m_nSize);
    return {std::max(state.RangeFirst(), 1), last};
}

Copied CopyTable(const CQLMDoc& doc, Rows rows)
{
    const TrainText::Table table = TrainText::TrainTable(doc, rows.first, rows.last);
    return {TrainText::ToTabText(table), TrainText::ToHtml(table)};
}

int PasteRow(const CQLMDoc& doc, const GridState& state)
{
    return HasSelectedCell(doc, state) ? state.m_nCurRow : doc.m_TrainInfo.m_nSize + 1;
}

namespace {

tagTRAINASSORTMENT NewType(const CQLMDoc& doc, const QByteArray& name)
{
    tagTRAINASSORTMENT type;
    type.strName = name;
    type.bDefaultColor = 1;
    type.crText = doc.m_crLit;
    type.crBack = doc.m_crUnlit;
    type.layoutMain = doc.m_LayoutMain;
    type.layoutSub = doc.m_LayoutSub;
    return type;
}

} // namespace

Paste ReadPaste(const CQLMDoc& doc, QStringView text, bool addNames,
                std::span<const tagTRAININFO> remembered)
{
    TrainText::ReadOptions options;
    options.maxTrains = kMaxCollection - doc.m_TrainInfo.m_nSize;
    options.replaced = remembered;
    Paste paste;
    paste.read = TrainText::ReadTabText(text, doc, options);
    if (!addNames || !CanAddNames(doc, paste.read))
        return paste;

    // The reader looks at the lists only: read again against lists that hold the additions.
    CQLMDoc lists;
    lists.m_TrainAssortment = doc.m_TrainAssortment;
    lists.m_Destination = doc.m_Destination;
    for (const QByteArray& name : paste.read.unknownTypes)
        lists.m_TrainAssortment.Items().push_back(NewType(doc, name));
    for (const QByteArray& name : paste.read.unknownDestinations)
        lists.m_Destination.Items().push_back(DESTINATION{name, {}});
    lists.m_TrainAssortment.SyncSize();
    lists.m_Destination.SyncSize();
    lists.m_wAssortmentCount = static_cast<quint16>(lists.m_TrainAssortment.m_nSize);
    lists.m_wDestinationCount = static_cast<quint16>(lists.m_Destination.m_nSize);

    paste.read = TrainText::ReadTabText(text, lists, options);
    paste.addsNames = true;
    paste.types = std::move(lists.m_TrainAssortment);
    paste.destinations = std::move(lists.m_Destination);
    return paste;
}

bool CanAddNames(const CQLMDoc& doc, const TrainText::ReadResult& read)
{
    if (read.ok())
        return false;
    using Kind = TrainText::Problem::Kind;
    for (const TrainText::Problem& problem : read.problems) {
        // An empty cell names nothing that could be added.
        if ((problem.kind != Kind::UnknownType && problem.kind != Kind::UnknownDestination) ||
            problem.text.isEmpty())
            return false;
    }
    return doc.m_TrainAssortment.m_nSize + read.unknownTypes.size() <= kMaxCollection &&
           doc.m_Destination.m_nSize + read.unknownDestinations.size() <= kMaxCollection;
}

TimetableEdit PasteEdit(Paste paste, int row)
{
    TimetableEdit edit;
    if (!paste.read.ok() || paste.read.trains.empty())
        return edit;
    if (paste.addsNames)
        edit.SetLists(std::move(paste.types), std::move(paste.destinations));
    edit.InsertTrains(row, std::move(paste.read.trains));
    return edit;
}

QString PasteStep()
{
    return QStringLiteral("表から貼り付け");
}

} // namespace TableLogic
