#include "dial/dial_painter.h"

#include <cmath>
#include <numbers>

#include <QBuffer>
#include <QFontMetricsF>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

namespace velunar::dial {
namespace {

// Radii as fractions of the dial's radius.
constexpr double kOuter = kOuterRing.outer;  // the rim outside holds the spans and the hand's tip
constexpr double kMiddle = kOuterRing.inner;  // the outer ring (branches) outside, the 纳干 ring inside
constexpr double kInner = kInnerRing.inner;   // the centre's edge

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

struct PhaseColours {
    QColor fill, ink;
};

// Light fills so black text stays readable; the ink of the phase names the meridian.
PhaseColours ColoursOf(Phase p) {
    switch (p) {
        case Phase::Wood:
            return {QColor(0xd3, 0xea, 0xc8), QColor(0x2e, 0x7d, 0x32)};
        case Phase::Fire:
            return {QColor(0xf8, 0xcf, 0xc8), QColor(0xc6, 0x28, 0x28)};
        case Phase::Earth:
            return {QColor(0xf4, 0xe4, 0xb0), QColor(0x9a, 0x6b, 0x00)};
        case Phase::Metal:
            return {QColor(0xee, 0xee, 0xee), QColor(0x61, 0x61, 0x61)};
        case Phase::Water:
            return {QColor(0xc9, 0xd9, 0xf0), QColor(0x1a, 0x47, 0x8a)};
        case Phase::None:
            break;
    }
    return {QColor(Qt::white), QColor(Qt::black)};
}

QString ClockText(DateTime t) {
    const CivilTime c = Decompose(t).time;
    return QStringLiteral("%1:%2")
        .arg(c.hour, 2, 10, QLatin1Char('0'))
        .arg(c.minute, 2, 10, QLatin1Char('0'));
}

QString SpanText(const DialSector& s) {
    if (!s.span) return QString();
    return ClockText(s.span->Start()) + QStringLiteral("–") + ClockText(s.span->End());
}

// A point on the dial: `angle` degrees clockwise from the top, at `r` times the radius.
QPointF At(const QRectF& sq, double angle, double r) {
    const double a = angle * std::numbers::pi / 180.0;
    const double radius = sq.width() / 2.0 * r;
    return {sq.center().x() + radius * std::sin(a), sq.center().y() - radius * std::cos(a)};
}

QPainterPath Annulus(const QRectF& sq, double start, double r0, double r1) {
    const QPointF c = sq.center();
    const double R = sq.width() / 2.0;
    const QRectF outer(c.x() - R * r1, c.y() - R * r1, 2 * R * r1, 2 * R * r1);
    const QRectF inner(c.x() - R * r0, c.y() - R * r0, 2 * R * r0, 2 * R * r0);
    // Qt counts angles anticlockwise from three o'clock.
    const double qtStart = 90.0 - start;
    QPainterPath path;
    path.arcMoveTo(outer, qtStart);
    path.arcTo(outer, qtStart, -30.0);
    path.arcTo(inner, qtStart - 30.0, 30.0);
    path.closeSubpath();
    return path;
}

QString Pair(const std::string& a, const std::string& b) {
    if (b.empty()) return Q(a);
    return Q(a) + QStringLiteral("＋") + Q(b);
}

// A text in the font of `size` times the radius.
DialLabel Text(const QString& text, double size, double R, const QColor& ink, bool bold = false) {
    DialLabel l;
    l.text = text;
    l.font = DialFont(size * R);
    l.font.setBold(bold);
    l.ink = ink;
    const QFontMetricsF m(l.font);
    l.size = QSizeF(m.horizontalAdvance(text), m.height());
    return l;
}

// Lines stacked across a ring at the sector's middle, the first farthest out, centred `middle` times the
// radius from the centre (the middle of the cell when not given).
void Stack(std::vector<DialLabel>& out, std::vector<DialLabel> lines, const QRectF& sq, int sector, double mid,
           DialCell cell, std::optional<double> middle = std::nullopt) {
    const double R = sq.width() / 2.0;
    double total = 0.0;
    for (const DialLabel& l : lines) total += l.size.height();
    // Read from outside in on the top half; turned over below, where "up" points to the centre.
    const bool turned = std::cos(mid * std::numbers::pi / 180.0) < 0.0;
    double r = middle.value_or((cell.inner + cell.outer) / 2.0) * R + total / 2.0;
    for (DialLabel& l : lines) {
        const double at = r - l.size.height() / 2.0;
        r -= l.size.height();
        if (l.text.isEmpty()) continue;
        l.sector = sector;
        l.cell = cell;
        l.centre = At(sq, mid, at / R);
        l.angle = turned ? mid + 180.0 : mid;
        out.push_back(std::move(l));
    }
}

}  // namespace

QPolygonF DialLabel::outline() const {
    const double a = angle * std::numbers::pi / 180.0;
    const QPointF along(std::cos(a), std::sin(a)), up(std::sin(a), -std::cos(a));
    const double w = size.width() / 2.0, h = size.height() / 2.0;
    QPolygonF p;
    p << centre - along * w + up * h << centre + along * w + up * h << centre + along * w - up * h
      << centre - along * w - up * h;
    return p;
}

std::vector<DialLabel> DialLabels(const QRectF& sq, const DialModel& model) {
    std::vector<DialLabel> out;
    const double R = sq.width() / 2.0;
    const QColor spanInk(0x30, 0x30, 0x30);
    for (int i = 0; i < 12; ++i) {
        const DialSector& s = model.sectors[i];
        const double mid = s.startAngle + 15.0;
        Stack(out,
              {Text(Q(Name(s.branch)), 0.1, R, Qt::black, true),
               Text(Q(s.meridian) + Q(Name(s.phase)), 0.068, R, ColoursOf(s.phase).ink, true)},
              sq, i, mid, kOuterRing);
        // The span along the rim, where a line as long as "09:07–11:07" has room at any size.
        // Clear of the hand's tip, which stands just outside the rings.
        Stack(out, {Text(SpanText(s), 0.056, R, spanInk)}, sq, i, mid, kRim, 0.948);
        if (s.points.closed)
            Stack(out,
                  {Text(QStringLiteral("闭"), 0.05, R, QColor(0x90, 0x90, 0x90)),
                   Text(Q(s.points.supplementary), 0.064, R, QColor(0x8a, 0x8a, 0xb0))},
                  sq, i, mid, kInnerRing);
        else
            Stack(out, {Text(Q(s.points.naGan), 0.075, R, QColor(0x20, 0x20, 0x20), true)}, sq, i, mid,
                  kInnerRing);
    }
    // The centre: the present 干支 and what each doctrine opens now, stacked from the font's own heights.
    const DialPoints& c = model.centre;
    const QColor ink(0x20, 0x20, 0x20);
    std::vector<DialLabel> lines;
    lines.push_back(Text(Q(model.dayGanZhi) + QStringLiteral("日"), 0.06, R, QColor(0x50, 0x50, 0x50)));
    lines.push_back(
        Text(Q(c.hourGanZhi) + (c.hourGanZhi.empty() ? QString() : QStringLiteral("时")), 0.095, R, Qt::black,
             true));
    lines.push_back(Text(c.closed ? QStringLiteral("纳干 闭　补穴 ") + Q(c.supplementary)
                                  : QStringLiteral("纳干 ") + Q(c.naGan),
                         0.055, R, ink));
    lines.push_back(Text(QStringLiteral("纳支 ") + Q(c.naZhi), 0.055, R, ink));
    lines.push_back(Text(QStringLiteral("灵龟 ") + Pair(c.lingGui, c.lingGuiPartner), 0.055, R, ink));
    lines.push_back(Text(QStringLiteral("飞腾 ") + Pair(c.feiTeng, c.feiTengPartner), 0.055, R, ink));
    if (model.solarTime)
        lines.push_back(Text(QStringLiteral("真太阳时 ") + ClockText(*model.solarTime), 0.045, R,
                             QColor(0x60, 0x60, 0x60)));
    // The lunar date and the 人神 of the day, where the taboos are shown.
    if (!model.lunar.empty()) lines.push_back(Text(Q(model.lunar), 0.04, R, QColor(0x8a, 0x1c, 0x1c)));
    const double gap = 0.012 * R;
    double total = -gap;
    for (const DialLabel& l : lines) total += l.size.height() + gap;
    double y = sq.center().y() - total / 2.0;
    for (DialLabel& l : lines) {
        l.centre = QPointF(sq.center().x(), y + l.size.height() / 2.0);
        y += l.size.height() + gap;
        if (!l.text.isEmpty()) out.push_back(std::move(l));
    }
    return out;
}

QFont DialFont(double pixelSize) {
    QFont f = QGuiApplication::font();
    QStringList families{f.family()};
    families << QStringLiteral("WenQuanYi Micro Hei") << QStringLiteral("Noto Sans CJK SC");
    f.setFamilies(families);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    return f;
}

QRectF DialSquare(const QRectF& area) {
    const double side = std::min(area.width(), area.height());
    return {area.center().x() - side / 2, area.center().y() - side / 2, side, side};
}

void PaintRings(QPainter& p, const QRectF& sq, const DialModel& model, int selected) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double R = sq.width() / 2.0;
    const QColor line(0x80, 0x80, 0x80);
    for (int i = 0; i < 12; ++i) {
        const DialSector& s = model.sectors[i];
        const PhaseColours colours = ColoursOf(s.phase);
        // The outer ring in its phase's colour, the inner one in the tone of an open or a closed hour.
        p.setPen(QPen(line, R * 0.004));
        p.setBrush(colours.fill);
        p.drawPath(Annulus(sq, s.startAngle, kMiddle, kOuter));
        p.setPen(QPen(line, R * 0.004));
        p.setBrush(s.points.closed ? QColor(0xf2, 0xf2, 0xf2) : QColor(0xff, 0xfb, 0xe6));
        p.drawPath(Annulus(sq, s.startAngle, kInner, kMiddle));
    }
    // The present double-hour and the selected one, outlined over both rings.
    auto outline = [&](int i, const QPen& pen) {
        if (i < 0 || i > 11) return;
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(Annulus(sq, model.sectors[i].startAngle, kInner, kOuter));
    };
    outline(model.current, QPen(QColor(0xc6, 0x28, 0x28), R * 0.014));
    if (selected != model.current) outline(selected, QPen(QColor(0x1a, 0x47, 0x8a), R * 0.01, Qt::DashLine));

