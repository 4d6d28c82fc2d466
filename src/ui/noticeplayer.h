#pragma once
// The sound of the double-hour notice. The tick only asks for a file to be played; whether anything is
// heard is the player's business, and no failure of it may reach the tick.
#include <QObject>
#include <QString>
#include <QStringList>

class QAudioOutput;
class QMediaPlayer;

namespace velunar::ui {

class NoticePlayer {
  public:
    virtual ~NoticePlayer() = default;
    // Stops whatever was playing and starts the file. Returns at once and never throws.
    virtual void play(const QString& path) = 0;
};

// Plays through Qt Multimedia. A missing or damaged file, a missing codec or no sound device at all is
// swallowed (kept only in LastError for diagnosis). The player is made on the first play, so start-up
// does not wait for the media framework.
class MediaNoticePlayer : public QObject, public NoticePlayer {
    Q_OBJECT
  public:
    explicit MediaNoticePlayer(QObject* parent = nullptr);
    ~MediaNoticePlayer() override;

    void play(const QString& path) override;

    // The last failure seen, empty when none; never shown to the user.
    QString LastError() const { return lastError_; }
    // The player in use, null before the first play (tests look at its state). A player that failed is
    // replaced on the next play.
    QMediaPlayer* Player() const { return player_; }

  private:
    void EnsurePlayer();

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QString lastError_;
};

// A player that only remembers what it was asked to play, for tests of the notice.
class RecordingNoticePlayer : public NoticePlayer {
  public:
    void play(const QString& path) override { played.append(path); }
    QStringList played;
};

}  // namespace velunar::ui
