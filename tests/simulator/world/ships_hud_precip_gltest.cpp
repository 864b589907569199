// ships_hud_precip_gltest.cpp -- the carrier, the frigate and the oil rig drawn where their cells put
// them, each texture bound once; both head-up displays at known states read back from the frame
// (tape readouts by their dot patterns, boresight and flight-path marker at their offsets, the
// synthetic display kept inside its rectangle); rain and snow on the windscreen under an overcast
// and none in clear air, their motion at a standstill, and the rain sound following the rate;
// and 200 frames of all of it allocating nothing.
#include "scenery_world.h"

#include "hl_sound.h"
#include "hud.h"
#include "kvglyphs.h"
#include "plt_audio.h"
#include "precip.h"
#include "scenery.h"
#include "ships.h"
#include "terrain.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

// Every operator new of this test program so far (the counting allocator).
long counted_allocations(void);

namespace {

constexpr double F_PX = 9.41 * 180.0 / 3.14159265358979;   // logical pixels per radian at zoom 1

enum Ship { CARRIER, FRIGATE, OILRIG, NO_SHIP };

class ShipsHudPrecip : public OutsideView {
protected:
    float mid[3] = {0, 0, 0};

    void SetUp() override
    {
        OutsideView::SetUp();
        fill_ship_models();
        int n;
        const lax_tex* fixed = load_texes_fixed(&n);
        for (int k = 0; k < n; k++)
            if (fixed[k].tex == 86 || (fixed[k].tex >= 117 && fixed[k].tex <= 122))
                OGL_texbmp(TEXBMP_FAMILY, fixed[k].tex, fixed[k].alpha, fixed[k].name);
        precip_reset();
        ins.HUD_on = 1;
        ins.hud_brt = 1;
        pln[0].HUDtype = 2;
        ASSERT_TRUE(sea_cell(&ci_, &cj_)) << "the start region has open sea";
    }

    // A water cell with water 4 cells all round, nearest the region's middle.
    static bool sea_cell(int* ci, int* cj)
    {
        int best = -1;
        for (int i = 6; i < REGION_NI - 7; i++)
            for (int j = 6; j < REGION_NJ - 7; j++) {
                bool all = true;
                for (int a = -4; a <= 4 && all; a++)
                    for (int b = -4; b <= 4 && all; b++) all = on_water[i + a][j + b] != 0;
                const int d = std::abs(i - REGION_NI / 2) + std::abs(j - REGION_NJ / 2);
                if (all && (best < 0 || d < best)) {
                    best = d;
                    *ci = i;
                    *cj = j;
                }
            }
        return best >= 0;
    }

    // Only this ship in the region (or none), in the sea cell; the terrain lists are rebuilt.
    void only(Ship s)
    {
        std::memset(carr_on_poly, 0, sizeof carr_on_poly);
        std::memset(frig_on_poly, 0, sizeof frig_on_poly);
        std::memset(oilr_on_poly, 0, sizeof oilr_on_poly);
        if (s == CARRIER) carr_on_poly[ci_][cj_] = 1;
        if (s == FRIGATE) frig_on_poly[ci_][cj_] = 1;
        if (s == OILRIG) oilr_on_poly[ci_][cj_] = 1;
        for (int n = 0; n < 3; n++) mid[n] = 0.5f * (planexyz[ci_][cj_][n] + planexyz[ci_ + 1][cj_ + 1][n]);
        terrain_region_changed();
    }

    // The camera `back` metres south of the cell middle, `up` above it, looking north, level.
    void look_from(float back, float up)
    {
        const float x = mid[0], z = mid[2] + back;
        place(lat_with_z(z), lon_with_xz(x, z), 0.0f, 0.0f, 0.0f, 0.0f);
        flt.X[0] = x;
        flt.Z[0] = z;
        flt.Y[0] = mid[1] + up;
    }

    // The logical point where the model point (x, y, z) of the ship shows from look_from(back, up).
    static void project(float back, float up, float x, float y, float z, float* sx, float* sy)
    {
        const double d = back - z;
        *sx = static_cast<float>(400.0 + F_PX * x / d);
        *sy = static_cast<float>(300.0 + F_PX * (y - up) / d);
    }

