#include "methods/reference_tables.h"

#include "calendar/utf8.h"

namespace velunar {
namespace {

// Day stem and branch character; a tab cannot occur in either (the data format forbids it).
std::string DayHourKey(std::string_view day, std::string_view branch) {
    std::string key(day);
    key += '\t';
    key += branch;
    return key;
}

template <typename Entries, typename KeyOf>
std::unordered_map<std::string, std::size_t> IndexFirst(const Entries& entries, KeyOf keyOf) {
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < entries.size(); ++i) index.emplace(keyOf(entries[i]), i);
    return index;
}

const std::size_t* Find(const std::unordered_map<std::string, std::size_t>& index, const std::string& key) {
    const auto it = index.find(key);
    return it == index.end() ? nullptr : &it->second;
}

}  // namespace

ReferenceTables::ReferenceTables(Rows rows) : rows_(std::move(rows)) {
    const auto dayHour = [](const auto& e) { return DayHourKey(e.day, LastCharacter(e.hour)); };
    naGanIndex_ = IndexFirst(rows_.naGan, dayHour);
    supplementaryIndex_ = IndexFirst(rows_.supplementary, dayHour);
    naZhiIndex_ = IndexFirst(rows_.naZhi, [](const NaZhiEntry& e) { return e.branch; });
    transportIndex_ = IndexFirst(rows_.transport, [](const TransportRow& r) { return r.meridian; });
    meridianOfPoint_ =
        IndexFirst(rows_.meridianOfPointOrder, [](const MeridianPointEntry& e) { return e.point; });
    for (const MeridianPointEntry& e : rows_.meridianPoints) pointsOf_[e.meridian].push_back(e.point);
}

const NaGanRow* ReferenceTables::NaGan(Stem day, Branch hour) const {
    const std::size_t* i = Find(naGanIndex_, DayHourKey(Name(day), Name(hour)));
    return i && day != Stem::None && hour != Branch::None ? &rows_.naGan[*i].row : nullptr;
}

const SupplementaryRow* ReferenceTables::Supplementary(Stem day, Branch hour) const {
    const std::size_t* i = Find(supplementaryIndex_, DayHourKey(Name(day), Name(hour)));
    return i && day != Stem::None && hour != Branch::None ? &rows_.supplementary[*i].row : nullptr;
}

const NaZhiRow* ReferenceTables::NaZhi(Branch hour) const {
    if (hour == Branch::None) return nullptr;
    const std::size_t* i = Find(naZhiIndex_, std::string(Name(hour)));
    return i ? &rows_.naZhi[*i].row : nullptr;
}

const TransportRow* ReferenceTables::Transport(std::string_view longMeridian) const {
    if (longMeridian.empty()) return nullptr;
    const std::size_t* i = Find(transportIndex_, std::string(longMeridian));
    return i ? &rows_.transport[*i] : nullptr;
}

const std::vector<std::string>& ReferenceTables::PointsOf(std::string_view shortMeridian) const {
    static const std::vector<std::string> kNone;
    const auto it = pointsOf_.find(std::string(shortMeridian));
    return it == pointsOf_.end() || shortMeridian.empty() ? kNone : it->second;
}

std::optional<std::string> ReferenceTables::MeridianOfPoint(std::string_view point) const {
    const std::size_t* i = Find(meridianOfPoint_, std::string(point));
    if (!i) return std::nullopt;
    return rows_.meridianOfPointOrder[*i].meridian;
}

}  // namespace velunar
