#include "fixture.h"

#include <atomic>
#include <stdexcept>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace velunar::store::test {
namespace {

// Each raw connection gets a name of its own, so it never meets the store's connection.
QString NextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("fixture-%1").arg(counter++);
}

template <typename F>
void WithConnection(const QString& path, F&& body) {
    const QString name = NextConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) throw std::runtime_error("fixture: cannot open " + path.toStdString());
        body(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void Exec(QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    QSqlQuery query(db);
    if (!query.prepare(sql)) {
        throw std::runtime_error("fixture: " + query.lastError().text().toStdString() + " in " +
                                 sql.toStdString());
    }
    for (qsizetype i = 0; i < values.size(); ++i) query.bindValue(static_cast<int>(i), values[i]);
    if (!query.exec()) {
        throw std::runtime_error("fixture: " + query.lastError().text().toStdString() + " in " +
                                 sql.toStdString());
    }
}

QString SchemaText() {
    QFile file(QStringLiteral(VELUNAR_SOURCE_DIR "/data/schema.sql"));
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("fixture: data/schema.sql not readable");
    return QString::fromUtf8(file.readAll());
}

// The schema's statements: comment lines dropped, split at the semicolons that end a line.
QStringList SchemaStatements() {
    QString text;
    for (const QString& line : SchemaText().split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QStringLiteral("--"))) text += line + QLatin1Char('\n');
    }
    QStringList statements;
    for (const QString& part : text.split(QStringLiteral(";\n"))) {
        if (!part.trimmed().isEmpty()) statements << part;
    }
    return statements;
}

void Insert(QSqlDatabase& db, const QString& table, const QStringList& columns, const QVariantList& values) {
    QStringList quoted;
    QStringList marks;
    for (const QString& c : columns) {
        quoted << QLatin1Char('"') + c + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    Exec(db,
         QStringLiteral("insert into \"%1\" (%2) values (%3)").arg(table, quoted.join(','), marks.join(',')),
         values);
}

void FillTables(QSqlDatabase& db, bool withSettingsRow) {
    const QStringList tg = {"实际日", "实际时辰", "值日经", "经脉",    "五行",
                            "五俞",   "穴位",     "过原",   "兼过原穴"};
    Insert(db, "天干表", tg, {"癸", "癸亥", "肾经", "肾经", "木", "井", "涌泉", "", ""});
    Insert(db, "天干表", tg, {"甲", "甲戌", "胆经", "胆经", "金", "井", "足窍阴", "", ""});
    Insert(db, "天干表", tg, {"乙", "丙子", "胆经", "小肠经", "水", "荥", "前谷", "", ""});
    Insert(db, "天干表", tg, {"甲", "丙子", "胆经", "闭", "", "", "", "", ""});
    Insert(db, "天干表", tg, {"已", "已巳", "脾经", "脾经", "土", "井", "隐白", "", ""});
    Insert(db, "天干表", tg, {"壬", "丙午", "膀胱经", "小肠经", "木", "俞", "后溪", "京骨", "阳池"});
    Insert(db, "天干表", tg, {"丙", "庚寅", "小肠经", "膀胱经", "土", "合", "委中", "", ""});
    Insert(db, "天干表", tg, {"戊", "壬子", "胃经", "三焦经", "木", "俞", "中渚", "冲阳", "阳池"});

    const QStringList bx = {"实际日", "实际时辰", "经脉", "五行", "五俞", "穴位", "值日经"};
    Insert(db, "补穴表", bx, {"甲", "丙子", "小肠经", "水", "荥", "前谷", "胆经"});
    Insert(db, "补穴表", bx, {"乙", "丁丑", "心经", "木", "井", "少冲", "肝经"});

    const QStringList dz = {"时辰", "本穴", "原穴", "泻穴", "本经", "补穴", "补穴经"};
    Insert(db, "地支表", dz, {"寅", "经渠", "太渊", "尺泽", "肺经", "曲泉", "肝经"});
    Insert(db, "地支表", dz, {"卯", "商阳", "合谷", "二间", "大肠经", "太渊", "肺经"});

    const QStringList ws = {"经络", "井", "荥", "俞", "经", "合", "原"};
    Insert(db, "五俞穴", ws, {"肺经", "少商", "鱼际", "太渊", "经渠", "尺泽", ""});
    Insert(db, "五俞穴", ws, {"大肠经", "商阳", "二间", "三间", "阳溪", "曲池", "合谷"});

    // Stored out of order, with positions 9, 10, 11 that sort wrongly as text.
    const QStringList jl = {"穴位", "经脉", "forder"};
    Insert(db, "经络表", jl, {"少商", "肺", 11});
    Insert(db, "经络表", jl, {"中府", "肺", 1});
    Insert(db, "经络表", jl, {"太渊", "肺", 9});
    Insert(db, "经络表", jl, {"商阳", "大肠", 1});
    Insert(db, "经络表", jl, {"鱼际", "肺", 10});
    Insert(db, "经络表", jl, {"公孙", "脾", 4});

    const QStringList xw = {"穴位", "图片路径", "穴位说明"};
    Insert(db, "穴位说明", xw, {"足三里", "pic\\胃.JPG", "胃经合穴。"});
    Insert(db, "穴位说明", xw, {"公孙", "", "脾经络穴，八脉交会穴，通冲脉。"});
    Insert(db, "穴位说明", xw, {"阿'是", "", "以痛为腧。"});
    Insert(db, "穴位说明", xw, {"太渊", QVariant(), "肺经俞穴、原穴。"});

    if (withSettingsRow) {
        const QStringList st = {
            "xy", "ew", "zone", "suma", "jingew", "where", "hint1", "onlyBeiJingTime", "timemode", "ischina"};
        Insert(db, "xxyy", st,
               {"104.06", "西经", "(GMT+01:00) 柏林", "60", "13.4", "四 川 成 都", "True", "false",
                "区分夜子时早子时", "yeschina"});
    }
}

}  // namespace

void CreateSchema(const QString& path) {
    WithConnection(path, [](QSqlDatabase& db) {
        for (const QString& statement : SchemaStatements()) Exec(db, statement, {});
    });
}

void RawExec(const QString& path, const QString& sql, const QVariantList& values) {
    WithConnection(path, [&](QSqlDatabase& db) { Exec(db, sql, values); });
}

std::vector<std::string> RawColumn(const QString& path, const QString& sql, const QVariantList& values) {
    std::vector<std::string> column;
    WithConnection(path, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        query.prepare(sql);
        for (qsizetype i = 0; i < values.size(); ++i) query.bindValue(static_cast<int>(i), values[i]);
        if (!query.exec()) throw std::runtime_error("fixture: " + query.lastError().text().toStdString());
        while (query.next()) {
            const QVariant v = query.value(0);
            column.push_back(v.isNull() ? "<null>" : v.toString().toStdString());
        }
    });
    return column;
}

FixtureDb::FixtureDb(bool withSettingsRow) : path_(dir_.filePath(QStringLiteral("db1.sqlite"))) {
    if (!dir_.isValid()) throw std::runtime_error("fixture: no temporary folder");
    CreateSchema(path_);
    WithConnection(path_, [&](QSqlDatabase& db) { FillTables(db, withSettingsRow); });
}

}  // namespace velunar::store::test
