#pragma once

#include <QDialog>

class CDocPropPage;
class CDocPropPageA;
class CDocPropPageB;
class CDocPropPageC;
class CDocPropPageD;
class CQLMDoc;
class QPushButton;
class QTabWidget;

// "編集": the document's property sheet, four pages in tabs, on a working copy of the
// timetable that the caller owns.
//
// What the user changes through the lists (guide messages, keys) and the layout editor's OK
// goes into the copy at once and stays after Cancel. The pages' fields go into the copy on OK
// and on Apply, and only for pages that were shown; what Apply wrote stays after Cancel. The
// caller applies the copy afterwards, after OK as well as after Cancel.
class CDocPropSheet : public QDialog
{
    Q_OBJECT
public:
    explicit CDocPropSheet(CQLMDoc& doc, QWidget* parent = nullptr);

    // Runs the sheet modally, the wait cursor shown until it is up. True when it closed with
    // OK, false with Cancel.
    bool Run();

    QTabWidget* m_pTabs;
    CDocPropPageA* m_pPageA; // "一般"
    CDocPropPageB* m_pPageB; // "表示関連"
    CDocPropPageC* m_pPageC; // "高度"
    CDocPropPageD* m_pPageD; // "ｴｸｽﾃﾝｼｮﾝ"
    QPushButton* m_pApply;   // "適用(&A)": enabled while a field holds something unapplied

signals:
    // 適用 wrote the shown pages into the timetable; the sheet stays open.
    void applied();

public slots:
    // Applies, then closes; a refused field keeps the sheet open on its page.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CDocPropPage* Page(int index) const;
    // Reads every page that was shown and writes them all into the timetable; nothing is
    // written when a field is refused, and the sheet then shows the page of that field.
    bool ApplyPages();
};
