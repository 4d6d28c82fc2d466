#pragma once
// The one drawing of the 子午流注 dial, for the window, the exported files and the benchmark. It draws a
// DialModel and nothing else; every length is a fraction of the square it is given, so it is as sharp at
// any size and device scale as the fonts are.
#include <optional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include "methods/dial.h"

class QPainter;

namespace velunar::dial {

// The program's CJK face at a pixel size.
QFont DialFont(double pixelSize);

// The largest square centred in `area`.
QRectF DialSquare(const QRectF& area);

// Where the texts of a sector go, as fractions of the radius: the outer ring (branch, meridian and phase),
// the inner ring (the 纳干法 opening), the rim outside the rings (the clock span); the centre is a disc.
struct DialCell {
    double inner = 0.0, outer = 0.0;
};
inline constexpr DialCell kOuterRing{0.67, 0.89};
inline constexpr DialCell kInnerRing{0.48, 0.67};
inline constexpr DialCell kRim{0.89, 1.0};
inline constexpr double kCentreRadius = 0.48;

// One text of the dial: its box around `centre`, turned `angle` degrees clockwise (the ring texts follow the
// circle, upright in the top half and turned over in the bottom half so none reads upside down).
struct DialLabel {
    int sector = -1;  // -1 for the centre
    DialCell cell;    // the part of the sector it belongs in (unused for the centre)
    QString text;
    QFont font;
    QColor ink;
    QPointF centre;
    double angle = 0.0;
    QSizeF size;  // the font's box of the text
    // The four corners of the box as drawn.
    QPolygonF outline() const;
};

// Every text PaintRings draws for `model` in `square`, with its place: each double-hour's branch, meridian,
// clock span and opening, and the centre's lines. Every size is a fraction of the radius.
std::vector<DialLabel> DialLabels(const QRectF& square, const DialModel& model);

// What changes once a double-hour: the two rings and the centre. `selected` (-1 for none) is outlined.
void PaintRings(QPainter& p, const QRectF& square, const DialModel& model, int selected = -1);
// What changes once a minute: the hand at true solar time.
void PaintHand(QPainter& p, const QRectF& square, const DialModel& model);
// Both, on a white ground.
void PaintDial(QPainter& p, const QRectF& square, const DialModel& model, int selected = -1);

// The sector under `point`, or -1 when the point is off the rings.
int SectorAtPoint(const QRectF& square, const DialModel& model, const QPointF& point);

// One sector's texts, a line each: its clock span, meridian and what opens in it.
QString SectorTooltip(const DialModel& model, int sector);

enum class DialFormat { Svg, Png };
// The format a file name asks for by its suffix (.svg, .png, any case); nothing for any other.
std::optional<DialFormat> DialFormatOf(const QString& path);
// The whole file of a `size`-pixel dial; empty if it could not be drawn.
QByteArray DialFileBytes(const DialModel& model, DialFormat format, int size);

}  // namespace velunar::dial
