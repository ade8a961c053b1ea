#include "childframe.h"

#include "frameowner.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QCloseEvent>
#include <QIcon>

CChildFrame::CChildFrame(CVeldenDoc* doc, CFrameOwner* owner, QWidget* parent)
    : QMdiSubWindow(parent), m_pDoc(doc), m_pOwner(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/qlm-32.png")));
    m_pView = new CVeldenView(doc, this);
    setWidget(m_pView);
    m_pView->OnInitialUpdate();
}

CChildFrame::~CChildFrame()
{
    // The view goes first: it may still look at the document, which the owner may delete.
    delete m_pView;
    m_pView = nullptr;
    if (m_pOwner)
        m_pOwner->FrameDestroyed(this);
}

void CChildFrame::UpdateTitle(int number)
{
    QString title = m_pDoc->GetTitle();
    if (number > 0)
        title += QLatin1Char(':') + QString::number(number);
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(m_pDoc->IsModified());
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_pOwner && !m_pOwner->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    m_pView->EndEdit();
    QMdiSubWindow::closeEvent(event);
}
