// Recovery copies through the real document manager: the timer writes what a save would, the
// copy goes when the work is saved or closed, the start-up question restores, keeps or
// discards, a failing write is one note, and a killed MARVO's edit comes back byte for byte.
#include "apptesthelpers.h"
#include "docmanager.h"
#include "fileio.h"
#include "mainframe.h"
#include "messagepane.h"
#include "recoverydlg.h"
#include "recoverykeeper.h"
#include "samples.h"
#include "sjis.h"
#include "timetableedit.h"
#include "veldendoc.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

namespace {

CQLMDoc OneTrain()
{
    return Samples::Timetable().Trains({{.name = "あずさ"}});
}

using Samples::ReadFile;

void InsertTrain(CVeldenDoc* doc)
{
    doc->Apply(TimetableEdit().InsertTrains(1, {Samples::Train{.name = "あずさ"}}),
               QStringLiteral("挿入"));
}

void RenameTrain(CVeldenDoc* doc, const char* name)
{
    tagTRAININFO train = doc->Timetable().m_TrainInfo.ElementAt(1);
    train.strName = Sjis::FromUtf8(name);
    doc->Apply(TimetableEdit().SetTrain(1, train), QStringLiteral("列車名"));
}

struct stat Stat(const QString& path)
{
    struct stat st = {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Runs act on the recovery dialog once it is open.
void WhenDialogOpens(std::function<void(CRecoveryDlg*)> act)
{
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<CRecoveryDlg*>(QApplication::activeModalWidget()))
            act(dialog);
        else
            WhenDialogOpens(act);
    });
}

// The copies a start would offer, answered 後で.
QList<CRecoveryStore::Copy> Offered(CDocManager* manager)
{
    QList<CRecoveryStore::Copy> offered;
    CDocManager::SetRecoveryPrompt([&](QWidget*, const QList<CRecoveryStore::Copy>& copies) {
        offered = copies;
        return RecoveryAnswer::Later;
    });
    manager->OfferRecovery();
    CDocManager::SetRecoveryPrompt({});
    return offered;
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void copyGoesWithTheWork_data();
    void copyGoesWithTheWork();
    void startUpQuestion_data();
    void startUpQuestion();
    void failingCopyIsOneNote_data();
    void failingCopyIsOneNote();
    void killedProgramIsRestored();

private:
    CMainFrame* NewFrame()
    {
        m_frames.append(new CMainFrame);
        m_frames.constLast()->show();
        return m_frames.constLast();
    }
    QString Folder() const { return m_pDir->filePath(QStringLiteral("state/marvo/recovery")); }
    QStringList FilesIn(const QString& pattern) const
    {
        return QDir(Folder()).entryList({pattern}, QDir::Files);
    }
    QString WriteBoard() { return WriteTimetable(*m_pDir, "board.qlm", OneTrain()); }

    QTemporaryDir m_settingsDir;
    QTemporaryDir* m_pDir = nullptr;
    QList<CMainFrame*> m_frames;
};

void TestRecovery::initTestCase()
{
    UseTemporarySettings(m_settingsDir);
    QCoreApplication::setOrganizationName(QStringLiteral("MARVO"));
    QCoreApplication::setApplicationName(QStringLiteral("MARVO"));
}

void TestRecovery::init()
{
    m_pDir = new QTemporaryDir;
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_pDir->filePath(QStringLiteral("state"))));
    QSettings().setValue(QStringLiteral("Recovery/IntervalSeconds"), 1);
    const QString other = m_pDir->filePath(QStringLiteral("other.qlm"));
    CDocManager::SetSavePrompt([other](QWidget*, const QString&, const QString&) { return other; });
}

void TestRecovery::cleanup()
{
    FileIo::SetFaultHook({});
    qDeleteAll(m_frames);
    m_frames.clear();
    delete m_pDir;
}

