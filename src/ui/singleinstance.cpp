#include "ui/singleinstance.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
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
// A lock file younger than this may belong to a program that is starting and has not locked it yet.
constexpr qint64 kStartingMs = 3000;

// Whether a live program holds the lock file: Qt's lock file carries an advisory lock of its process for as
// long as the process lives, whatever the file says (it may be empty, damaged, or name another machine).
bool HeldByLiveProgram(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    // A lock file that cannot even be read may be another user's live program's: leave it alone.
    if (fd < 0) return errno != ENOENT;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    if (held) return true;
    const QDateTime made = QFileInfo(path).lastModified();
    return made.isValid() && made.msecsTo(QDateTime::currentDateTime()) < kStartingMs;
}

// The cause of a file that cannot be made in the lock file's folder, found by making one.
int WhyNoFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0) return errno;
    int error = 0;
    if (::write(fd, "0\n", 2) != 2) error = errno != 0 ? errno : ENOSPC;
    ::close(fd);
    ::unlink(native.constData());
    return error;
}

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

SingleInstance::Start SingleInstance::acquire(const QStringList& requests) {
    if (lock_->isLocked()) return Start::Alone;
    int cannotRemove = 0;
    if (!lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError && !HeldByLiveProgram(lockPath_)) {
        // Left behind: Qt keeps a file it cannot read, or one naming another machine, as if it were held.
        if (!lock_->removeStaleLockFile() && ::unlink(QFile::encodeName(lockPath_).constData()) != 0)
            cannotRemove = errno;
        if (cannotRemove == 0) lock_->tryLock(0);
    }
    if (lock_->isLocked()) {
        listen();
        return Start::Alone;
    }
    if (cannotRemove != 0 || lock_->error() != QLockFile::LockFailedError) {
        explainUnlocked(cannotRemove != 0 ? cannotRemove : WhyNoFile(lockPath_));
        return Start::Unlocked;
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
    return Start::OtherRunning;
}

void SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a program that crashed would block the name.
    QLocalServer::removeServer(serverName_);
    // Without the socket the lock still keeps a second program out; it then says it is already running.
    if (!server_->listen(serverName_)) return;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            // What the later start said, once it has said all: "end", or (a start of an older program, which
            // says "raise" alone) its going away.
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

void SingleInstance::explainUnlocked(int error) {
    folderReadOnly_ = error == EROFS || error == EACCES || error == EPERM;
    switch (error) {
        case EROFS:
            unlockedReason_ = QStringLiteral("数据库所在的磁盘是只读的");
            break;
        case EACCES:
        case EPERM:
            unlockedReason_ = QStringLiteral("没有在数据库所在的文件夹中写文件的权限");
            break;
        case ENOSPC:
        case EDQUOT:
            unlockedReason_ = QStringLiteral("磁盘已满");
            break;
        default:
            unlockedReason_ =
                error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : QStringLiteral("原因不明");
    }
}

}  // namespace velunar::ui
