// The grid view as the user meets it: clicks, keys, typing into the cell editors, painting.
#include "editfield.h"
#include "fonts.h"
#include "gridgeometry.h"
#include "messages.h"
#include "myeditbox.h"
#include "samples.h"
#include "sjis.h"
#include "timetableedit.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QMainWindow>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <functional>

using GridGeometry::X;

class TestVeldenView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithoutSelection();
    void clicks_data();
    void clicks();
    void doubleClickOnlySelects();
    void arrowKeysStopAtEdges();
    void arrowKeyScrollsOneStep();
    void typing_data();
    void typing();
    void japaneseTextIsStoredAsShiftJis();
    void unencodableCharacterIsRefused();
    void untouchedTextKeepsItsBytes();
    void editorFollowsItsCell();
    void enterClosesDeferredAndChecksFormat();
    void openingWithEnterStoresNothing_data();
    void openingWithEnterStoresNothing();
    void secondViewFollowsChangesOfTheFirst();
    void undoRestoresTheCellAndTheSavedState();
    void escapeKeepsEditorOpen();
    void escapeClearsCopySource();
    void lists();
    void column9HasNoEditor();
    void shortcutsDoNotActWhileEditing();
    void refreshClearsRemovedSelection();
    void scrollExtent();
    void painting();

private:
    void MakeTrains(int count);
    void ClickCell(int column, int row);
    QLineEdit* TextBox() const;
    const tagTRAININFO& Train(int row) const;
    void ChangeTrain(int row, const std::function<void(tagTRAININFO&)>& change);

    CVeldenDoc* m_doc = nullptr;
    CVeldenView* m_view = nullptr;
    int m_beeps = 0;
};

void TestVeldenView::MakeTrains(int count)
{
    m_doc->ResetTimetable(Samples::Timetable()
                              .Types({{"普通"}, {"快速"}, {"特急"}})
                              .Destinations({{"東京"}, {"高尾"}})
                              .Trains(count, [](int i) {
                                  return Samples::Train{quint16(i * 2), 'M',    quint16(1 + i % 3),
                                                        360 + i,        1,      3,
                                                        "あずさ",       "Azusa"};
                              }));
}

const tagTRAININFO& TestVeldenView::Train(int row) const
{
    return m_doc->Timetable().m_TrainInfo.ElementAt(row);
}

void TestVeldenView::ChangeTrain(int row, const std::function<void(tagTRAININFO&)>& change)
{
    tagTRAININFO t = Train(row);
    change(t);
    m_doc->Apply(TimetableEdit().SetTrain(row, t), "test");
    m_doc->SetModifiedFlag(false);
}

void TestVeldenView::init()
{
    m_doc = new CVeldenDoc;
    MakeTrains(40);
    m_view = new CVeldenView(m_doc);
    m_view->resize(500, 300);
    m_view->show();
    m_view->OnInitialUpdate();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    m_beeps = 0;
    Msg::SetBeepHook([this] { ++m_beeps; });
    m_doc->SetModifiedFlag(false);
}

void TestVeldenView::cleanup()
{
    Msg::SetBeepHook({});
    delete m_view;
    delete m_doc;
}

void TestVeldenView::ClickCell(int column, int row)
{
    const QPoint scroll(m_view->horizontalScrollBar()->value(),
                        m_view->verticalScrollBar()->value());
    const QPoint p = QPoint(X(column) + 5, row * 20 + 5) - scroll;
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, p);
}

QLineEdit* TestVeldenView::TextBox() const
{
    return qobject_cast<QLineEdit*>(m_view->EditField()->Control());
}

void TestVeldenView::startsWithoutSelection()
{
    QCOMPARE(m_view->State().m_nCurColumn, 0);
    QCOMPARE(m_view->State().m_nCurRow, 0);
    m_view->setFocus();
    QTest::keyClick(m_view, Qt::Key_Down);
    QTest::keyClick(m_view, Qt::Key_Return);
    QCOMPARE(m_view->State().m_nCurRow, 0);
    QVERIFY(!m_view->IsEditing());
    ClickCell(3, 2);
    QCOMPARE(m_view->State().m_nCurColumn, 3);
    QCOMPARE(m_view->State().m_nCurRow, 2);
    QVERIFY(!m_view->IsEditing());
    QTest::keyClick(m_view, Qt::Key_Return); // Enter opens the editor on the selected cell
    QVERIFY(m_view->IsEditing());
    QCOMPARE(m_view->EditField()->geometry(), QRect(X(3), 40, 80, 20));
}

