// The property sheet as the user drives it: tabs, typing, the list and key buttons, the small
// dialogs, OK and Cancel; then what the working copy of the timetable holds.
#include "../app/apptesthelpers.h"
#include "addguidemesdlg.h"
#include "colorcombobox.h"
#include "docproppagea.h"
#include "docproppageb.h"
#include "docproppagec.h"
#include "docproppaged.h"
#include "docpropsheet.h"
#include "extkeydialogs.h"
#include "fieldeditors.h"
#include "focusselect.h"
#include "messages.h"
#include "qlmdoc.h"
#include "samples.h"
#include "sjis.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

namespace {

using Samples::J;

void AddKey(CQLMDoc& doc, const char* path, const char* value)
{
    EXTKEY key;
    key.SetKey(path);
    key.strValue = value;
    doc.m_ExtKey.AddTail(key);
}

// Answers the next modal dialog once it is up.
template <typename Dialog> void WhenShown(std::function<void(Dialog*)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(dialog);
    });
}

void PressButton(QWidget* parent, const QString& text)
{
    for (QPushButton* button : parent->findChildren<QPushButton*>())
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no button ") + text));
}

// Types text that QTest::keyClicks would refuse (non-ASCII).
void TypeText(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, widget, Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
}

// A key pressed where the focus is (or on target): a press that closes the sheet must not leave
// its release to a field.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget* target = nullptr)
{
    QWidget* focus = target ? target : QApplication::focusWidget();
    QVERIFY(focus);
    PressKey(focus, key, modifiers);
    // A button's mnemonic clicks it after a short press animation.
    if (modifiers & Qt::AltModifier)
        QTest::qWait(150);
}

QStringList TopLevelTexts(QTreeWidget* tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts.append(tree->topLevelItem(i)->text(0));
    return texts;
}

} // namespace

class DocPropSheetTest : public QObject
{
    Q_OBJECT

    QList<Msg::Record> m_messages;
    int m_beeps = 0;
    QMessageBox::StandardButton m_answer = QMessageBox::Ok;

private slots:
    void initTestCase() { FocusSelect::Install(); }
    void init()
    {
        m_messages.clear();
        m_beeps = 0;
        m_answer = QMessageBox::Ok;
        Msg::SetMessageHook([this](const Msg::Record& r) {
            m_messages.append(r);
            return m_answer;
        });
        Msg::SetBeepHook([this] { ++m_beeps; });
    }
    void cleanup()
    {
        Msg::SetMessageHook({});
        Msg::SetBeepHook({});
        CDocPropPageD::SetSavePrompt({});
    }

    void okWritesShownPagesOnlyAndKeepsUntouchedValues()
    {
        CQLMDoc doc = Samples::Timetable();
        doc.m_strStationName = QByteArray("A\x80", 2); // no valid code page 932 text
        doc.m_wPlatform = 200;
        doc.m_crLineColor = 0x00FFFFFF; // not a preset
        doc.m_bSubLine = 7;
        doc.m_wDateChangeTime = 1500;
        doc.m_crLit = 0x0000FF00;
        const CQLMDoc before = doc;

        CDocPropSheet sheet(doc);
        QTimer::singleShot(0, &sheet, [&] {
            PressButton(&sheet, QStringLiteral("OK"));
            if (sheet.isVisible()) // refused: end the run so that the test fails, not hangs
                sheet.reject();
        });
        QVERIFY(sheet.Run());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(sheet.m_pPageA->IsInitialised());
        QVERIFY(!sheet.m_pPageC->IsInitialised());
        QCOMPARE(doc.m_strStationName, before.m_strStationName);
        QCOMPARE(doc.m_wPlatform, 200);
        QCOMPARE(doc.m_crLineColor, 0x00FFFFFFu);
        QCOMPARE(doc.m_bSubLine, 7u);
        QCOMPARE(doc.m_wDateChangeTime, 1500);
        QCOMPARE(doc.m_crLit, 0x0000FF00u);

        // Shown but untouched: the clamped times still store what was there.
        CDocPropSheet again(doc);
        again.show();
        again.m_pTabs->setCurrentIndex(2);
        QCOMPARE(again.m_pPageC->m_pDateChange->m_pHour->value(), 23);
        QCOMPARE(again.m_pPageC->m_pDateChange->m_pMinute->value(), 59);
        PressButton(&again, QStringLiteral("OK"));
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(doc.m_wDateChangeTime, 1500);
    }

