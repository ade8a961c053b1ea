#include "mainframe.h"

#include "aboutdlg.h"
#include "basicdatacommand.h"
#include "boardpreviewdock.h"
#include "checknavigation.h"
#include "checksdock.h"
#include "childframe.h"
#include "commands.h"
#include "docmanager.h"
#include "helpopener.h"
#include "mastercommands.h"
#include "messagepane.h"
#include "messages.h"
#include "rowcommands.h"
#include "tablecommands.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

namespace {

// Separator marker in the menu tables.
constexpr int kSeparator = 0;

QStringList LocalFiles(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}

} // namespace

// The icons live in a static library, whose resources must be registered by hand.
static void InitResources()
{
    Q_INIT_RESOURCE(marvo);
}

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    InitResources();
    setWindowTitle(Msg::AppTitle());
    setWindowIcon(QIcon(QStringLiteral(":/icons/marvo-32.png")));
    m_pArea = new QMdiArea(this);
    m_pArea->setViewMode(QMdiArea::SubWindowView);
    m_pArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pArea);
    m_pDocManager = new CDocManager(m_pArea, this, this);
    m_pHelpOpener = new CHelpOpener(this);

    CreateActions();
    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    CreateBoardPreview();
    CreateChecksDock();

    connect(m_pArea, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateFrame);
    connect(m_pDocManager, &CDocManager::documentsChanged, this, &CMainFrame::UpdateFrame);
    connect(m_pDocManager, &CDocManager::titlesChanged, this, &CMainFrame::UpdateTitle);
    connect(m_pDocManager, &CDocManager::recentFilesChanged, this,
            &CMainFrame::UpdateRecentFileMenus);
    connect(m_pDocManager, &CDocManager::frameCreated, this, &CMainFrame::OnFrameCreated);
    connect(m_pDocManager, &CDocManager::statusMessage, m_pMessagePane, &CMessagePane::ShowNote);
    UpdateRecentFileMenus();
    UpdateFrame();
    // Files dropped on the window are opened, one document per file.
    setAcceptDrops(true);
    resize(900, 680);
}

CMainFrame::~CMainFrame()
{
    // Windows and documents go before the menus and actions they use; nothing may reach the
    // manager while it is destroyed.
    CDocManager* manager = m_pDocManager;
    m_pDocManager = nullptr;
    delete manager;
}

