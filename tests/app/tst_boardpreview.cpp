// 発車標プレビュー: the board of the active document at a chosen time, following every change.
#include "apptesthelpers.h"
#include "boardfont.h"
#include "boardpicture.h"
#include "boardpreviewdock.h"
#include "boardrender.h"
#include "boardview.h"
#include "commands.h"
#include "docmanager.h"
#include "fonts.h"
#include "mainframe.h"
#include "samples.h"
#include "timetableedit.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using Samples::Hm;

class TestBoardPreview : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void followsTheActiveDocument();

private:
    QTemporaryDir m_dir;
};

void TestBoardPreview::initTestCase()
{
    Fonts::InstallSubstitutions();
    UseTemporarySettings(m_dir);
}

void TestBoardPreview::followsTheActiveDocument()
{
    CMainFrame frame;
    frame.resize(1600, 1000);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const CQLMDoc sample = Samples::Board();
    CQLMDoc other = sample;
    other.m_crLit = 0x000000FF;
    CVeldenDoc* second =
        frame.DocManager()->OpenDocumentFile(WriteTimetable(m_dir, "other.qlm", other));
    CVeldenDoc* doc =
        frame.DocManager()->OpenDocumentFile(WriteTimetable(m_dir, "board.qlm", sample));
    QVERIFY(doc && second);
    const auto font = CBoardFont::Shared();
    QVERIFY(font);
    auto model = [&](const CVeldenDoc* d, int time, int rows = 2) {
        return Board::RenderBoard(d->Timetable(), *font, {time, Board::Display::Main, rows, 0});
    };

    // The tool bar button shows the dock; typing a time shows the board of that time.
    CBoardPreviewDock* dock = frame.BoardPreview();
    QVERIFY(dock->isHidden());
    for (QToolButton* button : frame.SecondToolBar()->findChildren<QToolButton*>())
        if (button->defaultAction() == frame.Action(ID_VIEW_BOARD_PREVIEW))
            QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(dock->isVisible());
    // Tall enough for LEDs of three pixels, whose middle pixel is the dot's own colour.
    frame.resizeDocks({dock}, {420}, Qt::Vertical);
    QTRY_VERIFY(dock->View()->height() > 3 * 64);
    QVERIFY(frame.Action(ID_VIEW_BOARD_PREVIEW)->isChecked());
    QCOMPARE(dock->Document(), doc);
    // A click on the hour selects it, so that typing replaces it.
    QTimeEdit* time = dock->TimeEdit();
    auto* line = time->findChild<QLineEdit*>();
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(4, line->height() / 2));
    QTRY_COMPARE(time->currentSection(), QDateTimeEdit::HourSection);
    QTRY_VERIFY(line->hasSelectedText());
    QTest::keyClicks(time, "0700");
    QCOMPARE(dock->Time(), Hm(7, 0));
    QVERIFY(!dock->NowButton()->isChecked()); // no longer following the clock
    QCOMPARE(dock->Content().trains, (std::vector<int>{2, 3}));
    QVERIFY(dock->Dots() == model(doc, Hm(7, 0)));
    QVERIFY(dock->View()->ShownBoard() == dock->Dots());
    // The picture's LED at the middle of a lit dot has the lit colour: the plate of the
    // platform number, dot (5, 3).
    const QRect picture = dock->View()->PictureRect();
    const QImage shown = dock->View()->grab().toImage();
    const QPoint led(picture.x() + (5 * picture.width() + picture.width() / 2) / 528,
                     picture.y() + (3 * picture.height() + picture.height() / 2) / 64);
    QCOMPARE(shown.pixel(led * shown.devicePixelRatio()), DotColorOf(doc->Timetable().m_crLit));

    // The context menu saves the dots, one exact pixel each, as qlmtool render --scale 1 does.
    QString suggested;
    CBoardPreviewDock::SetSavePrompt([&](QWidget*, const QString& name) {
        suggested = name;
        return m_dir.filePath("dots.png");
    });
    dock->View()->actions().constFirst()->trigger();
    CBoardPreviewDock::SetSavePrompt({});
    QVERIFY(suggested.endsWith(QStringLiteral("/board-0700.png")));
    const QImage saved(m_dir.filePath("dots.png"));
    QCOMPARE(saved, Board::BoardPicture(model(doc, Hm(7, 0)), 1));

    // Hovering names the part and its row: the destination of the second train row.
    const QPoint destination(picture.x() + picture.width() * (14 * 16 + 40) / 528,
                             picture.y() + picture.height() * (2 * 16 + 8) / 64);
    QSignalSpy hovered(dock->View(), &CBoardView::hovered);
    QTest::mouseMove(dock->View(), destination);
    QTRY_COMPARE(hovered.count(), 1);
    QCOMPARE(hovered.constLast().constFirst().toString(), QStringLiteral("2行目: 行先"));

    // An edit shows at once; Undo takes it back; the slider moves the time.
    const CDotMatrix before = dock->Dots();
    tagTRAININFO edited = doc->Timetable().m_TrainInfo.ElementAt(3);
    edited.wDestination = 2;
    doc->Apply(TimetableEdit().SetTrain(3, edited), QStringLiteral("行先の入力"));
    QVERIFY(dock->Dots() == model(doc, Hm(7, 0)));
    QVERIFY(dock->Dots() != before);
    QTest::keyClick(frame.ActiveView(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(dock->Dots() == before);
    dock->RowsBox()->setValue(4);
    dock->Slider()->setValue(Hm(23, 0) - Hm(2, 0)); // the service day starts at 02:00
    QCOMPARE(time->time(), QTime(23, 0));
    QVERIFY(dock->Dots() == model(doc, Hm(23, 0), 4));

    // Another window activated: its document's board.
    frame.MdiArea()->setActiveSubWindow(frame.MdiArea()->subWindowList().constFirst());
    QCOMPARE(dock->Document(), second);
    QVERIFY(dock->Dots() == model(second, Hm(23, 0), 4));

    MessageRecorder quiet;
    frame.DocManager()->CloseAllDocuments();
    QCOMPARE(dock->Document(), nullptr);
    QVERIFY(!dock->View()->Message().isEmpty());
}

QTEST_MAIN(TestBoardPreview)
#include "tst_boardpreview.moc"
