#include "addguidemesdlg.h"

#include "messages.h"
#include "sjis.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QTime ToTime(ShownTime shown)
{
    return QTime(shown.hour, shown.minute);
}

ShownTime FromTime(const QTime& time)
{
    return {time.hour(), time.minute()};
}

} // namespace

CAddGuideMesDlg::CAddGuideMesDlg(GUIDEMESSAGE* message, QWidget* parent)
    : QDialog(parent), m_pRecord(message)
{
    setWindowTitle(QStringLiteral("ｶﾞｲﾄﾞﾒｯｾｰｼﾞの追加"));

    m_pStart = new QTimeEdit;
    m_pEnd = new QTimeEdit;
    for (QTimeEdit* picker : {m_pStart, m_pEnd})
        picker->setDisplayFormat(QStringLiteral("HH:mm"));
    auto* timeBox = new QGroupBox(QStringLiteral("時刻"));
    auto* timeGrid = new QGridLayout(timeBox);
    timeGrid->addWidget(new QLabel(QStringLiteral("下の時間帯に表示されます")), 0, 0, 1, 4);
    auto* startLabel = new QLabel(QStringLiteral("開始時刻(&S):"));
    startLabel->setBuddy(m_pStart);
    auto* endLabel = new QLabel(QStringLiteral("終了時刻(&E):"));
    endLabel->setBuddy(m_pEnd);
    timeGrid->addWidget(startLabel, 1, 0);
    timeGrid->addWidget(endLabel, 1, 2);
    timeGrid->addWidget(m_pStart, 2, 0);
    timeGrid->addWidget(new QLabel(QStringLiteral("～")), 2, 1);
    timeGrid->addWidget(m_pEnd, 2, 2);
    timeGrid->setColumnStretch(3, 1);

    m_pMessage = new QLineEdit;
    m_pMessage->setMaxLength(static_cast<int>(kMaxFileString));
    auto* messageBox = new QGroupBox(QStringLiteral("ﾒｯｾｰｼﾞ"));
    auto* messageLayout = new QVBoxLayout(messageBox);
    auto* messageLabel = new QLabel(QStringLiteral("ﾒｯｾｰｼﾞ文(&M):"));
    messageLabel->setBuddy(m_pMessage);
    messageLayout->addWidget(messageLabel);
    messageLayout->addWidget(m_pMessage);

    m_pExclusive = new QCheckBox(QStringLiteral("排他表示 - 他のｶﾞｲﾄﾞﾒｯｾｰｼﾞを表示しない(&X)"));
    auto* optionBox = new QGroupBox(QStringLiteral("ｵﾌﾟｼｮﾝ"));
    auto* optionLayout = new QVBoxLayout(optionBox);
    optionLayout->addWidget(m_pExclusive);

    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddGuideMesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAddGuideMesDlg::reject);

    auto* fields = new QVBoxLayout;
    fields->addWidget(timeBox);
    fields->addWidget(messageBox);
    fields->addWidget(optionBox);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addWidget(buttons);
    ok->setDefault(true); // once in the dialog, which must know its default button

    // The pickers hold one day; a stored time outside it is shown at the nearest end and kept
    // unless the user changes that picker.
    m_shownStart = ShowTime(message->nStartTime);
    m_shownEnd = ShowTime(message->nEndTime);
    m_pStart->setTime(ToTime(m_shownStart));
    m_pEnd->setTime(ToTime(m_shownEnd));
    m_pMessage->setText(Sjis::Decode(message->strMessage));
    m_shownMessage = m_pMessage->text();
    m_pExclusive->setChecked(message->bExclusive != 0);
}

void CAddGuideMesDlg::accept()
{
    const TakenText text = TakeText(m_pRecord->strMessage, m_shownMessage, m_pMessage->text());
    if (!text.bytes) {
        Msg::Beep();
        Msg::Show(this, text.refusal, Msg::ErrorCaption(), QMessageBox::Warning);
        m_pMessage->setFocus();
        return;
    }
    m_pRecord->nStartTime = static_cast<qint32>(
        TakeTime(m_pRecord->nStartTime, m_shownStart, FromTime(m_pStart->time())));
    m_pRecord->nEndTime =
        static_cast<qint32>(TakeTime(m_pRecord->nEndTime, m_shownEnd, FromTime(m_pEnd->time())));
    m_pRecord->strMessage = *text.bytes;
    if (m_pExclusive->isChecked() != (m_pRecord->bExclusive != 0))
        m_pRecord->bExclusive = m_pExclusive->isChecked() ? 1 : 0;
    QDialog::accept();
}