void TestRecovery::copyGoesWithTheWork_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("kept");
    QTest::newRow("save") << "save" << QMessageBox::NoButton << false;
    QTest::newRow("save as") << "save as" << QMessageBox::NoButton << false;
    QTest::newRow("undo to the saved state") << "undo" << QMessageBox::NoButton << false;
    QTest::newRow("close, はい") << "close" << QMessageBox::Yes << false;
    QTest::newRow("close, いいえ") << "close" << QMessageBox::No << false;
    QTest::newRow("close, cancelled") << "close" << QMessageBox::Cancel << true;
    QTest::newRow("exit, いいえ") << "exit" << QMessageBox::No << false;
}

void TestRecovery::copyGoesWithTheWork()
{
    QFETCH(QString, how);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, kept);
    const QString path = WriteBoard();
    CMainFrame* frame = NewFrame();
    CDocManager* manager = frame->DocManager();
    CVeldenDoc* doc = manager->OpenDocumentFile(path);
    QTest::qWait(1100);
    QVERIFY(FilesIn("*").isEmpty()); // unmodified: nothing to keep
    // The timer writes what a save would write, beside the user's file, with a side file.
    RenameTrain(doc, "かいじ");
    QTRY_VERIFY_WITH_TIMEOUT(FilesIn("*.json").size() == 1, 3000);
    manager->Recovery()->WaitForWrites();
    const QString base = manager->Recovery()->CopyBaseOf(doc);
    QCOMPARE(ReadFile(base + ".qlm"), Samples::Bytes(doc->Timetable()));
    QCOMPARE(ReadFile(path), Samples::Bytes(OneTrain()));
    const QJsonObject side = QJsonDocument::fromJson(ReadFile(base + ".json")).object();
    QCOMPARE(side.value("path").toString(), path);
    QCOMPARE(side.value("pid").toInteger(), QCoreApplication::applicationPid());
    QCOMPARE(Stat(Folder()).st_mode & 0777, 0700u);

    MessageRecorder messages;
    messages.answers = {answer};
    if (how == "save")
        QVERIFY(manager->OnFileSave(doc));
    else if (how == "save as")
        QVERIFY(manager->OnFileSaveAs(doc));
    else if (how == "undo")
        doc->Undo();
    else if (how == "close")
        QCOMPARE(manager->CloseDocument(doc), !kept);
    else
        QVERIFY(frame->close());
    manager->Recovery()->WaitForWrites();
    QCOMPARE(FilesIn("*-*").size(), kept ? 2 : 0); // the copy and its side file
    if (how == "exit") {
        // The program ends: nothing is left, and the next start has nothing to ask.
        delete m_frames.takeFirst();
        QCOMPARE(FilesIn("*"), QStringList());
    }
}

void TestRecovery::startUpQuestion_data()
{
    QTest::addColumn<RecoveryAnswer>("answer");
    QTest::newRow("Enter: 復元") << RecoveryAnswer::Restore;
    QTest::newRow("Escape: 後で") << RecoveryAnswer::Later;
    QTest::newRow("破棄, confirmed") << RecoveryAnswer::Discard;
}

