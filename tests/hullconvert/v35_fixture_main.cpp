// v35_fixture_main.cpp -- writes one earlier-layout aircraft file from the test generator, for the
// end-to-end run of the converter:  hc_v35_fixture <file> [seed]
#include "v35_writer.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: hc_v35_fixture <file> [seed]\n");
        return 2;
    }
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1u;
    const std::string text = v35::write_text(v35::make_plane(seed));
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) return 1;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok ? 0 : 1;
}