void TestVeldenView::clicks_data()
{
    // After selecting (3, 2) and clicking it again the editor is open; then one more click.
    QTest::addColumn<QPoint>("point"); // logical point of the last click
    QTest::addColumn<bool>("editing"); // editor open afterwards
    QTest::addColumn<int>("column");   // selection afterwards
    QTest::addColumn<int>("row");
    QTest::newRow("other data cell") << QPoint(X(5) + 3, 25) << false << 5 << 1;
    QTest::newRow("header") << QPoint(X(4) + 3, 5) << false << 3 << 2;
    QTest::newRow("row number") << QPoint(10, 65) << false << 3 << 2;
    QTest::newRow("column's first pixel") << QPoint(X(5), 25) << true << 3 << 2;
    QTest::newRow("below the last row") << QPoint(X(5) + 3, 41 * 20 + 5) << true << 3 << 2;
    // A point inside the editor: the press goes to the editor itself, on its margin.
    QTest::newRow("editor's margin") << QPoint(X(3) + 1, 41) << true << 3 << 2;
}

void TestVeldenView::clicks()
{
    QFETCH(QPoint, point);
    ClickCell(3, 2);
    QVERIFY(!m_view->IsEditing());
    ClickCell(3, 2);
    QVERIFY(m_view->IsEditing());
    QCOMPARE(TextBox()->text(), QString::fromUtf8("あずさ"));
    QCOMPARE(TextBox()->selectedText(), TextBox()->text());
    m_view->verticalScrollBar()->setValue(0);
    if (point.y() > 300)
        m_view->verticalScrollBar()->setValue(m_view->verticalScrollBar()->maximum());
    const QPoint scroll(0, m_view->verticalScrollBar()->value());
    QWidget* editor = m_view->EditField();
    if (editor->geometry().contains(point - scroll))
        QTest::mouseClick(editor, Qt::LeftButton, {}, point - scroll - editor->pos());
    else
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, point - scroll);
    QTEST(m_view->IsEditing(), "editing");
    QTEST(m_view->State().m_nCurColumn, "column");
    QTEST(m_view->State().m_nCurRow, "row");
    // Typing goes on in the editor while it is open, to the grid once it has closed.
    QVERIFY(m_view->IsEditing() ? TextBox()->hasFocus() : m_view->hasFocus());
}

void TestVeldenView::doubleClickOnlySelects()
{
    // The window system delivers press, release, double-click, release.
    const QPoint p(X(3) + 5, 2 * 20 + 5);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, p);
    QCOMPARE(m_view->State().m_nCurRow, 2);
    QVERIFY(!m_view->IsEditing());
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, p);
    QVERIFY(m_view->IsEditing());
}

void TestVeldenView::arrowKeysStopAtEdges()
{
    struct Move
    {
        int column, row;
        Qt::Key key;
        int toColumn, toRow;
    };
    const Move moves[] = {
        {1, 1, Qt::Key_Left, 1, 1},   {1, 1, Qt::Key_Up, 1, 1},    {10, 1, Qt::Key_Right, 10, 1},
        {3, 40, Qt::Key_Down, 3, 40}, {3, 5, Qt::Key_Right, 4, 5}, {3, 5, Qt::Key_Down, 3, 6},
        {3, 5, Qt::Key_Up, 3, 4},     {3, 5, Qt::Key_Left, 2, 5},
    };
    m_view->setFocus();
    for (const Move& m : moves) {
        m_view->SelectCell(m.column, m.row);
        const QPoint scroll(m_view->horizontalScrollBar()->value(),
                            m_view->verticalScrollBar()->value());
        QTest::keyClick(m_view, m.key);
        QCOMPARE(m_view->State().m_nCurColumn, m.toColumn);
        QCOMPARE(m_view->State().m_nCurRow, m.toRow);
        if (m.toColumn == m.column && m.toRow == m.row) // no move, no scroll
            QCOMPARE(QPoint(m_view->horizontalScrollBar()->value(),
                            m_view->verticalScrollBar()->value()),
                     scroll);
        QVERIFY(!m_view->IsEditing());
    }
}

