#pragma once
// `schedule --pdf`: the printed 开穴表 of the window, written straight to the file as it is drawn.
#include <string>

#include "cli/commands.h"
#include "print/schedule_pages.h"

namespace velunar::cli {

// Writes the sheet to `path` (replacing it only once complete); false after a message on io.err.
bool WriteSchedulePdfFile(const std::string& path, const print::SheetRange& range,
                          const ReferenceTables& tables, CommandIo& io);

}  // namespace velunar::cli
