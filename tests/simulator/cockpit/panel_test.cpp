// panel_test.cpp -- the panel's layout and laws without drawing: instrument slots for each panel
// choice, the impossible panel, lever and gauge places, scale factors against the figures worked
// out by hand, the altimeter's hands, the gyros (spin-up wobble, vacuum failure, frozen gyros), the
// magnetic compass and the status bar's texts.
#include "flight_harness.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "panel.h"
#include "synthetic_aircraft.h"

#include <kvtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

class Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        fh_world();
        clear_recorded_alerts();
        pln[0] = syn_aircraft();
        panel_reset_needles();
    }
    // A layout of the eight locations' kinds (index 0 unused).
    static void locations(const int (&kinds)[9])
    {
        for (int i = 0; i < 9; i++) pln[0].ins_of_loc[i] = kinds[i];
    }
};

struct Slot {
    int k;
    float x, y;
};

void expect_slots(const std::vector<Slot>& want, const char* what)
{
    for (const Slot& s : want) {
        EXPECT_EQ(ins.avail[s.k], 1) << what << " slot " << s.k;
        EXPECT_FLOAT_EQ(ins.x_loc[s.k], s.x) << what << " slot " << s.k;
        EXPECT_FLOAT_EQ(ins.y_loc[s.k], s.y) << what << " slot " << s.k;
    }
}

}  // namespace

TEST_F(Panel, RoundPanelRowsFollowTheInstrumentWidths)
{
    struct Case {
        const char* what;
        int kinds[9];
        int heli, radiotype;
        std::vector<Slot> want;
        std::vector<int> absent;
    };
    const Case cases[] = {
        // The standard six with the course indicator upper right and the direction finder lower right:
        // 66, +129, +129, +115 on both rows; slots 4 and 8 then 15 higher; the knob beside the altimeter.
        {"standard six", {0, 1, 2, 3, 4, 5, 6, 7, 8}, 0, 1,
         {{1, 66, 222}, {2, 195, 222}, {3, 324, 222}, {4, 439, 237}, {5, 66, 84}, {6, 195, 84}, {7, 324, 84},
          {8, 439, 99}, {10, 289, 177}, {11, 0, 0}, {12, 0, 0}},
         {9}},
        // A narrow (or empty) first location starts the row at 52: 52 + 101 (narrow to narrow) + 115 + 129.
        {"narrow first", {0, 4, 8, 1, 2, 0, 3, 5, 6}, 0, 1,
         {{4, 52, 237}, {8, 153, 237}, {1, 268, 222}, {2, 397, 222}, {3, 167, 84}, {5, 296, 84}, {6, 425, 84}},
         {7}},
        // Radios on the right: the radio strip moves 156 right, the lever strip 155 left.
        {"radios right", {0, 1, 2, 3, 4, 5, 6, 7, 8}, 0, 2, {{11, 156, 0}, {12, -155, 0}}, {}},
        // A helicopter: slots 1 to 10 155 right, the radios 489 left, the levers 100 left.
        {"helicopter", {0, 1, 2, 3, 0, 5, 6, 7, 0}, 1, 1,
         {{1, 221, 222}, {2, 350, 222}, {3, 479, 222}, {5, 221, 84}, {10, 444, 177}, {11, -489, 0}, {12, -100, 0}},
         {4, 8}},
    };
    for (const Case& c : cases) {
        pln[0] = syn_aircraft();
        locations(c.kinds);
        pln[0].is_heli = c.heli;
        pln[0].radiotype = c.radiotype;
        panel_layout_setup();
        expect_slots(c.want, c.what);
        for (int k : c.absent) EXPECT_EQ(ins.avail[k], 0) << c.what << " slot " << k;
        EXPECT_FLOAT_EQ(osh, c.heli ? -100.0f : 0.0f) << c.what;
        EXPECT_TRUE(recorded_alerts().empty()) << c.what;
    }
}

