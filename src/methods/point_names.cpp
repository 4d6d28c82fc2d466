#include "methods/point_names.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "calendar/utf8.h"

namespace velunar {

std::vector<std::string> PointNamesOf(const ReferenceTables& tables) {
    std::set<std::string> names;
    const auto add = [&names](const std::string& n) {
        if (!n.empty()) names.insert(n);
    };
    const ReferenceTables::Rows& r = tables.rows();
    for (const auto& e : r.naGan) add(e.row.point), add(e.row.sourcePoint), add(e.row.extraSourcePoint);
    for (const auto& e : r.supplementary) add(e.row.point);
    for (const auto& e : r.naZhi)
        add(e.row.ownPoint), add(e.row.sourcePoint), add(e.row.drainPoint), add(e.row.tonifyPoint);
    for (const auto& t : r.transport)
        add(t.well), add(t.spring), add(t.stream), add(t.river), add(t.sea), add(t.source);
    for (const auto& e : r.meridianPoints) add(e.point);
    // The eight confluent points open by arithmetic; they are points whatever the tables say.
    for (const char* p : {"公孙", "内关", "外关", "临泣", "列缺", "照海", "后溪", "申脉"}) add(p);
    return {names.begin(), names.end()};
}

std::vector<std::string> ClosestTexts(std::string_view text, const std::vector<std::string>& candidates,
                                      std::size_t max, bool related) {
    std::vector<std::tuple<std::size_t, std::size_t, const std::string*>> ranked;
    for (const std::string& c : candidates) {
        const std::size_t distance = EditDistance(text, c), shared = SharedCharacters(text, c);
        if (related && shared == 0 && distance > 1) continue;
        ranked.emplace_back(distance,
                            Utf8Characters(text).size() - std::min(shared, Utf8Characters(text).size()), &c);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::vector<std::string> out;
    for (const auto& r : ranked) {
        if (out.size() == max) break;
        out.push_back(*std::get<2>(r));
    }
    return out;
}

}  // namespace velunar
