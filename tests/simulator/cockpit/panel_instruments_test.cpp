// panel_instruments_test.cpp -- the laws of the engine, navigation and radio instruments without
// drawing: the radar altimeter's dial, the marker lamps' blink patterns, the reply lamp's colours, the
// gauges' shown values with their guards, and the direction finder's bearing.
#include "flight_harness.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "panel.h"
#include "panel_local.h"
#include "synthetic_aircraft.h"

#include <kvtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

class Instruments : public ::testing::Test {
protected:
    void SetUp() override
    {
        fh_world();
        pln[0] = syn_aircraft();
        panel_reset_needles();
    }
};

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float INF = std::numeric_limits<float>::infinity();

}  // namespace

// Half a turn for the first 500 ft, then 5,000 ft a half turn, stopped at 2,500 ft.
TEST_F(Instruments, RadarAltimeterDialLaw)
{
    struct Case {
        float feet, degrees;
    };
    for (Case c : {Case{0, 0}, Case{100, 36}, Case{250, 90}, Case{499, 179.64f}, Case{500, 180}, Case{1000, 198},
                   Case{2500, 252}, Case{5500, 252}, Case{-40, 0}, Case{NaN, 0}, Case{INF, 252}})
        EXPECT_NEAR(radalt_dial(c.feet), c.degrees, 0.01f) << c.feet;
}

// Over its beacon each lamp lights on these counts of the tenth-second counter; away from it never.
TEST_F(Instruments, MarkerLampsBlinkPatterns)
{
    const char* want[3] = {"11111.....", "11..11111.", "11.11.11.."};
    for (int m = 0; m < 3; m++) {
        std::string over, away;
        for (int c = 0; c < 10; c++) {
            over += marker_lit(m, 1, c) ? '1' : '.';
            away += marker_lit(m, 0, c) ? '1' : '.';
        }
        EXPECT_EQ(over, want[m]) << m;
        EXPECT_EQ(away, "..........") << m;
    }
}

// While the second reply lies ahead: 15 within 0.08 s of either reply, 9 within 0.16 s, else 3.
TEST_F(Instruments, ReplyLampColours)
{
    struct Case {
        float t1, t2, now;
        int colour;
    };
    const Case cases[] = {
        {10.0f, 10.3f, 10.0f, 15}, {10.0f, 10.3f, 10.07f, 15}, {10.0f, 10.3f, 10.1f, 9},  {10.0f, 10.3f, 10.15f, 9},
        {10.0f, 10.5f, 10.25f, 3}, {10.0f, 10.3f, 10.25f, 15}, {10.0f, 10.3f, 10.3f, -1}, {10.0f, 10.3f, 11.0f, -1},
        {0.0f, 0.0f, 0.0f, -1},
    };
    for (const Case& c : cases) {
        ins.reply_time1 = c.t1;
        ins.reply_time2 = c.t2;
        msc.elap_time = c.now;
        EXPECT_EQ(reply_lamp_colour(), c.colour) << c.t1 << " " << c.t2 << " at " << c.now;
    }
}

// The gauges' values: shaft rpm through the gear, torque as a share of the torque at full power,
// fuel flow in pounds an hour held within the full scale; nothing below 0 or not a number, and no
// per cent without full power.
TEST_F(Instruments, GaugeValuesAndTheirGuards)
{
    planestruct& pl = pln[0];
    pl.gearrat = 2.0f;
    flt.tac[0] = 100.0f;   // rad/s of the propeller: 200 rad/s at the shaft, 1909.86 rpm
    EXPECT_NEAR(engine_gauge_value(GAUGE_RPM, 0), 1909.86f, 0.05f);
    pl.pmax = 100000.0f;
    pl.omegamax = 200.0f;   // 500 N m at full power
    flt.trq[1] = 125.0f;
    EXPECT_NEAR(engine_gauge_value(GAUGE_TRQ, 1), 25.0f, 1e-4f);
    pl.omegamax = 0.0f;
    EXPECT_EQ(engine_gauge_value(GAUGE_TRQ, 1), 0.0f);
    pl.omegamax = 200.0f;
    pl.pmax = 0.0f;
    EXPECT_EQ(engine_gauge_value(GAUGE_TRQ, 1), 0.0f);
    flt.n1_[2] = NaN;
    EXPECT_EQ(engine_gauge_value(GAUGE_N1, 2), 0.0f);
    flt.mpr[3] = -4.0f;
    EXPECT_EQ(engine_gauge_value(GAUGE_MP, 3), 0.0f);
    // An engine number out of range reads the nearest engine rather than past the arrays.
    flt.n1_[3] = 77.0f;
    EXPECT_EQ(engine_gauge_value(GAUGE_N1, 99), 77.0f);
    flt.n1_[0] = 12.0f;
    EXPECT_EQ(engine_gauge_value(GAUGE_N1, -5), 12.0f);
    // Fuel flow: 0.005 kg/s is 39.68 lb/h; past the full scale it stays at the full scale.
    pl.pmax = 100000.0f;
    const float full = panel_full_scale(GAUGE_FF);
    ASSERT_GT(full, 40.0f);
    flt.ff_[0] = 0.005f;
    EXPECT_NEAR(engine_gauge_value(GAUGE_FF, 0), 39.68f, 0.01f);
    flt.ff_[0] = 1e6f;
    EXPECT_EQ(engine_gauge_value(GAUGE_FF, 0), full);
}

// The beacon's bearing from the nose, 0..360: north-east of the aircraft flying north is 45, flying
// east 315; a beacon right on top of the aircraft gives a number, not a fault.
TEST_F(Instruments, DirectionFinderBearing)
{
    flt.X[0] = 1000.0;
    flt.Z[0] = 5000.0;
    nav.adfX = 2000.0f;   // east
    nav.adfZ = 4000.0f;   // north
    flt.psi[0] = 0.0f;
    EXPECT_NEAR(adf_bearing(), 45.0f, 1e-3f);
    flt.psi[0] = 90.0f;
    EXPECT_NEAR(adf_bearing(), 315.0f, 1e-3f);
    nav.adfX = 1000.0f;
    nav.adfZ = 5000.0f;
    const float b = adf_bearing();
    EXPECT_TRUE(std::isfinite(b));
    EXPECT_GE(b, 0.0f);
    EXPECT_LT(b, 360.0f);
}

// The fuel pointer's offset: 31 px for full tanks, in proportion below, none for tanks of nothing.
TEST_F(Instruments, FuelPointerOffset)
{
    struct Case {
        float full, left, offset;
    };
    for (Case c : {Case{200, 200, 31}, Case{200, 100, 15.5f}, Case{200, 0, 0}, Case{200, 500, 31}, Case{200, -3, 0},
                   Case{0.01f, 0.5f, 0}, Case{0, 10, 0}, Case{NaN, 10, 0}}) {
        pln[0].m_fuel = c.full;
        flt.m_fuel = c.left;
        EXPECT_FLOAT_EQ(fuel_pointer_offset(), c.offset) << c.left << " of " << c.full;
    }
}
