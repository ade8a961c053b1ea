#include "docpropsheet.h"

#include "docproppagea.h"
#include "docproppageb.h"
#include "docproppagec.h"
#include "docproppaged.h"
#include "fieldeditors.h"
#include "propfields.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

CDocPropSheet::CDocPropSheet(CQLMDoc& doc, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("編集"));
    m_pPageA = new CDocPropPageA(doc);
    m_pPageB = new CDocPropPageB(doc);
    m_pPageC = new CDocPropPageC(doc);
    m_pPageD = new CDocPropPageD(doc);
    m_pTabs = new QTabWidget;
    m_pTabs->addTab(m_pPageA, QStringLiteral("一般"));
    m_pTabs->addTab(m_pPageB, QStringLiteral("表示関連"));
    m_pTabs->addTab(m_pPageC, QStringLiteral("高度"));
    m_pTabs->addTab(m_pPageD, QStringLiteral("ｴｸｽﾃﾝｼｮﾝ"));
    connect(m_pTabs, &QTabWidget::currentChanged, this,
            [this](int index) { Page(index)->OnSetActive(); });

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    m_pApply = buttons->addButton(QStringLiteral("適用(&A)"), QDialogButtonBox::ApplyRole);
    m_pApply->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDocPropSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDocPropSheet::reject);
    connect(m_pApply, &QPushButton::clicked, this, [this] {
        if (ApplyPages()) {
            m_pApply->setEnabled(false);
            emit applied();
        }
    });
    for (int index = 0; index < m_pTabs->count(); ++index)
        connect(Page(index), &CDocPropPage::fieldChanged, m_pApply,
                [this] { m_pApply->setEnabled(true); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(buttons);
    // Default only once in the sheet: a default the sheet does not know of leaves it to take a
    // page's button as its default, and Enter in a field then presses nothing.
    ok->setDefault(true);
    // The sheet opens in the first field, not on the tabs.
    m_pPageA->Text(DocField::StationName)->setFocus();
}

CDocPropPage* CDocPropSheet::Page(int index) const
{
    return static_cast<CDocPropPage*>(m_pTabs->widget(index));
}

void CDocPropSheet::showEvent(QShowEvent* event)
{
    Page(m_pTabs->currentIndex())->OnSetActive();
    QDialog::showEvent(event);
}

bool CDocPropSheet::Run()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Restored once: at the first pass of the dialog's own event loop, when it is on the
    // screen, or when the run ends before that.
    auto waiting = std::make_shared<bool>(true);
    auto endWait = [waiting] {
        if (*waiting)
            QGuiApplication::restoreOverrideCursor();
        *waiting = false;
    };
    QTimer::singleShot(0, this, endWait);
    const bool ok = exec() == QDialog::Accepted;
    endWait();
    return ok;
}

bool CDocPropSheet::ApplyPages()
{
    // Nothing is written unless every shown page can be read, so a refusal leaves the
    // timetable as it was.
    std::vector<std::pair<CDocPropPage*, PageValues>> collected;
    for (int index = 0; index < m_pTabs->count(); ++index) {
        CDocPropPage* page = Page(index);
        if (!page->IsInitialised())
            continue;
        PageValues values;
        if (!page->Collect(&values)) {
            m_pTabs->setCurrentIndex(index);
            return false;
        }
        collected.emplace_back(page, std::move(values));
    }
    for (const auto& [page, values] : collected)
        page->OnApply(values);
    return true;
}

void CDocPropSheet::accept()
{
    if (ApplyPages())
        QDialog::accept();
}
