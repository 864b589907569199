// gen_keys -- writes the keyboard instructions from the simulator's key tables: gen_keys <file>.
#include "key_table.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_keys <instructions file>\n");
        return 2;
    }
    std::vector<char> text(static_cast<size_t>(write_key_instructions(nullptr, 0)));
    write_key_instructions(text.data(), static_cast<int>(text.size()));
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const size_t n = text.size() - 1;
    const bool ok = std::fwrite(text.data(), 1, n, f) == n;
    if (std::fclose(f) != 0 || !ok) {
        std::fprintf(stderr, "gen_keys: could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
