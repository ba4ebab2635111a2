#include "app/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {
const QByteArray kActivate = QByteArrayLiteral("activate\n");
constexpr int kConnectTimeoutMs = 500;
} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
    // The user's runtime folder is private to the user; without one, the
    // user id in the name keeps two users of one machine apart.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString file = QStringLiteral("gaming-mouse-%1.socket").arg(getuid());
    return runtime.isEmpty() ? QDir::temp().filePath(file) : QDir(runtime).filePath(file);
}

bool SingleInstance::askRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::claim()
{
    if (askRunningInstance())
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    if (m_server->listen(m_name))
        return true;
    // Nobody answered, so a socket left behind by a program that died is in
    // the way; unless another start claimed it just now, take it over.
    if (askRunningInstance())
        return false;
    QLocalServer::removeServer(m_name);
    // If even that fails the window still runs: a missing guard must not
    // keep the user from the program.
    m_server->listen(m_name);
    return true;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kActivate.trimmed()))
                emit activationRequested();
        });
    }
}
