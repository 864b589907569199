// panel_engine_gltest.cpp -- the engine gauges read back from the screen at known engine states:
// round needles at the angles worked out from each gauge's full scale (zero straight down, full scale
// 270 degrees round to the right), tape bars a pixel a unit, the exhaust marker easing to its ratio,
// the helicopter's shared gauges, the afterburner's word, and each page of the engine display.
#include "panel_screen.h"

namespace {

const char* const BOMBER = "planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf";
const char* const BEAVER = "planes/Seaplanes/DHC-2 Beaver Floatplane/DHC-2 Beaver Floatplane.acf";

class EngineGauges : public PanelScreen {
protected:
    // The centre of engine i's gauge on row `row`.
    static float gx(int row, int i) { return ins.x_loc[SLOT_ENGINES] + en_x[row][i]; }
    // A needle of colour k crosses the point at radius r and angle a from the gauge's centre (a
    // one-pixel line may fall either side of the exact point).
    static bool needle_at(const Frame& f, int row, int i, float a, float r, int k = 0)
    {
        const float t = a * 3.14159265f / 180.0f;
        const float px = gx(row, i) + r * std::sin(t), py = en_y[row] + r * std::cos(t);
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++)
                if (f.is_color(px + dx, py + dy, k)) return true;
        return false;
    }
    // Flight values that make gauge `which` of engine i show `shown`.
    static void set_rpm(int i, float rpm) { flt.tac[i] = rpm / (pln[0].gearrat * con.rsctorpm); }
    static void set_pph(int i, float pph) { flt.ff_[i] = pph / (con.kgstolbs * 3600.0f); }
    // The bomber's tapes: the bar of engine i on `row` reaches `height` pixels up from y 171.
    static void expect_bar(const Frame& f, int row, int i, int height)
    {
        const float x = gx(row, i), y = en_y[row];
        EXPECT_TRUE(f.is_color(x, y + 1.0f, 47)) << "row " << row << " engine " << i;
        EXPECT_TRUE(f.is_color(x, y + static_cast<float>(height) - 1.0f, 47)) << "row " << row << " engine " << i;
        EXPECT_FALSE(f.is_color(x, y + static_cast<float>(height) + 1.0f, 47)) << "row " << row << " engine " << i;
        EXPECT_TRUE(f.is_color(x - 2.0f, y + 1.0f, 47));
        EXPECT_TRUE(f.is_color(x + 2.0f, y + 1.0f, 47));
        EXPECT_FALSE(f.is_color(x + 4.0f, y + 1.0f, 47));
    }
};

}  // namespace

// The trainer's tachometer: 2,600 rpm full scale over 270 degrees from straight down, so 2,000 rpm
// stands at 180 + 207.7, 28 degrees, and 2,400 rpm at 180 + 249.2, 69 degrees.
TEST_F(EngineGauges, TachometerAtKnownRpm)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    struct Case {
        float rpm, angle;
    };
    for (Case c : {Case{2000, 28}, Case{2400, 69}, Case{0, 180}, Case{1300, 315}}) {
        set_rpm(0, c.rpm);
        const Frame f = frame();
        EXPECT_TRUE(needle_at(f, 1, 0, c.angle, 15)) << c.rpm;
        EXPECT_TRUE(needle_at(f, 1, 0, c.angle, 8)) << c.rpm;
        EXPECT_FALSE(needle_at(f, 1, 0, c.angle + 30, 15)) << c.rpm;
        EXPECT_FALSE(needle_at(f, 1, 0, c.angle - 30, 15)) << c.rpm;
        if (c.rpm == 2400) save(f, "engine_trainer_2400");
    }
}

