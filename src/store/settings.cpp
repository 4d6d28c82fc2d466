#include "store/settings.h"

#include <algorithm>

#include "store/catalogue.h"
#include "store/database.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

void CheckColumn(std::string_view column) {
    if (std::find(kSettingsColumns.begin(), kSettingsColumns.end(), column) == kSettingsColumns.end()) {
        throw StoreError(StoreErrorKind::BadArgument,
                         Filled(Translated("store", "设置表 xxyy 没有列 {1}"), {column}));
    }
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

// The values in column order, as the catalogue's settings statements bind them.
std::vector<std::string> ColumnValues(const Row& row) {
    std::vector<std::string> values;
    for (std::string_view column : kSettingsColumns) values.push_back(row.Value(column));
    return values;
}

// The row with exactly the settings columns in order; columns the table lacks read as empty.
Row Normalised(const Row& row) {
    Row result;
    for (std::string_view column : kSettingsColumns) {
        result.Set(column, row.Has(column) ? row.Value(column) : std::string());
    }
    result.SetKey(row.Key());
    return result;
}

}  // namespace

Row DefaultSettings() {
    return Row{{"xy", "116.28"},
               {"ew", "东经"},
               {"zone", "(GMT+08:00) 北京，重庆，香港特别行政区，乌鲁木齐"},
               {"suma", "0"},
               {"jingew", "120"},
               {"where", "北 京 直 辖 市"},
               {"hint1", "True"},
               {"onlyBeiJingTime", "False"},
               {"timemode", "不区分夜子时早子时"},
               {"ischina", "yeschina"},
               {"eot", "固定表"},
               {"tzid", ""},
               {"chinadst", "False"},
               {"sixthstem", "已"},
               {"renshen", "True"},
               {"renshensrc", "通行"},
               {"lang", ""},
               {"pointnames", ""}};
}

CheckState ReadCheckState(std::string_view text) {
    if (EqualsNoCase(text, "true") || text == "1") return CheckState::Checked;
    if (EqualsNoCase(text, "false") || text == "0") return CheckState::Unchecked;
    return CheckState::Greyed;
}

std::string CheckText(bool checked) {
    return checked ? "True" : "False";
}

SettingsRecord::SettingsRecord(Database& db) : db_(db) {}

void SettingsRecord::Open() {
    Close();
    std::optional<Row> row = db_.First(QueryId::SettingsRead);
    bool created = false;
    if (!row) {
        db_.Execute(QueryId::SettingsInsert, ColumnValues(DefaultSettings()));
        row = db_.First(QueryId::SettingsRead);
        if (!row)
            throw StoreError(StoreErrorKind::NoRow, Translated("store", "无法在设置表 xxyy 中建立默认设置"));
        created = true;
    }
    stored_ = Normalised(*row);
    rowid_ = row->Key().value_or(0);
    open_ = true;
    createdDefaults_ = created;
}

void SettingsRecord::Close() {
    open_ = false;
    editing_ = false;
    stored_ = Row();
    pending_ = Row();
}

std::optional<std::string> SettingsRecord::TakeCreatedNotice() {
    if (!createdDefaults_) return std::nullopt;
    createdDefaults_ = false;
    return Translated("store",
                      "数据库的设置表 xxyy 中没有设置记录，已按默认设置（北京，东经 116.28°）新建一条。");
}

std::string SettingsRecord::Value(std::string_view column) const {
    CheckColumn(column);
    if (!open_) throw StoreError(StoreErrorKind::NotOpen, Translated("store", "设置记录没有打开"));
    return (editing_ ? pending_ : stored_).Value(column);
}

void SettingsRecord::Edit() {
    if (!open_) throw StoreError(StoreErrorKind::NotOpen, Translated("store", "设置记录没有打开"));
    if (editing_) return;
    pending_ = stored_;
    editing_ = true;
}

void SettingsRecord::SetValue(std::string_view column, std::string value) {
    CheckColumn(column);
    Edit();
    pending_.Set(column, std::move(value));
}

std::vector<std::string_view> SettingsRecord::UnsavedColumns() const {
    std::vector<std::string_view> columns;
    if (!editing_) return columns;
    for (std::string_view column : kSettingsColumns)
        if (pending_.Value(column) != stored_.Value(column)) columns.push_back(column);
    return columns;
}

void SettingsRecord::Post() {
    if (!editing_) return;
    // Only what this record changed is written: another program on the same database may have stored the
    // rest.
    const std::vector<std::string_view> changed = UnsavedColumns();
    std::vector<std::string> values;
    for (std::string_view column : kSettingsColumns) {
        values.push_back(std::find(changed.begin(), changed.end(), column) != changed.end() ? "1" : "0");
        values.push_back(pending_.Value(column));
    }
    values.push_back(std::to_string(rowid_));
    if (db_.Execute(QueryId::SettingsWrite, values) == 0) {
        // Someone removed the row while the program ran: store the values as a new row.
        Row row = pending_;
        row.SetKey(std::nullopt);
        rowid_ = db_.Append(Table::Settings, row);
    }
    stored_ = pending_;
    stored_.SetKey(rowid_);
    pending_ = Row();
    editing_ = false;
}

void SettingsRecord::Cancel() {
    pending_ = Row();
    editing_ = false;
}

bool SettingsRecord::StorePageInFront(bool chinaPageInFront) {
    try {
        Edit();
    } catch (const StoreError&) {
        // A closed record has nothing to store; the window is closing either way.
    }
    if (!editing_) return false;
    SetValue(settings_column::kIsChina, std::string(chinaPageInFront ? kYesChina : kNoChina));
    Post();
    return true;
}

}  // namespace velunar::store