    // The view without and then with the synthetic head-up display.
    void synthetic_frames(Frame* off, Frame* on)
    {
        pln[0].HUDtype = 3;
        ins.HOOP_on = 0;
        *off = draw();
        ins.HOOP_on = 1;
        *on = draw();
    }

    int ci_ = 0, cj_ = 0;
};

double box_diff(const Frame& a, const Frame& b, int x0, int y0, int x1, int y1)
{
    const Rgb p = mean_rgb(a, x0, y0, x1, y1), q = mean_rgb(b, x0, y0, x1, y1);
    return std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
}

// Each ship stands where its cell puts it: the pixels around its projected deck change when it is
// there, those well beside it do not; its textures are bound once each in the frame.
TEST_F(ShipsHudPrecip, ShipsDrawnAtTheirCellsEachTextureBoundOnce)
{
    struct Row {
        const char* name;
        Ship ship;
        float back, up;
        float deck[3];        // a model point on its deck
        int textures[5];      // the textures it binds, 0 ends
    } rows[] = {
        {"carrier", CARRIER, 500.0f, 40.0f, {0, 21, 0}, {117, 118, 119, 121, 122}},
        {"frigate", FRIGATE, 300.0f, 20.0f, {0, 8, 0}, {117, 119, 120, 122, 0}},
        {"oil rig", OILRIG, 400.0f, 70.0f, {0, 55, 0}, {86, 117, 119, 120, 0}},
    };
    for (const Row& r : rows) {
        only(NO_SHIP);
        look_from(r.back, r.up);
        const Frame sea = draw(2);
        only(r.ship);
        const Frame with = draw(2);
        float sx, sy;
        project(r.back, r.up, r.deck[0], r.deck[1], r.deck[2], &sx, &sy);
        const int px = static_cast<int>(sx), py = pixel_row(sy);
        EXPECT_GT(box_diff(with, sea, px - 8, py - 3, px + 8, py + 3), 30.0) << r.name << " not at its cell";
        EXPECT_LT(box_diff(with, sea, px - 300, py - 20, px - 250, py + 20), 3.0) << r.name << " drawn beside its cell";
        const ship_stats& st = ship_last_stats();
        EXPECT_EQ(st.ships, 1) << r.name;
        for (int t = 0; t < SHIP_TEX_MAX; t++) {
            bool used = false;
            for (int u : r.textures) used = used || (u != 0 && u == t);
            EXPECT_EQ(st.binds[t], used ? 1 : 0) << r.name << " texture " << t;
        }
        save(with, std::string("ship_") + (r.ship == CARRIER ? "carrier" : r.ship == FRIGATE ? "frigate" : "oilrig") + ".png");
    }
}

// Three ships in view at once: each texture is bound once in the frame, not once a ship, and each
// ship stands where its cell puts it, the carrier's pixels the same as when it is alone.
TEST_F(ShipsHudPrecip, ShipsInViewTogetherBindEachTextureOnceAndEachStandsAsAlone)
{
    only(CARRIER);
    look_from(500.0f, 40.0f);
    const Frame alone = draw(2);
    // A frigate and an oil rig two cells north, one cell to each side.
    const int north = planexyz[ci_][cj_ + 1][2] < planexyz[ci_][cj_][2] ? 1 : -1;
    const int cells[2][2] = {{ci_ - 1, cj_ + 2 * north}, {ci_ + 1, cj_ + 2 * north}};
    frig_on_poly[cells[0][0]][cells[0][1]] = 1;
    oilr_on_poly[cells[1][0]][cells[1][1]] = 1;
    terrain_region_changed();
    const Frame together = draw(2);
    save(together, "ships_together.png");
    const ship_stats& st = ship_last_stats();
    EXPECT_EQ(st.ships, 3);
    for (int t = 0; t < SHIP_TEX_MAX; t++) {
        const bool used = t == 86 || (t >= 117 && t <= 122);
        EXPECT_EQ(st.binds[t], used ? 1 : 0) << "texture " << t;
    }
    // The carrier, from its stern to its bow at the middle of the view, as it was alone.
    float sx, sy, bx, by;
    project(500.0f, 40.0f, 0.0f, 21.0f, 150.0f, &sx, &sy);
    project(500.0f, 40.0f, 0.0f, 21.0f, -150.0f, &bx, &by);
    EXPECT_LT(box_diff(together, alone, 370, pixel_row(sy), 430, pixel_row(by)), 0.5);
    // The others where their cells put them: a point on each one's deck, seen from the camera.
    const float cam[3] = {mid[0], mid[1] + 40.0f, mid[2] + 500.0f};
    const float deck_y[2] = {8.0f, 55.0f};
    for (int n = 0; n < 2; n++) {
        const int i = cells[n][0], j = cells[n][1];
        float m2[3];
        for (int c = 0; c < 3; c++) m2[c] = 0.5f * (planexyz[i][j][c] + planexyz[i + 1][j + 1][c]);
        const double d = cam[2] - m2[2];
        ASSERT_GT(d, 1000.0) << "the cell lies ahead";
        const int px = static_cast<int>(400.0 + F_PX * (m2[0] - cam[0]) / d);
        const int py = pixel_row(static_cast<float>(300.0 + F_PX * (m2[1] + deck_y[n] - cam[1]) / d));
        ASSERT_TRUE(px > 10 && px < 790) << n << " in view";
        EXPECT_GT(box_diff(together, alone, px - 2, py - 1, px + 2, py + 1), 20.0) << (n ? "oil rig" : "frigate");
    }
}

// The carrier's deck by day from astern and above, its lights at night, and the ball: the aircraft
// high on the approach sees the top light of the column lit.
TEST_F(ShipsHudPrecip, CarrierAtNightShowsItsDeckLightsAndTheBall)
{
    only(CARRIER);
    look_from(1200.0f, 21.0f + 23.0f + 1124.0f * std::tan(6.0f * 3.14159265f / 180.0f));
    msc.locl_time = 1.0f * 3600.0f;
    const Frame night = draw(2);
    save(night, "ship_carrier_night.png");
    ASSERT_TRUE(scn.rway_lites_on);
    // Lights of the three deck rows: a lit point within a pixel or two of where each projects.
    int lit = 0;
    for (int k : {5, 10, 15, 30, 50}) {
        float sx, sy;
        project(1200.0f, static_cast<float>(flt.Y[0]) - mid[1], carr_lxyz[k][0], carr_lxyz[k][1], carr_lxyz[k][2], &sx, &sy);
        int found = 0;
        for (int dy = -3; dy <= 3; dy++)
            for (int dx = -3; dx <= 3; dx++) {
                const uint8_t* p = night.at(sx + dx, sy + dy);
                found |= p[0] + p[1] + p[2] > 300;
            }
        lit += found;
    }
    // And the night sea well beside the ship stays dark.
    const Rgb sea = mean_rgb(night, 100, 200, 200, 260);
    EXPECT_LT(sea.r + sea.g + sea.b, 60.0);
    EXPECT_GE(lit, 4) << "the deck lights are lit points";
    EXPECT_EQ(carr_ball_step(atc.cardxyz[0], atc.cardxyz[1], atc.cardxyz[2]), 2);
}

// Standing on the deck, the aircraft finds it under its wheels whichever way the view looks and
// wherever it puts the camera, also with the follow views pulled back and up above an overcast
// that hides the ship: whole-second frames take each outside camera all the way there.
TEST_F(ShipsHudPrecip, DeckHoldsTheAircraftInEveryView)
{
    only(CARRIER);
    msc.prd = 1.0f;
    // Clear; an overcast from 300 to 600 m with the follow camera 1500 m out and 0.6 rad up (870 m).
    const struct { int cld_type; float base, tops, dist, up; } skies[] = {{1, 3000, 3500, 12, 0}, {4, 300, 600, 1500, 0.6f}};
    const int views[] = {500, 501, 502, 504, 505, 506, 507, 508, 509, 511, 513, 514, 516, 517, 518, 519, 521, 522};
    for (const auto& sky : skies) {
        atm.cld_type = sky.cld_type, atm.baseMSL = sky.base, atm.topsMSL = sky.tops;
        scn.dist = sky.dist, msc.freeviewY = sky.up;
        for (float heading : {0.0f, 90.0f, 180.0f, 270.0f}) {
            for (int v : views) {
                look_from(-30.0f, 21.0f + 2.0f);   // 30 m forward of the middle, on the deck
                flt.psi[0] = heading;
                set.view_type = v;
                draw();
                EXPECT_EQ(env.over_carr, 1) << "view " << v << " heading " << heading << " cloud type " << sky.cld_type;
            }
        }
    }
}

// ---- head-up displays -------------------------------------------------------------------------------

// Counts the dots of text where the pinned glyphs say they are lit (or unlit) in colour k.
int glyph_mismatches(const Frame& f, float x, float y, const char* text, int k)
{
    int bad = 0;
    for (int n = 0; text[n]; n++) {
        const uint8_t* rows = pinned_rows(text[n]);
        if (!rows) return 99;
        for (int r = 0; r < 7; r++)
            for (int c = 0; c < 5; c++) {
                const bool on = (rows[r] >> (4 - c)) & 1;
                if (f.is_color(x + 6.0f * n + c, y + 6.0f - r, k, 6) != on) bad++;
            }
    }
    return bad;
}

TEST_F(ShipsHudPrecip, NormalHudShowsSpeedAltitudeAndHeadingWhereTheyBelong)
{
    only(NO_SHIP);
    place(34.0, -117.4, 1500.0f, 0.0f, 271.0f, 0.0f);
    set.view_type = VIEW_FULL_HUD;
    struct Row {
        int brt, colour;
        float vind, hind_ft, magpsi;
        const char *speed, *alt, *hdg;
    } rows[] = {
        {1, 47, 123.0f, 4500.0f, 271.0f, "123", "0045", "271"},
        {0, 49, 87.0f, 12300.0f, 5.0f, "087", "0123", "005"},
    };
    for (const Row& r : rows) {
        ins.hud_brt = r.brt;
        flt.vind = r.vind;
        flt.hind = r.hind_ft / con.mtrstoft;
        flt.magpsi = r.magpsi;
        flt.Alph = 0.0f;
        flt.Beta = 0.0f;
        const Frame f = draw();
        // The full-screen view: centre (400, 300), the display 160 each side and 120 up and down.
        ASSERT_EQ(con.HUD_lft, 240.0f);
        ASSERT_EQ(con.HUD_top, 420.0f);
        EXPECT_EQ(glyph_mismatches(f, 240.0f + 35.0f, 297.0f, r.speed, r.colour), 0) << r.speed;
        EXPECT_EQ(glyph_mismatches(f, 560.0f - 57.0f, 297.0f, r.alt, r.colour), 0) << r.alt;
        EXPECT_EQ(glyph_mismatches(f, 392.0f, 420.0f - 32.0f, r.hdg, r.colour), 0) << r.hdg;
        // The boresight's arms through the centre.
        for (float d : {-9.0f, -4.0f, 4.0f, 9.0f}) {
            EXPECT_TRUE(f.is_color(400.0f + d, 300.0f, r.colour, 6)) << d;
            EXPECT_TRUE(f.is_color(400.0f, 300.0f + d, r.colour, 6)) << d;
        }
        if (HasFailure()) save(f, "hud_normal.png");
    }
    save(draw(), "hud_normal.png");
}

TEST_F(ShipsHudPrecip, BoresightAndFlightPathMarkerByViewAndAttitude)
{
    only(NO_SHIP);
    place(34.0, -117.4, 1500.0f, 0.0f, 90.0f, 0.0f);
    struct Row {
        int view;
        float alpha, beta;
        float bore_y;       // logical
        float fpm_x, fpm_y; // the marker's centre
    } rows[] = {
        {VIEW_FULL_HUD, 0.0f, 0.0f, 300.0f, 400.0f, 300.0f},
        {VIEW_FULL_HUD, 5.0f, -3.0f, 300.0f, 428.23f, 252.95f},   // 400 + 3 x 9.41, 300 - 5 x 9.41
        {VIEW_DOWN8, 0.0f, 0.0f, 375.28f, 400.0f, 375.28f},       // 8 x 9.41 above the centre
        {VIEW_FULL_HUD, -40.0f, 40.0f, 300.0f, 242.0f, 418.0f},   // stops 2 inside the edges
    };
    for (const Row& r : rows) {
        set.view_type = r.view;
        flt.Alph = r.alpha;
        flt.Beta = r.beta;
        const Frame f = draw();
        const hud_marks m = hud_marks_at(r.view, r.alpha, r.beta);
        EXPECT_NEAR(m.bore_y, r.bore_y, 0.01f);
        EXPECT_NEAR(m.fpm_x, r.fpm_x, 0.01f);
        EXPECT_NEAR(m.fpm_y, r.fpm_y, 0.01f);
        // The cross's horizontal arm and the marker's outline, read back.
        EXPECT_TRUE(f.is_color(392.0f, std::round(r.bore_y), 47, 6)) << r.view;
        EXPECT_TRUE(f.is_color(std::round(r.fpm_x + 2.0f), std::round(r.fpm_y), 47, 6)) << r.alpha << " " << r.beta;
        if (HasFailure()) save(f, "hud_marks.png");
    }
}

TEST_F(ShipsHudPrecip, FullScreenWithHudDiffersFromWithoutAndSyntheticHudStaysInside)
{
    only(NO_SHIP);
    place(34.05, -117.3, 400.0f, -5.0f, 250.0f, 0.0f);
    set.view_type = 522;
    const Frame plain = draw();
    set.view_type = VIEW_FULL_HUD;
    const Frame hud = draw();
    EXPECT_GT(box_diff(hud, plain, 240, 180, 560, 420), 1.0) << "the HUD view shows its display";

    // The synthetic display: drawn in the scene, clipped to the display's rectangle.
    set.view_type = VIEW_FORWARD;
    Frame off, on;
    synthetic_frames(&off, &on);
    save(on, "hud_synthetic.png");
    int inside = 0, outside = 0, grid = 0;
    for (int y = 0; y < on.h; y++)
        for (int x = 0; x < on.w; x++) {
            const uint8_t *a = on.px(x, y), *b = off.px(x, y);
            if (a[0] == b[0] && a[1] == b[1] && a[2] == b[2]) continue;
            const bool in = x >= 240 && x < 560 && y >= 180 && y < 420;
            (in ? inside : outside)++;
            grid += in && (on.is_color(static_cast<float>(x), static_cast<float>(y), 48, 3) ||
                           on.is_color(static_cast<float>(x), static_cast<float>(y), 49, 3));
        }
    EXPECT_GT(inside, 200);
    EXPECT_GT(grid, 100) << "the terrain grid in its shades";
    EXPECT_EQ(outside, 0) << "the scissor keeps it inside the display";
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
}

// The synthetic display's grid lies on the terrain's own points, yet its lines are drawn whole, not
// broken where the ground they lie on wins the depth test: a row of the grid a few cells ahead,
// projected by hand from the eye, shows along its whole length inside the display.
TEST_F(ShipsHudPrecip, SyntheticGridLinesLieWholeOnTheGround)
{
    only(NO_SHIP);
    place(34.05, -117.3, 400.0f, 0.0f, 0.0f, 0.0f);   // level, looking north
    set.view_type = VIEW_FULL_HUD;
    Frame off, on;
    synthetic_frames(&off, &on);
    const int vi = env.i_viewpoint, vj = env.j_viewpoint;
    const int north = planexyz[vi][vj + 1][2] < planexyz[vi][vj][2] ? 1 : -1;
    const int j = vj + 3 * north;
    const double cx = flt.X[0], cy = flt.Y[0], cz = flt.Z[0];
    int sampled = 0, shown = 0;
    for (int i = vi - 10; i < vi + 9; i++) {
        const float* a = planexyz[i][j];
        const float* b = planexyz[i + 1][j];
        const double ax = 400.0 + F_PX * (a[0] - cx) / (cz - a[2]), ay = 300.0 + F_PX * (a[1] - cy) / (cz - a[2]);
        const double bx = 400.0 + F_PX * (b[0] - cx) / (cz - b[2]), by = 300.0 + F_PX * (b[1] - cy) / (cz - b[2]);
        for (double x = std::ceil(ax); x <= bx; x += 2.0) {
            if (x < 280.0 || x > 520.0) continue;   // clear of the tapes
            const double y = ay + (by - ay) * (x - ax) / (bx - ax);
            ASSERT_TRUE(y > 190.0 && y < 410.0) << "the row lies inside the display";
            bool lit = false;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    const uint8_t *p = on.at(static_cast<float>(x + dx), static_cast<float>(y + dy));
                    const uint8_t *q = off.at(static_cast<float>(x + dx), static_cast<float>(y + dy));
                    lit = lit || p[1] - q[1] > 40;
                }
            sampled++;
            shown += lit;
        }
    }
    ASSERT_GT(sampled, 100);
    EXPECT_GT(shown, sampled * 95 / 100) << shown << " of " << sampled;
    if (HasFailure()) save(on, "hud_synthetic_row.png");
}

