// hc_convert.cpp -- reading the earlier aircraft text layout into the aircraft record, the record's
// rearranged bodies and defaults, and the in-place write that never leaves a half-written file.
#include "hullconvert.h"

#include "hc_scan.h"
#include "hl_drplane.h"
#include "hl_event.h"
#include "hl_file.h"
#include "hl_mnw.h"
#include "hl_opensave.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// What the scanners name when a value cannot be read: the file being converted.
const char* g_label = "aircraft file";
const char k_symmetrical[] = "NACA 0009 (symmetrical).afl";

void read_in_alert(const char* detail)
{
    MACIBM_alert("An error occurred during read-in of the aircraft file.",
                 "Either the file has been corrupted,or it is not really an aircraft file.", detail, "", ALERT_FATAL);
}

int iscan() { return hc::intscan(g_label); }
float fscan() { return hc::fltscan(g_label); }

// An angle in degrees wrapped into -180..180.
float wrap180(float a)
{
    if (!std::isfinite(a)) return 0.0f;
    float w = std::fmod(a, 360.0f);
    if (w > 180.0f) w -= 360.0f;
    if (w < -180.0f) w += 360.0f;
    return w;
}

// One control row: a flag for each of the els elements, on one line.
void control_row(int32_t row[8], int els)
{
    for (int e = 0; e < els; e++) row[e] = hc::bolscanNOSN(g_label);
    rln(g_label);
}

void read_general(planestruct* r)
{
    checkpoint(100);
    r->is_heli = iscan();
    r->asi_units = iscan();
    r->Vso = fscan();
    r->Vs = fscan();
    r->Vfe = fscan();
    r->Vno = fscan();
    r->Vne = fscan();
    r->Mmo = fscan();
    r->peZ = fscan();
    r->peX = fscan();
    r->peY = fscan();
    r->paneltype = iscan();
    r->radiotype = iscan();
    r->AStype = iscan();
    r->supptype = iscan();
    r->HUDtype = iscan();
    r->VVItype = iscan();
    for (int k = 1; k <= 8; k++) r->ins_of_loc[k] = iscan();
    r->ff_hydraulic = iscan();
    r->ff_stickshaker = iscan();
}

void read_engines(planestruct* r)
{
    checkpoint(101);
    const int old_type = iscan();
    const int second = iscan();
    // Old kinds: 1 piston, 2 turboprop, 3 jet (the second flag marks one with an afterburner).
    if (old_type == 1) r->entype = 1;
    else if (old_type == 2) r->entype = 3;
    else if (old_type == 3) r->entype = second == 1 ? 4 : 5;
    r->numen = iscan();
    r->pmax = fscan();
    r->critalt = fscan();
    r->omegamin = fscan();
    r->omegamax = fscan();
    r->omegamingreen = fscan();
    r->omegamaxgreen = fscan();
    r->tmax = fscan();
    r->spooltime = fscan();
    r->facejet = fscan();
    r->burnerinc = fscan();
    r->revthrustEQ = iscan();
    r->vertcant[0] = fscan();
    r->sidecant[0] = fscan();
    r->vertcant[1] = fscan();
    r->sidecant[1] = fscan();
    r->trotor_rat = fscan();
    // The old vectoring value: 0 none, else 1 + the vectoring arm in hundreds.
    const float v = fscan();
    r->vectEQ = v > 0.0f ? 1 : 0;
    r->vectarm = v > 0.0f ? (v - 1.0f) * 100.0f : 0.0f;
    r->varpitchEQ = iscan();
}

void read_controls(planestruct* r)
{
    checkpoint(114);
    r->hstabtype = static_cast<int32_t>(std::lround(fscan()));
    r->hstbtrimmax = fscan();

    checkpoint(115);
    float* v[] = {&r->ailn_crat, &r->elev_crat, &r->rudd_crat, &r->splr_crat, &r->drud_crat, &r->sbrk_crat,
                  &r->ailn_up,   &r->ailn_dn,   &r->elev_up,   &r->elev_dn,   &r->rudd_def,  &r->splr_def,
                  &r->drud_def,  &r->sbrk_def,  &r->slat_inc};
    for (float* p : v) *p = fscan();
    r->con_smooth = iscan();
}

