#include "instanceserver.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The running program confirms with this byte once it has the paths.
constexpr char kReceived = '1';

} // namespace

CInstanceServer::CInstanceServer(QObject* parent)
    : QObject(parent), m_pServer(new QLocalServer(this))
{
    // Only the same user may hand files over.
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &CInstanceServer::OnNewConnection);
}

CInstanceServer::~CInstanceServer()
{
    // Closing removes the socket, so no name is left behind.
    m_pServer->close();
}

QString CInstanceServer::ServerName()
{
    const QString name = qEnvironmentVariable("MARVO_SERVER_NAME");
    if (!name.isEmpty())
        return name;
#ifdef Q_OS_UNIX
    return QStringLiteral("marvo-%1").arg(::getuid());
#else
    return QStringLiteral("marvo-%1").arg(qEnvironmentVariable("USERNAME"));
#endif
}

bool CInstanceServer::SendToRunning(const QStringList& paths, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QStringList absolute;
    for (const QString& path : paths)
        absolute.append(QFileInfo(path).absoluteFilePath());
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << absolute;
    socket.write(message);
    const QDeadlineTimer deadline(timeoutMs);
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.read(1) == QByteArray(1, kReceived);
}

bool CInstanceServer::Listen()
{
    const QString name = ServerName();
    if (m_pServer->listen(name))
        return true;
    // A name that no program answers on is a leftover; one that answers belongs to a program
    // that is running.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(1000))
        return false;
    QLocalServer::removeServer(name);
    return m_pServer->listen(name);
}

bool CInstanceServer::IsListening() const
{
    return m_pServer->isListening();
}

void CInstanceServer::OnNewConnection()
{
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.setVersion(QDataStream::Qt_6_0);
            in.startTransaction();
            QStringList paths;
            in >> paths;
            if (!in.commitTransaction()) {
                if (in.status() == QDataStream::ReadCorruptData)
                    socket->abort(); // not a list of paths
                return;              // otherwise wait for the rest
            }
            socket->write(QByteArray(1, kReceived));
            socket->flush();
            socket->disconnectFromServer();
            emit filesReceived(paths);
        });
    }
}
