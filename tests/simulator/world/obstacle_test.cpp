// obstacle_test.cpp -- object slots: the four rectangles of every simple kind on sloping ground,
// tall buildings changing kind, custom object files (turning, colours, shared textures, the end
// mark, every format error) and the bundled custom object placed by the default region.
#include "obstacle.h"

#include "fltutil.h"
#include "genwrld.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "kvdb.h"
#include "kvtest.h"
#include "rwygeo.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Ground of the test: a plane over a 1 km grid (x east, z south, j running north), so every
// triangle of the grid gives the same height: 100 m + 1 % east - 2 % south.
float plane_h(float x, float z) { return 100.0f + 0.01f * x - 0.02f * z; }

class Objects : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        kvdb_set_units();
        hl_srand(11);
        for (int i = 0; i < REGION_NI; i++)
            for (int j = 0; j < REGION_NJ; j++) {
                const float x = 1000.0f * i, z = -1000.0f * j;
                planexyz[i][j][0] = x;
                planexyz[i][j][1] = plane_h(x, z);
                planexyz[i][j][2] = z;
            }
        std::snprintf(obj_path, sizeof obj_path, "%s/", dir.str().c_str());
    }
    void write_obj(const std::string& name, const std::string& text) const { dir.write(name + ".OBJ", text); }
    // Level k's corner p of slot s.
    static const float* corner(int s, int k, int p) { return obj_xyz[s][k][p]; }
};

// ---- simple kinds -------------------------------------------------------------------------------

struct Shape {
    int type;
    float t;
    float wx[4], wz[4], y[4];
};

TEST_F(Objects, SimpleKindsAreFourRectanglesOfTheirShape)
{
    const Shape shapes[] = {
        {1, 0, {3, 3, 5, 3}, {3, 3, 5, 3}, {0, 19, 23, 24}},                       // tower
        {3, 40, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 40, 0, 0}},
        {4, 25, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 25, 0, 0}},
        {5, 100, {35, 25, 20, 25}, {35, 25, 20, 25}, {0, 40, 80, 100}},
        {6, 200, {10, 5, 0, 0}, {10, 5, 0, 0}, {0, 200, 0, 0}},
        {97, 0, {10, 10, 11, 1}, {20, 20, 20, 20}, {0, 5, 5.1f, 6}},              // airport building
    };
    const float x = 51234.0f, z = -60321.0f, g = plane_h(x, z);
    for (const Shape& s : shapes) {
        const int slot = 700;
        make_an_obs(x, z, s.t, "", s.type, slot);
        EXPECT_EQ(obj_type[slot], s.type);
        for (int k = 0; k < 4; k++) {
            // Corners (x - wx, z + wz), (x - wx, z - wz), (x + wx, z - wz), (x + wx, z + wz).
            const float cx[4] = {x - s.wx[k], x - s.wx[k], x + s.wx[k], x + s.wx[k]};
            const float cz[4] = {z + s.wz[k], z - s.wz[k], z - s.wz[k], z + s.wz[k]};
            for (int p = 0; p < 4; p++) {
                EXPECT_NEAR(corner(slot, k, p)[0], cx[p], 0.01f) << s.type << " level " << k;
                EXPECT_NEAR(corner(slot, k, p)[2], cz[p], 0.01f) << s.type << " level " << k;
                EXPECT_NEAR(corner(slot, k, p)[1], g + s.y[k], 0.01f) << s.type << " level " << k;
            }
        }
    }
}

