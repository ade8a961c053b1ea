// The type and destination editors as the user drives them: the list, mnemonics, keys and the
// edit dialogs; then the lists, the trains' indexes, what the grid shows, the messages, the
// modified state and the one undo step of the run.
#include "assortmentdlg.h"
#include "assortmenteditdlg.h"
#include "colorcombobox.h"
#include "destinationdlg.h"
#include "destinationeditdlg.h"
#include "focusselect.h"
#include "fonts.h"
#include "gridcolumn.h"
#include "mastercommands.h"
#include "messages.h"
#include "panelviewdatadlg.h"
#include "panelviewedit.h"
#include "samples.h"
#include "sjis.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString kErr = QStringLiteral("ｴﾗｰ");

// Types 普通, 快速, 特急 and destinations 東京, 大宮, 高崎; trains 1..3 are 普通 to 東京,
// 特急 to 高崎 and 普通 to 東京. A view shows the document.
struct Fixture
{
    explicit Fixture(int types = 3, int destinations = 3)
    {
        CQLMDoc t = Samples::Timetable().Trains(
            {{1}, {2, 0, quint16(types), 0, quint16(destinations)}, {3}});
        const char* typeNames[] = {"普通", "快速", "特急"};
        const char* destinationNames[] = {"東京", "大宮", "高崎"};
        t.SetAssortmentCount(quint16(types));
        for (int k = 1; k <= types; ++k) {
            auto& type = t.m_TrainAssortment.ElementAt(k);
            type.strName = Samples::J(typeNames[std::min(k, 3) - 1]);
            type.strNameSub = "SUB" + QByteArray::number(k);
        }
        t.SetDestinationCount(quint16(destinations));
        for (int k = 1; k <= destinations; ++k)
            t.m_Destination.ElementAt(k).strName = Samples::J(destinationNames[std::min(k, 3) - 1]);
        doc.ResetTimetable(t);
        original = t;
        view = std::make_unique<CVeldenView>(&doc);
        view->resize(800, 300);
        view->show();
        view->OnInitialUpdate();
    }

    const CQLMDoc& T() const { return doc.Timetable(); }
    QList<int> TrainTypes() const
    {
        QList<int> v;
        for (const auto& t : T().m_TrainInfo.Items())
            v.append(t.wAssortment);
        return v;
    }
    QList<int> TrainDestinations() const
    {
        QList<int> v;
        for (const auto& t : T().m_TrainInfo.Items())
            v.append(t.wDestination);
        return v;
    }
    QStringList TypeNames() const
    {
        QStringList v;
        for (const auto& t : T().m_TrainAssortment.Items())
            v.append(Sjis::Decode(t.strName));
        return v;
    }
    QStringList DestinationNames() const
    {
        QStringList v;
        for (const auto& d : T().m_Destination.Items())
            v.append(Sjis::Decode(d.strName));
        return v;
    }
    // What the grid shows in a column, train by train.
    QStringList Grid(int column) const
    {
        QStringList v;
        for (int row = 1; row <= T().m_wTrainCount; ++row)
            v.append(Sjis::Decode(view->CellBytes(column, row)));
        return v;
    }
    // Undo of the whole run gives the timetable back as it was, and as saved.
    void CheckUndoRestores()
    {
        QCOMPARE(doc.UndoStack()->count(), 1);
        doc.Undo();
        QVERIFY(T().m_TrainAssortment.Items() == original.m_TrainAssortment.Items());
        QVERIFY(T().m_Destination.Items() == original.m_Destination.Items());
        QVERIFY(T().m_TrainInfo.Items() == original.m_TrainInfo.Items());
        QVERIFY(!doc.IsModified());
    }

    CVeldenDoc doc;
    CQLMDoc original;
    std::unique_ptr<CVeldenView> view;
};

