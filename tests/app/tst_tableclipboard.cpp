// Trains to and from spreadsheets as the user meets them in the main window: a range of rows,
// Ctrl+C, Ctrl+V, the problem list, adding unknown names, Undo.
#include "apptesthelpers.h"
#include "commands.h"
#include "docmanager.h"
#include "editfield.h"
#include "fonts.h"
#include "gridgeometry.h"
#include "mainframe.h"
#include "samples.h"
#include "sjis.h"
#include "tableproblemdlg.h"
#include "traintext.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

using GridGeometry::X;

class TestTableClipboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rangeByShiftKeysAndClicks();
    void copyPutsTextAndHtml();
    void editorKeepsItsOwnCopyAndPaste();
    void pasteInsertsAndUndoRestores();
    void pasteRefusesBadText_data();
    void pasteRefusesBadText();
    void pasteAddsUnknownNamesInOneStep();

private:
    void MakeTrains(int count);
    void ClickCell(int column, int row, Qt::KeyboardModifiers modifiers = {});
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // Answers the problem dialog of the next paste: records its lines, then presses button.
    void AnswerProblems(const QString& button);
    const CQLMDoc& Timetable() const { return m_doc->Timetable(); }

    QTemporaryDir m_settingsDir;
    CMainFrame* m_frame = nullptr;
    CVeldenDoc* m_doc = nullptr;
    CVeldenView* m_view = nullptr;
    QStringList m_problems;
    QString m_question;
};

void TestTableClipboard::initTestCase()
{
    Fonts::InstallSubstitutions();
    UseTemporarySettings(m_settingsDir);
}

void TestTableClipboard::init()
{
    m_frame = new CMainFrame;
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    m_doc = m_frame->DocManager()->OnFileNew();
    m_view = m_frame->ActiveView();
    MakeTrains(30);
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
    m_view->setFocus();
    m_problems.clear();
    m_question.clear();
}

void TestTableClipboard::cleanup()
{
    MessageRecorder quiet;
    quiet.answers = {QMessageBox::No, QMessageBox::No};
    delete m_frame;
    m_frame = nullptr;
}

void TestTableClipboard::MakeTrains(int count)
{
    m_doc->ResetTimetable(Samples::Timetable()
                              .Types({{"普通"}, {"快速"}, {"特急"}})
                              .Destinations({{"東京", "Tokyo"}, {"高尾"}})
                              .Trains(count, [](int i) {
                                  return Samples::Train{
                                      quint16(i), 'M', quint16(1 + i % 3), 360 + i, 1, 3, "あずさ"};
                              }));
}

void TestTableClipboard::ClickCell(int column, int row, Qt::KeyboardModifiers modifiers)
{
    const QPoint scroll(m_view->horizontalScrollBar()->value(),
                        m_view->verticalScrollBar()->value());
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, modifiers,
                      QPoint(X(column) + 5, row * 20 + 5) - scroll);
}

void TestTableClipboard::Key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // The offscreen platform does not give the window back its activation when a dialog closes,
    // as a desktop does; shortcuts need it.
    if (!m_frame->isActiveWindow()) {
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
    }
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : m_view, key, modifiers);
}

void TestTableClipboard::AnswerProblems(const QString& button)
{
    // Waits for the dialog: events run between now and the key that opens it.
    QTimer::singleShot(10, this, [this, button] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            AnswerProblems(button);
            return;
        }
        auto* dlg = qobject_cast<CTableProblemDlg*>(modal);
        if (!dlg) {
            modal->close();
            return;
        }
        for (int i = 0; i < dlg->ProblemList()->count(); ++i)
            m_problems.append(dlg->ProblemList()->item(i)->text());
        if (auto* question = dlg->findChild<QLabel*>(QStringLiteral("addQuestion")))
            m_question = question->text();
        for (QAbstractButton* b : dlg->findChild<QDialogButtonBox*>()->buttons())
            if (b->text() == button)
                b->click();
    });
}

