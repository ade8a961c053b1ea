#include "destinationeditdlg.h"

#include "sjis.h"
#include "textfield.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDestinationEditDlg::CDestinationEditDlg(DESTINATION& record, QWidget* parent)
    : QDialog(parent), m_record(record)
{
    setWindowTitle(QStringLiteral("行先の編集"));

    m_pName = new QLineEdit(Sjis::Decode(record.strName));
    m_pNameEn = new QLineEdit(Sjis::Decode(record.strNameEn));
    auto* nameLabel = new QLabel(QStringLiteral("行先名(&J):"));
    nameLabel->setBuddy(m_pName);
    auto* nameEnLabel = new QLabel(QStringLiteral("行先名(副)(&E):"));
    nameEnLabel->setBuddy(m_pNameEn);

    auto* names = new QGroupBox(QStringLiteral("名称"));
    auto* form = new QFormLayout(names);
    form->addRow(nameLabel, m_pName);
    form->addRow(nameEnLabel, m_pNameEn);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDestinationEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDestinationEditDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(names);
    layout->addWidget(buttons);
    ok->setDefault(true); // once in the dialog, which must know its default button
    setMinimumWidth(300);
}

void CDestinationEditDlg::accept()
{
    DESTINATION edited = m_record;
    if (!TakeEditedText(this, m_pName, m_record.strName, &edited.strName) ||
        !TakeEditedText(this, m_pNameEn, m_record.strNameEn, &edited.strNameEn))
        return;
    m_record = edited;
    QDialog::accept();
}
