#include "additemdlg.h"

#include "messages.h"
#include "numberbox.h"
#include "qlmdoc.h"
#include "rowlogic.h"
#include "veldendoc.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

CAddItemDlg::CAddItemDlg(const RowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_nCurrentRow(context.state->m_nCurRow)
{
    setWindowTitle(QStringLiteral("列車の挿入"));
    const int trainCount = m_context.Timetable().m_wTrainCount;

    auto* positionBox = new QGroupBox(QStringLiteral("挿入位置"));
    m_pAtCurrent = new QRadioButton(QStringLiteral("現在位置から挿入(&C)"));
    m_pAtEnd = new QRadioButton(QStringLiteral("末尾に追加(&A)"));
    auto* positionGroup = new QButtonGroup(this);
    positionGroup->addButton(m_pAtCurrent);
    positionGroup->addButton(m_pAtEnd);
    m_pAtEnd->setChecked(true);
    auto* positionLayout = new QVBoxLayout(positionBox);
    positionLayout->addWidget(m_pAtCurrent);
    positionLayout->addWidget(m_pAtEnd);

    auto* countBox = new QGroupBox(QStringLiteral("行数"));
    m_pCount = new CNumberBox;
    m_pCount->SetRange(1, kMaxInsertCount);
    m_pCount->SetValue(1);
    auto* countLabel = new QLabel(QStringLiteral("行数:"));
    countLabel->setBuddy(m_pCount);
    auto* countLayout = new QHBoxLayout(countBox);
    countLayout->addWidget(countLabel);
    countLayout->addWidget(m_pCount, 1);

    auto* sourceBox = new QGroupBox(QStringLiteral("複写元"));
    m_pNew = new QRadioButton(QStringLiteral("新規(&N)"));
    m_pCopy = new QRadioButton(QStringLiteral("指定行からｺﾋﾟｰ(&O)"));
    auto* sourceGroup = new QButtonGroup(this);
    sourceGroup->addButton(m_pNew);
    sourceGroup->addButton(m_pCopy);
    m_pNew->setChecked(true);
    m_pCopyRow = new CNumberBox;
    // An empty list leaves 1 as the only position; OK then refuses it as a row to copy from.
    m_pCopyRow->SetRange(1, std::max(1, trainCount));
    m_pCopyRow->SetValue(std::clamp(m_nCurrentRow, 1, std::max(1, trainCount)));
    auto* copyLayout = new QHBoxLayout;
    copyLayout->addWidget(m_pCopy);
    copyLayout->addWidget(m_pCopyRow, 1);
    auto* sourceLayout = new QVBoxLayout(sourceBox);
    sourceLayout->addWidget(m_pNew);
    sourceLayout->addLayout(copyLayout);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddItemDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAddItemDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(positionBox);
    layout->addWidget(countBox);
    layout->addWidget(sourceBox);
    layout->addWidget(buttons);
    ok->setDefault(true); // once in the dialog, which must know its default button

    connect(m_pAtCurrent, &QRadioButton::clicked, this, &CAddItemDlg::OnAtCurrent);
    connect(m_pNew, &QRadioButton::clicked, this, &CAddItemDlg::UpdateCopyRowEnabled);
    connect(m_pCopy, &QRadioButton::clicked, this, &CAddItemDlg::UpdateCopyRowEnabled);
    UpdateCopyRowEnabled();
}

void CAddItemDlg::OnAtCurrent()
{
    if (IsTrainRow(m_context.Timetable(), m_nCurrentRow))
        return;
    Msg::Show(this, RowText::NoCellForInsert(), Msg::ErrorCaption(), QMessageBox::Warning);
    m_pAtEnd->setChecked(true);
}

void CAddItemDlg::UpdateCopyRowEnabled()
{
    m_pCopyRow->setEnabled(!m_pNew->isChecked());
}

void CAddItemDlg::Refuse(const QString& text, const QString& caption, CNumberBox* box)
{
    Msg::Show(this, text, caption, QMessageBox::Warning);
    if (box) {
        box->setFocus();
        box->Edit()->selectAll();
    }
}

void CAddItemDlg::accept()
{
    // The numbers are read as they stand on the screen; one outside its range is refused.
    const bool atCurrent = m_pAtCurrent->isChecked();
    const int count = ParseDecimal(m_pCount->Text());
    std::optional<int> copyFrom;
    if (m_pCopy->isChecked())
        copyFrom = ParseDecimal(m_pCopyRow->Text());

    TimetableEdit edit;
    switch (InsertTrains(m_context.Timetable(), m_nCurrentRow, atCurrent, count, copyFrom, &edit)) {
    case InsertResult::Done:
        m_context.Apply(std::move(edit), RowText::InsertStep());
        break;
    case InsertResult::BadCount:
        Refuse(RowText::BadInsertCount(), Msg::ErrorCaption(), m_pCount);
        return;
    case InsertResult::BadCopySource:
        Refuse(RowText::BadCopySource(), Msg::AppTitle(), m_pCopyRow);
        return;
    case InsertResult::NoCurrentRow:
        Refuse(RowText::NoCellForInsert(), Msg::ErrorCaption(), nullptr);
        m_pAtEnd->setChecked(true);
        return;
    case InsertResult::TooManyTrains:
        Refuse(RowText::TooManyTrains(), Msg::ErrorCaption(), nullptr);
        return;
    }
    QDialog::accept();
}
