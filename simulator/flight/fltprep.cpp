// fltprep.cpp -- the flight frame's quantities around the force build-up, in one place for the
// frame driver and the test harness.
#include "fltprep.h"

#include "fltcalc.h"
#include "fltdump.h"
#include "fltutil.h"
#include "hl_drplane.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "integ.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float DEG = PI / 180.0f;

// Standard-atmosphere break heights (ft) and temperatures (K); 180.65 K above the last.
constexpr int STD_LAYERS = 6;
const float std_h_ft[STD_LAYERS] = {0.0f, 36152.0f, 82346.0f, 155348.0f, 175344.0f, 265000.0f};
const float std_t[STD_LAYERS] = {288.15f, 216.65f, 216.65f, 270.65f, 270.65f, 180.65f};

int is_piston(int entype) { return entype == 1 || entype == 2; }
int is_jet(int entype) { return entype == 4 || entype == 5; }

int engine_count(void)
{
    int n = pln[0].numen;
    return n < 0 ? 0 : n > 4 ? 4 : n;
}

// An engine runs while it has not failed, has fuel and a mixture that burns, and -- for a piston
// engine, which has no starter in this model -- while its propeller turns at least at the speed
// below which a dead piston engine's propeller stops (three quarters of idle). A piston engine so
// keeps running and restarts while windmilling fast enough; once stopped it stays stopped until the
// next start or reset spins it up. Turbines and jets light whenever fuel and mixture allow.
int engine_runs(int i)
{
    const planestruct& pl = pln[0];
    if (pl.entype < 1 || pl.entype > 5) return 0;
    if (!rel.engine[i]) return 0;
    if (flt.m_fuel <= 0.0f) return 0;
    if (flt.mixt_powr_rat[i] <= 0.0f) return 0;
    if (is_piston(pl.entype)) {
        int j = pl.is_heli ? 0 : i;
        if (flt.tac[j] < 0.75f * pl.omegamin) return 0;
    }
    return 1;
}

}  // namespace

// ---- density table and temperature ----------------------------------------------------------------

void assign_hr(int i, float kft, float slugs_per_ft3)
{
    if (i < 0 || i >= 22) return;
    atm.hr[i][0] = kft * 1000.0f * con.fttomtrs;
    atm.hr[i][1] = slugs_per_ft3 * con.endtomed;
}

void fill_density_table(void)
{
    static const float rows[22][2] = {
        {0, 0.0023769f},   {10, 0.001756f},   {20, 0.001267f},   {30, 0.0008907f}, {40, 0.0005873f},
        {50, 0.0003639f},  {60, 0.0002256f},  {70, 0.0001399f},  {80, 0.00008594f}, {90, 0.00005253f},
        {100, 0.00003211f}, {110, 0.00002001f}, {120, 0.0000127f}, {130, 8.19e-6f},  {140, 5.364e-6f},
        {150, 3.564e-6f},  {160, 2.433e-6f},  {170, 1.693e-6f},  {180, 1.2e-6f},    {190, 8.589e-7f},
        {200, 6.061e-7f},  {259, 0.0f},
    };
    for (int i = 0; i < 22; i++) assign_hr(i, rows[i][0], rows[i][1]);
}

float std_temperature(float h)
{
    float ft = h * con.mtrstoft;
    if (ft >= std_h_ft[STD_LAYERS - 1]) return std_t[STD_LAYERS - 1];
    int k = 0;
    while (k < STD_LAYERS - 2 && ft > std_h_ft[k + 1]) k++;
    return interp(std_h_ft[k], std_t[k], std_h_ft[k + 1], std_t[k + 1], ft);
}

// ---- the frame's pre-steps ------------------------------------------------------------------------

void set_total_mass(void)
{
    flt.m_total = pln[0].m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
}

float set_ground_effect(void)
{
    const planestruct& pl = pln[0];
    int first = pl.is_heli ? 0 : 4;
    int last = pl.is_heli ? 0 : 11;
    float c = 99.0f;
    for (int i = first; i <= last; i++) {
        if (!have_this_part(i, 0)) continue;
        float span = pl.semilen[i] > 0.01f ? pl.semilen[i] : 0.01f;
        c = ((float)flt.Y[0] - env.localh_cg + pl.Yarm[i] * flt.costhe - pl.Zarm[i] * flt.sinthe) / span;
        float cl, cdi;
        if (pl.is_heli) {
            cl = interp(0.5f, 1.2f, 1.5f, 1.0f, c);
            cdi = interp(0.5f, 0.6f, 1.5f, 1.0f, c);
        } else {
            float f = fltlim(0.5f * c, 0.0f, 1.0f);
            cl = 1.0f + 0.25f * sqr(1.0f - f);
            float h2 = sqr(8.0f * c);
            cdi = h2 / (h2 + 1.0f);
        }
        flt.CL_grndeffect[i] = fltlim(cl, 1.0f, 2.0f);
        flt.CDIgrndeffect[i] = fltlim(cdi, 0.5f, 1.0f);
    }
    return c;
}