TEST_F(Panel, AFourthWideInstrumentInARowIsFatal)
{
    const int three_wide[9] = {0, 1, 2, 3, 8, 5, 6, 7, 4};
    locations(three_wide);
    panel_layout_setup();
    EXPECT_TRUE(recorded_alerts().empty());

    const int four_up[9] = {0, 1, 2, 3, 5, 4, 6, 7, 8};
    const int four_down[9] = {0, 1, 2, 4, 8, 3, 5, 6, 7};
    for (const auto* kinds : {&four_up, &four_down}) {
        locations(*kinds);
        clear_recorded_alerts();
        try {
            panel_layout_setup();
            ADD_FAILURE() << "no alert";
        } catch (const FatalAlert& f) {
            EXPECT_EQ(f.alert.l1, "Invalid panel layout!");
            EXPECT_EQ(f.alert.code, 2004);
            EXPECT_NE(f.alert.l2.find("THREE WIDE INSTRUMENTS"), std::string::npos);
        }
    }
}

TEST_F(Panel, KindsTheFileCannotHoldAreEmptyLocations)
{
    const int bad[9] = {0, 1, 2, 3, 77, 5, -3, 7, 12};
    locations(bad);
    panel_layout_setup();
    for (int loc : {4, 6, 8}) EXPECT_EQ(pln[0].ins_of_loc[loc], 0);
    EXPECT_EQ(ins.avail[4], 0);
    EXPECT_EQ(ins.avail[8], 0);
    EXPECT_EQ(ins.avail[6], 0);
    EXPECT_EQ(ins.avail[7], 1);
}

TEST_F(Panel, GlassPanelSlotsAreFixed)
{
    pln[0].paneltype = 2;
    panel_layout_setup();
    expect_slots({{1, 11, 218}, {2, 92, 218}, {3, 159, 218}, {4, 439, 237}, {6, 92, 93}, {7, 189, 92}, {8, 439, 99},
                  {9, 0, 0}, {10, 175, 15}},
                 "glass");
    EXPECT_EQ(ins.avail[5], 0);

    pln[0].is_heli = 1;
    panel_layout_setup();
    expect_slots({{1, 166, 218}, {2, 247, 218}, {9, 155, 0}, {10, 330, 15}}, "glass helicopter");
    EXPECT_EQ(ins.avail[4], 0);
    EXPECT_EQ(ins.avail[8], 0);
}

TEST_F(Panel, LeversAndGaugesByEngineCount)
{
    struct Case {
        int engines, ecam;
        float thro[4], prop[4], mixt[4];
        float gauge_x[2], gauge_y[3];
    };
    const Case cases[] = {
        {1, 0, {669}, {720}, {761}, {684, 761}, {293, 254, 177}},
        {2, 0, {662, 676}, {715, 725}, {756, 766}, {684, 761}, {293, 254, 177}},
        {2, 1, {662, 676}, {715, 725}, {756, 766}, {682, 759}, {293, 271, 202}},
        {3, 0, {655, 669, 683}, {710, 720, 730}, {751, 761, 771}, {685, 695}, {283, 171, 171}},
        {4, 0, {648, 662, 676, 690}, {705, 715, 725, 735}, {746, 756, 766, 776}, {685, 695}, {283, 171, 171}},
    };
    for (const Case& c : cases) {
        pln[0].numen = c.engines;
        pln[0].ecam = c.ecam;
        pln[0].tape = c.engines >= 3;
        panel_layout_setup();
        for (int i = 0; i < c.engines; i++) {
            EXPECT_FLOAT_EQ(thro_x[i], c.thro[i]) << c.engines << " engines, " << i;
            EXPECT_FLOAT_EQ(prop_x[i], c.prop[i]) << c.engines << " engines, " << i;
            EXPECT_FLOAT_EQ(mixt_x[i], c.mixt[i]) << c.engines << " engines, " << i;
        }
        EXPECT_FLOAT_EQ(en_x[1][0], c.gauge_x[0]) << c.engines;
        EXPECT_FLOAT_EQ(en_x[1][1], c.gauge_x[1]) << c.engines;
        if (c.engines >= 3) {
            EXPECT_FLOAT_EQ(en_x[2][3], 790.0f);
        }
        for (int r = 0; r < 3; r++) EXPECT_FLOAT_EQ(en_y[r], c.gauge_y[r]) << c.engines << " row " << r;
    }
}

