// object_draw_gltest.cpp -- the objects of the bundled start region drawn offscreen and found where
// their scenery square puts them: the office block, the radio mast, a tree and the forest fire,
// each by the pixels that change when it alone is taken away; stars above the horizon at night and
// none by day; a roof holding the aircraft up and the low building without a roof not; the smoke
// reborn at burning fires only and gone once the last is put out; and night frames with everything
// that allocate nothing and bind each texture once.
#include "view_probe.h"

#include "hl_envfile.h"
#include "hl_string.h"
#include "hl_tex.h"
#include "nature_draw.h"
#include "object_draw.h"
#include "vrange.h"

#include <GL/gl.h>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

long counted_allocations(void);

namespace {

constexpr double DEG = 3.14159265358979 / 180.0;

class Objects : public OutsideView {
protected:
    void SetUp() override
    {
        OutsideView::SetUp();
        load_fixed_textures();
        set.ogl_trees = 1;
    }
    // The first object of `type` in the bundled square at (lat, lon): its latitude and longitude.
    static bool square_object(int lat, int lon, int type, double* olat, double* olon)
    {
        char rel[400];
        return_latlon_str_ENV(lat, lon, rel, 1);
        const std::string path = std::string(KV_PROGRAM_DIR) + "/additional nav data/" + rel;
        auto sq = std::make_unique<env_square>();
        if (env_read_square(path.c_str(), lat, lon, 0, sq.get()) != ENV_READ_OK) return false;
        for (int k = 0; k < sq->nobj; k++) {
            if (sq->obj[k].type != type) continue;
            *olat = sq->obj[k].lat;
            *olon = sq->obj[k].lon;
            return true;
        }
        return false;
    }
    // The slot of `type` whose base's middle lies within 1 m of region point (x, z), -1 for none.
    static int slot_at(int type, double x, double z)
    {
        for (int k = 0; k < OBJ_MAX; k++) {
            if (obj_type[k] != type) continue;
            double mx = 0, mz = 0;
            for (int c = 0; c < 4; c++) {
                mx += 0.25 * obj_xyz[k][0][c][0];
                mz += 0.25 * obj_xyz[k][0][c][2];
            }
            if (std::hypot(mx - x, mz - z) < 1.0) return k;
        }
        return -1;
    }
    // The eye at region point (x, y, z) looking along heading psi, pitched `the`.
    void eye_at(double x, double y, double z, float the, float psi)
    {
        place(lat_with_z(z), lon_with_xz(x, z), 0.0f, the, psi, 0.0f);
        flt.Y[0] = y;
        env.localh_cg = ground_at_latlon(flt.lat, flt.lon);
    }
};

// The office block north-west of the start airport and the radio mast south-east of it, each seen
// from the south: the pixels that change when the object alone is taken away lie around its
// column, from its base to its top.
TEST_F(Objects, BuildingAndRadioMastStandWhereTheirSquarePutsThem)
{
    struct Case {
        int type;
        double dist;     // m south of it the eye stands
        double half_w;   // m, half its width east to west at the base
    } cases[] = {{5, 400.0, 21.0}, {3, 700.0, 0.0}};
    for (const Case& c : cases) {
        double lat = 0, lon = 0;
        ASSERT_TRUE(square_object(34, -118, c.type, &lat, &lon)) << "the bundled square has a type " << c.type;
        const double x = X_with_latlon(lat, lon), z = Z_with_lat(lat);
        const int k = slot_at(c.type, x, z);
        ASSERT_GE(k, 0) << "type " << c.type << " placed in a slot at its square's position";
        // Its base is level 0; its top the highest of its levels.
        const float base = obj_xyz[k][0][0][1];
        float top = base;
        for (int l = 1; l < 4; l++) top = std::fmax(top, obj_xyz[k][l][0][1]);
        ASSERT_GT(top - base, 20.0f);
        const double h = top - base;
        eye_at(x, base + 0.5 * h, z + c.dist, 0.0f, 0.0f);
        const Frame with = draw(2);
        const int type = obj_type[k];
        obj_type[k] = 0;
        const Frame without = draw(1);
        obj_type[k] = type;
        const Diff d = diff(with, without, 20);
        const Pixel foot = project(with, x, base, z), head = project(with, x, top, z);
        ASSERT_GT(d.n, 6) << "type " << c.type << " is drawn";
        const double slack_x = 2.0 + std::fabs(project(with, x + c.half_w, base, z).x - foot.x);
        EXPECT_NEAR(d.cx, foot.x, slack_x) << "type " << c.type << " across";
        EXPECT_GE(d.x0, foot.x - slack_x - 2.0) << "type " << c.type;
        EXPECT_LE(d.x1, foot.x + slack_x + 2.0) << "type " << c.type;
        // Its foot, or where the ground in front of it hides its lowest part.
        EXPECT_GE(d.y0, foot.y - 4.0) << "type " << c.type << ": its base";
        EXPECT_LE(d.y0, foot.y + 0.25 * (head.y - foot.y)) << "type " << c.type << ": its base";
        EXPECT_NEAR(d.y1, head.y, 4.0) << "type " << c.type << ": its top";
        if (HasFailure()) {
            save(with, "object_type" + std::to_string(c.type) + ".png");
            return;
        }
    }
}

// A tree near the start airport, 60 m off and looking at it from 8 m up: its cell's trees taken
// away change the pixels of its crown.
TEST_F(Objects, TreeStandsWhereItsCellPutsIt)
{
    int ti = -1, tj = -1;
    const int ai = static_cast<int>(interp(planexyz[0][0][0], 0.0f, planexyz[REGION_NI - 1][0][0], REGION_NI - 1.0f,
                                           static_cast<float>(X_with_latlon(34.09, -117.3))));
    const int aj = static_cast<int>(interp(planexyz[0][0][2], 0.0f, planexyz[0][REGION_NJ - 1][2], REGION_NJ - 1.0f,
                                           static_cast<float>(Z_with_lat(34.09))));
    for (int r = 0; r < 20 && ti < 0; r++)
        for (int i = ai - r; i <= ai + r && ti < 0; i++)
            for (int j = aj - r; j <= aj + r && ti < 0; j++)
                if (i > 0 && j > 0 && i < REGION_NI - 2 && j < REGION_NJ - 2 && tree_on_poly[i][j]) ti = i, tj = j;
    ASSERT_GE(ti, 0) << "trees near the start airport";
    const float* t = tree_xyz[ti][tj][0][0];
    eye_at(t[0], t[1] + 8.0, t[2] + 60.0, 0.0f, 0.0f);
    const Frame with = draw(2);
    tree_on_poly[ti][tj] = 0;
    const Frame without = draw(1);
    tree_on_poly[ti][tj] = 1;
    const Diff d = diff(with, without, 20);
    ASSERT_GT(d.n, 50) << "the tree is drawn";
    // The crown's middle, 12 m up the 20 m picture, changed.
    const Pixel crown = project(with, t[0], t[1] + 12.0, t[2]);
    const uint8_t* a = px_at(with, crown.x, crown.y);
    const uint8_t* b = px_at(without, crown.x, crown.y);
    ASSERT_TRUE(a && b);
    EXPECT_GT(std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]), 30) << "crown at its place";
    // 12 m wide, 20 m tall: the changed pixels of this tree reach its foot and the top fifth of its
    // picture, where the crown rounds off.
    const Pixel foot = project(with, t[0], t[1], t[2]), top = project(with, t[0], t[1] + 20.0, t[2]);
    EXPECT_LE(d.y0, foot.y + 3.0);
    EXPECT_GE(d.y1, top.y - 0.2 * (top.y - foot.y));
    EXPECT_LE(d.y1, top.y + 3.0);
    if (HasFailure()) save(with, "tree.png");
}

