// The document manager: untitled names, open, save, save as, close with its question, failed
// saves and refused opens, the recent-file list and several windows on one document.
#include "apptesthelpers.h"
#include "childframe.h"
#include "docmanager.h"
#include "fonts.h"
#include "mainframe.h"
#include "samples.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMenuBar>
#include <QtTest>

class TestDocManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void untitledNamesCount();
    void saveAsNamesTheDocument();
    void openingAnOpenFileActivatesIt();
    void closeAsksAboutChanges_data();
    void closeAsksAboutChanges();
    void unmodifiedClosesWithoutQuestion();
    void failedSaveKeepsFileAndFlag();
    void refusedOpenOpensNothing();
    void recentFileList();
    void recentFileMenuNames();
    void secondWindowOnDocument();
    void exitAsksForEveryDocument();
    void maximizedWindowTitle();

private:
    QString SavedFile(const QString& name);

    QTemporaryDir m_settingsDir;
    QTemporaryDir* m_pDir = nullptr;
    CMainFrame* m_pFrame = nullptr;
    CDocManager* m_pManager = nullptr;
    QString m_nextSaveName;
};

void TestDocManager::initTestCase()
{
    Fonts::InstallSubstitutions();
    UseTemporarySettings(m_settingsDir);
    QCoreApplication::setOrganizationName(QStringLiteral("MARVO"));
    QCoreApplication::setApplicationName(QStringLiteral("MARVO"));
    CDocManager::SetSavePrompt(
        [this](QWidget*, const QString&, const QString&) { return m_nextSaveName; });
}

void TestDocManager::init()
{
    m_pDir = new QTemporaryDir;
    QSettings().clear();
    m_pFrame = new CMainFrame;
    m_pManager = m_pFrame->DocManager();
    m_pFrame->show();
    m_nextSaveName.clear();
}

void TestDocManager::cleanup()
{
    MessageRecorder quiet;
    quiet.answers = {QMessageBox::No, QMessageBox::No, QMessageBox::No, QMessageBox::No};
    delete m_pFrame;
    m_pFrame = nullptr;
    delete m_pDir;
}

// A valid timetable file written by a fresh document.
QString TestDocManager::SavedFile(const QString& name)
{
    CVeldenDoc doc;
    doc.OnNewDocument();
    const QString path = m_pDir->filePath(name);
    QString error;
    if (!doc.OnSaveDocument(path, &error))
        qWarning() << error;
    return path;
}

void TestDocManager::untitledNamesCount()
{
    QStringList titles;
    for (int i = 0; i < 3; ++i)
        titles << m_pManager->OnFileNew()->GetTitle();
    QCOMPARE(titles, QStringList({"QLM1", "QLM2", "QLM3"}));
    QCOMPARE(m_pFrame->MdiArea()->subWindowList().size(), 3);
    // Closing one does not reuse its number.
    QVERIFY(m_pManager->CloseDocument(m_pManager->Documents().constFirst()));
    QCOMPARE(m_pManager->OnFileNew()->GetTitle(), QStringLiteral("QLM4"));
    QCOMPARE(m_pManager->ActiveFrame()->windowTitle(), QStringLiteral("QLM4[*]"));
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO - QLM4[*]"));
}