TEST_F(Objects, ObstaclesAndTallBuildingsDrawTheirWidthsInTheirRanges)
{
    // Half-widths from the corners: wx from corner 2 - corner 0 in x, wz from corner 0 - corner 1 in z.
    auto wx = [](int s, int k) { return 0.5f * (corner(s, k, 2)[0] - corner(s, k, 0)[0]); };
    auto wz = [](int s, int k) { return 0.5f * (corner(s, k, 0)[2] - corner(s, k, 1)[2]); };
    for (int n = 0; n < 20; n++) {
        make_an_obs(5000, -5000, 100, "", 2, 10);
        EXPECT_GE(wx(10, 0), 20.0f - 1e-3f);
        EXPECT_LE(wx(10, 0), 40.0f + 1e-3f);
        EXPECT_FLOAT_EQ(wx(10, 1), wx(10, 0));
        EXPECT_FLOAT_EQ(wz(10, 1), wx(10, 0));
        EXPECT_FLOAT_EQ(wx(10, 2), 0.0f);

        make_an_obs(5000, -5000, 200, "", 90, 11);   // a 30..40, b = 0.9 a: a, a, b, b
        EXPECT_GE(wx(11, 0), 30.0f - 1e-3f);
        EXPECT_LE(wx(11, 0), 40.0f + 1e-3f);
        EXPECT_NEAR(wx(11, 2), 0.9f * wx(11, 0), 1e-3f);
        EXPECT_FLOAT_EQ(wz(11, 3), wx(11, 2));

        make_an_obs(5000, -5000, 200, "", 91, 12);   // b, a, a, b with b 20..30
        EXPECT_GE(wx(12, 0), 20.0f - 1e-3f);
        EXPECT_LE(wx(12, 0), 30.0f + 1e-3f);
        EXPECT_GE(wx(12, 1), 30.0f - 1e-3f);
        EXPECT_FLOAT_EQ(wx(12, 2), wx(12, 1));
        EXPECT_FLOAT_EQ(wx(12, 3), wx(12, 0));

        make_an_obs(5000, -5000, 200, "", 92, 13);   // b, b, a, a
        EXPECT_FLOAT_EQ(wx(13, 1), wx(13, 0));
        EXPECT_GE(wx(13, 2), 30.0f - 1e-3f);
        EXPECT_LE(wx(13, 0), 30.0f + 1e-3f);

        make_an_obs(5000, -5000, 200, "", 93, 14);   // wx c (40..50); wz d, 0.6 d, 0.4 d, 0.4 d
        for (int k = 0; k < 4; k++) EXPECT_FLOAT_EQ(wx(14, k), wx(14, 0));
        EXPECT_GE(wx(14, 0), 40.0f - 1e-3f);
        EXPECT_GE(wz(14, 0), 30.0f - 1e-3f);
        EXPECT_LE(wz(14, 0), 40.0f + 1e-3f);
        EXPECT_NEAR(wz(14, 1), 0.6f * wz(14, 0), 1e-3f);
        EXPECT_NEAR(wz(14, 3), 0.4f * wz(14, 0), 1e-3f);
    }
    // Heights of the tall kinds, by hand for t = 200.
    const float g = plane_h(5000, -5000);
    const float ys[4][4] = {{0, 188, 194, 200}, {0, 20, 180, 200}, {0, 20, 20, 200}, {0, 30, 60, 200}};
    for (int s = 0; s < 4; s++)
        for (int k = 0; k < 4; k++) EXPECT_NEAR(corner(11 + s, k, 0)[1], g + ys[s][k], 0.01f) << s << " " << k;
}

TEST_F(Objects, TallBuildingsOver250MetresBecomeTheirOwnKinds)
{
    const struct {
        int type;
        float t;
        int stored;
    } cases[] = {{90, 250, 90}, {90, 251, 94}, {91, 300, 95}, {92, 300, 96}, {93, 400, 93}, {2, 400, 2}};
    for (const auto& c : cases) {
        make_an_obs(3000, -3000, c.t, "", c.type, 900);
        EXPECT_EQ(obj_type[900], c.stored) << c.type << " " << c.t;
        EXPECT_NEAR(corner(900, 3, 0)[1], plane_h(3000, -3000) + (c.type == 2 ? 0.0f : c.t), 0.01f);
    }
}

