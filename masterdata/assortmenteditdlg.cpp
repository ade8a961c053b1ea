#include "assortmenteditdlg.h"

#include "colorcombobox.h"
#include "panelviewdatadlg.h"
#include "sjis.h"
#include "textfield.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Green, red, and the custom item that opens the colour dialog.
CColorComboBox* NewColorPicker(quint32 color)
{
    auto* box = new CColorComboBox;
    box->AddColor(0x00C000);
    box->AddColor(0x0000FF);
    box->SetCustomItem(box->AddColor(0x008080));
    box->SelectColor(color);
    return box;
}

// A flag keeps the value it was stored with while its box shows it unchanged.
quint32 TakeFlag(const QCheckBox* box, quint32 original)
{
    return box->isChecked() == (original != 0) ? original : quint32(box->isChecked());
}

} // namespace

CAssortmentEditDlg::CAssortmentEditDlg(tagTRAINASSORTMENT& record, const QString& title,
                                       QWidget* parent)
    : QDialog(parent), m_record(record), m_layoutMain(record.layoutMain),
      m_layoutSub(record.layoutSub)
{
    setWindowTitle(title);

    m_pName = new QLineEdit(Sjis::Decode(record.strName));
    m_pNameSub = new QLineEdit(Sjis::Decode(record.strNameSub));
    auto* nameLabel = new QLabel(QStringLiteral("種別名(&M):"));
    nameLabel->setBuddy(m_pName);
    auto* nameSubLabel = new QLabel(QStringLiteral("種別名(ｻﾌﾞ)(&S):"));
    nameSubLabel->setBuddy(m_pNameSub);
    auto* names = new QGroupBox(QStringLiteral("名称"));
    auto* nameForm = new QFormLayout(names);
    nameForm->addRow(nameLabel, m_pName);
    nameForm->addRow(nameSubLabel, m_pNameSub);

    m_pDefaultColor = new QCheckBox(QStringLiteral("ﾃﾞﾌｫﾙﾄ(&D)"));
    m_pDefaultColor->setChecked(record.bDefaultColor != 0);
    m_pTextColor = NewColorPicker(record.crText);
    m_pLightBackground = new QCheckBox(QStringLiteral("背景を発光(&L)"));
    m_pLightBackground->setChecked(record.bLightBackground != 0);
    m_pBackColor = NewColorPicker(record.crBack);
    auto* led = new QGroupBox(QStringLiteral("LED"));
    auto* ledGrid = new QGridLayout(led);
    ledGrid->addWidget(new QLabel(QStringLiteral("ｶﾗｰ :")), 0, 0);
    ledGrid->addWidget(m_pDefaultColor, 0, 1);
    ledGrid->addWidget(m_pTextColor, 0, 2);
    ledGrid->addWidget(m_pLightBackground, 1, 1);
    ledGrid->addWidget(m_pBackColor, 1, 2);
    ledGrid->setColumnStretch(3, 1);

    m_pCustomLayout = new QCheckBox(QStringLiteral("表示ｽﾀｲﾙを変更(&C)"));
    m_pCustomLayout->setChecked(record.bCustomLayout != 0);
    m_pChangeLayout = new QPushButton(QStringLiteral("変更(&S)..."));
    m_pChangeLayout->setAutoDefault(false);
    auto* note = new QLabel(
        QStringLiteral("上のﾁｪｯｸﾎﾞｯｸｽを有効にすると､この種別に対して表示ｽﾀｲﾙを変更できます"
                       "(例:回送は種別名のみ表示し､時刻等は表示しない)"));
    note->setWordWrap(true);
    auto* settings = new QGroupBox(QStringLiteral("設定"));
    auto* settingsGrid = new QGridLayout(settings);
    settingsGrid->addWidget(m_pCustomLayout, 0, 0);
    settingsGrid->addWidget(m_pChangeLayout, 0, 1, Qt::AlignRight);
    settingsGrid->addWidget(note, 1, 0, 1, 2);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAssortmentEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAssortmentEditDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(names);
    layout->addWidget(led);
    layout->addWidget(settings);
    layout->addWidget(buttons);
    ok->setDefault(true); // once in the dialog, which must know its default button
    setMinimumWidth(320);

    for (QCheckBox* box : {m_pDefaultColor, m_pLightBackground, m_pCustomLayout})
        connect(box, &QCheckBox::toggled, this, &CAssortmentEditDlg::UpdateEnabling);
    connect(m_pChangeLayout, &QPushButton::clicked, this, &CAssortmentEditDlg::OnChangeLayout);
    UpdateEnabling();
}

void CAssortmentEditDlg::UpdateEnabling()
{
    m_pTextColor->setEnabled(!m_pDefaultColor->isChecked());
    m_pBackColor->setEnabled(m_pLightBackground->isChecked());
    m_pChangeLayout->setEnabled(m_pCustomLayout->isChecked());
}

void CAssortmentEditDlg::OnChangeLayout()
{
    CPanelViewDataDlg dlg(m_layoutMain, m_layoutSub, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_layoutMain = dlg.LayoutMain();
    m_layoutSub = dlg.LayoutSub();
}

void CAssortmentEditDlg::accept()
{
    tagTRAINASSORTMENT edited = m_record;
    if (!TakeEditedText(this, m_pName, m_record.strName, &edited.strName) ||
        !TakeEditedText(this, m_pNameSub, m_record.strNameSub, &edited.strNameSub))
        return;
    edited.crText = m_pTextColor->GetSelectedColor();
    edited.crBack = m_pBackColor->GetSelectedColor();
    edited.bDefaultColor = TakeFlag(m_pDefaultColor, m_record.bDefaultColor);
    edited.bLightBackground = TakeFlag(m_pLightBackground, m_record.bLightBackground);
    edited.bCustomLayout = TakeFlag(m_pCustomLayout, m_record.bCustomLayout);
    edited.layoutMain = m_layoutMain;
    edited.layoutSub = m_layoutSub;
    m_record = edited;
    QDialog::accept();
}
