#pragma once
// The command line speaks through the store's localized outputs (store/localized.h), which the windows'
// reverse lookup and calendar files share.
#include "report/report.h"
#include "store/localized.h"

namespace velunar::cli {

using store::ColumnTitle;
using store::DoctrineName;
using store::FieldLabel;
using store::InEnglish;
using store::kEnglishPoints;
using store::LocalValue;
using store::ReportHeading;
using store::ReportLine;

// How the plain output speaks: the field labels and values in the language in force.
inline Report::PlainSpeech PlainSpeech() {
    return {[](const std::string& name) { return FieldLabel(name); },
            [](const std::string& value) { return LocalValue(value); }, InEnglish()};
}

}  // namespace velunar::cli