void hover_buffet(float c)
{
    static float btime1 = 0.0f, btime2 = 0.0f;
    const planestruct& pl = pln[0];
    if (!pl.is_heli && !pl.vectEQ) return;
    if (flt.m_total <= 0.0f || atm.g <= 0.0f) return;
    float k = pl.vectEQ ? 2.0f : 1.0f;
    float h = k * fltlim(interp(0.0f, 1.0f, 3.0f, 0.0f, c), 0.0f, 1.0f);
    btime1 += fltrand(0.5f, 1.5f) * msc.prd;
    btime2 += fltrand(0.5f, 1.5f) * msc.prd;
    float base = std::sin(pl.vertcant[0] * DEG) * h * flt.thrust[0] / (flt.m_total * atm.g);
    flt.the[0] += base * std::sin(btime1 * flt.tac[0]) * fltrand(0.05f, 0.1f);
    flt.phi[0] += base * std::sin(btime2 * flt.tac[0]) * fltrand(0.05f, 0.1f);
}

void set_air_at_aircraft(void)
{
    env.localh_cg = find_local_h((float)flt.X[0], (float)flt.Z[0], &env.i_aircraft, &env.j_aircraft, 1);

    // Density from the table, straight lines between its rows.
    float y = (float)flt.Y[0];
    float rho = atm.hr[0][1];
    if (y >= atm.hr[21][0]) {
        rho = atm.hr[21][1];
    } else if (y > atm.hr[0][0]) {
        for (int i = 0; i < 21; i++) {
            if (y >= atm.hr[i][0] && y <= atm.hr[i + 1][0] && atm.hr[i + 1][0] > atm.hr[i][0])
                rho = interp(atm.hr[i][0], atm.hr[i][1], atm.hr[i + 1][0], atm.hr[i + 1][1], y);
        }
    }

    atm.T = std_temperature(y) + (atm.temp_SL - 59.02f) * con.dgrtodgk;
    atm.a = atm.T > 0.0f ? std::sqrt(401.8f * atm.T) : 0.0f;
    float rankine = atm.temp_SL + 459.67f;
    atm.rho = rankine > 1.0f ? rho * 518.69f / rankine : rho;
    if (atm.rho < 0.0f) atm.rho = 0.0f;
    atm.crtsig = con.rhoSL > 0.0f ? atm.rho / con.rhoSL : 0.0f;
}

void update_engines(void)
{
    const planestruct& pl = pln[0];
    float sigma = atm.crtsig;
    float d40 = sigma - 0.4f;
    float d30 = sigma - 0.3f;
    for (int i = 0; i < engine_count(); i++) {
        flt.after_burning[i] = pl.burnerinc > 1.0f && flt.thro[i] > 0.99f && !flt.revving_thrust[i];

        float m = flt.mixt[i];
        if (is_piston(pl.entype)) {
            float w = m > d30 ? (m - d30) * 0.1f : (d30 - m) * 5.0f;
            float u = m > d30 ? (m - d30) * 2.0f : (d30 - m) * 5.0f;
            float thro = flt.thro[i] > 0.0f ? flt.thro[i] : 0.0f;
            flt.mixt_powr_rat[i] = fltlim(m > d40 ? 1.0f - w : 0.0f, 0.0f, 1.0f);
            flt.mixt_temp_rat[i] = fltlim(m > d40 ? (1.0f - u) * std::sqrt(thro) : 0.0f, 0.0f, 1.0f);
        } else {
            flt.mixt_powr_rat[i] = m > 0.5f ? 1.0f : 0.0f;
        }

        flt.eng_running[i] = engine_runs(i);

        if (!flt.eng_running[i]) {
            flt.ff_[i] = 0.0f;
        } else if (is_jet(pl.entype)) {
            flt.ff_[i] = burnin_fuel(std::fabs(flt.thrust[i])) * (flt.after_burning[i] ? 2.0f : 1.0f);
        } else {
            flt.ff_[i] = burnin_fuel(std::fabs(flt.power[i]));
        }

        if (rel.fc_thr) {
            float k = (pl.entype >= 1 && pl.entype <= 3 && flt.revving_thrust[i]) ? 0.5f : 1.0f;
            flt.thro[i] = (1.0f - msc.prd) * flt.thro[i] + msc.prd * flt.throrqst[i] * k;
        }
    }
}

