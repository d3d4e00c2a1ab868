// Test-only tool: writes the sample notebook as a Jet 4 file (for trying the conversion by hand).
// usage: qj_make_jet_sample FILE

#include "store/jet/JetSamples.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qj_make_jet_sample FILE\n");
        return 2;
    }
    qj::test::WriteJetFile(QString::fromLocal8Bit(argv[1]), qj::test::SampleNotebook());
    return 0;
}
