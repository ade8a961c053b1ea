#include "docpropsheet.h"

#include "docproppagea.h"
#include "docproppageb.h"
#include "docproppagec.h"
#include "docproppaged.h"
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
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDocPropSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDocPropSheet::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(buttons);
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

void CDocPropSheet::accept()
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
            return;
        }
        collected.emplace_back(page, std::move(values));
    }
    for (const auto& [page, values] : collected)
        page->OnApply(values);
    QDialog::accept();
}
