#pragma once
// Why one tick shows what it shows: the derivation of its time step and of every doctrine, under the keys
// the command line writes them ("time", "nagan", …), in the order of the outputs.
#include <string_view>
#include <vector>

#include "methods/derivation.h"
#include "methods/doctrine.h"
#include "methods/pipeline.h"

namespace velunar {

struct Explanation {
    std::string_view key;
    Derivation steps;
};

std::vector<Explanation> ExplainTick(const TickView& v, const ReferenceTables& t);

// The derivation behind one doctrine's result at the view's moment. In a closed hour the 纳干法 derivation
// goes on with the rule that gives the 补穴, which is also what the 补穴法 page shows.
Derivation ExplainDoctrine(DoctrineId id, const TickView& v, const ReferenceTables& t);

}  // namespace velunar