void TestTableClipboard::rangeByShiftKeysAndClicks()
{
    const GridState& state = m_view->State();
    auto range = [&state] { return QPair<int, int>(state.RangeFirst(), state.RangeLast()); };
    ClickCell(3, 4);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(range(), qMakePair(4, 6));
    QCOMPARE(state.m_nCurRow, 6);
    QCOMPARE(state.m_nCurColumn, 3);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    Key(Qt::Key_Up, Qt::ShiftModifier); // past the anchor: the range turns upwards
    QCOMPARE(range(), qMakePair(3, 4));

    // The range's rows are drawn highlighted under the grid; the rows outside are not.
    const QImage image = m_view->viewport()->grab().toImage();
    const QRgb base = m_view->palette().color(QPalette::Base).rgb();
    const int x = X(9) + 100; // an empty part of the supplement column
    QVERIFY(image.pixel(x, 3 * 20 + 10) != base);
    QVERIFY(image.pixel(x, 4 * 20 + 10) != base);
    QCOMPARE(image.pixel(x, 5 * 20 + 10), base);
    QCOMPARE(image.pixel(x, 2 * 20 + 10), base);
    QCOMPARE(image.pixel(X(5), 3 * 20 + 10), qRgb(192, 192, 192)); // grid lines stay on top

    // Shift+click on a row number and on a cell moves the range's end; the column stays with
    // the row number and follows the cell.
    ClickCell(0, 9, Qt::ShiftModifier);
    QCOMPARE(range(), qMakePair(4, 9));
    QCOMPARE(state.m_nCurColumn, 3);
    ClickCell(6, 2, Qt::ShiftModifier);
    QCOMPARE(range(), qMakePair(2, 4));
    QCOMPARE(state.m_nCurColumn, 6);
    QVERIFY(!m_view->IsEditing());

    // A plain arrow key or click collapses the range to the current cell.
    Key(Qt::Key_Right);
    QCOMPARE(range(), qMakePair(2, 2));
    QCOMPARE(state.m_nCurColumn, 7);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(range(), qMakePair(2, 3));
    ClickCell(5, 8);
    QCOMPARE(range(), qMakePair(8, 8));
    QVERIFY(!m_view->State().HasRange());
    QCOMPARE(m_view->viewport()->grab().toImage().pixel(x, 3 * 20 + 10), base);

    // The range follows its trains when rows are inserted above it.
    ClickCell(0, 10, Qt::ShiftModifier);
    m_doc->Apply(TimetableEdit().InsertTrains(1, std::vector<tagTRAININFO>(2)), "insert");
    QCOMPARE(range(), qMakePair(10, 12));
}

void TestTableClipboard::copyPutsTextAndHtml()
{
    ClickCell(2, 5);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    QVERIFY(mime);
    const TrainText::Table table = TrainText::TrainTable(Timetable(), 5, 7);
    // The texts themselves are the core's: here only which rows go where.
    QCOMPARE(mime->text(), TrainText::ToTabText(table));
    QCOMPARE(mime->html(), TrainText::ToHtml(table));

    // Without a range the current row alone; the menu item closes an open editor first.
    ClickCell(3, 9);
    ClickCell(3, 9);
    QVERIFY(m_view->IsEditing());
    m_frame->Action(ID_EDIT_COPY_TABLE)->trigger();
    QVERIFY(!m_view->IsEditing());
    QCOMPARE(QApplication::clipboard()->text(),
             TrainText::ToTabText(TrainText::TrainTable(Timetable(), 9, 9)));

    // The two items follow 貼り付け in the 編集 menu.
    QMenu* edit = nullptr;
    for (QAction* menu : m_frame->menuBar()->actions())
        if (menu->text() == QStringLiteral("編集(&E)"))
            edit = menu->menu();
    QVERIFY(edit);
    const QList<QAction*> items = edit->actions();
    const qsizetype paste = items.indexOf(m_frame->Action(ID_EDIT_PASTE));
    QCOMPARE(items.value(paste + 1), m_frame->Action(ID_EDIT_COPY_TABLE));
    QCOMPARE(items.value(paste + 2), m_frame->Action(ID_EDIT_PASTE_TABLE));
}