// Runs act on the next modal dialog of type Dlg once it is open (a button's mnemonic opens it
// only after the button's press animation); a dialog act leaves open is recorded and cancelled,
// so that the code that opened it returns.
template <typename Dlg> struct Modal
{
    bool opened = false;
    bool stayedOpen = false;
    std::function<void(Dlg*)> act;
    int triesLeft = 100;

    explicit Modal(std::function<void(Dlg*)> a) : act(std::move(a)) { Arm(); }
    void Arm()
    {
        QTimer::singleShot(10, [this] {
            auto* dlg = qobject_cast<Dlg*>(QApplication::activeModalWidget());
            if (!dlg) {
                if (--triesLeft > 0)
                    Arm();
                return;
            }
            opened = true;
            // The offscreen platform does not always pass activation on to a nested dialog.
            if (!dlg->isActiveWindow())
                QApplication::setActiveWindow(dlg);
            act(dlg);
            if (dlg->isVisible()) {
                stayedOpen = true;
                dlg->reject();
            }
        });
    }
};

// A mnemonic reaches the window that is active, as it would for the user.
void Alt(QWidget* w, Qt::Key key)
{
    QWidget* window = w->window();
    if (!window->isActiveWindow()) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    QTest::keyClick(w, key, Qt::AltModifier);
    // A button's mnemonic clicks it after a short press animation.
    QTest::qWait(150);
}

// Replaces the text of an edit as a user would: select all, type (Japanese through key events
// with a text, as keyClicks only takes Latin-1).
void Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, edit, Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
}

} // namespace

class MasterDataTest : public QObject
{
    Q_OBJECT

private:
    QList<Msg::Record> m_messages;
    QList<QMessageBox::StandardButton> m_answers;
    int m_beeps = 0;

private slots:
    void initTestCase()
    {
        Fonts::InstallSubstitutions();
        FocusSelect::Install();
        Msg::SetMessageHook([this](const Msg::Record& r) {
            m_messages.append(r);
            return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
        });
        Msg::SetBeepHook([this] { ++m_beeps; });
    }
    void init()
    {
        m_messages.clear();
        m_answers.clear();
        m_beeps = 0;
        CColorComboBox::SetColorPrompt({});
    }

    // ---- Removal, in both lists ------------------------------------------------------------

