#include "files/noticeplayer.h"

#include <exception>

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace velunar {

MediaNoticePlayer::MediaNoticePlayer(QObject* parent) : QObject(parent) {}

MediaNoticePlayer::~MediaNoticePlayer() {
    if (player_) player_->stop();
}

void MediaNoticePlayer::EnsurePlayer() {
    // A player that failed on its last file would hold the tick for a second in stop() (the media
    // framework waits out a state change that never comes); a fresh one costs nothing.
    if (player_ &&
        (player_->error() != QMediaPlayer::NoError || player_->mediaStatus() == QMediaPlayer::InvalidMedia)) {
        delete player_;
        delete output_;
        player_ = nullptr;
        output_ = nullptr;
    }
    if (player_) return;
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    // Errors arrive later, from the media framework; they are noted and go no further.
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        lastError_ = text;
        reportFailure(path_, text);
    });
}

void MediaNoticePlayer::play(const QString& path) {
    path_ = path;
    try {
        EnsurePlayer();
        player_->stop();
        player_->setSource(QUrl());
        lastError_.clear();
        if (!QFileInfo(path).isFile()) {
            lastError_ = QStringLiteral("sound file not found: ") + path;
            reportFailure(path, QStringLiteral("文件不存在"));
            return;
        }
        player_->setSource(QUrl::fromLocalFile(path));
        player_->play();
    } catch (const std::exception& error) {
        lastError_ = QString::fromUtf8(error.what());
        reportFailure(path, lastError_);
    } catch (...) {
        lastError_ = QStringLiteral("unknown failure of the media player");
        reportFailure(path, lastError_);
    }
}

}  // namespace velunar
