// The layout editor as the user drives it: drags on the canvas at two widths, the alignment
// dialog, the hide question, and the dialog's part list shared by both canvases.
#include "alignselectdlg.h"
#include "fonts.h"
#include "messages.h"
#include "panellogic.h"
#include "panelviewdatadlg.h"
#include "panelviewedit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(PANELPART)

namespace {

constexpr int kHeight = 20;

// The new document's layout: only the train type, on columns 1 to 6.
PanelLayout DefaultLayout()
{
    PanelLayout layout{};
    layout[1] = PANELPART{1, 5, 0};
    return layout;
}

// The middle of column c on a canvas `width` pixels wide.
int XOf(int column, int width)
{
    return PartBox(PANELPART{quint16(column), 0, 0}, width, kHeight).center().x();
}

// Counts beeps and answers message boxes, keeping what they said.
struct Recorder
{
    int beeps = 0;
    QList<Msg::Record> records;
    QMessageBox::StandardButton answer = QMessageBox::No;

    Recorder()
    {
        Msg::SetBeepHook([this] { ++beeps; });
        Msg::SetMessageHook([this](const Msg::Record& record) {
            records.append(record);
            return answer;
        });
    }
    ~Recorder()
    {
        Msg::SetBeepHook({});
        Msg::SetMessageHook({});
    }
};

// Runs `act` on the next modal dialog once it shows.
void OnModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
    });
}

} // namespace

class TestPanelLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::InstallSubstitutions(); }
    void drag_data();
    void drag();
    void overlapDrawsHigherIndexOnTop();
    void alignment_data();
    void alignment();
    void hide_data();
    void hide();
    void dialogSharesThePart();
    void keysMoveTheCurrentPart();
};

void TestPanelLayout::drag_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to"); // a column, or an x offset beyond the canvas when negative
    QTest::addColumn<PANELPART>("expected");
    QTest::addColumn<int>("beeps");

    const PANELPART unchanged{0, 3, 1};
    for (int width : {350, 611}) {
        const QByteArray w = QByteArray::number(width);
        QTest::newRow(w + " one column") << width << 8 << 8 << PANELPART{8, 0, 1} << 0;
        QTest::newRow(w + " across the train type")
            << width << 10 << 33 << PANELPART{10, 23, 1} << 0;
        QTest::newRow(w + " left of the press") << width << 20 << 15 << unchanged << 1;
        QTest::newRow(w + " beyond column 33") << width << 20 << -1 << unchanged << 1;
        QTest::newRow(w + " left of the canvas") << width << 8 << -2 << unchanged << 1;
        // Only the current part (hidden here) may be pressed on: another part's column beeps.
        QTest::newRow(w + " press on the train type") << width << 4 << 9 << unchanged << 1;
    }
}

void TestPanelLayout::drag()
{
    QFETCH(int, width);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(PANELPART, expected);
    QFETCH(int, beeps);

    Recorder recorder;
    PanelLayout layout = DefaultLayout();
    layout[0] = PANELPART{0, 3, 1}; // hidden, with a span and alignment of its own
    CPanelViewEdit canvas;
    canvas.AttachLayout(&layout);
    canvas.resize(width, kHeight);
    canvas.show();

    const int y = kHeight / 2;
    const int toX = to == -1 ? width + 5 : to == -2 ? -5 : XOf(to, width);
    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(XOf(from, width), y));
    QCOMPARE(canvas.IsDragging(), from > 6); // the train type covers columns 1 to 6
    QTest::mouseMove(&canvas, QPoint(toX, y));
    if (to > from && canvas.IsDragging()) {
        // The dotted feedback reaches the pointer's column.
        const QImage image = canvas.grab().toImage();
        const QRect feedback = DragFeedbackRect(from, to, width, kHeight);
        const QRgb text = canvas.palette().color(QPalette::WindowText).rgb();
        // A dotted line shows every other pixel.
        const auto dotted = [&](int x, int y, int dx, int dy) {
            return image.pixel(x, y) == text || image.pixel(x + dx, y + dy) == text;
        };
        const int right = feedback.left() + feedback.width() - 1;
        QVERIFY(dotted(feedback.left(), feedback.top(), 1, 0));
        QVERIFY(dotted(right, feedback.top() + 2, 0, 1));
        QVERIFY(!dotted(right + 2, feedback.top() + 2, 0, 1));
    }
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(toX, y));
    QVERIFY(!canvas.IsDragging());
    QCOMPARE(layout[0], expected);
    QCOMPARE(layout[1], DefaultLayout()[1]);
    QCOMPARE(recorder.beeps, beeps);
}