TEST(HudGates, EightGatesRiseAlongA286DegreePath)
{
    const float m[3] = {1000.0f, 50.0f, 2000.0f};
    struct Row {
        int k;
        float d;
    } rows[] = {{0, 628.539f}, {7, 6000.0f}, {3, 2484.52f}};   // 6000 ((k + 2) / 9)^1.5
    for (const Row& r : rows) {
        const hud_gate g = hud_gate_at(r.k, m, 90.0f);   // runway heading east: gates lie west
        EXPECT_NEAR(g.d, r.d, 0.05f);
        EXPECT_NEAR(g.x, 1000.0f - r.d, 0.05f);
        EXPECT_NEAR(g.z, 2000.0f, 0.01f);
        EXPECT_NEAR(g.y, 50.0f + 0.05f * r.d, 0.01f);
        EXPECT_NEAR(g.half, 0.02f * r.d, 0.01f);
        EXPECT_NEAR(std::atan2(g.y - 50.0f, r.d) * 180.0f / 3.14159265f, 2.862f, 0.01f);
    }
    const hud_gate n = hud_gate_at(0, m, 0.0f);   // heading north: the gates lie south (z up)
    EXPECT_NEAR(n.z, 2000.0f + 628.539f, 0.05f);
    EXPECT_NEAR(n.x, 1000.0f, 0.01f);
}