    void remove_data()
    {
        QTest::addColumn<bool>("destinations");
        QTest::addColumn<int>("count");    // entries in the list
        QTest::addColumn<int>("downs");    // Down presses from the first entry; -1: none selected
        QTest::addColumn<int>("answer");   // to the confirmation
        QTest::addColumn<QString>("text"); // the message shown
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("trains");
        QTest::addColumn<int>("beeps");

        const QString inUseType = QStringLiteral(
            "'特急'は使用されています\n確当する列車を全て削除するか他の種別に置換してからこの"
            "種別を削除してください");
        const QString inUseDestination = QStringLiteral(
            "'高崎'は使用されています\n確当する列車を全て削除するか他の行先に置換してからこの"
            "行先を削除してください");
        const QStringList types{"普通", "快速", "特急"};
        const QStringList destinations{"東京", "大宮", "高崎"};
        const int ok = QMessageBox::Ok, cancel = QMessageBox::Cancel;
        const int warning = QMessageBox::Warning, critical = QMessageBox::Critical,
                  question = QMessageBox::Question;

        QTest::newRow("type in use")
            << false << 3 << 2 << ok << inUseType << warning << types << QList<int>{1, 3, 1} << 0;
        QTest::newRow("type unused")
            << false << 3 << 1 << ok << "種別'快速'を削除します" << question
            << QStringList{"普通", "特急"} << QList<int>{1, 2, 1} << 0;
        QTest::newRow("type, cancelled") << false << 3 << 1 << cancel << "種別'快速'を削除します"
                                         << question << types << QList<int>{1, 3, 1} << 0;
        QTest::newRow("last type")
            << false << 1 << 0 << ok << "列車種別は最低1つ必要です\n削除はできません" << critical
            << QStringList{"普通"} << QList<int>{1, 1, 1} << 0;
        QTest::newRow("type, none selected")
            << false << 3 << -1 << ok << "" << 0 << types << QList<int>{1, 3, 1} << 1;
        QTest::newRow("destination in use") << true << 3 << 2 << ok << inUseDestination << warning
                                            << destinations << QList<int>{1, 3, 1} << 0;
        QTest::newRow("destination unused")
            << true << 3 << 1 << ok << "行先'大宮'を削除します" << question
            << QStringList{"東京", "高崎"} << QList<int>{1, 2, 1} << 0;
        QTest::newRow("last destination")
            << true << 1 << 0 << ok << "行先は最低1つ必要です\n削除はできません" << critical
            << QStringList{"東京"} << QList<int>{1, 1, 1} << 0;
    }
    void remove()
    {
        QFETCH(bool, destinations);
        QFETCH(int, count);
        QFETCH(int, downs);
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(int, icon);
        QFETCH(QStringList, names);
        QFETCH(QList<int>, trains);
        QFETCH(int, beeps);

        Fixture f(destinations ? 3 : count, destinations ? count : 3);
        m_answers = {QMessageBox::StandardButton(answer)};
        bool listEmptyAfter = false;
        auto act = [&](CMasterListDlg* dlg) {
            QCOMPARE(dlg->m_pList->currentRow(), 0);
            if (downs < 0)
                dlg->m_pList->clearSelection();
            for (int k = 0; k < downs; ++k)
                QTest::keyClick(dlg->m_pList, Qt::Key_Down);
            Alt(dlg, Qt::Key_R);
            listEmptyAfter = dlg->m_pList->selectedItems().isEmpty();
            QCOMPARE(dlg->m_pList->count(), names.size());
            QTest::keyClick(dlg, Qt::Key_Return); // 閉じる is the default button
        };
        if (destinations) {
            Modal<CDestinationDlg> m(act);
            OnEditDestination(f.doc, f.view.get());
            QVERIFY(m.opened && !m.stayedOpen);
        } else {
            Modal<CAssortmentDlg> m(act);
            OnEditAssortment(f.doc, f.view.get());
            QVERIFY(m.opened && !m.stayedOpen);
        }

        QCOMPARE(m_beeps, beeps);
        QCOMPARE(m_messages.size(), text.isEmpty() ? 0 : 1);
        if (!text.isEmpty()) {
            const Msg::Record& r = m_messages.first();
            QCOMPARE(r.text, text);
            QCOMPARE(int(r.icon), icon);
            if (icon == QMessageBox::Question) {
                QCOMPARE(r.caption, destinations ? QStringLiteral("行先の削除")
                                                 : QStringLiteral("種別の削除"));
                QCOMPARE(r.buttons, QMessageBox::Ok | QMessageBox::Cancel);
                QCOMPARE(r.defaultButton, QMessageBox::Ok);
            } else {
                QCOMPARE(r.caption, kErr);
            }
        }
        QCOMPARE(destinations ? f.DestinationNames() : f.TypeNames(), names);
        QCOMPARE(destinations ? f.TrainDestinations() : f.TrainTypes(), trains);
        const bool removed = names.size() < count;
        // After a removal nothing is selected; a refusal keeps the selection.
        QCOMPARE(listEmptyAfter, removed || downs < 0);
        // The trains keep their names on the grid.
        const int column = destinations ? GridColumn::Destination : GridColumn::Type;
        const QString last = count == 1 ? names.first() : QString(destinations ? "高崎" : "特急");
        QCOMPARE(f.Grid(column), (QStringList{names.first(), last, names.first()}));
        QCOMPARE(f.doc.IsModified(), removed);
        if (removed) {
            QCOMPARE(f.doc.UndoStack()->undoText(),
                     destinations ? QStringLiteral("行先の編集") : QStringLiteral("種別の編集"));
            f.CheckUndoRestores();
            QCOMPARE(f.Grid(column), (QStringList{names.first(), last, names.first()}));
        } else {
            QCOMPARE(f.doc.UndoStack()->count(), 0);
        }
    }

    // ---- Adding and changing a type ----------------------------------------------------------