TEST_F(Panel, AirspeedDialLaws)
{
    // Linear: Vso 50 and Vne 160 give a dial from 40 to 170; 100 kt stands at 60/130 of 330 degrees.
    pln[0].AStype = 1;
    pln[0].Vso = 50;
    pln[0].Vne = 160;
    panel_layout_setup();
    EXPECT_FLOAT_EQ(pln[0].Vmin, 40.0f);
    EXPECT_FLOAT_EQ(pln[0].Vmax, 170.0f);
    EXPECT_NEAR(ins.indtoASI, 330.0f / 130.0f, 1e-5f);
    struct Point {
        float v;
        int angle;
    };
    for (Point p : {Point{100, 152}, Point{40, 0}, Point{30, 0}, Point{170, 330}, Point{400, 330}, Point{-5, 0}})
        EXPECT_EQ(asi_angle(p.v), p.angle) << p.v;

    // Thrust vectoring starts the dial at 0.
    pln[0].vectEQ = 1;
    panel_layout_setup();
    EXPECT_FLOAT_EQ(pln[0].Vmin, 0.0f);
    pln[0].vectEQ = 0;

    // Power law: 60 to 449 kt on the 0.3 power; 200 kt at 173 degrees.
    pln[0].AStype = 2;
    panel_layout_setup();
    EXPECT_NEAR(ins.indtoASI, 116.54f, 0.01f);
    EXPECT_EQ(asi_angle(200), 173);
    EXPECT_EQ(asi_angle(60), 0);
    EXPECT_NEAR(asi_angle(449), 330, 1);

    // A dial never starts below zero or spans nothing.
    pln[0].AStype = 1;
    pln[0].Vso = 0;
    pln[0].Vne = 0;
    panel_layout_setup();
    EXPECT_FLOAT_EQ(pln[0].Vmin, 0.0f);
    EXPECT_GT(pln[0].Vmax, pln[0].Vmin);
    EXPECT_TRUE(std::isfinite(ins.indtoASI));
}

TEST_F(Panel, VerticalSpeedAndEngineScaleFactors)
{
    struct Case {
        int paneltype, vvitype;
        float deg_per_msc;
    };
    // 2,000 ft/min (round, standard), 5,000 ft/min (round, wide) or the glass dial's 9,000 at 160 degrees.
    for (Case c : {Case{1, 1, 15.748f}, Case{1, 2, 6.299f}, Case{2, 1, 3.937f}}) {
        pln[0].paneltype = c.paneltype;
        pln[0].VVItype = c.vvitype;
        panel_layout_setup();
        EXPECT_NEAR(ins.msctoVVI, c.deg_per_msc, 0.002f) << c.paneltype << "/" << c.vvitype;
    }
    // 2,700 rpm engine speed (2,500 rpm propeller through 1.08) and 30 inches: the gauges' full
    // scales 3,000 rpm and 30 inches span 270 degrees, or 100 pixels on tapes.
    pln[0].paneltype = 1;
    pln[0].omegamax = 2500.0f * con.rpmtorsc;
    pln[0].gearrat = 1.08f;
    pln[0].mpmax = 30.0f;
    pln[0].tape = 0;
    panel_layout_setup();
    EXPECT_NEAR(ins.tactoINS, 270.0f / 3000.0f, 1e-6f);
    EXPECT_NEAR(ins.mprtoINS, 9.0f, 1e-5f);
    EXPECT_NEAR(ins.n1_toINS, 2.7f, 1e-5f);
    pln[0].tape = 1;
    panel_layout_setup();
    EXPECT_NEAR(ins.tactoINS, 100.0f / 3000.0f, 1e-6f);
    // No full scale, no scale: nothing divides by zero.
    pln[0].mpmax = 0.0f;
    panel_layout_setup();
    EXPECT_FLOAT_EQ(ins.mprtoINS, 0.0f);
}

