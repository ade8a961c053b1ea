#include "docproppageb.h"

#include "fieldeditors.h"
#include "panelviewdatadlg.h"
#include "qlmdoc.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The LED colour boxes offer red, blue, yellow and dark grey.
constexpr quint32 kLedColours[] = {0x000000FF, 0x00FF0000, 0x0000FFFF, 0x00404040};

} // namespace

CDocPropPageB::CDocPropPageB(CQLMDoc& doc, QWidget* parent)
    : CDocPropPage(doc, kDisplayFields, parent)
{
    m_pLit = AddEditor(DocField::Lit, new CColorField(kLedColours));
    m_pUnlit = AddEditor(DocField::Unlit, new CColorField(kLedColours));

    auto* led = new QGroupBox(QStringLiteral("LED"));
    auto* ledForm = new QFormLayout(led);
    ledForm->addRow(QStringLiteral("標準発光色(&D):"), m_pLit);
    ledForm->addRow(QStringLiteral("消灯時(&B):"), m_pUnlit);

    auto* placement = new QGroupBox(QStringLiteral("配置"));
    auto* placementRow = new QHBoxLayout(placement);
    auto* note = new QLabel(QStringLiteral("配置を編集するには右のｺﾏﾝﾄﾞﾎﾞﾀﾝをｸﾘｯｸして下さい｡"));
    note->setWordWrap(true);
    m_pLayout = new QPushButton(QStringLiteral("編集(&E)..."));
    placementRow->addWidget(note, 1);
    placementRow->addWidget(m_pLayout, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(led);
    layout->addWidget(placement);
    layout->addStretch(1);

    connect(m_pLayout, &QPushButton::clicked, this, &CDocPropPageB::OnEditLayout);
}

// The layouts go into the timetable at once on the editor's OK; the sheet's Cancel keeps them.
void CDocPropPageB::OnEditLayout()
{
    CPanelViewDataDlg dlg(m_doc.m_LayoutMain, m_doc.m_LayoutSub, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_doc.m_LayoutMain = dlg.LayoutMain();
    m_doc.m_LayoutSub = dlg.LayoutSub();
}
