// The command line in English (--lang en): labels and values translated where people read them, scripts'
// formats unchanged, and Chinese left byte for byte as it was.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>

#include "doctrine_cli_util.h"
#include "store/translation.h"

namespace velunar {
namespace {

using testing::ParseJson;
using testing::RunCommand;

bool HasChinese(const std::string& text) {
    return QString::fromStdString(text).contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

QStringList KeysOf(const QJsonObject& o, const QString& prefix = {}) {
    QStringList keys;
    for (auto it = o.begin(); it != o.end(); ++it) {
        keys << prefix + it.key();
        if (it->isObject()) keys << KeysOf(it->toObject(), prefix + it.key() + QLatin1Char('.'));
    }
    return keys;
}

TEST(LanguageCli, EnglishTranslatesWhatPeopleReadAndKeepsWhatScriptsRead) {
    // Moments across the sixty-day cycle and the double-hours, open and closed.
    for (const char* at : {"2026-03-05 10:00:00", "2026-03-05 02:10:00", "2025-11-30 23:30:00",
                           "2024-02-29 13:00:00", "2026-07-14 06:45:00"}) {
        const auto zh = RunCommand({"now", "--at", at, "--json"});
        const auto en = RunCommand({"now", "--at", at, "--json", "--lang", "en"});
        ASSERT_EQ(zh.status, 0) << zh.err;
        ASSERT_EQ(en.status, 0) << en.err;
        // JSON is the same in both languages, keys and values; a named point carries its code beside it.
        EXPECT_EQ(zh.out, en.out) << at;
        const QJsonObject o = ParseJson(zh.out);
        const QString point = o["linggui"].toObject()["point"].toString();
        EXPECT_FALSE(o["linggui"].toObject()["pointCode"].toString().isEmpty()) << at << point.toStdString();
        EXPECT_EQ(o["rigan"].toObject()["pointCodes"].toArray().size(),
                  o["rigan"].toObject()["points"].toArray().size());

        // Plain text: no Chinese left in a label; every point named by its code and pinyin, its name after.
        const auto plain = RunCommand({"now", "--at", at, "--lang", "en"});
        ASSERT_EQ(plain.status, 0) << plain.err;
        for (const std::string& line : Lines(plain.out)) {
            const std::string label = line.substr(0, line.find(": "));
            EXPECT_FALSE(HasChinese(label)) << line;
        }
        const std::string shown = "Linggui — point: ";
        const auto lines = Lines(plain.out);
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](const std::string& l) { return l.rfind(shown, 0) == 0; });
        ASSERT_NE(found, lines.end()) << plain.out;
        EXPECT_TRUE(std::regex_match(found->substr(shown.size()), std::regex("[A-Z]{2}[0-9]+ \\S+ \\S+")))
            << *found;
        // Chinese stays as it always was.
        const auto chinese = RunCommand({"now", "--at", at});
        EXPECT_NE(chinese.out.find("linggui.point: " + point.toStdString() + "\n"), std::string::npos);
    }