TEST_F(Panel, AltimeterHands)
{
    struct Case {
        float feet;
        int long_hand, short_hand, hundreds;
    };
    const Case cases[] = {
        {12345, 124, 84, 123},   // 4,444 steps of 0.36 degrees
        {0, 0, 0, 0},
        {1000, 0, 36, 10},       // a whole turn of the long hand, a tenth of the short
        {500, 180, 18, 5},
        {-100, 324, 356, 0},     // below sea level the hands go back; the drum holds at zero
        {1012345, 124, 84, 123}, // a million feet round again
    };
    for (const Case& c : cases) {
        int l, s, h;
        alt_hands(c.feet, &l, &s, &h);
        EXPECT_EQ(l, c.long_hand) << c.feet;
        EXPECT_EQ(s, c.short_hand) << c.feet;
        EXPECT_EQ(h, c.hundreds) << c.feet;
    }
}

TEST_F(Panel, GyrosSpinUpWithADecayingWobble)
{
    pln[0].entype = 2;
    flt.onground = 1;
    flt.the[0] = 5.0f;
    flt.phi[0] = 0.0f;
    float worst_early = 0.0f, worst_late = 0.0f;
    for (int k = 0; k <= 240; k++) {
        msc.init_time = k / 60.0f;
        panel_gyros();
        const float err = std::fabs(ins.phi180 - flt.phi[0]);
        EXPECT_LE(err, 10.0f * (1.0f - msc.init_time / 4.0f) + 1e-4f) << msc.init_time;
        if (msc.init_time < 0.5f) worst_early = std::fmax(worst_early, err);
        if (msc.init_time > 3.5f) worst_late = std::fmax(worst_late, err);
    }
    EXPECT_GT(worst_early, 7.0f);
    EXPECT_LT(worst_late, 1.3f);
    // Past 4 s the gyros follow the aircraft.
    msc.init_time = 5.0f;
    panel_gyros();
    EXPECT_FLOAT_EQ(ins.the180, 5.0f);
    EXPECT_FLOAT_EQ(ins.phi180, 0.0f);
    // A jet's gyros are electric: no wobble.
    pln[0].entype = 4;
    msc.init_time = 0.3f;
    panel_gyros();
    EXPECT_FLOAT_EQ(ins.phi180, 0.0f);
}

TEST_F(Panel, AVacuumFailureSlowsTheGyrosThenFreezesThem)
{
    flt.the[0] = 0.0f;
    flt.phi[0] = 0.0f;
    flt.magpsi = 90.0f;
    msc.elap_time = 1000.0f;
    panel_gyros();
    EXPECT_FLOAT_EQ(ins.psimag, 90.0f);

    rel.vacuum = 0;
    panel_gyros();   // the panel sees the failure at 1000 s
    // At 90 s the gyros cover a quarter of the way to their target each frame.
    msc.elap_time = 1090.0f;
    ins.psimag = 90.0f;
    flt.magpsi = 130.0f;
    panel_gyros();
    EXPECT_NEAR(ins.psimag, 100.0f, 1e-3f);
    // After 180 s they no longer move at all.
    msc.elap_time = 1181.0f;
    const float the = ins.the180, phi = ins.phi180, psi = ins.psimag;
    flt.the[0] = 30.0f;
    flt.phi[0] = -45.0f;
    flt.magpsi = 270.0f;
    for (int k = 0; k < 10; k++) panel_gyros();
    EXPECT_FLOAT_EQ(ins.the180, the);
    EXPECT_FLOAT_EQ(ins.phi180, phi);
    EXPECT_FLOAT_EQ(ins.psimag, psi);
    // Repaired, they follow again.
    rel.vacuum = 1;
    panel_gyros();
    EXPECT_FLOAT_EQ(ins.the180, 30.0f);
    EXPECT_FLOAT_EQ(ins.psimag, 270.0f);
}

TEST_F(Panel, AFailedGyroKeepsItsReading)
{
    flt.the[0] = 3.0f;
    flt.phi[0] = 12.0f;
    flt.magpsi = 45.0f;
    panel_gyros();
    rel.ss_ahz = 0;
    rel.ss_dgy = 0;
    flt.the[0] = -20.0f;
    flt.phi[0] = 60.0f;
    flt.magpsi = 200.0f;
    panel_gyros();
    EXPECT_FLOAT_EQ(ins.the180, 3.0f);
    EXPECT_FLOAT_EQ(ins.phi180, 12.0f);
    EXPECT_FLOAT_EQ(ins.psimag, 45.0f);
}

