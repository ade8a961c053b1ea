// The colour picker: choosing a colour by value, the custom item and its colour dialog, and the
// swatch the closed box shows.
#include "colorcombobox.h"

#include <QApplication>
#include <QColorDialog>
#include <QtTest>

#include <optional>

namespace {

constexpr quint32 kGreen = 0x00C000;
constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kCustom = 0x008080;

// Green, red and the custom item, as the train type editor sets them up.
void Fill(CColorComboBox& box)
{
    box.AddColor(kGreen);
    box.AddColor(kRed);
    box.SetCustomItem(box.AddColor(kCustom));
}

} // namespace

class TestColorComboBox : public QObject
{
    Q_OBJECT
private slots:
    void selectColor_data();
    void selectColor();
    void selectWithoutCustomItem();
    void customItemOpensTheDialog_data();
    void customItemOpensTheDialog();
    void closedBoxShowsTheSwatch();
};

void TestColorComboBox::selectColor_data()
{
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("index");
    QTest::addColumn<quint32>("customAfter");

    QTest::newRow("green") << kGreen << 0 << kCustom;
    QTest::newRow("red") << kRed << 1 << kCustom;
    QTest::newRow("the custom item's colour") << kCustom << 2 << kCustom;
    QTest::newRow("another colour") << quint32(0x123456) << 2 << quint32(0x123456);
    QTest::newRow("black") << quint32(0) << 2 << quint32(0);
}

void TestColorComboBox::selectColor()
{
    QFETCH(quint32, colour);
    QFETCH(int, index);
    QFETCH(quint32, customAfter);

    CColorComboBox box;
    Fill(box);
    box.setCurrentIndex(1);
    box.SelectColor(colour);
    QCOMPARE(box.currentIndex(), index);
    QCOMPARE(box.GetSelectedColor(), colour);
    QCOMPARE(box.ItemColor(2), customAfter);

    // A preset colour that the custom item also holds selects the preset.
    box.SelectColor(kRed);
    QCOMPARE(box.currentIndex(), 1);
}

void TestColorComboBox::selectWithoutCustomItem()
{
    CColorComboBox empty;
    empty.SelectColor(kGreen);
    QCOMPARE(empty.currentIndex(), -1);
    QCOMPARE(empty.GetSelectedColor(), quint32(0));

    CColorComboBox box;
    box.AddColor(kGreen);
    box.AddColor(kRed);
    box.setCurrentIndex(1);
    box.SelectColor(0x123456);
    QCOMPARE(box.currentIndex(), 1);
    QCOMPARE(box.ItemColor(0), kGreen);
    QCOMPARE(box.ItemColor(1), kRed);
}

void TestColorComboBox::customItemOpensTheDialog_data()
{
    QTest::addColumn<int>("answer"); // 0 a colour, 1 cancelled, 2 Escape in Qt's own dialog
    QTest::addColumn<int>("index");
    QTest::addColumn<quint32>("selected");

    QTest::newRow("colour chosen") << 0 << 2 << quint32(0x00ABCDEF);
    // Cancelled, the box goes back to the item chosen before: a colour the user never picked
    // is not taken, and the custom item keeps its own.
    QTest::newRow("dialog cancelled") << 1 << 1 << kRed;
    QTest::newRow("Escape in the colour dialog") << 2 << 1 << kRed;
}

void TestColorComboBox::customItemOpensTheDialog()
{
    QFETCH(int, answer);
    QFETCH(int, index);
    QFETCH(quint32, selected);

    QList<quint32> asked;
    if (answer < 2) {
        CColorComboBox::SetColorPrompt([&](QWidget*, quint32 initial) -> std::optional<quint32> {
            asked.append(initial);
            return answer == 0 ? std::optional<quint32>(0x00ABCDEF) : std::nullopt;
        });
    }
    CColorComboBox box;
    Fill(box);
    box.SelectColor(0x00102030); // setting a colour asks nothing
    box.setCurrentIndex(0);
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Down); // red
    QVERIFY(asked.isEmpty());
    if (answer == 2) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            asked.append(CColorComboBox::FromQColor(dialog->currentColor()));
            // The offscreen platform does not always activate a nested dialog by itself.
            QApplication::setActiveWindow(dialog);
            QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
            QTest::keyPress(focus, Qt::Key_Escape);
            QApplication::processEvents();
            QTest::keyRelease(focus, Qt::Key_Escape);
        });
    }
    QTest::keyClick(&box, Qt::Key_Down); // the custom item
    CColorComboBox::SetColorPrompt({});

    QCOMPARE(asked, QList<quint32>{0x00102030});
    QCOMPARE(box.currentIndex(), index);
    QCOMPARE(box.GetSelectedColor(), selected);
    QCOMPARE(box.ItemColor(2), answer == 0 ? selected : quint32(0x00102030));
}

void TestColorComboBox::closedBoxShowsTheSwatch()
{
    CColorComboBox box;
    Fill(box);
    box.resize(box.sizeHint());
    box.show();
    QStyleOptionComboBox option;
    option.initFrom(&box);
    const QRect field = box.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &box);
    const QPoint middle(field.left() + field.width() / 3, field.center().y());
    const QPoint arrow(field.left() + field.width() - 6, field.center().y());

    // The custom item leaves its right end to the arrow; a preset fills it.
    box.SelectColor(0x00336699);
    QImage image = box.grab().toImage();
    QCOMPARE(QColor(image.pixel(middle)), QColor(0x99, 0x66, 0x33));
    QVERIFY(QColor(image.pixel(arrow)) != QColor(0x99, 0x66, 0x33));

    box.SelectColor(kGreen);
    image = box.grab().toImage();
    QCOMPARE(QColor(image.pixel(middle)), QColor(0, 0xC0, 0));
    QCOMPARE(QColor(image.pixel(arrow)), QColor(0, 0xC0, 0));
}

QTEST_MAIN(TestColorComboBox)
#include "tst_colorcombobox.moc"