void read_bodies(planestruct* r)
{
    checkpoint(116);
    r->fuse_cd = fscan();
    r->fusewash = iscan();
    r->nace_eq = iscan();
    r->misc_eq = iscan();
    r->misc_Z = fscan();
    r->misc_X = fscan();
    r->misc_Y = fscan();
    r->body_r[18] = fscan();
    r->body_r[19] = fscan();
    r->body_r[23] = fscan();
    // Old point j of a station is stored as point 2j; the odd points are filled in later.
    for (int b = OLD_FIRST_BODY; b <= OLD_LAST_BODY; b++)
        for (int i = 0; i < OLD_STATIONS; i++)
            for (int j = 0; j < OLD_POINTS; j++) {
                r->body_Z[b][i][2 * j] = hc::fltscanNOSN(g_label);
                r->body_X[b][i][2 * j] = hc::fltscanNOSN(g_label);
                r->body_Y[b][i][2 * j] = hc::fltscanNOSN(g_label);
                rln(g_label);
            }
}

void read_mass_and_gear(planestruct* r)
{
    checkpoint(117);
    r->cgZ = fscan();
    r->cgY = fscan();
    r->m_empty = fscan();
    r->m_max = fscan();
    r->m_fuel = fscan();
    r->m_jettison = fscan();

    checkpoint(118);
    const int old_gear = iscan();
    r->gear_retract = iscan();
    const int skid = iscan();
    // Old kinds: 0 tricycle, 1 tail-dragger; a skid overrides both.
    r->gear_type = old_gear == 1 ? 3 : 1;
    if (skid != 0) r->gear_type = 2;
    r->nwsteer = fscan();
    fscan();  // a value the current record has no place for
    r->ngearZ = fscan();
    r->ngearY = fscan();
    r->mgearZ = fscan();
    r->mgearX = fscan();
    r->mgearY = fscan();
    r->skidZ = fscan();
    r->skidX = fscan();
    r->skidY = fscan();
    r->skidl = fscan();
}

void read_equipment(planestruct* r)
{
    checkpoint(119);
    float* f[] = {&r->jatoZ, &r->jatoY, &r->jatotheta, &r->jatothrust, &r->jatodur,
                  &r->stabroll, &r->ailpitch, &r->ailflaps};
    for (float* p : f) *p = fscan();
    int32_t* q[] = {&r->antiiceEQ, &r->arrestingEQ, &r->bitchinbettyEQ, &r->autosbrkEQ, &r->autofbrkEQ,
                    &r->autosweepEQ};
    for (int32_t* p : q) *p = iscan();
    iscan();  // an integer the current record has no place for
    r->brake_area = fscan();
    r->chute_area = fscan();

    checkpoint(120);
    r->elevcyclic = fscan();
    r->ailncyclic = fscan();
    r->puffL = fscan();
    r->puffM = fscan();
    r->puffN = fscan();

    checkpoint(121);
    r->ASloV = fscan();
    r->AShiV = fscan();
    // The old autopilot limits and gains: the current autopilot keeps its own.
    for (int k = 0; k < 6; k++) rln(g_label);
}

void copy_point(planestruct* r, int b, int is, int js, int id, int jd)
{
    r->body_X[b][id][jd] = r->body_X[b][is][js];
    r->body_Y[b][id][jd] = r->body_Y[b][is][js];
    r->body_Z[b][id][jd] = r->body_Z[b][is][js];
}

// The five-station bodies: 4 -> 6, 3 -> 4, 5 between, 2 -> 3, 1 -> 2, 1 between.
void rearrange_short_body(planestruct* r, int b)
{
    scoot_s(r, b, 4, 6);
    scoot_s(r, b, 3, 4);
    ave_section(r, b, 5);
    scoot_s(r, b, 2, 3);
    scoot_s(r, b, 1, 2);
    scoot_s(r, b, 0, 0);
    ave_section(r, b, 1);
}

}  // namespace

int checkpoint(int expected)
{
    rln(g_label);
    const int got = iscan();
    if (got == expected) return 1;
    char text[STR_LEN];
    std::snprintf(text, sizeof text, "Wanted checkpoint %d, but got point %d", expected, got);
    read_in_alert(text);
    return 0;
}

