#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

// Opening a file from the file manager while the program runs hands the file to the running
// program over a local socket, one per user, instead of starting a second one.
class CInstanceServer : public QObject
{
    Q_OBJECT
public:
    explicit CInstanceServer(QObject* parent = nullptr);
    ~CInstanceServer() override;

    // The socket's name: MARVO_SERVER_NAME when set (tests keep apart from a running program
    // that way), otherwise one name per user.
    static QString ServerName();
    // Gives paths (made absolute here) to the running program. False when none takes them
    // within timeoutMs; the caller then starts on its own.
    static bool SendToRunning(const QStringList& paths, int timeoutMs = 5000);

    // Starts taking files, unless another program already does (false then). A socket left
    // behind by a program that ended abnormally is replaced.
    bool Listen();
    bool IsListening() const;

signals:
    void filesReceived(const QStringList& paths);

private:
    void OnNewConnection();

    QLocalServer* m_pServer;
};
