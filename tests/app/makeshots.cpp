// Writes a demonstration timetable and pictures of the main window with it, one with each
// menu open, for looking at the shell by eye. Not a test: build the target and run
//   makeshots <output folder>
#include "aboutdlg.h"
#include "childframe.h"
#include "docmanager.h"
#include "fonts.h"
#include "mainframe.h"
#include "sjis.h"
#include "timetableedit.h"
#include "veldenapp.h"
#include "veldendoc.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

namespace {

QByteArray J(const char* text)
{
    return Sjis::FromUtf8(text);
}

void FillDemo(CQLMDoc& doc)
{
    doc.m_strStationName = J("八王子");
    doc.m_strStationNameEn = "Hachioji";
    doc.SetAssortmentCount(3);
    const char* types[][2] = {{"普通", "LOCAL"}, {"快速", "RAPID"}, {"特急", "LTD.EXP"}};
    for (int i = 0; i < 3; ++i) {
        tagTRAINASSORTMENT& type = doc.m_TrainAssortment.ElementAt(i + 1);
        type.strName = J(types[i][0]);
        type.strNameSub = types[i][1];
        type.crBack = doc.m_crUnlit;
        type.crText = i == 2 ? 0x000080FF : doc.m_crLit;
        type.layoutMain = doc.m_LayoutMain;
        type.layoutSub = doc.m_LayoutSub;
    }
    const char* dests[][2] = {{"東京", "Tokyo"},
                              {"新宿", "Shinjuku"},
                              {"高尾", "Takao"},
                              {"大月", "Otsuki"},
                              {"松本", "Matsumoto"}};
    doc.SetDestinationCount(5);
    for (int i = 0; i < 5; ++i) {
        doc.m_Destination.ElementAt(i + 1).strName = J(dests[i][0]);
        doc.m_Destination.ElementAt(i + 1).strNameEn = dests[i][1];
    }
    doc.SetTrainCount(30);
    for (int i = 1; i <= 30; ++i) {
        tagTRAININFO& train = doc.m_TrainInfo.ElementAt(i);
        const int kind = i % 7 == 0 ? 3 : (i % 3 == 0 ? 2 : 1);
        train.wAssortment = quint16(kind);
        train.wTrainNo = quint16(600 + i * 2);
        train.chTrainSuffix = kind == 1 ? 'T' : 'M';
        train.wTime = quint16(5 * 60 + 12 + i * 9);
        train.wDestination = quint16(kind == 3 ? 5 : 1 + i % 4);
        train.wPlatform = quint16(1 + i % 2);
        if (kind == 3) {
            train.strName = J("あずさ");
            train.strNameEn = "Azusa";
            train.strGuide = J("全車指定席です");
        } else if (kind == 2) {
            train.strGuide = J("国分寺まで各駅に停まります");
        }
        if (i % 5 == 0)
            train.strNote = J("10両編成");
    }
}

void Save(QWidget* widget, const QString& path)
{
    widget->grab().save(path);
}

// The main window with one menu dropped down, drawn into one picture.
void SaveWithMenu(CMainFrame* frame, QAction* menuAction, const QString& path)
{
    QMenu* menu = menuAction->menu();
    const QRect at = frame->menuBar()->actionGeometry(menuAction);
    frame->menuBar()->setActiveAction(menuAction);
    menu->popup(frame->menuBar()->mapToGlobal(at.bottomLeft()));
    QApplication::processEvents();
    QImage image = frame->grab().toImage();
    QPainter painter(&image);
    const QPoint offset = frame->mapFromGlobal(menu->mapToGlobal(QPoint(0, 0)));
    painter.drawPixmap(offset, menu->grab());
    painter.end();
    image.save(path);
    menu->hide();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);
    CVeldenApp app;
    if (!app.InitInstance({}))
        return 1;
    CMainFrame* frame = app.MainFrame();
    CDocManager* manager = frame->DocManager();

    CVeldenDoc demo;
    CQLMDoc demoTimetable;
    demoTimetable.SetNewDocumentDefaults();
    FillDemo(demoTimetable);
    demo.ResetTimetable(demoTimetable);
    const QString file = QDir(out).filePath(QStringLiteral("demo.qlm"));
    QString error;
    if (!demo.OnSaveDocument(file, &error)) {
        qWarning("%s", qPrintable(error));
        return 1;
    }
    manager->CloseAllDocuments();
    Save(frame, QDir(out).filePath(QStringLiteral("empty.png")));
    CAboutDlg about(frame);
    about.adjustSize();
    Save(&about, QDir(out).filePath(QStringLiteral("about.png")));
    const QList<QAction*> emptyMenus = frame->menuBar()->actions();
    for (int i = 0; i < emptyMenus.size(); ++i)
        SaveWithMenu(frame, emptyMenus.at(i),
                     QDir(out).filePath(QStringLiteral("menu128-%1.png").arg(i)));

    CVeldenDoc* opened = manager->OpenDocumentFile(file);
    // One step in the history, so that the Edit menu names what Undo takes back.
    tagTRAININFO pasted = opened->Timetable().m_TrainInfo.ElementAt(2);
    opened->Apply(TimetableEdit().InsertTrains(4, {pasted}), QStringLiteral("貼り付け"));
    frame->resize(900, 640);
    manager->ActiveFrame()->showMaximized();
    QApplication::processEvents();
    Save(frame, QDir(out).filePath(QStringLiteral("main.png")));
    const QList<QAction*> menus = frame->menuBar()->actions();
    for (int i = 0; i < menus.size(); ++i)
        SaveWithMenu(frame, menus.at(i),
                     QDir(out).filePath(QStringLiteral("menu129-%1.png").arg(i)));

    manager->ActiveFrame()->showNormal();
    manager->OnWindowNew();
    manager->OnWindowTile();
    QApplication::processEvents();
    Save(frame, QDir(out).filePath(QStringLiteral("tiled.png")));
    manager->CloseAllDocuments();
    return 0;
}
