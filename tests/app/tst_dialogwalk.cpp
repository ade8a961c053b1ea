// Every dialog of the program, opened as the user opens it, checked from its widgets: a field
// focused as the dialog opens shows its text selected; each label's mnemonic lands in its
// buddy; exactly one default button, also after Tab has gone round once; Escape closes the
// dialog and nothing changes.
#include "apptesthelpers.h"
#include "commands.h"
#include "docmanager.h"
#include "docproppaged.h"
#include "focusselect.h"
#include "fonts.h"
#include "mainframe.h"
#include "panelviewdatadlg.h"
#include "panelviewedit.h"
#include "samples.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

#include <functional>

namespace {

// Opens the next dialog from the one open now.
using Step = std::function<void(QWidget* dialog)>;

struct Route
{
    const char* name;
    std::function<void(CMainFrame*)> open; // opens the first dialog (and returns when it closed)
    QList<Step> steps;                     // from there to the dialog to check
};

void Trigger(CMainFrame* frame, int command)
{
    frame->Action(command)->trigger();
}

Step Click(const QString& text)
{
    return [text](QWidget* dialog) {
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == text && button->isVisible()) {
                button->click();
                return;
            }
        QFAIL(qPrintable(QStringLiteral("no button ") + text));
    };
}

Step Tab(int index, Step then)
{
    return [index, then](QWidget* dialog) {
        dialog->findChild<QTabWidget*>()->setCurrentIndex(index);
        then(dialog);
    };
}

// The layout editor's alignment dialog: a press on the current part.
void PressOnTheTrainType(QWidget* dialog)
{
    auto* layout = qobject_cast<CPanelViewDataDlg*>(dialog);
    QVERIFY(layout);
    layout->m_pPartList->setCurrentIndex(1); // 種別, on columns 1 to 6
    CPanelViewEdit* canvas = layout->m_pMain;
    const QPoint point(canvas->width() / 66, canvas->height() / 2);
    QTest::mousePress(canvas, Qt::LeftButton, {}, point);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, point);
}

QList<Route> Routes()
{
    auto command = [](int id) { return [id](CMainFrame* frame) { Trigger(frame, id); }; };
    auto paste = [](const char* text) {
        return [text](CMainFrame* frame) {
            QApplication::clipboard()->setText(QString::fromUtf8(text));
            Trigger(frame, ID_EDIT_PASTE_TABLE);
        };
    };
    const Step layoutEditor = Tab(1, Click(QStringLiteral("編集(&E)...")));
    return {
        {"insert", command(ID_EDIT_INSERT), {}},
        {"delete", command(ID_EDIT_DELETE), {}},
        {"paste",
         [](CMainFrame* frame) {
             Trigger(frame, ID_EDIT_COPY);
             Trigger(frame, ID_EDIT_PASTE);
         },
         {}},
        {"replace", command(ID_EDIT_REPLACE), {}},
        {"pattern", command(ID_PATTERNDIA), {}},
        {"paste problems", paste("1\t普通\t\t\t6:99\t東京\t1\n"), {}},
        {"paste problems, adding names", paste("1\t寝台\t\t\t6:00\t大阪\t1\n"), {}},
        {"types", command(ID_EDIT_ASSORTMENT), {}},
        {"new type", command(ID_EDIT_ASSORTMENT), {Click(QStringLiteral("新規(&N)"))}},
        {"destinations", command(ID_EDIT_DESTINATION), {}},
        {"new destination", command(ID_EDIT_DESTINATION), {Click(QStringLiteral("追加(&A)"))}},
        {"property sheet", command(ID_EDIT_BASICDATA), {}},
        {"layout editor", command(ID_EDIT_BASICDATA), {layoutEditor}},
        {"alignment", command(ID_EDIT_BASICDATA), {layoutEditor, PressOnTheTrainType}},
        {"guide message", command(ID_EDIT_BASICDATA), {Tab(2, Click(QStringLiteral("追加(&A)")))}},
        {"new key", command(ID_EDIT_BASICDATA), {Tab(3, Click(QStringLiteral("追加(&A)")))}},
        {"key",
         command(ID_EDIT_BASICDATA),
         {Tab(3,
              [](QWidget* dialog) {
                  auto* tree = dialog->findChild<CDocPropPageD*>()->m_pTree;
                  tree->setCurrentItem(
                      tree->findItems(QStringLiteral("MADEBY :(me)"), Qt::MatchExactly).value(0));
                  Click(QStringLiteral("編集(&E)"))(dialog);
              })}},
        {"about", command(ID_APP_ABOUT), {}},
    };
}

// A key pressed in the dialog, where its focus is.
void Press(QWidget* dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != dialog)
        focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    PressKey(focus, key, modifiers);
}

bool FocusIsIn(const QWidget* target)
{
    const QWidget* focus = QApplication::focusWidget();
    for (const QWidget* w = target; w; w = w->focusProxy())
        if (focus && (focus == w || w->isAncestorOf(focus)))
            return true;
    return false;
}

// The one visible default button, or nothing when there are none or several.
QPushButton* DefaultButton(QWidget* dialog)
{
    QList<QPushButton*> found;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isVisible() && button->isDefault())
            found << button;
    return found.size() == 1 ? found.constFirst() : nullptr;
}

// The checks of one dialog; what fails is noted, so that the dialog still closes.
class Inspector
{
public:
    QStringList failures;

