#include "methods/explain.h"

#include "methods/explain_time.h"

namespace velunar {

Derivation ExplainDoctrine(DoctrineId id, const TickView& v, const ReferenceTables& t) {
    const bool naGan = id == DoctrineId::NaGan || id == DoctrineId::Supplementary;
    Derivation d = DoctrineOf(naGan ? DoctrineId::NaGan : id).Explain(v.moment, t);
    if (naGan && v.closed) {
        Derivation more = DoctrineOf(DoctrineId::Supplementary).Explain(v.moment, t);
        d.insert(d.end(), more.begin(), more.end());
    }
    return d;
}

std::vector<Explanation> ExplainTick(const TickView& v, const ReferenceTables& t) {
    std::vector<Explanation> all;
    all.push_back({"time", ExplainTime(v.input, v)});
    for (const Doctrine* d : Doctrines())
        if (d->Id() != DoctrineId::Supplementary) all.push_back({d->Key(), ExplainDoctrine(d->Id(), v, t)});
    return all;
}

}  // namespace velunar