    // The centre's disc, then every text.
    p.setPen(QPen(line, R * 0.004));
    p.setBrush(Qt::white);
    p.drawEllipse(sq.center(), R * kInner, R * kInner);
    for (const DialLabel& l : DialLabels(sq, model)) {
        p.save();
        p.translate(l.centre);
        p.rotate(l.angle);
        p.setFont(l.font);
        p.setPen(l.ink);
        p.drawText(QRectF(-l.size.width() / 2.0 - 1.0, -l.size.height() / 2.0, l.size.width() + 2.0,
                          l.size.height()),
                   Qt::AlignCenter, l.text);
        p.restore();
    }
    p.restore();
}

void PaintHand(QPainter& p, const QRectF& sq, const DialModel& model) {
    if (!model.handAngle) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double R = sq.width() / 2.0;
    const double a = *model.handAngle;
    // A faint line across the rings, so the texts under it stay legible, and a solid tip in the margin.
    p.setPen(QPen(QColor(0xc6, 0x28, 0x28, 0x60), R * 0.008, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(At(sq, a, kInner), At(sq, a, kOuter));
    QPolygonF tip;
    // Between the rings and the spans on the rim, so it covers no text.
    tip << At(sq, a, kOuter + 0.001) << At(sq, a - 1.6, 0.905) << At(sq, a + 1.6, 0.905);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc6, 0x28, 0x28));
    p.drawPolygon(tip);
    p.restore();
}