void TestVeldenView::arrowKeyScrollsOneStep()
{
    m_view->setFocus();
    const int clientWidth = m_view->viewport()->width();
    QVERIFY(clientWidth < X(9)); // column 8 (485..635) is cut off on the right
    m_view->SelectCell(7, 3);
    QTest::keyClick(m_view, Qt::Key_Right);
    QCOMPARE(m_view->State().m_nCurColumn, 8);
    QCOMPARE(m_view->horizontalScrollBar()->value(), qMin(150, X(11) - clientWidth));
    // Down to a row hidden below: exactly one row of scrolling per step.
    const int visibleRows = m_view->viewport()->height() / 20;
    m_view->SelectCell(2, visibleRows - 1);
    QCOMPARE(m_view->verticalScrollBar()->value(), 0);
    QTest::keyClick(m_view, Qt::Key_Down);
    QCOMPARE(m_view->State().m_nCurRow, visibleRows);
    QCOMPARE(m_view->verticalScrollBar()->value(), 20);
}

void TestVeldenView::typing_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("cell"); // the cell's text after Enter
    QTest::addColumn<int>("beeps");
    QTest::newRow("number 12a") << 1 << "12a"
                                << "12A" << 0;
    QTest::newRow("number 12 stores nothing") << 1 << "12"
                                              << "2M" << 1; // Enter check beeps
    QTest::newRow("number 12-") << 1 << "12-"
                                << "12Z" << 2; // on the keystroke and on Enter
    QTest::newRow("number 20000B") << 1 << "20000B"
                                   << "0B" << 2;
    QTest::newRow("number -3C") << 1 << "-3C"
                                << "0C" << 2;
    QTest::newRow("time 7:5") << 5 << "7:5"
                              << "07:05" << 0;
    QTest::newRow("time 24:00") << 5 << "24:00"
                                << "00:00" << 3; // 24:0 and 24:00, then Enter
    QTest::newRow("time 12:75") << 5 << "12:75"
                                << "12:00" << 2;
    QTest::newRow("time 7 alone") << 5 << "7"
                                  << "06:01" << 1;
    QTest::newRow("platform 100") << 7 << "100"
                                  << "1" << 2;
    QTest::newRow("platform 5") << 7 << "5"
                                << "5" << 0;
    QTest::newRow("name") << 4 << "Kaiji"
                          << "Kaiji" << 0;
}

void TestVeldenView::typing()
{
    QFETCH(int, column);
    QFETCH(QString, keys);
    const QString before = Sjis::Decode(m_view->CellBytes(column, 1));
    ClickCell(column, 1);
    ClickCell(column, 1);
    QVERIFY(TextBox());
    QTest::keyClicks(TextBox(), keys);
    QTest::keyClick(TextBox(), Qt::Key_Return);
    QTRY_VERIFY(!m_view->IsEditing());
    QTEST(Sjis::Decode(m_view->CellBytes(column, 1)), "cell");
    // Only a stored change makes the document differ from its file.
    QCOMPARE(m_doc->IsModified(), Sjis::Decode(m_view->CellBytes(column, 1)) != before);
    QTEST(m_beeps, "beeps");
    QVERIFY(m_view->hasFocus());
}

void TestVeldenView::japaneseTextIsStoredAsShiftJis()
{
    ClickCell(8, 4);
    ClickCell(8, 4);
    // Japanese arrives as text-carrying key events, as an input method delivers it.
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("新宿方面"));
    QApplication::sendEvent(TextBox(), &press);
    QCOMPARE(Train(4).strGuide, Sjis::FromUtf8("新宿方面"));
    // Every keystroke is stored at once.
    TextBox()->insert(QString::fromUtf8("ゆき"));
    QCOMPARE(Train(4).strGuide, Sjis::FromUtf8("新宿方面ゆき"));
    // Emptying the cell stores the empty text.
    TextBox()->selectAll();
    QTest::keyClick(TextBox(), Qt::Key_Backspace);
    QCOMPARE(Train(4).strGuide, QByteArray());
    // 600 bytes reach the record as their first 511.
    TextBox()->selectAll();
    TextBox()->insert(QString(300, QChar(0x3042)));
    QCOMPARE(Train(4).strGuide.size(), 510);
    TextBox()->selectAll();
    TextBox()->insert(QString(600, 'x'));
    QCOMPARE(Train(4).strGuide, QByteArray(511, 'x'));
}