void flight_presteps(void)
{
    set_total_mass();
    float c = set_ground_effect();
    hover_buffet(c);
    set_air_at_aircraft();
    update_engines();
}

void set_path_bank(void)
{
    float rel_heading = fltwrap(flt.psi[0] - fltwrap(flt.hpath, -180.0f, 180.0f), -180.0f, 180.0f);
    if (std::fabs(rel_heading) > 90.0f) {
        flt.sinphi_path = std::sin((flt.phi[0] + 180.0f) * DEG);
        flt.cosphi_path = std::cos((flt.phi[0] + 180.0f) * DEG);
        if (flt.the[0] < 0.0f) flt.cosphi_path = -flt.cosphi_path;
    } else {
        flt.sinphi_path = flt.sinphi;
        flt.cosphi_path = flt.cosphi;
    }
}

// ---- ship decks -----------------------------------------------------------------------------------

float the_dot_now(int ship, float* angle)
{
    float k = ship == 1603 ? 1.0f : 0.3f;
    float t = msc.init_time;
    *angle = atm.wave_amp * std::sin(k * t);
    return k * atm.wave_amp * std::cos(k * t);
}

float phi_dot_now(int ship, float* angle)
{
    float k = ship == 1603 ? 1.0f : 0.3f;
    float a = ship == 1603 ? 2.0f * atm.wave_amp : atm.wave_amp;
    float t = msc.init_time;
    *angle = a * std::sin(k * t);
    return k * a * std::cos(k * t);
}

// ---- dump and sub-steps ---------------------------------------------------------------------------

void write_frame_dump(void)
{
    trk_printf("\n");
    trk_separator();
    trk_separator();
    trk_marks(3);
    trk_printf("AT TIME COUNTER %6d", msc.cntr);
    trk_marks(75);
    trk_printf("\n");
    trk_separator();
    trk_separator();
    trk_printf("h       =%6.0f meters.\n", flt.Y[0]);
    trk_printf("rho     =%8.6f kg/cubic meter, density ratio=%8.6f.\n", atm.rho, atm.crtsig);
    trk_printf("airspeed=%2.1f m/s, mach number=%4.3f.\n", flt.av, flt.machno);
    trk_printf("\n");
    trk_printf("psi  =%5.2f deg.\n", flt.psi[0]);
    trk_printf("the  =%5.2f deg.\n", flt.the[0]);
    trk_printf("phi  =%5.2f deg.\n", flt.phi[0]);
    trk_printf("\n");
    trk_printf("hpath=%5.2f deg with respect to the air.\n", flt.ahpath);
    trk_printf("vpath=%5.2f deg with respect to the air.\n", flt.avpath);
    trk_printf("\n");
    trk_printf("alpha=%5.2f deg.\n", flt.Alph);
    trk_printf("beta =%5.2f deg.\n", flt.Beta);
    trk_printf("\n");
    trk_printf("P=%6.2f deg/second.\n", flt.Prad * 180.0f / PI);
    trk_printf("Q=%6.2f deg/second.\n", flt.Qrad * 180.0f / PI);
    trk_printf("R=%6.2f deg/second.\n", flt.Rrad * 180.0f / PI);
    trk_printf("\n");
}

void flight_substeps(void)
{
    msc.prd *= 0.5f;
    for (int k = 0; k < 2; k++) {
        msc.init_time += msc.prd;
        env.frig_the_dot = the_dot_now(1603, &env.frig_the);
        env.frig_phi_dot = phi_dot_now(1603, &env.frig_phi);
        env.carr_the_dot = the_dot_now(1601, &env.carr_the);
        env.carr_phi_dot = phi_dot_now(1601, &env.carr_phi);
        set_a();
        integ_vx();
    }
    msc.prd *= 2.0f;
}

void start_engines(void)
{
    const planestruct& pl = pln[0];
    int n = intlim(pl.numen, 0, 4);
    float t = flt.v[0] > msc.est_Vs ? 0.5f : 0.01f;
    for (int i = 0; i < n; i++) {
        flt.mixt[i] = 1.0f;
        flt.prop[i] = pl.omegamax;
        flt.throrqst[i] = flt.thro[i] = flt.parteqlbmthrust[i] = t;
        flt.proppitch[i] = interp(0.0f, pl.minpitch[i], 1.0f, pl.maxpitch[i], t);
        flt.tac[i] = pl.is_heli ? pl.omegamax : pl.omegamin + (pl.omegamax - pl.omegamin) * std::sqrt(t);
    }
}
