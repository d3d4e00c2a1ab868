#pragma once
// The calendar commands of qingjian-cli: day, days, lunar-to-solar, lunar-days.

#include "cli/Command.h"

namespace qj::cli {

CommandGroup CalendarCommands();

} // namespace qj::cli
