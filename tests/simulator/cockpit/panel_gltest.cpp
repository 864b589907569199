// panel_gltest.cpp -- the panel drawn on an offscreen window with the bundled aircraft and the
// generated pictures: the static face in window 0's picture and in its tiles, each flight
// instrument's needle or picture read back at known flight states, failed instruments frozen, the
// glass panel's primary display gone with its display, and pictures of whole panels in
// build/pictures.
#include "alloc_count.h"
#include "panel_screen.h"

#include <algorithm>

TEST_F(PanelScreen, StaticFaceIsInTheWindowPictureAndItsTiles)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const planestruct& pl = pln[0];
    EXPECT_EQ(pl.cp, 0);
    // The panel's paint, the airspeed dial's dark face and the altimeter's numeral 0 straight up.
    auto pic = [](float x, float y) { return rgb_of(rgb_array[static_cast<int>(y)][static_cast<int>(x)]); };
    EXPECT_EQ(pic(260, 150), 0x32353Au);
    const float ax = ins.x_loc[1], ay = ins.y_loc[1];
    EXPECT_LT(pic(ax + 20, ay - 10) & 0xFF, 30u);
    bool numeral = false;
    for (int dy = 36; dy <= 46; dy++) numeral |= pic(ins.x_loc[3], ins.y_loc[3] + dy) == 0xEEEEE8u;
    EXPECT_TRUE(numeral);
    // The airspeed scale: the never-exceed line in red at Vne's angle, a tick at the dial's start,
    // the green arc between Vs and Vno.
    auto dial = [&](float v, float r) {
        const float a = static_cast<float>(asi_angle(v)) * 3.14159265f / 180.0f;
        return pic(std::lround(ax + r * std::sin(a)), std::lround(ay + r * std::cos(a)));
    };
    EXPECT_EQ(dial(pl.Vne, 42), colour_of(8));
    EXPECT_EQ(dial(pl.Vmin, 40), colour_of(0));
    EXPECT_EQ(dial(0.5f * (pl.Vs + pl.Vno), 39), colour_of(7));
    // The vertical speed scale's zero at the left, labelled "0" at radius 50.
    EXPECT_EQ(pic(ins.x_loc[7] - 41, ins.y_loc[7]), colour_of(0));

    // The tiles carry the same picture: the panel drawn over a blank screen matches it pixel for pixel.
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    OGL_plot_background();
    const Frame f = read_frame();
    int same = 0, checked = 0;
    for (int y = 2; y < 330; y += 7)
        for (int x = 2; x < 798; x += 11) {
            checked++;
            same += rgb_of(f.at(static_cast<float>(x), static_cast<float>(y))) == pic(x, y);
        }
    EXPECT_EQ(same, checked);
    save(frame(), "panel_static_cessna");
}

// An aircraft with its own panel picture beside its file ("<name> panl.BMP", 800 by 333) shows that
// picture instead of the standard panel, its instrument faces, the radio stack and the lever plates;
// the airspeed scale is still drawn on it, the vertical-speed scale is not.
TEST_F(PanelScreen, AnAircraftsOwnPanelPictureReplacesTheStandardFaces)
{
    const std::string acf = dir.write("Own Panel/Own Trainer.acf", read_file(fh_bundled(FH_TRAINER)));
    dir.write("Own Panel/Own Trainer PANL.BMP", bmp_bytes(800, 333, 20, 120, 60));
    ASSERT_NO_FATAL_FAILURE(fly(acf.c_str(), false));
    const planestruct& pl = pln[0];
    EXPECT_EQ(pl.cp, 1);
    auto pic = [](float x, float y) { return rgb_of(rgb_array[std::lround(y)][std::lround(x)]); };
    const uint32_t own = 0x14783Cu;
    // Inside the airspeed and vertical-speed faces, on the radio stack and on the trim plate.
    EXPECT_EQ(pic(ins.x_loc[1] + 20, ins.y_loc[1] - 10), own);
    EXPECT_EQ(pic(ins.x_loc[7] + 20, ins.y_loc[7] + 20), own);
    EXPECT_EQ(pic(ins.x_loc[11] + 560, 150), own);
    EXPECT_EQ(pic(ins.x_loc[12] + 790, 100), own);
    // The airspeed scale's red line; the vertical-speed scale's zero tick is missing.
    const float a = static_cast<float>(asi_angle(pl.Vne)) * 3.14159265f / 180.0f;
    EXPECT_EQ(pic(ins.x_loc[1] + 42 * std::sin(a), ins.y_loc[1] + 42 * std::cos(a)), colour_of(8));
    EXPECT_EQ(pic(ins.x_loc[7] - 41, ins.y_loc[7]), own);
    // The status strip is the standard one still.
    EXPECT_NE(pic(200, 575), own);
    EXPECT_NE(pic(200, 575), 0u);
    EXPECT_TRUE(recorded_alerts().empty());

    // Without the picture, the standard faces come back.
    std::filesystem::remove(dir.path() / "Own Panel/Own Trainer PANL.BMP");
    ASSERT_NO_FATAL_FAILURE(fly(acf.c_str(), false));
    EXPECT_EQ(pln[0].cp, 0);
    EXPECT_NE(pic(ins.x_loc[1] + 20, ins.y_loc[1] - 10), own);
    EXPECT_EQ(pic(ins.x_loc[7] - 41, ins.y_loc[7]), colour_of(0));
}

