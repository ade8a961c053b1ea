// docpictures: makes the manual's pictures with the program's own windows, offscreen.
//   docpictures LIST OUTDIR
// LIST is docs/manual/images/pictures.txt: one picture a line, its file name first, then what it
// shows. Every name must be one of kPictures below; each picture is written into OUTDIR.

#include "assortmenteditdlg.h"
#include "boardpreviewdock.h"
#include "checksdock.h"
#include "childframe.h"
#include "commands.h"
#include "docmanager.h"
#include "docpropsheet.h"
#include "mainframe.h"
#include "panelviewdatadlg.h"
#include "samples.h"
#include "timetableedit.h"
#include "veldenapp.h"
#include "veldendoc.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// The program's main window, and a folder for the timetables it opens.
struct Studio
{
    CMainFrame* frame;
    QTemporaryDir files;
};

void Settle(int ms = 50)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Saves the timetable as NAME in the studio's folder and opens it alone in the main window of
// the given size, its grid maximised and the panels closed.
CVeldenDoc* Open(Studio& s, const char* name, const CQLMDoc& timetable, QSize size)
{
    CDocManager* manager = s.frame->DocManager();
    manager->CloseAllDocuments();
    s.frame->Action(ID_VIEW_BOARD_PREVIEW)->setChecked(false);
    s.frame->Action(ID_VIEW_CHECKS)->setChecked(false);
    const QString path = s.files.filePath(QString::fromUtf8(name));
    CVeldenDoc* doc = Samples::WriteFile(path, Samples::Bytes(timetable))
                          ? manager->OpenDocumentFile(path)
                          : nullptr;
    if (!doc)
        return nullptr;
    s.frame->resize(size);
    manager->ActiveFrame()->showMaximized();
    Settle();
    return doc;
}

// A dialog as shown, at its natural size.
QImage Grab(QWidget* widget)
{
    widget->adjustSize();
    widget->show();
    Settle();
    QImage image = widget->grab().toImage();
    widget->hide();
    return image;
}

// The main window with the 編集 menu open: the menu is a window of its own, drawn in.
bool Screenshot(Studio& s, const QString& out)
{
    CVeldenDoc* doc = Open(s, "hachioji.qlm", Samples::Demo(), {900, 640});
    if (!doc)
        return false;
    // One step in the history, so that the menu names what Undo takes back.
    const tagTRAININFO pasted = doc->Timetable().m_TrainInfo.ElementAt(2);
    doc->Apply(TimetableEdit().InsertTrains(4, {pasted}), QStringLiteral("貼り付け"));
    QMenuBar* bar = s.frame->menuBar();
    QAction* edit = nullptr;
    for (QAction* menu : bar->actions())
        if (menu->text().startsWith(QStringLiteral("編集")))
            edit = menu;
    if (!edit)
        return false;
    bar->setActiveAction(edit);
    edit->menu()->popup(bar->mapToGlobal(bar->actionGeometry(edit).bottomLeft()));
    Settle();
    QImage image = s.frame->grab().toImage();
    QPainter painter(&image);
    painter.drawPixmap(s.frame->mapFromGlobal(edit->menu()->mapToGlobal(QPoint(0, 0))),
                       edit->menu()->grab());
    painter.end();
    edit->menu()->hide();
    doc->Undo();
    return image.save(out);
}

bool PropertySheet(Studio&, const QString& out)
{
    CQLMDoc doc = Samples::Demo();
    CDocPropSheet sheet(doc);
    sheet.m_pTabs->setCurrentIndex(0);
    return Grab(&sheet).save(out);
}

// The type editor of 特急 beside the layout dialog its 変更(&S)... button opens.
bool TypeEditor(Studio&, const QString& out)
{
    tagTRAINASSORTMENT type = Samples::Demo().m_TrainAssortment.ElementAt(3);
    CAssortmentEditDlg edit(type, QStringLiteral("列車種別の内容の編集"));
    const QImage left = Grab(&edit);
    CPanelViewDataDlg layout(type.layoutMain, type.layoutSub);
    layout.m_pPartList->setCurrentIndex(1);
    const QImage right = Grab(&layout);
    const int gap = 16;
    QImage both(left.width() + gap + right.width(), std::max(left.height(), right.height()),
                QImage::Format_RGB32);
    both.fill(QApplication::palette().color(QPalette::Window).darker(115));
    QPainter painter(&both);
    painter.drawImage(0, 0, left);
    painter.drawImage(left.width() + gap, 0, right);
    painter.end();
    return both.save(out);
}

