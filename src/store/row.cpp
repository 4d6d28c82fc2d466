#include "store/row.h"

#include <algorithm>

#include "store/store_error.h"
#include "store/translation.h"

namespace velunar::store {

Row::Row(std::initializer_list<std::pair<std::string, std::string>> fields) {
    for (const auto& [column, value] : fields) Set(column, value);
}

void Row::Set(std::string_view column, std::string value) {
    std::erase(nulls_, column);
    for (auto& field : fields_) {
        if (field.first == column) {
            field.second = std::move(value);
            return;
        }
    }
    fields_.emplace_back(std::string(column), std::move(value));
}

void Row::SetNull(std::string_view column) {
    Set(column, std::string());
    nulls_.emplace_back(column);
}

bool Row::IsNull(std::string_view column) const {
    return std::find(nulls_.begin(), nulls_.end(), column) != nulls_.end();
}

bool Row::Has(std::string_view column) const {
    return std::any_of(fields_.begin(), fields_.end(), [&](const auto& f) { return f.first == column; });
}

const std::string& Row::Value(std::string_view column) const {
    for (const auto& field : fields_) {
        if (field.first == column) return field.second;
    }
    throw StoreError(StoreErrorKind::BadArgument, Filled(Translated("store", "没有这一列：{1}"), {column}));
}

std::vector<std::string> Row::Columns() const {
    std::vector<std::string> names;
    names.reserve(fields_.size());
    for (const auto& field : fields_) names.push_back(field.first);
    return names;
}

std::optional<Row> Result::First() const {
    if (rows.empty()) return std::nullopt;
    return rows.front();
}

std::string Result::FirstValue(std::string_view column) const {
    if (std::find(columns.begin(), columns.end(), column) == columns.end()) {
        throw StoreError(StoreErrorKind::BadArgument,
                         Filled(Translated("store", "没有这一列：{1}"), {column}));
    }
    return rows.empty() ? std::string() : rows.front().Value(column);
}

std::vector<std::string> Result::Column(std::string_view column) const {
    std::vector<std::string> values;
    values.reserve(rows.size());
    for (const auto& row : rows) values.push_back(row.Value(column));
    return values;
}

std::optional<std::size_t> Locate(const std::vector<Row>& rows, std::string_view column,
                                  std::string_view text, Match match) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& value = rows[i].Value(column);
        const bool hit = match == Match::Exact ? value == text : value.starts_with(text);
        if (hit) return i;
    }
    return std::nullopt;
}

}  // namespace velunar::store
