#pragma once

#include "docproppage.h"

class CTextFieldEdit;
class CTimeFields;
class QPushButton;
class QTreeWidget;

// "高度": the date-change and display start times, the message shown all day and the list of
// time-bound guide messages. The list's changes go into the timetable at once.
class CDocPropPageC : public CDocPropPage
{
    Q_OBJECT
public:
    explicit CDocPropPageC(CQLMDoc& doc, QWidget* parent = nullptr);

    CTimeFields* m_pDateChange;
    CTimeFields* m_pDisplayStart;
    CTextFieldEdit* m_pGuideMessage; // "終日表示"
    QTreeWidget* m_pList;            // "時刻別"
    QPushButton* m_pAdd;
    QPushButton* m_pDelete;
    QPushButton* m_pEdit;

protected:
    void OnInitialFill() override;

private:
    void Refresh();
    int SelectedRow() const;
    void OnAdd();
    void OnDelete();
    void OnEdit();
};
