#pragma once
// One running program per user database. Two programs on one database would each post the settings row as
// they last read it; so the first start holds a lock file beside the database and listens on a local socket
// named after it, and a later start asks that program to come to the front, hands it what it was asked to
// show (a moment, a page), and ends. Only a lock that a live program holds counts: a lock file left behind is
// taken over, and a folder where no lock file can be made (a read-only medium, a full disk) lets the program
// start without one, saying why.
#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLockFile;

namespace velunar::ui {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    enum class Start {
        Alone,         // this program now holds the database
        OtherRunning,  // a live program holds it: asked to come to the front (askedRunning says if reached)
        Unlocked,      // no lock file can be made: this program runs without one (unlockedReason says why)
    };

    explicit SingleInstance(const QString& databaseFile, QObject* parent = nullptr);
    ~SingleInstance() override;

    // OtherRunning: the running program has been asked to come to the front and to take `requests` (lines the
    // program understands, "at …", "page …"); askedRunning() says whether it could be reached,
    // requestsTaken() whether it said it took the requests.
    Start acquire(const QStringList& requests = {});
    bool askedRunning() const { return askedRunning_; }
    bool requestsTaken() const { return requestsTaken_; }
    // Why no lock file could be made, ready to show after the lock file's path ("数据库所在的磁盘是只读的").
    QString unlockedReason() const { return unlockedReason_; }
    // True when the reason means nothing can be written in the database's folder (a read-only medium, a
    // folder the user may not write): the program then runs without saving its settings.
    bool folderReadOnly() const { return folderReadOnly_; }

    QString lockFile() const { return lockPath_; }
    QString serverName() const { return serverName_; }

  signals:
    // A later start asked this program to show its window.
    void activationRequested();
    // … and to show what these lines ask for (sent before activationRequested).
    void requestsReceived(const QStringList& requests);

  private:
    void listen();
    void explainUnlocked(int error);

    QString lockPath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool askedRunning_ = false;
    bool requestsTaken_ = false;
    QString unlockedReason_;
    bool folderReadOnly_ = false;
};

}  // namespace velunar::ui
