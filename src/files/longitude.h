#pragma once
// The rules behind the longitude box on the page "中国国内": when its text is a longitude the
// settings row may be posted with, what the up-down arrows make of it, and what a place picked from the
// place list puts into xy and where. Pure functions; the windows only call them.
#include <optional>

#include <QString>

namespace velunar {

// The message a change of the longitude box to an invalid text shows.
QString LongitudeMessage();  // "请先输入正确东经数[0-180]"

// The message the longitude box shows for this text: a decimal number from 0 to 180 ("." as the decimal
// point) gives nothing; anything else, the empty text included, gives LongitudeMessage().
std::optional<QString> LongitudeMessageFor(const QString& text);

// One arrow step: the number plus or minus one degree, written with the text's own decimals
// ("116.28" → "117.28", "116" → "117") and clamped to "0" / "180" (with those decimals as zeros) before
// it is written, so a step never produces an out-of-range text. Nothing when the text is no number (the
// arrow then does nothing).
std::optional<QString> StepLongitude(const QString& text, bool up);

// What "ok" in the place picker makes of the selected node's text.
struct PlacePick {
    enum class Kind {
        Nothing,      // empty or blank text: nothing picked
        Group,        // a province or region ("黑龙江省:", also with blanks after the colon)
        NoLongitude,  // a place line that does not end in a number
        Place,        // xy and where are set
    };
    Kind kind = Kind::Nothing;
    QString xy;     // the last number of the text
    QString where;  // the text before it, trimmed
};
PlacePick PickPlace(const QString& nodeText);

// Spaces, tabs and other control characters removed from both ends.
QString TrimBlanks(const QString& text);

}  // namespace velunar