// The forest fire seen from 600 m south and 200 m above: its flames change the pixels of the 70 by
// 50 m picture standing at its place. (A fire set anew draws the smoke's every puff to it at once;
// here the smoke is first drawn to a fire 20 km away, so that none hides the flames looked at.)
TEST_F(Objects, FireBurnsWhereItWasSet)
{
    int f = -1;
    for (int k = 0; k < 10 && f < 0; k++)
        if (scn.fire_on[k]) f = k;
    ASSERT_GE(f, 0) << "the start region's mountains have a fire";
    const float p[3] = {scn.firexyz[f][0], scn.firexyz[f][1], scn.firexyz[f][2]};
    std::memset(scn.fire_on, 0, sizeof scn.fire_on);
    scn.fire_on[0] = 1;
    scn.firexyz[0][0] = p[0] + 20000.0f;
    eye_at(p[0], p[1] + 200.0, p[2] + 600.0, static_cast<float>(-std::atan2(175.0, 600.0) / DEG), 0.0f);
    set.ogl_trees = 0;
    draw(1);
    std::memcpy(scn.firexyz[1], p, sizeof p);
    scn.fire_on[1] = 1;
    const Frame with = draw(1);
    scn.fire_on[1] = 0;
    const Frame without = draw(1);
    const Diff d = diff(with, without, 30);
    save(with, "fire.png");
    ASSERT_GT(d.n, 30) << "the fire is drawn";
    const Pixel left = project(with, p[0] - 35.0, p[1], p[2]), right = project(with, p[0] + 35.0, p[1], p[2]);
    const Pixel top = project(with, p[0], p[1] + 50.0, p[2]);
    EXPECT_GT(d.cx, left.x);
    EXPECT_LT(d.cx, right.x);
    EXPECT_GT(d.cy, left.y - 2.0);
    EXPECT_LT(d.cy, top.y + 2.0);
    EXPECT_GE(d.x0, left.x - 2.0);
    EXPECT_LE(d.x1, right.x + 2.0);
}