// ---- precipitation -------------------------------------------------------------------------------------

class Precip : public ShipsHudPrecip {
protected:
    void overcast(float level, float rain_tstm, float temp_f)
    {
        only(NO_SHIP);
        place(34.05, -117.3, 300.0f, 0.0f, 250.0f, 0.0f);
        set.view_type = 522;
        atm.cld_type = 4;
        atm.baseMSL = flt.Y[0] + 1000.0f;
        atm.topsMSL = atm.baseMSL + 1000.0f;
        atm.level = level;
        atm.rain_tstm = rain_tstm;
        atm.temp_SL = temp_f;
    }
};

TEST_F(Precip, RainOnTheWindscreenUnderARainReportAndNoneInClearAir)
{
    overcast(0.0f, 1.0f, 59.0f);
    const Frame dry = draw(3);
    EXPECT_EQ(atm.prec_rat, 0.0f);
    EXPECT_EQ(precip_last_state().drawn, 0);
    // Moderate rain reported: the storm level 3.5 and the intensity 2 around the aircraft.
    overcast(2.0f, 3.5f, 59.0f);
    flt.vind = 100.0f;
    const Frame wet = draw(30);
    save(wet, "precip_rain.png");
    EXPECT_NEAR(atm.prec_rat, (0.5f + 0.625f) * 0.5f, 1e-5f);
    EXPECT_GT(precip_last_state().drawn, 80);
    int changed = 0;
    for (int y = 0; y < wet.h; y++)
        for (int x = 0; x < wet.w; x++) changed += std::abs(wet.px(x, y)[1] - dry.px(x, y)[1]) > 20;
    EXPECT_GT(changed, 200) << "streaks over the view";
    // Out of the cloud into clear air: the rate drops to 0, nothing is drawn.
    atm.cld_type = 1;
    draw();
    EXPECT_EQ(atm.prec_rat, 0.0f);
}