// A helicopter's airspeed dial carries only its never-exceed line: no flap, normal or caution
// range, even with those speeds in its file; the same dial on an aeroplane has all three.
TEST_F(PanelScreen, HelicopterAirspeedDialHasOnlyItsRedLine)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_HELI));
    planestruct& pl = pln[0];
    ASSERT_TRUE(pl.is_heli);
    pl.Vso = 20.0f;
    pl.Vs = 30.0f;
    pl.Vfe = 90.0f;
    pl.Vno = 110.0f;
    const float ax = ins.x_loc[1], ay = ins.y_loc[1];
    auto pic = [&](float v, float r) {
        const float a = static_cast<float>(asi_angle(v)) * 3.14159265f / 180.0f;
        return rgb_of(rgb_array[std::lround(ay + r * std::cos(a))][std::lround(ax + r * std::sin(a))]);
    };
    for (int heli : {1, 0}) {
        SCOPED_TRACE(heli ? "helicopter" : "aeroplane");
        pl.is_heli = heli;
        MACIBM_startwind(0);
        int flap = 0, normal = 0, caution = 0;
        for (float v = 22.0f; v <= 88.0f; v += 1.0f) flap += pic(v, 36.6f) == colour_of(0);
        for (float v = 32.0f; v <= 108.0f; v += 1.0f) normal += pic(v, 39.0f) == colour_of(7);
        for (float v = 112.0f; v <= 128.0f; v += 1.0f) caution += pic(v, 39.0f) == colour_of(9);
        if (heli) {
            EXPECT_EQ(flap + normal + caution, 0);
        } else {
            EXPECT_GT(flap, 50);
            EXPECT_GT(normal, 60);
            EXPECT_GT(caution, 12);
        }
        EXPECT_EQ(pic(pl.Vne, 43.0f), colour_of(8));
    }
}

// Whether colour k is in window 0's picture within a pixel of the point at radius r and angle a
// (degrees clockwise from up) from (x, y).
bool picture_has(int k, float x, float y, float a, float r)
{
    const float t = a * 3.14159265f / 180.0f;
    const int px = static_cast<int>(std::lround(x + r * std::sin(t))), py = static_cast<int>(std::lround(y + r * std::cos(t)));
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            if (rgb_of(rgb_array[py + dy][px + dx]) == colour_of(k)) return true;
    return false;
}

// The engine gauges' scales: on the trainer's round tachometer (2,600 rpm full scale, the red line's
// 2,400 taken up to the gauge's next step, over 270 degrees clockwise from straight down) zero stands
// at the bottom, full scale at the right and the red line at 2,400 rpm 249 degrees round; on the bomber's N1 tapes (one pixel a percent up from y 171) a
// tick every 2 percent and a long one every 10.
TEST_F(PanelScreen, EngineScalesStandWhereTheirValuesAre)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    ASSERT_NEAR(ins.tactoINS, 270.0f / 2600.0f, 1e-6f);
    const float x = ins.x_loc[12] + en_x[1][0], y = en_y[1];
    EXPECT_TRUE(picture_has(0, x, y, 180, 22.5f));
    EXPECT_TRUE(picture_has(0, x, y, 90, 22.5f));
    EXPECT_TRUE(picture_has(8, x, y, 180 + 249, 24.0f));
    EXPECT_FALSE(picture_has(8, x, y, 180 + 249 - 12, 24.0f));
    EXPECT_FALSE(picture_has(8, x, y, 180 + 200, 24.0f));

    ASSERT_NO_FATAL_FAILURE(fly("planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf"));
    ASSERT_EQ(pln[0].tape, 1);
    const int tx = static_cast<int>(ins.x_loc[12] + en_x[1][0]), ty = static_cast<int>(en_y[1]);
    std::string every2, every10, want2, want10;
    for (int v = 0; v <= 90; v++) {
        // Every tick reaches 6 left of the tape's edge; only the long ones 9 left.
        every2 += rgb_of(rgb_array[ty + v][tx - 6]) == colour_of(0) ? '|' : '.';
        every10 += rgb_of(rgb_array[ty + v][tx - 9]) == colour_of(0) ? '|' : '.';
        want2 += v % 2 == 0 ? '|' : '.';
        want10 += v % 10 == 0 ? '|' : '.';
    }
    EXPECT_EQ(every2, want2);
    EXPECT_EQ(every10, want10);
}

