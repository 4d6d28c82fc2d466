#pragma once
// One running program per user database. Two programs on one database would each post the settings row as
// they last read it; so the first start holds a lock file beside the database and listens on a local socket
// named after it, and a later start asks that program to come to the front, hands it what it was asked to
// show (a moment, a page), and ends.
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
    explicit SingleInstance(const QString& databaseFile, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this program now holds the database. False when another program holds it: it has been asked
    // to come to the front, and to take `requests` (lines the program understands, "at …", "page …"), and
    // askedRunning() says whether it could be reached, requestsTaken() whether it said it took the requests.
    bool acquire(const QStringList& requests = {});
    bool askedRunning() const { return askedRunning_; }
    bool requestsTaken() const { return requestsTaken_; }

    QString lockFile() const { return lockPath_; }
    QString serverName() const { return serverName_; }

  signals:
    // A later start asked this program to show its window.
    void activationRequested();
    // … and to show what these lines ask for (sent before activationRequested).
    void requestsReceived(const QStringList& requests);

  private:
    QString lockPath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool askedRunning_ = false;
    bool requestsTaken_ = false;
};

}  // namespace velunar::ui
