#include "veldenapp.h"

#include "docmanager.h"
#include "focusselect.h"
#include "fonts.h"
#include "instanceserver.h"
#include "mainframe.h"
#include "messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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
        // Recovery copies found at start are kept for a start that can ask.
        CDocManager::SetRecoveryPrompt([](QWidget*, const QList<CRecoveryStore::Copy>& copies) {
            const QString folder = QFileInfo(copies.constFirst().base).path();
            std::fprintf(stderr, "%s\n",
                         qPrintable(QStringLiteral("文書の復元: %1 に回復用のコピーが %2 件"
                                                   "あります。次の起動まで残します。")
                                        .arg(QDir::toNativeSeparators(folder))
                                        .arg(copies.size())));
            return RecoveryAnswer::Later;
        });
    }

    // The main window with its bars (it accepts dropped files) and the recent-file list.
    m_pMainFrame = std::make_unique<CMainFrame>();
    CDocManager* manager = m_pMainFrame->DocManager();
    manager->LoadRecentFiles();

    // Unsaved work left by a MARVO that ended abnormally is offered before the command line's
    // files open. The command line: nothing opens a new untitled document (unless documents
    // were restored); files are opened.
    const int restored = manager->OfferRecovery();
    if (arguments.isEmpty()) {
        if (restored == 0 && !manager->OnFileNew())
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