TEST_F(Objects, GroundIsFoundOutsideTheRegionWithoutLeavingTheGrid)
{
    // Far east and far north of the grid: the nearest edge cell's plane answers.
    make_an_obs(400000.0f, 50000.0f, 0, "", 1, 20);
    EXPECT_EQ(obj_type[20], 1);
    EXPECT_NEAR(corner(20, 0, 0)[1], plane_h(400000.0f, 50000.0f), 0.5f);
    make_an_obs(-9000.0f, -400000.0f, 0, "", 1, 21);
    EXPECT_TRUE(std::isfinite(corner(21, 3, 0)[1]));
    // Slots outside the table are ignored.
    make_an_obs(1000, -1000, 50, "", 3, -1);
    make_an_obs(1000, -1000, 50, "", 3, OBJ_MAX);
    EXPECT_TRUE(recorded_alerts().empty());
}

// ---- custom objects -------------------------------------------------------------------------------

const char* const CRATE = "I\n"
                          "4 crate_side\n"
                          "10 0 0\n"
                          "10 5 0\n"
                          "10 5 10\n"
                          "10 0 10\n"
                          "1 99 99 99\n"
                          "0 8 0\n"
                          "2 120 -5 50\n"
                          "0 0 0\n"
                          "0 3 0\n"
                          "3 crate_top\n"
                          "0 5 0\n"
                          "10 5 0\n"
                          "10 5 10\n"
                          "99\n";

TEST_F(Objects, CustomObjectVerticesTurnWithTheHeadingAndStandOnTheGround)
{
    write_obj("crate", CRATE);
    const float x0 = 20000.0f, z0 = -30000.0f, g = plane_h(x0, z0);
    struct {
        float heading;
        float X, Z;   // where the vertex (10, 0, 0) goes
    } cases[] = {{0, x0 + 10, z0}, {90, x0, z0 + 10}, {180, x0 - 10, z0}, {270, x0, z0 - 10}};
    for (const auto& c : cases) {
        make_an_obs(x0, z0, c.heading, "crate", 8, 1500);
        EXPECT_EQ(obj_type[1500], 104);
        EXPECT_NEAR(obj_xyz[1500][0][0][0], c.X, 1e-3f) << c.heading;
        EXPECT_NEAR(obj_xyz[1500][0][0][2], c.Z, 1e-3f) << c.heading;
        EXPECT_NEAR(obj_xyz[1500][0][0][1], g, 1e-3f);
        EXPECT_NEAR(obj_xyz[1500][0][1][1], g + 5.0f, 1e-3f);
    }
    // Heading 90 turns (10, 5, 10) to 10 m west and 10 m south.
    EXPECT_NEAR(obj_xyz[1500][0][2][0], x0 + 10, 1e-3f);   // last case: heading 270
    EXPECT_NEAR(obj_xyz[1500][0][2][2], z0 - 10, 1e-3f);
    make_an_obs(x0, z0, 90, "crate", 8, 1500);
    EXPECT_NEAR(obj_xyz[1500][0][2][0], x0 - 10, 1e-3f);
    EXPECT_NEAR(obj_xyz[1500][0][2][2], z0 + 10, 1e-3f);
}

TEST_F(Objects, CustomObjectElementsKeepTheirKindColourTextureAndNormal)
{
    write_obj("crate", CRATE);
    make_an_obs(1000, -1000, 0, "crate", 8, 1600);
    ASSERT_EQ(obj_type[1600], 104);
    const int poltyp[4] = {4, 1, 2, 3};
    for (int n = 0; n < 4; n++) EXPECT_EQ(obj_poltyp[1600][n], poltyp[n]);
    EXPECT_EQ(obj_texrgb[1600][0], 1000);
    EXPECT_EQ(obj_texrgb[1600][1], 999999);   // the pulsing red light
    EXPECT_EQ(obj_texrgb[1600][2], 990050);   // 120 and -5 kept within 0..99
    EXPECT_EQ(obj_texrgb[1600][3], 1001);
    EXPECT_EQ(current_tex_numb, 2);
    EXPECT_STREQ(objtex_name[0], "crate_side");
    EXPECT_STREQ(objtex_name[1], "crate_top");
    // The side's normal follows its vertex order: (P2 - P1) x (P1 - P0) = (0,0,10) x (0,5,0) =
    // (-50, 0, 0), west.
    EXPECT_NEAR(obj_nrml[1600][0][0], -1.0f, 1e-5f);
    EXPECT_NEAR(obj_nrml[1600][0][1], 0.0f, 1e-5f);
    // The top: (0,0,10) x (10,0,0) = (0, 100, 0), up.
    EXPECT_NEAR(obj_nrml[1600][3][1], 1.0f, 1e-5f);
    // A point repeats its vertex; points and lines face up.
    for (int p = 1; p < 4; p++)
        for (int k = 0; k < 3; k++) EXPECT_EQ(obj_xyz[1600][1][p][k], obj_xyz[1600][1][0][k]);
    EXPECT_EQ(obj_xyz[1600][2][3][1], obj_xyz[1600][2][1][1]);
    EXPECT_EQ(obj_nrml[1600][1][1], 1.0f);
    EXPECT_EQ(obj_nrml[1600][2][1], 1.0f);
}

