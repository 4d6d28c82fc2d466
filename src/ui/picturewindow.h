#pragma once
// The picture window: its picture box shows the picture of the point last described, stretched to the
// box (the aspect ratio is not kept).
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "ui/textwindow.h"

namespace velunar::ui {

// Paints its picture over its whole area.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);
    void SetImage(const QImage& image);
    const QImage& Image() const { return image_; }
    // Where the picture is painted, in the box's coordinates: always the whole box.
    QRect PictureRect() const { return rect(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    QPixmap scaled_;  // the picture at the box's last painted size; redrawn only when that changes
};

// "穴位图片".
class PictureWindow : public ViewerWindow {
    Q_OBJECT
  public:
    explicit PictureWindow(QWidget* parent = nullptr);

    // Loads the picture file (see LoadPictureFile) into the picture box and shows the window (in front if
    // already open). On a failure it throws std::runtime_error with the message (UTF-8, naming the path); the
    // window then stays as it was, with its previous picture.
    void ShowPicture(const QString& path);

    PictureBox* pictureBox() const { return pictureBox_; }

  private:
    PictureBox* pictureBox_ = nullptr;
};

}  // namespace velunar::ui
