// The main window: its two menu sets, bars, keys, help, version box, dropped files and the
// command line.
#include "aboutdlg.h"
#include "apptesthelpers.h"
#include "childframe.h"
#include "commands.h"
#include "docmanager.h"
#include "docproppagea.h"
#include "docpropsheet.h"
#include "editfield.h"
#include "fieldeditors.h"
#include "fonts.h"
#include "helpopener.h"
#include "instanceserver.h"
#include "mainframe.h"
#include "markers.h"
#include "messagepane.h"
#include "samples.h"
#include "sjis.h"
#include "timetableedit.h"
#include "veldenapp.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuSets();
    void undoAndRedo();
    void altKeysInTheCellEditorReachTheMenus();
    void commandStates();
    void tileAndCascade();
    void basicDataIsOneUndoStep();
    void toolBarButtonsHaveIcons();
    void buttonAndMarkerImages();
    void viewMenuTogglesMainToolBarOnly();
    void statusBar();
    void statusNoteStaysUntilTheNextAction();
    void unboundKeysDoNothing();
    void acceleratorsReachCommands();
    void help_data();
    void help();
    void helpFollowsTheFocus_data();
    void helpFollowsTheFocus();
    void versionLine_data();
    void versionLine();
    void aboutBox();
    void droppedFilesOpen();
    void startWithoutArguments();
    void filesGoToTheRunningProgram();

private:
    QTemporaryDir m_settingsDir;
    QTemporaryDir* m_pDir = nullptr;
    CMainFrame* m_pFrame = nullptr;
};

void TestMainFrame::initTestCase()
{
    Fonts::InstallSubstitutions();
    UseTemporarySettings(m_settingsDir);
    QCoreApplication::setOrganizationName(QStringLiteral("MARVO"));
    QCoreApplication::setApplicationName(QStringLiteral("MARVO"));
    // Programs started here, and this one, hand files over among themselves only.
    qputenv("MARVO_SERVER_NAME", QFile::encodeName(m_settingsDir.filePath("marvo.socket")));
}

void TestMainFrame::init()
{
    m_pDir = new QTemporaryDir;
    QSettings().clear();
    m_pFrame = new CMainFrame;
    m_pFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pFrame));
}

void TestMainFrame::cleanup()
{
    MessageRecorder quiet;
    quiet.answers = {QMessageBox::No, QMessageBox::No, QMessageBox::No};
    delete m_pFrame;
    m_pFrame = nullptr;
    delete m_pDir;
    CHelpOpener::SetUrlOpener({});
    CHelpOpener::SetManualDirs({});
}

void TestMainFrame::menuSets()
{
    // Without a document only the file, view and help menus; with one also edit and window.
    QCOMPARE(m_pFrame->CurrentMenuId(), 128);
    QCOMPARE(m_pFrame->menuBar()->actions().size(), 3);
    CVeldenDoc* doc = m_pFrame->DocManager()->OnFileNew();
    QCOMPARE(m_pFrame->CurrentMenuId(), 129);
    QCOMPARE(m_pFrame->menuBar()->actions().size(), 5);
    m_pFrame->DocManager()->CloseDocument(doc);
    QCOMPARE(m_pFrame->CurrentMenuId(), 128);
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO"));
}