TEST_F(Precip, AtAStandstillRainFallsFifteenAndSnowFourThousandOverDepthPerSecond)
{
    for (float temp : {59.0f, 20.0f}) {
        overcast(4.0f, 5.0f, temp);
        flt.vind = 0.0f;
        flt.vX = flt.vY = flt.vZ = 0.0;
        flt.av = 0.0f;
        draw(3);   // every particle reborn inside the view
        const precip_state before = precip_last_state();
        draw();
        const precip_state& after = precip_last_state();
        int checked = 0;
        for (int i = 0; i < PRECIP_MAX - 1; i++) {
            if (i == after.quickdrop || i == before.quickdrop) continue;
            const float dy = after.y[i] - before.y[i];
            if (std::fabs(dy) > 5.0f || after.y[i] < 1.0f) continue;   // reborn this frame
            const float want = temp > 32.0f ? -15.0f / 60.0f : -4000.0f / 60.0f / before.z[i];
            EXPECT_NEAR(dy, want, 1e-3f) << i;
            EXPECT_NEAR(after.x[i], before.x[i], 1e-4f) << i;
            checked++;
        }
        EXPECT_GT(checked, 150) << temp;
        if (temp < 32.0f) save(draw(), "precip_snow.png");
    }
}

TEST_F(Precip, RainSoundRisesWithTheRate)
{
    msc.sound_avail = 1;
    msc.sound_on = 1;
    fill_buffer(SND_RAIN);
    ASSERT_TRUE(PLT_voice_loaded(SND_RAIN));
    pln[0].Vne = 0.0f;   // the rain's own level at rest: 0.5 times the rate
    int last = -6000;
    for (float r : {0.25f, 0.5f, 1.0f}) {
        overcast(4.0f * r, 1.0f + 4.0f * r, 59.0f);
        draw();
        EXPECT_NEAR(atm.prec_rat, r, 1e-5f);
        maintain_windrain_sound();
        const int v = PLT_voice_volume(SND_RAIN);
        EXPECT_NEAR(v, -5000.0f + 5000.0f * 0.5f * r, 1.0f) << r;
        EXPECT_GT(v, last);
        last = v;
    }
    PLT_voice_free(SND_RAIN);
}