void TestVeldenView::unencodableCharacterIsRefused()
{
    QSignalSpy status(m_view, &CVeldenView::statusMessage);
    ClickCell(3, 1);
    ClickCell(3, 1);
    TextBox()->selectAll();
    TextBox()->insert(QString::fromUtf8("東京"));
    QCOMPARE(m_beeps, 0);
    TextBox()->insert(QString::fromUtf8("€"));
    QCOMPARE(m_beeps, 1);
    QCOMPARE(Train(1).strName, Sjis::FromUtf8("東京"));
    QCOMPARE(status.count(), 1);
    QCOMPARE(status.at(0).at(0).toString(), QString::fromUtf8("「€」は保存できない文字です"));
    QVERIFY(m_doc->IsModified());
}

void TestVeldenView::untouchedTextKeepsItsBytes()
{
    // An invalid byte and a duplicate code that does not survive a round trip.
    const QByteArray odd("\xFF"
                         "a\xED\x40",
                         4);
    ChangeTrain(2, [&](tagTRAININFO& t) { t.strNote = odd; });
    ClickCell(10, 2);
    ClickCell(10, 2);
    QVERIFY(TextBox());
    QCOMPARE(m_doc->IsModified(), false); // opening applies nothing
    QTest::keyClick(TextBox(), Qt::Key_End);
    QTest::keyClick(TextBox(), Qt::Key_Return);
    QTRY_VERIFY(!m_view->IsEditing());
    QCOMPARE(Train(2).strNote, odd);
    QCOMPARE(m_beeps, 0); // a text cell passes Enter whatever it holds

    // Typed to and back: the cell still holds the bytes it opened with.
    const QByteArray duplicate("a\xED\x40", 3);
    QVERIFY(!Sjis::RoundTrips(duplicate));
    ChangeTrain(2, [&](tagTRAININFO& t) { t.strGuide = duplicate; });
    ClickCell(8, 2);
    ClickCell(8, 2);
    QTest::keyClick(TextBox(), Qt::Key_End);
    QTest::keyClick(TextBox(), Qt::Key_X);
    QVERIFY(Train(2).strGuide != duplicate);
    QTest::keyClick(TextBox(), Qt::Key_Backspace);
    QCOMPARE(Train(2).strGuide, duplicate);
    QCOMPARE(m_beeps, 0);
}

void TestVeldenView::editorFollowsItsCell()
{
    ClickCell(3, 5);
    ClickCell(3, 5);
    QVERIFY(m_view->IsEditing());
    auto placed = [this] {
        return m_view->EditField()->geometry() ==
               GridGeometry::ClientCellRect(3, m_view->State().m_nCurRow,
                                            m_view->horizontalScrollBar()->value(),
                                            m_view->verticalScrollBar()->value());
    };
    m_view->ScrollBy(30, 40);
    QVERIFY(placed());
    // Rows inserted above: the editor stays over its train, which is now row 8.
    m_doc->Apply(TimetableEdit().InsertTrains(2, std::vector<tagTRAININFO>(3)), "insert");
    QCOMPARE(m_view->State().m_nCurRow, 8);
    QVERIFY(m_view->IsEditing());
    QVERIFY(placed());
    QTest::keyClick(TextBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(TextBox(), "Kaiji");
    QCOMPARE(Train(8).strName, QByteArray("Kaiji"));
    // Its train removed: the editor closes.
    m_doc->Apply(TimetableEdit().RemoveTrains(8, 1), "delete");
    QVERIFY(!m_view->IsEditing());
    QCOMPARE(m_view->State().m_nCurRow, 0);
}

void TestVeldenView::enterClosesDeferredAndChecksFormat()
{
    ChangeTrain(1, [](tagTRAININFO& t) { t.chTrainSuffix = 0; });
    ClickCell(1, 1);
    ClickCell(1, 1);
    QCOMPARE(TextBox()->text(), QString("0002"));
    QTest::keyPress(TextBox(), Qt::Key_Return);
    QVERIFY(m_view->IsEditing()); // the close is queued, never done inside the key handling
    QTest::keyRelease(TextBox(), Qt::Key_Return);
    QCOMPARE(m_beeps, 1); // "0002" reads one field of "%d%c"
    QTRY_VERIFY(!m_view->IsEditing());
    QVERIFY(!m_doc->IsModified()); // the incomplete number was not handed over
    QCOMPARE(Train(1).wTrainNo, 2);
}

void TestVeldenView::openingWithEnterStoresNothing_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("number 20000a") << 1;
    QTest::newRow("time 24:35") << 5;
    QTest::newRow("platform 150") << 7;
    QTest::newRow("text") << 3;
}

