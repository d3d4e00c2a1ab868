#pragma once
// The month grid command of qingjian-cli: month.

#include "cli/Command.h"

namespace qj::cli {

CommandGroup GridCommands();

} // namespace qj::cli
