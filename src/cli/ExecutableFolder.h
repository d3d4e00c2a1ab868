#pragma once
// The folder of the running qingjian-cli, found without an application object.

#include <QString>

namespace qj::cli {

QString ExecutableFolder();

} // namespace qj::cli