void CMainFrame::CreateActions()
{
    for (const CommandInfo& info : CommandTable()) {
        auto* action = new QAction(info.text, this);
        action->setData(info.id);
        action->setShortcuts(info.keys);
        action->setStatusTip(StatusTextOf(info.prompt));
        action->setToolTip(ToolTipOf(info.prompt));
        if (!info.icon.isEmpty())
            action->setIcon(QIcon(info.icon));
        action->setCheckable(info.checkable);
        // Shortcuts work whichever menu set is shown.
        addAction(action);
        m_actions.insert(info.id, action);
    }

    auto on = [this](int id, auto slot) {
        connect(m_actions.value(id), &QAction::triggered, this, slot);
    };
    on(ID_FILE_NEW, [this] { m_pDocManager->OnFileNew(); });
    on(ID_FILE_OPEN, [this] { m_pDocManager->OnFileOpen(); });
    on(ID_FILE_CLOSE, [this] { m_pDocManager->CloseDocument(m_pDocManager->ActiveDocument()); });
    on(ID_FILE_SAVE, [this] { m_pDocManager->OnFileSave(m_pDocManager->ActiveDocument()); });
    on(ID_FILE_SAVE_AS, [this] { m_pDocManager->OnFileSaveAs(m_pDocManager->ActiveDocument()); });
    on(ID_APP_EXIT, [this] { close(); });
    on(ID_APP_ABOUT, [this] {
        CAboutDlg dialog(this);
        dialog.exec();
    });
    on(ID_HELP_FILE, [this] { m_pHelpOpener->OnHelp(QApplication::focusWidget()); });
    on(ID_WINDOW_NEW, [this] { m_pDocManager->OnWindowNew(); });
    on(ID_WINDOW_CASCADE, [this] { m_pDocManager->OnWindowCascade(); });
    on(ID_WINDOW_TILE_HORZ, [this] { m_pDocManager->OnWindowTile(); });
    on(ID_WINDOW_ARRANGE, [this] { m_pDocManager->OnWindowArrange(); });
    on(ID_EDIT_INSERT, [this] { RunOnView(OnEditInsert); });
    on(ID_EDIT_DELETE, [this] { RunOnView(OnEditDelete); });
    on(ID_EDIT_COPY, [this] { RunOnView(OnEditCopy); });
    on(ID_EDIT_CUT, [this] { RunOnView(OnEditCut); });
    on(ID_EDIT_PASTE, [this] { RunOnView(OnEditPaste); });
    on(ID_EDIT_REPLACE, [this] { RunOnView(OnEditReplace); });
    on(ID_PATTERNDIA, [this] { RunOnView(OnPatternDia); });
    on(ID_EDIT_COPY_TABLE, [this] { RunOnView(OnEditCopyTable); });
    on(ID_EDIT_PASTE_TABLE, [this] { RunOnView(OnEditPasteTable); });
    on(ID_EDIT_ASSORTMENT, [this] {
        RunOnView([](CVeldenView& view) {
            view.EndEdit();
            OnEditAssortment(*view.GetDocument(), &view);
        });
    });
    on(ID_EDIT_DESTINATION, [this] {
        RunOnView([](CVeldenView& view) {
            view.EndEdit();
            OnEditDestination(*view.GetDocument(), &view);
        });
    });
    on(ID_EDIT_UNDO, [this] { OnUndoRedo(false); });
    on(ID_EDIT_REDO, [this] { OnUndoRedo(true); });
    for (int id : {ID_EDIT_BASICDATA, ID_BASICDATA})
        on(id, [this] { OnBasicData(); });
    m_actions.value(ID_FILE_MRU_FIRST)->setEnabled(false);
}

QMenu* CMainFrame::AddMenu(QList<QMenu*>& set, const QString& title, const QList<int>& items)
{
    auto* menu = new QMenu(title, this);
    for (int id : items) {
        if (id == kSeparator)
            menu->addSeparator();
        else
            menu->addAction(m_actions.value(id));
    }
    set.append(menu);
    return menu;
}

QMenu* CMainFrame::CreateFileMenu(bool withDocument)
{
    QList<int> items{ID_FILE_NEW, ID_FILE_OPEN};
    if (withDocument)
        items << ID_FILE_CLOSE << ID_FILE_SAVE << ID_FILE_SAVE_AS;
    items << kSeparator << ID_FILE_MRU_FIRST;
    QMenu* menu =
        AddMenu(withDocument ? m_menus129 : m_menus128, QStringLiteral("ﾌｧｲﾙ(&F)"), items);
    m_mruAnchors.insert(menu, menu->addSeparator());
    menu->addAction(m_actions.value(ID_APP_EXIT));
    return menu;
}

