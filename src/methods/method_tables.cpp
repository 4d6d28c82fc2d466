#include "methods/method_tables.h"

namespace velunar {

std::vector<NamedText> Columns(const NaGanRow& r) {
    return {{"值日经", r.dutyMeridian},
            {"经脉", r.meridian},
            {"五行", r.phase},
            {"五俞", r.category},
            {"穴位", r.point},
            {"过原", r.sourcePoint},
            {"兼过原穴", r.extraSourcePoint}};
}

std::vector<NamedText> Columns(const SupplementaryRow& r) {
    return {{"经脉", r.meridian},
            {"五行", r.phase},
            {"五俞", r.category},
            {"穴位", r.point},
            {"值日经", r.dutyMeridian}};
}

std::vector<NamedText> Columns(const NaZhiRow& r) {
    return {{"本穴", r.ownPoint},    {"原穴", r.sourcePoint}, {"泻穴", r.drainPoint},
            {"本经", r.ownMeridian}, {"补穴", r.tonifyPoint}, {"补穴经", r.tonifyMeridian}};
}

std::vector<NamedText> Columns(const TransportRow& r) {
    return {{"经络", r.meridian}, {"井", r.well}, {"荥", r.spring}, {"俞", r.stream},
            {"经", r.river},      {"合", r.sea},  {"原", r.source}};
}

}  // namespace velunar