TEST_F(PanelScreen, AirspeedNeedleStandsAtTheDialLaw)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const planestruct& pl = pln[0];
    const float per_knot = pl.asi_units == 2 ? 1.0f : 1.150779f;
    for (float kts : {60.0f, 95.0f, 130.0f}) {
        flt.vind = kts;
        Frame f = frame();
        // The linear dial worked out from its ends: 330 degrees from Vmin to Vmax.
        const float v = kts * per_knot;
        const int want = static_cast<int>(330.0f * (v - pl.Vmin) / (pl.Vmax - pl.Vmin));
        EXPECT_EQ(panel_needle_state().asi_angle, want) << kts;
        EXPECT_TRUE(white_at(f, 1, static_cast<float>(want), 34)) << kts;
        EXPECT_TRUE(face_at(f, 1, want + 25.0f, 34)) << kts;
        EXPECT_EQ(panel_needle_state().asi_digital, std::lround(v)) << kts;
    }
}

// A jet's airspeed dial has a second, red needle at the speed that makes its Mach limit now: Mach
// 1.3 at 300 m/s of sound and a quarter of sea-level density is 1.3 x 300 x 0.5 = 195 m/s, 379 kt,
// which the trainer jet's dial (120 to 720 kt over 330 degrees) puts at 142 degrees.
TEST_F(PanelScreen, JetAirspeedDialShowsItsMachLimit)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_JET));
    ASSERT_FLOAT_EQ(pln[0].Mmo, 1.3f);
    flt.vind = 200.0f;   // the white needle at 44 degrees, out of the way
    atm.a = 300.0f;
    atm.crtsig = 0.25f;
    auto red_at = [&](const Frame& f, float a, float r) {
        const float t = a * 3.14159265f / 180.0f;
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++)
                if (rgb_of(f.at(ins.x_loc[1] + r * std::sin(t) + dx, ins.y_loc[1] + r * std::cos(t) + dy)) == colour_of(8))
                    return true;
        return false;
    };
    Frame f = frame();
    EXPECT_TRUE(red_at(f, 142, 20));
    EXPECT_TRUE(red_at(f, 142, 30));
    EXPECT_FALSE(red_at(f, 172, 25));
    EXPECT_FALSE(red_at(f, 112, 25));
    // Higher up, with less density, the limit comes at a lower indicated speed.
    atm.crtsig = 0.16f;   // 1.3 x 300 x 0.4 = 156 m/s, 303 kt: 100 degrees
    f = frame();
    EXPECT_TRUE(red_at(f, 100, 25));
    EXPECT_FALSE(red_at(f, 142, 25));
}

TEST_F(PanelScreen, AttitudeHorizonFollowsPitchAndBank)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const uint32_t sky = colour_of(35), ground = colour_of(37);
    struct Case {
        float pitch, roll;
    };
    for (Case c : {Case{0, 0}, Case{10, 0}, Case{-8, 0}, Case{0, 30}, Case{5, -45}, Case{0, 180}}) {
        flt.the[0] = c.pitch;
        flt.phi[0] = c.roll;
        Frame f = frame();
        const float x = ins.x_loc[2], y = ins.y_loc[2];
        // The horizon line, worked out here: 1.5 px per degree below the centre for nose up, turned
        // the other way from the bank; sky on the side of the world's up.
        const float r = c.roll * 3.14159265f / 180.0f;
        const float ux = -std::sin(r), uy = std::cos(r);            // the world's up on the dial
        const float hx = x - 1.5f * c.pitch * ux, hy = y - 1.5f * c.pitch * uy;
        const float ax = std::cos(r), ay = std::sin(r);             // along the horizon
        for (float along : {-22.0f, 22.0f}) {
            const float px = hx + along * ax, py = hy + along * ay;
            EXPECT_EQ(rgb_of(f.at(px + 6 * ux, py + 6 * uy)), sky) << c.pitch << "/" << c.roll << " along " << along;
            EXPECT_EQ(rgb_of(f.at(px - 6 * ux, py - 6 * uy)), ground) << c.pitch << "/" << c.roll << " along " << along;
        }
        if (c.pitch == 5) save(f, "panel_attitude_pitch5_roll-45");
    }
}