TEST_F(Panel, MagneticCompassSettlesAndSwingsNorthWhenSpeedingUpEast)
{
    flt.psi[0] = 90.0f;
    flt.magpsi = 80.0f;
    flt.cospsi = 0.0f;
    flt.sinphi = 0.0f;
    msc.prd = 0.05f;
    for (int k = 0; k < 400; k++) panel_compass();
    EXPECT_NEAR(panel_compass_card(), 80.0f, 0.01f);
    // Accelerating east, the card turns toward north (smaller headings) by 90/5 degrees per m/s^2.
    flt.aX = 1.0f;
    for (int k = 0; k < 400; k++) panel_compass();
    EXPECT_NEAR(panel_compass_card(), 62.0f, 0.05f);
    // Heading north the acceleration error vanishes; the card goes the short way round past 360.
    flt.psi[0] = 0.0f;
    flt.magpsi = 350.0f;
    for (int k = 0; k < 400; k++) panel_compass();
    EXPECT_NEAR(panel_compass_card(), 350.0f, 0.05f);
}

TEST_F(Panel, StatusBarTexts)
{
    struct Controls {
        float ratio;
        const char* text;
    };
    for (Controls c : {Controls{1.0f, "controls: 100%"}, Controls{0.95f, "controls:  90%"}, Controls{0.9f, "controls:  90%"},
                       Controls{0.8f, "controls:  80%"}, Controls{0.7f, "controls:  70%"}, Controls{0.6f, "controls:  60%"},
                       Controls{0.5f, "controls:  50%"}}) {
        set.joy_rat_ptch = set.joy_rat_hdng = set.joy_rat_roll = c.ratio;
        EXPECT_STREQ(panel_controls_text(), c.text) << c.ratio;
    }
    struct Mode {
        float damp;
        const char* text;
    };
    for (Mode m : {Mode{0.0f, "mode: realistic    "}, Mode{0.25f, "mode: slightly easy"}, Mode{0.5f, "mode: somewhat easy"},
                   Mode{0.75f, "mode: quite easy   "}, Mode{1.0f, "mode: very easy    "}}) {
        set.damp = m.damp;
        EXPECT_STREQ(panel_mode_text(), m.text) << m.damp;
    }

    // Each message has its 3.33 s phase; out of phase, or with nothing to report, the aircraft's name.
    std::snprintf(pln[0].C_name, STR_LEN, "Test Bird");
    pln[0].numen = 1;
    struct Message {
        float t;
        void (*arm)(void);
        const char* text;
        int colour;
    };
    const Message messages[] = {
        {1.0f, [] { set.grfout = 1; }, "graphics data saving      ", 47},
        {4.0f, [] { set.dskout = 1; }, "disk outfile saving       ", 47},
        {7.0f, [] { flt.frame_ice = 0.01f; }, "airframe ice visible!     ", 41},
        {10.5f, [] { flt.carb_ice[0] = 0.02f; }, "carb ice suspected!       ", 41},
        {14.0f, [] { rel.oilpmp[0] = 0; }, "oil pressure gone!        ", 41},
        {17.0f, [] { set.serout = 1; }, "outputting to serial port!", 41},
    };
    for (const Message& m : messages) {
        int colour = 0;
        msc.elap_time = m.t;
        EXPECT_STREQ(panel_message(&colour), "Test Bird") << m.t;
        EXPECT_EQ(colour, 47);
        m.arm();
        EXPECT_STREQ(panel_message(&colour), m.text) << m.t;
        EXPECT_EQ(colour, m.colour) << m.t;
        msc.elap_time = m.t + 3.34f;   // the next phase shows something else
        EXPECT_STRNE(panel_message(&colour), m.text) << m.t;
    }
}