// The preview below the grid at 07:10, wide enough for LEDs of three pixels.
bool BoardPreview(Studio& s, const QString& out)
{
    if (!Open(s, "hachioji.qlm", Samples::Demo(), {1600, 720}))
        return false;
    s.frame->Action(ID_VIEW_BOARD_PREVIEW)->trigger();
    CBoardPreviewDock* preview = s.frame->BoardPreview();
    s.frame->resizeDocks({preview}, {300}, Qt::Vertical);
    preview->TimeEdit()->setTime(QTime(7, 10));
    Settle();
    return s.frame->grab().save(out);
}

// The problems panel beside the preview, with the findings of a timetable that has them all.
bool Checks(Studio& s, const QString& out)
{
    CQLMDoc timetable;
    if (!timetable.LoadFile(
            Samples::ReadFile(MARVO_SOURCE_DIR "/tests/data/checks/allproblems.qlm")) ||
        !Open(s, "allproblems.qlm", timetable, {1600, 760}))
        return false;
    CBoardPreviewDock* preview = s.frame->BoardPreview();
    CChecksDock* checks = s.frame->Checks();
    s.frame->Action(ID_VIEW_BOARD_PREVIEW)->trigger();
    Settle();
    // Out of the preview's tabs, to its right, as a user drags it.
    s.frame->removeDockWidget(checks);
    s.frame->addDockWidget(Qt::BottomDockWidgetArea, checks, Qt::Horizontal);
    s.frame->Action(ID_VIEW_CHECKS)->trigger();
    Settle();
    s.frame->resizeDocks({preview, checks}, {620, 980}, Qt::Horizontal);
    s.frame->resizeDocks({preview}, {330}, Qt::Vertical);
    preview->TimeEdit()->setTime(QTime(6, 0));
    for (int i = 0; i < 40 && checks->IsPending(); ++i)
        Settle();
    Settle();
    return !checks->IsPending() && s.frame->grab().save(out);
}

const std::pair<const char*, std::function<bool(Studio&, const QString&)>> kPictures[] = {
    {"screenshot.png", Screenshot}, {"propertysheet.png", PropertySheet},
    {"typeeditor.png", TypeEditor}, {"boardpreview.png", BoardPreview},
    {"checks.png", Checks},
};

// The file names of the list, in its order.
QStringList ReadList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList names;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith('#'))
            names << QString::fromUtf8(line.split('\t').constFirst().trimmed());
    return names;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: docpictures LIST OUTDIR\n", stderr);
        return 2;
    }
    // Always offscreen, so that a picture does not depend on the desktop; the settings, recovery
    // copies and socket of this run are its own.
    QTemporaryDir home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath(QStringLiteral("state"))));
    qputenv("MARVO_SERVER_NAME", QFile::encodeName(home.filePath(QStringLiteral("socket"))));
    QApplication application(argc, argv);
    const QString list = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QStringList names = ReadList(list);
    if (names.isEmpty() || !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "docpictures: %s: no pictures listed, or %s cannot be made\n",
                     qPrintable(list), qPrintable(out.path()));
        return 1;
    }

    CVeldenApp app;
    if (!app.InitInstance({}))
        return 1;
    Studio studio{app.MainFrame(), {}};
    int failed = 0;
    for (const QString& name : names) {
        const auto maker = std::find_if(std::begin(kPictures), std::end(kPictures),
                                        [&](const auto& p) { return name == p.first; });
        if (maker == std::end(kPictures)) {
            std::fprintf(stderr, "docpictures: %s: no picture of that name is made here\n",
                         qPrintable(name));
            ++failed;
        } else if (!maker->second(studio, out.filePath(name))) {
            std::fprintf(stderr, "docpictures: %s: could not be made\n", qPrintable(name));
            ++failed;
        }
    }
    studio.frame->DocManager()->CloseAllDocuments();
    return failed ? 1 : 0;
}