// Over open country at 300 m looking level: at 01:00 the sky above the horizon is sprinkled with
// points brighter than it; at noon there are none.
TEST_F(Objects, StarsAboveTheHorizonAtNightAndNoneByDay)
{
    set.ogl_trees = 0;
    eye_at(X_with_latlon(34.5, -117.6), ground_at_latlon(34.5, -117.6) + 300.0, Z_with_lat(34.5), 0.0f, 30.0f);
    auto stars = [&](const Frame& f) {
        // Points brighter than both their left and right neighbours by 40, in the sky's upper part.
        int n = 0;
        for (int y = static_cast<int>(0.6 * f.h); y < f.h; y++)
            for (int x = 1; x + 1 < f.w; x++) {
                const int c = f.px(x, y)[0] + f.px(x, y)[1] + f.px(x, y)[2];
                const int l = f.px(x - 1, y)[0] + f.px(x - 1, y)[1] + f.px(x - 1, y)[2];
                const int r = f.px(x + 1, y)[0] + f.px(x + 1, y)[1] + f.px(x + 1, y)[2];
                n += c > l + 120 && c > r + 120 ? 1 : 0;
            }
        return n;
    };
    msc.locl_time = 1.0f * 3600.0f;
    const Frame night = draw(2);
    save(night, "stars_night.png");
    EXPECT_GT(stars(night), 60) << "stars at night";
    msc.locl_time = 12.0f * 3600.0f;
    const Frame day = draw(2);
    EXPECT_EQ(stars(day), 0) << "no star by day";
}