// The exhaust marker eases toward the mixture's temperature ratio by the difference times the frame
// period: from 0 toward 1 at half a second a frame it stands at 0.5, then 0.75. Its line runs from
// 8 to 12 above the gauge's row, from 8 left of the gauge's x (ratio 0) to 22 right (ratio 1).
TEST_F(EngineGauges, ExhaustMarkerEasesToItsRatio)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const float x = gx(0, 0), y = en_y[0];
    flt.mixt_temp_rat[0] = 1.0f;
    msc.prd = 0.5f;
    struct Step {
        float ratio, at;
    };
    for (Step s : {Step{0.5f, 7.0f}, Step{0.75f, 15.0f}, Step{0.875f, 18.0f}}) {
        const Frame f = frame();
        EXPECT_FLOAT_EQ(engine_egt_ratio(0), s.ratio);
        for (float dy : {8.0f, 10.0f, 12.0f}) EXPECT_TRUE(f.is_color(x + s.at, y + dy, 3)) << s.ratio;
        EXPECT_FALSE(f.is_color(x + s.at - 2.0f, y + 10.0f, 3)) << s.ratio;
        EXPECT_FALSE(f.is_color(x + s.at + 2.0f, y + 10.0f, 3)) << s.ratio;
    }
    // A lean mixture cools it again.
    flt.mixt_temp_rat[0] = 0.0f;
    msc.prd = 1.0f;
    const Frame f = frame();
    EXPECT_FLOAT_EQ(engine_egt_ratio(0), 0.0f);
    EXPECT_TRUE(f.is_color(x - 8.0f, y + 10.0f, 3));
}

// The float plane's constant-speed engine has the manifold-pressure gauge on row 2 (36.5 inches full
// scale): 18.25 inches stands half way round, at 180 + 135 = 315 degrees, 24.3 inches at 180 + 179.8,
// straight up. The fixed-pitch trainer has no such gauge.
TEST_F(EngineGauges, ManifoldPressureOnlyWithVariablePitch)
{
    ASSERT_NO_FATAL_FAILURE(fly(BEAVER));
    ASSERT_TRUE(pln[0].varpitchEQ);
    ASSERT_FLOAT_EQ(pln[0].mpmax, 36.5f);
    struct Case {
        float mp, angle;
    };
    for (Case c : {Case{18.25f, 315}, Case{24.3f, 0}, Case{36.5f, 90}}) {
        flt.mpr[0] = c.mp;
        const Frame f = frame();
        EXPECT_TRUE(needle_at(f, 2, 0, c.angle, 15)) << c.mp;
        EXPECT_FALSE(needle_at(f, 2, 0, c.angle + 30, 15)) << c.mp;
    }
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    ASSERT_FALSE(pln[0].varpitchEQ);
    flt.mpr[0] = 24.3f;
    const Frame f = frame();
    for (float a : {0.0f, 90.0f, 180.0f, 270.0f}) EXPECT_FALSE(needle_at(f, 2, 0, a, 15)) << a;
}

// The trainer jet's two engines: N1 (100 per cent full scale) of 80 at 180 + 216, 36 degrees, and of
// 50 at 315; fuel flow of half the gauge's full scale at 315 and of three times full scale stopped
// at full scale, 90 degrees.
TEST_F(EngineGauges, JetN1AndFuelFlow)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_JET));
    ASSERT_EQ(pln[0].numen, 2);
    const float full = panel_full_scale(GAUGE_FF);
    ASSERT_GT(full, 0.0f);
    flt.n1_[0] = 80.0f;
    flt.n1_[1] = 50.0f;
    set_pph(0, 0.5f * full);
    set_pph(1, 3.0f * full);
    const Frame f = frame();
    EXPECT_TRUE(needle_at(f, 1, 0, 36, 15));
    EXPECT_FALSE(needle_at(f, 1, 0, 66, 15));
    EXPECT_TRUE(needle_at(f, 1, 1, 315, 15));
    EXPECT_FALSE(needle_at(f, 1, 1, 285, 15));
    EXPECT_TRUE(needle_at(f, 2, 0, 315, 15));
    EXPECT_TRUE(needle_at(f, 2, 1, 90, 15));
    EXPECT_FALSE(needle_at(f, 2, 1, 120, 15));
    EXPECT_FLOAT_EQ(engine_gauge_value(GAUGE_FF, 1), full);
    save(f, "engine_t38");
}

