#include "checksdock.h"

#include "boardfont.h"
#include "findingsmodel.h"
#include "veldendoc.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

CChecksDock::CChecksDock(QWidget* parent) : QDockWidget(QStringLiteral("問題点"), parent)
{
    setObjectName(QStringLiteral("checksDock"));
    auto* body = new QWidget(this);
    m_pModel = new CFindingsModel(this);
    m_pList = new QTreeView(body);
    m_pList->setModel(m_pModel);
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setSortingEnabled(true);
    m_pList->sortByColumn(CFindingsModel::kPlace, Qt::AscendingOrder);
    m_pList->header()->setStretchLastSection(true);
    m_pList->setColumnWidth(CFindingsModel::kLevel, 70);
    m_pList->setColumnWidth(CFindingsModel::kPlace, 300);
    m_pList->installEventFilter(this);

    QString fontError;
    m_font = CBoardFont::Shared(&fontError);
    m_pFontNote =
        new QLabel(QStringLiteral("発車標のフォント %1 が読めないため、文字の幅は調べていません。")
                       .arg(CBoardFont::DefaultPath()),
                   body);
    m_pFontNote->setWordWrap(true);
    m_pFontNote->setVisible(!m_font);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_pFontNote);
    layout->addWidget(m_pList, 1);
    setWidget(body);

    m_pCounts = new QLabel;
    m_pCounts->setToolTip(QStringLiteral("発車標の問題点 (表示 > 問題点)"));
    m_pTimer = new QTimer(this);
    m_pTimer->setSingleShot(true);
    m_pTimer->setInterval(kPauseMs);
    connect(m_pTimer, &QTimer::timeout, this, &CChecksDock::Recheck);
    connect(m_pList, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { Activate(index.row()); });
}

// The label lives in the status bar once the frame has put it there; until then it is ours.
CChecksDock::~CChecksDock()
{
    if (m_pCounts && !m_pCounts->parent())
        delete m_pCounts;
}

CVeldenDoc* CChecksDock::Document() const
{
    return m_pDoc;
}

bool CChecksDock::IsPending() const
{
    return m_pTimer->isActive();
}

void CChecksDock::SetDocument(CVeldenDoc* doc)
{
    // A document that went away has already left m_pDoc null, with its findings still shown.
    if (doc && doc == m_pDoc)
        return;
    disconnect(m_docConnection);
    m_pDoc = doc;
    if (doc)
        m_docConnection = connect(doc, &CVeldenDoc::changed, m_pTimer,
                                  static_cast<void (QTimer::*)()>(&QTimer::start));
    m_pTimer->stop();
    Recheck();
}

void CChecksDock::Recheck()
{
    if (!m_pDoc) {
        m_pModel->SetFindings({});
        m_pCounts->clear();
        return;
    }
    m_pModel->SetFindings(Board::RunChecks(m_pDoc->Timetable(), m_font.get()));
    m_pCounts->setText(
        QStringLiteral("警告 %1  情報 %2").arg(m_pModel->Warnings()).arg(m_pModel->Notes()));
}

void CChecksDock::Activate(int row)
{
    if (row >= 0 && row < m_pModel->rowCount() && m_pDoc)
        emit findingActivated(m_pModel->FindingAt(row));
}

bool CChecksDock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_pList->currentIndex().isValid()) {
            Activate(m_pList->currentIndex().row());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}
