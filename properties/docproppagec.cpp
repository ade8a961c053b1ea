#include "docproppagec.h"

#include "addguidemesdlg.h"
#include "fieldeditors.h"
#include "guidemessages.h"
#include "messages.h"
#include "qlmdoc.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLabel* Explanation(const char* utf8)
{
    auto* label = new QLabel(QString::fromUtf8(utf8));
    label->setWordWrap(true);
    return label;
}

} // namespace

CDocPropPageC::CDocPropPageC(CQLMDoc& doc, QWidget* parent)
    : CDocPropPage(doc, kAdvancedFields, parent)
{
    m_pDateChange = AddEditor(DocField::DateChangeTime, new CTimeFields);
    m_pDisplayStart = AddEditor(DocField::DisplayStartTime, new CTimeFields);
    m_pGuideMessage = AddEditor(DocField::GuideMessage, new CTextFieldEdit);

    auto* times = new QGroupBox(QStringLiteral("時刻関連"));
    auto* timeGrid = new QGridLayout(times);
    auto* dateLabel = new QLabel(QStringLiteral("日付変更時刻(&D):"));
    dateLabel->setBuddy(m_pDateChange->m_pHour);
    timeGrid->addWidget(dateLabel, 0, 0);
    timeGrid->addWidget(m_pDateChange, 0, 1);
    timeGrid->addWidget(
        Explanation("上記の時刻を超えた時点で日付を加算します(例 02:00にした場合->01:00は､"
                    "実際の日付の前日の25:00となります)"),
        1, 0, 1, 2);
    auto* startLabel = new QLabel(QStringLiteral("表示開始時刻(&R):"));
    startLabel->setBuddy(m_pDisplayStart->m_pHour);
    timeGrid->addWidget(startLabel, 2, 0);
    timeGrid->addWidget(m_pDisplayStart, 2, 1);
    timeGrid->addWidget(Explanation("終車後､上記の時刻になると始発を表示します(通常､"
                                    "始発発車時刻の15分程度前です)"),
                        3, 0, 1, 2);
    timeGrid->setColumnStretch(1, 1);

    m_pList = new QTreeWidget;
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setHeaderLabels({QStringLiteral("開始"), QStringLiteral("終了"),
                              QStringLiteral("排他"), QStringLiteral("ﾒｯｾｰｼﾞ")});
    const int widths[] = {43, 43, 45, 200};
    for (int column = 0; column < 4; ++column)
        m_pList->setColumnWidth(column, widths[column]);
    m_pAdd = new QPushButton(QStringLiteral("追加(&A)"));
    m_pDelete = new QPushButton(QStringLiteral("削除(&R)"));
    m_pEdit = new QPushButton(QStringLiteral("編集(&E)"));

    auto* guide = new QGroupBox(QStringLiteral("ｶﾞｲﾄﾞﾒｯｾｰｼﾞ"));
    auto* guideGrid = new QGridLayout(guide);
    auto* allDayLabel = new QLabel(QStringLiteral("終日表示(&N):"));
    allDayLabel->setBuddy(m_pGuideMessage);
    auto* listLabel = new QLabel(QStringLiteral("時刻別(&T):"));
    listLabel->setBuddy(m_pList);
    guideGrid->addWidget(allDayLabel, 0, 0);
    guideGrid->addWidget(m_pGuideMessage, 0, 1);
    guideGrid->addWidget(listLabel, 1, 0, Qt::AlignTop);
    guideGrid->addWidget(m_pList, 1, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_pAdd);
    buttonRow->addWidget(m_pDelete);
    buttonRow->addWidget(m_pEdit);
    guideGrid->addLayout(buttonRow, 2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(times);
    layout->addWidget(guide, 1);

    connect(m_pAdd, &QPushButton::clicked, this, &CDocPropPageC::OnAdd);
    connect(m_pDelete, &QPushButton::clicked, this, &CDocPropPageC::OnDelete);
    connect(m_pEdit, &QPushButton::clicked, this, &CDocPropPageC::OnEdit);
}

void CDocPropPageC::OnInitialFill()
{
    Refresh();
}

void CDocPropPageC::Refresh()
{
    const int count = m_doc.m_wGuideMessageCount;
    while (m_pList->topLevelItemCount() < count)
        m_pList->addTopLevelItem(new QTreeWidgetItem);
    while (m_pList->topLevelItemCount() > count)
        delete m_pList->takeTopLevelItem(0);
    for (int row = 0; row < count; ++row) {
        const QStringList texts = GuideMessages::RowTexts(GuideMessages::At(m_doc, row));
        QTreeWidgetItem* item = m_pList->topLevelItem(row);
        for (int column = 0; column < texts.size(); ++column)
            item->setText(column, texts[column]);
    }
}

int CDocPropPageC::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : m_pList->indexOfTopLevelItem(selected.first());
}

void CDocPropPageC::OnAdd()
{
    if (!GuideMessages::CanAdd(m_doc)) {
        Msg::Show(this, GuideMessages::TooManyMessage(), Msg::ErrorCaption(), QMessageBox::Warning);
        return;
    }
    GUIDEMESSAGE message = GuideMessages::NewMessage();
    CAddGuideMesDlg dialog(&message, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    GuideMessages::Add(m_doc, message);
    Refresh();
}

void CDocPropPageC::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0) {
        Msg::Beep();
        return;
    }
    GuideMessages::Remove(m_doc, row);
    Refresh();
}

void CDocPropPageC::OnEdit()
{
    const int row = SelectedRow();
    if (row < 0) {
        Msg::Beep();
        return;
    }
    GUIDEMESSAGE message = GuideMessages::At(m_doc, row);
    CAddGuideMesDlg dialog(&message, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    GuideMessages::At(m_doc, row) = message;
    Refresh();
}
