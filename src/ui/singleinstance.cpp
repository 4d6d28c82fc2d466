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
// After "raise", each request as "pass <line>", then "end"; the running program answers "taken".
constexpr char kPass[] = "pass ";
constexpr char kEnd[] = "end\n";
constexpr char kTaken[] = "taken\n";

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

bool SingleInstance::acquire(const QStringList& requests) {
    if (lock_->isLocked()) return true;
    if (lock_->tryLock(0)) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        // A socket left by a program that crashed would block the name.
        QLocalServer::removeServer(serverName_);
        if (server_->listen(serverName_)) {
            connect(server_, &QLocalServer::newConnection, this, [this] {
                while (QLocalSocket* s = server_->nextPendingConnection()) {
                    // What the later start said, once it has said all: "end", or (a start of an older
                    // program, which says "raise" alone) its going away.
                    auto take = [this, s](bool answer) {
                        const QByteArray said = s->readAll();
                        if (!said.contains("raise")) return;
                        QStringList requests;
                        for (const QByteArray& line : said.split('\n'))
                            if (line.startsWith(kPass))
                                requests << QString::fromUtf8(line.mid(qsizetype(sizeof kPass) - 1));
                        if (!requests.isEmpty()) emit requestsReceived(requests);
                        emit activationRequested();
                        if (answer) {
                            s->write(kTaken);
                            s->flush();
                            s->disconnectFromServer();
                        }
                    };
                    connect(s, &QLocalSocket::readyRead, this, [s, take] {
                        if (s->peek(s->bytesAvailable()).endsWith(kEnd)) take(true);
                    });
                    connect(s, &QLocalSocket::disconnected, this, [s, take] {
                        if (s->bytesAvailable() > 0) take(false);
                        s->deleteLater();
                    });
                }
            });
        }
        // Without the socket the lock still keeps a second program out; it then says it is already running.
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (socket.waitForConnected(kConnectMs)) {
        QByteArray message(kRaise);
        for (const QString& request : requests) message += kPass + request.toUtf8().replace('\n', ' ') + '\n';
        message += kEnd;
        socket.write(message);
        askedRunning_ = socket.waitForBytesWritten(kConnectMs);
        // The answer says the running program understood the requests; one too old to know them says nothing.
        QByteArray answer;
        while (askedRunning_ && !answer.contains('\n') && socket.waitForReadyRead(kConnectMs))
            answer += socket.readAll();
        requestsTaken_ = answer.startsWith(kTaken);
        socket.disconnectFromServer();
    }
    return false;
}

}  // namespace velunar::ui