    void typedFieldsSurviveTabSwitchesAndReachTheDocumentOnOk()
    {
        CQLMDoc doc;
        doc.m_strStationName = J("東京");
        doc.m_wDateChangeTime = 0;
        CDocPropSheet sheet(doc);
        sheet.show();
        CTextFieldEdit* name = sheet.m_pPageA->Text(DocField::StationName);
        name->selectAll();
        TypeText(name, QString::fromUtf8("新宿"));
        QTest::keyClicks(sheet.m_pPageA->m_pPlatform, "\b\b1x");
        sheet.m_pTabs->setCurrentIndex(2);
        QTest::keyClick(sheet.m_pPageC->m_pDateChange->m_pHour, Qt::Key_Up);
        QTest::keyClick(sheet.m_pPageC->m_pDateChange->m_pHour, Qt::Key_Up);
        sheet.m_pTabs->setCurrentIndex(0);
        sheet.m_pTabs->setCurrentIndex(2);
        QCOMPARE(name->text(), QString::fromUtf8("新宿"));
        QCOMPARE(sheet.m_pPageC->m_pDateChange->m_pHour->value(), 2);
        PressButton(&sheet, QStringLiteral("OK"));
        QCOMPARE(doc.m_strStationName, J("新宿"));
        QCOMPARE(doc.m_wPlatform, 1);
        QCOMPARE(doc.m_wDateChangeTime, 120);
    }

    // The sheet opens with the first field's text selected, so typing replaces it, and Enter in
    // a one-line field presses OK, also after the focus passed a page's button.
    void typingReplacesTheNameAndEnterPressesOk()
    {
        CQLMDoc doc = Samples::Timetable();
        CDocPropSheet sheet(doc);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        CTextFieldEdit* name = sheet.m_pPageA->Text(DocField::StationName);
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(name->selectedText(), QString::fromUtf8("新規駅"));
        TypeText(name, QString::fromUtf8("新宿"));
        sheet.m_pTabs->setCurrentIndex(1);
        sheet.m_pPageB->m_pLayout->setFocus(Qt::TabFocusReason);
        sheet.m_pTabs->setCurrentIndex(0);
        name->setFocus(Qt::MouseFocusReason);
        Press(Qt::Key_Return);
        QVERIFY(!sheet.isVisible());
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(doc.m_strStationName, J("新宿"));
    }

