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
#include "sjis.h"
#include "timetableedit.h"
#include "veldendoc.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
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
    CQLMDoc doc;
    doc.SetNewDocumentDefaults();
    doc.SetTrainCount(1);
    tagTRAININFO& train = doc.m_TrainInfo.ElementAt(1);
    train.wTrainNo = 1234;
    train.wAssortment = 1;
    train.wDestination = 1;
    train.strName = Sjis::FromUtf8("あずさ");
    return doc;
}

QByteArray SaveBytes(const CQLMDoc& doc)
{
    QByteArray bytes;
    doc.SaveFile(&bytes);
    return bytes;
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void RenameTrain(CVeldenDoc* doc, const char* name)
{
    tagTRAININFO train = doc->Timetable().m_TrainInfo.ElementAt(1);
    train.strName = Sjis::FromUtf8(name);
    doc->Apply(TimetableEdit().SetTrain(1, train), QStringLiteral("列車名"));
}

struct stat Stat(const QString& path)
{
    struct stat st
    {
    };
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Runs act on the recovery dialog once it is open.
void WhenDialogOpens(std::function<void(CRecoveryDlg*)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<CRecoveryDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return WhenDialogOpens(act);
        act(dialog);
    });
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void copyFollowsTheDocument();
    void copyGoesWithTheWork_data();
    void copyGoesWithTheWork();
    void startUpQuestion_data();
    void startUpQuestion();
    void failingCopyIsOneNote_data();
    void failingCopyIsOneNote();
    void killedProgramIsRestored();

private:
    CMainFrame* NewFrame();
    QString Folder() const { return m_pDir->filePath(QStringLiteral("state/marvo/recovery")); }
    QStringList FilesIn(const QString& pattern) const
    {
        return QDir(Folder()).entryList({pattern}, QDir::Files);
    }
    QString WriteBoard();

    QTemporaryDir m_settingsDir;
    QTemporaryDir* m_pDir = nullptr;
    QList<CMainFrame*> m_frames;
    QString m_nextSaveName;
};

void TestRecovery::initTestCase()
{
    UseTemporarySettings(m_settingsDir);
    QCoreApplication::setOrganizationName(QStringLiteral("MARVO"));
    QCoreApplication::setApplicationName(QStringLiteral("MARVO"));
    CDocManager::SetSavePrompt(
        [this](QWidget*, const QString&, const QString&) { return m_nextSaveName; });
}

void TestRecovery::init()
{
    m_pDir = new QTemporaryDir;
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_pDir->filePath(QStringLiteral("state"))));
    QSettings().clear();
    QSettings().setValue(QStringLiteral("Recovery/IntervalSeconds"), 1);
}

void TestRecovery::cleanup()
{
    FileIo::SetFaultHook({});
    qDeleteAll(m_frames);
    m_frames.clear();
    delete m_pDir;
}

CMainFrame* TestRecovery::NewFrame()
{
    auto* frame = new CMainFrame;
    frame->show();
    m_frames.append(frame);
    return frame;
}

QString TestRecovery::WriteBoard()
{
    const QString path = m_pDir->filePath(QStringLiteral("board.qlm"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(SaveBytes(OneTrain())) <= 0)
        return {};
    return path;
}

void TestRecovery::copyFollowsTheDocument()
{
    const QString path = WriteBoard();
    const QByteArray original = Bytes(path);
    CDocManager* manager = NewFrame()->DocManager();
    CRecoveryKeeper* keeper = manager->Recovery();
    CVeldenDoc* doc = manager->OpenDocumentFile(path);
    QTest::qWait(1300);
    QVERIFY(FilesIn("*").isEmpty()); // unmodified: nothing to keep

    RenameTrain(doc, "かいじ");
    QTRY_VERIFY_WITH_TIMEOUT(FilesIn("*.json").size() == 1, 3000);
    keeper->WaitForWrites();
    const QString base = keeper->CopyBaseOf(doc);
    QCOMPARE(Bytes(base + ".qlm"), SaveBytes(doc->Timetable()));
    QCOMPARE(Bytes(path), original);
    const QJsonObject side = QJsonDocument::fromJson(Bytes(base + ".json")).object();
    QCOMPARE(side.value("path").toString(), path);
    QCOMPARE(side.value("title").toString(), QStringLiteral("board.qlm"));
    QCOMPARE(side.value("pid").toInteger(), QCoreApplication::applicationPid());
    QCOMPARE(Stat(Folder()).st_mode & 0777, 0700u);

    // Nothing changed: the copy is not written again; a change is, at the next tick.
    const ino_t written = Stat(base + ".qlm").st_ino;
    QTest::qWait(1300);
    keeper->WaitForWrites();
    QCOMPARE(Stat(base + ".qlm").st_ino, written);
    RenameTrain(doc, "あさま");
    QTRY_COMPARE_WITH_TIMEOUT(Bytes(base + ".qlm"), SaveBytes(doc->Timetable()), 3000);
}

enum class Action
{
    Save,
    SaveAs,
    CloseYes,
    CloseNo,
    CloseCancel,
    UndoToSaved,
    Exit
};

void TestRecovery::copyGoesWithTheWork_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("kept");
    QTest::newRow("save") << Action::Save << false;
    QTest::newRow("save as") << Action::SaveAs << false;
    QTest::newRow("close, はい") << Action::CloseYes << false;
    QTest::newRow("close, いいえ") << Action::CloseNo << false;
    QTest::newRow("close, cancelled") << Action::CloseCancel << true;
    QTest::newRow("undo to the saved state") << Action::UndoToSaved << false;
    QTest::newRow("exit, いいえ") << Action::Exit << false;
}