void CMainFrame::CreateMenus()
{
    const QString view = QStringLiteral("表示(&V)");
    const QString help = QStringLiteral("ﾍﾙﾌﾟ(&H)");
    const QList<int> viewItems{ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, kSeparator,
                               ID_VIEW_BOARD_PREVIEW, ID_VIEW_CHECKS};
    const QList<int> helpItems{ID_HELP_FILE, kSeparator, ID_APP_ABOUT};

    CreateFileMenu(false);
    AddMenu(m_menus128, view, viewItems);
    AddMenu(m_menus128, help, helpItems);

    CreateFileMenu(true);
    AddMenu(m_menus129, QStringLiteral("編集(&E)"),
            {ID_EDIT_UNDO, ID_EDIT_REDO, kSeparator, ID_EDIT_INSERT, ID_EDIT_DELETE, kSeparator,
             ID_EDIT_BASICDATA, ID_EDIT_ASSORTMENT, ID_EDIT_DESTINATION, kSeparator,
             ID_EDIT_REPLACE, kSeparator, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
             ID_EDIT_COPY_TABLE, ID_EDIT_PASTE_TABLE, kSeparator, ID_PATTERNDIA});
    AddMenu(m_menus129, view, viewItems);
    QMenu* window =
        AddMenu(m_menus129, QStringLiteral("ｳｨﾝﾄﾞｳ(&W)"),
                {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE});
    connect(window, &QMenu::aboutToShow, this, [this, window] { UpdateWindowList(window); });
    AddMenu(m_menus129, help, helpItems);
}

void CMainFrame::ShowMenuSet(int id)
{
    if (m_nCurrentMenu == id)
        return;
    m_nCurrentMenu = id;
    menuBar()->clear();
    for (QMenu* menu : id == 129 ? m_menus129 : m_menus128)
        menuBar()->addMenu(menu);
}

void CMainFrame::CreateToolBars()
{
    m_pMainToolBar = addToolBar(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"));
    m_pMainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    for (int id : std::initializer_list<int>{
             ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, kSeparator, ID_EDIT_CUT, ID_EDIT_COPY,
             ID_EDIT_PASTE, kSeparator, ID_EDIT_UNDO, ID_EDIT_REDO, kSeparator, ID_APP_ABOUT}) {
        if (id == kSeparator)
            m_pMainToolBar->addSeparator();
        else
            m_pMainToolBar->addAction(m_actions.value(id));
    }
    m_pSecondToolBar = addToolBar(QStringLiteral("基本ﾃﾞｰﾀ"));
    m_pSecondToolBar->setObjectName(QStringLiteral("secondToolBar"));
    m_pSecondToolBar->addAction(m_actions.value(ID_BASICDATA));
    m_pSecondToolBar->addAction(m_actions.value(ID_VIEW_BOARD_PREVIEW));
    for (QToolBar* bar : {m_pMainToolBar, m_pSecondToolBar}) {
        bar->setIconSize(QSize(16, 15));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setMovable(true);
        bar->setFloatable(true);
    }

    // The View menu's tool bar item shows and hides the main tool bar only.
    QAction* toggle = m_actions.value(ID_VIEW_TOOLBAR);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, m_pMainToolBar, &QToolBar::setVisible);
    connect(m_pMainToolBar, &QToolBar::visibilityChanged, toggle,
            [this, toggle] { toggle->setChecked(!m_pMainToolBar->isHidden()); });
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    m_pMessagePane = new CMessagePane(this, bar);
    bar->addWidget(m_pMessagePane, 1);
    // Keyboard lock states cannot be read reliably on every Linux desktop, so the indicator
    // panes are shown in their "off" look.
    for (const char* text : {"ｶﾅ", "CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromUtf8(text), bar);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
        m_indicators.append(pane);
    }

    QAction* toggle = m_actions.value(ID_VIEW_STATUS_BAR);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QStatusBar::setVisible);
}

void CMainFrame::CreateBoardPreview()
{
    m_pBoardPreview = new CBoardPreviewDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_pBoardPreview);
    m_pBoardPreview->hide();
    QAction* toggle = m_actions.value(ID_VIEW_BOARD_PREVIEW);
    connect(toggle, &QAction::toggled, m_pBoardPreview, &QDockWidget::setVisible);
    connect(m_pBoardPreview, &QDockWidget::visibilityChanged, toggle,
            [this, toggle] { toggle->setChecked(!m_pBoardPreview->isHidden()); });
}

