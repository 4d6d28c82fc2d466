#include "store/translation.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <set>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include "calendar/sentence.h"

namespace velunar::store {
namespace {

struct State {
    Language language = Language::Chinese;
    std::unique_ptr<QTranslator> english;  // kept once read, for saying texts again after a change
    // Every text said through TranslatedQ, by context: what a change of language can say again.
    std::mutex mutex;
    std::set<std::pair<std::string, std::string>> said;
};

State& Current() {
    static State state;
    return state;
}

QString ExecutableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? QString() : QString::fromStdString(exe.parent_path().string());
}

}  // namespace

std::optional<Language> ParseLanguage(std::string_view code) {
    const auto begins = [code](std::string_view language) {
        return code.starts_with(language) &&
               (code.size() == language.size() || code[language.size()] == '_' ||
                code[language.size()] == '-' || code[language.size()] == '.' || code[language.size()] == '@');
    };
    if (begins("en")) return Language::English;
    if (begins("zh")) return Language::Chinese;
    return std::nullopt;
}

std::string_view LanguageCode(Language language) {
    return language == Language::English ? "en" : "zh";
}

Language SystemLanguage(const std::function<QByteArray(const char*)>& env) {
    const auto read = [&env](const char* name) { return env ? env(name) : qgetenv(name); };
    // As gettext, LANGUAGE is not consulted under the plain C locale.
    const QByteArray chosen = !read("LC_ALL").isEmpty()        ? read("LC_ALL")
                              : !read("LC_MESSAGES").isEmpty() ? read("LC_MESSAGES")
                                                               : read("LANG");
    if (chosen != "C" && chosen != "POSIX") {
        for (const QByteArray& entry : read("LANGUAGE").split(':'))
            if (const auto language = ParseLanguage(entry.toStdString())) return *language;
    }
    return ParseLanguage(chosen.toStdString()).value_or(Language::Chinese);
}

QString CatalogueFolder() {
    const QString exe = ExecutableFolder();
    const QString beside = QDir::cleanPath(exe + QStringLiteral("/translations"));
    if (QFileInfo(beside).isDir()) return beside;
    return QDir::cleanPath(exe + QStringLiteral("/../share/velunar/translations"));
}

bool SetLanguage(Language language) {
    State& s = Current();
    if (language == Language::English && !s.english) {
        auto catalogue = std::make_unique<QTranslator>();
        const QString named = qEnvironmentVariable("VELUNAR_CATALOGUE");
        const QString file = named.isEmpty() ? CatalogueFolder() + QStringLiteral("/velunar_en.qm") : named;
        if (!catalogue->load(file)) return false;
        s.english = std::move(catalogue);
    }
    s.language = language;
    return true;
}

Language CurrentLanguage() {
    return Current().language;
}

QTranslator* CurrentCatalogue() {
    const State& s = Current();
    return s.language == Language::English ? s.english.get() : nullptr;
}

namespace {

QString In(Language language, const char* context, const char* source) {
    const State& s = Current();
    if (language == Language::English && s.english) {
        const QString t = s.english->translate(context, source);
        if (!t.isEmpty()) return t;
    }
    return QString::fromUtf8(source);
}

}  // namespace

QString TranslatedQ(const char* context, const char* source) {
    State& s = Current();
    {
        const std::lock_guard lock(s.mutex);
        s.said.emplace(context, source);
    }
    return In(s.language, context, source);
}

QHash<QString, QString> ResaidTexts(Language from) {
    State& s = Current();
    const std::lock_guard lock(s.mutex);
    QHash<QString, QString> table;
    for (const auto& [context, source] : s.said)
        table.insert(In(from, context.c_str(), source.c_str()),
                     QString::fromStdString(context) + QChar(0x1f) + QString::fromStdString(source));
    return table;
}

QString SaidText(const QString& key, Language language) {
    const qsizetype cut = key.indexOf(QChar(0x1f));
    if (cut < 0) return QString();
    return In(language, key.left(cut).toUtf8().constData(), key.mid(cut + 1).toUtf8().constData());
}

std::string Translated(const char* context, const char* source) {
    if (!CurrentCatalogue()) return source;
    return In(Language::English, context, source).toStdString();
}

std::string Translated(const char* context, std::string_view source) {
    if (!CurrentCatalogue()) return std::string(source);
    return Translated(context, std::string(source).c_str());
}

std::string Filled(std::string text, std::initializer_list<std::string_view> args) {
    return FillText(text, std::vector<std::string>(args.begin(), args.end()));
}

}  // namespace velunar::store
