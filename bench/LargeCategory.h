#pragma once
// A category of many notes for the benchmarks: a random tree (mostly children of earlier notes,
// a few roots) with titles of ten Chinese characters, written in one transaction.

#include "store/DataFile.h"

#include <QString>

namespace qj::bench {

void FillRandomCategory(DataFile& file, const QString& category, int notes, unsigned seed = 42);

} // namespace qj::bench
