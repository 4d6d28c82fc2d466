#include "store/method_tables.h"

#include <utility>

#include "store/catalogue.h"

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

template <typename T, typename Convert>
std::optional<T> FirstAs(const std::optional<Row>& row, Convert convert) {
    if (!row) return std::nullopt;
    return convert(*row);
}

// Runs one store call, turning the store's error into the tables' one with the same message.
template <typename F>
auto Guard(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const StoreError& e) {
        throw TablesError(e.what());
    }
}

std::string Text(std::string_view s) {
    return std::string(s);
}

}  // namespace

std::optional<NaGanRow> DatabaseMethodTables::NaGan(std::string_view dayStem, std::string_view hourBranch) {
    return Guard([&] {
        return FirstAs<NaGanRow>(db_.First(QueryId::NaGanRow, {Text(dayStem), Text(hourBranch)}), ToNaGan);
    });
}

std::optional<SupplementaryRow> DatabaseMethodTables::Supplementary(std::string_view dayStem,
                                                                    std::string_view hourBranch) {
    return Guard([&] {
        return FirstAs<SupplementaryRow>(db_.First(QueryId::SupplementRow, {Text(dayStem), Text(hourBranch)}),
                                         ToSupplementary);
    });
}

std::optional<NaZhiRow> DatabaseMethodTables::NaZhi(std::string_view hourBranch) {
    return Guard(
        [&] { return FirstAs<NaZhiRow>(db_.First(QueryId::NaZhiRow, {Text(hourBranch)}), ToNaZhi); });
}

std::optional<TransportRow> DatabaseMethodTables::Transport(std::string_view longMeridian) {
    return Guard([&] {
        return FirstAs<TransportRow>(db_.First(QueryId::WuShuRow, {Text(longMeridian)}), ToTransport);
    });
}

std::vector<std::string> DatabaseMethodTables::MeridianPoints(std::string_view shortMeridian) {
    return Guard([&] { return db_.Run(QueryId::MeridianPoints, {Text(shortMeridian)}).Column("穴位"); });
}

std::optional<DescriptionRow> DatabaseMethodTables::Description(std::string_view point) {
    return Guard([&]() -> std::optional<DescriptionRow> {
        const std::optional<Row> row = db_.First(QueryId::DescriptionRow, {Text(point)});
        if (!row) return std::nullopt;
        if (!row->Key()) throw TablesError("穴位说明的查询没有返回行号");
        return DescriptionRow{*row->Key(), row->Value("穴位说明"), row->Value("图片路径")};
    });
}

std::optional<std::string> DatabaseMethodTables::MeridianOfPoint(std::string_view point) {
    return Guard([&]() -> std::optional<std::string> {
        const std::optional<Row> row = db_.First(QueryId::MeridianOfPoint, {Text(point)});
        if (!row) return std::nullopt;
        return row->Value("经脉");
    });
}

void DatabaseMethodTables::StorePicturePath(std::int64_t rowKey, std::string_view path) {
    // By row, not by name: only the row that was described gets the derived path.
    Guard([&] { db_.SetColumn(Table::Description, rowKey, "图片路径", path); });
}

std::vector<NaGanEntry> DatabaseMethodTables::AllNaGan() {
    return Guard([&] {
        std::vector<NaGanEntry> out;
        for (const Row& r : db_.SelectAll(Table::TianGan).rows)
            out.push_back({r.Value("实际日"), r.Value("实际时辰"), ToNaGan(r)});
        return out;
    });
}

std::vector<SupplementaryEntry> DatabaseMethodTables::AllSupplementary() {
    return Guard([&] {
        std::vector<SupplementaryEntry> out;
        for (const Row& r : db_.SelectAll(Table::BuXue).rows)
            out.push_back({r.Value("实际日"), r.Value("实际时辰"), ToSupplementary(r)});
        return out;
    });
}

std::vector<NaZhiEntry> DatabaseMethodTables::AllNaZhi() {
    return Guard([&] {
        std::vector<NaZhiEntry> out;
        for (const Row& r : db_.SelectAll(Table::DiZhi).rows) out.push_back({r.Value("时辰"), ToNaZhi(r)});
        return out;
    });
}

}  // namespace velunar::store