// The panel on a 1024 by 768 window: each logical row is 1.28 real pixels high, so whatever fills
// sky and ground must cover whole rows, not draw one-pixel lines.
class PanelScreen1024 : public PanelScreen {
protected:
    PanelScreen1024() { window_w = 1024, window_h = 768; }
};

// Banked 0, 30, 60 and 90 degrees (and 30 with the nose 10 degrees up): sky on one side and ground
// on the other of a straight horizon at the bank angle, with no row of the window left unfilled.
// The points are (t, n) = (+-25, +-8) from the horizon's centre, t along the horizon (cos b, sin b)
// and n up from it (-sin b, cos b), worked out by hand; at 10 degrees up the horizon's centre lies
// 15 px below the dial's centre along the turned vertical, at (7.50, -12.99). Each point is read
// as a run of real pixels 2.5 logical units above and below it, which crosses at least two of the
// 1.28-pixel rows.
TEST_F(PanelScreen1024, AttitudeSkyAndGroundMeetOnAStraightHorizonAtEveryBank)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    ASSERT_EQ(mnw.HRES, 1024.0f);
    const uint32_t sky = colour_of(35), ground = colour_of(37);
    struct Point {
        float dx, dy;
        bool is_sky;
    };
    struct Case {
        float pitch, bank;
        Point p[4];
    } cases[] = {
        {0, 0, {{25, 8, true}, {-25, 8, true}, {25, -8, false}, {-25, -8, false}}},
        {0, 30, {{17.65f, 19.43f, true}, {-25.65f, -5.57f, true}, {25.65f, 5.57f, false}, {-17.65f, -19.43f, false}}},
        {0, 60, {{5.57f, 25.65f, true}, {-19.43f, -17.65f, true}, {19.43f, 17.65f, false}, {-5.57f, -25.65f, false}}},
        {0, 90, {{-8, 25, true}, {-8, -25, true}, {8, 25, false}, {8, -25, false}}},
        {10, 30, {{25.15f, 6.44f, true}, {-18.15f, -18.56f, true}, {33.15f, -7.42f, false}, {-10.15f, -32.42f, false}}},
    };
    for (const Case& c : cases) {
        flt.the[0] = c.pitch;
        flt.phi[0] = c.bank;
        const Frame f = frame();
        char name[64];
        std::snprintf(name, sizeof name, "panel1024_attitude_pitch%g_bank%g", c.pitch, c.bank);
        save(f, name);
        const float x = ins.x_loc[2], y = ins.y_loc[2];
        for (const Point& p : c.p) {
            int px, py0, py1;
            logical_to_pixel(x + p.dx, y + p.dy - 2.5f, &px, &py0);
            logical_to_pixel(x + p.dx, y + p.dy + 2.5f, &px, &py1);
            int right = 0, rows = 0;
            // logical_to_pixel counts rows down from the top; the frame's rows run up from the bottom.
            for (int py = std::min(py0, py1); py <= std::max(py0, py1); py++, rows++)
                right += rgb_of(f.px(px, f.h - 1 - py)) == (p.is_sky ? sky : ground);
            EXPECT_EQ(right, rows) << "pitch " << c.pitch << " bank " << c.bank << " at (" << p.dx << ", " << p.dy
                                   << ") wants " << (p.is_sky ? "sky" : "ground");
        }
    }
}

TEST_F(PanelScreen, AltimeterHandsAtTwelveThousandThreeHundredFortyFive)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    flt.hind = 12345.0f * con.fttomtrs;
    Frame f = frame();
    // 12,345 ft: the long hand at 124 degrees, the short one at 84.
    EXPECT_TRUE(white_at(f, 3, 124, 32));
    EXPECT_TRUE(face_at(f, 3, 84, 32));   // the short hand stops at 25
    EXPECT_TRUE(white_at(f, 3, 84, 20));
    EXPECT_TRUE(face_at(f, 3, 200, 20));
    save(f, "panel_altimeter_12345");
}

