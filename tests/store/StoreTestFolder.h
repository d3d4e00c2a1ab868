#pragma once
// A temporary folder holding a fresh, empty data file.

#include "store/DataFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace qj::test {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        CreateEmptyDataFile(dataPath());
        file = std::make_unique<DataFile>(dataPath());
    }
    QString dataPath() const { return dir.filePath(QStringLiteral("dataly.dat")); }

    QTemporaryDir dir;
    std::unique_ptr<DataFile> file;
};

} // namespace qj::test
