#include "dial/dial_painter.h"

#include <cmath>
#include <numbers>

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

namespace velunar::dial {
namespace {

// Radii as fractions of the dial's radius.
constexpr double kOuter = 0.93;   // the margin outside holds the hand's tip
constexpr double kMiddle = 0.67;  // the outer ring (branches) outside, the 纳干 ring inside
constexpr double kInner = 0.48;   // the centre's edge

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

constexpr double kSmallestText = 10.0;  // pixels

// A line of text centred on `centre`.
void Centred(QPainter& p, const QPointF& centre, const QString& text, double pixelSize, const QColor& ink,
             bool bold = false) {
    if (text.isEmpty()) return;
    // A small dial keeps its characters legible rather than in proportion.
    pixelSize = std::max(pixelSize, kSmallestText);
    QFont f = DialFont(pixelSize);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(ink);
    const double w = pixelSize * (text.size() + 2) * 1.2;
    p.drawText(QRectF(centre.x() - w / 2, centre.y() - pixelSize, w, 2 * pixelSize), Qt::AlignCenter, text);
}

QString Pair(const std::string& a, const std::string& b) {
    if (b.empty()) return Q(a);
    return Q(a) + QStringLiteral("＋") + Q(b);
}

}  // namespace

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
        const double mid = s.startAngle + 15.0;
        // The outer ring: branch, meridian in its phase's ink, clock span.
        p.setPen(QPen(line, R * 0.004));
        p.setBrush(colours.fill);
        p.drawPath(Annulus(sq, s.startAngle, kMiddle, kOuter));
        // Stacked upright about one point, so the texts read the same all round the dial.
        const QPointF outerAt = At(sq, mid, (kMiddle + kOuter) / 2);
        auto below = [&](double dy) { return QPointF(outerAt.x(), outerAt.y() + R * dy); };
        Centred(p, below(-0.075), Q(Name(s.branch)), R * 0.085, Qt::black, true);
        Centred(p, below(0.0), Q(s.meridian) + Q(Name(s.phase)), R * 0.05, colours.ink, true);
        // Too small to read, the span is left to the tooltip.
        if (R * 0.036 >= 8.0) Centred(p, below(0.06), SpanText(s), R * 0.036, QColor(0x30, 0x30, 0x30));
        // The inner ring: the day's 纳干法 opening, or 闭 and its 补穴 in a lighter tone.
        p.setPen(QPen(line, R * 0.004));
        p.setBrush(s.points.closed ? QColor(0xf2, 0xf2, 0xf2) : QColor(0xff, 0xfb, 0xe6));
        p.drawPath(Annulus(sq, s.startAngle, kInner, kMiddle));
        const QPointF innerAt = At(sq, mid, (kInner + kMiddle) / 2);
        if (s.points.closed) {
            Centred(p, QPointF(innerAt.x(), innerAt.y() - R * 0.035), QStringLiteral("闭"), R * 0.042,
                    QColor(0x90, 0x90, 0x90));
            Centred(p, QPointF(innerAt.x(), innerAt.y() + R * 0.025), Q(s.points.supplementary), R * 0.05,
                    QColor(0x8a, 0x8a, 0xb0));
        } else {
            Centred(p, innerAt, Q(s.points.naGan), R * 0.055, QColor(0x20, 0x20, 0x20), true);
        }
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

    // The centre: the present 干支 and what each doctrine opens now.
    p.setPen(QPen(line, R * 0.004));
    p.setBrush(Qt::white);
    p.drawEllipse(sq.center(), R * kInner, R * kInner);
    const DialPoints& c = model.centre;
    const QPointF o = sq.center();
    auto row = [&](double dy, const QString& text, double size, const QColor& ink, bool bold = false) {
        Centred(p, QPointF(o.x(), o.y() + R * dy), text, R * size, ink, bold);
    };
    row(-0.35, Q(model.dayGanZhi) + QStringLiteral("日"), 0.05, QColor(0x50, 0x50, 0x50));
    row(-0.26, Q(c.hourGanZhi) + (c.hourGanZhi.empty() ? QString() : QStringLiteral("时")), 0.085, Qt::black,
        true);
    const QColor ink(0x20, 0x20, 0x20);
    if (c.closed)
        row(-0.14, QStringLiteral("纳干 闭　补穴 ") + Q(c.supplementary), 0.048, ink);
    else
        row(-0.14, QStringLiteral("纳干 ") + Q(c.naGan), 0.048, ink);
    row(-0.04, QStringLiteral("纳支 ") + Q(c.naZhi), 0.048, ink);
    row(0.06, QStringLiteral("灵龟 ") + Pair(c.lingGui, c.lingGuiPartner), 0.048, ink);
    row(0.16, QStringLiteral("飞腾 ") + Pair(c.feiTeng, c.feiTengPartner), 0.048, ink);
    if (model.solarTime && R * 0.036 >= 8.0)
        row(0.28, QStringLiteral("真太阳时 ") + ClockText(*model.solarTime), 0.036, QColor(0x60, 0x60, 0x60));
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
    tip << At(sq, a, kOuter + 0.005) << At(sq, a - 2.2, 0.995) << At(sq, a + 2.2, 0.995);
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
