// gen_bigdb -- writes synthetic airport, navaid and fix databases for the table-limit tests.
//
//   gen_bigdb <root> [seed]
//       the variant sets under root: full, over_airports, over_runways, over_navaids, over_fixes
//   gen_bigdb --counts <airports> <runways> <navaids> <fixes> <folder> [seed]
//       one set of the given sizes
#include "bigdb.h"

#include "tool_program.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static int usage(void)
{
    std::fprintf(stderr,
                 "usage: gen_bigdb <root> [seed]\n"
                 "       gen_bigdb --counts <airports> <runways> <navaids> <fixes> <folder> [seed]\n");
    return 2;
}

// A whole number from 0 to 10000000, or -1.
static long count_arg(const char* s)
{
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s, &end, 10);
    if (errno || !end || *end || end == s || v < 0 || v > 10000000) return -1;
    return v;
}

int main(int argc, char** argv)
{
    tool_start("gen_bigdb", false);
    uint32_t seed = 1;
    if (argc >= 2 && std::strcmp(argv[1], "--counts") == 0) {
        if (argc != 7 && argc != 8) return usage();
        long n[4];
        for (int k = 0; k < 4; k++) {
            n[k] = count_arg(argv[2 + k]);
            if (n[k] < 0) {
                std::fprintf(stderr, "gen_bigdb: bad count \"%s\"\n", argv[2 + k]);
                return 2;
            }
        }
        if (argc == 8) {
            long s = count_arg(argv[7]);
            if (s < 0) return usage();
            seed = static_cast<uint32_t>(s);
        }
        bigdb_counts c = {static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2]),
                          static_cast<int>(n[3])};
        if (!bigdb_write(argv[6], c, seed)) {
            std::fprintf(stderr, "gen_bigdb: could not write the databases into %s\n", argv[6]);
            return 1;
        }
        return 0;
    }
    if (argc != 2 && argc != 3) return usage();
    if (argc == 3) {
        long s = count_arg(argv[2]);
        if (s < 0) return usage();
        seed = static_cast<uint32_t>(s);
    }
    if (!bigdb_write_variants(argv[1], seed)) {
        std::fprintf(stderr, "gen_bigdb: could not write the databases under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