void TestVeldenView::openingWithEnterStoresNothing()
{
    // Values a file may hold that the editors would never produce.
    ChangeTrain(6, [](tagTRAININFO& t) {
        t.wTrainNo = 20000;
        t.chTrainSuffix = 'a';
        t.wTime = 24 * 60 + 35;
        t.wPlatform = 150;
    });
    const tagTRAININFO before = Train(6);
    QFETCH(int, column);
    ClickCell(column, 6);
    m_view->setFocus();
    // A person's key: the press opens the editor, the release reaches it after the event loop
    // has run.
    QTest::keyPress(m_view, Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(TextBox());
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    ClickCell(column == 1 ? 2 : 1, 2); // and a click away
    QTRY_VERIFY(!m_view->IsEditing());
    QCOMPARE(Train(6), before);
    QVERIFY(!m_doc->IsModified());
    QCOMPARE(m_beeps, 0);
}

void TestVeldenView::secondViewFollowsChangesOfTheFirst()
{
    CVeldenView second(m_doc);
    second.resize(500, 300);
    second.show();
    second.OnInitialUpdate();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    const quint16 sixth = Train(6).wTrainNo;
    // The second window edits train 6 and marks train 8; the first deletes rows 1-3.
    second.SelectCell(3, 6);
    second.State().m_nCopySrcRow = 8;
    second.BeginEdit();
    QVERIFY(second.IsEditing());
    m_doc->Apply(TimetableEdit().RemoveTrains(1, 3), "delete");
    QCOMPARE(second.State().m_nCurRow, 3);
    QCOMPARE(second.State().m_nCopySrcRow, 5);
    QVERIFY(second.IsEditing());
    auto* box = qobject_cast<QLineEdit*>(second.EditField()->Control());
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "Kaiji");
    QCOMPARE(Train(3).wTrainNo, sixth); // the same train, now at row 3
    QCOMPARE(Train(3).strName, QByteArray("Kaiji"));
    QCOMPARE(Sjis::Decode(m_view->CellBytes(3, 3)), QStringLiteral("Kaiji"));
    // Its train deleted in the first window: the editor closes, the mark goes.
    m_doc->Apply(TimetableEdit().RemoveTrains(3, 3), "delete");
    QVERIFY(!second.IsEditing());
    QCOMPARE(second.State().m_nCopySrcRow, -1);
    QCOMPARE(second.State().m_nRowCount, m_doc->Timetable().m_wTrainCount + 1);
}

void TestVeldenView::undoRestoresTheCellAndTheSavedState()
{
    ClickCell(4, 2);
    ClickCell(4, 2);
    QTest::keyClicks(TextBox(), "xy");
    QTest::keyClick(TextBox(), Qt::Key_Return);
    QTRY_VERIFY(!m_view->IsEditing());
    QCOMPARE(Train(2).strNameEn, QByteArray("xy")); // the editor opens with all selected
    QCOMPARE(m_doc->UndoStack()->count(), 1);       // one step for the whole edit
    m_doc->Undo();
    QCOMPARE(Sjis::Decode(m_view->CellBytes(4, 2)), QStringLiteral("Azusa"));
    QVERIFY(!m_doc->IsModified());
    m_doc->Redo();
    QCOMPARE(Sjis::Decode(m_view->CellBytes(4, 2)), QStringLiteral("xy"));
}

