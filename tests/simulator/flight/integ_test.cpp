// integ_test.cpp -- one integration sub-step: damped rates, Euler angles through the vertical, air
// data, path angles at rest, altitude, latitude and longitude and the magnetic variation.
#include "flight_harness.h"
#include "fltprep.h"
#include "hl_types.h"
#include "integ.h"

#include <kvtest.h>

#include <cmath>

namespace {

constexpr float PI = 3.14159265f;

class Integration : public ::testing::Test {
protected:
    void SetUp() override
    {
        fh_world();
        flt.X[0] = env.dx * 0.5;
        flt.Z[0] = env.dz * 0.5;
        flt.Y[0] = 1000.0;
        flt.costhe = flt.cosphi = flt.cospsi = flt.cosalph = flt.cosbeta = 1.0f;
        flt.sinthe = flt.sinphi = flt.sinpsi = flt.sinalph = flt.sinbeta = 0.0f;
        set_air_at_aircraft();
        msc.prd = 0.01f;
    }
};

}  // namespace

TEST(MagneticVariation, TheWorldTableInterpolatesAndExtends)
{
    struct Case {
        float lat, lon, west;
    } cases[] = {
        {0.0f, 0.0f, 7.6f},        // the table's own point (east 7.6 west)
        {45.0f, -90.0f, 3.65f},    // half way between the 30 and 60 degree rows
        {30.0f, 175.0f, -0.5f * (4.8f + 8.1f)},   // between the last two columns
        {75.0f, 10.0f, -(-0.6f + (-0.6f - 0.1f) * 0.5f)},   // past 60: the 30..60 band extends
        {-30.0f, -180.0f, -16.7f},
    };
    for (const Case& c : cases) EXPECT_NEAR(mag_var_at(c.lat, c.lon), c.west, 1e-3f) << c.lat << " " << c.lon;
}

// Far off the map: past a pole the pole's value (the 30..60 or -60..-30 band extended to it), past
// the date line the longitude goes round; nothing overflows on the way.
TEST(MagneticVariation, FarOffPositionsStayOnTheGlobe)
{
    struct Case {
        float lat, lon, west;
    } cases[] = {
        {90.0f, 0.0f, -(-2.1f + 2.0f * (-5.5f + 2.1f))},   // the 30 and 60 rows' -2.1 and -5.5 east
        {1e9f, 0.0f, -(-2.1f + 2.0f * (-5.5f + 2.1f))},
        {3e38f, 0.0f, -(-2.1f + 2.0f * (-5.5f + 2.1f))},
        {-1e9f, 0.0f, -(2.0f * -19.3f + 24.3f)},           // the -60 and -30 rows' -19.3 and -24.3 east
        {30.0f, -170.0f, -10.3f},
        {30.0f, 190.0f, -10.3f},
        {30.0f, 190.0f + 3600.0f, -10.3f},
        {30.0f, -170.0f - 7200.0f, -10.3f},
        {30.0f, 180.0f, -8.1f},
    };
    for (const Case& c : cases) EXPECT_NEAR(mag_var_at(c.lat, c.lon), c.west, 1e-3f) << c.lat << " " << c.lon;
    // Any longitude at all gives one of the table's values between its columns.
    for (float lon : {1e9f, -1e9f, 3e38f, -3e38f}) {
        const float v = mag_var_at(45.0f, lon);
        EXPECT_TRUE(std::isfinite(v)) << lon;
        EXPECT_LE(std::fabs(v), 32.6f) << lon;   // the largest of the 30 and 60 rows
    }
}

TEST_F(Integration, RollAndPitchRatesAreDampedTwiceAsHardAsYaw)
{
    flt.P = flt.Q = flt.R = 10.0f;
    set.damp = 1.0f;
    integ_vx();
    EXPECT_NEAR(flt.P, 10.0f * (1.0f - 0.06f), 1e-5f);
    EXPECT_NEAR(flt.Q, 10.0f * (1.0f - 0.06f), 1e-5f);
    EXPECT_NEAR(flt.R, 10.0f * (1.0f - 0.03f), 1e-5f);
    EXPECT_NEAR(flt.Prad, flt.P * PI / 180.0f, 1e-6f);
    // Undamped they only follow their accelerations; overdamped they stop, never reverse.
    set.damp = 0.0f;
    flt.P = 10.0f;
    flt.Pdot = 100.0f;
    integ_vx();
    EXPECT_NEAR(flt.P, 11.0f, 1e-5f);
    set.damp = 1000.0f;
    integ_vx();
    EXPECT_EQ(flt.P, 0.0f);
}

TEST_F(Integration, AtRestEveryAngleIsDefined)
{
    flt.vX = flt.vY = flt.vZ = 0.0;
    flt.psi[0] = 123.0f;
    for (int k = 0; k < 10; k++) integ_vx();
    EXPECT_TRUE(fh_state_finite());
    EXPECT_EQ(flt.vpath, 0.0f);
    EXPECT_EQ(flt.avpath, 0.0f);
    EXPECT_EQ(flt.Alph, 0.0f);
    EXPECT_EQ(flt.Beta, 0.0f);
    EXPECT_EQ(flt.av, 0.0f);
    EXPECT_EQ(flt.vind, 0.0f);
    EXPECT_EQ(flt.hpath, 123.0f);   // the nose's heading, not a backwards path
    EXPECT_EQ(flt.ahpath, 123.0f);
}