TEST_F(Objects, ObjectsNamingTheSameTextureShareIt)
{
    write_obj("crate", CRATE);
    write_obj("shed", "A\n4 crate_top\n0 0 0\n0 1 0\n1 1 0\n1 0 0\n3 shed_roof\n0 0 0\n1 0 0\n1 0 1\n99\n");
    make_an_obs(1000, -1000, 0, "crate", 8, 1700);
    make_an_obs(2000, -2000, 0, "shed", 8, 1701);
    make_an_obs(3000, -3000, 45, "crate", 8, 1702);
    EXPECT_EQ(obj_type[1701], 102);
    EXPECT_EQ(obj_texrgb[1701][0], 1001);   // crate_top, loaded by the crate
    EXPECT_EQ(obj_texrgb[1701][1], 1002);
    EXPECT_EQ(obj_texrgb[1702][0], 1000);
    EXPECT_EQ(current_tex_numb, 3);
}

TEST_F(Objects, CustomObjectFilesReadAlikeWithAnyLineEnds)
{
    std::string crlf;
    for (const char* c = CRATE; *c; c++) {
        if (*c == '\n') crlf += '\r';
        crlf += *c;
    }
    write_obj("crate", CRATE);
    write_obj("crlf", crlf);
    make_an_obs(1000, -1000, 30, "crate", 8, 1800);
    make_an_obs(1000, -1000, 30, "crlf", 8, 1801);
    EXPECT_EQ(obj_type[1801], 104);
    EXPECT_EQ(std::memcmp(obj_xyz[1800], obj_xyz[1801], sizeof obj_xyz[1800]), 0);
    EXPECT_EQ(std::memcmp(obj_texrgb[1800], obj_texrgb[1801], sizeof obj_texrgb[1800]), 0);
}

TEST_F(Objects, AnObjectOfNoElementsAndAMissingObject)
{
    write_obj("empty", "I\n99\n");
    make_an_obs(1000, -1000, 0, "empty", 8, 1900);
    EXPECT_EQ(obj_type[1900], 100);
    obj_type[1901] = 5;
    make_an_obs(1000, -1000, 0, "nowhere", 8, 1901);
    make_an_obs(1000, -1000, 0, "../crate", 8, 1901);
    make_an_obs(1000, -1000, 0, "", 8, 1901);
    EXPECT_EQ(obj_type[1901], 5);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Objects, TheScannersGoBackToTheSquareBeingRead)
{
    write_obj("crate", CRATE);
    inf_use = 1;
    inf_is_bin = 1;
    rev_inf_bin = 1;
    make_an_obs(1000, -1000, 0, "crate", 8, 1950);
    EXPECT_EQ(inf_use, 1);
    EXPECT_EQ(inf_is_bin, 1);
    EXPECT_EQ(rev_inf_bin, 1);
    EXPECT_FALSE(inf2.is_open());
    inf_is_bin = rev_inf_bin = 0;
}