    // The schedule: a CSV header in English, JSON Lines keyed as in Chinese, an aligned table in English.
    const auto csv = RunCommand({"schedule", "2026-03-05", "2026-03-06", "--csv", "--lang", "en"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(Lines(csv.out).front().rfind("Date,Hour stem-branch,Day stem-branch,Najia point", 0), 0u)
        << csv.out;
    EXPECT_FALSE(HasChinese(Lines(csv.out).front()));
    const auto jsonZh = RunCommand({"schedule", "2026-03-05", "2026-03-06", "--json"});
    const auto jsonEn = RunCommand({"schedule", "2026-03-05", "2026-03-06", "--json", "--lang", "en"});
    EXPECT_EQ(jsonZh.out, jsonEn.out);
    const auto table = RunCommand({"schedule", "2026-03-05", "2026-03-05", "--lang", "en"});
    EXPECT_NE(table.out.find("closed"), std::string::npos);
    EXPECT_NE(table.out.find("SP4 Gōngsūn 公孙"), std::string::npos);

    // The reverse lookup: English headings and lines; the saved English report is UTF-8 with CR LF, the
    // Chinese one GBK as before.
    QTemporaryDir dir;
    const std::string en = dir.filePath("en.txt").toStdString(), zh = dir.filePath("zh.txt").toStdString();
    ASSERT_EQ(RunCommand({"reverse", "SP4", "2026-01-01", "2026-01-02", "--out", en, "--lang", "en"}).status,
              0);
    ASSERT_EQ(RunCommand({"reverse", "公孙", "2026-01-01", "2026-01-02", "--out", zh}).status, 0);
    QFile enFile(QString::fromStdString(en)), zhFile(QString::fromStdString(zh));
    ASSERT_TRUE(enFile.open(QIODevice::ReadOnly) && zhFile.open(QIODevice::ReadOnly));
    const QByteArray enBytes = enFile.readAll(), zhBytes = zhFile.readAll();
    EXPECT_TRUE(enBytes.startsWith("Najia — stem method (after Xu):\r\n")) << enBytes.left(80).toStdString();
    EXPECT_TRUE(enBytes.contains("Linggui point = SP4 Gōngsūn 公孙\r\n"));
    EXPECT_EQ(QString::fromUtf8(enBytes).toUtf8(), enBytes);
    const auto zhOut = RunCommand({"reverse", "公孙", "2026-01-01", "2026-01-02"});
    EXPECT_FALSE(zhBytes.contains("\xe7\xba\xb3"));  // GBK, not UTF-8
    EXPECT_EQ(zhBytes.count("\r\n"), static_cast<qsizetype>(Lines(zhOut.out).size()));

    // A language the program does not have is refused; --lang holds for its own run only.
    EXPECT_EQ(RunCommand({"now", "--lang", "fr"}).status, 2);
    EXPECT_EQ(RunCommand({"--lang"}).status, 2);
    EXPECT_EQ(store::CurrentLanguage(), store::Language::Chinese);
    EXPECT_NE(RunCommand({"now", "--help", "--lang=en"}).out.find("--lang en|zh"), std::string::npos);
}

TEST(LanguageCli, TheSystemLanguageIsReadAsGettextReadsIt) {
    using store::Language;
    const struct {
        std::map<std::string, std::string> env;
        Language language;
    } cases[] = {
        {{}, Language::Chinese},
        {{{"LANG", "en_GB.UTF-8"}}, Language::English},
        {{{"LANG", "zh_CN.UTF-8"}}, Language::Chinese},
        {{{"LANG", "de_DE.UTF-8"}}, Language::Chinese},  // no German: Chinese, as before
        {{{"LANG", "C.UTF-8"}}, Language::Chinese},
        {{{"LANG", "zh_CN.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}}, Language::English},
        {{{"LANG", "en_US.UTF-8"}, {"LC_ALL", "zh_TW.UTF-8"}}, Language::Chinese},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr:en:zh"}}, Language::English},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "zh_CN"}}, Language::Chinese},
        {{{"LANG", "C"}, {"LANGUAGE", "en"}}, Language::Chinese},  // the C locale ignores LANGUAGE
        {{{"LANGUAGE", "en"}}, Language::English},
        {{{"LANG", "english"}}, Language::Chinese},
    };
    for (const auto& c : cases) {
        const auto read = [&c](const char* name) {
            const auto at = c.env.find(name);
            return at == c.env.end() ? QByteArray() : QByteArray::fromStdString(at->second);
        };
        std::string said;
        for (const auto& [k, v] : c.env) said += k + "=" + v + " ";
        EXPECT_EQ(store::SystemLanguage(read), c.language) << said;
    }
}

// What a user meets when the database cannot serve: in English every word is English but the database's own
// names (tables, columns) and the values it holds; in Chinese the message as it always was.
TEST(LanguageCli, TheStoresMessagesAreInTheLanguageInForce) {
    using testing::DatabaseCopy;
    const struct {
        const char* name;
        std::vector<std::string> command;  // run with --db FILE
        std::function<std::string(const DatabaseCopy&)> file;
        const char* chinese;  // a part of the Chinese message
    } cases[] = {
        {"missing", {"now"}, [](const DatabaseCopy& c) { return c.path() + ".none"; }, "文件不存在"},
        {"folder",
         {"now"},
         [](const DatabaseCopy& c) {
             std::filesystem::create_directory(c.path() + ".d");
             return c.path() + ".d";
         },
         "这是一个文件夹"},
        {"empty",
         {"now"},
         [](const DatabaseCopy& c) {
             std::ofstream(c.path() + ".empty");
             return c.path() + ".empty";
         },
         "文件是空的"},
        {"corrupt",
         {"now"},
         [](const DatabaseCopy& c) {
             std::ofstream(c.path() + ".bad") << "not a database, only some text";
             return c.path() + ".bad";
         },
         "文件已损坏"},
        {"no table",
         {"now"},
         [](const DatabaseCopy& c) { return c.Exec("drop table 地支表") ? c.path() : ""; },
         "缺少表 地支表"},
        {"no column",
         {"now"},
         [](const DatabaseCopy& c) {
             return c.Exec("alter table 穴位说明 drop column 图片路径") ? c.path() : "";
         },
         "缺少列 图片路径"},
        {"incomplete",
         {"now"},
         [](const DatabaseCopy& c) { return c.Exec("delete from 地支表 where 时辰 = '子'") ? c.path() : ""; },
         "地支表不完整"},
        {"clinic",
         {"next", "公孙"},
         [](const DatabaseCopy& c) {
             return c.Exec("create table 门诊设置 (项目 TEXT PRIMARY KEY NOT NULL, 值 TEXT)") &&
                            c.Exec("insert into 门诊设置 values ('reminderminutes', 'x')")
                        ? c.path()
                        : "";
         },
         "不能读取"},
        {"plan",
         {"plan", "add", "x", "公孙、内关"},
         [](const DatabaseCopy& c) { return c.path(); },
         "分隔符"},
    };
    // The database's names and the values of these cases.
    const QRegularExpression own(QStringLiteral("地支表|穴位说明|图片路径|门诊设置|公孙|内关|[子丑亥、]"));
    for (const auto& c : cases) {
        const DatabaseCopy copy("messages");
        const std::string file = c.file(copy);
        ASSERT_FALSE(file.empty()) << c.name;
        std::vector<std::string> args = c.command;
        args.insert(args.end(), {"--db", file});
        const auto zh = RunCommand(args);
        args.insert(args.end(), {"--lang", "en"});
        const auto en = RunCommand(args);
        EXPECT_NE(zh.status, 0) << c.name;
        EXPECT_EQ(en.status, zh.status) << c.name;
        EXPECT_NE(zh.err.find(c.chinese), std::string::npos) << c.name << ": " << zh.err;
        const QString english = QString::fromStdString(en.err).remove(own);
        EXPECT_FALSE(en.err.empty() || HasChinese(english.toStdString())) << c.name << ": " << en.err;
    }
}

}  // namespace
}  // namespace velunar
