// Draws the property sheet's pages and dialogs as PNG files, for looking at them by eye. Not a
// test: build the target and run
//   renderprops <output folder>
#include "addguidemesdlg.h"
#include "docproppaged.h"
#include "docpropsheet.h"
#include "extkeydialogs.h"
#include "fonts.h"
#include "qlmdoc.h"
#include "sjis.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTreeWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    Fonts::SetUpJapaneseUi();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QDir().mkpath(out.path());

    CQLMDoc doc;
    doc.SetNewDocumentDefaults();
    doc.m_strStationName = Sjis::FromUtf8("八王子");
    doc.m_strStationNameEn = "Hachioji";
    doc.m_strStationId = "HACHIOJI";
    doc.m_strNextStation = Sjis::FromUtf8("西八王子");
    doc.m_strNextStationEn = "Nishi-Hachioji";
    doc.m_strPrevStation = Sjis::FromUtf8("豊田");
    doc.m_strPrevStationEn = "Toyoda";
    doc.m_wPlatform = 3;
    doc.m_strLineName = Sjis::FromUtf8("中央線");
    doc.m_strLineNameEn = "Chuo Line";
    doc.m_strGuide = Sjis::FromUtf8("高尾・大月方面");
    doc.m_strGuideEn = "for Takao";
    doc.m_bLineColor2 = 1;
    doc.m_bSubLine = 1;
    doc.m_strSubLineName = Sjis::FromUtf8("横浜線");
    doc.m_strSubLineNameEn = "Yokohama Line";
    doc.m_strGuideMessage = Sjis::FromUtf8("黄色い線の内側までお下がりください");
    doc.SetGuideMessageCount(2);
    doc.m_GuideMessage.ElementAt(1) = {360, 540, 0, Sjis::FromUtf8("朝の通勤時間帯です")};
    doc.m_GuideMessage.ElementAt(2) = {1380, 1500, 1, Sjis::FromUtf8("終電が近づいています")};
    const char* keys[][2] = {{"MADEBY", "replace here to yourname."},
                             {"STANDARD/COMPANY", "(鉄道会社名)"},
                             {"STANDARD/COMPANY/URL", "http://"},
                             {"STANDARD/ARROWSTYLE", "4"}};
    for (const auto& [path, value] : keys) {
        EXTKEY key;
        key.SetKey(path);
        key.strValue = Sjis::FromUtf8(value);
        doc.m_ExtKey.AddTail(key);
    }
    doc.PackExtKeys();
    doc.SetExtDataCount(2);
    doc.m_ExtData.ElementAt(2).SetName("WMXCFG");
    doc.m_ExtData.ElementAt(2).SetData(QByteArray(300, '\x01'));

    CDocPropSheet sheet(doc);
    sheet.show();
    const char* pages[] = {"page_general", "page_display", "page_advanced", "page_extension"};
    for (int i = 0; i < 4; ++i) {
        sheet.m_pTabs->setCurrentIndex(i);
        if (i == 3)
            sheet.m_pPageD->m_pTree->expandAll();
        QApplication::processEvents();
        sheet.grab().save(out.filePath(QStringLiteral("%1.png").arg(pages[i])));
    }
    sheet.m_pTabs->setCurrentIndex(3);

    GUIDEMESSAGE message = doc.m_GuideMessage.ElementAt(1);
    CAddGuideMesDlg guide(&message);
    EXTKEY key;
    key.SetKey("STANDARD/");
    CAddExtKeyDlg addKey(&key);
    EXTKEY existing = doc.m_ExtKey[1];
    CExtKeyDlg editKey(&existing);
    const std::pair<QDialog*, const char*> dialogs[] = {
        {&guide, "dlg_guide"}, {&addKey, "dlg_addkey"}, {&editKey, "dlg_editkey"}};
    for (const auto& [dialog, name] : dialogs) {
        dialog->show();
        dialog->adjustSize();
        QApplication::processEvents();
        dialog->grab().save(out.filePath(QStringLiteral("%1.png").arg(name)));
        dialog->hide();
    }
    return 0;
}