TEST_F(PanelScreen, TurnCoordinatorAndVerticalSpeedSettle)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    flt.R = 3.0f;                     // a standard-rate turn: the wings 30 degrees down
    flt.vY = 1000.0 * con.fpmtomsc;   // 1,000 ft/min up: 80 degrees of the 2,000 ft/min dial
    Frame f = settle();
    EXPECT_NEAR(panel_needle_state().turn, 30.0f, 0.1f);
    EXPECT_NEAR(panel_needle_state().vvi, 80.0f, 0.1f);
    EXPECT_TRUE(white_at(f, 5, 120, 26));
    EXPECT_TRUE(white_at(f, 5, 300, 26));
    EXPECT_TRUE(face_at(f, 5, 90, 26));
    EXPECT_TRUE(white_at(f, 7, -10, 30));
    EXPECT_TRUE(face_at(f, 7, -90, 30));
    save(f, "panel_turning_climb");
}

// The ball runs opposite to the sideways force: a side force of tan 2 degrees of the normal force
// stands 4 px a degree, 8 px, off the middle, 46 below the instrument's centre.
TEST_F(PanelScreen, TurnBallRunsOppositeToTheSideForce)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const float x = ins.x_loc[5], y = ins.y_loc[5] - 46.0f;
    const float normal = 10000.0f, side = normal * std::tan(2.0f * 3.14159265f / 180.0f);
    for (float sign : {1.0f, 0.0f, -1.0f}) {
        SCOPED_TRACE(sign);
        flt.fsideprop = flt.fsidegear = 0.0f;
        flt.fnrmlprop = flt.fnrmlgear = 0.0f;
        flt.fsideaero = sign * side;
        flt.fnrmlaero = normal;
        for (int k = 0; k < 1200; k++) update_turnslip();   // the ball eases over at half the frame rate
        const Frame f = frame();
        EXPECT_NEAR(panel_needle_state().slip, 8.0f * sign, 0.05f);
        const float ball = x - 8.0f * sign;
        for (float dy : {-2.0f, 0.0f, 2.0f}) EXPECT_EQ(rgb_of(f.at(ball, y + dy)), colour_of(0)) << dy;
        for (float off : {-8.0f, 8.0f})
            if (off != -8.0f * sign) {
                EXPECT_NE(rgb_of(f.at(x + off, y)), colour_of(0)) << off;
            }
    }
}

TEST_F(PanelScreen, FailedInstrumentsKeepTheirReadings)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    flt.vind = 100.0f;
    flt.hind = 3000.0f * con.fttomtrs;
    flt.vY = 3.0;
    flt.R = 2.0f;
    settle();
    const panel_needles before = panel_needle_state();
    rel.ss_asi = rel.ss_alt = rel.ss_vvi = rel.ss_tsi = rel.ss_ahz = 0;
    const float the = ins.the180, phi = ins.phi180;
    flt.vind = 40.0f;
    flt.hind = 200.0f;
    flt.vY = -5.0;
    flt.R = -3.0f;
    flt.the[0] = 20.0f;
    flt.phi[0] = 40.0f;
    Frame f = settle(100);
    const panel_needles after = panel_needle_state();
    EXPECT_EQ(after.asi_angle, before.asi_angle);
    EXPECT_EQ(after.alt_dat, before.alt_dat);
    EXPECT_FLOAT_EQ(after.vvi, before.vvi);
    EXPECT_FLOAT_EQ(after.turn, before.turn);
    EXPECT_FLOAT_EQ(ins.the180, the);
    EXPECT_FLOAT_EQ(ins.phi180, phi);
    EXPECT_TRUE(white_at(f, 1, static_cast<float>(before.asi_angle), 34));
    // Working again, they move on.
    rel.ss_asi = 1;
    frame();
    EXPECT_NE(panel_needle_state().asi_angle, before.asi_angle);
}

