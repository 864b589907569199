// hl_string_test.cpp -- bounded strings, number text, identifier codes, scenery names, the lights
// code, the cell flag word and the terrain textures of a region.
#include "hl_string.h"
#include "hl_types.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>

namespace {

// A 400-byte destination followed by guard bytes that must survive every copy.
struct Guarded {
    char buf[STR_LEN + 16];
    Guarded() { std::memset(buf, 'Z', sizeof buf); buf[0] = 0; }
    bool guard_intact() const
    {
        for (size_t k = STR_LEN; k < sizeof buf; k++)
            if (buf[k] != 'Z') return false;
        return true;
    }
};

std::string text_of(size_t n, char c) { return std::string(n, c); }

}  // namespace

TEST(Strings, CopiesAreCutAt399AndTerminated)
{
    const std::string longer = text_of(1000, 'x');
    Guarded d;
    C_to_C(longer.c_str(), d.buf);
    EXPECT_EQ(std::strlen(d.buf), 399u);
    EXPECT_TRUE(d.guard_intact());

    Guarded j;
    const std::string a = text_of(300, 'a'), b = text_of(300, 'b');
    C_plus_C(a.c_str(), b.c_str(), j.buf);
    EXPECT_EQ(std::string(j.buf), a + text_of(99, 'b'));
    EXPECT_TRUE(j.guard_intact());

    Guarded p;
    C_to_C(a.c_str(), p.buf);
    app_C(p.buf, b.c_str());
    EXPECT_EQ(std::string(p.buf), a + text_of(99, 'b'));
    EXPECT_TRUE(p.guard_intact());
    app_C(p.buf, "more");   // already full: stays as it is
    EXPECT_EQ(std::strlen(p.buf), 399u);
    EXPECT_TRUE(p.guard_intact());
}

TEST(Strings, CopiesHandleSharedBuffersEmptyAndNull)
{
    char s[STR_LEN] = "abc";
    C_plus_C(s, "def", s);
    EXPECT_STREQ(s, "abcdef");
    C_plus_C("x", s, s);
    EXPECT_STREQ(s, "xabcdef");
    app_C(s, s);
    EXPECT_STREQ(s, "xabcdefxabcdef");
    C_to_C(s, s);
    EXPECT_STREQ(s, "xabcdefxabcdef");
    C_to_C(nullptr, s);
    EXPECT_STREQ(s, "xabcdefxabcdef");
    C_to_C("", s);
    EXPECT_STREQ(s, "");
}

TEST(Strings, DigitTests)
{
    struct { const char* s; int is_int, is_frac, to_int; float to_frac; } cases[] = {
        {"0042", 1, 0, 42, -1}, {"12345", 1, 0, -1, -1}, {"4a", 0, 0, -1, -1}, {"", 1, 0, -1, -1},
        {"3/4", 0, 1, -1, 0.75f}, {"0/4", 0, 0, -1, 0.0f}, {"+/2", 0, 1, -1, 0.5f}, {"3/40", 0, 0, -1, -1},
        {"9999", 1, 0, 9999, -1}, {"7", 1, 0, 7, -1}, {"3-4", 0, 0, -1, 0.75f}, {"1/0", 0, 0, -1, -1},
    };
    for (auto& c : cases) {
        EXPECT_EQ(str_is_int(c.s), c.is_int) << c.s;
        EXPECT_EQ(str_is_frac(c.s), c.is_frac) << c.s;
        EXPECT_EQ(str_to_int(c.s), c.to_int) << c.s;
        EXPECT_FLOAT_EQ(str_to_frac(c.s), c.to_frac) << c.s;
    }
}

TEST(Strings, IntToStrWritesEveryInt)
{
    struct { int n; const char* want; } cases[] = {
        {-7, "-7"}, {0, "0"}, {99999, "99999"}, {100000, "100000"}, {123456, "123456"},
        {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}, {-100000, "-100000"},
    };
    for (auto& c : cases) {
        char s[12];
        std::memset(s, 'Z', sizeof s);
        int_to_str(c.n, s);
        EXPECT_STREQ(s, c.want);
    }
}