void TestRecovery::startUpQuestion()
{
    QFETCH(RecoveryAnswer, answer);
    // A MARVO with a changed file and a changed untitled document, and a copy that does not
    // read left by another one.
    const QString path = WriteBoard();
    CDocManager* first = NewFrame()->DocManager();
    CVeldenDoc* file = first->OpenDocumentFile(path);
    RenameTrain(file, "かいじ");
    CVeldenDoc* untitled = first->OnFileNew();
    InsertTrain(untitled);
    first->Recovery()->Tick();
    first->Recovery()->WaitForWrites();
    const QByteArray fileBytes = Samples::Bytes(file->Timetable());
    const QByteArray untitledBytes = Samples::Bytes(untitled->Timetable());
    QVERIFY(Samples::WriteFile(Folder() + "/0123456789abcdef-1.qlm", "QL3 cut short"));

    // While the first MARVO runs, another start is offered only the ended one's copy.
    QCOMPARE(Offered(NewFrame()->DocManager()).size(), 1);

    // The first one ends without closing its documents; the file changes on disk afterwards.
    delete m_frames.takeFirst();
    QFile touched(path);
    QVERIFY(touched.open(QIODevice::Append));
    QVERIFY(touched.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                QFileDevice::FileModificationTime));
    touched.close();

    QStringList rows;
    MessageRecorder messages;
    messages.answers = {QMessageBox::No, QMessageBox::Yes};
    WhenDialogOpens([&](CRecoveryDlg* dialog) {
        for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = dialog->List()->topLevelItem(i);
            rows << item->text(0) + "|" + item->text(1) + "|" + item->text(3).left(7);
        }
        // 復元 is the one default button; 回復用のコピー(&C) reaches the list.
        int defaults = 0;
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            defaults += button->isDefault() ? 1 : 0;
        QCOMPARE(defaults, 1);
        QVERIFY(dialog->findChild<QPushButton*>("restore")->isDefault());
        int buddies = 0;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            buddies += label->text().contains("(&C)") && label->buddy() == dialog->List() ? 1 : 0;
        QCOMPARE(buddies, 1);
        QWidget* focus = dialog->focusWidget();
        if (answer == RecoveryAnswer::Restore)
            PressKey(focus, Qt::Key_Return);
        else if (answer == RecoveryAnswer::Later)
            PressKey(focus, Qt::Key_Escape);
        else
            for (int i = 0; i < 2; ++i) // the first confirmation is answered いいえ
                dialog->findChild<QPushButton*>("discard")->click();
    });
    CDocManager* next = NewFrame()->DocManager();
    QCOMPARE(next->OfferRecovery(), answer == RecoveryAnswer::Restore ? 2 : 0);
    rows.sort(); // one tick wrote both copies: their order is either
    QCOMPARE(rows, QStringList({"0123456789abcdef-1.qlm||読み込めません", "QLM1||",
                                "board.qlm|" + QDir::toNativeSeparators(m_pDir->path()) +
                                    "|元のファイルの"}));
    QCOMPARE(messages.records.size(), answer == RecoveryAnswer::Discard ? 2 : 0);
    QCOMPARE(FilesIn("*.qlm").size(), answer == RecoveryAnswer::Discard ? 0 : 3);
    if (answer != RecoveryAnswer::Restore) {
        QVERIFY(next->Documents().isEmpty());
        return;
    }
    // Each document as it was, marked modified, with an empty history and its own path.
    QList<CVeldenDoc*> docs = next->Documents();
    QCOMPARE(docs.size(), 2);
    if (docs.at(0)->GetPathName().isEmpty())
        docs.swapItemsAt(0, 1);
    CVeldenDoc* restored = docs.at(0);
    QCOMPARE(restored->GetPathName(), path);
    QCOMPARE(Samples::Bytes(restored->Timetable()), fileBytes);
    QCOMPARE(docs.at(1)->GetTitle(), QStringLiteral("QLM1"));
    QCOMPARE(Samples::Bytes(docs.at(1)->Timetable()), untitledBytes);
    for (CVeldenDoc* doc : docs)
        QVERIFY(doc->IsModified() && doc->UndoStack()->count() == 0);
    // Ctrl+S writes the user's file and drops the copy; the unreadable copy stays.
    QVERIFY(next->OnFileSave(restored));
    next->Recovery()->WaitForWrites();
    QCOMPARE(ReadFile(path), fileBytes);
    QCOMPARE(FilesIn("*.qlm").size(), 2);
}

void TestRecovery::failingCopyIsOneNote_data()
{
    QTest::addColumn<bool>("diskFull"); // else the folder cannot be made
    QTest::newRow("disk full") << true;
    QTest::newRow("folder blocked") << false;
}

