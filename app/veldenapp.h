#pragma once

#include <QStringList>

#include <memory>

class CInstanceServer;
class CMainFrame;

// The application: sets up language and fonts, creates the main window and carries out the
// command line.
class CVeldenApp
{
public:
    CVeldenApp();
    ~CVeldenApp();
    CVeldenApp(const CVeldenApp&) = delete;
    CVeldenApp& operator=(const CVeldenApp&) = delete;

    // Starts the program with the command line's arguments (without the program name).
    // Returns false when start-up failed; the program should then end with a failure status.
    // Files given while the program already runs go to that program: then it returns true
    // without a main window, and this one should end.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CInstanceServer* InstanceServer() const { return m_pServer.get(); }

    // True when no message box can be shown (the offscreen or minimal platform, or
    // MARVO_NONINTERACTIVE=1): messages then go to the standard error stream.
    static bool IsNonInteractive();

private:
    // Opens files handed over by a later start and brings the main window to the front.
    void OpenHandedFiles(const QStringList& paths);

    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CInstanceServer> m_pServer;
};
