#include "ui/picturewindow.h"

#include <stdexcept>

#include <QPainter>

#include "files/jpegimage.h"
#include "ui/uitext.h"

namespace velunar::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pictureBox"));
    // The picture follows the box, never the other way round.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void PictureBox::SetImage(const QImage& image) {
    image_ = image;
    scaled_ = QPixmap();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (image_.isNull() || width() <= 0 || height() <= 0) return;
    // Scaled in device pixels, so a high-density screen gets a sharp picture.
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(size()) * ratio).toSize();
    if (scaled_.size() != device) {
        scaled_ = QPixmap::fromImage(image_.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        scaled_.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, scaled_);
}

PictureWindow::PictureWindow(QWidget* parent)
    : ViewerWindow(QStringLiteral("pictureWindow"), TranslatedQ("ui", "穴位图片"), QSize(494, 626), parent) {
    pictureBox_ = new PictureBox(this);
    SetContent(pictureBox_);
}

void PictureWindow::ShowPicture(const QString& path) {
    const PictureResult picture = LoadPictureFile(path);
    if (!picture.ok()) throw std::runtime_error(picture.error.toStdString());
    pictureBox_->SetImage(picture.image);
    BringToFront();
}

}  // namespace velunar::ui