void TestMainFrame::undoAndRedo()
{
    CVeldenDoc* doc = m_pFrame->DocManager()->OnFileNew();
    CVeldenView* view = m_pFrame->ActiveView();
    QAction* undo = m_pFrame->Action(ID_EDIT_UNDO);
    QAction* redo = m_pFrame->Action(ID_EDIT_REDO);
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    doc->Apply(TimetableEdit().InsertTrains(1, std::vector<tagTRAININFO>(40)), "列車の挿入");
    QCOMPARE(undo->text(), QStringLiteral("元に戻す: 列車の挿入(&U)\tCtrl+Z"));

    // A cell edit on row 30, then Alt+Backspace from inside the open editor: the editor
    // closes, the edit is taken back and its row is selected and in view.
    view->ScrollBy(0, 10000);
    view->SelectCell(3, 30);
    view->BeginEdit();
    auto* box = qobject_cast<QLineEdit*>(view->EditField()->Control());
    QTest::keyClicks(box, "abc");
    QCOMPARE(doc->Timetable().m_TrainInfo.ElementAt(30).strName, QByteArray("abc"));
    view->ScrollBy(0, -10000);
    m_pFrame->activateWindow();
    QTest::keyClick(box, Qt::Key_Backspace, Qt::AltModifier);
    QVERIFY(!view->IsEditing());
    QCOMPARE(doc->Timetable().m_TrainInfo.ElementAt(30).strName, QByteArray());
    QCOMPARE(view->State().m_nCurRow, 30);
    QVERIFY(view->IsCellVisible(3, 30));
    QCOMPARE(redo->text(), QStringLiteral("やり直し: 列車名の入力(&R)\tCtrl+Y"));

    // The tool bar buttons run the same commands.
    for (QToolButton* button : m_pFrame->MainToolBar()->findChildren<QToolButton*>()) {
        if (button->defaultAction() == redo)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(doc->Timetable().m_TrainInfo.ElementAt(30).strName, QByteArray("abc"));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(doc->Timetable().m_wTrainCount, 0);
    QVERIFY(!doc->IsModified()); // back to what the new document was
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(doc->Timetable().m_wTrainCount, 40);
    QVERIFY(doc->IsModified());
}

// While a train name is edited in place, an Alt key opens its menu and one no menu takes does
// nothing: no letter reaches the train. Presses and releases go apart, as a user's.
void TestMainFrame::altKeysInTheCellEditorReachTheMenus()
{
    CVeldenDoc* doc = m_pFrame->DocManager()->OnFileNew();
    tagTRAININFO train;
    train.strName = Sjis::FromUtf8("はやて");
    doc->Apply(TimetableEdit().InsertTrains(1, {train}), "列車の挿入");
    CVeldenView* view = m_pFrame->ActiveView();
    m_pFrame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
    view->SelectCell(3, 1);
    PressKey(view, Qt::Key_Return);
    QVERIFY(view->IsEditing());
    auto* box = qobject_cast<QLineEdit*>(view->EditField()->Control());
    QVERIFY(box && box->hasFocus());

    PressKey(box, Qt::Key_Q, Qt::AltModifier);
    QCOMPARE(box->text(), QString::fromUtf8("はやて"));
    QVERIFY(!QApplication::activePopupWidget());

    QTest::keyPress(box, Qt::Key_E, Qt::AltModifier);
    QApplication::processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("編集(&E)"));
    QTest::keyRelease(menu, Qt::Key_E, Qt::AltModifier);
    PressKey(menu, Qt::Key_Escape);

    QVERIFY(view->IsEditing());
    QCOMPARE(box->text(), QString::fromUtf8("はやて"));
    QCOMPARE(doc->Timetable().m_TrainInfo.ElementAt(1).strName, train.strName);
    QCOMPARE(doc->UndoStack()->count(), 1);
}

