#pragma once
// The 子午流注 dial page of the main window. It draws the DialModel of each tick with the shared painter;
// the rings and the centre are kept in a pixmap that is redrawn only when the double-hour, the day or the
// place changes, and the hand is repainted once a minute of true solar time.
#include <optional>
#include <tuple>

#include <QPixmap>
#include <QWidget>

#include "methods/dial.h"

class QTabWidget;

namespace velunar::ui {

class MainWindow;

class DialWidget : public QWidget {
    Q_OBJECT
  public:
    explicit DialWidget(QWidget* parent = nullptr);

    // One tick's dial: the rings are worked out again only for another day or place.
    void showTick(const TickInput& place, const TickView& view, const ReferenceTables& tables);
    const DialModel& model() const { return model_; }

    // The double-hour the keyboard stands on (the present one until the user steps); -1 before a tick.
    int selected() const { return selected_; }
    void setSelected(int sector);
    // How often the rings were drawn and the widget asked to repaint, for the tests of what painting costs.
    int ringDraws() const { return ringDraws_; }
    int repaintRequests() const { return repaintRequests_; }
    // The centre of a sector in widget coordinates, for clicking it.
    QPoint sectorCentre(int sector) const;

    // The least side at which the dial reads as well as on a screen with room for it (a radius of 150 px);
    // the window gives it up to the time pages' room where it cannot have this below them.
    static int comfortableSide();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // The user picked a double-hour: the first clock second of its span.
    // The double-hour's first second: its clock reading and the offset the clock has then.
    void sectorChosen(DateTime clockStart, int offsetSeconds);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QRectF square() const;
    void choose(int sector);
    void invalidateRings();

    // Everything BuildDialRings reads of the place, and the day.
    using RingKey = std::tuple<std::int64_t, int, std::optional<TimeMode>, std::string, bool, std::string,
                               std::string, std::string, std::string, int, std::string, bool, int>;
    TickInput place_;
    std::optional<RingKey> ringKey_;
    DialModel rings_;  // BuildDialRings of ringKey_
    DialModel model_;
    int selected_ = -1;
    std::optional<long long> shownMinute_;
    QPixmap cache_;
    bool cacheValid_ = false;
    int ringDraws_ = 0;
    int repaintRequests_ = 0;
};

// The dial as the last page of `pages`; a click on a double-hour chooses its start in `window`.
DialWidget* AddDialPage(QTabWidget* pages, MainWindow* window);

}  // namespace velunar::ui
