#pragma once
// The holiday command of qingjian-cli: holidays YEAR.

#include "cli/Command.h"

namespace qj::cli {

CommandGroup HolidayCommands();

} // namespace qj::cli