    void addType()
    {
        Fixture f;
        CColorComboBox::SetColorPrompt([](QWidget*, quint32) { return 0x00FF8040u; });
        QString title;
        bool pickersAsNew = false;
        Modal<CAssortmentDlg> list([&](CAssortmentDlg* dlg) {
            Modal<CAssortmentEditDlg> edit([&](CAssortmentEditDlg* e) {
                title = e->windowTitle();
                pickersAsNew = e->m_pName->text() == QStringLiteral("新規種別") &&
                               e->m_pNameSub->text() == QStringLiteral("Newitem") &&
                               e->m_pDefaultColor->isChecked() && !e->m_pTextColor->isEnabled() &&
                               !e->m_pBackColor->isEnabled() && !e->m_pChangeLayout->isEnabled();
                Type(e->m_pName, QStringLiteral("急行"));
                Alt(e, Qt::Key_D); // the LED colour is now chosen here
                QVERIFY(e->m_pTextColor->isEnabled());
                e->m_pTextColor->setFocus();
                // The standard colour of a new document is in the custom item; red is second.
                QCOMPARE(e->m_pTextColor->currentIndex(), 2);
                QTest::keyClick(e->m_pTextColor, Qt::Key_Home);
                QTest::keyClick(e->m_pTextColor, Qt::Key_Down);
                Alt(e, Qt::Key_L);
                QVERIFY(e->m_pBackColor->isEnabled());
                // The custom item (holding the unlit colour) asks for a colour when chosen.
                e->m_pBackColor->setFocus();
                QCOMPARE(e->m_pBackColor->GetSelectedColor(), f.T().m_crUnlit);
                QTest::keyClick(e->m_pBackColor, Qt::Key_Home);
                QTest::keyClick(e->m_pBackColor, Qt::Key_End);
                QTest::keyClick(e, Qt::Key_Return);
            });
            Alt(dlg, Qt::Key_N);
            QVERIFY(edit.opened && !edit.stayedOpen);
            QCOMPARE(dlg->m_pList->count(), 4);
            QCOMPARE(dlg->m_pList->currentRow(), 3);
            QVERIFY(dlg->m_pList->currentItem()->isSelected());
            QCOMPARE(dlg->m_pList->currentItem()->text(), QStringLiteral("急行"));
            dlg->reject(); // Esc keeps what was done, as 閉じる does
        });
        OnEditAssortment(f.doc, f.view.get());
        QVERIFY(list.opened && !list.stayedOpen);
        QCOMPARE(title, QStringLiteral("列車種別の追加"));
        QVERIFY(pickersAsNew);
        QCOMPARE(f.TypeNames(), (QStringList{"普通", "快速", "特急", "急行"}));
        const tagTRAINASSORTMENT& added = f.T().m_TrainAssortment.ElementAt(4);
        QCOMPARE(added.strNameSub, QByteArray("Newitem"));
        QCOMPARE(added.bDefaultColor, 0u);
        QCOMPARE(added.crText, 0x0000FFu);
        QCOMPARE(added.bLightBackground, 1u);
        QCOMPARE(added.crBack, 0x00FF8040u);
        QCOMPARE(added.layoutMain, f.T().m_LayoutMain);
        QCOMPARE(f.TrainTypes(), (QList<int>{1, 3, 1}));
        QVERIFY(f.doc.IsModified());
        f.CheckUndoRestores();
    }

