// The row commands as the user drives them: menu command, dialog, OK or Cancel; then the trains,
// the selection, the copy mark, the modified flag and the messages shown.
#include "additemdlg.h"
#include "fonts.h"
#include "messages.h"
#include "numberbox.h"
#include "pastedlg.h"
#include "patterndiadlg.h"
#include "removedlg.h"
#include "replacedlg.h"
#include "rowcommands.h"
#include "samples.h"
#include "sjis.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString kApp = QStringLiteral("MARVO");
const QString kErr = QStringLiteral("ｴﾗｰ");

// A document with trains numbered 1..n (A, B, C... in the paste cases) and a view on it.
struct Fixture
{
    explicit Fixture(int trains, int currentRow = -1, int copySrc = -1, bool cut = false)
    {
        doc.SetTitle(QStringLiteral("QLM1"));
        doc.ResetTimetable(Samples::Timetable()
                               .With([](CQLMDoc& t) {
                                   t.SetAssortmentCount(3);
                                   t.m_TrainAssortment.ElementAt(2).strName = Samples::J("快速");
                                   t.m_TrainAssortment.ElementAt(3).strName = Samples::J("特急");
                               })
                               .Trains(trains, [](int i) {
                                   return Samples::Train{quint16(i), 'A'};
                               }));
        view = std::make_unique<CVeldenView>(&doc);
        view->resize(800, 400);
        view->show();
        view->OnInitialUpdate();
        view->State().m_nCurColumn = currentRow > 0 ? 1 : -1;
        view->State().m_nCurRow = currentRow;
        view->State().m_nCopySrcRow = copySrc;
        view->State().m_bCutMark = cut;
        doc.SetModifiedFlag(false);
    }

    // Changes train row of the document as if it had been saved that way.
    void Set(int row, const std::function<void(tagTRAININFO&)>& change)
    {
        tagTRAININFO t = doc.Timetable().m_TrainInfo.ElementAt(row);
        change(t);
        doc.Apply(TimetableEdit().SetTrain(row, t), QStringLiteral("test"));
        doc.SetModifiedFlag(false);
    }

    QList<int> Numbers() const
    {
        QList<int> v;
        for (const auto& t : doc.Timetable().m_TrainInfo.Items())
            v.append(t.wTrainNo);
        return v;
    }
    QString Letters() const
    {
        QString s;
        for (const auto& t : doc.Timetable().m_TrainInfo.Items())
            s += QChar(u'A' + t.wTrainNo - 1);
        return s;
    }

    CVeldenDoc doc;
    std::unique_ptr<CVeldenView> view;
};