void TestMainFrame::basicDataIsOneUndoStep()
{
    CVeldenDoc* doc = m_pFrame->DocManager()->OnFileNew();
    auto station = [doc] { return Sjis::Decode(doc->Timetable().m_strStationName); };
    // Runs act on the sheet once it is up, its station name selected.
    auto onSheet = [](std::function<void(CDocPropSheet*, QLineEdit * name)> act) {
        QTimer::singleShot(0, [act] {
            auto* sheet = qobject_cast<CDocPropSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            QLineEdit* name = sheet->m_pPageA->Text(DocField::StationName);
            QCOMPARE(name->text(), QString::fromUtf8("新規駅"));
            name->selectAll();
            act(sheet, name);
        });
    };
    // The sheet, driven as a user would: closed with Cancel; a new station name, then OK.
    onSheet([](CDocPropSheet* sheet, QLineEdit*) { sheet->reject(); });
    m_pFrame->Action(ID_BASICDATA)->trigger();
    QVERIFY(doc->IsModified()); // whatever closed the sheet
    QCOMPARE(doc->UndoStack()->count(), 0);
    onSheet([](CDocPropSheet* sheet, QLineEdit* name) {
        name->insert(QString::fromUtf8("八王子"));
        sheet->accept();
    });
    m_pFrame->Action(ID_EDIT_BASICDATA)->trigger();
    QCOMPARE(station(), QString::fromUtf8("八王子"));
    QCOMPARE(doc->UndoStack()->count(), 1);
    m_pFrame->Action(ID_EDIT_UNDO)->trigger();
    QCOMPARE(station(), QString::fromUtf8("新規駅"));

    // 適用 reaches the document while the sheet is open; with Cancel after it, the run is
    // still one undo step.
    QString whileOpen;
    onSheet([&](CDocPropSheet* sheet, QLineEdit* name) {
        name->insert(QString::fromUtf8("立川"));
        QTest::mouseClick(sheet->m_pApply, Qt::LeftButton);
        whileOpen = station();
        name->insert(QString::fromUtf8("X"));
        QTest::mouseClick(sheet->m_pApply, Qt::LeftButton);
        sheet->reject();
    });
    m_pFrame->Action(ID_EDIT_BASICDATA)->trigger();
    QCOMPARE(whileOpen, QString::fromUtf8("立川"));
    QCOMPARE(station(), QString::fromUtf8("立川X"));
    QCOMPARE(doc->UndoStack()->count(), 1);
    m_pFrame->Action(ID_EDIT_UNDO)->trigger();
    QCOMPARE(station(), QString::fromUtf8("新規駅"));
}

void TestMainFrame::tileAndCascade()
{
    CDocManager* manager = m_pFrame->DocManager();
    m_pFrame->resize(900, 700);
    for (int i = 0; i < 3; ++i)
        manager->OnFileNew();
    QApplication::processEvents();
    const QList<QMdiSubWindow*> windows = m_pFrame->MdiArea()->subWindowList();
    const QRect area = m_pFrame->MdiArea()->viewport()->rect();

    // Tile: one above the other, each the full width, none overlapping.
    m_pFrame->Action(ID_WINDOW_TILE_HORZ)->trigger();
    int covered = 0;
    for (QMdiSubWindow* a : windows) {
        QCOMPARE(a->geometry().width(), area.width());
        covered += a->geometry().height();
        for (QMdiSubWindow* b : windows)
            QVERIFY(a == b || !a->geometry().intersects(b->geometry()));
    }
    QVERIFY(covered > area.height() - int(windows.size()));

    // Cascade: each window a step further down and right than the one behind it.
    m_pFrame->Action(ID_WINDOW_CASCADE)->trigger();
    QList<QPoint> corners;
    for (QMdiSubWindow* w : m_pFrame->MdiArea()->subWindowList(QMdiArea::StackingOrder))
        corners << w->geometry().topLeft();
    for (int i = 1; i < corners.size(); ++i) {
        QVERIFY(corners[i].x() > corners[i - 1].x());
        QVERIFY(corners[i].y() > corners[i - 1].y());
    }
}

void TestMainFrame::commandStates()
{
    const QList<int> documentCommands{ID_FILE_CLOSE,       ID_FILE_SAVE,       ID_FILE_SAVE_AS,
                                      ID_EDIT_INSERT,      ID_EDIT_DELETE,     ID_EDIT_CUT,
                                      ID_EDIT_COPY,        ID_EDIT_PASTE,      ID_EDIT_REPLACE,
                                      ID_PATTERNDIA,       ID_WINDOW_NEW,      ID_WINDOW_CASCADE,
                                      ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE,  ID_EDIT_BASICDATA,
                                      ID_BASICDATA,        ID_EDIT_ASSORTMENT, ID_EDIT_DESTINATION};
    for (bool withDocument : {false, true}) {
        if (withDocument)
            m_pFrame->DocManager()->OnFileNew();
        for (int id : documentCommands)
            QVERIFY2(m_pFrame->Action(id)->isEnabled() == withDocument,
                     qPrintable(QString::number(id)));
        for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_APP_EXIT, ID_APP_ABOUT, ID_HELP_FILE})
            QVERIFY(m_pFrame->Action(id)->isEnabled());
    }
}

