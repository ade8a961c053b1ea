// 問題点: the findings of the active document, the same as qlmtool lint's, recomputed after
// typing pauses, and a finding pointing at its cell or its dialog.
#include "apptesthelpers.h"
#include "boardpreviewdock.h"
#include "checksdock.h"
#include "commands.h"
#include "docmanager.h"
#include "docproppagec.h"
#include "docpropsheet.h"
#include "editfield.h"
#include "findingsmodel.h"
#include "fonts.h"
#include "gridgeometry.h"
#include "mainframe.h"
#include "masterlistdlg.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

using Board::CheckPlace;

class TestChecksDock : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void listsFollowsAndPoints();

private:
    QTemporaryDir m_dir;
};

namespace {

// The findings lint gives for a file.
int LintCount(const QString& path)
{
    QProcess lint;
    lint.start(QStringLiteral(QLMTOOL_PATH),
               {QStringLiteral("lint"), QStringLiteral("--json"), path});
    if (!lint.waitForFinished(60000))
        return -1;
    const QJsonObject report = QJsonDocument::fromJson(lint.readAllStandardOutput())
                                   .object()[u"files"]
                                   .toArray()[0]
                                   .toObject();
    return static_cast<int>(report[u"findings"].toArray().size());
}

// The list's row of the finding of a check at a place kind, row and column; -1 when none.
int RowOf(const CFindingsModel* model, Board::Check check, CheckPlace::Kind kind, int index,
          int column = 0)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        const Board::Finding& f = model->FindingAt(row);
        if (f.check == check && f.place.kind == kind && f.place.index == index &&
            f.place.column == column)
            return row;
    }
    return -1;
}

QPoint CellCentre(const CVeldenView* view, int column, int row)
{
    const QRect cell = GridGeometry::CellRect(column, row);
    const int x = view->horizontalScrollBar()->value();
    const int y = view->verticalScrollBar()->value();
    return cell.center() - QPoint(x, y);
}

} // namespace

void TestChecksDock::initTestCase()
{
    Fonts::InstallSubstitutions();
    UseTemporarySettings(m_dir);
}

void TestChecksDock::listsFollowsAndPoints()
{
    // The file holds one of each problem the checks know.
    const QString path = m_dir.filePath(QStringLiteral("allproblems.qlm"));
    QVERIFY(QFile::copy(QFINDTESTDATA("../data/checks/allproblems.qlm"), path));
    CMainFrame frame;
    frame.resize(1400, 900);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    CVeldenDoc* doc = frame.DocManager()->OpenDocumentFile(path);
    QVERIFY(doc);
    CVeldenView* view = frame.ActiveView();

    // 表示 > 問題点 shows the panel beside the preview, with as many findings as lint gives.
    CChecksDock* dock = frame.Checks();
    QVERIFY(dock->isHidden());
    frame.Action(ID_VIEW_CHECKS)->trigger();
    QVERIFY(dock->isVisible());
    QVERIFY(
        frame.tabifiedDockWidgets(dock).contains(static_cast<QDockWidget*>(frame.BoardPreview())));
    const CFindingsModel* model = dock->Model();
    QCOMPARE(model->rowCount(), LintCount(path));
    QCOMPARE(model->rowCount(), 18);
    QCOMPARE(dock->CountsLabel()->text(), QStringLiteral("警告 13  情報 5"));
    QVERIFY(dock->CountsLabel()->isVisibleTo(&frame));
    QVERIFY(RowOf(model, Board::Check::TimeBeyondDay, CheckPlace::Kind::Train, 10,
                  Board::kCellTime) >= 0);

    // Enter on an unused type opens the type list on it; on a guide message the property
    // sheet's page with the message selected. Looking changes nothing.
    QTreeView* list = dock->List();
    auto enterOn = [&](int row, std::function<void(QWidget*)> check) {
        list->setFocus();
        list->setCurrentIndex(model->index(row, 0));
        bool checked = false;
        QTimer::singleShot(100, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            check(dialog);
            checked = true;
            if (dialog)
                PressKey(dialog, Qt::Key_Escape);
        });
        PressKey(list, Qt::Key_Return);
        QTRY_VERIFY(checked);
    };
    enterOn(RowOf(model, Board::Check::UnusedType, CheckPlace::Kind::Type, 4), [](QWidget* w) {
        auto* types = qobject_cast<CMasterListDlg*>(w);
        QVERIFY(types);
        QCOMPARE(types->m_pList->currentRow(), 3);
    });
    enterOn(RowOf(model, Board::Check::GuideExclusiveOverlap, CheckPlace::Kind::GuideMessage, 2),
            [](QWidget* w) {
                auto* sheet = qobject_cast<CDocPropSheet*>(w);
                QVERIFY(sheet);
                QCOMPARE(sheet->m_pTabs->currentWidget(), sheet->m_pPageC);
                QTreeWidget* messages = sheet->m_pPageC->m_pList;
                QCOMPARE(messages->indexOfTopLevelItem(messages->currentItem()), 1);
            });
    QVERIFY(!doc->IsModified());
    QCOMPARE(doc->UndoStack()->count(), 0);

    // Typing 01:10 over row 10's 26:10 in the grid: the list waits for the pause, then the
    // finding is gone.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellCentre(view, Board::kCellTime, 10));
    PressKey(view, Qt::Key_Return);
    QVERIFY(view->IsEditing());
    QWidget* editor = view->EditField()->Control();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("01:10"));
    PressKey(editor, Qt::Key_Return);
    QCOMPARE(doc->Timetable().m_TrainInfo.ElementAt(10).wTime, 70);
    QVERIFY(dock->IsPending());
    QCOMPARE(model->rowCount(), 18);
    QTRY_COMPARE(model->rowCount(), 17);
    QCOMPARE(
        RowOf(model, Board::Check::TimeBeyondDay, CheckPlace::Kind::Train, 10, Board::kCellTime),
        -1);
    QCOMPARE(dock->CountsLabel()->text(), QStringLiteral("警告 12  情報 5"));

    // A double-click on the destination too wide selects that train's destination cell.
    const int wide = RowOf(model, Board::Check::TextTooWide, CheckPlace::Kind::Train, 4,
                           Board::kCellDestination);
    QVERIFY(wide >= 0);
    list->scrollTo(model->index(wide, 0));
    const QRect item = list->visualRect(model->index(wide, CFindingsModel::kMessage));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QCOMPARE(view->State().m_nCurRow, 4);
    QCOMPARE(view->State().m_nCurColumn, Board::kCellDestination);
    QCOMPARE(frame.focusWidget(), view); // the window's focus, whether or not it is active

    MessageRecorder quiet;
    quiet.answers << QMessageBox::No; // do not save
    QVERIFY(frame.DocManager()->CloseAllDocuments());
    QCOMPARE(model->rowCount(), 0);
    QVERIFY(dock->CountsLabel()->text().isEmpty());
}

QTEST_MAIN(TestChecksDock)
#include "tst_checksdock.moc"
