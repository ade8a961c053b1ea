#include "veldenapp.h"

#include "docmanager.h"
#include "focusselect.h"
#include "fonts.h"
#include "instanceserver.h"
#include "mainframe.h"
#include "messages.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include <cstdio>

CVeldenApp::CVeldenApp() = default;
CVeldenApp::~CVeldenApp() = default;

bool CVeldenApp::IsNonInteractive()
{
    if (qEnvironmentVariableIntValue("MARVO_NONINTERACTIVE") == 1)
        return true;
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

bool CVeldenApp::InitInstance(const QStringList& arguments)
{
    QCoreApplication::setOrganizationName(QStringLiteral("MARVO"));
    QCoreApplication::setApplicationName(QStringLiteral("MARVO"));
    // Files opened from the file manager go to the program already running, like a desktop
    // editor's; without one this program starts and takes later files itself.
    if (!arguments.isEmpty() && CInstanceServer::SendToRunning(arguments))
        return true;
    m_pServer = std::make_unique<CInstanceServer>();
    m_pServer->Listen();
    QObject::connect(m_pServer.get(), &CInstanceServer::filesReceived, m_pServer.get(),
                     [this](const QStringList& paths) { OpenHandedFiles(paths); });

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/marvo-64.png")));
    Fonts::SetUpJapaneseUi();
    FocusSelect::Install();

    if (IsNonInteractive()) {
        Msg::SetMessageHook([](const Msg::Record& record) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(record.caption), qPrintable(record.text));
            // Unanswered questions keep everything as it is.
            return record.buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                                : QMessageBox::Ok;
        });
    }

    // The main window with its bars (it accepts dropped files) and the recent-file list.
    m_pMainFrame = std::make_unique<CMainFrame>();
    CDocManager* manager = m_pMainFrame->DocManager();
    manager->LoadRecentFiles();

    // The command line: nothing opens a new untitled document; files are opened.
    if (arguments.isEmpty()) {
        if (!manager->OnFileNew())
            return false;
    } else {
        for (const QString& path : arguments)
            if (!manager->OpenDocumentFile(path))
                return false;
    }

    m_pMainFrame->show();
    return true;
}

void CVeldenApp::OpenHandedFiles(const QStringList& paths)
{
    // A modal dialog or question is open: the files wait until the user has answered it.
    if (QApplication::activeModalWidget() || !m_pMainFrame) {
        QTimer::singleShot(200, m_pServer.get(), [this, paths] { OpenHandedFiles(paths); });
        return;
    }
    CMainFrame* frame = m_pMainFrame.get();
    if (frame->isMinimized())
        frame->showNormal();
    frame->raise();
    frame->activateWindow();
    for (const QString& path : paths)
        frame->DocManager()->OpenDocumentFile(path);
}
