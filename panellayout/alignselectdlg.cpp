#include "alignselectdlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CAlignSelectDlg::CAlignSelectDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("書式の変更"));

    auto* group = new QGroupBox(QStringLiteral("書式"));
    m_pLeft = new QRadioButton(QStringLiteral("左揃え(&L)"));
    m_pSpread = new QRadioButton(QStringLiteral("均等に配置(&A)"));
    m_pCentred = new QRadioButton(QStringLiteral("中央揃え(&C)"));
    m_pCentred->setEnabled(false);
    auto* groupLayout = new QVBoxLayout(group);
    for (QRadioButton* radio : {m_pLeft, m_pSpread, m_pCentred})
        groupLayout->addWidget(radio);

    auto* buttons = new QDialogButtonBox;
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAlignSelectDlg::accept);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(buttons, 0, Qt::AlignTop);
    buttons->setOrientation(Qt::Vertical);
    close->setDefault(true); // once in the dialog, which must know its default button

    SetValue(0);
}

void CAlignSelectDlg::SetValue(int value)
{
    m_nValue = value;
    // Radio buttons of one group cannot all be cleared while one is exclusive.
    const QList<QRadioButton*> radios = {m_pLeft, m_pSpread, m_pCentred};
    for (QRadioButton* radio : radios)
        radio->setAutoExclusive(false);
    for (int i = 0; i < radios.size(); ++i)
        radios[i]->setChecked(i == value);
    for (QRadioButton* radio : radios)
        radio->setAutoExclusive(true);
}

void CAlignSelectDlg::accept()
{
    // With no button checked (a stored value none stands for) the value stays as it was.
    const QList<QRadioButton*> radios = {m_pLeft, m_pSpread, m_pCentred};
    for (int i = 0; i < radios.size(); ++i) {
        if (radios[i]->isChecked()) {
            m_nValue = i;
            break;
        }
    }
    QDialog::accept();
}
