// Test-only tool: writes the sample notebook as a Jet 4 file (for trying the conversion by hand),
// or with --first only its first category (the seed of the Jet fuzz target).
// usage: qj_make_jet_sample [--first] FILE

#include "store/jet/JetSamples.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool first = argc == 3 && std::strcmp(argv[1], "--first") == 0;
    if (argc != 2 && !first) {
        std::fprintf(stderr, "usage: qj_make_jet_sample [--first] FILE\n");
        return 2;
    }
    auto tables = qj::test::SampleNotebook();
    if (first)
        tables.resize(1);
    qj::test::WriteJetFile(QString::fromLocal8Bit(argv[argc - 1]), tables);
    return 0;
}
