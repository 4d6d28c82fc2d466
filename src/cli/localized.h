#pragma once
// The command line speaks through the store's localized outputs (store/localized.h), which the windows'
// reverse lookup and calendar files share.
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

}  // namespace velunar::cli