void TestDocManager::saveAsNamesTheDocument()
{
    MessageRecorder messages;
    CVeldenDoc* doc = m_pManager->OnFileNew();
    doc->SetModifiedFlag(true);
    QVERIFY(m_pManager->ActiveFrame()->isWindowModified());
    // Without a suffix the timetable extension is added.
    m_nextSaveName = m_pDir->filePath(QStringLiteral("station"));
    QVERIFY(m_pManager->OnFileSave(doc)); // no path yet: asks for one
    const QString path = m_pDir->filePath(QStringLiteral("station.qlm"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(doc->GetTitle(), QStringLiteral("station.qlm"));
    QCOMPARE(doc->GetPathName(), path);
    QVERIFY(!doc->IsModified());
    QVERIFY(!m_pManager->ActiveFrame()->isWindowModified());
    QCOMPARE(m_pManager->RecentFiles().value(0), path);
    QVERIFY(messages.records.isEmpty());
    // Cancelling the dialog saves nothing.
    m_nextSaveName.clear();
    doc->SetModifiedFlag(true);
    QVERIFY(!m_pManager->OnFileSaveAs(doc));
    QVERIFY(doc->IsModified());
}

void TestDocManager::openingAnOpenFileActivatesIt()
{
    const QString a = SavedFile(QStringLiteral("a.qlm"));
    const QString b = SavedFile(QStringLiteral("b.qlm"));
    CVeldenDoc* docA = m_pManager->OpenDocumentFile(a);
    QVERIFY(docA);
    QCOMPARE(docA->GetTitle(), QStringLiteral("a.qlm"));
    QVERIFY(m_pManager->OpenDocumentFile(b));
    QCOMPARE(m_pManager->ActiveDocument()->GetTitle(), QStringLiteral("b.qlm"));
    // The same file under another spelling of its path.
    QCOMPARE(m_pManager->OpenDocumentFile(m_pDir->path() + QStringLiteral("/./a.qlm")), docA);
    QCOMPARE(m_pManager->Documents().size(), 2);
    QCOMPARE(m_pManager->ActiveDocument(), docA);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestDocManager::closeAsksAboutChanges_data()
{
    QTest::addColumn<bool>("byWindow"); // the window's close box, else File Close
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    for (bool byWindow : {false, true}) {
        const char* how = byWindow ? "window" : "command";
        QTest::addRow("%s yes", how) << byWindow << int(QMessageBox::Yes) << true << true;
        QTest::addRow("%s no", how) << byWindow << int(QMessageBox::No) << true << false;
        QTest::addRow("%s cancel", how) << byWindow << int(QMessageBox::Cancel) << false << false;
    }
}

void TestDocManager::closeAsksAboutChanges()
{
    QFETCH(bool, byWindow);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    MessageRecorder messages;
    messages.answers = {QMessageBox::StandardButton(answer)};
    CVeldenDoc* doc = m_pManager->OnFileNew();
    doc->SetModifiedFlag(true);
    m_nextSaveName = m_pDir->filePath(QStringLiteral("kept.qlm"));

    if (byWindow) {
        m_pManager->ActiveFrame()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } else
        m_pManager->CloseDocument(doc);

    QCOMPARE(messages.records.size(), 1);
    const Msg::Record& asked = messages.records.constFirst();
    QCOMPARE(asked.text, QStringLiteral("QLM1 への変更を保存しますか?"));
    QCOMPARE(asked.caption, QStringLiteral("MARVO"));
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(m_pManager->Documents().isEmpty(), closed);
    QCOMPARE(m_pFrame->MdiArea()->subWindowList().isEmpty(), closed);
    QCOMPARE(QFile::exists(m_nextSaveName), written);
    if (!closed) {
        QVERIFY(doc->IsModified());
        QCOMPARE(m_pFrame->CurrentMenuId(), 129);
    } else {
        QCOMPARE(m_pFrame->CurrentMenuId(), 128);
    }
}

void TestDocManager::unmodifiedClosesWithoutQuestion()
{
    MessageRecorder messages;
    m_pManager->OnFileNew();
    m_pManager->ActiveFrame()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(messages.records.isEmpty());
    QVERIFY(m_pManager->Documents().isEmpty());
}

void TestDocManager::failedSaveKeepsFileAndFlag()
{
    MessageRecorder messages;
    const QString path = SavedFile(QStringLiteral("old.qlm"));
    const QByteArray before = Samples::ReadFile(path);
    CVeldenDoc* doc = m_pManager->OpenDocumentFile(path);
    QVERIFY(doc);
    CQLMDoc changed = doc->Timetable();
    changed.m_strStationName = "changed";
    doc->Apply(TimetableEdit().SetProperties(changed), QStringLiteral("test"));

    // A folder that cannot exist: its parent is a regular file.
    m_nextSaveName = path + QStringLiteral("/inside.qlm");
    QVERIFY(!m_pManager->OnFileSaveAs(doc));
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(!messages.records.constFirst().text.isEmpty());
    QCOMPARE(messages.records.constFirst().caption, QStringLiteral("MARVO"));
    QCOMPARE(messages.records.constFirst().icon, QMessageBox::Warning);
    QVERIFY(doc->IsModified());
    QCOMPARE(doc->GetPathName(), path);
    QCOMPARE(doc->GetTitle(), QStringLiteral("old.qlm"));
    QCOMPARE(Samples::ReadFile(path), before);

    // Yes to the close question with a save that fails keeps the document open.
    messages.records.clear();
    messages.answers = {QMessageBox::Yes};
    doc->SetPathName(m_pDir->filePath(QStringLiteral("missing/dir/x.qlm")));
    QVERIFY(!m_pManager->CloseDocument(doc));
    QCOMPARE(messages.records.size(), 2); // the question, then the reason
    QCOMPARE(m_pManager->Documents().size(), 1);
    QVERIFY(doc->IsModified());
    QCOMPARE(Samples::ReadFile(path), before);
}

void TestDocManager::refusedOpenOpensNothing()
{
    MessageRecorder messages;
    const QString path = m_pDir->filePath(QStringLiteral("bad.qlm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("XYZ not a timetable");
    file.close();
    const QStringList recent = m_pManager->RecentFiles();

    QVERIFY(!m_pManager->OpenDocumentFile(path));
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(!messages.records.constFirst().text.isEmpty());
    QCOMPARE(messages.records.constFirst().caption, QStringLiteral("MARVO"));
    QVERIFY(m_pManager->Documents().isEmpty());
    QVERIFY(m_pFrame->MdiArea()->subWindowList().isEmpty());
    QCOMPARE(m_pManager->RecentFiles(), recent);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // A missing file as well.
    QVERIFY(!m_pManager->OpenDocumentFile(m_pDir->filePath(QStringLiteral("none.qlm"))));
    QCOMPARE(messages.records.size(), 2);
    QVERIFY(m_pManager->Documents().isEmpty());
}

void TestDocManager::recentFileList()
{
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        paths << SavedFile(QStringLiteral("f%1.qlm").arg(i));
        QVERIFY(m_pManager->OpenDocumentFile(paths.constLast()));
    }
    QCOMPARE(m_pManager->RecentFiles(), QStringList({paths[4], paths[3], paths[2], paths[1]}));
    // Opening again moves the file to the top without a second entry.
    m_pManager->CloseDocument(m_pManager->Documents().at(2));
    QVERIFY(m_pManager->OpenDocumentFile(paths[2]));
    QCOMPARE(m_pManager->RecentFiles(), QStringList({paths[2], paths[4], paths[3], paths[1]}));
    // The list survives into the next session.
    CDocManager next(m_pFrame->MdiArea(), nullptr);
    next.LoadRecentFiles();
    QCOMPARE(next.RecentFiles(), m_pManager->RecentFiles());
    // And shows in the File menu.
    QStringList shown;
    for (QAction* action : m_pFrame->menuBar()->actions().constFirst()->menu()->actions())
        if (action->property("mru").toBool())
            shown << action->text();
    // The menu shows names, the prompt the whole path.
    QCOMPARE(shown, QStringList({"&1 f3.qlm", "&2 f5.qlm", "&3 f4.qlm", "&4 f2.qlm"}));

    // A recent file that has gone away: the reason is shown and the entry leaves the list.
    MessageRecorder messages;
    QVERIFY(m_pManager->CloseDocument(m_pManager->ActiveDocument()));
    for (CVeldenDoc* doc : m_pManager->Documents())
        if (doc->GetPathName() == paths[1])
            QVERIFY(m_pManager->CloseDocument(doc));
    QVERIFY(QFile::remove(paths[1]));
    QAction* gone = nullptr;
    for (QAction* action : m_pFrame->menuBar()->actions().constFirst()->menu()->actions())
        if (action->property("mru").toBool() && action->text().endsWith(QStringLiteral("f2.qlm")))
            gone = action;
    QVERIFY(gone);
    QCOMPARE(gone->statusTip(), QStringLiteral("指定のﾌｧｲﾙを開く: ") + paths[1]);
    gone->trigger();
    QCOMPARE(messages.records.size(), 1);
    QVERIFY(messages.records.constFirst().text.contains(QStringLiteral("f2.qlm")));
    QCOMPARE(m_pManager->RecentFiles(), QStringList({paths[2], paths[4], paths[3]}));
    QSettings settings;
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File3")).toString(), paths[3]);
    QVERIFY(!settings.contains(QStringLiteral("Recent File List/File4")));
}

void TestDocManager::recentFileMenuNames()
{
    // Files of one name in different folders are told apart by their folder.
    const QStringList paths{"/srv/east/board.qlm", "/srv/west/board.qlm", "/srv/west/yard.qlm"};
    QCOMPARE(RecentFileMenuNames(paths),
             QStringList({"board.qlm (east)", "board.qlm (west)", "yard.qlm"}));
}

void TestDocManager::secondWindowOnDocument()
{
    MessageRecorder messages;
    CVeldenDoc* doc = m_pManager->OnFileNew();
    CChildFrame* first = m_pManager->ActiveFrame();
    CChildFrame* second = m_pManager->OnWindowNew();
    QVERIFY(second && second != first);
    QCOMPARE(second->GetDocument(), doc);
    QVERIFY(second->GetView() != first->GetView());
    QCOMPARE(first->windowTitle(), QStringLiteral("QLM1:1[*]"));
    QCOMPARE(second->windowTitle(), QStringLiteral("QLM1:2[*]"));
    QCOMPARE(m_pManager->ActiveFrame(), second);
    // Each window keeps its own grid state.
    second->GetView()->State().m_nCopySrcRow = 3;
    QCOMPARE(first->GetView()->State().m_nCopySrcRow, -1);
    // The Window menu lists both windows and switches between them.
    QMenu* windowMenu = m_pFrame->menuBar()->actions().at(3)->menu();
    emit windowMenu->aboutToShow();
    QList<QAction*> listed;
    for (QAction* action : windowMenu->actions())
        if (action->property("windowList").toBool() && !action->isSeparator())
            listed << action;
    QCOMPARE(listed.size(), 2);
    QCOMPARE(listed.at(0)->text(), QStringLiteral("&1 QLM1:1"));
    QCOMPARE(listed.at(1)->text(), QStringLiteral("&2 QLM1:2"));
    QVERIFY(!listed.at(0)->isChecked() && listed.at(1)->isChecked());
    listed.at(0)->trigger();
    QCOMPARE(m_pManager->ActiveFrame(), first);
    emit windowMenu->aboutToShow(); // rebuilt, not appended
    QCOMPARE(windowMenu->actions().size(), 4 + 1 + 2);
    m_pFrame->MdiArea()->setActiveSubWindow(second);
    // A change shows in both titles.
    doc->SetModifiedFlag(true);
    QVERIFY(first->isWindowModified() && second->isWindowModified());
    // Closing one window of two asks nothing and keeps the document.
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(messages.records.isEmpty());
    QCOMPARE(m_pManager->Documents().size(), 1);
    QCOMPARE(first->windowTitle(), QStringLiteral("QLM1[*]"));
}

void TestDocManager::exitAsksForEveryDocument()
{
    MessageRecorder messages;
    m_pManager->OnFileNew()->SetModifiedFlag(true);
    m_pManager->OnFileNew()->SetModifiedFlag(true);
    messages.answers = {QMessageBox::No, QMessageBox::Cancel};
    QVERIFY(!m_pFrame->close());
    QCOMPARE(messages.records.size(), 2);
    QCOMPARE(m_pManager->Documents().size(), 2);
    QVERIFY(m_pFrame->isVisible());

    messages.answers = {QMessageBox::No, QMessageBox::No};
    QVERIFY(m_pFrame->close());
    QVERIFY(m_pManager->Documents().isEmpty());
}

void TestDocManager::maximizedWindowTitle()
{
    // A maximised document window must not add its own "- [name]" to the main title.
    CVeldenDoc* first = m_pManager->OnFileNew();
    m_pManager->ActiveFrame()->showMaximized();
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO - QLM1[*]"));
    first->SetModifiedFlag(true);
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO - QLM1[*]"));
    QVERIFY(m_pFrame->isWindowModified());
    CVeldenDoc* second = m_pManager->OnFileNew();
    QVERIFY(m_pManager->ActiveFrame()->isMaximized());
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO - QLM2[*]"));
    QVERIFY(!m_pFrame->isWindowModified());
    m_pFrame->MdiArea()->setActiveSubWindow(m_pManager->FramesOf(first).constFirst());
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO - QLM1[*]"));
    QVERIFY(m_pFrame->isWindowModified());
    m_pManager->ActiveFrame()->showNormal();
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO - QLM1[*]"));
    m_pManager->ActiveFrame()->showMaximized();
    first->SetModifiedFlag(false);
    QVERIFY(m_pManager->CloseDocument(first));
    QCOMPARE(m_pManager->ActiveDocument(), second);
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO - QLM2[*]"));
    QVERIFY(m_pManager->CloseDocument(second));
    QCOMPARE(m_pFrame->windowTitle(), QStringLiteral("MARVO"));
}

QTEST_MAIN(TestDocManager)
#include "tst_docmanager.moc"
