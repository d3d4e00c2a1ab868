// A stranger's Jet file converted as the program converts one: in a process of its own, the
// conversion ends (every loop is bounded by the file), leaves the Jet file as it was, and either
// fails or writes a data file that opens and holds what its report counts. A crash of mdbtools'
// library only fails the conversion, in the child.
#include "FuzzCheck.h"

#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/jet/JetApart.h"
#include "store/jet/JetImport.h"

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdint>
#include <exception>

using namespace qj;

namespace {

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString jet = dir.filePath(QStringLiteral("old.mdb"));
    const QString target = dir.filePath(QStringLiteral("new.dat"));
    QFile::remove(target);
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile f(jet);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(input) == input.size());
    }
    // The child's crash is the child's: it ends with the default action, not the fuzzer's report.
    const std::optional<QByteArray> notes = RunApart([&]() -> QByteArray {
        for (const int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE})
            std::signal(signal, SIG_DFL);
        try {
            return QByteArray::number(ConvertJetFile(jet, target).Notes());
        } catch (const std::exception&) {
            return QByteArrayLiteral("failed");
        }
    });
    FUZZ_CHECK(Bytes(jet) == input);
    if (notes && *notes != "failed") {
        DataFile file(target);
        int stored = 0;
        for (const QString& category : file.Categories())
            stored += static_cast<int>(CategoryTable(file, category).LoadHeaders().size());
        FUZZ_CHECK(QByteArray::number(stored) == *notes);
    }
    return 0;
}