TEST_F(PanelScreen, GlassPanelLosesItsPrimaryDisplayWithItsFirstScreen)
{
    ASSERT_NO_FATAL_FAILURE(fly_glass());
    flt.the[0] = 0;
    flt.phi[0] = 0;
    Frame on = frame();
    const float x = ins.x_loc[2], y = ins.y_loc[2];
    EXPECT_EQ(rgb_of(on.at(x + 20, y + 20)), colour_of(53));
    EXPECT_EQ(rgb_of(on.at(x + 20, y - 20)), colour_of(54));
    save(on, "panel_glass");
    rel.efis_1 = 0;
    Frame off = frame();
    EXPECT_NE(rgb_of(off.at(x + 20, y + 20)), colour_of(53));
    EXPECT_NE(rgb_of(off.at(x + 20, y - 20)), colour_of(54));
}

TEST_F(PanelScreen, PicturesOfWholePanels)
{
    struct Shot {
        const char* plane;
        const char* name;
        float pitch, roll, kts, feet, climb_fpm;
    };
    for (Shot s : {Shot{FH_TRAINER, "panel_cessna", 4, 15, 105, 4500, 500}, Shot{FH_JET, "panel_t38", -3, -20, 320, 18000, -1500},
                   Shot{FH_HELI, "panel_heli", 2, 5, 80, 1200, 200}}) {
        fly(s.plane);
        flt.the[0] = s.pitch;
        flt.phi[0] = s.roll;
        flt.vind = s.kts;
        flt.hind = s.feet * con.fttomtrs;
        flt.vY = s.climb_fpm * con.fpmtomsc;
        flt.R = 1.5f;
        flt.magpsi = 75.0f;
        flt.psi[0] = 80.0f;
        atm.T = 280.0f;
        for (int i = 0; i < 4; i++) flt.throrqst[i] = 0.7f, flt.mixt[i] = 0.9f;
        flt.flaprqst = flt.flap = 0.25f;
        Frame f = settle(300);
        save(f, s.name);
        EXPECT_TRUE(recorded_alerts().empty()) << s.name;
    }
}

// The magnetic compass in the status strip: the card's heading stands under its centre line at
// x 373, half a pixel a degree, a 5-high mark every 30 degrees and 3-high ones between; nothing is
// drawn outside its window.
TEST_F(PanelScreen, MagneticCompassShowsTheHeadingUnderItsCentre)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    flt.aX = 0.0f;
    flt.sinphi = 0.0f;
    struct Case {
        float heading;
        float major_x, minor_x;   // where a 30-degree mark and a 10-degree one stand
    };
    // 90: its own mark (a multiple of 30) at 373, 100 five pixels left. 100: its own minor mark at
    // 373, 90 five pixels right. 354: 360 (a major mark) 3 left, 350 2 right.
    for (Case c : {Case{90, 373, 368}, Case{100, 378, 373}, Case{354, 370, 375}}) {
        flt.magpsi = c.heading;
        flt.psi[0] = c.heading;
        for (int k = 0; k < 900; k++) panel_compass();   // the card swings round to the heading
        const Frame f = frame();
        EXPECT_NEAR(panel_compass_card(), c.heading, 0.01f);
        for (float y : {567.0f, 570.0f}) EXPECT_TRUE(f.is_color(c.major_x, y, 6)) << c.heading << " major at " << y;
        EXPECT_TRUE(f.is_color(c.minor_x, 567.0f, 6)) << c.heading;
        EXPECT_FALSE(f.is_color(c.minor_x, 570.0f, 6)) << c.heading;
        // Midway between two marks, no mark.
        EXPECT_FALSE(f.is_color(c.minor_x + (c.minor_x < c.major_x ? -2.5f : 2.5f), 567.0f, 6)) << c.heading;
        // Marks run on past the window's edges (x 343 and 403) but are cut there.
        for (float x : {338.0f, 408.0f}) {
            bool mark = false;
            for (float dx = -2.5f; dx <= 2.5f; dx += 1.0f) mark |= f.is_color(x + dx, 567.0f, 6);
            EXPECT_FALSE(mark) << c.heading << " at " << x;
        }
    }
}

