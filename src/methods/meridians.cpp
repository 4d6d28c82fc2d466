#include "methods/meridians.h"

namespace velunar {
namespace {

constexpr std::array<std::string_view, 5> kPhaseNames = {"木", "火", "土", "金", "水"};
constexpr std::array<std::string_view, kTransportCategories> kCategoryNames = {"井", "荥", "俞", "经", "合"};

using P = Phase;
// In the order of the flow, 肺 at 寅 to 肝 at 丑. Point names are the standard simplified names that every
// shipped table uses (足窍阴, 足临泣, 足通谷, 足三里).
constexpr std::array<MeridianFacts, 12> kMeridians = {{
    {"肺", P::Metal, true, {"少商", "鱼际", "太渊", "经渠", "尺泽"}, "太渊"},
    {"大肠", P::Metal, false, {"商阳", "二间", "三间", "阳溪", "曲池"}, "合谷"},
    {"胃", P::Earth, false, {"厉兑", "内庭", "陷谷", "解溪", "足三里"}, "冲阳"},
    {"脾", P::Earth, true, {"隐白", "大都", "太白", "商丘", "阴陵泉"}, "太白"},
    {"心", P::Fire, true, {"少冲", "少府", "神门", "灵道", "少海"}, "神门"},
    {"小肠", P::Fire, false, {"少泽", "前谷", "后溪", "阳谷", "小海"}, "腕骨"},
    {"膀胱", P::Water, false, {"至阴", "足通谷", "束骨", "昆仑", "委中"}, "京骨"},
    {"肾", P::Water, true, {"涌泉", "然谷", "太溪", "复溜", "阴谷"}, "太溪"},
    // 心包 and 三焦 carry the minister fire.
    {"心包", P::Fire, true, {"中冲", "劳宫", "大陵", "间使", "曲泽"}, "大陵"},
    {"三焦", P::Fire, false, {"关冲", "液门", "中渚", "支沟", "天井"}, "阳池"},
    {"胆", P::Wood, false, {"足窍阴", "侠溪", "足临泣", "阳辅", "阳陵泉"}, "丘墟"},
    {"肝", P::Wood, true, {"大敦", "行间", "太冲", "中封", "曲泉"}, "太冲"},
}};

// 0..4 in generating order, and back (any whole number, taken round the cycle).
int Index(Phase p) {
    return static_cast<int>(p) - 1;
}

Phase PhaseAt(int i) {
    return static_cast<Phase>(((i % 5) + 5) % 5 + 1);
}

}  // namespace

std::string_view Name(Phase p) {
    return p == Phase::None ? std::string_view() : kPhaseNames[static_cast<std::size_t>(Index(p))];
}

Phase Mother(Phase p) {
    return p == Phase::None ? p : PhaseAt(Index(p) - 1);
}

Phase Child(Phase p) {
    return p == Phase::None ? p : PhaseAt(Index(p) + 1);
}

std::string_view CategoryName(int category) {
    return category >= 0 && category < kTransportCategories
               ? kCategoryNames[static_cast<std::size_t>(category)]
               : std::string_view();
}

const MeridianFacts* MeridianNamed(std::string_view shortName) {
    for (const MeridianFacts& m : kMeridians)
        if (m.name == shortName) return &m;
    return nullptr;
}

Phase CategoryPhase(const MeridianFacts& m, int category) {
    return PhaseAt((m.yin ? Index(Phase::Wood) : Index(Phase::Metal)) + category);
}

int CategoryOfPhase(const MeridianFacts& m, Phase p) {
    for (int c = 0; c < kTransportCategories; ++c)
        if (CategoryPhase(m, c) == p) return c;
    return 0;  // unreachable: five categories take the five phases
}

}  // namespace velunar