void TestTableClipboard::editorKeepsItsOwnCopyAndPaste()
{
    QApplication::clipboard()->setText(QStringLiteral("old"));
    ClickCell(3, 2);
    ClickCell(3, 2);
    auto* box = qobject_cast<QLineEdit*>(m_view->EditField()->Control());
    QVERIFY(box && box->hasFocus());
    // The whole text is selected when the editor opens: Ctrl+C copies it, not the table.
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("あずさ"));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("あずさあずさ"));
    QVERIFY(m_view->IsEditing());
    QCOMPARE(Timetable().m_wTrainCount, 30);
    QCOMPARE(Timetable().m_TrainInfo.ElementAt(2).strName, Sjis::FromUtf8("あずさあずさ"));
}

void TestTableClipboard::pasteInsertsAndUndoRestores()
{
    const CQLMDoc before = Timetable();
    const QString text = QStringLiteral("列車番号\t列車種別\t列車名\t列車名(英)\t発車時刻\t行先\n"
                                        "101A\t特急\tかいじ\tKaiji\t7:05\t高尾\t4\r\n"
                                        "\n"
                                        "102\t普通\t\t\t23:59\tTokyo\t12\r\n");
    QApplication::clipboard()->setText(text);
    ClickCell(4, 3);
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Timetable().m_wTrainCount, 32);
    const tagTRAININFO& a = Timetable().m_TrainInfo.ElementAt(3);
    QCOMPARE(a.wTrainNo, 101);
    QCOMPARE(a.chTrainSuffix, 'A');
    QCOMPARE(a.wAssortment, 3);
    QCOMPARE(a.strName, Sjis::FromUtf8("かいじ"));
    QCOMPARE(a.wTime, 7 * 60 + 5);
    QCOMPARE(a.wDestination, 2);
    QCOMPARE(a.wPlatform, 4);
    QCOMPARE(Timetable().m_TrainInfo.ElementAt(4).wTime, 23 * 60 + 59);
    QCOMPARE(Timetable().m_TrainInfo.ElementAt(5), before.m_TrainInfo.ElementAt(3));
    // The pasted rows are the range; the step is named after the command.
    QCOMPARE(m_view->State().RangeFirst(), 3);
    QCOMPARE(m_view->State().RangeLast(), 4);
    QCOMPARE(m_frame->Action(ID_EDIT_UNDO)->text(),
             QStringLiteral("元に戻す: 表から貼り付け(&U)\tCtrl+Z"));

    Key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(Timetable().m_TrainInfo.Items() == before.m_TrainInfo.Items());
    QVERIFY(!m_doc->IsModified());

    // With no cell selected the trains go after the last one. Copied from this program and
    // pasted back, they are the same trains.
    ClickCell(1, 1);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    m_view->State().m_nCurRow = 0;
    m_view->State().m_nCurColumn = 0;
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Timetable().m_wTrainCount, 32);
    QCOMPARE(Timetable().m_TrainInfo.ElementAt(31), before.m_TrainInfo.ElementAt(1));
    QCOMPARE(Timetable().m_TrainInfo.ElementAt(32), before.m_TrainInfo.ElementAt(2));
    QCOMPARE(m_view->State().RangeFirst(), 31);
    QCOMPARE(m_view->State().RangeLast(), 32);
}