void TestMainFrame::toolBarButtonsHaveIcons()
{
    for (QAction* action : m_pFrame->MainToolBar()->actions())
        QVERIFY(action->isSeparator() || !action->icon().isNull());
    QCOMPARE(m_pFrame->SecondToolBar()->actions().constFirst()->data().toInt(), int(ID_BASICDATA));
}

void TestMainFrame::buttonAndMarkerImages()
{
    for (const CommandInfo& info : CommandTable())
        if (!info.icon.isEmpty())
            QCOMPARE(QImage(info.icon).size(), QSize(16, 15));
    // The copy and cut marks kept with the resources are the pixels the grid paints.
    const QList<QPair<QString, QPixmap>> marks{{":/icons/copymark.png", Markers::CopyMarker()},
                                               {":/icons/cutmark.png", Markers::CutMarker()}};
    for (const auto& [path, painted] : marks) {
        const QImage kept = QImage(path).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(kept.size(), QSize(Markers::kSize, Markers::kSize));
        QCOMPARE(kept, painted.toImage().convertToFormat(QImage::Format_ARGB32));
    }
}

void TestMainFrame::viewMenuTogglesMainToolBarOnly()
{
    QAction* toolBar = m_pFrame->Action(ID_VIEW_TOOLBAR);
    QVERIFY(toolBar->isChecked());
    toolBar->trigger();
    QVERIFY(m_pFrame->MainToolBar()->isHidden());
    QVERIFY(!m_pFrame->SecondToolBar()->isHidden());
    QVERIFY(!toolBar->isChecked());
    toolBar->trigger();
    QVERIFY(!m_pFrame->MainToolBar()->isHidden());
    QVERIFY(toolBar->isChecked());

    QAction* statusBar = m_pFrame->Action(ID_VIEW_STATUS_BAR);
    statusBar->trigger();
    QVERIFY(m_pFrame->statusBar()->isHidden());
    QVERIFY(!m_pFrame->MainToolBar()->isHidden());
    statusBar->trigger();
    QVERIFY(!m_pFrame->statusBar()->isHidden());
}

void TestMainFrame::statusBar()
{
    QCOMPARE(m_pFrame->MessagePane()->text(), QStringLiteral("Ready..."));
    // A character the file cannot hold, typed into a cell: the note reaches the status bar.
    m_pFrame->DocManager()->OnFileNew();
    CVeldenView* view = m_pFrame->ActiveView();
    view->GetDocument()->Apply(TimetableEdit().InsertTrains(1, {tagTRAININFO{}}), "insert");
    view->SelectCell(3, 1);
    view->BeginEdit();
    auto* box = qobject_cast<QLineEdit*>(view->EditField()->Control());
    QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, QString::fromUtf8("€"),
                        Qt::NoModifier);
    QCOMPARE(m_pFrame->MessagePane()->text(), QString::fromUtf8("「€」は保存できない文字です"));
}

void TestMainFrame::statusNoteStaysUntilTheNextAction()
{
    // Three trains whose type lies beyond the list: the file opens, and says so.
    const QString path = WriteTimetable(
        *m_pDir, "warn.qlm", Samples::Timetable().Trains({{.type = 9}, {.type = 9}, {.type = 9}}));
    QVERIFY(!path.isEmpty());
    const QString note = QStringLiteral("warn.qlm: 範囲外の値が 3 件あります (そのまま保持します)");
    auto leaveMenu = [](QWidget* frame) {
        QStatusTipEvent tip{QString()};
        QApplication::sendEvent(frame, &tip);
    };

    // From the command line: the note is the pane's only text.
    CVeldenApp app;
    QVERIFY(app.InitInstance({path}));
    CMainFrame* frame = app.MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    CMessagePane* pane = frame->MessagePane();
    QCOMPARE(pane->text(), note);
    QVERIFY(frame->statusBar()->currentMessage().isEmpty());
    // A command's prompt shows while pointed at; leaving the menu brings the note back.
    QStatusTipEvent prompt(QStringLiteral("既存のﾌｧｲﾙを開く"));
    QApplication::sendEvent(frame, &prompt);
    QCOMPARE(pane->text(), QStringLiteral("既存のﾌｧｲﾙを開く"));
    leaveMenu(frame);
    QCOMPARE(pane->text(), note);
    // The user's next key ends it.
    QTest::keyClick(frame->ActiveView(), Qt::Key_Down);
    QCOMPARE(pane->text(), QStringLiteral("Ready..."));

    // From the recent-file menu: the menu closing after the choice leaves the note.
    QVERIFY(frame->DocManager()->CloseDocument(frame->DocManager()->ActiveDocument()));
    QAction* recent = nullptr;
    for (QAction* action : frame->menuBar()->actions().constFirst()->menu()->actions())
        if (action->property("mru").toBool())
            recent = action;
    QVERIFY(recent);
    QCOMPARE(recent->text(), QStringLiteral("&1 warn.qlm"));
    recent->trigger();
    leaveMenu(frame);
    QCOMPARE(pane->text(), note);
}

