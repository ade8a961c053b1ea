// Writes the README's picture of the departure board preview beside the grid. Not a test:
// build the target and run
//   boardshot <output.png>
#include "boardpreviewdock.h"
#include "childframe.h"
#include "commands.h"
#include "docmanager.h"
#include "mainframe.h"
#include "samples.h"
#include "sjis.h"
#include "veldenapp.h"
#include "veldendoc.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimeEdit>

namespace {

QByteArray J(const char* text)
{
    return Sjis::FromUtf8(text);
}

PanelLayout Layout(const quint16 (&parts)[kPanelPartCount][3])
{
    PanelLayout layout{};
    for (size_t i = 0; i < layout.size(); ++i)
        layout[i] = {parts[i][0], parts[i][1], parts[i][2]};
    return layout;
}

CQLMDoc Demo()
{
    CQLMDoc doc = Samples::Timetable();
    doc.m_strStationName = J("八王子");
    doc.m_strStationNameEn = "Hachioji";
    doc.m_wPlatform = 3;
    doc.m_crLineColor = 0x000080F0;
    doc.m_strLineName = J("中央線");
    doc.m_strLineNameEn = "Chuo Line";
    doc.m_strGuide = J("立川・新宿・東京方面");
    doc.m_strGuideEn = "For Tachikawa, Shinjuku and Tokyo";
    doc.m_crLit = 0x0000C8FF;
    doc.m_wDateChangeTime = 120;
    doc.m_wDisplayStartTime = 270;
    doc.m_strGuideMessage = J("本日も中央線をご利用いただきましてありがとうございます");
    doc.SetGuideMessageCount(1);
    doc.m_GuideMessage.ElementAt(1) = {390, 450, 0, J("黄色い線の内側までお下がりください")};
    doc.m_LayoutMain =
        Layout({{1, 2, 0}, {4, 2, 1}, {7, 4, 0}, {12, 2, 2}, {15, 3, 1}, {0, 0, 0}, {20, 13, 0}});
    doc.m_LayoutSub =
        Layout({{1, 2, 0}, {4, 3, 0}, {8, 4, 0}, {13, 2, 2}, {16, 5, 0}, {0, 0, 0}, {22, 11, 0}});
    const char* types[][2] = {{"普通", "LOCAL"}, {"快速", "RAPID"}, {"特急", "LTD.EXP"}};
    const quint32 colors[] = {0, 0x000080FF, 0x003030FF};
    doc.SetAssortmentCount(3);
    for (int i = 0; i < 3; ++i) {
        tagTRAINASSORTMENT& type = doc.m_TrainAssortment.ElementAt(i + 1);
        type.strName = J(types[i][0]);
        type.strNameSub = types[i][1];
        type.bDefaultColor = i == 0;
        type.crText = colors[i];
        type.crBack = doc.m_crUnlit;
    }
    const char* places[][2] = {{"東京", "Tokyo"}, {"新宿", "Shinjuku"}, {"松本", "Matsumoto"}};
    doc.SetDestinationCount(3);
    for (int i = 0; i < 3; ++i)
        doc.m_Destination.ElementAt(i + 1) = {J(places[i][0]), places[i][1]};
    struct Train
    {
        int type, dest, time;
        const char *name, *nameEn, *guide, *note;
    };
    const Train trains[] = {
        {1, 1, 6 * 60 + 48, "", "", "", ""},
        {2, 1, 6 * 60 + 55, "", "", "国分寺から各駅に停まります", "10 cars"},
        {3, 3, 7 * 60 + 3, "あずさ８号", "Azusa 8", "全車指定席です", "All seats reserved"},
        {2, 2, 7 * 60 + 9, "", "", "国分寺から各駅に停まります", "10 cars"},
        {1, 1, 7 * 60 + 14, "", "", "", ""},
        {2, 1, 7 * 60 + 21, "", "", "国分寺から各駅に停まります", "10 cars"},
    };
    doc.SetTrainCount(static_cast<quint16>(std::size(trains)));
    for (size_t i = 0; i < std::size(trains); ++i) {
        tagTRAININFO& t = doc.m_TrainInfo.ElementAt(static_cast<int>(i) + 1);
        t.wTrainNo = static_cast<quint16>(600 + i * 2);
        t.chTrainSuffix = 'T';
        t.wAssortment = static_cast<quint16>(trains[i].type);
        t.wDestination = static_cast<quint16>(trains[i].dest);
        t.wTime = static_cast<quint16>(trains[i].time);
        t.wPlatform = 3;
        t.strName = J(trains[i].name);
        t.strNameEn = trains[i].nameEn;
        t.strGuide = J(trains[i].guide);
        t.strNote = trains[i].note;
    }
    return doc;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QDir::current().filePath(QStringLiteral("boardpreview.png"));
    CVeldenApp app;
    if (!app.InitInstance({}))
        return 1;
    CMainFrame* frame = app.MainFrame();
    CDocManager* manager = frame->DocManager();
    manager->CloseAllDocuments();

    QTemporaryDir dir;
    CVeldenDoc demo;
    demo.ResetTimetable(Demo());
    const QString file = dir.filePath(QStringLiteral("hachioji.qlm"));
    QString error;
    if (!demo.OnSaveDocument(file, &error) || !manager->OpenDocumentFile(file)) {
        qWarning("%s", qPrintable(error));
        return 1;
    }
    // Wide enough for LEDs of three pixels.
    frame->resize(1600, 720);
    manager->ActiveFrame()->showMaximized();
    frame->Action(ID_VIEW_BOARD_PREVIEW)->trigger();
    CBoardPreviewDock* dock = frame->BoardPreview();
    frame->resizeDocks({dock}, {300}, Qt::Vertical);
    QApplication::processEvents();
    dock->TimeEdit()->setTime(QTime(7, 0));
    QApplication::processEvents();
    return frame->grab().save(out) ? 0 : 1;
}