void TestVeldenView::escapeKeepsEditorOpen()
{
    m_view->State().m_nCopySrcRow = 5;
    ClickCell(4, 1);
    ClickCell(4, 1);
    QTest::keyClicks(TextBox(), "Ltd");
    QTest::keyClick(TextBox(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(m_view->IsEditing());
    QCOMPARE(Train(1).strNameEn, QByteArray("Ltd"));
    QCOMPARE(m_view->State().m_nCopySrcRow, 5); // the grid never saw the key
    QTest::keyClick(TextBox(), Qt::Key_Up);     // neither arrow keys
    QCOMPARE(m_view->State().m_nCurRow, 1);
}

void TestVeldenView::escapeClearsCopySource()
{
    m_view->setFocus();
    QTest::keyClick(m_view, Qt::Key_Escape);
    QCOMPARE(m_view->State().m_nCopySrcRow, -1);
    m_view->State().m_nCopySrcRow = 3;
    m_view->State().m_bCutMark = true;
    QTest::keyClick(m_view, Qt::Key_Escape);
    QCOMPARE(m_view->State().m_nCopySrcRow, -1);
}

void TestVeldenView::lists()
{
    ChangeTrain(3, [](tagTRAININFO& t) { t.wAssortment = 0; });
    const tagTRAININFO& t = Train(3);
    ClickCell(2, 3);
    ClickCell(2, 3);
    auto* box = qobject_cast<QComboBox*>(m_view->EditField()->Control());
    QVERIFY(box);
    QCOMPARE(box->count(), 3);
    QCOMPARE(box->itemText(2), QString::fromUtf8("特急"));
    QCOMPARE(box->currentIndex(), -1); // type 0: no entry selected, nothing stored
    QVERIFY(!m_doc->IsModified());
    box->setCurrentIndex(2);
    QCOMPARE(t.wAssortment, 3);
    QVERIFY(m_doc->IsModified());
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_VERIFY(!m_view->IsEditing());
    QCOMPARE(Sjis::Decode(m_view->CellBytes(2, 3)), QString::fromUtf8("特急"));

    ClickCell(6, 3);
    ClickCell(6, 3);
    box = qobject_cast<QComboBox*>(m_view->EditField()->Control());
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->currentIndex(), 0);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(t.wDestination, 2);
}

void TestVeldenView::column9HasNoEditor()
{
    ClickCell(9, 2);
    ClickCell(9, 2);
    QVERIFY(!m_view->IsEditing());
    QTest::keyClick(m_view, Qt::Key_Return);
    QVERIFY(!m_view->IsEditing());
    QCOMPARE(m_view->CellBytes(9, 2), QByteArray("---"));
}

void TestVeldenView::shortcutsDoNotActWhileEditing()
{
    QMainWindow window;
    auto* view = new CVeldenView(m_doc);
    window.setCentralWidget(view);
    auto* save = new QAction(&window);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    window.addAction(save);
    QSignalSpy fired(save, &QAction::triggered);
    window.resize(600, 300);
    window.show();
    view->OnInitialUpdate();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fired.count(), 1); // the grid lets the shortcut act
    view->SelectCell(3, 1);
    view->BeginEdit();
    auto* box = qobject_cast<QLineEdit*>(view->EditField()->Control());
    QVERIFY(box && box->hasFocus());
    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fired.count(), 1);
}

void TestVeldenView::refreshClearsRemovedSelection()
{
    ClickCell(5, 40);
    m_view->State().m_nCopySrcRow = 39;
    m_doc->Apply(TimetableEdit().RemoveTrains(38, 3), "delete");
    QVERIFY(m_doc->IsModified());
    QCOMPARE(m_view->State().m_nCopySrcRow, -1);
    QCOMPARE(m_view->State().m_nCurColumn, 0);
    QCOMPARE(m_view->State().m_nCurRow, 0);
    QCOMPARE(m_view->State().m_nRowCount, 38);
}

void TestVeldenView::scrollExtent()
{
    const QSize client = m_view->viewport()->size();
    QCOMPARE(m_view->verticalScrollBar()->maximum(), 20 * 41 - client.height());
    QCOMPARE(m_view->horizontalScrollBar()->maximum(), 775 - client.width());
    m_view->ScrollBy(-50, 100000);
    QCOMPARE(m_view->horizontalScrollBar()->value(), 0);
    QCOMPARE(m_view->verticalScrollBar()->value(), m_view->verticalScrollBar()->maximum());
    m_doc->Apply(TimetableEdit().RemoveTrains(1, 40), "delete");
    QCOMPARE(m_view->verticalScrollBar()->maximum(), 0);
}

