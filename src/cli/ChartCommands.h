#pragma once
// The chart commands of qingjian-cli: chart (specified or coin casting) and cast (time or number
// casting), each writing the arranged chart and its reading report.

#include "cli/Command.h"

namespace qj::cli {

CommandGroup ChartCommands();

} // namespace qj::cli
