#pragma once
// The calendar export of qingjian-cli: calendar ics.

#include "cli/Command.h"

namespace qj::cli {

CommandGroup IcsCommands();

} // namespace qj::cli
