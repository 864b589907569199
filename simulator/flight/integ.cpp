// integ.cpp -- explicit Euler integration of the user's aircraft, air data and the angle caches.
#include "integ.h"

#include "fltmath.h"
#include "fltutil.h"

#include "hl_funct.h"
#include "hl_types.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;
constexpr float RAD = 180.0f / PI;
// Below this airspeed (m/s) the flow direction is undefined: alpha and sideslip are held at 0.
constexpr float MIN_FLOW_SPEED = 1e-3f;

// East declination in degrees, rows at latitudes -60, -30, 0, 30, 60, columns at longitudes
// -180..180 in steps of 10.
const float mag_var_deg[5][37] = {
    {44.7f, 43.8f, 42.8f, 41.9f, 41.2f, 40.3f, 39.0f, 36.8f, 33.6f, 29.3f, 23.8f, 17.6f, 11.1f,
     4.8f, -0.9f, -5.8f, -10.2f, -14.5f, -19.3f, -24.8f, -31.2f, -38.2f, -45.4f, -52.5f, -59.0f,
     -64.7f, -69.6f, -73.2f, -75.0f, -73.5f, -63.8f, -30.5f, 18.2f, 37.8f, 43.7f, 45.0f, 44.7f},
    {16.7f, 16.9f, 16.8f, 16.8f, 16.8f, 16.8f, 16.7f, 16.6f, 16.1f, 14.3f, 9.9f, 2.6f, -6.5f,
     -15.0f, -21.1f, -24.5f, -25.8f, -25.7f, -24.3f, -21.9f, -20.3f, -21.9f, -26.2f, -30.2f,
     -31.8f, -30.5f, -26.4f, -19.8f, -12.0f, -5.0f, 0.2f, 4.2f, 7.8f, 11.1f, 13.8f, 15.7f, 16.7f},
    {10.3f, 9.8f, 9.1f, 9.0f, 9.3f, 9.3f, 9.2f, 9.1f, 8.2f, 5.4f, 0.3f, -6.6f, -13.6f, -18.6f,
     -20.7f, -19.7f, -16.2f, -11.6f, -7.6f, -4.7f, -2.0f, -0.1f, -0.1f, -2.0f, -4.2f, -5.0f, -4.3f,
     -2.5f, -0.7f, 0.5f, 1.1f, 1.9f, 3.6f, 5.9f, 8.1f, 9.8f, 10.3f},
    {8.1f, 10.3f, 11.7f, 12.8f, 13.6f, 13.7f, 13.0f, 11.1f, 7.3f, 1.4f, -5.8f, -12.4f, -16.6f,
     -17.7f, -16.2f, -13.0f, -9.1f, -5.3f, -2.1f, 0.1f, 1.5f, 2.5f, 2.9f, 2.6f, 1.9f, 1.2f, 0.8f,
     0.4f, -0.6f, -2.4f, -4.3f, -5.4f, -4.9f, -2.6f, 0.9f, 4.8f, 8.1f},
    {5.5f, 11.9f, 17.7f, 22.5f, 26.0f, 27.5f, 26.2f, 20.5f, 8.4f, -8.7f, -23.4f, -31.0f, -32.6f,
     -30.7f, -26.7f, -21.7f, -16.3f, -10.8f, -5.5f, -0.6f, 3.9f, 7.8f, 11.3f, 14.0f, 15.8f, 15.9f,
     13.9f, 9.1f, 1.9f, -6.0f, -12.2f, -15.1f, -14.7f, -11.8f, -6.9f, -1.0f, 5.5f},
};

// Damping multiplier of a body rate; never negative, so a large damping setting stops the rate
// instead of reversing it.
float damping(float gain, float prd)
{
    float f = 1.0f - gain * set.damp * prd;
    return f < 0.0f ? 0.0f : f;
}

}  // namespace

float mag_var_at(float lat, float lon)
{
    // A position far off the map is still on the globe: latitude ends at the poles, longitude
    // goes round. The band is limited before it is scaled, so that no far-off value overflows.
    lat = fltlim(lat, -90.0f, 90.0f);
    lon = std::fmod(lon + 180.0f, 360.0f);
    lon = (lon < 0.0f ? lon + 360.0f : lon) - 180.0f;
    int L = 30 * intlim(round(lat / 30.0f - 0.5f), -2, 1);
    int M = 10 * intlim(round(lon / 10.0f - 0.5f), -18, 17);
    int r = L / 30 + 2;
    int c = M / 10 + 18;
    float a = interp((float)L, mag_var_deg[r][c], (float)(L + 30), mag_var_deg[r + 1][c], lat);
    float b = interp((float)L, mag_var_deg[r][c + 1], (float)(L + 30), mag_var_deg[r + 1][c + 1], lat);
    float east = interp((float)M, a, (float)(M + 10), b, lon);
    return -east;
}

