#pragma once
// qingjian-cli notes ...: the notebook's data file for scripts, read-only.

#include "cli/Command.h"

namespace qj::cli {

CommandGroup NotesCommands();

} // namespace qj::cli