void grabapart(planestruct* r, int s, int sec)
{
    checkpoint(sec);
    hc::strscan(r->Rafl0[s], g_label);
    hc::strscan(r->Rafl1[s], g_label);
    hc::strscan(r->Tafl0[s], g_label);
    hc::strscan(r->Tafl1[s], g_label);
    if (s <= 3) {
        r->propdir[s] = iscan();
        r->numblades[s] = fscan();
        r->des_adv[s] = fscan();
        r->des_rpm[s] = fscan();
        r->des_vel[s] = fscan();
        r->minpitch[s] = fscan();
        r->maxpitch[s] = fscan();
    }
    r->sweep1[s] = static_cast<float>(iscan());
    r->sweep2[s] = static_cast<float>(iscan());
    r->dihed[s] = static_cast<float>(iscan());
    r->semilen[s] = fscan();
    r->Croot[s] = fscan();
    r->Ctip[s] = fscan();
    r->Zarm[s] = fscan();
    r->Xarm[s] = fscan();
    r->Yarm[s] = fscan();
    iscan();  // two flags of the earlier layout with no place in the record
    iscan();
    r->varsweepEQ[s] = iscan();
    const int els = iscan();
    // The record holds at most 8 elements a surface: more would write past the incidence rows.
    if (els < 0 || els > OLD_MAX_ELS) {
        char text[STR_LEN];
        std::snprintf(text, sizeof text, "Surface %d has %d elements; a surface has 0 to %d.", s, els, OLD_MAX_ELS);
        read_in_alert(text);
        return;
    }
    r->els[s] = els;
    for (int e = 0; e < els; e++) r->anginc[s][e] = hc::fltscanNOSN(g_label);
    rln(g_label);

    if (s >= 4 && s <= 7) {
        control_row(r->ailn[s], els);
        control_row(r->splr[s], els);
        control_row(r->flap[s], els);
        control_row(r->slat[s], els);
        control_row(r->sbrk[s], els);
        control_row(r->drud[s], els);
    } else if (s == 10 || s == 11) {
        control_row(r->elev[s], els);
        control_row(r->flap[s], els);
        control_row(r->slat[s], els);
    } else if (s == 12 || s == 13) {
        control_row(r->rudd[s], els);
    }
}

void readplane(planestruct* r)
{
    read_general(r);
    read_engines(r);
    for (int s = 0; s <= 7; s++) grabapart(r, s, 102 + s);
    for (int s = 10; s <= 13; s++) grabapart(r, s, 110 + (s - 10));
    read_controls(r);
    read_bodies(r);
    read_mass_and_gear(r);
    read_equipment(r);
}

void scoot_s(planestruct* r, int b, int from, int to)
{
    for (int j = 0; j < 16; j++) copy_point(r, b, from, j, to, j);
}

void ave_section(planestruct* r, int b, int i)
{
    for (int j = 0; j < 16; j++) {
        r->body_X[b][i][j] = 0.5f * (r->body_X[b][i - 1][j] + r->body_X[b][i + 1][j]);
        r->body_Y[b][i][j] = 0.5f * (r->body_Y[b][i - 1][j] + r->body_Y[b][i + 1][j]);
        r->body_Z[b][i][j] = 0.5f * (r->body_Z[b][i - 1][j] + r->body_Z[b][i + 1][j]);
    }
}

void rearrange_bodies(planestruct* r)
{
    for (int b = OLD_FIRST_BODY; b <= OLD_LAST_BODY; b++)
        for (int i = 0; i < OLD_STATIONS; i++)
            for (int j = 1; j < 16; j += 2) {
                const int n = (j + 1) % 16;
                r->body_X[b][i][j] = 0.5f * (r->body_X[b][i][j - 1] + r->body_X[b][i][n]);
                r->body_Y[b][i][j] = 0.5f * (r->body_Y[b][i][j - 1] + r->body_Y[b][i][n]);
                r->body_Z[b][i][j] = 0.5f * (r->body_Z[b][i][j - 1] + r->body_Z[b][i][n]);
            }

    // The fuselage: 9 stations become 11.
    scoot_s(r, 18, 8, 10);
    scoot_s(r, 18, 7, 8);
    ave_section(r, 18, 9);
    for (int i = 6; i >= 1; i--) scoot_s(r, 18, i, i + 1);
    scoot_s(r, 18, 0, 0);
    ave_section(r, 18, 1);

    // The nacelles and the miscellaneous bodies: 5 stations become 7. The stored nacelles 2..4 and
    // the second miscellaneous body are in the same old order as the first ones, so they move too.
    for (int b = 19; b <= 24; b++) rearrange_short_body(r, b);
}

