#pragma once
// One running program per user database. Two programs on one database would each post the settings row as
// they last read it; so the first start holds a lock file beside the database and listens on a local socket
// named after it, and a later start asks that program to come to the front and ends.
#include <memory>

#include <QObject>
#include <QString>

class QLocalServer;
class QLockFile;

namespace velunar::ui {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& databaseFile, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this program now holds the database. False when another program holds it: it has been asked
    // to come to the front, and askedRunning() says whether it could be reached.
    bool acquire();
    bool askedRunning() const { return askedRunning_; }

    QString lockFile() const { return lockPath_; }
    QString serverName() const { return serverName_; }

  signals:
    // A later start asked this program to show its window.
    void activationRequested();

  private:
    QString lockPath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool askedRunning_ = false;
};

}  // namespace velunar::ui