// Two custom objects side by side 500 m ahead, each three upright faces showing pictures A, B, A:
// every picture is bound once in the frame however the faces alternate, and both objects are drawn
// (the pixels around each change when they are taken away).
TEST_F(Objects, CustomObjectsSharingPicturesBindEachPictureOnce)
{
    set.ogl_trees = 0;
    const double ex = X_with_latlon(34.5, -117.6), ez = Z_with_lat(34.5);
    eye_at(ex, ground_at_latlon(34.5, -117.6) + 100.0, ez, 0.0f, 0.0f);
    int slots[2] = {-1, -1};
    for (int k = OBJ_MAX - 1, n = 0; k >= 0 && n < 2; k--)
        if (obj_type[k] == 0) slots[n++] = k;
    ASSERT_GE(slots[1], 0) << "two free object slots";
    const double z = ez - 500.0;
    for (int o = 0; o < 2; o++) {
        const int k = slots[o];
        const double mx = ex + (o == 0 ? -80.0 : 80.0);
        const float g = ground_at_latlon(lat_with_z(z), lon_with_xz(mx, z));
        obj_type[k] = 103;
        for (int l = 0; l < 3; l++) {
            const float x0 = static_cast<float>(mx - 45.0 + 30.0 * l), x1 = x0 + 30.0f, zz = static_cast<float>(z);
            const float c[4][3] = {{x0, g, zz}, {x0, g + 60.0f, zz}, {x1, g + 60.0f, zz}, {x1, g, zz}};
            std::memcpy(obj_xyz[k][l], c, sizeof c);
            obj_nrml[k][l][0] = obj_nrml[k][l][1] = 0.0f;
            obj_nrml[k][l][2] = 1.0f;
            obj_poltyp[k][l] = 4;
            obj_texrgb[k][l] = l == 1 ? TEX_OBJECT + 1 : TEX_OBJECT;
        }
    }
    draw(1);
    static int32_t binds[TEXTURES_COUNTED];
    binds_of_a_frame(binds);
    EXPECT_EQ(binds[TEX_OBJECT], 1) << "picture A";
    EXPECT_EQ(binds[TEX_OBJECT + 1], 1) << "picture B";
    const Frame with = read_frame();
    obj_type[slots[0]] = obj_type[slots[1]] = 0;
    const Frame without = draw(1);
    for (int o = 0; o < 2; o++) {
        const double mx = ex + (o == 0 ? -80.0 : 80.0);
        const float g = ground_at_latlon(lat_with_z(z), lon_with_xz(mx, z));
        const Pixel p = project(with, mx, g + 30.0, z);
        ASSERT_TRUE(p.in_front);
        const uint8_t* a = px_at(with, p.x, p.y);
        const uint8_t* b = px_at(without, p.x, p.y);
        ASSERT_TRUE(a && b) << "object " << o << " in the picture";
        EXPECT_GT(std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]), 30) << "object " << o;
    }
}

// A roof holds the aircraft up at its height; the low metal building has no roof to stand on.
TEST_F(Objects, RoofIsGroundForTheAircraftButNotWhereThereIsNone)
{
    double lat = 0, lon = 0;
    ASSERT_TRUE(square_object(34, -118, 5, &lat, &lon));
    const double x = X_with_latlon(lat, lon), z = Z_with_lat(lat);
    const int k = slot_at(5, x, z);
    ASSERT_GE(k, 0);
    const float roof = obj_xyz[k][3][0][1];
    eye_at(x, roof + 3.0, z, 0.0f, 0.0f);
    draw(1);
    EXPECT_EQ(env.over_obs, 1);
    EXPECT_EQ(env.surf_type, 62);
    EXPECT_FLOAT_EQ(env.obj_height, roof);
    atm.cld_type = 4, atm.baseMSL = roof - 100.0f, atm.topsMSL = roof;   // a sheet below the eye
    draw(1);
    EXPECT_EQ(env.over_obs, 1) << "the camera above an overcast";
    atm.cld_type = 1;
    // Beside it (half-width at the top 0.25 of 60 m = 15 m): nothing.
    eye_at(x + 40.0, roof + 3.0, z, 0.0f, 0.0f);
    draw(1);
    EXPECT_EQ(env.over_obs, 0);
    EXPECT_EQ(env.surf_type, 67);

    ASSERT_TRUE(square_object(34, -118, 6, &lat, &lon));
    const double x6 = X_with_latlon(lat, lon), z6 = Z_with_lat(lat);
    const int k6 = slot_at(6, x6, z6);
    ASSERT_GE(k6, 0);
    eye_at(x6, obj_xyz[k6][1][0][1] + 2.0, z6, 0.0f, 0.0f);
    draw(1);
    EXPECT_EQ(env.over_obs, 0) << "the low metal building has no roof";
}