void TestRecovery::copyGoesWithTheWork()
{
    QFETCH(Action, action);
    QFETCH(bool, kept);
    CMainFrame* frame = NewFrame();
    CDocManager* manager = frame->DocManager();
    CVeldenDoc* doc = manager->OpenDocumentFile(WriteBoard());
    RenameTrain(doc, "かいじ");
    manager->Recovery()->Tick();
    manager->Recovery()->WaitForWrites();
    QCOMPARE(FilesIn("*.qlm").size(), 1);

    MessageRecorder messages;
    m_nextSaveName = m_pDir->filePath(QStringLiteral("other.qlm"));
    switch (action) {
    case Action::Save:
        QVERIFY(manager->OnFileSave(doc));
        break;
    case Action::SaveAs:
        QVERIFY(manager->OnFileSaveAs(doc));
        break;
    case Action::CloseYes:
        messages.answers = {QMessageBox::Yes};
        break;
    case Action::CloseNo:
        messages.answers = {QMessageBox::No};
        break;
    case Action::CloseCancel:
        messages.answers = {QMessageBox::Cancel};
        break;
    case Action::UndoToSaved:
        doc->Undo();
        break;
    case Action::Exit:
        messages.answers = {QMessageBox::No};
        QVERIFY(frame->close());
        break;
    }
    if (!messages.answers.isEmpty() && action != Action::Exit)
        QCOMPARE(manager->CloseDocument(doc), action != Action::CloseCancel);
    manager->Recovery()->WaitForWrites();
    QCOMPARE(FilesIn("*.qlm").size(), kept ? 1 : 0);
    QCOMPARE(FilesIn("*.json").size(), kept ? 1 : 0);
    if (action == Action::Exit) {
        // The program ends: the folder is left empty, and the next start has nothing to ask.
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
    untitled->Apply(TimetableEdit().InsertTrains(1, {OneTrain().m_TrainInfo.ElementAt(1)}),
                    QStringLiteral("挿入"));
    first->Recovery()->Tick();
    first->Recovery()->WaitForWrites();
    const QByteArray fileBytes = SaveBytes(file->Timetable());
    const QByteArray untitledBytes = SaveBytes(untitled->Timetable());
    QFile junk(Folder() + QStringLiteral("/0123456789abcdef-1.qlm"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("QL3 cut short");
    junk.close();

    // While the first MARVO runs, a second one is offered only the copy of the ended one.
    QList<CRecoveryStore::Copy> offered;
    CDocManager::SetRecoveryPrompt([&](QWidget*, const QList<CRecoveryStore::Copy>& copies) {
        offered = copies;
        return RecoveryAnswer::Later;
    });
    NewFrame()->DocManager()->OfferRecovery();
    CDocManager::SetRecoveryPrompt({});
    QCOMPARE(offered.size(), 1);
    QCOMPARE(offered.constFirst().Name(), QStringLiteral("0123456789abcdef-1.qlm"));

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
        QTreeWidget* list = dialog->List();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + " | " + list->topLevelItem(i)->text(1) +
                        " | " + list->topLevelItem(i)->text(3).left(7);
        QWidget* focus = dialog->focusWidget();
        if (answer == RecoveryAnswer::Restore)
            QTest::keyClick(focus, Qt::Key_Return);
        else if (answer == RecoveryAnswer::Later)
            QTest::keyClick(focus, Qt::Key_Escape);
        else
            for (int i = 0; i < 2; ++i) // the first confirmation is answered いいえ
                dialog->findChild<QPushButton*>("discard")->click();
    });
    CDocManager* next = NewFrame()->DocManager();
    QCOMPARE(next->OfferRecovery(), answer == RecoveryAnswer::Restore ? 2 : 0);
    QCOMPARE(rows.size(), 3);
    QVERIFY(rows.contains("board.qlm | " + QDir::toNativeSeparators(m_pDir->path()) +
                          " | 元のファイルの"));
    QVERIFY(rows.contains("QLM1 |  | "));
    QVERIFY(rows.contains("0123456789abcdef-1.qlm |  | 読み込めません"));
    QCOMPARE(messages.records.size(), answer == RecoveryAnswer::Discard ? 2 : 0);

    const int left = answer == RecoveryAnswer::Discard ? 0 : 3;
    QCOMPARE(FilesIn("*.qlm").size(), left);
    if (answer != RecoveryAnswer::Restore) {
        QVERIFY(next->Documents().isEmpty());
        return;
    }
    // Each document as it was, marked modified, with an empty history and its own path.
    QCOMPARE(next->Documents().size(), 2);
    CVeldenDoc* restored = next->Documents().at(0);
    QCOMPARE(restored->GetPathName(), path);
    QCOMPARE(SaveBytes(restored->Timetable()), fileBytes);
    QCOMPARE(next->Documents().at(1)->GetTitle(), QStringLiteral("QLM1"));
    QCOMPARE(SaveBytes(next->Documents().at(1)->Timetable()), untitledBytes);
    for (CVeldenDoc* doc : next->Documents()) {
        QVERIFY(doc->IsModified());
        QCOMPARE(doc->UndoStack()->count(), 0);
    }
    QCOMPARE(next->OnFileNew()->GetTitle(), QStringLiteral("QLM2"));
    // The restored copies now belong to the running MARVO; Ctrl+S writes the user's file and
    // drops its copy; the unreadable copy stays.
    QVERIFY(next->OnFileSave(restored));
    next->Recovery()->WaitForWrites();
    QCOMPARE(Bytes(path), fileBytes);
    QCOMPARE(FilesIn("*.qlm").size(), 2);
    offered.clear();
    CDocManager::SetRecoveryPrompt([&](QWidget*, const QList<CRecoveryStore::Copy>& copies) {
        offered = copies;
        return RecoveryAnswer::Later;
    });
    NewFrame()->DocManager()->OfferRecovery();
    CDocManager::SetRecoveryPrompt({});
    QCOMPARE(offered.size(), 1);
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
    if (diskFull) {
        FileIo::SetFaultHook([](FileIo::Step step, const QString&) {
            return step == FileIo::Step::Write ? ENOSPC : 0;
        });
    } else {
        QVERIFY(QDir().mkpath(m_pDir->filePath(QStringLiteral("state"))));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    CMainFrame* frame = NewFrame();
    CDocManager* manager = frame->DocManager();
    CVeldenDoc* doc = manager->OnFileNew();
    QSignalSpy notes(manager, &CDocManager::statusMessage);
    for (int i = 0; i < 3; ++i) {
        doc->Apply(TimetableEdit().InsertTrains(1, {OneTrain().m_TrainInfo.ElementAt(1)}),
                   QStringLiteral("挿入"));
        manager->Recovery()->Tick();
        manager->Recovery()->WaitForWrites();
    }
    QCOMPARE(notes.size(), 1);
    const QString note = frame->MessagePane()->Note();
    QVERIFY2(note.startsWith(QStringLiteral("回復用のコピーを")), qPrintable(note));
    QVERIFY2(
        note.contains(diskFull ? QStringLiteral("ディスクの空き容量") : QStringLiteral("marvo")),
        qPrintable(note));
    QCOMPARE(doc->Timetable().m_wTrainCount, 3); // editing went on

    // Once the disk has room again, the next tick writes the copy.
    FileIo::SetFaultHook({});
    QFile::remove(blocker);
    manager->Recovery()->Tick();
    manager->Recovery()->WaitForWrites();
    QCOMPARE(Bytes(manager->Recovery()->CopyBaseOf(doc) + ".qlm"), SaveBytes(doc->Timetable()));
}

void TestRecovery::killedProgramIsRestored()
{
    const QString path = WriteBoard();
    const QByteArray original = Bytes(path);
    QVERIFY(QDir().mkpath(m_pDir->filePath(QStringLiteral("config/MARVO"))));
    QFile config(m_pDir->filePath(QStringLiteral("config/MARVO/MARVO.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[Recovery]\nIntervalSeconds=1\n");
    config.close();
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
    QCOMPARE(Bytes(path), original);

    // A start without a screen asks nothing and keeps the copy.
    QProcess marvo;
    marvo.setProcessEnvironment(env);
    marvo.start(QStringLiteral(MARVO_BIN), {});
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += marvo.readAllStandardError()).contains("文書の復元"), 20000);
    marvo.kill();
    QVERIFY(marvo.waitForFinished(10000));
    QCOMPARE(FilesIn("*.qlm").size(), 1);

    // The next start that asks brings the edit back, byte for byte what a save would have
    // written before the kill.
    CQLMDoc edited = OneTrain();
    edited.m_TrainInfo.ElementAt(1).strName = Sjis::FromUtf8("かいじ");
    WhenDialogOpens(
        [](CRecoveryDlg* dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_Return); });
    CDocManager* manager = NewFrame()->DocManager();
    QCOMPARE(manager->OfferRecovery(), 1);
    CVeldenDoc* doc = manager->Documents().constFirst();
    QCOMPARE(doc->GetPathName(), path);
    QVERIFY(doc->IsModified());
    QCOMPARE(SaveBytes(doc->Timetable()), SaveBytes(edited));
    // Only this program's lock and its copy remain: the killed programs' locks are gone.
    QCOMPARE(FilesIn("*.lock").size(), 1);
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