void TestTableClipboard::pasteRefusesBadText_data()
{
    QTest::addColumn<int>("trains");   // in the document before
    QTest::addColumn<QString>("text"); // on the clipboard
    QTest::addColumn<QStringList>("problems");
    QTest::newRow("too many trains")
        << 65534 << QStringLiteral("1\t普通\t\t\t06:00\t東京\t1\n2\t普通\t\t\t06:00\t東京\t1\n")
        << QStringList{QStringLiteral("2行目: 列車が多すぎます（1 本まで）")};
    QTest::newRow("unknown type beside a bad time: nothing to offer")
        << 30 << QStringLiteral("1\t寝台\t\t\t6:00\t東京\t1\n2\t普通\t\t\t6:99\t東京\t1\n")
        << QStringList{QStringLiteral("1行目 2列目（列車種別）: 列車種別「寝台」はありません"),
                       QStringLiteral("2行目 5列目（発車時刻）: 「6:99」は時刻ではありません")};
    QTest::newRow("a NUL in a cell")
        << 30 << QStringLiteral("1\t普通\ta\0b\t\t6:00\t東京\t1\n")
        << QStringList{QStringLiteral("1行目 3列目（列車名）: NUL 文字は保存できません")};
    // A paste wrong throughout lists the first 20 problems and counts the rest.
    QStringList twenty;
    for (int line = 1; line <= 20; ++line)
        twenty.append(
            QStringLiteral("%1行目 5列目（発車時刻）: 「6:99」は時刻ではありません").arg(line));
    QTest::newRow("more than 20 problems")
        << 30 << QStringLiteral("1\t普通\t\t\t6:99\t東京\t1\n").repeated(22)
        << twenty + QStringList{QStringLiteral("ほかに 2 件の問題があります")};
}

void TestTableClipboard::pasteRefusesBadText()
{
    QFETCH(int, trains);
    QFETCH(QString, text);
    MakeTrains(trains);
    const CQLMDoc before = Timetable();
    QApplication::clipboard()->setText(text);
    ClickCell(2, 2);
    AnswerProblems(QStringLiteral("OK"));
    Key(Qt::Key_V, Qt::ControlModifier);
    QTEST(m_problems, "problems");
    QVERIFY(m_question.isEmpty());
    QVERIFY(Timetable().m_TrainInfo.Items() == before.m_TrainInfo.Items());
    QCOMPARE(m_doc->UndoStack()->count(), 0);
    QVERIFY(!m_doc->IsModified());
}

void TestTableClipboard::pasteAddsUnknownNamesInOneStep()
{
    const CQLMDoc before = Timetable();
    QApplication::clipboard()->setText(
        QStringLiteral("1\t寝台\t\t\t6:00\t大阪\t1\n2\t普通\t\t\t6:10\t大阪\t1\n"));
    ClickCell(2, 2);
    // Cancel first: nothing changes.
    AnswerProblems(QStringLiteral("ｷｬﾝｾﾙ"));
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_problems.size(), 3);
    QVERIFY(m_question.contains(QStringLiteral("列車種別 「寝台」")));
    QVERIFY(m_question.contains(QStringLiteral("行先 「大阪」")));
    QCOMPARE(m_doc->UndoStack()->count(), 0);

    AnswerProblems(QStringLiteral("追加して貼り付け(&A)"));
    Key(Qt::Key_V, Qt::ControlModifier);
    const CQLMDoc& after = Timetable();
    QCOMPARE(after.m_wAssortmentCount, 4);
    const tagTRAINASSORTMENT& type = after.m_TrainAssortment.ElementAt(4);
    QCOMPARE(type.strName, Sjis::FromUtf8("寝台"));
    QCOMPARE(type.crText, after.m_crLit);
    QCOMPARE(type.crBack, after.m_crUnlit);
    QVERIFY(type.layoutMain == after.m_LayoutMain && type.layoutSub == after.m_LayoutSub);
    QCOMPARE(after.m_wDestinationCount, 3);
    QCOMPARE(after.m_Destination.ElementAt(3).strName, Sjis::FromUtf8("大阪"));
    QCOMPARE(after.m_wTrainCount, 32);
    QCOMPARE(after.m_TrainInfo.ElementAt(2).wAssortment, 4);
    QCOMPARE(after.m_TrainInfo.ElementAt(3).wDestination, 3);

    // One step takes back the names and the trains together.
    QCOMPARE(m_doc->UndoStack()->count(), 1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Timetable().m_wAssortmentCount, 3);
    QCOMPARE(Timetable().m_wDestinationCount, 2);
    QVERIFY(Timetable().m_TrainInfo.Items() == before.m_TrainInfo.Items());
}

QTEST_MAIN(TestTableClipboard)
#include "tst_tableclipboard.moc"