// The direction gyro's card turns against the heading, so the heading stands at the top: on the
// screen, the card's 30-degree marks (the only ones reaching in to 72 px at this size, of 87 to the
// rim) lie where the card's angle, the screen's angle plus the heading, is a multiple of 30.
TEST_F(PanelScreen, DirectionCardTurnsAgainstTheHeading)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const float cx = 400.0f, cy = 300.0f;
    for (float heading : {0.0f, 10.0f, 100.0f, 257.0f}) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        plot_dg(cx, cy, heading, 90.0f);
        const Frame f = read_frame();
        int hits = 0, off = 0;
        bool seen[12] = {};
        for (int i = 0; i < 720; i++) {
            const float a = 0.5f * static_cast<float>(i);
            const float t = a * 3.14159265f / 180.0f;
            for (float r : {72.0f, 73.0f}) {
                const uint8_t* p = f.at(cx + r * std::sin(t), cy + r * std::cos(t));
                if (p[0] + p[1] + p[2] < 300) continue;
                hits++;
                const float card = std::fmod(a + heading, 360.0f);
                const float d = card - 30.0f * std::round(card / 30.0f);
                if (std::fabs(d) > 2.5f) off++;
                else seen[static_cast<int>(std::lround(card / 30.0f)) % 12] = true;
            }
        }
        int marks = 0;
        for (bool s : seen) marks += s;
        EXPECT_EQ(off, 0) << heading;
        EXPECT_GE(marks, 11) << heading << ": " << hits << " bright points";
    }
}

// The glass heading tape under the attitude picture: ticks every 5 degrees at 5 px a degree, the
// heading itself under the tape's centre.
TEST_F(PanelScreen, GlassHeadingTapeCentresOnTheDirectionGyro)
{
    ASSERT_NO_FATAL_FAILURE(fly_glass());
    const float x = ins.x_loc[2];
    // The tape's tick row: find it at heading 90, where a tick stands at the centre.
    flt.magpsi = 90.0f;
    Frame f = frame();
    float tick_y = -1.0f;
    for (float y = ins.y_loc[2] - 90.0f; y < ins.y_loc[2] - 55.0f; y += 1.0f)
        if (f.is_color(x, y, 38) && f.is_color(x + 25.0f, y, 38) && f.is_color(x - 25.0f, y, 38) &&
            !f.is_color(x + 12.0f, y, 38)) {
            tick_y = y;
            break;
        }
    ASSERT_GT(tick_y, 0.0f) << "no tick row under the attitude picture";
    // At 92 degrees the 90 tick is 10 px left of the centre and the 95 tick 15 right.
    flt.magpsi = 92.0f;
    f = frame();
    EXPECT_TRUE(f.is_color(x - 10.0f, tick_y, 38));
    EXPECT_TRUE(f.is_color(x + 15.0f, tick_y, 38));
    EXPECT_FALSE(f.is_color(x, tick_y, 38));
    EXPECT_FALSE(f.is_color(x + 25.0f, tick_y, 38));
    // Every tenth degree is labelled below its tick, the one under the centre too: at 90 there is
    // lettering under the centre, at 95 (the labels 25 px either side) there is none.
    auto lettering = [&](const Frame& fr) {
        int n = 0;
        for (float dy = 3.0f; dy <= 12.0f; dy += 1.0f)
            for (float dx = -8.0f; dx <= 8.0f; dx += 1.0f) n += fr.is_color(x + dx, tick_y - dy, 38);
        return n;
    };
    flt.magpsi = 90.0f;
    EXPECT_GT(lettering(frame()), 10);
    flt.magpsi = 95.0f;
    EXPECT_EQ(lettering(frame()), 0);
}

// A lever or switch is frame k of the switch sheet, column k mod 4 and row k div 4 of 32 texels,
// shown texel for pixel from its lower left corner: the drawn pixels are the sheet file's own
// (pixel k of the frame read back lies under the logical point k).
TEST_F(PanelScreen, LeversAndSwitchesShowTheirFrameOfTheSheet)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const std::string sheet = hand_sheet();
    ASSERT_GE(sheet.size(), 54u + 128u * 128u * 3u);
    auto texel = [&](int u, int v) { return sheet_texel(sheet, u, v); };
    for (int k : {0, 3, 5, 7, 10, 14}) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        plot_handle(300.0f, 200.0f, 32.0f, 32.0f, k);
        const Frame f = read_frame();
        int same = 0;
        for (int dy = 0; dy < 32; dy++)
            for (int dx = 0; dx < 32; dx++)
                same += close(rgb_of(f.at(300.0f + dx, 200.0f + dy)), texel(32 * (k % 4) + dx, 32 * (k / 4) + dy));
        EXPECT_GE(same, 32 * 32 * 99 / 100) << "frame " << k;
        // The neighbouring frame is a different picture.
        int other = 0;
        const int n = (k + 1) % 16;
        for (int dy = 0; dy < 32; dy++)
            for (int dx = 0; dx < 32; dx++)
                other += close(rgb_of(f.at(300.0f + dx, 200.0f + dy)), texel(32 * (n % 4) + dx, 32 * (n / 4) + dy));
        EXPECT_LT(other, same) << "frame " << k;
    }
}

