#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QUrl;
class QWidget;

// Help (the menu command and F1 in every window of the program, dialogs included): opens
// MARVO.CHM from the current directory when it is there, as the board system's own installations
// expect; otherwise this program's HTML manual in the desktop's browser, at the page about the
// window that has the focus.
class CHelpOpener : public QObject
{
    Q_OBJECT
public:
    // Listens for F1 in the whole application; messages are owned by the active window, else by
    // mainWindow.
    explicit CHelpOpener(QWidget* mainWindow);
    ~CHelpOpener() override;

    // Opens help about the window of focus (the main window when null).
    void OnHelp(QWidget* focus);

    // The help file of the current directory, and the message shown when it cannot be opened.
    static QString HelpFileName();
    static QString HelpFailedText(const QString& fileName);

    // The manual's page about the window that holds widget: a file name, with "#section" where
    // a page covers several windows; "index.html" for windows the manual has no page for.
    static QString PageFor(const QWidget* widget);
    // Every page PageFor can give (for checking that the manual has them).
    static QStringList AllPages();

    // Where the manual is looked for, in order: the data folder of an installed program, then
    // the source tree's docs/manual when the program runs from its build folder.
    static QStringList ManualDirs();
    // The first of those folders that holds the manual, or an empty string.
    static QString FindManual();

    // Test seams: what opens a URL in the desktop's viewer, and the folders searched for the
    // manual (an empty list restores the defaults).
    using UrlOpener = std::function<bool(const QUrl&)>;
    static void SetUrlOpener(UrlOpener opener);
    static void SetManualDirs(const QStringList& dirs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MessageParent() const;

    QWidget* m_pMainWindow;
};
