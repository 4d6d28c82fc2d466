#pragma once
// A change of language while the program runs: the language put in force, Qt's own texts and the catalogue
// swapped in the application (which sends QEvent::LanguageChange to every widget: forms made in Designer say
// their texts again, the main window ticks), and every text on screen that the program said through
// TranslatedQ said again in the new language: captions, buttons, tabs, menus, tool tips, titles.
#include "store/translation.h"

class QWidget;

namespace velunar::ui {

// Puts `language` in force for every window; false (nothing changed) when its catalogue cannot be read.
bool SwitchLanguage(store::Language language);
// Installs the catalogue and Qt's own translation of the language in force in the application (once at
// start-up, before the first window).
void InstallTranslators();
// Says the texts of `root` and its children again (a window made before the change and not on screen).
void Resay(QWidget* root, store::Language from, store::Language to);

}  // namespace velunar::ui