TEST(Strings, CharacterValues)
{
    EXPECT_EQ(char_to_int('7'), 7);
    EXPECT_EQ(char_to_int('+'), 1);
    EXPECT_EQ(char_to_int('-'), -1);
    EXPECT_EQ(char_to_int('0'), 0);
    EXPECT_EQ(char_to_int('x'), 0);
    EXPECT_EQ(int_to_char(9), '9');
    EXPECT_EQ(int_to_char(0), '0');
    EXPECT_EQ(int_to_char(10), '0');
    EXPECT_EQ(int_to_char(-1), '0');
}

TEST(IdentifierCode, RoundTripsAndEdges)
{
    EXPECT_EQ(char_to_code('a'), 1);
    EXPECT_EQ(char_to_code('#'), 1);
    EXPECT_EQ(code_to_char(37), '0');
    EXPECT_EQ(code_to_char(-1), '0');
    EXPECT_EQ(code_to_char(0), ' ');
    EXPECT_EQ(code_to_char(1), '0');
    EXPECT_EQ(code_to_char(10), '9');
    EXPECT_EQ(code_to_char(11), 'A');
    EXPECT_EQ(code_to_char(36), 'Z');
    std::set<char> seen;
    for (int k = 0; k < ID_CODES; k++) {
        EXPECT_EQ(char_to_code(code_to_char(k)), k);
        seen.insert(code_to_char(k));
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(ID_CODES));
}

TEST(SceneryNames, SquareFilesAndBlockFolders)
{
    struct { int lat, lon, folder; const char* want; } cases[] = {
        {34, -118, 1, "+030-120/+034-118.env"},
        {34, -118, 0, "United States/+034-118.env"},
        {-1, -1, 1, "-010-010/-001-001.env"},
        {-61, 0, 1, "-070+000/-061+000.env"},     // floor, below the -60 origin too
        {-60, -180, 1, "-060-180/-060-180.env"},
        {0, 0, 1, "+000+000/+000+000.env"},
        {-10, 179, 1, "-010+170/-010+179.env"},
        {-11, -170, 1, "-020-170/-011-170.env"},
        {89, 9, 1, "+080+000/+089+009.env"},
    };
    for (auto& c : cases) {
        char s[STR_LEN];
        return_latlon_str_ENV(c.lat, c.lon, s, c.folder);
        EXPECT_STREQ(s, c.want) << c.lat << " " << c.lon;
    }
    char s[STR_LEN];
    return_latlon_str_ENV(34, -118, s, 1);
    EXPECT_EQ(std::strlen(s), 21u);
}

TEST(SceneryNames, CoastlineFiles)
{
    struct { float lat, lon; const char* want; } cases[] = {
        {34.5f, -118.2f, "+030-120.cst"}, {-0.5f, -0.5f, "-010-010.cst"}, {39.99f, 10.0f, "+030+010.cst"},
    };
    for (auto& c : cases) {
        char s[STR_LEN];
        return_latlon_str_COAST(c.lat, c.lon, s);
        EXPECT_STREQ(s, c.want);
        EXPECT_EQ(std::strlen(s), 12u);
    }
}

TEST(LightsCode, WorkedExampleAndZero)
{
    int surface, A[2], B[2], C[2];
    code_to_lgts(&surface, A, B, C, 3321111);
    EXPECT_EQ(surface, 64);
    EXPECT_EQ(A[0], 3); EXPECT_EQ(A[1], 1);
    EXPECT_EQ(B[0], 2); EXPECT_EQ(B[1], 1);
    EXPECT_EQ(C[0], 1); EXPECT_EQ(C[1], 1);
    const int a[2] = {3, 1}, b[2] = {2, 1}, c[2] = {1, 1};
    EXPECT_EQ(lgts_to_code(64, a, b, c), 3321111);

    code_to_lgts(&surface, A, B, C, 0);
    EXPECT_EQ(surface, 62);
    for (int e = 0; e < 2; e++) EXPECT_EQ(A[e] + B[e] + C[e], 3);

    code_to_lgts(&surface, A, B, C, 9000000);   // surface digit 9 names no surface
    EXPECT_EQ(surface, 62);
}

