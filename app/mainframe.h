#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>

class CBoardPreviewDock;
class CChecksDock;
class CChildFrame;
class CDocManager;
class CHelpOpener;
class CMessagePane;
class CVeldenView;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window: the document windows in an MDI area, the menus (one set while no document
// window is open, another while one is), two tool bars and the status bar.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CDocManager* DocManager() const { return m_pDocManager; }
    QMdiArea* MdiArea() const { return m_pArea; }
    QToolBar* MainToolBar() const { return m_pMainToolBar; }
    QToolBar* SecondToolBar() const { return m_pSecondToolBar; }
    // The action of a command id, or nullptr.
    QAction* Action(int id) const { return m_actions.value(id); }
    // The menu bar's menus of the menu resource now shown: 128 or 129.
    int CurrentMenuId() const { return m_nCurrentMenu; }
    // The view of the active document window, or nullptr.
    CVeldenView* ActiveView() const;
    // The status bar's message pane (prompts, notes, "Ready...") and indicator panes.
    CMessagePane* MessagePane() const { return m_pMessagePane; }
    QList<QLabel*> IndicatorPanes() const { return m_indicators; }
    // The departure board preview (表示 > 発車標プレビュー); hidden until asked for.
    CBoardPreviewDock* BoardPreview() const { return m_pBoardPreview; }
    // The problems panel (表示 > 問題点), beside the preview; hidden until asked for.
    CChecksDock* Checks() const { return m_pChecks; }

    // Help, from the menu and F1.
    CHelpOpener* HelpOpener() const { return m_pHelpOpener; }

    // Refreshes enabled states, menus and the title after the active window changed.
    void UpdateFrame();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    void CreateBoardPreview();
    void CreateChecksDock();
    QMenu* CreateFileMenu(bool withDocument);
    QMenu* AddMenu(QList<QMenu*>& set, const QString& title, const QList<int>& items);
    void ShowMenuSet(int id);
    void UpdateRecentFileMenus();
    void UpdateWindowList(QMenu* menu);
    void UpdateTitle();
    static QString TitleFor(const CChildFrame* frame);
    void RunOnView(void (*command)(CVeldenView&));
    void OnFrameCreated(CChildFrame* frame);
    void OnUndoRedo(bool redo);
    void OnBasicData();
    void UpdateUndoActions();

    QMdiArea* m_pArea = nullptr;
    CDocManager* m_pDocManager = nullptr;
    CHelpOpener* m_pHelpOpener = nullptr;
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_menus128;
    QList<QMenu*> m_menus129;
    // Per File menu: the separator below its recent-file items.
    QHash<QMenu*, QAction*> m_mruAnchors;
    int m_nCurrentMenu = 0;
    QToolBar* m_pMainToolBar = nullptr;
    QToolBar* m_pSecondToolBar = nullptr;
    CMessagePane* m_pMessagePane = nullptr;
    QList<QLabel*> m_indicators;
    CBoardPreviewDock* m_pBoardPreview = nullptr;
    CChecksDock* m_pChecks = nullptr;
};