    void Check(QWidget* dialog)
    {
        const QString title = dialog->windowTitle();
        auto fail = [&](const QString& what) { failures << title + QStringLiteral(": ") + what; };

        QWidget* first = QApplication::focusWidget();
        if (!first || first->window() != dialog)
            return fail(QStringLiteral("nothing has the focus"));
        if (auto* edit = qobject_cast<QLineEdit*>(first))
            if (!edit->text().isEmpty() && edit->selectedText() != edit->text())
                fail(QStringLiteral("the text of the first field is not selected"));

        auto* tabs = dialog->findChild<QTabWidget*>();
        for (int page = 0; page < (tabs ? tabs->count() : 1); ++page) {
            if (tabs)
                tabs->setCurrentIndex(page);
            CheckMnemonics(dialog, fail);
        }
        if (tabs)
            tabs->setCurrentIndex(0);

        first->setFocus(Qt::TabFocusReason);
        QPushButton* byDefault = DefaultButton(dialog);
        if (!byDefault)
            fail(QStringLiteral("not exactly one default button"));
        // Round the tab chain once, past every button: the default is the same afterwards.
        for (int i = 0; i < 100 && (i == 0 || QApplication::focusWidget() != first); ++i)
            Press(dialog, Qt::Key_Tab);
        if (QApplication::focusWidget() != first)
            fail(QStringLiteral("Tab does not come round"));
        else if (DefaultButton(dialog) != byDefault)
            fail(QStringLiteral("another default button after Tab"));

        Press(dialog, Qt::Key_Escape);
        if (dialog->isVisible())
            fail(QStringLiteral("Escape does not close it"));
    }

private:
    template <typename Fail> void CheckMnemonics(QWidget* dialog, Fail fail)
    {
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            const QKeySequence key = QKeySequence::mnemonic(label->text());
            if (key.isEmpty() || !label->isVisible())
                continue;
            QWidget* buddy = label->buddy();
            if (!buddy || buddy->focusPolicy() == Qt::NoFocus) {
                fail(label->text() + QStringLiteral(" has no buddy that takes the focus"));
                continue;
            }
            if (!buddy->isEnabled())
                continue;
            // A mnemonic shared with another control reaches each of them in turn.
            const QKeyCombination combo = key[0];
            for (int press = 0; press < 3 && !FocusIsIn(buddy); ++press)
                Press(dialog, combo.key(), combo.keyboardModifiers());
            if (!FocusIsIn(buddy))
                fail(label->text() + QStringLiteral(" does not reach its field"));
        }
    }
};

} // namespace

class TestDialogWalk : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void everyDialog_data();
    void everyDialog();

private:
    // Inspects the dialog at the end of the route, taking the steps there; each dialog on the
    // way is closed with Escape once the one it opened has closed.
    void Arm(const Route& route, int depth, QWidget* parent);

    QTemporaryDir m_settingsDir;
    CMainFrame* m_pFrame = nullptr;
    Inspector m_inspector;
    int m_nInspected = 0;
};

void TestDialogWalk::initTestCase()
{
    Fonts::InstallSubstitutions();
    FocusSelect::Install();
    UseTemporarySettings(m_settingsDir);
}

void TestDialogWalk::cleanup()
{
    MessageRecorder quiet;
    quiet.answers = {QMessageBox::No};
    delete m_pFrame;
    m_pFrame = nullptr;
}

void TestDialogWalk::everyDialog_data()
{
    QTest::addColumn<int>("route");
    const QList<Route> routes = Routes();
    for (int i = 0; i < routes.size(); ++i)
        QTest::newRow(routes[i].name) << i;
}

void TestDialogWalk::Arm(const Route& route, int depth, QWidget* parent)
{
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=, this] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == parent) {
            if (++*tries < 200)
                QTimer::singleShot(10, *poll);
            else
                m_inspector.failures
                    << QString::fromUtf8(route.name) + QStringLiteral(": no dialog");
            return;
        }
        // The offscreen platform does not always activate a nested dialog by itself.
        QApplication::setActiveWindow(dialog);
        if (depth < route.steps.size()) {
            Arm(route, depth + 1, dialog);
            route.steps[depth](dialog);
            if (dialog->isVisible())
                Press(dialog, Qt::Key_Escape);
        } else {
            ++m_nInspected;
            m_inspector.Check(dialog);
        }
        if (dialog->isVisible()) // a failed check: close it so that the walk goes on
            QMetaObject::invokeMethod(dialog, "reject");
    };
    QTimer::singleShot(0, *poll);
}

void TestDialogWalk::everyDialog()
{
    QFETCH(int, route);
    m_pFrame = new CMainFrame;
    m_pFrame->show();
    QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
    CVeldenDoc* doc = m_pFrame->DocManager()->OnFileNew();
    doc->ResetTimetable(Samples::Timetable().Trains({{}, {}, {}}).Guides({{}}).Key("MADEBY", "me"));
    m_pFrame->ActiveView()->SelectCell(3, 2);

    MessageRecorder messages;
    const QByteArray before = Samples::Bytes(doc->Timetable());
    m_inspector.failures.clear();
    m_nInspected = 0;
    const Route walk = Routes()[route];
    Arm(walk, 0, nullptr);
    walk.open(m_pFrame);

    QVERIFY2(m_inspector.failures.isEmpty(), qPrintable(m_inspector.failures.join(u'\n')));
    QCOMPARE(m_nInspected, 1);
    QCOMPARE(Samples::Bytes(doc->Timetable()), before);
    QCOMPARE(doc->UndoStack()->count(), 0);
    QVERIFY(messages.records.isEmpty());
}

QTEST_MAIN(TestDialogWalk)
#include "tst_dialogwalk.moc"
