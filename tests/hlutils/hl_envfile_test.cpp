// hl_envfile_test.cpp -- the scenery square file: round trips in both byte orders, the text form,
// and damaged, short and wrong-version files refused whole.
#include "hl_envfile.h"

#include "hl_file.h"
#include "hl_types.h"
#include "kvtest.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>

namespace {

constexpr int LAT = 34, LON = -118;

std::unique_ptr<env_square> sample_square(void)
{
    auto sq = std::make_unique<env_square>();
    for (int r = 0; r < ENV_ROWS; r++)
        for (int c = 0; c < ENV_COLS; c++) {
            sq->lat[r][c] = LAT + r / 79.0f;
            sq->lon[r][c] = LON + c / 59.0f;
            sq->h[r][c] = -40.0f + 17.25f * static_cast<float>((r * 7 + c * 13) % 200);
            sq->word[r][c] = ((r + c) % 5 == 0 ? 6 : 0) | (1 << (5 + (r % 4))) | ((c % 3 == 0) ? (1 << (9 + r % 20)) : 0);
        }
    sq->nobj = 0;
    for (int t : {1, 2, 3, 4, 5, 6, 8, 2}) {
        env_object& o = sq->obj[sq->nobj];
        o.type = t;
        o.lat = LAT + 0.1f * static_cast<float>(sq->nobj);
        o.lon = LON + 0.05f * static_cast<float>(sq->nobj);
        o.value = 100.0f + 50.0f * static_cast<float>(sq->nobj);
        std::snprintf(o.name, sizeof o.name, "%s", t == 8 ? "hangar tower" : "");
        sq->nobj++;
    }
    std::memset(sq->tex, 0, sizeof sq->tex);
    std::snprintf(sq->tex[0], sizeof sq->tex[0], "orchard");
    std::snprintf(sq->tex[3], sizeof sq->tex[3], "dry_lake_bed");
    std::memset(sq->tex[19], 'x', ENV_NAME_LEN);   // a name that fills its 40 bytes
    return sq;
}

void expect_same(const env_square& a, const env_square& b)
{
    EXPECT_EQ(0, std::memcmp(a.lat, b.lat, sizeof a.lat));
    EXPECT_EQ(0, std::memcmp(a.lon, b.lon, sizeof a.lon));
    EXPECT_EQ(0, std::memcmp(a.h, b.h, sizeof a.h));
    EXPECT_EQ(0, std::memcmp(a.word, b.word, sizeof a.word));
    ASSERT_EQ(a.nobj, b.nobj);
    for (int k = 0; k < a.nobj; k++) {
        EXPECT_EQ(a.obj[k].type, b.obj[k].type) << k;
        EXPECT_EQ(a.obj[k].lat, b.obj[k].lat) << k;
        EXPECT_EQ(a.obj[k].lon, b.obj[k].lon) << k;
        EXPECT_EQ(a.obj[k].value, b.obj[k].value) << k;
        EXPECT_STREQ(a.obj[k].name, b.obj[k].name) << k;
    }
    for (int k = 0; k < ENV_TEXTURES; k++) EXPECT_STREQ(a.tex[k], b.tex[k]) << k;
}

bool is_flat_water(const env_square& sq)
{
    for (int r = 0; r < ENV_ROWS; r++)
        for (int c = 0; c < ENV_COLS; c++)
            if (sq.h[r][c] != 0.0f || (sq.word[r][c] & 6) != 6 || std::fabs(sq.lat[r][c] - (LAT + r / 79.0f)) > 1e-5f)
                return false;
    return sq.nobj == 0 && sq.tex[0][0] == 0;
}

// The big-endian twin of a little-endian square: every 4-byte value reversed, names as they are.
std::string swapped_twin(const std::string& in)
{
    std::string out = in;
    out[0] = 'a';
    auto rev = [&](size_t at) { std::swap(out[at], out[at + 3]), std::swap(out[at + 1], out[at + 2]); };
    size_t p = 1;
    rev(p);
    p += 4;
    for (int k = 0; k < ENV_ROWS * ENV_COLS * 4; k++, p += 4) rev(p);
    for (;;) {
        int32_t type;
        std::memcpy(&type, in.data() + p, 4);
        rev(p);
        p += 4;
        if (type == ENV_OBJ_END) break;
        for (int k = 0; k < 3; k++, p += 4) rev(p);
        if (type == ENV_OBJ_CUSTOM) {
            p += ENV_NAME_LEN;
        } else {
            rev(p);
            rev(p + 4);
            p += 8;
        }
    }
    return out;
}

class SquareFile : public ::testing::Test {
protected:
    void SetUp() override { clear_recorded_alerts(); }   // alerts of earlier tests are theirs
    TempDir dir;
    std::unique_ptr<env_square> sq = sample_square();
    std::unique_ptr<env_square> back = std::make_unique<env_square>();
    std::string path = (dir.path() / "+034-118.env").string();
};

TEST_F(SquareFile, WriteThenReadGivesTheSameSquare)
{
    ASSERT_EQ(env_write_square(path.c_str(), sq.get()), 1);
    // Header, points, 6 building records of 24 bytes, the custom object of 56, the end, the names.
    EXPECT_EQ(read_file(path).size(), static_cast<size_t>(ENV_BINARY_MIN + 7 * 24 + 56));
    ASSERT_EQ(env_read_square(path.c_str(), LAT, LON, 0, back.get()), ENV_READ_OK);
    expect_same(*sq, *back);
    // A name filling its 40 bytes has no end in the file and still comes back whole.
    EXPECT_EQ(std::strlen(back->tex[19]), static_cast<size_t>(ENV_NAME_LEN));
}

TEST_F(SquareFile, TheBigEndianTwinReadsLikeItsLittleEndianOriginal)
{
    ASSERT_EQ(env_write_square(path.c_str(), sq.get()), 1);
    std::string twin = dir.write("twin.env", swapped_twin(read_file(path)));
    ASSERT_EQ(env_read_square(twin.c_str(), LAT, LON, 0, back.get()), ENV_READ_OK);
    expect_same(*sq, *back);
}

TEST_F(SquareFile, VersionThreeReadsTheSameAsFour)
{
    ASSERT_EQ(env_write_square(path.c_str(), sq.get()), 1);
    std::string bytes = read_file(path);
    bytes[1] = 3;
    std::string v3 = dir.write("v3.env", bytes);
    ASSERT_EQ(env_read_square(v3.c_str(), LAT, LON, 0, back.get()), ENV_READ_OK);
    expect_same(*sq, *back);
}

TEST_F(SquareFile, AnEmptySquareIsItsSmallestSize)
{
    sq->nobj = 0;
    std::memset(sq->tex, 0, sizeof sq->tex);
    ASSERT_EQ(env_write_square(path.c_str(), sq.get()), 1);
    EXPECT_EQ(read_file(path).size(), static_cast<size_t>(ENV_BINARY_MIN));
}

TEST_F(SquareFile, DamagedFilesAreRefusedWholeAndLeaveFlatWater)
{
    ASSERT_EQ(env_write_square(path.c_str(), sq.get()), 1);
    const std::string good = read_file(path);
    auto with = [&](size_t at, const void* v, size_t n) {
        std::string s = good;
        std::memcpy(&s[at], v, n);
        return s;
    };
    const float nan = std::nanf(""), far = 12.0f, deep = -20000.0f;
    const int32_t seven = 7, five = 5;
    const size_t point5 = 5 + 16 * 5, objects = 5 + 76800;
    struct Case {
        const char* what;
        std::string bytes;
        int expect;
    } cases[] = {
        {"empty", "", ENV_DAMAGED},
        {"letter only", "i", ENV_DAMAGED},
        {"header only", good.substr(0, 5), ENV_DAMAGED},
        {"cut in the points", good.substr(0, 5000), ENV_DAMAGED},
        {"cut before the objects", good.substr(0, objects), ENV_DAMAGED},
        {"cut in the names", good.substr(0, good.size() - 400), ENV_DAMAGED},
        {"one byte short", good.substr(0, good.size() - 1), ENV_DAMAGED},
        {"not a byte order", "x" + good.substr(1), ENV_DAMAGED},
        {"version 5", with(1, &five, 4), ENV_WRONG_VERSION},
        {"height not a number", with(point5 + 8, &nan, 4), ENV_DAMAGED},
        {"height below any sea", with(point5 + 8, &deep, 4), ENV_DAMAGED},
        {"point in another square", with(point5, &far, 4), ENV_DAMAGED},
        {"unknown object type", with(objects, &seven, 4), ENV_DAMAGED},
    };
    for (const Case& c : cases) {
        std::string p = dir.write("bad.env", c.bytes);
        EXPECT_EQ(env_read_square(p.c_str(), LAT, LON, 0, back.get()), c.expect) << c.what;
        EXPECT_TRUE(is_flat_water(*back)) << c.what;
    }
    EXPECT_EQ(env_read_square((dir.path() / "none.env").string().c_str(), LAT, LON, 0, back.get()), ENV_MISSING);
    EXPECT_TRUE(is_flat_water(*back));
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(SquareFile, UnsafeNamesAreDroppedNotFollowed)
{
    std::snprintf(sq->tex[1], sizeof sq->tex[1], "../../etc/passwd");
    std::snprintf(sq->tex[2], sizeof sq->tex[2], "sub\\dir");
    std::snprintf(sq->obj[6].name, sizeof sq->obj[6].name, "/abs/path");
    ASSERT_EQ(env_write_square(path.c_str(), sq.get()), 1);
    ASSERT_EQ(env_read_square(path.c_str(), LAT, LON, 0, back.get()), ENV_READ_OK);
    EXPECT_STREQ(back->tex[0], "orchard");
    EXPECT_STREQ(back->tex[1], "");
    EXPECT_STREQ(back->tex[2], "");
    EXPECT_EQ(back->obj[6].type, ENV_OBJ_CUSTOM);
    EXPECT_STREQ(back->obj[6].name, "");
}

// A text square: header, three skipped lines, the points with their five flags, the checkpoint,
// one obstacle and one custom object, the end, and the names.
std::string text_square(int checkpoint, int points)
{
    std::ostringstream s;
    s << "I\n4 version\nskipped one\nskipped two\nskipped three\n";
    for (int k = 0; k < points; k++) {
        int r = k / ENV_COLS, c = k % ENV_COLS;
        s << LAT + r / 79.0 << ' ' << LON + c / 59.0 << ' ' << (r + c) * 2.5 << ' ' << 0 << ' ' << (k % 7 == 0)
          << ' ' << 0 << ' ' << 0 << ' ' << 1 << '\n';
    }
    s << checkpoint << " checkpoint\n";
    s << "2 34.5 -117.5 427 0 0\n8 34.25 -117.25 90 barn\n99\n";
    std::string names(ENV_TEXTURES * ENV_NAME_LEN, '\0');
    std::memcpy(&names[2 * ENV_NAME_LEN], "vineyard", 8);
    return s.str() + names;
}

TEST_F(SquareFile, TheTextFormReadsItsPointsFlagsObjectsAndNames)
{
    std::string p = dir.write("text.env", text_square(1, ENV_ROWS * ENV_COLS));
    ASSERT_EQ(env_read_square(p.c_str(), LAT, LON, 1, back.get()), ENV_READ_OK);
    EXPECT_FLOAT_EQ(back->h[2][3], 12.5f);
    EXPECT_FLOAT_EQ(back->lat[79][0], 35.0f);
    EXPECT_EQ(back->word[0][0] & 6, 2);     // k = 0: water in the second flag
    EXPECT_EQ(back->word[0][1] & 6, 0);
    EXPECT_EQ(back->word[0][1] & 16, 16);   // the fifth flag
    ASSERT_EQ(back->nobj, 2);
    EXPECT_EQ(back->obj[0].type, 2);
    EXPECT_FLOAT_EQ(back->obj[0].value, 427.0f);
    EXPECT_STREQ(back->obj[1].name, "barn");
    EXPECT_STREQ(back->tex[2], "vineyard");
    EXPECT_STREQ(back->tex[0], "");

    std::string bad = dir.write("busted.env", text_square(2, ENV_ROWS * ENV_COLS));
    EXPECT_EQ(env_read_square(bad.c_str(), LAT, LON, 1, back.get()), ENV_DAMAGED);
    std::string shortp = dir.write("short.env", text_square(1, 1000));
    EXPECT_EQ(env_read_square(shortp.c_str(), LAT, LON, 1, back.get()), ENV_DAMAGED);
    EXPECT_TRUE(is_flat_water(*back));
}

TEST(SquareTextures, EverySquareOfTheGlobeHasItsOwnNumbers)
{
    // Squares that a sum of |lat| and |lon| would mix up, and neighbours across the meridian.
    const int pairs[][4] = {{2, 0, 0, 1}, {0, -1, 0, 1}, {-1, 5, 1, 5}, {34, -118, 35, -118}, {34, -118, 34, -117}};
    for (const auto& p : pairs)
        for (int k = 0; k < ENV_TEXTURES; k++)
            for (int m = 0; m < ENV_TEXTURES; m++)
                EXPECT_NE(env_custom_tex(p[0], p[1], k), env_custom_tex(p[2], p[3], m));
    EXPECT_GE(env_custom_tex(-90, -180, 0), 2000);
    EXPECT_EQ(env_custom_tex(34, -118, 3) - env_custom_tex(34, -118, 0), 3);
}

}  // namespace
