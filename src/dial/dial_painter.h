#pragma once
// The one drawing of the 子午流注 dial, for the window, the exported files and the benchmark. It draws a
// DialModel and nothing else; every length is a fraction of the square it is given, so it is as sharp at
// any size and device scale as the fonts are.
#include <optional>
#include <string>

#include <QByteArray>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "methods/dial.h"

class QPainter;

namespace velunar::dial {

// The program's CJK face at a pixel size.
QFont DialFont(double pixelSize);

// The largest square centred in `area`.
QRectF DialSquare(const QRectF& area);

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