    // 適用 writes the shown pages and keeps the sheet open; Cancel afterwards keeps what it
    // wrote and drops what was typed since. It is enabled only while something is unapplied.
    void applyWritesAndSurvivesCancel()
    {
        CQLMDoc doc = Samples::Timetable();
        const QByteArray stationId = doc.m_strStationId;
        CDocPropSheet sheet(doc);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        QVERIFY(!sheet.m_pApply->isEnabled());
        TypeText(sheet.m_pPageA->Text(DocField::StationName), QString::fromUtf8("新宿"));
        QVERIFY(sheet.m_pApply->isEnabled());
        Press(Qt::Key_A, Qt::AltModifier);
        QVERIFY(sheet.isVisible());
        QVERIFY(!sheet.m_pApply->isEnabled());
        QCOMPARE(doc.m_strStationName, J("新宿"));

        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab); // 駅識別名
        TypeText(QApplication::focusWidget(), QStringLiteral("X"));
        QVERIFY(sheet.m_pApply->isEnabled());
        Press(Qt::Key_Escape);
        QCOMPARE(sheet.result(), int(QDialog::Rejected));
        QCOMPARE(doc.m_strStationName, J("新宿"));
        QCOMPARE(doc.m_strStationId, stationId);
    }

    // Tab walks the general page as it reads: the stations, the platform, the main sign row,
    // 副線, then the second row.
    void tabWalksTheMainSignRowBeforeTheSecond()
    {
        CQLMDoc doc;
        doc.m_bLineColor2 = 1;
        doc.m_bSubLineColor2 = 1;
        CDocPropSheet sheet(doc);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        CDocPropPageA* page = sheet.m_pPageA;
        QList<QWidget*> expected;
        for (DocField field :
             {DocField::StationNameEn, DocField::StationId, DocField::NextStation,
              DocField::NextStationEn, DocField::PrevStation, DocField::PrevStationEn})
            expected << page->Text(field);
        expected << page->m_pPlatform << page->Colour(DocField::LineColor)->Box()
                 << page->m_pLineColor2 << page->Colour(DocField::LineColor2)->Box();
        for (DocField field :
             {DocField::LineName, DocField::LineNameEn, DocField::Guide, DocField::GuideEn})
            expected << page->Text(field);
        expected << page->m_pSubLine << page->Colour(DocField::SubLineColor)->Box()
                 << page->m_pSubLineColor2 << page->Colour(DocField::SubLineColor2)->Box();
        for (DocField field : {DocField::SubLineName, DocField::SubLineNameEn, DocField::SubGuide,
                               DocField::SubGuideEn})
            expected << page->Text(field);
        for (QWidget* next : expected) {
            Press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        sheet.reject();
    }

    void refusedInputKeepsTheSheetOpenAndTheDocumentUnchanged()
    {
        CQLMDoc doc;
        doc.m_strGuideMessage = "all day";
        CDocPropSheet sheet(doc);
        sheet.show();
        sheet.m_pTabs->setCurrentIndex(2);
        sheet.m_pPageC->m_pGuideMessage->setText("changed");
        sheet.m_pTabs->setCurrentIndex(0);
        CPlatformEdit* platform = sheet.m_pPageA->m_pPlatform;
        QTest::keyClicks(platform, "\b\b");
        QTest::keyClick(platform, Qt::Key_Minus, Qt::NoModifier);
        QCOMPARE(m_beeps, 1);
        QCOMPARE(platform->text(), QString());
        TypeText(sheet.m_pPageA->Text(DocField::Guide), QString::fromUtf8("€"));
        sheet.m_pTabs->setCurrentIndex(3);

        PressButton(&sheet, QStringLiteral("OK"));
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.m_pTabs->currentIndex(), 0);
        QCOMPARE(m_beeps, 2);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.contains(QString::fromUtf8("€")));
        QCOMPARE(m_messages[0].caption, QStringLiteral("ｴﾗｰ"));
        QCOMPARE(doc.m_strGuideMessage, QByteArray("all day"));
        QCOMPARE(doc.m_strGuide, QByteArray());
    }

    void lowerColourBoxFollowsItsCheckBox()
    {
        CQLMDoc doc;
        doc.m_bLineColor2 = 1;
        doc.m_crLineColor2 = 0x00123456;
        CDocPropSheet sheet(doc);
        sheet.show();
        QWidget* lower = sheet.m_pPageA->Colour(DocField::LineColor2)->Box();
        QVERIFY(lower->isEnabled());
        QVERIFY(!sheet.m_pPageA->Colour(DocField::SubLineColor2)->Box()->isEnabled());
        QTest::mouseClick(sheet.m_pPageA->m_pLineColor2, Qt::LeftButton);
        QVERIFY(!lower->isEnabled());
        PressButton(&sheet, QStringLiteral("OK"));
        QCOMPARE(doc.m_bLineColor2, 0u);
        QCOMPARE(doc.m_crLineColor2, 0x00123456u);
    }

    void guideMessageEditsStayAfterCancel()
    {
        CQLMDoc doc;
        doc.m_wDisplayStartTime = 300;
        for (const char* text : {"a", "b", "c"}) {
            doc.SetGuideMessageCount(doc.m_wGuideMessageCount + 1);
            doc.m_GuideMessage.ElementAt(doc.m_wGuideMessageCount) = {1500, 1560, 0, text};
        }
        CDocPropSheet sheet(doc);
        sheet.show();
        sheet.m_pTabs->setCurrentIndex(2);
        CDocPropPageC* page = sheet.m_pPageC;
        QCOMPARE(page->m_pList->topLevelItem(0)->text(0), QStringLiteral("25:00"));

        PressButton(page, QStringLiteral("削除(&R)")); // nothing selected
        PressButton(page, QStringLiteral("編集(&E)"));
        QCOMPARE(m_beeps, 2);
        QCOMPARE(doc.m_wGuideMessageCount, 3);

        // Edit the second: the pickers show 23:59; only the text changes, the times stay.
        page->m_pList->setCurrentItem(page->m_pList->topLevelItem(1));
        WhenShown<CAddGuideMesDlg>([](CAddGuideMesDlg* dialog) {
            QCOMPARE(dialog->m_pStart->time(), QTime(23, 59));
            dialog->m_pMessage->setText("B");
            dialog->accept();
        });
        PressButton(page, QStringLiteral("編集(&E)"));
        QCOMPARE(doc.m_GuideMessage.ElementAt(2), (GUIDEMESSAGE{1500, 1560, 0, "B"}));

        page->m_pList->setCurrentItem(page->m_pList->topLevelItem(0));
        PressButton(page, QStringLiteral("削除(&R)"));
        WhenShown<CAddGuideMesDlg>([](CAddGuideMesDlg* dialog) { dialog->accept(); });
        PressButton(page, QStringLiteral("追加(&A)"));
        QCOMPARE(page->m_pList->topLevelItemCount(), 3);
        const QTreeWidgetItem* last = page->m_pList->topLevelItem(2);
        QCOMPARE(last->text(0) + last->text(1) + last->text(2),
                 QString::fromUtf8("01:0002:00いいえ"));

        QTest::keyClick(page->m_pDisplayStart->m_pMinute, Qt::Key_Up);
        PressButton(&sheet, QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(sheet.result(), int(QDialog::Rejected));
        QCOMPARE(doc.m_wGuideMessageCount, 3);
        QCOMPARE(doc.m_GuideMessage.m_nSize, 3);
        QCOMPARE(doc.m_GuideMessage.ElementAt(1).strMessage, QByteArray("B"));
        QCOMPARE(doc.m_GuideMessage.ElementAt(3).nStartTime, 60);
        QCOMPARE(doc.m_wDisplayStartTime, 300);
    }

    void addingBeyondTheLastGuideMessageIsRefused()
    {
        CQLMDoc doc;
        doc.SetGuideMessageCount(kMaxCollection);
        CDocPropSheet sheet(doc);
        sheet.show();
        sheet.m_pTabs->setCurrentIndex(2);
        PressButton(sheet.m_pPageC, QStringLiteral("追加(&A)")); // no dialog opens
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.contains(QStringLiteral("65535")));
        QCOMPARE(doc.m_wGuideMessageCount, kMaxCollection);
    }

    void keyTreeAddEditDelete()
    {
        CQLMDoc doc;
        AddKey(doc, "MADEBY", "me");
        AddKey(doc, "STANDARD/COMPANY/URL", "u");
        AddKey(doc, "STANDARD/COMPANY", "c");
        CDocPropSheet sheet(doc);
        sheet.show();
        sheet.m_pTabs->setCurrentIndex(3);
        CDocPropPageD* page = sheet.m_pPageD;
        QTreeWidget* tree = page->m_pTree;
        QCOMPARE(TopLevelTexts(tree), QStringList({"MADEBY :(me)", "STANDARD"}));
        QTreeWidgetItem* standard = tree->topLevelItem(1);
        QCOMPARE(standard->childCount(), 2);
        QCOMPARE(standard->child(0)->text(0), QStringLiteral("COMPANY"));
        QCOMPARE(standard->child(0)->child(0)->text(0), QStringLiteral("URL :(u)"));
        QCOMPARE(standard->child(1)->text(0), QStringLiteral("COMPANY :(c)"));

        // A folder selected: edit and delete beep.
        tree->setCurrentItem(standard);
        PressButton(page, QStringLiteral("削除(&R)"));
        QCOMPARE(m_beeps, 1);

        // Add with URL selected proposes "STANDARD/"; typed letters become capitals; a path
        // over 63 bytes is refused and the dialog keeps the text.
        tree->expandAll();
        tree->setCurrentItem(standard->child(0)->child(0));
        const QString tooLong = QStringLiteral("STANDARD/") + QString(55, u'X');
        WhenShown<CAddExtKeyDlg>([&](CAddExtKeyDlg* dialog) {
            QCOMPARE(dialog->m_pPath->text(), QStringLiteral("STANDARD/"));
            QTest::keyClicks(dialog->m_pPath, QString(55, u'x'));
            dialog->accept();
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->m_pPath->text(), tooLong);
            QVERIFY(m_messages.last().text.contains(QStringLiteral("63")));
            QVERIFY(m_messages.last().text.contains(QStringLiteral("64")));
            dialog->m_pPath->setText("stANDard/x");
            dialog->m_pValue->setText("v");
            dialog->accept();
        });
        PressButton(page, QStringLiteral("追加(&A)"));
        QCOMPARE(doc.m_ExtKey.size(), 4);
        QCOMPARE(doc.m_ExtKey[3].Key(), QByteArray("STANDARD/X"));
        QCOMPARE(tree->topLevelItem(1)->child(2)->text(0), QStringLiteral("X :(v)"));

        // Edit changes the value only; the item stays where it is.
        tree->setCurrentItem(tree->topLevelItem(0));
        WhenShown<CExtKeyDlg>([](CExtKeyDlg* dialog) {
            QCOMPARE(dialog->m_pPath->text(), QStringLiteral("MADEBY"));
            dialog->m_pValue->setText("you");
            dialog->accept();
        });
        PressButton(page, QStringLiteral("編集(&E)"));
        QCOMPARE(doc.m_ExtKey[0].strValue, QByteArray("you"));
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("MADEBY :(you)"));

        // Delete asks first; Cancel keeps the key, OK removes it.
        m_answer = QMessageBox::Cancel;
        PressButton(page, QStringLiteral("削除(&R)"));
        QCOMPARE(m_messages.last().text, QStringLiteral("ｷｰ'MADEBY'を削除しますか"));
        QCOMPARE(doc.m_ExtKey.size(), 4);
        m_answer = QMessageBox::Ok;
        PressButton(page, QStringLiteral("削除(&R)"));
        QCOMPARE(doc.m_ExtKey.size(), 3);
        QCOMPARE(TopLevelTexts(tree), QStringList({"STANDARD"}));

        PressButton(&sheet, QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(doc.m_ExtKey.size(), 3);
    }

    // A path proposed from a lower-case key shows in capitals and is stored as shown.
    void addKeyStoresThePathAsShown()
    {
        CQLMDoc doc;
        AddKey(doc, "standard/url", "u");
        CDocPropSheet sheet(doc);
        sheet.show();
        sheet.m_pTabs->setCurrentIndex(3);
        QTreeWidget* tree = sheet.m_pPageD->m_pTree;
        tree->expandAll();
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        WhenShown<CAddExtKeyDlg>([](CAddExtKeyDlg* dialog) {
            QCOMPARE(dialog->m_pPath->text(), QStringLiteral("STANDARD/"));
            Press(Qt::Key_Return, Qt::NoModifier, dialog->m_pPath);
        });
        PressButton(sheet.m_pPageD, QStringLiteral("追加(&A)"));
        QCOMPARE(doc.m_ExtKey.size(), 2);
        QCOMPARE(doc.m_ExtKey[1].Key(), QByteArray("STANDARD/"));
    }

    void dumpWritesTheSelectedBlockOrSaysWhyNot()
    {
        CQLMDoc doc;
        doc.SetExtDataCount(2);
        doc.m_ExtData.ElementAt(1).SetName("B");
        doc.m_ExtData.ElementAt(1).SetData("bbb");
        doc.m_ExtData.ElementAt(2).SetName("A");
        doc.m_ExtData.ElementAt(2).SetData(QByteArray("\0\x01\x02\xFF", 4));
        CDocPropSheet sheet(doc);
        sheet.show();
        sheet.m_pTabs->setCurrentIndex(3);
        CDocPropPageD* page = sheet.m_pPageD;
        QCOMPARE(page->m_pBlocks->item(0)->text(), QString::fromUtf8("B : ｻｲｽﾞ(3ﾊﾞｲﾄ)"));
        QVERIFY(!page->m_pDump->isEnabled());
        page->m_pBlocks->setCurrentRow(1);
        QVERIFY(page->m_pDump->isEnabled());

        QTemporaryDir dir;
        QString target = dir.filePath("a.bin");
        CDocPropPageD::SetSavePrompt([&](QWidget*) { return target; });
        QTest::mouseClick(page->m_pDump, Qt::LeftButton);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\0\x01\x02\xFF", 4));
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].icon, QMessageBox::Information);
        QVERIFY(m_messages[0].text.startsWith(QString::fromUtf8("ﾃﾞｰﾀﾌﾞﾛｯｸ'A' 4 ﾊﾞｲﾄ")));

        target = dir.filePath("missing/c.bin");
        QTest::mouseClick(page->m_pDump, Qt::LeftButton);
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(m_messages[1].text.contains(QStringLiteral("c.bin")));
        QCOMPARE(m_messages[1].icon, QMessageBox::Warning);
        QVERIFY(!QFile::exists(target));

        target.clear(); // the user cancels the file dialog
        QTest::mouseClick(page->m_pDump, Qt::LeftButton);
        QCOMPARE(m_messages.size(), 2);
    }
};

QTEST_MAIN(DocPropSheetTest)
#include "tst_docpropsheet.moc"
