#include "removedlg.h"

#include "messages.h"
#include "numberbox.h"
#include "qlmdoc.h"
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

CRemoveDlg::CRemoveDlg(const RowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_nCurrentRow(context.state->m_nCurRow)
{
    setWindowTitle(QStringLiteral("削除"));

    auto* directionBox = new QGroupBox(QStringLiteral("削除位置と方向"));
    m_pDown = new QRadioButton(QStringLiteral("選択されている行から下方向(&U)"));
    m_pUp = new QRadioButton(QStringLiteral("選択されている行から上方向(&D)"));
    m_pFromEnd = new QRadioButton(QStringLiteral("末尾から上方向(&T)"));
    auto* group = new QButtonGroup(this);
    auto* directionLayout = new QVBoxLayout(directionBox);
    for (QRadioButton* radio : {m_pDown, m_pUp, m_pFromEnd}) {
        group->addButton(radio);
        directionLayout->addWidget(radio);
    }

    auto* countBox = new QGroupBox(QStringLiteral("削除行数"));
    m_pCount = new CNumberBox;
    auto* countLabel = new QLabel(QStringLiteral("行数(&L):"));
    countLabel->setBuddy(m_pCount);
    auto* countLayout = new QHBoxLayout(countBox);
    countLayout->addWidget(countLabel);
    countLayout->addWidget(m_pCount, 1);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRemoveDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRemoveDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(directionBox);
    layout->addWidget(countBox);
    layout->addWidget(buttons);
    ok->setDefault(true); // once in the dialog, which must know its default button

    connect(m_pDown, &QRadioButton::clicked, this,
            [this] { OnFromCurrent(DeleteDirection::DownFromCurrent); });
    connect(m_pUp, &QRadioButton::clicked, this,
            [this] { OnFromCurrent(DeleteDirection::UpFromCurrent); });
    connect(m_pFromEnd, &QRadioButton::clicked, this,
            [this] { SetCountRange(DeleteDirection::UpFromEnd); });

    m_pCount->SetValue(1);
    if (IsTrainRow(m_context.Timetable(), m_nCurrentRow))
        m_pDown->setChecked(true);
    else
        m_pFromEnd->setChecked(true);
    SetCountRange(Direction());
}

DeleteDirection CRemoveDlg::Direction() const
{
    if (m_pDown->isChecked())
        return DeleteDirection::DownFromCurrent;
    if (m_pUp->isChecked())
        return DeleteDirection::UpFromCurrent;
    return DeleteDirection::UpFromEnd;
}

void CRemoveDlg::OnFromCurrent(DeleteDirection direction)
{
    if (IsTrainRow(m_context.Timetable(), m_nCurrentRow)) {
        SetCountRange(direction);
        return;
    }
    Msg::Show(this, RowText::NoRowSelected(), Msg::ErrorCaption(), QMessageBox::Warning);
    m_pFromEnd->setChecked(true);
}

void CRemoveDlg::SetCountRange(DeleteDirection direction)
{
    // With nothing to remove the only position is that largest count itself (0 for an empty
    // list), which OK then refuses. Choosing a direction lowers a count above its largest; a
    // count typed afterwards is judged by OK.
    const int largest =
        LargestDeleteCount(direction, m_context.Timetable().m_wTrainCount, m_nCurrentRow);
    if (largest >= 1) {
        m_pCount->SetRange(1, largest);
        if (!m_pCount->Text().isEmpty() && ParseDecimal(m_pCount->Text()) > largest)
            m_pCount->SetValue(largest);
    } else {
        m_pCount->SetRange(largest, largest);
        m_pCount->SetValue(largest);
    }
}

void CRemoveDlg::accept()
{
    // The count is read as it stands on the screen: one outside the range (0, empty, more than
    // the direction allows) is refused, never clamped, and the dialog stays open to correct it.
    const int count = ParseDecimal(m_pCount->Text());
    TimetableEdit edit;
    switch (DeleteTrains(m_context.Timetable(), m_nCurrentRow, Direction(), count, &edit)) {
    case DeleteResult::Done:
        m_context.Apply(std::move(edit), RowText::DeleteStep());
        break;
    case DeleteResult::NoRows:
        Msg::Show(this, RowText::NoRowsToDelete(), Msg::ErrorCaption(), QMessageBox::Critical);
        return;
    case DeleteResult::BadCount:
        Msg::Show(this, RowText::BadDeleteCount(), Msg::ErrorCaption(), QMessageBox::Warning);
        m_pCount->setFocus();
        m_pCount->Edit()->selectAll();
        return;
    case DeleteResult::NoCurrentRow:
        Msg::Show(this, RowText::NoRowSelected(), Msg::ErrorCaption(), QMessageBox::Warning);
        m_pFromEnd->setChecked(true);
        return;
    }
    QDialog::accept();
}
