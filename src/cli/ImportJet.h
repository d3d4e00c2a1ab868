#pragma once
// notes import-jet JETFILE NEWFILE: a Jet data file converted into a new data file of ours.

#include "cli/Command.h"

namespace qj::cli {

inline constexpr const char* kImportJetUsage = "notes import-jet JETFILE NEWFILE";

// `args` are JETFILE and NEWFILE. One JSON line per table of the Jet file:
// {name, rows, notes, skipped, why, refused: [{id, why}]}.
void RunImportJet(const Arguments& args, Output& out);

} // namespace qj::cli