// "BURN" beside an engine's gauges while its afterburner is lit: 11 left of its exhaust-gauge place
// and 4 above that row on a twin; on the four-engine strip at 651 + 40 i, y 283.
TEST_F(EngineGauges, BurnOnlyForLitAfterburners)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_JET));
    flt.after_burning[0] = 1;
    flt.after_burning[1] = 0;
    Frame f = frame();
    EXPECT_EQ(read_text(f, gx(0, 0) - 11.0f, en_y[0] + 4.0f, 4, 41), "BURN");
    EXPECT_EQ(read_text(f, gx(0, 1) - 11.0f, en_y[0] + 4.0f, 4, 41), "    ");
    flt.after_burning[0] = 0;
    flt.after_burning[1] = 1;
    f = frame();
    EXPECT_EQ(read_text(f, gx(0, 0) - 11.0f, en_y[0] + 4.0f, 4, 41), "    ");
    EXPECT_EQ(read_text(f, gx(0, 1) - 11.0f, en_y[0] + 4.0f, 4, 41), "BURN");

    ASSERT_NO_FATAL_FAILURE(fly(BOMBER));
    ASSERT_EQ(pln[0].numen, 4);
    for (int i = 0; i < 4; i++) flt.after_burning[i] = i == 2;
    f = frame();
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(read_text(f, ins.x_loc[SLOT_ENGINES] + 651.0f + 40.0f * i, 283.0f, 4, 41), i == 2 ? "BURN" : "    ") << i;
}

// The bomber's tapes, a pixel a per cent: N1 of 20, 40, 60 and 80 per cent as bars of that height
// from y 171, five wide about each tape's x; fuel flow likewise on its own tapes.
TEST_F(EngineGauges, TapesRiseAPixelAPerCent)
{
    ASSERT_NO_FATAL_FAILURE(fly(BOMBER));
    ASSERT_EQ(pln[0].tape, 1);
    const float full = panel_full_scale(GAUGE_FF);
    for (int i = 0; i < 4; i++) {
        flt.n1_[i] = 20.0f * (i + 1);
        set_pph(i, full * 0.1f * (i + 1));   // 10, 20, 30, 40 per cent of full scale
    }
    const Frame f = frame();
    for (int i = 0; i < 4; i++) {
        expect_bar(f, 1, i, 20 * (i + 1));
        expect_bar(f, 2, i, 10 * (i + 1));
    }
    save(f, "engine_b52");
}

// The helicopter's shared gauges: the rotor's engine speed on engine 0's row-1 gauge with a needle
// two pixels wide, and the torque on engine 0's row-2 gauge: half the torque of full power
// (pmax / omegamax) is 50 per cent, 180 + 135 = 315 degrees. The engine-speed gauge stays with jet
// engines too (which the loader refuses on a helicopter: they are put in after loading).
TEST_F(EngineGauges, HelicopterSharesOneSetOfGauges)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_HELI));
    const planestruct& pl = pln[0];
    ASSERT_TRUE(pl.is_heli);
    ASSERT_EQ(pl.entype, 3);
    flt.trq[0] = 0.5f * pl.pmax / pl.omegamax;
    EXPECT_NEAR(engine_gauge_value(GAUGE_TRQ, 0), 50.0f, 0.01f);
    const float full_rpm = panel_full_scale(GAUGE_RPM);
    set_rpm(0, full_rpm / 3.0f);   // a third of full scale: 90 degrees round, 270
    const Frame f = frame();
    EXPECT_TRUE(needle_at(f, 2, 0, 315, 15));
    EXPECT_TRUE(needle_at(f, 1, 0, 270, 15));
    // Two pixels wide: a horizontal needle covers two rows.
    int rows = 0;
    for (float dy = -2.0f; dy <= 2.0f; dy += 1.0f) rows += f.is_color(gx(1, 0) - 12.0f, en_y[1] + dy, 0);
    EXPECT_EQ(rows, 2);
    save(f, "engine_heli");
    for (int type : {4, 5}) {
        pln[0].entype = type;
        MACIBM_startwind(0);
        const Frame j = frame();
        EXPECT_TRUE(needle_at(j, 1, 0, 270, 15)) << type;
        EXPECT_EQ(read_text(j, gx(1, 0) + 6.0f, en_y[1] - 26.0f, 3, 0), "RPM") << type;
    }
}

