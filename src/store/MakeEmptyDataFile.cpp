// Build tool: writes an empty data file where an installer would put it, never over an existing one.
#include "store/DataFile.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH\n", argv[0]);
        return 2;
    }
    try {
        qj::CreateEmptyDataFile(QString::fromLocal8Bit(argv[1]));
    } catch (const qj::StoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