void TestMainFrame::unboundKeysDoNothing()
{
    MessageRecorder messages;
    CDocManager* manager = m_pFrame->DocManager();
    manager->OnFileNew();
    manager->OnFileNew();
    CChildFrame* active = manager->ActiveFrame();
    m_pFrame->activateWindow();
    const QList<QKeySequence> keys{QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)};
    for (const QKeySequence& key : keys) {
        QTest::keySequence(m_pFrame, key);
        QTest::keySequence(active->GetView(), key);
        QCOMPARE(manager->ActiveFrame(), active);
        QCOMPARE(manager->Documents().size(), 2);
        QVERIFY(!active->GetDocument()->IsModified());
    }
    QVERIFY(messages.records.isEmpty());
}

void TestMainFrame::acceleratorsReachCommands()
{
    // Every key of the accelerator table is bound to its command.
    const QList<QPair<int, QKeySequence>> keys{
        {ID_FILE_NEW, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {ID_FILE_OPEN, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {ID_FILE_SAVE, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {ID_EDIT_REPLACE, QKeySequence(Qt::CTRL | Qt::Key_H)},
        {ID_EDIT_INSERT, QKeySequence(Qt::CTRL | Qt::Key_Insert)},
        {ID_EDIT_DELETE, QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {ID_EDIT_CUT, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X)},
        {ID_EDIT_CUT, QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {ID_EDIT_COPY, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
        {ID_EDIT_PASTE, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)},
        {ID_EDIT_PASTE, QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
    };
    for (const auto& [id, key] : keys)
        QVERIFY2(m_pFrame->Action(id)->shortcuts().contains(key), qPrintable(key.toString()));
    // Ctrl+N opens a document from the keyboard.
    m_pFrame->activateWindow();
    QTest::keyClick(m_pFrame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_pFrame->DocManager()->Documents().size(), 1);
}

void TestMainFrame::help_data()
{
    QTest::addColumn<bool>("chmThere");
    QTest::addColumn<bool>("manualThere");
    QTest::addColumn<bool>("viewerOpens");
    QTest::addColumn<QString>("opens");   // the file opened, relative to the temporary folder
    QTest::addColumn<QString>("message"); // the warning's text, with %1 for that folder
    const QString chmFailed = QStringLiteral(
        "ヘルプファイル MARVO.CHM が開けません｡ ディスク上にファイルがあるか確認して下さい｡");
    QTest::newRow("help file") << true << true << true << "MARVO.CHM" << QString();
    QTest::newRow("help file, no viewer") << true << true << false << "MARVO.CHM" << chmFailed;
    QTest::newRow("manual") << false << true << true << "manual/index.html" << QString();
    QTest::newRow("manual, no browser")
        << false << true << false << "manual/index.html"
        << "ブラウザを起動できませんでした｡ マニュアルは次の場所にあります:\n%1/manual/index.html";
    QTest::newRow("neither") << false << false << true << QString()
                             << "ヘルプファイル MARVO.CHM もマニュアルも見つかりません｡ "
                                "マニュアルは次の場所に置かれます:\n%1/manual";
}

void TestMainFrame::help()
{
    QFETCH(bool, chmThere);
    QFETCH(bool, manualThere);
    QFETCH(bool, viewerOpens);
    QFETCH(QString, opens);
    QFETCH(QString, message);
    MessageRecorder messages;
    QList<QUrl> opened;
    CHelpOpener::SetUrlOpener([&](const QUrl& url) {
        opened << url;
        return viewerOpens;
    });
    const QDir dir(m_pDir->path());
    CHelpOpener::SetManualDirs({dir.filePath(QStringLiteral("manual"))});
    if (chmThere) {
        QFile file(dir.filePath(QStringLiteral("MARVO.CHM")));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (manualThere) {
        QVERIFY(dir.mkpath(QStringLiteral("manual")));
        QFile file(dir.filePath(QStringLiteral("manual/index.html")));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    m_pFrame->Action(ID_HELP_FILE)->trigger();
    QDir::setCurrent(old);

    QCOMPARE(opened.size(), opens.isEmpty() ? 0 : 1);
    if (!opens.isEmpty())
        QCOMPARE(opened.constFirst().toLocalFile(), dir.filePath(opens));
    QCOMPARE(messages.records.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(messages.records.constFirst().text,
                 QString(message).replace(QStringLiteral("%1"), dir.path()));
        QCOMPARE(messages.records.constFirst().caption, QStringLiteral("MARVO"));
        QCOMPARE(messages.records.constFirst().icon, QMessageBox::Warning);
    }
}

void TestMainFrame::helpFollowsTheFocus_data()
{
    QTest::addColumn<int>("command"); // opens the window; 0: F1 in the grid
    QTest::addColumn<int>("tab");     // the sheet's page shown, -1 for none
    QTest::addColumn<QString>("page");
    QTest::newRow("grid") << 0 << -1 << "grid.html";
    QTest::newRow("insert") << int(ID_EDIT_INSERT) << -1 << "rows.html#insert";
    QTest::newRow("types") << int(ID_EDIT_ASSORTMENT) << -1 << "masterdata.html#types";
    QTest::newRow("advanced page") << int(ID_EDIT_BASICDATA) << 2 << "prop-advanced.html";
}

void TestMainFrame::helpFollowsTheFocus()
{
    // F1 in a dialog opens the manual of the sources (this test runs from the build) at the
    // page about that dialog.
    QFETCH(int, command);
    QFETCH(int, tab);
    QFETCH(QString, page);
    MessageRecorder messages;
    QList<QUrl> opened;
    CHelpOpener::SetUrlOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    CHelpOpener::SetManualDirs({});
    m_pFrame->DocManager()->OnFileNew();
    CVeldenView* view = m_pFrame->ActiveView();
    view->setFocus();
    view->SelectCell(1, 1);
    if (command == 0) {
        PressKey(view, Qt::Key_F1);
    } else {
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            if (tab >= 0)
                dialog->findChild<QTabWidget*>()->setCurrentIndex(tab);
            PressKey(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_F1);
            dialog->close();
        });
        m_pFrame->Action(command)->trigger();
    }
    QCOMPARE(messages.records.size(), 0);
    QCOMPARE(opened.size(), 1);
    const QFileInfo file(opened.constFirst().toLocalFile());
    QCOMPARE(file.absolutePath(), CHelpOpener::FindManual());
    QVERIFY(file.isFile());
    QString shown = file.fileName();
    if (opened.constFirst().hasFragment())
        shown += QLatin1Char('#') + opened.constFirst().fragment();
    QCOMPARE(shown, page);
}

void TestMainFrame::versionLine_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("patch");
    QTest::addColumn<QString>("line");
    QTest::newRow("1.5.0") << 1 << 5 << 0 << " 1.05.00";
    QTest::newRow("two digits") << 12 << 34 << 56 << "12.34.56";
    QTest::newRow("zero") << 0 << 0 << 7 << " 0.00.07";
}

void TestMainFrame::versionLine()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, patch);
    QFETCH(QString, line);
    QCOMPARE(CAboutDlg::VersionLine(major, minor, patch), line);
}

void TestMainFrame::aboutBox()
{
    CAboutDlg dialog(m_pFrame);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(dialog.VersionLabel()->text(), QStringLiteral(" 1.05.00"));
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons.constFirst()->text(), QStringLiteral("OK"));
    QVERIFY(buttons.constFirst()->isDefault());
}

void TestMainFrame::droppedFilesOpen()
{
    QStringList files;
    for (const char* name : {"one.qlm", "two.qlm"}) {
        CVeldenDoc doc;
        doc.OnNewDocument();
        files << m_pDir->filePath(QString::fromLatin1(name));
        QVERIFY(doc.OnSaveDocument(files.constLast()));
    }
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(files[0]), QUrl::fromLocalFile(files[1])});
    const QPointF at(m_pFrame->width() / 2, m_pFrame->height() / 2);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pFrame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pFrame, &drop);
    delete mime;

    QStringList titles;
    for (CVeldenDoc* doc : m_pFrame->DocManager()->Documents())
        titles << doc->GetTitle();
    QCOMPARE(titles, QStringList({"one.qlm", "two.qlm"}));
    QCOMPARE(m_pFrame->MdiArea()->subWindowList().size(), 2);

    // A file that is no timetable is refused with its reason; the others still open.
    MessageRecorder messages;
    const QString text = m_pDir->filePath(QStringLiteral("notes.txt"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("plain text");
    file.close();
    const QString three = m_pDir->filePath(QStringLiteral("three.qlm"));
    QVERIFY(QFile::copy(files[0], three));
    QMimeData mixed;
    mixed.setUrls({QUrl::fromLocalFile(text), QUrl::fromLocalFile(three)});
    QDragEnterEvent enterMixed(at.toPoint(), Qt::CopyAction, &mixed, Qt::LeftButton,
                               Qt::NoModifier);
    QApplication::sendEvent(m_pFrame, &enterMixed);
    QDropEvent dropMixed(at, Qt::CopyAction, &mixed, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pFrame, &dropMixed);
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(messages.records.constFirst().text.contains(QStringLiteral("notes.txt")));
    QCOMPARE(m_pFrame->DocManager()->Documents().size(), 3);
    QCOMPARE(m_pFrame->DocManager()->ActiveDocument()->GetTitle(), QStringLiteral("three.qlm"));
}

void TestMainFrame::startWithoutArguments()
{
    CVeldenApp app;
    QVERIFY(app.InitInstance({}));
    Msg::SetMessageHook({});
    CDocManager* manager = app.MainFrame()->DocManager();
    QCOMPARE(manager->Documents().size(), 1);
    QCOMPARE(manager->Documents().constFirst()->GetTitle(), QStringLiteral("QLM1"));
    QCOMPARE(app.MainFrame()->CurrentMenuId(), 129);
    QVERIFY(app.MainFrame()->isVisible());
    QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("MARVO - QLM1[*]"));
}

