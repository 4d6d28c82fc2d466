#pragma once
// The language the program speaks, for the whole process: Chinese (its own texts, no catalogue) or English
// (the catalogue translations/velunar_en.qm, made from translations/velunar_en.ts). The windows install the
// catalogue in the application, so tr() finds it; the command line and the store, which need no application
// object, look texts up here.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QHash>
#include <QString>

class QTranslator;

namespace velunar::store {

enum class Language { Chinese, English };

// "zh", "en", or a locale name that begins with one ("en_GB.UTF-8", "zh_TW"); none for any other text.
std::optional<Language> ParseLanguage(std::string_view code);
// "zh" or "en".
std::string_view LanguageCode(Language language);

// What the environment asks for, as gettext reads it: the first language of LANGUAGE's list that the program
// has (unless the locale is plain C), else the first of LC_ALL, LC_MESSAGES and LANG that is set. A Chinese
// locale, "C", "POSIX" or any other language gives Chinese. `env` reads a variable (the process environment
// by default).
Language SystemLanguage(const std::function<QByteArray(const char*)>& env = {});

// Puts `language` in force. English needs its catalogue (VELUNAR_CATALOGUE names another file, as the
// pseudo-translation run does); without a readable one the program stays in Chinese and false is returned.
bool SetLanguage(Language language);
Language CurrentLanguage();
// The English catalogue while English is in force, else null; owned here.
QTranslator* CurrentCatalogue();
// Where the catalogues are: translations/ beside the executable (the build folder), else the installed
// data's.
QString CatalogueFolder();

// The text in the language in force: `source` itself in Chinese or where the catalogue has no translation.
QString TranslatedQ(const char* context, const char* source);
std::string Translated(const char* context, const char* source);
std::string Translated(const char* context, std::string_view source);

// The texts the program has said through TranslatedQ, as they read in language `from`, each with the key of
// its source (SaidKey): what a change of language looks up for a text on screen. A value, or a text filled
// with arguments, is none of them: the code that wrote it writes it again. Two sources that read alike in
// `from` (two Chinese captions with one English) give one of them: the windows keep each text's key once
// seen.
QHash<QString, QString> ResaidTexts(Language from);
// The text of a key ResaidTexts gave, in `language`; empty for a key it never gave.
QString SaidText(const QString& key, Language language);

// A translated text with {1}, {2}… replaced by the arguments in order (FillText).
std::string Filled(std::string text, std::initializer_list<std::string_view> args);

}  // namespace velunar::store
