#pragma once

#include "traintext.h"

#include <QDialog>

class QListWidget;

// Why a paste from a spreadsheet was refused: each problem by line and column in a list that
// scrolls when there are many. When only unknown type and destination names stand in the way,
// it offers to add them and paste; accepting the dialog means "add and paste".
class CTableProblemDlg : public QDialog
{
    Q_OBJECT
public:
    CTableProblemDlg(const TrainText::ReadResult& read, bool offerAdd, QWidget* parent = nullptr);

    QListWidget* ProblemList() const { return m_pList; }

private:
    QListWidget* m_pList;
};