void TestMainFrame::filesGoToTheRunningProgram()
{
    QVERIFY(!WriteTimetable(*m_pDir, "handed.qlm", Samples::Timetable()).isEmpty());
    const QString socket = CInstanceServer::ServerName();
    {
        // A socket left behind by a program that ended abnormally does not stop this one.
        QFile stale(socket);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        CVeldenApp app;
        QVERIFY(app.InitInstance({}));
        QVERIFY(app.InstanceServer()->IsListening());

        // A second start with a file (named relative to its own directory) hands it over and
        // ends at once; the running program opens it.
        QProcess marvo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_pDir->path());
        marvo.setProcessEnvironment(env);
        marvo.setWorkingDirectory(m_pDir->path());
        marvo.start(QStringLiteral(MARVO_BIN), {QStringLiteral("handed.qlm")});
        QTRY_COMPARE_WITH_TIMEOUT(marvo.state(), QProcess::NotRunning, 30000);
        QCOMPARE(marvo.exitCode(), 0);
        CDocManager* manager = app.MainFrame()->DocManager();
        QCOMPARE(manager->Documents().size(), 2);
        QCOMPARE(manager->ActiveDocument()->GetTitle(), QStringLiteral("handed.qlm"));
    }
    // The program that ends takes its socket with it.
    QVERIFY(!QFile::exists(socket));
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