// The trainer jet on a glass panel has the engine display: on its gauge page the gauges carry
// digital readouts (N1 three digits, 7 left of and 9 below the centre).
TEST_F(EngineGauges, EngineDisplayGaugePageHasReadouts)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched(FH_JET, {{offsetof(planestruct, paneltype), 2}}, "Display Jet.acf"));
    ASSERT_TRUE(pln[0].ecam);
    ins.ecam_mode = 3;
    flt.n1_[0] = 87.4f;
    flt.n1_[1] = 9.6f;
    const Frame f = frame();
    EXPECT_EQ(read_number(f, gx(1, 0) - 7.0f, en_y[1] - 9.0f, 3, 0, 47), "087");
    EXPECT_EQ(read_number(f, gx(1, 1) - 7.0f, en_y[1] - 9.0f, 3, 0, 47), "010");
    save(f, "engine_display_gauges");
}

// The fuel page: 1,000 kg of fuel is 2,204.6 lb, 1,102.3 a side; two engines at 0.1 kg/s each burn
// 793.7 lb an hour; together 0.2 kg/s empty the tanks in 1.389 h, which at 100 m/s (194.4 kt) is
// 270 nm.
TEST_F(EngineGauges, FuelPageReckonsEnduranceAndRange)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched(FH_JET, {{offsetof(planestruct, paneltype), 2}}, "Display Jet.acf"));
    ins.ecam_mode = 4;
    flt.m_fuel = 1000.0f;
    flt.ff_[0] = flt.ff_[1] = 0.1f;
    flt.v[0] = 100.0f;
    const float x = ins.x_loc[SLOT_ENGINES] + ECAM_X + 7.0f;
    auto number = [&](const Frame& f, float y, int places, int decimals) {
        return read_number(f, x + 6.0f * static_cast<float>(15 - places), y, places, decimals, 42);
    };
    Frame f = frame();
    EXPECT_EQ(read_text(f, x, 278, 7, 42), "FUEL L:");
    EXPECT_EQ(number(f, 278, 6, 0), "001102");
    EXPECT_EQ(number(f, 268, 6, 0), "001102");
    EXPECT_EQ(number(f, 258, 6, 0), "002205");
    EXPECT_EQ(read_text(f, x, 238, 6, 42), "FF #1:");
    EXPECT_EQ(number(f, 238, 6, 0), "000794");
    EXPECT_EQ(number(f, 228, 6, 0), "000794");
    EXPECT_EQ(read_text(f, x, 218, 6, 42), "      ");   // no third engine
    EXPECT_EQ(number(f, 198, 3, 1), "01.4");
    EXPECT_EQ(number(f, 188, 5, 0), "00270");
    save(f, "engine_display_fuel");
    // Engines that burn nothing: the endurance is as long as the readout says, and no longer.
    flt.ff_[0] = flt.ff_[1] = 0.0f;
    f = frame();
    EXPECT_EQ(number(f, 198, 3, 1), "99.9");
    EXPECT_EQ(number(f, 188, 5, 0), "19419");
}