void TestPanelLayout::overlapDrawsHigherIndexOnTop()
{
    Recorder recorder;
    PanelLayout layout = DefaultLayout();
    layout[2] = PANELPART{10, 2, 0};
    CPanelViewEdit canvas;
    canvas.AttachLayout(&layout);
    canvas.resize(350, kHeight);
    canvas.show();
    // From a free column across the train name: the parts then overlap.
    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(XOf(8, 350), 10));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(XOf(15, 350), 10));
    QCOMPARE(layout[0], (PANELPART{8, 7, 0}));
    const QImage image = canvas.grab().toImage();
    const QRgb face = canvas.palette().color(QPalette::Button).rgb();
    const QRgb highlight = canvas.palette().color(QPalette::Highlight).rgb();
    const auto at = [&](int column) {
        return image.pixel(PartBox(PANELPART{quint16(column), 0, 0}, 350, kHeight).left() + 2, 3);
    };
    // Columns 8 and 14 show the current part 0; on 11 the train name lies over it.
    QCOMPARE(at(8), highlight);
    QCOMPARE(at(14), highlight);
    QCOMPARE(at(11), face);
    QCOMPARE(recorder.beeps, 0);
}

void TestPanelLayout::alignment_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("checked"); // radio shown checked, -1 none
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("expected");

    QTest::newRow("left, spread chosen") << 0 << 0 << "spread" << 1;
    QTest::newRow("spread, Esc") << 1 << 1 << "esc" << 1;
    QTest::newRow("spread, left chosen then Esc") << 1 << 1 << "left esc" << 1;
    QTest::newRow("centred shows, closed") << 2 << 2 << "close" << 2;
    QTest::newRow("centred, left chosen") << 2 << 2 << "left" << 0;
    QTest::newRow("unknown value, closed") << 7 << -1 << "close" << 7;
    QTest::newRow("unknown value, Esc") << 7 << -1 << "esc" << 7;
    QTest::newRow("unknown value, spread chosen") << 7 << -1 << "spread" << 1;
}

void TestPanelLayout::alignment()
{
    QFETCH(int, stored);
    QFETCH(int, checked);
    QFETCH(QString, action);
    QFETCH(int, expected);

    Recorder recorder;
    PanelLayout layout = DefaultLayout();
    layout[1].wAlign = quint16(stored);
    CPanelViewEdit canvas;
    canvas.AttachLayout(&layout);
    canvas.SelectPart(1);
    canvas.resize(400, kHeight);
    canvas.show();

    bool seen = false;
    OnModal([&](QWidget* modal) {
        auto* dlg = qobject_cast<CAlignSelectDlg*>(modal);
        QVERIFY(dlg);
        seen = true;
        QCOMPARE(dlg->windowTitle(), QStringLiteral("書式の変更"));
        const QList<QRadioButton*> radios = {dlg->m_pLeft, dlg->m_pSpread, dlg->m_pCentred};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(radios[i]->isChecked(), i == checked);
        QVERIFY(!dlg->m_pCentred->isEnabled());
        if (action.contains(QStringLiteral("spread")))
            QTest::mouseClick(dlg->m_pSpread, Qt::LeftButton);
        if (action.contains(QStringLiteral("left")))
            QTest::mouseClick(dlg->m_pLeft, Qt::LeftButton);
        if (action.contains(QStringLiteral("esc")))
            QTest::keyClick(dlg, Qt::Key_Escape);
        else
            QTest::keyClick(dlg, Qt::Key_Return); // "閉じる" is the default button
    });
    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(XOf(3, 400), 10));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(XOf(3, 400), 10));
    QVERIFY(seen);
    QCOMPARE(int(layout[1].wAlign), expected);
    QCOMPARE(layout[1].wColumn, quint16(1));
    QCOMPARE(recorder.beeps, 0);
}

void TestPanelLayout::hide_data()
{
    QTest::addColumn<int>("part");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("label");
    QTest::addColumn<quint16>("column");

    QTest::newRow("train type, yes") << 1 << int(QMessageBox::Yes) << "種別" << quint16(0);
    QTest::newRow("train type, no") << 1 << int(QMessageBox::No) << "種別" << quint16(1);
    QTest::newRow("hidden order, yes") << 0 << int(QMessageBox::Yes) << "発車順" << quint16(0);
}

