#pragma once
// A category of many notes for the benchmarks: a random tree (mostly children of earlier notes,
// a few roots) with titles of ten Chinese characters, written in one transaction.

#include "store/DataFile.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace qj::bench {

void FillRandomCategory(DataFile& file, const QString& category, int notes, unsigned seed = 42);

// A fresh data file in a temporary folder holding one such category.
struct LargeDataFile {
    QTemporaryDir dir;
    std::unique_ptr<DataFile> file;

    LargeDataFile(const QString& category, int notes);
};

} // namespace qj::bench
