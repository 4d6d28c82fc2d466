#include "files/longitude.h"

#include <algorithm>

#include "calendar/numparse.h"

namespace velunar {
namespace {

constexpr int kMaxDegrees = 180;

bool IsBlank(QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control || c.unicode() < 0x20;
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::optional<double> Parse(const QString& text) {
    return ParseDecimal(text.toStdString());
}

// Digits after the decimal point of a plain number ("116.28" → 2); an exponent form counts none.
int DecimalsOf(const QString& number) {
    const qsizetype dot = number.indexOf(QLatin1Char('.'));
    if (dot < 0) return 0;
    qsizetype n = 0;
    for (qsizetype i = dot + 1; i < number.size() && IsAsciiDigit(number[i]); ++i) ++n;
    return static_cast<int>(std::min<qsizetype>(n, 15));
}

// "[+]digits[.digits]": the form whose fraction can be kept character for character.
bool IsPlainNonNegative(const QString& number) {
    qsizetype i = number.startsWith(QLatin1Char('+')) ? 1 : 0;
    const qsizetype digitsStart = i;
    while (i < number.size() && IsAsciiDigit(number[i])) ++i;
    if (i == digitsStart) return false;
    if (i == number.size()) return true;
    if (number[i] != QLatin1Char('.')) return false;
    for (++i; i < number.size(); ++i) {
        if (!IsAsciiDigit(number[i])) return false;
    }
    return true;
}

QString Bound(int degrees, int decimals) {
    QString text = QString::number(degrees);
    if (decimals > 0) text += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return text;
}

// The start of the number that ends `text` (digits, optionally with one decimal point), or -1.
qsizetype TrailingNumberStart(const QString& text) {
    qsizetype pos = text.size();
    while (pos > 0 && IsAsciiDigit(text[pos - 1])) --pos;
    const bool fractionDigits = pos < text.size();
    if (pos > 0 && text[pos - 1] == QLatin1Char('.')) {
        qsizetype before = pos - 1;
        while (before > 0 && IsAsciiDigit(text[before - 1])) --before;
        if (before < pos - 1) return before;              // "123.45" or "123."
        return fractionDigits ? pos - 1 : qsizetype(-1);  // ".5"
    }
    return fractionDigits ? pos : qsizetype(-1);
}

bool IsGroupText(const QString& trimmed) {
    const QChar last = trimmed.back();
    return last == QLatin1Char(':') || last == QChar(0xFF1A);  // also the full-width colon
}

}  // namespace

QString LongitudeMessage() {
    return QStringLiteral("请先输入正确东经数[0-180]");
}

std::optional<QString> LongitudeMessageFor(const QString& text) {
    if (ParseLongitude(text.toStdString())) return std::nullopt;
    return LongitudeMessage();
}

std::optional<QString> StepLongitude(const QString& text, bool up) {
    const QString number = text.trimmed();
    const std::optional<double> value = Parse(number);
    if (!value) return std::nullopt;
    const int decimals = DecimalsOf(number);
    const double target = *value + (up ? 1.0 : -1.0);
    if (target >= kMaxDegrees) return Bound(kMaxDegrees, decimals);
    if (target <= 0) return Bound(0, decimals);
    if (IsPlainNonNegative(number)) {
        // Whole degrees change, the fraction stays exactly as typed (no binary rounding).
        const QString plain = number.startsWith(QLatin1Char('+')) ? number.mid(1) : number;
        const qsizetype dot = plain.indexOf(QLatin1Char('.'));
        const QString whole = dot < 0 ? plain : plain.left(dot);
        const QString fraction = dot < 0 ? QString() : plain.mid(dot);
        return QString::number(whole.toLongLong() + (up ? 1 : -1)) + fraction;
    }
    return QString::number(target, 'f', decimals);
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

PlacePick PickPlace(const QString& nodeText) {
    const QString trimmed = TrimBlanks(nodeText);
    PlacePick pick;
    if (trimmed.isEmpty()) return pick;
    if (IsGroupText(trimmed)) {
        pick.kind = PlacePick::Kind::Group;
        return pick;
    }
    const qsizetype start = TrailingNumberStart(trimmed);
    if (start < 0) {
        pick.kind = PlacePick::Kind::NoLongitude;
        return pick;
    }
    pick.kind = PlacePick::Kind::Place;
    pick.xy = trimmed.mid(start);
    pick.where = TrimBlanks(trimmed.left(start));
    return pick;
}

}  // namespace velunar