// ---- no allocation ------------------------------------------------------------------------------------

TEST_F(ShipsHudPrecip, TwoHundredFramesOfShipsHudsAndPrecipitationAllocateNothing)
{
    only(CARRIER);
    frig_on_poly[ci_ + 2][cj_] = 1;
    oilr_on_poly[ci_][cj_ + 2] = 1;
    terrain_region_changed();
    look_from(900.0f, 60.0f);
    pln[0].HUDtype = 3;
    ins.HOOP_on = 1;
    nav.goodnav[1] = 1;
    nav.hdef[1] = 1.5f;
    nav.vdef[1] = -0.5f;
    atm.cld_type = 4;
    atm.baseMSL = 2000.0f;
    atm.topsMSL = 2500.0f;
    atm.level = 3.0f;
    atm.rain_tstm = 4.0f;
    flt.vind = 90.0f;
    flt.av = 45.0f;
    draw();
    // Every view, both hours and both kinds of precipitation once: the software renderer builds
    // each new drawing state's code the first time it meets it (with the allocator in use), in a
    // cache the earlier tests of the binary may have filled: one pass of none after the first will do.
    const int views[] = {500, 501, 502, 521, 522, 506, 511, 516};
    long allocated = -1;
    for (int pass = 0; pass < 4 && allocated != 0; pass++) {
        const long before = counted_allocations();
        for (int k = 0; k < 200; k++) {
            set.view_type = views[k % 8];
            atm.temp_SL = k < 100 ? 59.0f : 20.0f;
            msc.locl_time = (k % 2 ? 12.0f : 1.0f) * 3600.0f;
            update_scenery();
        }
        if (pass > 0) allocated = counted_allocations() - before;
    }
    EXPECT_EQ(allocated, 0);
    EXPECT_GE(ship_last_stats().ships, 1);
}

}  // namespace