TEST_F(Integration, AirDataFromTheVelocityThroughTheAir)
{
    // Climbing north-east through a wind from the east, nose 5 degrees up.
    atm.wind_X = -5.0f;
    flt.vX = 30.0;
    flt.vZ = -30.0;
    flt.vY = 3.0;
    flt.the[0] = 5.0f;
    flt.psi[0] = 45.0f;
    flt.sinthe = std::sin(5.0f * PI / 180.0f);
    flt.costhe = std::cos(5.0f * PI / 180.0f);
    flt.sinpsi = flt.cospsi = std::sqrt(0.5f);
    integ_vx();
    integ_vx();
    double wx = 35.0, wz = -30.0, wy = 3.0;
    float av = (float)std::sqrt(wx * wx + wy * wy + wz * wz);
    EXPECT_NEAR(flt.av, av, 1e-3f);
    EXPECT_NEAR(flt.v[0], (float)std::sqrt(30.0 * 30.0 * 2 + 9.0), 1e-3f);
    EXPECT_NEAR(flt.machno, av / atm.a, 1e-6f);
    EXPECT_NEAR(flt.ahpath, std::atan2(35.0f, 30.0f) * 180.0f / PI, 1e-3f);
    EXPECT_NEAR(flt.hpath, 45.0f, 1e-3f);
    EXPECT_NEAR(flt.vpath, std::atan2(3.0f, 30.0f * std::sqrt(2.0f)) * 180.0f / PI, 1e-3f);
    // The aircraft moves through the air to the right of its nose: the nose is left of the path.
    EXPECT_NEAR(flt.Beta, -(std::atan2(35.0f, 30.0f) * 180.0f / PI - 45.0f), 0.5f);
    EXPECT_NEAR(flt.vind, flt.av * flt.cosalph * std::sqrt(atm.crtsig) * 1.943844f, 2e-3f);
    EXPECT_NEAR(flt.Qstatic, 0.5f * atm.rho * av * av, 1e-2f);
    // Indicated altitude is the height corrected by the altimeter setting, 1000 ft per inch.
    ins.baro = 30.42f;
    integ_vx();
    EXPECT_NEAR(flt.hind, (float)flt.Y[0] + 0.5f * 304.8f, 1e-2f);
}

TEST_F(Integration, ALoopThroughTheVerticalTurnsHeadingAndBankAround)
{
    flt.the[0] = 89.95f;
    flt.psi[0] = 10.0f;
    flt.phi[0] = 0.0f;
    flt.sinthe = std::sin(89.95f * PI / 180.0f);
    flt.costhe = std::cos(89.95f * PI / 180.0f);
    flt.Q = 20.0f;   // pulling up through the vertical
    integ_vx();
    EXPECT_LE(std::fabs(flt.the[0]), 90.0f);
    EXPECT_NEAR(flt.the[0], 180.0f - (89.95f + 0.2f), 1e-3f);
    EXPECT_NEAR(flt.psi[0], 190.0f, 1e-3f);
    EXPECT_NEAR(std::fabs(flt.phi[0]), 180.0f, 1e-3f);
}

TEST_F(Integration, PositionLatitudeAndLongitude)
{
    flt.vX = 100.0;
    flt.vZ = -50.0;
    double x0 = flt.X[0], z0 = flt.Z[0];
    integ_vx();
    EXPECT_NEAR(flt.X[0], x0 + 1.0, 1e-6);
    EXPECT_NEAR(flt.Z[0], z0 - 0.5, 1e-6);
    EXPECT_NEAR(flt.lat, env.lat_sou + (env.hiz - flt.Z[0]) / (60.0 * con.nmtomtrs), 1e-5);
    double coslat = std::cos(flt.lat * PI / 180.0);
    EXPECT_NEAR(flt.lon, env.lon_wes + (flt.X[0] - env.lox) / (60.0 * con.nmtomtrs * coslat), 1e-5);
    EXPECT_NEAR(flt.dist, 100.0 * std::sqrt(1.25) * 0.01, 1e-4);
}

TEST(Carriage, TheCarriedAircraftRidesUnderItsMothershipFlyingNorth)
{
    fh_world();
    set.incarriage = 1;
    flt.v[1] = 200.0f;
    flt.X[1] = 1000.0;
    flt.Y[1] = 13000.0;
    flt.Z[1] = 2000.0;
    flt.P = 5.0f;
    flt.aY = -9.8f;
    msc.prd = 0.01f;
    integ_vx();
    EXPECT_EQ(flt.vZ, -200.0);
    EXPECT_EQ(flt.vY, 0.0);
    EXPECT_EQ(flt.P, 0.0f);
    EXPECT_EQ(flt.X[0], 1005.5);
    EXPECT_EQ(flt.Y[0], 13000.0);
    EXPECT_EQ(flt.Z[0], 2004.0);
}