void set_defaults(planestruct* r)
{
    r->mpmax = 29.9f;
    r->gearrat = 1.0f;
    static const float sfc[6] = {0.0f, 0.43f, 0.41f, 0.55f, 0.85f, 0.55f};
    if (r->entype >= 1 && r->entype <= 5) r->sfc = sfc[r->entype];
    for (int k = 0; k < 3; k++) r->gear_stat[k] = 1;
    r->ngearZ_att = r->ngearZ;
    r->mgearZ_att = r->mgearZ;
    r->mgearX_att = r->mgearX;
    for (int s = 14; s <= 17; s++) {
        r->els[s] = 4;
        r->dihed[s] = 90.0f;
    }
    for (int s : {8, 9, 14, 15, 16, 17}) {
        std::snprintf(r->Rafl0[s], PLN_TEXT_LEN, "%s", k_symmetrical);
        std::snprintf(r->Rafl1[s], PLN_TEXT_LEN, "%s", k_symmetrical);
        std::snprintf(r->Tafl0[s], PLN_TEXT_LEN, "%s", k_symmetrical);
        std::snprintf(r->Tafl1[s], PLN_TEXT_LEN, "%s", k_symmetrical);
    }

    // Body 25, the nose-wheel fairing: a round body of radius body_r[25].
    r->body_r[25] = 1.0f;
    const int ns = f_body_s_dim(25, 0), nr = f_body_r_dim(25);
    const double two_pi = 6.283185307179586;
    for (int i = 0; i < ns; i++)
        for (int j = 0; j < nr; j++) {
            const double a = two_pi * j / nr;
            r->body_Z[25][i][j] = 0.5f * static_cast<float>(i) - 1.5f;
            r->body_X[25][i][j] = static_cast<float>(std::sin(a)) * r->body_r[25];
            r->body_Y[25][i][j] = static_cast<float>(std::cos(a)) * r->body_r[25];
        }

    for (int s = 0; s < 28; s++) {
        r->sweep1[s] = wrap180(r->sweep1[s]);
        r->dihed[s] = wrap180(r->dihed[s]);
    }
}

int convert_file(const char* path)
{
    std::memset(&pln[0], 0, sizeof pln[0]);
    g_label = path;
    const int saved_use = inf_use;
    inf_use = 1;
    if (!inf_open(path, OLD_ACF_TYPE, OLD_ACF_VERSION, 1)) {
        inf_use = saved_use;
        MACIBM_alert("File-opening failed!", path, "", "", ALERT_FATAL);
        return 0;
    }
    readplane(&pln[0]);
    const bool failed = inf1.fail();
    inf1.close();
    inf1.clear();
    inf_use = saved_use;
    if (failed) {
        MACIBM_alert("File-reading failed!", path, "", "", ALERT_FATAL);
        return 0;
    }
    rearrange_bodies(&pln[0]);
    set_defaults(&pln[0]);

    // The file is written beside the old one and put in its place only when whole: a failed write
    // leaves the old file as it was.
    return write_plane(0, path);
}

int WinMain(int argc, char** argv)
{
    if (!PLT_single_instance("Hullconvert")) return 0;
    clear_globals();
    MACIBM_init();
    char name[STR_LEN] = "", path[STR_LEN] = "";
    int chosen = 0;
    if (!gdone) {
        if (argc > 1) {
            std::snprintf(path, sizeof path, "%s", argv[1]);
            chosen = path[0] != 0;
        } else {
            MACIBM_startwind(0);
            chosen = MACIBM_opensave(WIND_OPEN, OS_KIND_AIRCRAFT, name, path);
        }
    }
    // A file that could not be written is a failure for whoever ran the conversion.
    const int failed = chosen && !gdone && !convert_file(path);
    MACIBM_finishup();
    return failed ? 1 : 0;
}