// Every format error ends the program with an alert naming the file.
TEST_F(Objects, MalformedObjectFilesAreFatalAndNameTheFile)
{
    std::string fifty = "I\n";
    for (int n = 0; n < 50; n++) fifty += "1 10 20 30\n0 0 0\n";
    const struct {
        const char* name;
        std::string text;
        const char* alert;
    } cases[] = {
        {"header", "X\n99\n", "Object files must start with an A or an I (Apple or IBM creator) and then a carriage return!"},
        {"five", "I\n5 wall\n", "Must have 1, 2, 3, or 4 vertices in each element of the object!"},
        {"zero", "I\n0\n", "Must have 1, 2, 3, or 4 vertices in each element of the object!"},
        {"many", fifty + "1 1 1 1\n0 0 0\n99\n", "Too many polys in the custom object!"},
        {"short", "I\n4 wall\n0 0 0\n1 1 1\n", "File-scanning error!"},
    };
    for (const auto& c : cases) {
        write_obj(c.name, c.text);
        clear_recorded_alerts();
        EXPECT_THROW(make_an_obs(1000, -1000, 0, c.name, 8, 2000), FatalAlert) << c.name;
        ASSERT_FALSE(recorded_alerts().empty()) << c.name;
        const RecordedAlert& a = recorded_alerts().back();
        EXPECT_EQ(a.l1, c.alert) << c.name;
        EXPECT_EQ(a.code, 2004);
        if (std::string(c.alert) != "File-scanning error!") {
            EXPECT_EQ(a.l2, dir.str() + "/" + c.name + ".OBJ");
        }
        EXPECT_EQ(inf_use, 1) << c.name;
    }
    // Fifty elements are allowed.
    write_obj("fifty", fifty + "99\n");
    make_an_obs(1000, -1000, 0, "fifty", 8, 2001);
    EXPECT_EQ(obj_type[2001], 150);
}

TEST_F(Objects, TheHundredAndFirstTextureIsFatal)
{
    for (int k = 0; k < OBJTEX_MAX; k++) std::snprintf(objtex_name[k], sizeof objtex_name[k], "tex%d", k);
    current_tex_numb = OBJTEX_MAX;
    write_obj("old", "I\n3 tex99\n0 0 0\n1 0 0\n1 0 1\n99\n");
    make_an_obs(1000, -1000, 0, "old", 8, 2100);
    EXPECT_EQ(obj_texrgb[2100][0], 1099);
    write_obj("new", "I\n3 tex100\n0 0 0\n1 0 0\n1 0 1\n99\n");
    EXPECT_THROW(make_an_obs(1000, -1000, 0, "new", 8, 2101), FatalAlert);
    EXPECT_EQ(recorded_alerts().back().l1, "Too many textures in the custom objects!");
}

// ---- the bundled region ----------------------------------------------------------------------------

TEST(BundledObjects, TheDefaultRegionPlacesItsCustomObjectNearTheStartAirport)
{
    clear_globals();
    clear_recorded_alerts();
    kvdb_set_units();
    kvdb_load(std::string(KV_SOURCE_DIR) + "/data/additional nav data");
    std::snprintf(app_path, sizeof app_path, "%s/", KV_PROGRAM_DIR);
    std::snprintf(obj_path, sizeof obj_path, "%s/additional nav data/custom objects/", KV_PROGRAM_DIR);
    env.lat_sou = 33;
    env.lon_wes = -119;
    load_region(1);
    int custom = 0, slot = -1;
    for (int s = OBJ_FIRST_SCENERY; s < OBJ_MAX; s++)
        if (obj_type[s] > 100) {
            custom++;
            slot = s;
        }
    ASSERT_EQ(custom, 1);
    EXPECT_GE(current_tex_numb, 1);
    // It stands on the ground beside the start airport, within 3 km of the runway's centre.
    int a = -1;
    for (int k = 0; k <= apt_wrl_max; k++)
        if (std::strncmp(apt_id[k], "KSBD", 4) == 0) a = k;
    ASSERT_GE(a, 0);
    const int r = apt_lo_ind[a];
    const float* p = obj_xyz[slot][0][0];
    const double dx = p[0] - X_with_latlon(rwy_lat[r], rwy_lon[r]), dz = p[2] - Z_with_lat(rwy_lat[r]);
    EXPECT_LT(std::hypot(dx, dz), 3000.0);
    EXPECT_EQ(in_runway(a, -1, p[0], p[2]), 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

}  // namespace