// The flight-control page: each surface's mark in its box, the middle for a centred surface and 41
// pixels a full deflection to the right; "SPEED BRAKE OUT" while the brakes are out.
TEST_F(EngineGauges, FlightControlPageShowsTheSurfaces)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched(FH_JET, {{offsetof(planestruct, paneltype), 2}}, "Display Jet.acf"));
    const planestruct& pl = pln[0];
    ASSERT_GT(pl.rudd_def, 0.0f);
    ASSERT_GT(fltmax2(pl.elev_up, pl.elev_dn), 0.0f);
    ins.ecam_mode = 5;
    flt.lailndef = flt.railndef = 0.0f;
    flt.ruddef = 0.5f * pl.rudd_def;
    flt.lhstbdef = flt.rhstbdef = -fltmax2(pl.elev_up, pl.elev_dn);
    flt.sbrk = 0;
    const float box = ins.x_loc[SLOT_ENGINES] + ECAM_X + 7.0f + 54.0f, mid = box + 43.0f;
    Frame f = frame();
    EXPECT_EQ(read_text(f, box - 54.0f, 278, 8, 42), "AILERON ");
    EXPECT_EQ(read_text(f, box - 54.0f, 258, 8, 42), "RUDDER  ");
    EXPECT_EQ(read_text(f, box - 54.0f, 238, 8, 42), "ELEVATOR");
    EXPECT_TRUE(f.is_color(mid, 281, 47));            // aileron centred
    EXPECT_TRUE(f.is_color(mid + 21.0f, 261, 47));    // rudder half right: 20.5, rounded
    EXPECT_FALSE(f.is_color(mid, 261, 47));
    EXPECT_TRUE(f.is_color(mid - 41.0f, 241, 47));    // elevator full the other way
    EXPECT_EQ(read_text(f, box - 54.0f, 208, 15, 41), "               ");
    flt.sbrk = 2;
    f = frame();
    EXPECT_EQ(read_text(f, box - 54.0f, 208, 15, 41), "SPEED BRAKE OUT");
    save(f, "engine_display_controls");
}

// The hydraulic page: a pump is grey while its engine runs and red when it stops; the ram-air turbine
// line yellow while the turbine is out.
TEST_F(EngineGauges, HydraulicPageShowsThePumps)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched(FH_JET, {{offsetof(planestruct, paneltype), 2}}, "Display Jet.acf"));
    ins.ecam_mode = 6;
    const float x = ins.x_loc[SLOT_ENGINES] + ECAM_X + 7.0f;
    flt.eng_running[0] = 1;
    flt.eng_running[1] = 0;
    rel.RAT_on = 1;
    Frame f = frame();
    EXPECT_EQ(read_text(f, x, 271, 16, 40), "HYDRAULIC PUMP 1");
    EXPECT_EQ(read_text(f, x, 261, 16, 44), "HYDRAULIC PUMP 2");
    EXPECT_EQ(read_text(f, x, 244, 18, 41), "RAM AIR TURBINE ON");
    flt.eng_running[1] = 1;
    rel.RAT_on = 0;
    f = frame();
    EXPECT_EQ(read_text(f, x, 261, 16, 40), "HYDRAULIC PUMP 2");
    EXPECT_EQ(read_text(f, x, 244, 18, 40), "RAM AIR TURBINE ON");
    save(f, "engine_display_hydraulics");
}

// The failure page: each system grey while it works and red once failed, in two columns.
TEST_F(EngineGauges, FailurePageColoursEachSystem)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched(FH_JET, {{offsetof(planestruct, paneltype), 2}}, "Display Jet.acf"));
    ins.ecam_mode = 7;
    const float x = ins.x_loc[SLOT_ENGINES] + ECAM_X + 7.0f, x2 = ins.x_loc[SLOT_ENGINES] + ECAM_X + 79.0f;
    struct Case {
        int32_t* flag;
        float x, y;
        const char* text;
    };
    const Case cases[] = {
        {&rel.fc_rud, x, 260, "RUDDERS"},     {&rel.hydsys, x, 220, "HYD SYSTEM"}, {&rel.antice, x, 170, "ANTI-ICE"},
        {&rel.engine[1], x2, 270, "ENGINE #2"}, {&rel.oilpmp[3], x2, 210, "OIL PRES #4"},
        {&rel.lagear[2], x2, 180, "RIGHT GEAR"},
    };
    for (const Case& c : cases) {
        const int len = static_cast<int>(std::strlen(c.text));
        EXPECT_EQ(read_text(frame(), c.x, c.y, len, 40), c.text);
        *c.flag = 0;
        const Frame f = frame();
        EXPECT_EQ(read_text(f, c.x, c.y, len, 44), c.text);
        if (c.flag == &rel.lagear[2]) save(f, "engine_display_failures");
        *c.flag = 1;
    }
    // The reversers have no failure of their own.
    EXPECT_EQ(read_text(frame(), x, 180, 10, 40), "T. REVERSE");
}