TEST(LightsCode, EveryValidCombinationRoundTrips)
{
    for (int s = 62; s <= 66; s++)
        for (int a = 1; a <= 3; a++)
            for (int b = 1; b <= 6; b++)
                for (int c = 1; c <= 6; c++) {
                    const int A[2] = {a, 4 - a}, B[2] = {b, 7 - b}, C[2] = {c, 7 - c};
                    int surface, A2[2], B2[2], C2[2];
                    code_to_lgts(&surface, A2, B2, C2, lgts_to_code(s, A, B, C));
                    ASSERT_EQ(surface, s);
                    for (int e = 0; e < 2; e++) {
                        ASSERT_EQ(A2[e], A[e]);
                        ASSERT_EQ(B2[e], B[e]);
                        ASSERT_EQ(C2[e], C[e]);
                    }
                }
}

TEST(LightsCode, DamagedCodesStillGiveKindsInRange)
{
    const int codes[] = {999999, 999, 5999999, -1, 1070070, INT_MAX};
    for (int code : codes) {
        int surface, A[2], B[2], C[2];
        code_to_lgts(&surface, A, B, C, code);
        EXPECT_TRUE(surface >= 62 && surface <= 66) << code;
        for (int e = 0; e < 2; e++) {
            EXPECT_TRUE(A[e] >= 1 && A[e] <= 3) << code;
            EXPECT_TRUE(B[e] >= 1 && B[e] <= 6) << code;
            EXPECT_TRUE(C[e] >= 1 && C[e] <= 6) << code;
        }
    }
    const int bad[2] = {0, 9};
    EXPECT_EQ(lgts_to_code(70, bad, bad, bad), 0);
}

TEST(CellFlagWord, WorkedExamples)
{
    int f[5], tex;
    float st[2][2][2] = {};
    int_to_bol(&f[0], &f[1], &f[2], &f[3], &f[4], st, &tex, 512);
    EXPECT_EQ(tex, 2000);
    EXPECT_EQ(f[0] + f[1] + f[2] + f[3] + f[4], 0);
    int_to_bol(&f[0], &f[1], &f[2], &f[3], &f[4], st, &tex, 1 + 16);
    EXPECT_EQ(tex, 0);
    EXPECT_EQ(f[0], 1); EXPECT_EQ(f[4], 1);
    EXPECT_EQ(f[1] + f[2] + f[3], 0);
    // Several texture or orientation bits: the lowest wins.
    int_to_bol(&f[0], &f[1], &f[2], &f[3], &f[4], st, &tex, (1 << 12) | (1 << 10) | (1 << 28) | (1 << 8) | (1 << 6));
    EXPECT_EQ(tex, 2001);
    EXPECT_EQ(std::memcmp(st, ST_ORIENT_B, sizeof st), 0);
    // The sign bit and bits past 2019 carry nothing.
    int_to_bol(&f[0], &f[1], &f[2], &f[3], &f[4], st, &tex, static_cast<int>(0xE0000000u) | (1 << 2));
    EXPECT_EQ(tex, 0);
    EXPECT_EQ(f[2], 1);
}

TEST(CellFlagWord, RoundTripsFlagsOrientationsAndTextures)
{
    const float* orient[4] = {ST_ORIENT_A, ST_ORIENT_B, ST_ORIENT_C, ST_ORIENT_D};
    for (int flags = 0; flags < 32; flags++)
        for (int o = 0; o < 4; o++)
            for (int tex = 1999; tex <= 2020; tex++) {
                float st[2][2][2];
                std::memcpy(st, orient[o], sizeof st);
                const int word = bol_to_int(flags & 1, flags & 2, flags & 4, flags & 8, flags & 16, st, tex);
                ASSERT_EQ(word & 0x1E0, 1 << (5 + o));   // exactly one orientation bit
                int f[5], tex2;
                float back[2][2][2] = {};
                int_to_bol(&f[0], &f[1], &f[2], &f[3], &f[4], back, &tex2, word);
                for (int k = 0; k < 5; k++) ASSERT_EQ(f[k], (flags >> k) & 1);
                ASSERT_EQ(std::memcmp(back, st, sizeof st), 0);
                ASSERT_EQ(tex2, tex >= 2000 && tex <= 2019 ? tex : 0);
            }
}

