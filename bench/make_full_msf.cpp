// Writes the full composition of the benchmarks as a .msf file, for timing
// whole-process runs of the program on it. Usage: make_full_msf OUT.msf

#include <cstdio>
#include <fstream>

#include "fullcomposition.h"
#include "model/documentcommands.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Usage: make_full_msf OUT.msf\n", stderr);
        return 2;
    }
    const auto c = qn::bench::makeFullComposition();
    const std::string text = qn::msfTextForSave(*c, argv[1]);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_full_msf: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