    void changeType_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void changeType()
    {
        QFETCH(bool, ok);
        Fixture f;
        // A colour neither green nor red shows in the custom item; a name whose bytes do not
        // survive decoding keeps them while untouched.
        const QByteArray oddSub("\x81\xFF\x41", 3);
        {
            tagTRAINASSORTMENT t = f.T().m_TrainAssortment.ElementAt(3);
            t.crText = 0x123456;
            t.bDefaultColor = 0;
            t.strNameSub = oddSub;
            CTrainAssortment types = f.T().m_TrainAssortment;
            types.ElementAt(3) = t;
            f.doc.Apply(TimetableEdit().SetLists(types, f.T().m_Destination), "setup");
            f.doc.ResetTimetable(f.T()); // the setup is no step of the history
            f.original = f.T();
        }
        Modal<CAssortmentDlg> list([&](CAssortmentDlg* dlg) {
            QTest::keyClick(dlg->m_pList, Qt::Key_End);
            Modal<CAssortmentEditDlg> edit([&](CAssortmentEditDlg* e) {
                QCOMPARE(e->windowTitle(), QStringLiteral("列車種別の内容の編集"));
                QCOMPARE(e->m_pTextColor->currentIndex(), 2);
                QCOMPARE(e->m_pTextColor->ItemColor(2), 0x123456u);
                QVERIFY(e->m_pTextColor->isEnabled());
                Type(e->m_pName, QStringLiteral("新特急"));
                QTest::keyClick(e, ok ? Qt::Key_Return : Qt::Key_Escape);
            });
            Alt(dlg, Qt::Key_C);
            QVERIFY(edit.opened && !edit.stayedOpen);
            QCOMPARE(dlg->m_pList->currentRow(), 2);
            QVERIFY(dlg->m_pList->currentItem()->isSelected());
            QCOMPARE(dlg->m_pList->currentItem()->text(), ok ? "新特急" : "特急");
            QTest::keyClick(dlg, Qt::Key_Return);
        });
        OnEditAssortment(f.doc, f.view.get());
        QVERIFY(list.opened && !list.stayedOpen);
        const tagTRAINASSORTMENT& t = f.T().m_TrainAssortment.ElementAt(3);
        QCOMPARE(t.strNameSub, oddSub);
        QCOMPARE(t.crText, 0x123456u);
        QCOMPARE(f.Grid(GridColumn::Type), (QStringList{"普通", ok ? "新特急" : "特急", "普通"}));
        QCOMPARE(f.doc.IsModified(), ok);
        if (ok)
            f.CheckUndoRestores();
        else
            QCOMPARE(f.doc.UndoStack()->count(), 0);
    }