void CMainFrame::CreateChecksDock()
{
    m_pChecks = new CChecksDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_pChecks);
    tabifyDockWidget(m_pBoardPreview, m_pChecks);
    m_pChecks->hide();
    QAction* toggle = m_actions.value(ID_VIEW_CHECKS);
    connect(toggle, &QAction::toggled, m_pChecks, [this](bool show) {
        m_pChecks->setVisible(show);
        if (show)
            m_pChecks->raise();
    });
    connect(m_pChecks, &QDockWidget::visibilityChanged, toggle,
            [this, toggle] { toggle->setChecked(!m_pChecks->isHidden()); });
    // After the message pane, before the keyboard indicators.
    statusBar()->insertPermanentWidget(1, m_pChecks->CountsLabel());
    connect(m_pChecks, &CChecksDock::findingActivated, this, [this](const Board::Finding& f) {
        if (CVeldenView* view = ActiveView(); view && view->GetDocument() == m_pChecks->Document())
            ShowFinding(*view, f);
    });
}

void CMainFrame::UpdateRecentFileMenus()
{
    const QStringList files = m_pDocManager->RecentFiles();
    const QStringList names = RecentFileMenuNames(files);
    QAction* placeholder = m_actions.value(ID_FILE_MRU_FIRST);
    for (auto it = m_mruAnchors.cbegin(); it != m_mruAnchors.cend(); ++it) {
        QMenu* menu = it.key();
        for (QAction* action : menu->actions()) {
            if (action->property("mru").toBool()) {
                menu->removeAction(action);
                delete action;
            }
        }
        menu->removeAction(placeholder);
        if (files.isEmpty()) {
            menu->insertAction(it.value(), placeholder);
            continue;
        }
        for (int i = 0; i < files.size(); ++i) {
            QString name = names.at(i);
            name.replace(QLatin1Char('&'), QStringLiteral("&&"));
            auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), menu);
            action->setProperty("mru", true);
            action->setData(ID_FILE_MRU_FIRST + i);
            // The menu shows the name; the prompt gives the whole path.
            action->setStatusTip(QStringLiteral("%1: %2").arg(
                placeholder->statusTip(), QDir::toNativeSeparators(files.at(i))));
            const QString path = files.at(i);
            connect(action, &QAction::triggered, this, [this, path] {
                if (!m_pDocManager->OpenDocumentFile(path))
                    m_pDocManager->RemoveFromRecentFileList(path);
            });
            menu->insertAction(it.value(), action);
        }
    }
}

void CMainFrame::UpdateWindowList(QMenu* menu)
{
    // Below the window commands: the open document windows, numbered, the active one checked.
    for (QAction* action : menu->actions()) {
        if (action->property("windowList").toBool()) {
            menu->removeAction(action);
            delete action;
        }
    }
    const QList<QMdiSubWindow*> windows = m_pArea->subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator()->setProperty("windowList", true);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows.at(i);
        QString title = window->windowTitle().remove(QStringLiteral("[*]"));
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
        action->setProperty("windowList", true);
        action->setCheckable(true);
        action->setChecked(window == m_pArea->currentSubWindow());
        connect(action, &QAction::triggered, this, [this, window] {
            if (window->isMinimized())
                window->showNormal();
            m_pArea->setActiveSubWindow(window);
        });
    }
}

CVeldenView* CMainFrame::ActiveView() const
{
    CChildFrame* frame = m_pDocManager ? m_pDocManager->ActiveFrame() : nullptr;
    return frame ? frame->GetView() : nullptr;
}

void CMainFrame::RunOnView(void (*command)(CVeldenView&))
{
    if (CVeldenView* view = ActiveView())
        command(*view);
}

void CMainFrame::OnFrameCreated(CChildFrame* frame)
{
    connect(frame->GetView(), &CVeldenView::statusMessage, m_pMessagePane, &CMessagePane::ShowNote);
    // Several windows may show one document: connecting again would only repeat the update.
    connect(frame->GetDocument()->UndoStack(), &QUndoStack::indexChanged, this,
            &CMainFrame::UpdateUndoActions, Qt::UniqueConnection);
}