void set_euler_caches(void)
{
    flt.sinthe = std::sin(flt.the[0] * DEG);
    flt.costhe = std::cos(flt.the[0] * DEG);
    flt.sinpsi = std::sin(flt.psi[0] * DEG);
    flt.cospsi = std::cos(flt.psi[0] * DEG);
    flt.sinphi = std::sin(flt.phi[0] * DEG);
    flt.cosphi = std::cos(flt.phi[0] * DEG);
}

void integ_vx(void)
{
    const float prd = msc.prd;

    // Catapult stroke: est_Vs^2/200 m/s^2 along a heading of 2 degrees.
    if (set.cat_inprog) {
        float acc = msc.est_Vs * msc.est_Vs / 200.0f;
        flt.aX += std::sin(2.0f * DEG) * acc;
        flt.aZ -= std::cos(2.0f * DEG) * acc;
        flt.psidot = 0.0f;
    }

    // Carried under the mothership: no motion of its own, flying north with it.
    if (set.incarriage) {
        flt.aX = flt.aY = flt.aZ = 0.0f;
        flt.the[0] = flt.psi[0] = flt.phi[0] = 0.0f;
        flt.P = flt.Q = flt.R = 0.0f;
        flt.Prad = flt.Qrad = flt.Rrad = 0.0f;
        flt.Pdot = flt.Qdot = flt.Rdot = 0.0f;
        flt.vX = flt.vY = 0.0;
        flt.vZ = -(double)flt.v[1];
    }

    // Body rates; roll and pitch are damped twice as hard as yaw.
    flt.P = damping(6.0f, prd) * (flt.P + flt.Pdot * prd);
    flt.Q = damping(6.0f, prd) * (flt.Q + flt.Qdot * prd);
    flt.R = damping(3.0f, prd) * (flt.R + flt.Rdot * prd);
    flt.Prad = flt.P * DEG;
    flt.Qrad = flt.Q * DEG;
    flt.Rrad = flt.R * DEG;

    flt.vX += (double)flt.aX * prd;
    flt.vY += (double)flt.aY * prd;
    flt.vZ += (double)flt.aZ * prd;

    // Euler-angle rates from the body rates, with last sub-step's angles.
    float the0 = flt.the[0];
    if (std::fabs(the0) <= 89.9f) {
        // |theta| <= 89.9 keeps the cosine away from zero; a cache never filled is refreshed.
        float costhe = flt.costhe;
        float sinthe = flt.sinthe;
        if (std::fabs(costhe) < 1e-3f) {
            costhe = std::cos(the0 * DEG);
            sinthe = std::sin(the0 * DEG);
        }
        float qr = flt.Q * flt.sinphi + flt.R * flt.cosphi;
        flt.thedot = flt.Q * flt.cosphi - flt.R * flt.sinphi;
        flt.psidot = qr / costhe;
        flt.phidot = flt.P + sinthe / costhe * qr;
    } else {
        flt.thedot = (std::fabs(flt.phi[0]) > 90.0f ? -flt.Q : flt.Q) +
                     (the0 > 0.0f ? -std::fabs(flt.R) : std::fabs(flt.R));
        flt.psidot = flt.P;
        flt.phidot = 0.0f;
    }

    // On the catapult before the launch the aircraft rides the deck (lever arm 21 m).
    if (set.cat_waiting) {
        flt.vX = (double)(env.carr_phi_dot * DEG * 21.0f);
        flt.vZ = (double)(env.carr_the_dot * DEG * 21.0f);
        flt.psidot = 0.0f;
    }

    // Air data.
    double wX = flt.vX - (double)atm.wind_X;
    double wY = flt.vY - (double)atm.wind_Y;
    double wZ = flt.vZ - (double)atm.wind_Z;
    flt.v[0] = (float)std::sqrt(flt.vX * flt.vX + flt.vZ * flt.vZ + flt.vY * flt.vY);
    flt.av = (float)std::sqrt(wX * wX + wY * wY + wZ * wZ);
    flt.machno = atm.a > 1.0f ? flt.av / atm.a : 0.0f;
    flt.vaxial = flt.av * flt.cosalph * flt.cosbeta;
    float sigma = atm.crtsig > 0.0f ? atm.crtsig : 0.0f;
    flt.vind = flt.av * flt.cosalph * std::sqrt(sigma) * con.msctokts;
    if (flt.vind < 0.0f) flt.vind = 0.0f;
    flt.Qstatic = 0.5f * atm.rho * flt.av * flt.av;
    flt.Qratio = pln[0].Vne > 0.0f ? sqr(flt.vind / pln[0].Vne) : 0.0f;
    flt.dist += flt.v[0] * prd;

    // Attitude, re-expressed when the nose passes through the vertical.
    float the_before = flt.the[0];
    flt.the[0] = fltwrap(flt.the[0] + flt.thedot * prd, -180.0f, 180.0f);
    flt.psi[0] = fltwrap(flt.psi[0] + flt.psidot * prd, 0.0f, 360.0f);
    flt.phi[0] = fltwrap(flt.phi[0] + flt.phidot * prd, -180.0f, 180.0f);
    if (std::fabs(the_before) < 90.0f && std::fabs(flt.the[0]) > 90.0f) {
        flt.the[0] = fltwrap(180.0f - flt.the[0], -180.0f, 180.0f);
        flt.psi[0] = fltwrap(flt.psi[0] + 180.0f, 0.0f, 360.0f);
        flt.phi[0] = fltwrap(flt.phi[0] + 180.0f, -180.0f, 180.0f);
    }

    env.mvar = mag_var_at(flt.lat, flt.lon);
    flt.magpsi = fltwrap(flt.psi[0] + env.mvar, 0.0f, 360.0f);

    // Position.
    if (set.incarriage) {
        flt.X[0] = flt.X[1] + 5.5;
        flt.Y[0] = flt.Y[1] - (double)pln[0].body_Y[10][10][8];
        flt.Z[0] = flt.Z[1] + 4.0 - (double)pln[0].body_Z[10][10][8];
    } else {
        flt.X[0] += flt.vX * prd;
        flt.Y[0] += flt.vY * prd;
        flt.Z[0] += flt.vZ * prd;
    }
    flt.hind = (float)flt.Y[0] + (ins.baro - atm.baro) * 1000.0f * con.fttomtrs;

    // Latitude and longitude by the region's own conversion, the one the scenery, the starts and
    // the radios use: measured from the western edge instead, the longitude would jump by up to a
    // kilometre when the region shifts a square east or west under the aircraft.
    flt.lat = (float)lat_with_z(flt.Z[0]);
    flt.lon = (float)lon_with_xz(flt.X[0], flt.Z[0]);

    // Path angles over the ground and through the air; atan2 keeps them defined at rest.
    double hv = std::sqrt(flt.vX * flt.vX + flt.vZ * flt.vZ);
    double hw = std::sqrt(wX * wX + wZ * wZ);
    flt.vpath = atan2_el((float)flt.vY, (float)hv) * RAD;
    flt.avpath = atan2_el((float)wY, (float)hw) * RAD;
    // Without horizontal motion the path has no heading of its own: take the nose's.
    flt.hpath = hv > MIN_FLOW_SPEED ? fltwrap(atan2_el((float)flt.vX, (float)-flt.vZ) * RAD, 0.0f, 360.0f) : flt.psi[0];
    flt.ahpath = hw > MIN_FLOW_SPEED ? fltwrap(atan2_el((float)wX, (float)-wZ) * RAD, 0.0f, 360.0f) : flt.psi[0];

    // Angle of attack and sideslip: the air velocity turned into body axes.
    float t1 = (float)wX * flt.cospsi + (float)wZ * flt.sinpsi;
    float t2 = (float)wZ * flt.cospsi - (float)wX * flt.sinpsi;
    float t3 = (float)wY * flt.costhe + t2 * flt.sinthe;
    float t4 = t1 * flt.cosphi - t3 * flt.sinphi;
    float t5 = t2 * flt.costhe - (float)wY * flt.sinthe;
    float t6 = t3 * flt.cosphi + t1 * flt.sinphi;
    if (flt.av > MIN_FLOW_SPEED) {
        flt.Alph = std::atan2(-t6, -t5) * RAD;
        flt.Beta = std::atan2(-t4, -t5) * RAD;
    } else {
        flt.Alph = 0.0f;
        flt.Beta = 0.0f;
    }

    // Caches every other part of the flight model reads.
    set_euler_caches();
    flt.sinalph = std::sin(flt.Alph * DEG);
    flt.cosalph = std::cos(flt.Alph * DEG);
    flt.sinbeta = std::sin(flt.Beta * DEG);
    flt.cosbeta = std::cos(flt.Beta * DEG);
    flt.sinhpath = std::sin(flt.hpath * DEG);
    flt.coshpath = std::cos(flt.hpath * DEG);
    flt.sinvpath = std::sin(flt.vpath * DEG);
    flt.cosvpath = std::cos(flt.vpath * DEG);
    flt.sinahpath = std::sin(flt.ahpath * DEG);
    flt.cosahpath = std::cos(flt.ahpath * DEG);
    flt.sinavpath = std::sin(flt.avpath * DEG);
    flt.cosavpath = std::cos(flt.avpath * DEG);
}