    // A type's own layouts: the layout dialog opens on them, and they reach the type only when
    // both dialogs end with OK.
    void typeLayout_data()
    {
        QTest::addColumn<bool>("layoutOk");
        QTest::addColumn<bool>("typeOk");
        QTest::newRow("both OK") << true << true;
        QTest::newRow("layout cancelled") << false << true;
        QTest::newRow("type cancelled") << true << false;
    }
    void typeLayout()
    {
        QFETCH(bool, layoutOk);
        QFETCH(bool, typeOk);
        Fixture f;
        const PanelLayout before = f.T().m_TrainAssortment.ElementAt(1).layoutMain;
        Modal<CAssortmentDlg> list([&](CAssortmentDlg* dlg) {
            Modal<CAssortmentEditDlg> edit([&](CAssortmentEditDlg* e) {
                QVERIFY(!e->m_pChangeLayout->isEnabled());
                Alt(e, Qt::Key_C); // 表示ｽﾀｲﾙを変更
                QVERIFY(e->m_pCustomLayout->isChecked());
                QVERIFY(e->m_pChangeLayout->isEnabled());
                Modal<CPanelViewDataDlg> layout([&](CPanelViewDataDlg* l) {
                    // Drag the departure order onto columns 10 to 12 of the main row.
                    CPanelViewEdit* canvas = l->m_pMain;
                    const int w = canvas->width() - 2;
                    auto x = [w](int column) { return ((column - 1) * w + w / 2) / 33; };
                    const int y = canvas->height() / 2;
                    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(x(10), y));
                    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(x(12), y));
                    QCOMPARE(l->LayoutMain()[0], (PANELPART{10, 2, 0}));
                    QTest::keyClick(l, layoutOk ? Qt::Key_Return : Qt::Key_Escape);
                });
                e->m_pChangeLayout->click();
                QVERIFY(layout.opened && !layout.stayedOpen);
                QTest::keyClick(e, typeOk ? Qt::Key_Return : Qt::Key_Escape);
            });
            Alt(dlg, Qt::Key_C);
            QVERIFY(edit.opened && !edit.stayedOpen);
            QTest::keyClick(dlg, Qt::Key_Return);
        });
        OnEditAssortment(f.doc, f.view.get());
        const tagTRAINASSORTMENT& t = f.T().m_TrainAssortment.ElementAt(1);
        QCOMPARE(t.bCustomLayout, typeOk ? 1u : 0u);
        QCOMPARE(t.layoutMain[0], layoutOk && typeOk ? (PANELPART{10, 2, 0}) : before[0]);
        QCOMPARE(t.layoutSub, f.original.m_TrainAssortment.ElementAt(1).layoutSub);
    }

    // ---- Destinations ------------------------------------------------------------------------

    void addAndChangeDestination()
    {
        Fixture f;
        Modal<CDestinationDlg> list([&](CDestinationDlg* dlg) {
            Modal<CDestinationEditDlg> add([&](CDestinationEditDlg* e) {
                QCOMPARE(e->windowTitle(), QStringLiteral("行先の編集"));
                QCOMPARE(e->m_pName->text(), QStringLiteral("新規行先"));
                QCOMPARE(e->m_pNameEn->text(), QStringLiteral("New destination"));
                // The name has the focus with its default text selected: typing replaces it.
                QVERIFY(e->m_pName->hasFocus());
                for (QChar c : QStringLiteral("上野"))
                    QTest::sendKeyEvent(QTest::KeyAction::Click, e->m_pName, Qt::Key_unknown,
                                        QString(c), Qt::NoModifier);
                Alt(e, Qt::Key_E);
                QVERIFY(e->m_pNameEn->hasFocus());
                QTest::keyClick(e, Qt::Key_Return);
            });
            Alt(dlg, Qt::Key_A);
            QVERIFY(add.opened && !add.stayedOpen);
            QCOMPARE(dlg->m_pList->currentRow(), 3);
            // Rename the first destination: every train going there shows the new name.
            QTest::keyClick(dlg->m_pList, Qt::Key_Home);
            Modal<CDestinationEditDlg> change([&](CDestinationEditDlg* e) {
                Type(e->m_pName, QStringLiteral("東京駅"));
                Type(e->m_pNameEn, QStringLiteral("Tokyo"));
                QTest::keyClick(e, Qt::Key_Return);
            });
            Alt(dlg, Qt::Key_C);
            QVERIFY(change.opened && !change.stayedOpen);
            QCOMPARE(dlg->m_pList->item(0)->text(), QStringLiteral("東京駅"));
            QTest::keyClick(dlg, Qt::Key_Return);
        });
        OnEditDestination(f.doc, f.view.get());
        QVERIFY(list.opened && !list.stayedOpen);
        QCOMPARE(f.DestinationNames(), (QStringList{"東京駅", "大宮", "高崎", "上野"}));
        QCOMPARE(f.T().m_Destination.ElementAt(1).strNameEn, QByteArray("Tokyo"));
        QCOMPARE(f.T().m_Destination.ElementAt(4).strNameEn, QByteArray("New destination"));
        QCOMPARE(f.Grid(GridColumn::Destination), (QStringList{"東京駅", "高崎", "東京駅"}));
        QCOMPARE(f.doc.UndoStack()->undoText(), QStringLiteral("行先の編集"));
        f.CheckUndoRestores();
        QCOMPARE(f.Grid(GridColumn::Destination), (QStringList{"東京", "高崎", "東京"}));
    }

    // A list that holds the most a file can takes no more, and says why.
    void addingToAFullListSaysWhy_data()
    {
        QTest::addColumn<bool>("destination");
        QTest::newRow("types") << false;
        QTest::newRow("destinations") << true;
    }
    void addingToAFullListSaysWhy()
    {
        QFETCH(bool, destination);
        Fixture f(destination ? 3 : kMaxCollection, destination ? kMaxCollection : 3);
        auto press = [&](QDialog* dlg) {
            Alt(dlg, destination ? Qt::Key_A : Qt::Key_N);
            QCOMPARE(QApplication::activeModalWidget(), dlg); // no edit dialog opened
            QTest::keyClick(dlg, Qt::Key_Escape);
        };
        if (destination) {
            Modal<CDestinationDlg> list([&](CDestinationDlg* dlg) { press(dlg); });
            OnEditDestination(f.doc, f.view.get());
        } else {
            Modal<CAssortmentDlg> list([&](CAssortmentDlg* dlg) { press(dlg); });
            OnEditAssortment(f.doc, f.view.get());
        }
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text,
                 destination ? QStringLiteral("行先は65535件までしか登録できません")
                             : QStringLiteral("列車種別は65535件までしか登録できません"));
        QCOMPARE(m_messages[0].caption, kErr);
        QCOMPARE(m_beeps, 0);
        QCOMPARE(f.doc.UndoStack()->count(), 0);
    }

    // ---- Refusals at the edit -----------------------------------------------------------------

    void unencodableNames_data()
    {
        QTest::addColumn<bool>("destination");
        QTest::addColumn<int>("field"); // 0 main name, 1 sub name
        QTest::newRow("type name") << false << 0;
        QTest::newRow("type sub name") << false << 1;
        QTest::newRow("destination name") << true << 0;
        QTest::newRow("destination English name") << true << 1;
    }
    void unencodableNames()
    {
        QFETCH(bool, destination);
        QFETCH(int, field);
        Fixture f;
        QDialog* seen = nullptr;
        bool stayedOpenAfterRefusal = false;
        bool focusOnField = false;
        auto refuse = [&](QDialog* e, QLineEdit* name, QLineEdit* sub) {
            seen = e;
            QLineEdit* edit = field == 0 ? name : sub;
            Type(edit, QStringLiteral("A€B"));
            QTest::keyClick(e, Qt::Key_Return);
            stayedOpenAfterRefusal = e->isVisible();
            focusOnField = edit->hasFocus();
            QTest::keyClick(e, Qt::Key_Escape);
        };
        auto act = [&](CMasterListDlg* dlg) {
            if (destination) {
                Modal<CDestinationEditDlg> m(
                    [&](CDestinationEditDlg* e) { refuse(e, e->m_pName, e->m_pNameEn); });
                Alt(dlg, Qt::Key_C);
            } else {
                Modal<CAssortmentEditDlg> m(
                    [&](CAssortmentEditDlg* e) { refuse(e, e->m_pName, e->m_pNameSub); });
                Alt(dlg, Qt::Key_C);
            }
            QTest::keyClick(dlg, Qt::Key_Return);
        };
        if (destination) {
            Modal<CDestinationDlg> m(act);
            OnEditDestination(f.doc, f.view.get());
        } else {
            Modal<CAssortmentDlg> m(act);
            OnEditAssortment(f.doc, f.view.get());
        }
        QVERIFY(seen);
        QVERIFY(stayedOpenAfterRefusal);
        QVERIFY(focusOnField);
        QCOMPARE(m_beeps, 1);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.first().text, QStringLiteral("「€」は保存できない文字です"));
        QCOMPARE(m_messages.first().caption, kErr);
        QCOMPARE(m_messages.first().icon, QMessageBox::Warning);
        QVERIFY(!f.doc.IsModified());
        QCOMPARE(f.doc.UndoStack()->count(), 0);
    }

    // Closing without a change leaves no step and the modified state as it was.
    void nothingChanged()
    {
        Fixture f;
        f.doc.SetModifiedFlag(true);
        Modal<CAssortmentDlg> list([&](CAssortmentDlg* dlg) {
            Modal<CAssortmentEditDlg> edit([](CAssortmentEditDlg* e) {
                QTest::keyClick(e, Qt::Key_Return); // OK without a change
            });
            Alt(dlg, Qt::Key_C);
            QTest::keyClick(dlg, Qt::Key_Return);
        });
        OnEditAssortment(f.doc, f.view.get());
        QVERIFY(list.opened);
        QCOMPARE(f.doc.UndoStack()->count(), 0);
        QVERIFY(f.doc.IsModified());
        f.doc.SetModifiedFlag(false);
        Modal<CDestinationDlg> other([](CDestinationDlg* dlg) { dlg->m_pClose->click(); });
        OnEditDestination(f.doc, f.view.get());
        QVERIFY(other.opened);
        QVERIFY(!f.doc.IsModified());
    }
};

QTEST_MAIN(MasterDataTest)
#include "tst_masterdata.moc"
