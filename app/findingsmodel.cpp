#include "findingsmodel.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>
#include <numeric>
#include <tuple>

using Board::Language;

CFindingsModel::CFindingsModel(QObject* parent) : QAbstractTableModel(parent) {}

void CFindingsModel::SetFindings(std::vector<Board::Finding> findings)
{
    beginResetModel();
    m_findings = std::move(findings);
    m_nWarnings = static_cast<int>(
        std::count_if(m_findings.begin(), m_findings.end(), [](const Board::Finding& f) {
            return f.level == Board::CheckLevel::Warning;
        }));
    Order();
    endResetModel();
}

const Board::Finding& CFindingsModel::FindingAt(int row) const
{
    return m_findings[static_cast<size_t>(m_order[static_cast<size_t>(row)])];
}

int CFindingsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_findings.size());
}

int CFindingsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CFindingsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Board::Finding& f = FindingAt(index.row());
    const bool warning = f.level == Board::CheckLevel::Warning;
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case kLevel:
            return Board::LevelText(f.level, Language::Japanese);
        case kPlace:
            return Board::PlaceText(f, Language::Japanese);
        case kMessage:
            return Board::MessageText(f, Language::Japanese);
        }
    }
    if (role == Qt::DecorationRole && index.column() == kLevel)
        return QApplication::style()->standardIcon(warning ? QStyle::SP_MessageBoxWarning
                                                           : QStyle::SP_MessageBoxInformation);
    if (role == Qt::ToolTipRole && index.column() == kMessage)
        return Board::MessageText(f, Language::Japanese);
    return {};
}

QVariant CFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case kLevel:
        return QStringLiteral("種類");
    case kPlace:
        return QStringLiteral("場所");
    case kMessage:
        return QStringLiteral("内容");
    }
    return {};
}

void CFindingsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> findingOf;
    for (const QModelIndex& index : before)
        findingOf.push_back(m_order[static_cast<size_t>(index.row())]);
    m_nSortColumn = column;
    m_sortOrder = order;
    Order();
    std::vector<int> rowOf(m_findings.size());
    for (size_t row = 0; row < m_order.size(); ++row)
        rowOf[static_cast<size_t>(m_order[row])] = static_cast<int>(row);
    QModelIndexList after;
    for (size_t i = 0; i < findingOf.size(); ++i)
        after.append(this->index(rowOf[static_cast<size_t>(findingOf[i])], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CFindingsModel::Order()
{
    // The findings come in place order: the place sorts by their position, ties (the level,
    // the message) fall back to it.
    m_order.resize(m_findings.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    if (m_nSortColumn == kLevel) {
        std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) {
            return m_findings[static_cast<size_t>(a)].level <
                   m_findings[static_cast<size_t>(b)].level;
        });
    } else if (m_nSortColumn == kMessage) {
        // Messages of one check read alike: they stand together, each group in place order.
        std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) {
            const Board::Finding& x = m_findings[static_cast<size_t>(a)];
            const Board::Finding& y = m_findings[static_cast<size_t>(b)];
            return std::tie(x.check, x.part) < std::tie(y.check, y.part);
        });
    }
    if (m_sortOrder == Qt::DescendingOrder)
        std::reverse(m_order.begin(), m_order.end());
}
