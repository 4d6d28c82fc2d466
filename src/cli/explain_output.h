#pragma once
// `now --explain`: every derivation of the tick, as a group of lists in the JSON object, or after the usual
// lines as one block per key, a step a line.
#include <ostream>

#include "report/report.h"
#include "methods/explain.h"

namespace velunar::cli {

// {"time": [...], "nagan": [...], …}: each a list of step texts.
Report ExplanationReport(const std::vector<Explanation>& all);
// "explain.time:" and then each step on a line of its own, indented by two blanks.
void WriteExplanation(std::ostream& out, const std::vector<Explanation>& all);

}  // namespace velunar::cli
