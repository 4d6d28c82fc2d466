#include "cli/explain_output.h"

namespace velunar::cli {

Report ExplanationReport(const std::vector<Explanation>& all) {
    Report r;
    for (const Explanation& e : all) r.List(std::string(e.key), Texts(e.steps));
    return r;
}

void WriteExplanation(std::ostream& out, const std::vector<Explanation>& all) {
    for (const Explanation& e : all) {
        out << "explain." << e.key << ":\n";
        for (const std::string& text : Texts(e.steps)) out << "  " << text << '\n';
    }
}

}  // namespace velunar::cli