void CMainFrame::OnBasicData()
{
    CVeldenView* view = ActiveView();
    if (!view)
        return;
    view->EndEdit();
    RunBasicData(*view->GetDocument(), this);
}

void CMainFrame::OnUndoRedo(bool redo)
{
    CVeldenView* view = ActiveView();
    if (!view)
        return;
    // The editor closes first, so that the step it made is complete.
    view->EndEdit();
    CVeldenDoc* doc = view->GetDocument();
    view->ShowRow(redo ? doc->Redo() : doc->Undo());
}

void CMainFrame::UpdateUndoActions()
{
    CVeldenDoc* doc = m_pDocManager ? m_pDocManager->ActiveDocument() : nullptr;
    const QUndoStack* stack = doc ? doc->UndoStack() : nullptr;
    auto update = [this](int id, bool enabled, const QString& step) {
        const CommandInfo* info = FindCommand(id);
        QAction* action = m_actions.value(id);
        action->setEnabled(enabled);
        QString text = info->text;
        if (enabled && !step.isEmpty()) {
            // "元に戻す(&U)\tCtrl+Z" becomes "元に戻す: 貼り付け(&U)\tCtrl+Z".
            const qsizetype mnemonic = text.indexOf(QLatin1Char('('));
            text.insert(mnemonic, QStringLiteral(": ") + step);
        }
        action->setText(text);
    };
    update(ID_EDIT_UNDO, stack && stack->canUndo(), stack ? stack->undoText() : QString());
    update(ID_EDIT_REDO, stack && stack->canRedo(), stack ? stack->redoText() : QString());
}

void CMainFrame::UpdateFrame()
{
    if (!m_pDocManager)
        return;
    const bool hasDocument = m_pDocManager->ActiveFrame() != nullptr;
    ShowMenuSet(hasDocument ? 129 : 128);
    for (int id :
         {ID_FILE_CLOSE,       ID_FILE_SAVE,        ID_FILE_SAVE_AS,    ID_EDIT_INSERT,
          ID_EDIT_DELETE,      ID_EDIT_COPY,        ID_EDIT_CUT,        ID_EDIT_PASTE,
          ID_EDIT_REPLACE,     ID_PATTERNDIA,       ID_WINDOW_NEW,      ID_WINDOW_CASCADE,
          ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE,   ID_EDIT_BASICDATA,  ID_BASICDATA,
          ID_EDIT_COPY_TABLE,  ID_EDIT_PASTE_TABLE, ID_EDIT_ASSORTMENT, ID_EDIT_DESTINATION})
        m_actions.value(id)->setEnabled(hasDocument);
    UpdateUndoActions();
    UpdateTitle();
    m_pBoardPreview->SetDocument(m_pDocManager->ActiveDocument());
    m_pChecks->SetDocument(m_pDocManager->ActiveDocument());
}

QString CMainFrame::TitleFor(const CChildFrame* frame)
{
    return frame ? Msg::AppTitle() + QStringLiteral(" - ") + frame->windowTitle() : Msg::AppTitle();
}

void CMainFrame::UpdateTitle()
{
    CChildFrame* frame = m_pDocManager ? m_pDocManager->ActiveFrame() : nullptr;
    setWindowTitle(TitleFor(frame));
    setWindowModified(frame && frame->GetDocument()->IsModified());
}

void CMainFrame::changeEvent(QEvent* event)
{
    // A maximised document window writes "<title> - [<its title>]" into the main window's
    // title on its own; the main window keeps "MARVO - <document>" in every window state.
    if (event->type() == QEvent::WindowTitleChange && m_pDocManager &&
        windowTitle() != TitleFor(m_pDocManager->ActiveFrame()))
        UpdateTitle();
    QMainWindow::changeEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_pDocManager->CloseAllDocuments()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    for (const QString& file : files)
        m_pDocManager->OpenDocumentFile(file);
}