QPushButton* Button(QWidget* dlg, const QString& text)
{
    for (QPushButton* b : dlg->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

void Click(QAbstractButton* button)
{
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

// One key as the user presses it: the event loop runs between the press and the release.
void Press(QWidget* target, Qt::Key key, char text = 0)
{
    if (text)
        QTest::keyPress(target, text);
    else
        QTest::keyPress(target, key);
    QCoreApplication::processEvents();
    if (text)
        QTest::keyRelease(target, text);
    else
        QTest::keyRelease(target, key);
}

QLineEdit* EditOf(QWidget* box)
{
    return box->findChild<QLineEdit*>();
}

// Types text into a number box as the user does: focus, select what it holds, press each key
// (Backspace to empty it). Returns the widget that has the focus, which receives further keys.
QWidget* Type(QWidget* box, const QString& text)
{
    box->setFocus();
    QWidget* target = QApplication::focusWidget();
    if (!target || (target != box && !box->isAncestorOf(target)))
        target = EditOf(box);
    EditOf(box)->selectAll();
    if (text.isEmpty())
        Press(target, Qt::Key_Backspace);
    for (QChar c : text)
        Press(target, Qt::Key(c.unicode()), char(c.unicode()));
    return target;
}

// Runs act on the modal dialog the command opens. If act leaves the dialog open (a refused
// OK), that is recorded and the dialog is cancelled so the command returns.
template <typename Dlg> struct Modal
{
    bool opened = false;
    bool stayedOpen = false;

    void Arm(std::function<void(Dlg*)> act)
    {
        QTimer::singleShot(0, [this, act] {
            QWidget* w = QApplication::activeModalWidget();
            auto* dlg = qobject_cast<Dlg*>(w);
            if (!dlg) {
                if (w)
                    w->close();
                return;
            }
            opened = true;
            act(dlg);
            if (dlg->isVisible()) {
                stayedOpen = true;
                dlg->reject();
            }
        });
    }
};

} // namespace

class RowDialogsTest : public QObject
{
    Q_OBJECT

private:
    QList<Msg::Record> m_messages;

private slots:
    void initTestCase()
    {
        Fonts::InstallSubstitutions();
        Msg::SetMessageHook([this](const Msg::Record& r) {
            m_messages.append(r);
            return QMessageBox::Ok;
        });
        Msg::SetBeepHook([] {});
    }
    void init() { m_messages.clear(); }

    // ---- Insert -------------------------------------------------------------------------

    void insert_data()
    {
        QTest::addColumn<int>("trains");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("atCurrent");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("copyRow"); // empty: "新規"
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<int>("expectedCurrent");

        QTest::newRow("empty list, append 3 blank") << 0 << -1 << false << "3"
                                                    << "" << QList<int>{0, 0, 0} << 0;
        QTest::newRow("2 at row 4 of 10")
            << 10 << 4 << true << "2"
            << "" << QList<int>{1, 2, 3, 0, 0, 4, 5, 6, 7, 8, 9, 10} << 6;
        QTest::newRow("copy row 5 at row 2") << 6 << 2 << true << "2"
                                             << "5" << QList<int>{1, 5, 5, 2, 3, 4, 5, 6} << 4;
        QTest::newRow("append copies of row 1") << 2 << 2 << false << "2"
                                                << "1" << QList<int>{1, 2, 1, 1} << 2;
        QTest::newRow("70 rows") << 1 << 1 << false << "70"
                                 << "" << QList<int>{1} + QList<int>(70, 0) << 1;
        // The current train moves below the old last row and stays selected.
        QTest::newRow("3 at row 4 of 5") << 5 << 4 << true << "3"
                                         << "" << QList<int>{1, 2, 3, 0, 0, 0, 4, 5} << 7;
    }
    void insert()
    {
        QFETCH(int, trains);
        QFETCH(int, current);
        QFETCH(bool, atCurrent);
        QFETCH(QString, count);
        QFETCH(QString, copyRow);
        QFETCH(QList<int>, expected);
        QFETCH(int, expectedCurrent);

        Fixture f(trains, current, 7);
        Modal<CAddItemDlg> modal;
        modal.Arm([&](CAddItemDlg* dlg) {
            QVERIFY(dlg->m_pAtEnd->isChecked());
            QVERIFY(dlg->m_pNew->isChecked());
            QVERIFY(!dlg->m_pCopyRow->isEnabled());
            QCOMPARE(dlg->m_pCount->Text(), QStringLiteral("1"));
            if (atCurrent)
                Click(dlg->m_pAtCurrent);
            QWidget* last = Type(dlg->m_pCount, count);
            if (!copyRow.isEmpty()) {
                Click(dlg->m_pCopy);
                QVERIFY(dlg->m_pCopyRow->isEnabled());
                last = Type(dlg->m_pCopyRow, copyRow);
            }
            Press(last, Qt::Key_Return);
        });
        OnEditInsert(*f.view);
        QVERIFY(modal.opened);
        QVERIFY(!modal.stayedOpen);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(f.Numbers(), expected);
        QCOMPARE(f.doc.Timetable().m_wTrainCount, expected.size());
        QCOMPARE(f.view->State().m_nCurRow, expectedCurrent);
        QVERIFY(f.doc.IsModified());
        if (trains == 0) {
            const auto& t = f.doc.Timetable().m_TrainInfo.ElementAt(1);
            QCOMPARE(t.chTrainSuffix, quint8('Z'));
            QCOMPARE(t.wAssortment, quint16(1));
            QCOMPARE(t.wPlatform, quint16(1));
        }
    }

    void insertRefusals_data()
    {
        QTest::addColumn<int>("trains");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");

        QTest::newRow("at current without a row")
            << 5 << -1 << "current"
            << "ｾﾙが選択されていないので[現在位置から挿入]は使えません" << kErr;
        QTest::newRow("copy from an empty list") << 0 << -1 << "copy"
                                                 << "複写元の行番号が不正です" << kApp;
        QTest::newRow("full list") << 65535 << 1 << "ok"
                                   << "列車は65535本までしか登録できません" << kErr;
        QTest::newRow("cancel") << 5 << 2 << "cancel"
                                << ""
                                << "";
    }
    void insertRefusals()
    {
        QFETCH(int, trains);
        QFETCH(int, current);
        QFETCH(QString, action);
        QFETCH(QString, message);
        QFETCH(QString, caption);

        Fixture f(trains, current);
        Modal<CAddItemDlg> modal;
        modal.Arm([&](CAddItemDlg* dlg) {
            if (action == "current") {
                Click(dlg->m_pAtCurrent);
                QVERIFY(dlg->m_pAtEnd->isChecked()); // the check goes back
                QVERIFY(!dlg->m_pAtCurrent->isChecked());
                return;
            }
            if (action == "copy")
                Click(dlg->m_pCopy);
            if (action == "cancel")
                Click(Button(dlg, QStringLiteral("ｷｬﾝｾﾙ")));
            else
                Click(Button(dlg, QStringLiteral("OK")));
        });
        OnEditInsert(*f.view);
        QVERIFY(modal.opened);
        QCOMPARE(modal.stayedOpen, action != "cancel");
        if (message.isEmpty()) {
            QVERIFY(m_messages.isEmpty());
        } else {
            QCOMPARE(m_messages.size(), 1);
            QCOMPARE(m_messages[0].text, message);
            QCOMPARE(m_messages[0].caption, caption);
            QCOMPARE(m_messages[0].icon, QMessageBox::Warning);
        }
        QCOMPARE(f.doc.Timetable().m_wTrainCount, trains);
        QCOMPARE(f.view->State().m_nCurRow, current);
        QVERIFY(!f.doc.IsModified());
    }

    void insertClosesTheEditor()
    {
        Fixture f(3, 2);
        f.view->BeginEdit();
        QVERIFY(f.view->IsEditing());
        Modal<CAddItemDlg> modal;
        bool editingWhileOpen = true;
        modal.Arm([&](CAddItemDlg* dlg) {
            editingWhileOpen = f.view->IsEditing();
            dlg->reject();
        });
        OnEditInsert(*f.view);
        QVERIFY(!editingWhileOpen);
    }

    // ---- Delete -------------------------------------------------------------------------

    void remove_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("copySrc");
        QTest::addColumn<QString>("direction"); // down, up, end
        QTest::addColumn<QString>("count");
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<int>("expectedCopySrc");

        QTest::newRow("down 3 from 4") << 4 << 8 << "down"
                                       << "3" << QList<int>{1, 2, 3, 7, 8, 9, 10} << 5;
        QTest::newRow("down 3 from 4, source above")
            << 4 << 2 << "down"
            << "3" << QList<int>{1, 2, 3, 7, 8, 9, 10} << 2;
        QTest::newRow("up 3 from 4") << 4 << 3 << "up"
                                     << "3" << QList<int>{1, 5, 6, 7, 8, 9, 10} << -1;
        QTest::newRow("all from the end") << 4 << 4 << "end"
                                          << "10" << QList<int>{} << -1;
    }
    void remove()
    {
        QFETCH(int, current);
        QFETCH(int, copySrc);
        QFETCH(QString, direction);
        QFETCH(QString, count);
        QFETCH(QList<int>, expected);
        QFETCH(int, expectedCopySrc);

        Fixture f(10, current, copySrc);
        Modal<CRemoveDlg> modal;
        modal.Arm([&](CRemoveDlg* dlg) {
            QVERIFY(dlg->m_pDown->isChecked());
            QCOMPARE(dlg->m_pCount->Text(), QStringLiteral("1"));
            QCOMPARE(dlg->m_pCount->Maximum(), 7);
            if (direction == "up") {
                Click(dlg->m_pUp);
                QCOMPARE(dlg->m_pCount->Maximum(), current);
            } else if (direction == "end") {
                Click(dlg->m_pFromEnd);
                QCOMPARE(dlg->m_pCount->Maximum(), 10);
            }
            Type(dlg->m_pCount, count);
            Click(Button(dlg, QStringLiteral("OK")));
        });
        OnEditDelete(*f.view);
        QVERIFY(!modal.stayedOpen);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(f.Numbers(), expected);
        // The current row was removed: the refresh leaves no cell selected.
        QVERIFY(f.view->State().m_nCurRow <= 0);
        QCOMPARE(f.view->State().m_nCopySrcRow, expectedCopySrc);
        QVERIFY(f.doc.IsModified());
    }

    void removeRefusals_data()
    {
        QTest::addColumn<int>("trains");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");

        QTest::newRow("empty list") << 0 << -1 << "ok"
                                    << "行がないので削除できません" << int(QMessageBox::Critical);
        QTest::newRow("downward without a row")
            << 10 << -1 << "down"
            << "行が選択されていません" << int(QMessageBox::Warning);
        QTest::newRow("upward without a row")
            << 10 << -1 << "up"
            << "行が選択されていません" << int(QMessageBox::Warning);
        QTest::newRow("cancel") << 10 << 4 << "cancel"
                                << "" << 0;
    }
    void removeRefusals()
    {
        QFETCH(int, trains);
        QFETCH(int, current);
        QFETCH(QString, action);
        QFETCH(QString, message);
        QFETCH(int, icon);

        Fixture f(trains, current);
        Modal<CRemoveDlg> modal;
        modal.Arm([&](CRemoveDlg* dlg) {
            if (current < 1) {
                QVERIFY(dlg->m_pFromEnd->isChecked());
                QCOMPARE(dlg->m_pCount->Maximum(), std::max(trains, 0));
                QCOMPARE(dlg->m_pCount->Minimum(), trains >= 1 ? 1 : 0);
            }
            if (action == "down" || action == "up") {
                Click(action == "down" ? dlg->m_pDown : dlg->m_pUp);
                QVERIFY(dlg->m_pFromEnd->isChecked());
                return;
            }
            Click(Button(dlg, action == "cancel" ? QStringLiteral("ｷｬﾝｾﾙ") : QStringLiteral("OK")));
        });
        OnEditDelete(*f.view);
        QCOMPARE(modal.stayedOpen, action != "cancel");
        if (message.isEmpty()) {
            QVERIFY(m_messages.isEmpty());
        } else {
            QCOMPARE(m_messages.size(), 1);
            QCOMPARE(m_messages[0].text, message);
            QCOMPARE(m_messages[0].caption, kErr);
            QCOMPARE(int(m_messages[0].icon), icon);
        }
        QCOMPARE(f.doc.Timetable().m_wTrainCount, trains);
        QVERIFY(!f.doc.IsModified());
    }

    void removeUpwardLowersTheCount()
    {
        // Down offers 1..7 at row 4 of 10; switching to upward lowers a count of 6 to 4.
        Fixture f(10, 4);
        Modal<CRemoveDlg> modal;
        modal.Arm([&](CRemoveDlg* dlg) {
            Type(dlg->m_pCount, QStringLiteral("6"));
            Click(dlg->m_pUp);
            QCOMPARE(dlg->m_pCount->Text(), QStringLiteral("4"));
            Click(Button(dlg, QStringLiteral("OK")));
        });
        OnEditDelete(*f.view);
        QCOMPARE(f.Numbers(), (QList<int>{5, 6, 7, 8, 9, 10}));
    }

    // ---- Numbers typed into insert and delete -------------------------------------------

    void typedNumbersAreRefused_data()
    {
        QTest::addColumn<QString>("command"); // insert, delete
        QTest::addColumn<QString>("box");     // count, copyRow
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message");

        // Row 4 of 10: downward deletes at most 7, a copy can come from rows 1..10.
        const QString badDelete = QStringLiteral("削除行数の値が不正です");
        const QString badInsert = QStringLiteral("行数の値が不正です");
        QTest::newRow("delete 3 then 0") << "delete"
                                         << "count"
                                         << "30" << badDelete;
        QTest::newRow("delete 9 of 7") << "delete"
                                       << "count"
                                       << "9" << badDelete;
        QTest::newRow("delete 0") << "delete"
                                  << "count"
                                  << "0" << badDelete;
        QTest::newRow("delete none") << "delete"
                                     << "count"
                                     << "" << badDelete;
        QTest::newRow("insert 3, 0, 0") << "insert"
                                        << "count"
                                        << "300" << badInsert;
        QTest::newRow("insert 0") << "insert"
                                  << "count"
                                  << "0" << badInsert;
        QTest::newRow("insert none") << "insert"
                                     << "count"
                                     << "" << badInsert;
        QTest::newRow("copy from 7 then 0") << "insert"
                                            << "copyRow"
                                            << "70" << QStringLiteral("複写元の行番号が不正です");
    }
    void typedNumbersAreRefused()
    {
        // What the box shows is what OK judges: Enter neither puts back an earlier number nor
        // clamps, and a refused number stays on the screen for correcting.
        QFETCH(QString, command);
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, message);

        Fixture f(10, 4);
        QString shown;
        auto typeAndEnter = [&](QDialog* dlg, QWidget* numberBox) {
            Press(Type(numberBox, keys), Qt::Key_Return);
            QVERIFY(dlg->isVisible());
            shown = EditOf(numberBox)->text();
        };
        if (command == "delete") {
            Modal<CRemoveDlg> modal;
            modal.Arm([&](CRemoveDlg* dlg) { typeAndEnter(dlg, dlg->m_pCount); });
            OnEditDelete(*f.view);
            QVERIFY(modal.stayedOpen);
        } else {
            Modal<CAddItemDlg> modal;
            modal.Arm([&](CAddItemDlg* dlg) {
                if (box == "copyRow")
                    Click(dlg->m_pCopy);
                typeAndEnter(dlg, box == "copyRow" ? dlg->m_pCopyRow : dlg->m_pCount);
            });
            OnEditInsert(*f.view);
            QVERIFY(modal.stayedOpen);
        }
        QCOMPARE(shown, keys);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, message);
        QCOMPARE(f.doc.Timetable().m_wTrainCount, 10);
        QVERIFY(!f.doc.IsModified());
    }

    void arrowsStepWithinTheRange()
    {
        // Row 4 of 10 downward: 1..7. Typing passes the range, the arrows come back into it.
        Fixture f(10, 4);
        GridState state = f.view->State();
        CRemoveDlg dlg(RowContext{&f.doc, &state});
        dlg.show();
        QWidget* edit = Type(dlg.m_pCount, QStringLiteral("6"));
        Press(edit, Qt::Key_Up);
        Press(edit, Qt::Key_Up);
        QCOMPARE(dlg.m_pCount->Text(), QStringLiteral("7"));
        Type(dlg.m_pCount, QStringLiteral("12"));
        QCOMPARE(dlg.m_pCount->Text(), QStringLiteral("12"));
        Click(dlg.m_pCount->DownButton());
        QCOMPARE(dlg.m_pCount->Text(), QStringLiteral("7"));
        Type(dlg.m_pCount, QStringLiteral("x")); // digits only
        QCOMPARE(dlg.m_pCount->Text(), QStringLiteral("7"));
    }

    // ---- Copy, cut and paste ------------------------------------------------------------

    void copyCutRefusals()
    {
        Fixture f(5);
        OnEditCopy(*f.view);
        OnEditCut(*f.view);
        QCOMPARE(m_messages.size(), 2);
        for (const Msg::Record& r : m_messages) {
            QCOMPARE(r.text, QStringLiteral("セルが選択されていません"));
            QCOMPARE(r.caption, kApp);
            QCOMPARE(r.icon, QMessageBox::Warning);
        }
        QCOMPARE(f.view->State().m_nCopySrcRow, -1);
    }

    void paste_data()
    {
        QTest::addColumn<QString>("mark"); // copy, cut
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("expectedCurrent");
        QTest::addColumn<int>("expectedCopySrc");

        QTest::newRow("cut D, insert at B") << "cut" << 4 << 2 << false << "ADBCE" << 2 << -1;
        QTest::newRow("copy B, overwrite D") << "copy" << 2 << 4 << true << "ABCBE" << 4 << 2;
        QTest::newRow("cut B, overwrite D") << "cut" << 2 << 4 << true << "ACBE" << 3 << -1;
        QTest::newRow("copy D, insert at B") << "copy" << 4 << 2 << false << "ADBCDE" << 2 << 5;
    }
    void paste()
    {
        QFETCH(QString, mark);
        QFETCH(int, source);
        QFETCH(int, target);
        QFETCH(bool, overwrite);
        QFETCH(QString, expected);
        QFETCH(int, expectedCurrent);
        QFETCH(int, expectedCopySrc);

        Fixture f(5);
        f.view->SelectCell(3, source);
        if (mark == "cut")
            OnEditCut(*f.view);
        else
            OnEditCopy(*f.view);
        QCOMPARE(f.view->State().m_nCopySrcRow, source);
        QCOMPARE(f.view->State().m_bCutMark, mark == "cut");
        f.view->SelectCell(3, target);
        f.view->BeginEdit();

        Modal<CPasteDlg> modal;
        bool editingWhileOpen = false;
        modal.Arm([&](CPasteDlg* dlg) {
            // The editor closes only once the mode is chosen.
            editingWhileOpen = f.view->IsEditing();
            QVERIFY(dlg->m_pInsert->isChecked());
            QCOMPARE(dlg->focusWidget(), dlg->m_pInsert);
            if (overwrite)
                Click(dlg->m_pOverwrite);
            Click(Button(dlg, QStringLiteral("OK")));
        });
        OnEditPaste(*f.view);
        QVERIFY(modal.opened);
        QVERIFY(editingWhileOpen);
        QVERIFY(!f.view->IsEditing());
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(f.Letters(), expected);
        QCOMPARE(f.view->State().m_nCurRow, expectedCurrent);
        QCOMPARE(f.view->State().m_nCopySrcRow, expectedCopySrc);
        QVERIFY(f.doc.IsModified());

        // After a cut the source is gone; a copy can be pasted again.
        if (mark == "cut") {
            OnEditPaste(*f.view);
            QCOMPARE(m_messages.size(), 1);
            QCOMPARE(m_messages[0].text, QStringLiteral("ｺﾋﾟｰ元の行が選択されていません"));
            QCOMPARE(m_messages[0].caption, kApp);
            QCOMPARE(m_messages[0].icon, QMessageBox::Warning);
        } else {
            Modal<CPasteDlg> again;
            again.Arm([&](CPasteDlg* dlg) { Click(Button(dlg, QStringLiteral("OK"))); });
            OnEditPaste(*f.view);
            QVERIFY(again.opened);
            QCOMPARE(f.doc.Timetable().m_wTrainCount, expected.size() + 1);
        }
    }

    void pasteCancelAndNoSelection()
    {
        Fixture f(5, 4, 2, true);
        f.view->BeginEdit();
        Modal<CPasteDlg> modal;
        modal.Arm([&](CPasteDlg* dlg) { Click(Button(dlg, QStringLiteral("ｷｬﾝｾﾙ"))); });
        OnEditPaste(*f.view);
        QVERIFY(modal.opened);
        QVERIFY(f.view->IsEditing()); // Cancel leaves the editor open
        QCOMPARE(f.Letters(), QStringLiteral("ABCDE"));
        QCOMPARE(f.view->State().m_nCopySrcRow, 2);
        QVERIFY(f.view->State().m_bCutMark);
        QVERIFY(!f.doc.IsModified());

        // No selected cell: nothing happens, no dialog and no message.
        f.view->State().m_nCurRow = -1;
        Modal<CPasteDlg> none;
        none.Arm([](CPasteDlg* dlg) { dlg->reject(); });
        OnEditPaste(*f.view);
        QTest::qWait(10);
        QVERIFY(!none.opened);
        QVERIFY(m_messages.isEmpty());
    }

    void pasteCutOntoItself()
    {
        Fixture f(5, 3, 3, true);
        Modal<CPasteDlg> modal;
        modal.Arm([&](CPasteDlg* dlg) {
            Click(dlg->m_pOverwrite);
            Click(Button(dlg, QStringLiteral("OK")));
        });
        OnEditPaste(*f.view);
        QCOMPARE(f.Letters(), QStringLiteral("ABCDE"));
        QCOMPARE(f.view->State().m_nCurRow, 3);
        QCOMPARE(f.view->State().m_nCopySrcRow, -1);
        QVERIFY(!f.doc.IsModified());
    }

    void copyFollowsInsertAndDelete()
    {
        // Copy on row 3, insert two rows above it: the mark follows to row 5. Deleting that
        // row forgets it, and paste is refused.
        Fixture f(5);
        f.view->SelectCell(1, 3);
        OnEditCopy(*f.view);
        f.view->SelectCell(1, 1);
        Modal<CAddItemDlg> insert;
        insert.Arm([&](CAddItemDlg* dlg) {
            Click(dlg->m_pAtCurrent);
            Type(dlg->m_pCount, QStringLiteral("2"));
            Click(Button(dlg, QStringLiteral("OK")));
        });
        OnEditInsert(*f.view);
        QCOMPARE(f.view->State().m_nCopySrcRow, 5);
        f.view->SelectCell(1, 5);
        Modal<CRemoveDlg> remove;
        remove.Arm([&](CRemoveDlg* dlg) { Click(Button(dlg, QStringLiteral("OK"))); });
        OnEditDelete(*f.view);
        QCOMPARE(f.view->State().m_nCopySrcRow, -1);
        f.view->SelectCell(1, 1);
        OnEditPaste(*f.view);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QStringLiteral("ｺﾋﾟｰ元の行が選択されていません"));
    }

    // ---- Replace ------------------------------------------------------------------------

    void replace()
    {
        Fixture f(4);
        const int types[] = {1, 2, 2, 3};
        for (int i = 0; i < 4; ++i)
            f.Set(i + 1, [&](tagTRAININFO& t) { t.wAssortment = quint16(types[i]); });
        QList<int> afterFirst, afterSecond;
        auto typesNow = [&] {
            QList<int> v;
            for (const auto& t : f.doc.Timetable().m_TrainInfo.Items())
                v.append(t.wAssortment);
            return v;
        };
        bool modifiedAfterNone = true;
        Modal<CReplaceDlg> modal;
        modal.Arm([&](CReplaceDlg* dlg) {
            QCOMPARE(dlg->m_pSourceTypes->count(), 3);
            QCOMPARE(dlg->m_pSourceTypes->item(1)->text(), QStringLiteral("快速"));
            QCOMPARE(dlg->m_pTargetType->currentIndex(), 0);
            QVERIFY(dlg->m_pSourceTypes->selectedItems().isEmpty());
            QVERIFY(!dlg->m_pSourceDestinations->isEnabled());
            QVERIFY(!dlg->m_pTargetDestination->isEnabled());
            QVERIFY(dlg->m_pReplaceAll->isDefault());

            Click(dlg->m_pReplaceAll); // nothing selected
            modifiedAfterNone = f.doc.IsModified();

            QTest::mouseClick(
                dlg->m_pSourceTypes->viewport(), Qt::LeftButton, {},
                dlg->m_pSourceTypes->visualItemRect(dlg->m_pSourceTypes->item(1)).center());
            Click(dlg->m_pReplaceAll);
            afterFirst = typesNow();
            QVERIFY(dlg->isVisible()); // stays open for the next replacement

            // Types 1 and 2 into 2, the target among the sources.
            dlg->m_pSourceTypes->item(0)->setSelected(true);
            dlg->m_pTargetType->setCurrentIndex(1);
            Click(dlg->m_pReplaceAll);
            afterSecond = typesNow();
            Click(dlg->m_pClose);
        });
        OnEditReplace(*f.view);
        QVERIFY(!modal.stayedOpen);
        QCOMPARE(m_messages.size(), 3);
        const QString texts[] = {QStringLiteral("4 個中 0 個のｱｲﾃﾑを置換しました"),
                                 QStringLiteral("4 個中 2 個のｱｲﾃﾑを置換しました"),
                                 QStringLiteral("4 個中 3 個のｱｲﾃﾑを置換しました")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(m_messages[i].text, texts[i]);
            QCOMPARE(m_messages[i].caption, QStringLiteral("完了"));
            QCOMPARE(m_messages[i].icon, QMessageBox::Information);
        }
        QVERIFY(!modifiedAfterNone);
        QCOMPARE(afterFirst, (QList<int>{1, 1, 1, 3}));
        QCOMPARE(afterSecond, (QList<int>{2, 2, 2, 3}));
        QVERIFY(f.doc.IsModified());
    }

    // ---- Pattern ------------------------------------------------------------------------

    void pattern()
    {
        // The current row 3 follows its train below the copies, past the old last row.
        Fixture f(3, 3, 3);
        f.Set(1, [](tagTRAININFO& t) { t.wTime = 360; });
        f.Set(2, [](tagTRAININFO& t) { t.wTime = 367; });
        f.view->BeginEdit();
        bool editingWhileOpen = true;
        Modal<CPatternDiaDlg> modal;
        modal.Arm([&](CPatternDiaDlg* dlg) {
            editingWhileOpen = f.view->IsEditing();
            QCOMPARE(dlg->m_pFirst->Text(), QStringLiteral("3"));
            QCOMPARE(dlg->m_pCount->Text(), QString());
            QCOMPARE(dlg->m_pCycle->currentText(), QString());
            QCOMPARE(dlg->m_pRepetitions->Text(), QString());
            QCOMPARE(dlg->m_pCycle->count(), 7);
            QVERIFY(!dlg->m_pOk->isEnabled());
            Type(dlg->m_pFirst, QStringLiteral("1"));
            Type(dlg->m_pCount, QStringLiteral("2"));
            dlg->m_pCycle->setCurrentIndex(dlg->m_pCycle->findText(QStringLiteral("15")));
            QVERIFY(!dlg->m_pOk->isEnabled());
            Press(Type(dlg->m_pRepetitions, QStringLiteral("3")), Qt::Key_Return);
        });
        OnPatternDia(*f.view);
        QVERIFY(!editingWhileOpen);
        QVERIFY(!modal.stayedOpen);
        QCOMPARE(f.Numbers(), (QList<int>{1, 2, 1, 2, 1, 2, 1, 2, 3}));
        QList<int> times;
        for (const auto& t : f.doc.Timetable().m_TrainInfo.Items())
            times.append(t.wTime);
        QCOMPARE(times.mid(0, 8), (QList<int>{360, 367, 375, 382, 390, 397, 405, 412}));
        QCOMPARE(f.view->State().m_nCopySrcRow, 9);
        QCOMPARE(f.view->State().m_nCurRow, 9);
        QVERIFY(f.doc.IsModified());
    }

    void patternOkEnabling_data()
    {
        QTest::addColumn<int>("trains");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("cycle");
        QTest::addColumn<QString>("repetitions");
        QTest::addColumn<bool>("countArrows");
        QTest::addColumn<bool>("ok");

        QTest::newRow("valid") << 10 << "2"
                               << "3"
                               << "20"
                               << "5" << true << true;
        QTest::newRow("cycle 4") << 10 << "2"
                                 << "3"
                                 << "4"
                                 << "5" << true << false;
        QTest::newRow("cycle 121") << 10 << "2"
                                   << "3"
                                   << "121"
                                   << "5" << true << false;
        QTest::newRow("cycle typed 7") << 10 << "2"
                                       << "3"
                                       << "7"
                                       << "5" << true << true;
        QTest::newRow("repetitions 0") << 10 << "2"
                                       << "3"
                                       << "20"
                                       << "0" << true << false;
        QTest::newRow("first row 0") << 10 << "0"
                                     << "3"
                                     << "20"
                                     << "5" << false << false;
        QTest::newRow("count beyond the rows left") << 10 << "9"
                                                    << "3"
                                                    << "20"
                                                    << "5" << true << false;
        QTest::newRow("empty timetable") << 0 << "1"
                                         << "1"
                                         << "20"
                                         << "5" << false << false;
    }
    void patternOkEnabling()
    {
        QFETCH(int, trains);
        QFETCH(QString, first);
        QFETCH(QString, count);
        QFETCH(QString, cycle);
        QFETCH(QString, repetitions);
        QFETCH(bool, countArrows);
        QFETCH(bool, ok);

        Fixture f(trains);
        GridState state = f.view->State();
        CPatternDiaDlg dlg(RowContext{&f.doc, &state});
        dlg.show();
        QVERIFY(dlg.m_pFirst->Text().isEmpty()); // no current row
        QVERIFY(!dlg.m_pOk->isEnabled());
        Type(dlg.m_pFirst, first);
        Type(dlg.m_pCount, count);
        QTest::keyClicks(dlg.m_pCycle->lineEdit(), cycle);
        Type(dlg.m_pRepetitions, repetitions);
        QCOMPARE(dlg.m_pCount->ArrowsEnabled(), countArrows);
        QVERIFY(dlg.m_pCount->isEnabled());
        QCOMPARE(dlg.m_pOk->isEnabled(), ok);
    }

    void patternKeepsTheTypedCount()
    {
        // First 1 of 10 with count 5, then first 8: the count stays 5 and OK waits. An invalid
        // first row stops only the count's arrows; first 6 makes the 5 rows fit, and Enter
        // builds from exactly those.
        Fixture f(10);
        Modal<CPatternDiaDlg> modal;
        modal.Arm([&](CPatternDiaDlg* dlg) {
            Type(dlg->m_pFirst, QStringLiteral("1"));
            Type(dlg->m_pCount, QStringLiteral("5"));
            QTest::keyClicks(dlg->m_pCycle->lineEdit(), QStringLiteral("15"));
            Type(dlg->m_pRepetitions, QStringLiteral("1"));
            QVERIFY(dlg->m_pOk->isEnabled());
            Type(dlg->m_pFirst, QStringLiteral("8"));
            QCOMPARE(EditOf(dlg->m_pCount)->text(), QStringLiteral("5"));
            QVERIFY(!dlg->m_pOk->isEnabled());
            Type(dlg->m_pFirst, QStringLiteral("0"));
            QVERIFY(EditOf(dlg->m_pCount)->isEnabled());
            QVERIFY(!dlg->m_pOk->isEnabled());
            Press(Type(dlg->m_pFirst, QStringLiteral("6")), Qt::Key_Return);
        });
        OnPatternDia(*f.view);
        QVERIFY(!modal.stayedOpen);
        QCOMPARE(f.Numbers(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 6, 7, 8, 9, 10}));
    }

    void patternRefusesTooManyTrains()
    {
        Fixture f(65000, 1);
        Modal<CPatternDiaDlg> modal;
        modal.Arm([&](CPatternDiaDlg* dlg) {
            Type(dlg->m_pCount, QStringLiteral("200"));
            dlg->m_pCycle->setEditText(QStringLiteral("15"));
            Type(dlg->m_pRepetitions, QStringLiteral("200"));
            Click(dlg->m_pOk);
        });
        OnPatternDia(*f.view);
        QVERIFY(modal.stayedOpen);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QStringLiteral("列車は65535本までしか登録できません"));
        QCOMPARE(m_messages[0].caption, kErr);
        QCOMPARE(f.doc.Timetable().m_wTrainCount, 65000);
        QVERIFY(!f.doc.IsModified());
    }

    void patternCancel()
    {
        Fixture f(3, 1);
        Modal<CPatternDiaDlg> modal;
        modal.Arm([&](CPatternDiaDlg* dlg) {
            Type(dlg->m_pCount, QStringLiteral("1"));
            dlg->m_pCycle->setEditText(QStringLiteral("15"));
            Type(dlg->m_pRepetitions, QStringLiteral("2"));
            Click(Button(dlg, QStringLiteral("ｷｬﾝｾﾙ")));
        });
        OnPatternDia(*f.view);
        QCOMPARE(f.doc.Timetable().m_wTrainCount, 3);
        QVERIFY(!f.doc.IsModified());
    }
};

QTEST_MAIN(RowDialogsTest)
#include "rowdialogs_test.moc"
