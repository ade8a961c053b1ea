#include "pastedlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CPasteDlg::CPasteDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("貼り付け"));

    auto* methodBox = new QGroupBox(QStringLiteral("貼り付け方法"));
    // The overwrite choice carries no mnemonic: its "(R)" is plain text.
    m_pOverwrite = new QRadioButton(QStringLiteral("現在の行に上書き(R)"));
    m_pInsert = new QRadioButton(QStringLiteral("現在の行とその上の行の間に挿入(&I)"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_pOverwrite);
    group->addButton(m_pInsert);
    m_pInsert->setChecked(true);
    auto* methodLayout = new QVBoxLayout(methodBox);
    methodLayout->addWidget(m_pOverwrite);
    methodLayout->addWidget(m_pInsert);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasteDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPasteDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(methodBox);
    layout->addWidget(buttons);
    ok->setDefault(true); // once in the dialog, which must know its default button
    m_pInsert->setFocus();
}

void CPasteDlg::accept()
{
    m_mode = m_pOverwrite->isChecked() ? PasteMode::Overwrite : PasteMode::Insert;
    QDialog::accept();
}
