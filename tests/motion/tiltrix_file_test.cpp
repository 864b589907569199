// tiltrix_file_test.cpp -- the motion file reader on hand-made lines: whole lines, lines cut short
// or damaged, numbers outside a byte, and a file read with more platforms than it was recorded for.
#include "kvtest.h"
#include "tiltrix_file.h"

#include <cstdio>
#include <string>
#include <vector>

TEST(TiltrixFile, LinesReadAsTheirPlatformsAllowAndStopAtDamage)
{
    struct Case {
        const char* what;
        const char* text;
        int n;
        std::vector<int> results;                    // one per read, until one falls short
        std::vector<std::vector<int>> values;        // counter, then axis pairs, per whole read
    };
    const Case cases[] = {
        {"two lines, one platform", "0\t10\t20\t\n1\t30\t40\t\n", 1, {1, 1, -1}, {{0, 10, 20}, {1, 30, 40}}},
        {"two platforms", "5\t1\t2\t3\t4\t\n", 2, {2, -1}, {{5, 1, 2, 3, 4}}},
        {"recorded for one, read for two", "0\t10\t20\t\n1\t30\t40\t\n", 2, {2, 0}, {{0, 10, 20, 1, 30}}},  // 40 is the next counter
        {"low bytes of wide numbers", "0\t-1\t256\t\n", 1, {1, -1}, {{0, 255, 0}}},
        {"a damaged value", "0\t10\t20\t\n1\tten\ttwenty\t\n", 1, {1, 0}, {{0, 10, 20}}},
        {"second platform cut short", "0\t10\t20\t30\t\n", 2, {1}, {}},
        {"no counter", "x\t1\t2\t\n", 1, {-1}, {}},
        {"empty", "", 4, {-1}, {}},
        {"blanks only", " \n\t\r\n", 1, {-1}, {}},
        {"spaces and CRLF for tabs", "7 8 9\r\n", 1, {1, -1}, {{7, 8, 9}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.write("m.mot", c.text);
        FILE* f = std::fopen(path.c_str(), "r");
        ASSERT_NE(f, nullptr);
        size_t whole = 0;
        for (size_t k = 0; k < c.results.size(); k++) {
            int counter = -99;
            uint8_t axes[4][2] = {};
            const int got = tlx_read_motion_line(f, c.n, &counter, axes);
            EXPECT_EQ(got, c.results[k]) << "read " << k;
            if (got == c.n) {
                ASSERT_LT(whole, c.values.size());
                const std::vector<int>& v = c.values[whole++];
                EXPECT_EQ(counter, v[0]);
                for (int i = 0; i < c.n; i++) {
                    EXPECT_EQ(axes[i][0], v[1 + 2 * i]) << "platform " << i;
                    EXPECT_EQ(axes[i][1], v[2 + 2 * i]) << "platform " << i;
                }
            }
        }
        EXPECT_EQ(whole, c.values.size());
        std::fclose(f);
    }
}
