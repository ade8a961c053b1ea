#pragma once

#include "boardchecks.h"

#include <QAbstractTableModel>

#include <vector>

// The findings of the checks as a table: level, place, message. Sorting by place keeps the
// grid's order (rows and columns as numbers, not as text); sorting by message brings the
// findings of one check together. The texts are made only for the rows shown.
class CFindingsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        kLevel,
        kPlace,
        kMessage,
        kColumnCount
    };

    explicit CFindingsModel(QObject* parent = nullptr);

    // Takes new findings (in place order, as the checks give them), sorted as before.
    void SetFindings(std::vector<Board::Finding> findings);
    const Board::Finding& FindingAt(int row) const;
    int Warnings() const { return m_nWarnings; }
    int Notes() const { return static_cast<int>(m_findings.size()) - m_nWarnings; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void Order();

    std::vector<Board::Finding> m_findings;
    std::vector<int> m_order; // row -> finding
    int m_nWarnings = 0;
    int m_nSortColumn = kPlace;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