// Every bundled aircraft laid out by the loader itself, against slots, dial ends and levers worked
// out by hand from its file: the standard six in both rows (the helicopter without its narrow
// instruments and 155 to the right), each dial's ends from its stall and never-exceed speeds, and
// the levers and gauges by engine count.
TEST(PanelOfBundledAircraft, LaysOutTheirPanelsFromTheirFiles)
{
    struct Case {
        const char* file;
        float shift;            // the helicopter's slots 155 to the right
        int narrow;             // slots 4 and 8 fitted
        float vmin, vmax;       // dial ends (knots) from Vso - 10 and Vne + 10, to the nearest 10
        float vvi_per_msc;      // 2,000 or 5,000 ft/min over 160 degrees
        int engines;
        float throttle0, gauge_x, gauge_y1;   // first throttle; row 1's first gauge, its height
    };
    const Case cases[] = {
        // Vso 33, Vne 163: 20 to 170.
        {FH_TRAINER, 0, 1, 20, 170, 15.748f, 1, 669, 684, 254},
        // Vso 42, Vne 137: 30 to 150; no engine, no levers.
        {FH_GLIDER, 0, 1, 30, 150, 15.748f, 0, 0, 0, 0},
        // Vso 52, Vne 156: 40 to 170.
        {FH_FLOATPLANE, 0, 1, 40, 170, 15.748f, 1, 669, 684, 254},
        // Vso 46, Vne 133: 40 to 140.
        {"planes/System Planes (don't move)/Husky/Husky.acf", 0, 1, 40, 140, 15.748f, 1, 669, 684, 254},
        // Vso 130, Vne 710: 120 to 720; the wide vertical-speed dial; two engines, round gauges.
        {FH_JET, 0, 1, 120, 720, 6.299f, 2, 662, 684, 254},
        // Vso 115 (105 rounds up), Vne 390: 110 to 400; four engines on tapes beside the display.
        {"planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf", 0, 1, 110, 400, 6.299f, 4,
         648, 685, 171},
        // Vso 10: the dial starts at 0; Vne 130: 140.
        {FH_HELI, 155, 0, 0, 140, 15.748f, 1, 669, 684, 254},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        fh_world();
        clear_recorded_alerts();
        ASSERT_EQ(fh_load(fh_bundled(c.file)), 1);
        EXPECT_TRUE(recorded_alerts().empty());
        // Wide instruments 129 apart from 66; a narrow one 115 after a wide one, 15 higher.
        std::vector<Slot> want = {{1, 66 + c.shift, 222},  {2, 195 + c.shift, 222}, {3, 324 + c.shift, 222},
                                  {5, 66 + c.shift, 84},   {6, 195 + c.shift, 84},  {7, 324 + c.shift, 84},
                                  {10, 289 + c.shift, 177}};
        if (c.narrow) {
            want.push_back({4, 439, 237});
            want.push_back({8, 439, 99});
        } else {
            EXPECT_EQ(ins.avail[4], 0);
            EXPECT_EQ(ins.avail[8], 0);
        }
        expect_slots(want, c.file);
        EXPECT_EQ(ins.avail[9], 0);
        EXPECT_FLOAT_EQ(ins.x_loc[11], c.shift ? -489.0f : 0.0f);
        EXPECT_FLOAT_EQ(ins.x_loc[12], c.shift ? -100.0f : 0.0f);
        EXPECT_FLOAT_EQ(osh, c.shift ? -100.0f : 0.0f);

        EXPECT_FLOAT_EQ(pln[0].Vmin, c.vmin);
        EXPECT_FLOAT_EQ(pln[0].Vmax, c.vmax);
        EXPECT_NEAR(ins.indtoASI, 330.0f / (c.vmax - c.vmin), 1e-5f);
        EXPECT_EQ(asi_angle(c.vmax), 330);
        EXPECT_EQ(asi_angle(0.5f * (c.vmin + c.vmax)), 165);
        EXPECT_NEAR(ins.msctoVVI, c.vvi_per_msc, 0.002f);

        EXPECT_FLOAT_EQ(thro_x[0], c.throttle0);
        if (c.engines > 0) {
            EXPECT_FLOAT_EQ(en_x[1][0], c.gauge_x);
            EXPECT_FLOAT_EQ(en_y[1], c.gauge_y1);
        }
        for (int i = c.engines; i < 4; i++) EXPECT_FLOAT_EQ(thro_x[i], 0.0f) << "engine " << i;
    }
}
