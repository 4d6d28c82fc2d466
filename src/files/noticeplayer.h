#pragma once
// The sound of the double-hour notice. The tick only asks for a file to be played; whether anything is
// heard is the player's business, and no failure of it may reach the tick.
#include <functional>

#include <QObject>
#include <QString>
#include <QStringList>

class QAudioOutput;
class QMediaPlayer;

namespace velunar {

class NoticePlayer {
  public:
    // Told when a file could not be played: at once for a missing file, later (from the event loop)
    // for one the media framework refuses.
    using FailureHook = std::function<void(const QString& path, const QString& cause)>;

    virtual ~NoticePlayer() = default;
    // Stops whatever was playing and starts the file. Returns at once and never throws.
    virtual void play(const QString& path) = 0;
    void setFailureHook(FailureHook hook) { failed_ = std::move(hook); }

  protected:
    void reportFailure(const QString& path, const QString& cause) const {
        if (failed_) failed_(path, cause);
    }

  private:
    FailureHook failed_;
};

// Plays through Qt Multimedia. A missing or damaged file or a missing codec goes no further than
// LastError and the failure hook; no sound device at all is not a failure (the framework plays silently). The
// player is made on the first play, so start-up does not wait for the media framework.
class MediaNoticePlayer : public QObject, public NoticePlayer {
    Q_OBJECT
  public:
    explicit MediaNoticePlayer(QObject* parent = nullptr);
    ~MediaNoticePlayer() override;

    void play(const QString& path) override;

    // The last failure seen, empty when none.
    QString LastError() const { return lastError_; }
    // The player in use, null before the first play (tests look at its state). A player that failed is
    // replaced on the next play.
    QMediaPlayer* Player() const { return player_; }

  private:
    void EnsurePlayer();

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QString lastError_;
    QString path_;  // the file asked for last
};

// A player that only remembers what it was asked to play, for tests of the notice.
class RecordingNoticePlayer : public NoticePlayer {
  public:
    void play(const QString& path) override {
        played.append(path);
        if (!failWith.isEmpty()) reportFailure(path, failWith);
    }
    QStringList played;
    QString failWith;  // when set, every play fails with this cause
};

}  // namespace velunar
