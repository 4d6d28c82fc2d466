#include "ui/singleinstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace velunar::ui {
namespace {

constexpr int kConnectMs = 1000;
constexpr char kRaise[] = "raise\n";

}  // namespace

SingleInstance::SingleInstance(const QString& databaseFile, QObject* parent) : QObject(parent) {
    const QFileInfo info(databaseFile);
    const QString canonical =
        info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    lockPath_ = canonical + QStringLiteral(".lock");
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    serverName_ = QStringLiteral("velunar-") + QString::fromLatin1(hash);
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // Only a lock whose program has ended is stale, however long the program has been running.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    if (lock_->isLocked()) return true;
    if (lock_->tryLock(0)) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        // A socket left by a program that crashed would block the name.
        QLocalServer::removeServer(serverName_);
        if (server_->listen(serverName_)) {
            connect(server_, &QLocalServer::newConnection, this, [this] {
                while (QLocalSocket* s = server_->nextPendingConnection()) {
                    connect(s, &QLocalSocket::readyRead, this, [this, s] {
                        if (s->readAll().contains("raise")) emit activationRequested();
                        s->disconnectFromServer();
                    });
                    connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                }
            });
        }
        // Without the socket the lock still keeps a second program out; it then says it is already running.
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (socket.waitForConnected(kConnectMs)) {
        socket.write(kRaise);
        askedRunning_ = socket.waitForBytesWritten(kConnectMs);
        socket.disconnectFromServer();
    }
    return false;
}

}  // namespace velunar::ui
