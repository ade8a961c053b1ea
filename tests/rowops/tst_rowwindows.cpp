// Row commands with two windows on one document: whichever window runs a command, every window
// shows the result and keeps its selection, copy mark and open editor on their trains.
#include "messages.h"
#include "rowcommands.h"
#include "samples.h"
#include "sjis.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <memory>

class RowWindowsTest : public QObject
{
    Q_OBJECT

    CVeldenDoc m_doc;
    std::unique_ptr<CVeldenView> m_a;
    std::unique_ptr<CVeldenView> m_b;

    std::unique_ptr<CVeldenView> MakeView()
    {
        auto view = std::make_unique<CVeldenView>(&m_doc);
        view->resize(800, 300);
        view->show();
        view->OnInitialUpdate();
        return view;
    }
    // The train numbers the view shows, "1A 2A ...".
    static QString Shown(const CVeldenView& view)
    {
        QStringList cells;
        for (int row = 1; row < view.State().m_nRowCount; ++row)
            cells << Sjis::Decode(view.CellBytes(1, row));
        return cells.join(QLatin1Char(' '));
    }
    // Answers the command's dialog with its defaults, as Enter does.
    static void PressEnterInDialog()
    {
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog, Qt::Key_Return);
        });
    }

private slots:
    void init()
    {
        m_doc.ResetTimetable(Samples::Timetable().Trains(6, [](int i) {
            return Samples::Train{quint16(i), 'A'};
        }));
        m_a = MakeView();
        m_b = MakeView();
        Msg::SetBeepHook([] {});
    }

    void everyWindowFollowsEveryCommand()
    {
        // Window B edits train 5 and holds train 6 as its copy source.
        m_b->SelectCell(3, 6);
        OnEditCopy(*m_b);
        m_b->SelectCell(3, 5);
        m_b->BeginEdit();

        // Window A deletes row 2 (the delete dialog's defaults: one row down from the current).
        m_a->SelectCell(1, 2);
        PressEnterInDialog();
        OnEditDelete(*m_a);
        QCOMPARE(Shown(*m_b), QStringLiteral("1A 3A 4A 5A 6A"));
        QCOMPARE(m_b->State().m_nCurRow, 4);
        QCOMPARE(m_b->State().m_nCopySrcRow, 5);
        QVERIFY(m_b->IsEditing());

        // A pastes its copy of row 1 before row 3: B's rows below move down.
        m_a->SelectCell(1, 1);
        OnEditCopy(*m_a);
        m_a->SelectCell(1, 3);
        PressEnterInDialog();
        OnEditPaste(*m_a);
        QCOMPARE(Shown(*m_b), QStringLiteral("1A 3A 1A 4A 5A 6A"));
        QCOMPARE(m_b->State().m_nCurRow, 5);
        QCOMPARE(m_a->State().m_nCurRow, 3); // the pasted train

        // A appends a blank train (the insert dialog's defaults).
        PressEnterInDialog();
        OnEditInsert(*m_a);
        QCOMPARE(Shown(*m_b), QStringLiteral("1A 3A 1A 4A 5A 6A 0Z"));

        // B pastes its copy source (train 6) over its own current row, train 5.
        m_b->EndEdit();
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                if (b->text().startsWith(QStringLiteral("現在の行に上書き")))
                    b->click();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        OnEditPaste(*m_b);
        QCOMPARE(Shown(*m_a), QStringLiteral("1A 3A 1A 4A 6A 6A 0Z"));

        // All of it taken back, in either window: both show the six trains again, and B's
        // selection is back on train 5.
        for (int i = 0; i < 4; ++i)
            m_doc.Undo();
        QCOMPARE(Shown(*m_a), QStringLiteral("1A 2A 3A 4A 5A 6A"));
        QCOMPARE(Shown(*m_b), Shown(*m_a));
        QCOMPARE(m_b->State().m_nCurRow, 5);
        QVERIFY(!m_doc.IsModified());
    }
};

QTEST_MAIN(RowWindowsTest)
#include "tst_rowwindows.moc"
