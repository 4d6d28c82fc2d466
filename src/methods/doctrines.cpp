#include "methods/doctrines.h"

namespace velunar {

DoctrineReport EvaluateDoctrines(const Moment& m, MethodTables& tables) {
    DoctrineReport r;
    r.naZhi = NaZhiStep(m, tables);
    r.naGan = NaGanStep(m, tables);
    r.supplementary = SupplementaryStep(m, r.naGan.closed, tables);
    r.lingGui = LingGui(m);
    r.feiTeng = FeiTeng(m);
    r.shiGan = ShiGanStep(m, tables);
    r.dayList = DayStemList(m.dayStem, tables);
    r.hourList = HourBranchList(m.hourBranch, tables);
    return r;
}

}  // namespace velunar
