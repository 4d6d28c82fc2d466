#include "store/reference_snapshot.h"

#include <algorithm>

#include "methods/english_names.h"
#include "methods/point_aliases.h"
#include "methods/point_index.h"
#include "methods/point_names.h"
#include "store/catalogue.h"
#include "store/nativepath.h"
#include "store/reference_check.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

NaGanRow ToNaGan(const Row& r) {
    return {r.Value("值日经"), r.Value("经脉"), r.Value("五行"),    r.Value("五俞"),
            r.Value("穴位"),   r.Value("过原"), r.Value("兼过原穴")};
}

SupplementaryRow ToSupplementary(const Row& r) {
    return {r.Value("经脉"), r.Value("五行"), r.Value("五俞"), r.Value("穴位"), r.Value("值日经")};
}

NaZhiRow ToNaZhi(const Row& r) {
    return {r.Value("本穴"), r.Value("原穴"), r.Value("泻穴"),
            r.Value("本经"), r.Value("补穴"), r.Value("补穴经")};
}

TransportRow ToTransport(const Row& r) {
    return {r.Value("经络"), r.Value("井"), r.Value("荥"), r.Value("俞"),
            r.Value("经"),   r.Value("合"), r.Value("原")};
}

std::vector<MeridianPointEntry> MeridianPoints(const Result& result) {
    std::vector<MeridianPointEntry> out;
    for (const Row& r : result.rows) out.push_back({r.Value("穴位"), r.Value("经脉")});
    return out;
}

template <typename F>
auto Guard(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const StoreError& e) {
        throw DescriptionError(e.what());
    }
}

std::vector<std::string> KnownPoints(const ReferenceTables& tables, Database& db) {
    std::vector<std::string> known = PointNamesOf(tables);
    for (const std::string& described : db.Run(QueryId::PointList).Column("穴位")) known.push_back(described);
    return known;
}

}  // namespace

std::shared_ptr<const ReferenceTables> LoadReferenceTables(Database& db) {
    std::string problems;
    for (const std::string& problem : CheckReferenceTables(db))
        problems +=
            (problems.empty() ? "" : "\n") + Filled(Translated("store", "数据库 {1} 的{2}"),
                                                    {NativeFromPath(db.Path()).toStdString(), problem});
    if (!problems.empty()) throw StoreError(StoreErrorKind::Corrupt, problems);
    ReferenceTables::Rows rows;
    for (const Row& r : db.SelectAll(Table::TianGan).rows)
        rows.naGan.push_back({r.Value("实际日"), r.Value("实际时辰"), ToNaGan(r)});
    for (const Row& r : db.SelectAll(Table::BuXue).rows)
        rows.supplementary.push_back({r.Value("实际日"), r.Value("实际时辰"), ToSupplementary(r)});
    for (const Row& r : db.SelectAll(Table::DiZhi).rows) rows.naZhi.push_back({r.Value("时辰"), ToNaZhi(r)});
    for (const Row& r : db.SelectAll(Table::WuShu).rows) rows.transport.push_back(ToTransport(r));
    rows.meridianPoints = MeridianPoints(db.Run(QueryId::MeridianListOrder));
    rows.meridianOfPointOrder = MeridianPoints(db.SelectAll(Table::JingLuo));
    return std::make_shared<const ReferenceTables>(std::move(rows));
}

std::shared_ptr<const ReferenceTables> LoadReferenceTables(const DataPaths& paths, Database& db) {
    if (!paths.IsInstalled() || paths.ShippedDatabaseFile() == db.Path()) return LoadReferenceTables(db);
    Database shipped(QStringLiteral("velunar-reference"));
    shipped.Open(paths.ShippedDatabaseFile());
    return LoadReferenceTables(shipped);
}

namespace {

// One point against an index of the known points, which a list of points builds once.
TypedPoint ResolveIn(const PointIndex& index, const std::string& typed, const ReferenceTables& tables,
                     Database& db) {
    const std::vector<std::string> names = index.NamesFor(typed);
    if (names.size() == 1) return {names.front(), {}};
    if (names.empty()) return {std::nullopt, UnknownPointNote(typed, tables, db).value_or(std::string())};
    const std::string comma = Translated("store", "、");
    std::string list;
    for (const std::string& n : names) {
        const std::optional<PointCode> code = CodeOfPoint(n);
        const std::string shown = CurrentLanguage() == Language::English ? PointInStyle(n, PointStyle::Both)
                                  : code                                 ? n + " " + std::string(code->code)
                                                                         : n;
        list += (list.empty() ? "" : comma) + shown;
    }
    return {std::nullopt,
            Filled(Translated("store", "“{1}”可指几个穴位：{2}；请写明是哪一个"), {typed, list})};
}

}  // namespace

TypedPoint ResolvePoint(const std::string& typed, const ReferenceTables& tables, Database& db) {
    return ResolveIn(PointIndex(KnownPoints(tables, db)), typed, tables, db);
}

std::optional<std::string> ResolvePoints(std::vector<std::string>& points, const ReferenceTables& tables,
                                         Database& db) {
    const PointIndex index(KnownPoints(tables, db));
    std::vector<std::string> names;
    for (const std::string& typed : points) {
        const TypedPoint point = ResolveIn(index, typed, tables, db);
        if (!point.name) return point.note;
        if (std::find(names.begin(), names.end(), *point.name) == names.end()) names.push_back(*point.name);
    }
    points = std::move(names);
    return std::nullopt;
}

std::optional<std::string> UnknownPointNote(const std::string& point, const ReferenceTables& tables,
                                            Database& db) {
    std::vector<std::string> known = KnownPoints(tables, db);
    const std::string canonical(CanonicalPointName(point));
    const auto has = [&known](const std::string& n) {
        return std::find(known.begin(), known.end(), n) != known.end();
    };
    if (!point.empty() && (has(point) || has(canonical))) return std::nullopt;
    std::sort(known.begin(), known.end());
    known.erase(std::unique(known.begin(), known.end()), known.end());
    const std::string note = Filled(Translated("store", "不是已知的穴位：{1}"), {point});
    const std::vector<std::string> close = ClosestTexts(point, known, 5, true);
    if (close.empty()) return note;
    const std::string comma = Translated("store", "、");
    std::string list;
    for (const std::string& c : close) list += (list.empty() ? "" : comma) + c;
    return Filled(Translated("store", "{1}（相近的穴位：{2}）"), {note, list});
}

std::optional<DescriptionRow> DatabaseDescriptions::Description(std::string_view point) {
    return Guard([&]() -> std::optional<DescriptionRow> {
        const std::optional<Row> row = db_.First(QueryId::DescriptionRow, {std::string(point)});
        if (!row) return std::nullopt;
        if (!row->Key()) throw DescriptionError(Translated("store", "穴位说明的查询没有返回行号"));
        return DescriptionRow{*row->Key(), row->Value("穴位说明"), row->Value("图片路径")};
    });
}

void DatabaseDescriptions::StorePicturePath(std::int64_t rowKey, std::string_view path) {
    if (!storing_) return;
    // By row, not by name: only the row that was described gets the derived path.
    Guard([&] { db_.SetColumn(Table::Description, rowKey, "图片路径", path); });
}

}  // namespace velunar::store