void PaintDial(QPainter& p, const QRectF& sq, const DialModel& model, int selected) {
    p.fillRect(sq, Qt::white);
    PaintRings(p, sq, model, selected);
    PaintHand(p, sq, model);
}

int SectorAtPoint(const QRectF& sq, const DialModel& model, const QPointF& point) {
    const double R = sq.width() / 2.0;
    if (R <= 0) return -1;
    const double dx = point.x() - sq.center().x(), dy = point.y() - sq.center().y();
    const double r = std::hypot(dx, dy) / R;
    if (r < kInner || r > kOuter) return -1;
    return model.SectorAt(std::atan2(dx, -dy) * 180.0 / std::numbers::pi);
}

QString SectorTooltip(const DialModel& model, int i) {
    if (i < 0 || i > 11) return QString();
    const DialSector& s = model.sectors[i];
    const DialPoints& pt = s.points;
    QStringList lines;
    lines << Q(Name(s.branch)) + QStringLiteral("时 ") + Q(pt.hourGanZhi) + QStringLiteral("  ") +
                 SpanText(s);
    lines << QStringLiteral("纳支：") + Q(s.meridian) + QStringLiteral("经（") + Q(Name(s.phase)) +
                 QStringLiteral("） 本穴 ") + Q(pt.naZhi);
    if (pt.closed)
        lines << QStringLiteral("纳干：闭，补穴 ") + Q(pt.supplementary);
    else
        lines << QStringLiteral("纳干：") + Q(pt.naGan);
    lines << QStringLiteral("灵龟：") + Pair(pt.lingGui, pt.lingGuiPartner);
    lines << QStringLiteral("飞腾：") + Pair(pt.feiTeng, pt.feiTengPartner);
    return lines.join(QLatin1Char('\n'));
}

std::optional<DialFormat> DialFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) return DialFormat::Svg;
    if (suffix == QLatin1String("png")) return DialFormat::Png;
    return std::nullopt;
}

QByteArray DialFileBytes(const DialModel& model, DialFormat format, int size) {
    const QRectF square(0, 0, size, size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (format == DialFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(size, size));
        svg.setViewBox(square);
        svg.setTitle(QStringLiteral("子午流注"));
        QPainter p;
        if (!p.begin(&svg)) return {};
        PaintDial(p, square, model);
        p.end();
        return bytes;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::white);
    {
        QPainter p(&image);
        PaintDial(p, square, model);
    }
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
    return bytes;
}

}  // namespace velunar::dial