// Terrain textures on a flat 12 by 12 point grid, 100 m cells.
class TerrainGrid : public ::testing::Test {
protected:
    static constexpr int N = 12;
    void SetUp() override
    {
        clear_globals();
        for (int i = 0; i < N; i++)
            for (int j = 0; j < N; j++) {
                planexyz[i][j][0] = 100.0f * i;
                planexyz[i][j][2] = -100.0f * j;
            }
    }
    static int tex(int i, int j) { return static_cast<int>(planetex[i][j]); }
    static bool st_is(int i, int j, const float o[8]) { return std::memcmp(planest[i][j], o, 8 * sizeof(float)) == 0; }
};

TEST_F(TerrainGrid, FlatLandWaterAndCustomCells)
{
    on_water[2][3] = 1;
    planetex[7][7] = 2005;
    planest[7][7][0][0][0] = 0.25f;
    assign_terrain_texes(N, N);
    EXPECT_EQ(tex(7, 7), 2005);                  // custom textures stay
    EXPECT_EQ(planest[7][7][0][0][0], 0.25f);
    EXPECT_EQ(tex(2, 3) == TEX_WATER || (tex(2, 3) >= 51 && tex(2, 3) <= 53), true);
    EXPECT_EQ(tex(0, 0), TEX_FLAT);
    EXPECT_TRUE(st_is(0, 0, ST_ORIENT_A));       // corners reset to the plain orientation
    EXPECT_EQ(tex(N - 1, 0), 0);                 // the last row and column describe no cell
}

TEST_F(TerrainGrid, LoneWaterCellTakesTheLastOuterCorner)
{
    on_water[4][4] = 1;
    assign_terrain_texes(N, N);
    // All four outer-corner rules match; the last one written stays.
    EXPECT_EQ(tex(4, 4), TEX_WAT_FLAT_OUTER);
    const float rule4[8] = {0, 0, 1, 0, 0, 1, 1, 1};
    EXPECT_TRUE(st_is(4, 4, rule4));
}

TEST_F(TerrainGrid, WaterStripBecomesEdges)
{
    for (int i = 0; i < N - 1; i++) on_water[i][4] = 1;
    assign_terrain_texes(N, N);
    for (int i = 1; i <= N - 3; i++) {
        EXPECT_EQ(tex(i, 4), TEX_WAT_FLAT_EDGE) << i;
        EXPECT_TRUE(st_is(i, 4, ST_ORIENT_B)) << i;   // land both sides: the later rule's B
    }
    EXPECT_EQ(tex(0, 4), TEX_WATER);                   // border cells are never visited
    EXPECT_EQ(tex(5, 3), TEX_FLAT);
}

TEST_F(TerrainGrid, SteepLandSpreadsOneStepWithoutCascade)
{
    planexyz[6][6][1] = 20.0f;   // a spike: the cells using this point are steep
    city_on_poly[6][6] = city_on_poly[4][5] = 1;
    assign_terrain_texes(N, N);
    const std::set<std::pair<int, int>> steep = {{5, 6}, {6, 5}, {6, 6},                      // slope 0.2 or more
                                                 {4, 5}, {4, 6}, {5, 5}, {5, 4}, {6, 4}};     // spread
    for (int i = 0; i < N - 1; i++)
        for (int j = 0; j < N - 1; j++) {
            const int t = tex(i, j);
            const bool in_steep_family = t >= 55 && t <= 58;
            EXPECT_EQ(in_steep_family, steep.count({i, j}) == 1) << i << "," << j << " tex " << t;
        }
    EXPECT_EQ(city_on_poly[6][6], 0);   // steep by slope loses its city
    EXPECT_EQ(city_on_poly[4][5], 1);   // steep by spreading keeps it
}