// Each lever's knob stands where a click puts the lever: the height whose click sets the value
// drawn now is the knob's middle. Flaps: a click at y sets 1 - (y - 4 - 73) / 54; throttle: (y - 7
// - 4) / 48; mixture: (y - 7 - 6.5 - 4) / 35.
TEST_F(PanelScreen, LeverKnobsStandWhereAClickPutsThem)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const std::string sheet = hand_sheet();
    ASSERT_GE(sheet.size(), 54u + 128u * 128u * 3u);
    const float x12 = ins.x_loc[12];
    struct Case {
        float value;
        float* field;
        float x, click_y;
        int frame, w, h;
    };
    const Case cases[] = {
        {0.0f, &flt.flaprqst, x12 + 650, 131, 11, 30, 8},   {1.0f, &flt.flaprqst, x12 + 650, 77, 11, 30, 8},
        {0.5f, &flt.flaprqst, x12 + 650, 104, 11, 30, 8},   {0.0f, &flt.throrqst[0], x12 + thro_x[0], 11, 8, 13, 9},
        {1.0f, &flt.throrqst[0], x12 + thro_x[0], 59, 8, 13, 9}, {0.25f, &flt.mixt[0], x12 + mixt_x[0], 26.25f, 10, 9, 9},
        {1.0f, &flt.mixt[0], x12 + mixt_x[0], 52.5f, 10, 9, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "frame " << c.frame << " at " << c.value);
        *c.field = c.value;
        const Frame f = frame();
        const float bottom = std::round(c.click_y - 0.5f * static_cast<float>(c.h));
        const int at = frame_matches(f, sheet, c.x, bottom, c.w, c.h, c.frame);
        EXPECT_GE(at, c.w * c.h * 9 / 10);
        // Four pixels higher or lower, the knob is not there.
        EXPECT_LT(frame_matches(f, sheet, c.x, bottom + 4.0f, c.w, c.h, c.frame), at * 3 / 4);
        EXPECT_LT(frame_matches(f, sheet, c.x, bottom - 4.0f, c.w, c.h, c.frame), at * 3 / 4);
    }
}

// A speed tape at 0 knots: ticks every 5 knots at 2 px a knot from the centre up, none below it,
// and none past the tape's half length; the same tape of a kind that may go negative has them.
TEST_F(PanelScreen, SpeedTapeAtRestShowsNoNegativeMarks)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const float edge = 200.0f, centre = 300.0f;
    for (int kind : {15, 0}) {
        SCOPED_TRACE(kind);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        plot_glass_tape(38, 150.0f, edge, centre, 51.0f, 5.0f, 0.0f, 5.0f, 10.0f, 2.0f, kind);
        const Frame f = read_frame();
        std::string ticks, want;
        for (int d = -60; d <= 60; d++) {
            ticks += f.is_color(edge + 1.0f, centre + static_cast<float>(d), 38) ? '|' : '.';
            const bool tick = d % 10 == 0 && std::abs(d) < 51 && (kind != 15 || d >= 0);
            want += tick ? '|' : '.';
        }
        EXPECT_EQ(ticks, want);
    }
}

// The panel's frames allocate nothing, on a round panel with every kind of engine and switch and
// on a glass panel, with the messages of the status bar coming and going.
TEST_F(PanelScreen, FramesAllocateNothing)
{
    for (const char* plane : {FH_TRAINER, FH_JET, FH_HELI, "glass"}) {
        SCOPED_TRACE(plane);
        if (std::string(plane) == "glass") {
            ASSERT_NO_FATAL_FAILURE(fly_glass());
        } else {
            ASSERT_NO_FATAL_FAILURE(fly(plane));
        }
        set.grfout = set.dskout = 1;
        flt.frame_ice = 0.01f;
        flt.vind = 120.0f;
        flt.vY = 2.0;
        flt.R = 2.0f;
        flt.phi[0] = 20.0f;
        msc.paused = 1;
        update_panel();   // anything done once is done
        const long before = counted_allocations();
        for (int k = 0; k < 200; k++) {
            msc.elap_time += 0.1f;   // through every phase of the status bar's message
            flt.hind += 3.0f;
            flt.magpsi = std::fmod(flt.magpsi + 2.0f, 360.0f);
            update_panel();
        }
        EXPECT_EQ(counted_allocations() - before, 0);
        msc.paused = 0;
    }
}
