#pragma once
// The windows' texts in the language in force: TranslatedQ("ui", "中文") is the text itself in Chinese and
// its English from the catalogue in English. A change of language re-says every text on screen
// (ui/retranslate.h), so a widget needs nothing of its own to follow it.
#include "store/translation.h"

namespace velunar::ui {
using store::TranslatedQ;
}  // namespace velunar::ui