// With no fire burning, the smoke's puffs wait rather than rise from the region's corner; a fire
// set anew draws every puff to it; once it is put out again, every puff that outlives its life is
// drawn no more, rather than hanging still in the sky at full size.
TEST_F(Objects, SmokeRisesOnlyFromBurningFires)
{
    set.ogl_trees = 0;
    eye_at(X_with_latlon(34.5, -117.6), ground_at_latlon(34.5, -117.6) + 300.0, Z_with_lat(34.5), 0.0f, 0.0f);
    const float fx = static_cast<float>(X_with_latlon(34.6, -117.6)), fz = static_cast<float>(Z_with_lat(34.6));
    for (int f = 0; f < 10; f++) {
        scn.fire_on[f] = 0;
        scn.firexyz[f][0] = fx + 5000.0f;   // moved: every puff's age is scattered past its life
        scn.firexyz[f][1] = 500.0f;
        scn.firexyz[f][2] = fz;
    }
    draw(1);
    const smoke_puff* puffs = smoke_puffs();
    for (int k = 0; k < 50; k++) {
        EXPECT_GT(puffs[k].age, 100.0f) << "puff " << k << " waits";
        EXPECT_GT(std::fabs(puffs[k].x - (fx + 5000.0f)) + std::fabs(puffs[k].z - fz), 1.0f) << "puff " << k;
        EXPECT_FALSE(std::fabs(puffs[k].x) < 1.0f && std::fabs(puffs[k].z) < 1.0f && puffs[k].size > 0.0f)
            << "puff " << k << " at the region's corner";
    }
    // The fires burn at a new place: every puff is reborn there, 20 m above it, this very frame.
    for (int f = 0; f < 10; f++) {
        scn.fire_on[f] = 1;
        scn.firexyz[f][0] = fx;
    }
    draw(1);
    for (int k = 0; k < 50; k++) {
        EXPECT_LT(puffs[k].age, 100.0f) << "puff " << k;
        EXPECT_NEAR(puffs[k].x, fx, 2.0f) << "puff " << k;
        EXPECT_NEAR(puffs[k].y, 520.0f, 2.0f) << "puff " << k;
        EXPECT_NEAR(puffs[k].size, 25.0f, 0.1f) << "puff " << k;
    }
    for (int f = 0; f < 10; f++) scn.fire_on[f] = 0;
    msc.prd = 1.0f;   // a period the flames' picture cycle still wraps over
    draw(110);
    for (int k = 0; k < 50; k++) EXPECT_LE(puffs[k].size, 0.0f) << "puff " << k << " still drawn";
}

// Two hundred night frames over the start airport with trees, city lights, building lights, the
// fire and the stars allocate nothing, and each frame binds every texture at most once (the
// roofs share the runway's plain pavement picture: twice). Lights give back the point size found.
TEST_F(Objects, NightFramesWithEverythingAllocateNothingAndBindOnce)
{
    msc.locl_time = 1.0f * 3600.0f;
    atm.vis_rep = 20.0f * con.nmtomtrs;
    eye_at(X_with_latlon(34.0954, -117.2349), ground_at_latlon(34.0954, -117.2349) + 3000.0, Z_with_lat(34.0954), -45.0f,
           0.0f);
    glPointSize(2.0f);
    draw(1);
    GLfloat point = 0.0f;
    glGetFloatv(GL_POINT_SIZE, &point);
    EXPECT_EQ(point, 2.0f) << "the size on a window scaled twice";
    ASSERT_TRUE(scn.city_lites_on);
    EXPECT_EQ(allocations_of_frames(200), 0);
    static int32_t binds[TEXTURES_COUNTED];
    binds_of_a_frame(binds);
    int buildings = 0;
    for (int t = 0; t < TEXTURES_COUNTED; t++) {
        EXPECT_LE(binds[t], t == 86 ? 2 : 1) << "texture " << t;
        if (t >= 117 && t <= 129) buildings += binds[t];
    }
    EXPECT_GE(buildings, 2) << "buildings and trees drawn";
    const Frame f = read_frame();
    save(f, "region_night_down.png");
}

}  // namespace
