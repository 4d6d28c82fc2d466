#include "ui/dialwidget.h"

#include <cmath>

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QToolTip>

#include "dial/dial_painter.h"
#include "ui/mainwindow.h"

namespace velunar::ui {

namespace {

// The page asks for a dial that reads comfortably and takes what the window can give, so the window stays
// within 1366×768 (frame included). Its texts are laid out for any radius; below 100 px they would be too
// small to read even at twice the scale.
constexpr int kSide = 420;
constexpr int kLeastSide = 2 * 100 + 8;

}  // namespace

DialWidget::DialWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("dial"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize DialWidget::sizeHint() const {
    // Only the page in front asks for room: behind, the dial leaves the window as the other pages make it.
    if (!isVisible()) return {0, 0};
    return {kSide, kSide};
}

int DialWidget::comfortableSide() {
    return 2 * 150 + 8;
}

QSize DialWidget::minimumSizeHint() const {
    if (!isVisible()) return {0, 0};
    return {kLeastSide, kLeastSide};
}

void DialWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateGeometry();
}

void DialWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    updateGeometry();
}

void DialWidget::showTick(const TickInput& place, const TickView& view, const ReferenceTables& tables) {
    place_ = place;
    const RingKey key{DialDayOf(view.moment),
                      static_cast<int>(place.page),
                      place.timeMode,
                      place.longitudeText,
                      place.onlyBeijing,
                      place.summerText,
                      place.zoneText,
                      place.eastWestText,
                      place.abroadLongitudeText,
                      static_cast<int>(place.eot),
                      place.zoneTimeline ? place.ianaZone : std::string(),
                      place.chinaClock.has_value(),
                      static_cast<int>(place.sixthStem)};
    if (ringKey_ != key) {
        rings_ = BuildDialRings(place, std::get<0>(key), tables);
        ringKey_ = key;
        cacheValid_ = false;
    }
    DialModel next = CompleteDial(rings_, view);
    if (next.current != model_.current || next.centre != model_.centre ||
        next.dayGanZhi != model_.dayGanZhi || next.day != model_.day)
        cacheValid_ = false;
    model_ = std::move(next);
    selected_ = model_.current;
    // The hand moves once a minute of true solar time; between minutes nothing is repainted.
    std::optional<long long> minute;
    if (model_.solarTime) {
        // Through the one decomposition, so a whole minute is never read as the end of the one before.
        const DaySplit split = SplitDateTime(*model_.solarTime);
        minute = split.day * 1440 + split.msOfDay / 60000;
    }
    if (!cacheValid_ || minute != shownMinute_) {
        shownMinute_ = minute;
        ++repaintRequests_;
        update();
    }
}

void DialWidget::setSelected(int sector) {
    if (sector == selected_) return;
    selected_ = sector;
    cacheValid_ = false;
    ++repaintRequests_;
    update();
}

QRectF DialWidget::square() const {
    return dial::DialSquare(QRectF(rect()).adjusted(4, 4, -4, -4));
}

QPoint DialWidget::sectorCentre(int sector) const {
    if (sector < 0 || sector > 11) return {};
    const QRectF sq = square();
    const double a = (model_.sectors[sector].startAngle + 15.0) * M_PI / 180.0;
    const double r = sq.width() / 2.0 * 0.8;
    return QPointF(sq.center().x() + r * std::sin(a), sq.center().y() - r * std::cos(a)).toPoint();
}

void DialWidget::paintEvent(QPaintEvent*) {
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = size() * dpr;
    if (!cacheValid_ || cache_.size() != pixels) {
        // Drawn at the device's own resolution, so the rings stay sharp at any scale factor.
        cache_ = QPixmap(pixels);
        cache_.setDevicePixelRatio(dpr);
        cache_.fill(Qt::white);
        QPainter p(&cache_);
        dial::PaintRings(p, square(), model_, selected_);
        cacheValid_ = true;
        ++ringDraws_;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, cache_);
    dial::PaintHand(p, square(), model_);
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void DialWidget::choose(int sector) {
    if (sector < 0 || sector > 11) return;
    setSelected(sector);
    if (const auto& span = model_.sectors[sector].span) emit sectorChosen(span->Start(), span->startOffset.Total());
}

void DialWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    choose(dial::SectorAtPoint(square(), model_, event->position()));
}

void DialWidget::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1 : 0;
    if (step == 0 || selected_ < 0) return QWidget::keyPressEvent(event);
    const int next = selected_ + step;
    if (next >= 0 && next <= 11) return choose(next);
    // Past 亥 comes the next day's 子, before 子 the day before's 亥: the moment walks on through the days.
    const Branch branch = next > 11 ? Branch::Zi : Branch::Hai;
    if (const auto span = ClockSpanOf(place_, model_.day + (next > 11 ? 1 : -1), branch)) {
        setSelected(next > 11 ? 0 : 11);
        emit sectorChosen(span->Start(), span->startOffset.Total());
    }
}

bool DialWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int sector = dial::SectorAtPoint(square(), model_, help->pos());
        if (sector < 0) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), dial::SectorTooltip(model_, sector), this);
        }
        return true;
    }
    return QWidget::event(event);
}

DialWidget* AddDialPage(QTabWidget* pages, MainWindow* window) {
    auto* dial = new DialWidget;
    pages->addTab(dial, QStringLiteral("流注图"));
    QObject::connect(dial, &DialWidget::sectorChosen, window, [window](DateTime t, int offsetSeconds) {
        window->setChosenTime(t, offsetSeconds);
        // The pages follow the click at once, not at the next second.
        window->tick();
    });
    return dial;
}

}  // namespace velunar::ui