void TestPanelLayout::hide()
{
    QFETCH(int, part);
    QFETCH(int, answer);
    QFETCH(QString, label);
    QFETCH(quint16, column);

    Recorder recorder;
    recorder.answer = QMessageBox::StandardButton(answer);
    CPanelViewDataDlg dlg(DefaultLayout(), DefaultLayout());
    dlg.show();
    dlg.m_pPartList->setCurrentIndex(part);
    // Anywhere on the canvas, here on a free column.
    QTest::mouseClick(dlg.m_pMain, Qt::RightButton, {}, QPoint(dlg.m_pMain->width() - 10, 5));
    QCOMPARE(recorder.records.size(), 1);
    const Msg::Record& record = recorder.records.first();
    QCOMPARE(record.text, QStringLiteral("'%1'を非表示にしますか？").arg(label));
    QCOMPARE(record.caption, QStringLiteral("設定"));
    QCOMPARE(record.icon, QMessageBox::Question);
    QCOMPARE(record.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(record.defaultButton, QMessageBox::No);
    QCOMPARE(dlg.LayoutMain()[part].wColumn, column);
    QCOMPARE(dlg.LayoutMain()[1].wSpan, quint16(5));
    QCOMPARE(dlg.LayoutSub(), DefaultLayout());
}

void TestPanelLayout::dialogSharesThePart()
{
    Recorder recorder;
    CPanelViewDataDlg dlg(DefaultLayout(), DefaultLayout());
    dlg.resize(700, dlg.sizeHint().height());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("LED情報表示設定"));
    QVERIFY(!dlg.m_pShowGrid->isEnabled());
    QVERIFY(!dlg.m_pCopyDown->isEnabled());
    QCOMPARE(dlg.m_pPartList->currentText(), QStringLiteral("発車順序"));
    // The plus cursor, its hot spot at the plus's centre.
    QCOMPARE(dlg.m_pMain->cursor().pixmap().size(), QSize(32, 32));
    QCOMPARE(dlg.m_pMain->cursor().hotSpot(), QPoint(7, 8));

    // The type box is highlighted only once the list names it, on both rows.
    const auto typeColour = [](CPanelViewEdit* canvas) {
        const QImage image = canvas->grab().toImage();
        return image.pixel(PartBox(PANELPART{2, 0, 0}, canvas->width(), canvas->height()).x() + 1,
                           3);
    };
    const QRgb highlight = dlg.palette().color(QPalette::Highlight).rgb();
    QVERIFY(typeColour(dlg.m_pMain) != highlight);
    dlg.m_pPartList->setFocus();
    QTest::keyClick(dlg.m_pPartList, Qt::Key_Down);
    QCOMPARE(dlg.m_pPartList->currentText(), QStringLiteral("種別"));
    QCOMPARE(typeColour(dlg.m_pMain), highlight);
    QCOMPARE(typeColour(dlg.m_pSub), highlight);

    // The canvases follow the dialog's width: a drag at the new width lands on its columns.
    QTest::keyClick(dlg.m_pPartList, Qt::Key_Down); // 列車名
    const int wide = dlg.m_pSub->width();
    dlg.resize(dlg.width() + 200, dlg.height());
    QApplication::processEvents();
    const int wider = dlg.m_pSub->width();
    QVERIFY(wider > wide);
    const int y = dlg.m_pSub->height() / 2;
    const auto x = [&](int column) {
        return PartBox(PANELPART{quint16(column), 0, 0}, wider, dlg.m_pSub->height()).center().x();
    };
    QTest::mousePress(dlg.m_pSub, Qt::LeftButton, {}, QPoint(x(7), y));
    QTest::mouseMove(dlg.m_pSub, QPoint(x(20), y));
    QTest::mouseRelease(dlg.m_pSub, Qt::LeftButton, {}, QPoint(x(20), y));

    for (QPushButton* button : dlg.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("OK"))
            QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.LayoutSub()[2], (PANELPART{7, 13, 0}));
    QCOMPARE(dlg.LayoutMain(), DefaultLayout());
    QCOMPARE(recorder.beeps, 0);
}

// Key presses and releases apart, with the events between, as a user's.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyPress(focus, key, modifiers);
    QApplication::processEvents();
    QWidget* after = QApplication::focusWidget();
    QTest::keyRelease(after ? after : focus, key, modifiers);
}

void TestPanelLayout::keysMoveTheCurrentPart()
{
    Recorder recorder;
    CPanelViewDataDlg dlg(DefaultLayout(), DefaultLayout());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));

    // The part list chooses the part; Tab brings the keys to the main row.
    Press(Qt::Key_P, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), dlg.m_pPartList);
    Press(Qt::Key_Down); // 種別, on columns 1 to 6
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg.m_pMain);
    Press(Qt::Key_Right);
    Press(Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(dlg.LayoutMain()[1], (PANELPART{2, 4, 0}));

    // The sub row: the part cannot leave the panel; Tab goes on past the canvases.
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg.m_pSub);
    Press(Qt::Key_Left);
    QCOMPARE(recorder.beeps, 1);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(dlg.LayoutSub()[1], (PANELPART{1, 6, 0}));
    Press(Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != dlg.m_pSub);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), dlg.m_pSub);

    Press(Qt::Key_Return); // the dialog's OK
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.LayoutMain()[1], (PANELPART{2, 4, 0}));
    QCOMPARE(dlg.LayoutSub()[1], (PANELPART{1, 6, 0}));
}

QTEST_MAIN(TestPanelLayout)
#include "tst_panellayout.moc"
