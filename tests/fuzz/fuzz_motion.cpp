// fuzz_motion.cpp -- the motion file reader on any bytes (the first byte chooses 1 to 4 platforms):
// every line read moves through the file, counts at most the platforms asked for, and gives the
// numbers an independent reading of the same bytes finds: decimal numbers, each after any blanks,
// the counter first, then two a platform.
#include "fuzz_support.h"

#include "tiltrix_file.h"

#include <cstdio>
#include <vector>

namespace {

bool blank(uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The numbers of the bytes as the reader should see them, from the start, until a number does not
// read. A number of more than nine digits ends the list (its value is the C library's business).
std::vector<long> numbers_of(const uint8_t* p, size_t n)
{
    std::vector<long> out;
    size_t i = 0;
    for (;;) {
        while (i < n && blank(p[i])) i++;
        int sign = 1;
        if (i < n && (p[i] == '+' || p[i] == '-')) sign = p[i++] == '-' ? -1 : 1;
        size_t digits = 0;
        long v = 0;
        while (i < n && p[i] >= '0' && p[i] <= '9' && digits < 10) v = 10 * v + (p[i++] - '0'), digits++;
        if (digits == 0 || digits > 9) return out;
        if (i < n && p[i] >= '0' && p[i] <= '9') return out;
        out.push_back(sign * v);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const int n = data[0] % 4 + 1;
    fuzz_begin();
    const std::string path = fuzz_file("in.mot", data + 1, size - 1);
    FILE* f = std::fopen(path.c_str(), "r");
    FUZZ_CHECK(f != nullptr);
    const std::vector<long> want = numbers_of(data + 1, size - 1);
    size_t k = 0;   // numbers of `want` accounted for
    long at = 0;
    for (;;) {
        int counter = -7;
        uint8_t axes[4][2];
        const int got = tlx_read_motion_line(f, n, &counter, axes);
        FUZZ_CHECK(got >= -1 && got <= n);
        if (got < 0) {
            FUZZ_CHECK(k >= want.size());   // no counter where one stands
            break;
        }
        const long now = std::ftell(f);
        FUZZ_CHECK(now > at);   // every line read moves on
        at = now;
        if (k < want.size()) FUZZ_CHECK(counter == (int)want[k]);
        k++;
        for (int i = 0; i < got; i++, k += 2) {
            if (k + 1 < want.size()) {
                FUZZ_CHECK(axes[i][0] == (uint8_t)(want[k] & 255));
                FUZZ_CHECK(axes[i][1] == (uint8_t)(want[k + 1] & 255));
            }
        }
        if (got < n) break;
    }
    std::fclose(f);
    return 0;
}