void TestVeldenView::painting()
{
    m_view->resize(820, 300);
    m_view->SelectCell(3, 2);
    m_view->State().m_nCopySrcRow = 4;
    m_view->State().m_bCutMark = false;
    QImage image = m_view->viewport()->grab().toImage();
    const QRgb white = m_view->palette().color(QPalette::Base).rgb();
    const QRgb grid = qRgb(192, 192, 192);
    // Right and bottom lines of cell (4, 1): x = X(5) from 20 to 39, y = 39 from X(4)+1.
    QCOMPARE(image.pixel(X(5), 25), grid);
    QCOMPARE(image.pixel(X(4) + 10, 39), grid);
    QCOMPARE(image.pixel(X(4) + 10, 38), white);
    QCOMPARE(image.pixel(X(4) + 1, 39), grid);
    // The current cell (3, 2): a 2-pixel inverted frame inside its edge, its inside untouched.
    const QRgb inverted = qRgb(255 - qRed(white), 255 - qGreen(white), 255 - qBlue(white));
    QCOMPARE(image.pixel(X(3) + 30, 40), inverted);
    QCOMPARE(image.pixel(X(3) + 30, 41), inverted);
    QCOMPARE(image.pixel(X(3) + 30, 42), white);
    QCOMPARE(image.pixel(X(3) + 1, 50), inverted);
    QCOMPARE(image.pixel(X(3) + 2, 50), white);
    // The copy source row 4: the grey frame around its data cells and the marker.
    const QRgb frame = qRgb(128, 128, 128);
    QCOMPARE(image.pixel(50, 80 + 10), frame);
    QCOMPARE(image.pixel(774, 80 + 10), frame);
    QCOMPARE(image.pixel(300, 80), frame);
    QCOMPARE(image.pixel(300, 80 + 18), frame);
    QCOMPARE(image.pixel(300, 80 + 19), grid);
    QImage marker(15, 15, QImage::Format_ARGB32);
    marker = image.copy(25, 83, 15, 15);
    QCOMPARE(marker.pixel(0, 0), qRgb(0, 0, 0)); // the corner of the back sheet
    QCOMPARE(marker.pixel(14, 0), m_view->palette().color(QPalette::Button).rgb());
    // No frame on other rows; Cut changes the marker only.
    QCOMPARE(image.pixel(300, 60), white);
    m_view->State().m_bCutMark = true;
    const QImage cut = m_view->viewport()->grab().toImage();
    QVERIFY(cut.copy(25, 83, 15, 15) != marker);
    QCOMPARE(cut.pixel(300, 80), frame);
    // Header cells: highlight on top, dark shadow at the bottom.
    QCOMPARE(image.pixel(X(2) + 10, 0), m_view->palette().color(QPalette::Light).rgb());
    QCOMPARE(image.pixel(X(2) + 10, 19), m_view->palette().color(QPalette::Shadow).rgb());
    QCOMPARE(image.pixel(X(2) + 10, 1), m_view->palette().color(QPalette::Button).rgb());
    // The corner cell is a raised push button: two edges on each side.
    const QPalette& pal = m_view->palette();
    QCOMPARE(image.pixel(10, 0), pal.color(QPalette::Light).rgb());
    QCOMPARE(image.pixel(10, 1), pal.color(QPalette::Midlight).rgb());
    QCOMPARE(image.pixel(0, 10), pal.color(QPalette::Light).rgb());
    QCOMPARE(image.pixel(1, 10), pal.color(QPalette::Midlight).rgb());
    QCOMPARE(image.pixel(10, 19), pal.color(QPalette::Shadow).rgb());
    QCOMPARE(image.pixel(10, 18), pal.color(QPalette::Dark).rgb());
    QCOMPARE(image.pixel(49, 10), pal.color(QPalette::Shadow).rgb());
    QCOMPARE(image.pixel(48, 10), pal.color(QPalette::Dark).rgb());
    QCOMPARE(image.pixel(25, 10), pal.color(QPalette::Button).rgb());
    // Text is drawn somewhere inside cell (4, 1), not on its 3-pixel margin.
    bool ink = false;
    for (int y = 23; y < 37 && !ink; ++y)
        for (int x = X(4) + 3; x < X(5) - 3 && !ink; ++x)
            ink = image.pixel(x, y) != white;
    QVERIFY(ink);
    for (int x = X(4) + 1; x < X(5); ++x)
        QCOMPARE(image.pixel(x, 21), white);
    // No selection, no frame.
    m_view->State().m_nCurRow = 0;
    const QImage plain = m_view->viewport()->grab().toImage();
    QCOMPARE(plain.pixel(X(3) + 30, 40), white);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Fonts::InstallSubstitutions();
    TestVeldenView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_veldenview.moc"