void TestRecovery::failingCopyIsOneNote()
{
    QFETCH(bool, diskFull);
    const QString blocker = m_pDir->filePath(QStringLiteral("state/marvo"));
    QVERIFY(QDir().mkpath(m_pDir->filePath(QStringLiteral("state"))));
    QFile file(blocker);
    QVERIFY(diskFull || file.open(QIODevice::WriteOnly));
    if (diskFull)
        FileIo::SetFaultHook([](FileIo::Step step, const QString&) {
            return step == FileIo::Step::Write ? ENOSPC : 0;
        });
    CMainFrame* frame = NewFrame();
    CDocManager* manager = frame->DocManager();
    CVeldenDoc* doc = manager->OnFileNew();
    QSignalSpy notes(manager, &CDocManager::statusMessage);
    for (int i = 0; i < 3; ++i) {
        InsertTrain(doc);
        manager->Recovery()->Tick();
        manager->Recovery()->WaitForWrites();
    }
    QCOMPARE(notes.size(), 1);
    const QString note = frame->MessagePane()->Note();
    QVERIFY2(note.startsWith(QStringLiteral("回復用のコピーを")) &&
                 note.contains(diskFull ? QStringLiteral("ディスクの空き容量") : Folder()),
             qPrintable(note));
    QCOMPARE(doc->Timetable().m_wTrainCount, 3); // editing went on

    // Once the disk has room again, the next tick writes the copy, and one after it without a
    // change writes nothing.
    FileIo::SetFaultHook({});
    QFile::remove(blocker);
    manager->Recovery()->Tick();
    manager->Recovery()->WaitForWrites();
    const QString copy = manager->Recovery()->CopyBaseOf(doc) + ".qlm";
    QCOMPARE(ReadFile(copy), Samples::Bytes(doc->Timetable()));
    const ino_t written = Stat(copy).st_ino;
    manager->Recovery()->Tick();
    manager->Recovery()->WaitForWrites();
    QCOMPARE(Stat(copy).st_ino, written);
}

void TestRecovery::killedProgramIsRestored()
{
    const QString path = WriteBoard();
    QVERIFY(QDir().mkpath(m_pDir->filePath(QStringLiteral("config/MARVO"))));
    QVERIFY(Samples::WriteFile(m_pDir->filePath(QStringLiteral("config/MARVO/MARVO.conf")),
                               "[Recovery]\nIntervalSeconds=1\n"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_pDir->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("MARVO_SERVER_NAME"), m_pDir->filePath(QStringLiteral("socket")));

    // A MARVO renames a train and is killed once its copy is on disk.
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QStringLiteral(RECOVERY_CHILD), {path});
    QTRY_VERIFY_WITH_TIMEOUT(FilesIn("*.json").size() == 1, 20000);
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(ReadFile(path), Samples::Bytes(OneTrain()));

    // A start without a screen asks nothing and keeps the copy.
    QProcess marvo;
    marvo.setProcessEnvironment(env);
    marvo.start(QStringLiteral(MARVO_BIN), {});
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += marvo.readAllStandardError()).contains("文書の復元"), 20000);
    marvo.kill();
    QVERIFY(marvo.waitForFinished(10000));
    QCOMPARE(FilesIn("*.qlm").size(), 1);

    // The next start that asks brings the edit back: byte for byte what a save before the kill
    // would have written. The killed programs' locks are gone.
    CQLMDoc edited = OneTrain();
    edited.m_TrainInfo.ElementAt(1).strName = Sjis::FromUtf8("かいじ");
    WhenDialogOpens([](CRecoveryDlg* dialog) { PressKey(dialog->focusWidget(), Qt::Key_Return); });
    CDocManager* manager = NewFrame()->DocManager();
    QCOMPARE(manager->OfferRecovery(), 1);
    CVeldenDoc* doc = manager->Documents().constFirst();
    QCOMPARE(doc->GetPathName(), path);
    QVERIFY(doc->IsModified());
    QCOMPARE(Samples::Bytes(doc->Timetable()), Samples::Bytes(edited));
    QCOMPARE(FilesIn("*.lock").size(), 1);
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
