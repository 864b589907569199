// v35_writer.h -- test generator of aircraft files in the earlier text layout: an earlier-layout
// aircraft as plain values, filled with distinct values from a seed, and written section by section
// (the inverse of the converter's reader), with switches for the damaged files the tests need.
#pragma once
#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace v35 {

// One lifting surface's section.
struct Surface {
    std::string names[4];   // root low, root high, tip low, tip high Reynolds number
    int propdir = 0;
    float numblades = 0, des_adv = 0, des_rpm = 0, des_vel = 0, minpitch = 0, maxpitch = 0;
    int sweep1 = 0, sweep2 = 0, dihed = 0;
    float semilen = 0, Croot = 0, Ctip = 0, Zarm = 0, Xarm = 0, Yarm = 0;
    int dropped1 = 0, dropped2 = 0, varsweepEQ = 0, els = 0;
    float anginc[8] = {};
    int rows[6][8] = {};    // control rows in file order (ailn splr flap slat sbrk drud / elev flap slat / rudd)
};

constexpr int SURFACES[12] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13};

// Number of control rows a surface's section carries.
inline int control_rows(int s)
{
    if (s >= 4 && s <= 7) return 6;
    if (s == 10 || s == 11) return 3;
    if (s == 12 || s == 13) return 1;
    return 0;
}

struct Plane {
    // 100
    int is_heli = 0, asi_units = 1;
    float Vso = 0, Vs = 0, Vfe = 0, Vno = 0, Vne = 0, Mmo = 0, peZ = 0, peX = 0, peY = 0;
    int paneltype = 0, radiotype = 0, AStype = 0, supptype = 0, HUDtype = 0, VVItype = 0;
    int ins[9] = {};   // 1..8 used
    int ff_hydraulic = 0, ff_stickshaker = 0;
    // 101
    int engine_type = 1, engine_flag = 0, numen = 1;
    float pmax = 0, critalt = 0, omegamin = 0, omegamax = 0, omegamingreen = 0, omegamaxgreen = 0, tmax = 0,
          spooltime = 0, facejet = 0, burnerinc = 0;
    int revthrustEQ = 0;
    float vertcant0 = 0, sidecant0 = 0, vertcant1 = 0, sidecant1 = 0, trotor_rat = 0, vector = 0;
    int varpitchEQ = 0;
    Surface surf[14];
    // 114
    float hstabtype = 0, hstbtrimmax = 0;
    // 115: ailn_crat elev_crat rudd_crat splr_crat drud_crat sbrk_crat ailn_up ailn_dn elev_up elev_dn
    // rudd_def splr_def drud_def sbrk_def slat_inc
    float surfaces115[15] = {};
    int con_smooth = 0;
    // 116
    float fuse_cd = 0;
    int fusewash = 0, nace_eq = 0, misc_eq = 0;
    float misc_Z = 0, misc_X = 0, misc_Y = 0, body_r18 = 0, body_r19 = 0, body_r23 = 0;
    float pts[7][9][8][3] = {};   // bodies 18..24, station, point: z, x, y
    // 117
    float cgZ = 0, cgY = 0, m_empty = 0, m_max = 0, m_fuel = 0, m_jettison = 0;
    // 118
    int gear_type = 0, gear_retract = 0, skid = 0;
    float nwsteer = 0, skipped118 = 0, ngearZ = 0, ngearY = 0, mgearZ = 0, mgearX = 0, mgearY = 0, skidZ = 0,
          skidX = 0, skidY = 0, skidl = 0;
    // 119: jatoZ jatoY jatotheta jatothrust jatodur stabroll ailpitch ailflaps
    float jato[8] = {};
    int equip[6] = {};   // antiice arresting bitchinbetty autosbrk autofbrk autosweep
    int skipped119 = 0;
    float brake_area = 0, chute_area = 0;
    // 120: elevcyclic ailncyclic puffL puffM puffN
    float cyclic[5] = {};
    // 121
    float ASloV = 0, AShiV = 0;
    float autopilot[6] = {};   // six lines the converter skips
};

// Switches for damaged or odd files.
struct Options {
    int version = 35;
    std::string letter = "I";
    std::vector<int> order;      // section numbers in the order written; empty: 100..121
    bool comments = true;        // a comment after every value read with a line-skipping scanner
    std::string eol = "\n";
    size_t cut_at = std::string::npos;   // the text is cut to this many bytes
};

// A plane with every value different, drawn from the seed. Counts stay meaningful (els 1..8).
inline Plane make_plane(unsigned seed)
{
    std::mt19937 g(seed);
    auto f = [&](float lo, float hi) {
        // Values with a few decimals so that the text holds them exactly as floats read them back.
        std::uniform_int_distribution<int> d(0, 100000);
        return lo + (hi - lo) * static_cast<float>(d(g)) / 100000.0f;
    };
    auto i = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(g); };
    Plane p;
    p.is_heli = i(0, 1);
    p.asi_units = i(1, 2);
    float* fs100[] = {&p.Vso, &p.Vs, &p.Vfe, &p.Vno, &p.Vne, &p.Mmo, &p.peZ, &p.peX, &p.peY};
    for (float* v : fs100) *v = f(-50, 300);
    int* is100[] = {&p.paneltype, &p.radiotype, &p.AStype, &p.supptype, &p.HUDtype, &p.VVItype};
    for (int* v : is100) *v = i(0, 9);
    for (int k = 1; k <= 8; k++) p.ins[k] = i(0, 30);
    p.ff_hydraulic = i(0, 1);
    p.ff_stickshaker = i(0, 1);
    p.engine_type = i(1, 3);
    p.engine_flag = i(0, 1);
    p.numen = i(1, 4);
    float* fs101[] = {&p.pmax, &p.critalt, &p.omegamin, &p.omegamax, &p.omegamingreen, &p.omegamaxgreen,
                      &p.tmax, &p.spooltime, &p.facejet, &p.burnerinc, &p.vertcant0, &p.sidecant0,
                      &p.vertcant1, &p.sidecant1, &p.trotor_rat};
    for (float* v : fs101) *v = f(0, 3000);
    p.revthrustEQ = i(0, 1);
    p.vector = f(1, 3);
    p.varpitchEQ = i(0, 1);
    for (int s : SURFACES) {
        Surface& u = p.surf[s];
        for (int k = 0; k < 4; k++) u.names[k] = "Part " + std::to_string(s) + "." + std::to_string(k) + " x.afl";
        u.propdir = i(-1, 1);
        float* fp[] = {&u.numblades, &u.des_adv, &u.des_rpm, &u.des_vel, &u.minpitch, &u.maxpitch};
        for (float* v : fp) *v = f(0, 100);
        u.sweep1 = i(-170, 170);
        u.sweep2 = i(-170, 170);
        u.dihed = i(-170, 170);
        float* fg[] = {&u.semilen, &u.Croot, &u.Ctip, &u.Zarm, &u.Xarm, &u.Yarm};
        for (float* v : fg) *v = f(-20, 20);
        u.dropped1 = i(0, 1);
        u.dropped2 = i(0, 1);
        u.varsweepEQ = i(0, 1);
        u.els = i(1, 8);
        for (int e = 0; e < u.els; e++) u.anginc[e] = f(-5, 5);
        for (int r = 0; r < control_rows(s); r++)
            for (int e = 0; e < u.els; e++) u.rows[r][e] = i(0, 1);
    }
    p.hstabtype = static_cast<float>(i(0, 3));
    p.hstbtrimmax = f(0, 10);
    for (float& v : p.surfaces115) v = f(0, 40);
    p.con_smooth = i(0, 1);
    p.fuse_cd = f(0, 1);
    p.fusewash = i(0, 1);
    p.nace_eq = i(0, 1);
    p.misc_eq = i(0, 1);
    p.misc_Z = f(-5, 5);
    p.misc_X = f(-5, 5);
    p.misc_Y = f(-5, 5);
    p.body_r18 = f(0, 3);
    p.body_r19 = f(0, 3);
    p.body_r23 = f(0, 3);
    for (auto& b : p.pts)
        for (auto& st : b)
            for (auto& pt : st)
                for (float& v : pt) v = f(-10, 10);
    float* fs117[] = {&p.cgZ, &p.cgY, &p.m_empty, &p.m_max, &p.m_fuel, &p.m_jettison};
    for (float* v : fs117) *v = f(0, 5000);
    p.gear_type = i(0, 1);
    p.gear_retract = i(0, 1);
    p.skid = 0;
    float* fs118[] = {&p.nwsteer, &p.skipped118, &p.ngearZ, &p.ngearY, &p.mgearZ, &p.mgearX,
                      &p.mgearY, &p.skidZ, &p.skidX, &p.skidY, &p.skidl};
    for (float* v : fs118) *v = f(-10, 10);
    for (float& v : p.jato) v = f(0, 100);
    for (int& v : p.equip) v = i(0, 1);
    p.skipped119 = i(0, 9);
    p.brake_area = f(0, 5);
    p.chute_area = f(0, 5);
    for (float& v : p.cyclic) v = f(0, 20);
    p.ASloV = f(50, 100);
    p.AShiV = f(100, 300);
    for (float& v : p.autopilot) v = f(0, 1);
    return p;
}

// The text of the file.
inline std::string write_text(const Plane& p, const Options& o = {})
{
    std::string t;
    char b[128];
    const std::string& eol = o.eol;
    auto line = [&](const std::string& s) { t += s + eol; };
    // A value read with a line-skipping scanner; a comment may follow it.
    auto val_f = [&](float v, const char* what) {
        std::snprintf(b, sizeof b, "%.9g", static_cast<double>(v));
        line(o.comments ? std::string(b) + "    " + what : std::string(b));
    };
    auto val_i = [&](int v, const char* what) {
        line(o.comments ? std::to_string(v) + "    " + what : std::to_string(v));
    };

    auto section = [&](int n) {
        switch (n) {
        case 100:
            val_i(p.is_heli, "is_heli");
            val_i(p.asi_units, "asi_units");
            for (float v : {p.Vso, p.Vs, p.Vfe, p.Vno, p.Vne, p.Mmo, p.peZ, p.peX, p.peY}) val_f(v, "speed or eye");
            for (int v : {p.paneltype, p.radiotype, p.AStype, p.supptype, p.HUDtype, p.VVItype}) val_i(v, "type");
            for (int k = 1; k <= 8; k++) val_i(p.ins[k], "instrument");
            val_i(p.ff_hydraulic, "ff_hydraulic");
            val_i(p.ff_stickshaker, "ff_stickshaker");
            break;
        case 101:
            val_i(p.engine_type, "engine type");
            val_i(p.engine_flag, "afterburner");
            val_i(p.numen, "numen");
            for (float v : {p.pmax, p.critalt, p.omegamin, p.omegamax, p.omegamingreen, p.omegamaxgreen, p.tmax,
                            p.spooltime, p.facejet, p.burnerinc})
                val_f(v, "engine");
            val_i(p.revthrustEQ, "revthrustEQ");
            for (float v : {p.vertcant0, p.sidecant0, p.vertcant1, p.sidecant1, p.trotor_rat, p.vector})
                val_f(v, "engine");
            val_i(p.varpitchEQ, "varpitchEQ");
            break;
        case 114:
            val_f(p.hstabtype, "hstabtype");
            val_f(p.hstbtrimmax, "hstbtrimmax");
            break;
        case 115:
            for (float v : p.surfaces115) val_f(v, "control");
            val_i(p.con_smooth, "con_smooth");
            break;
        case 116:
            val_f(p.fuse_cd, "fuse_cd");
            val_i(p.fusewash, "fusewash");
            val_i(p.nace_eq, "nace_eq");
            val_i(p.misc_eq, "misc_eq");
            for (float v : {p.misc_Z, p.misc_X, p.misc_Y, p.body_r18, p.body_r19, p.body_r23}) val_f(v, "body");
            for (auto& body : p.pts)
                for (auto& st : body)
                    for (auto& pt : st) {
                        std::snprintf(b, sizeof b, "%.9g %.9g %.9g", static_cast<double>(pt[0]),
                                      static_cast<double>(pt[1]), static_cast<double>(pt[2]));
                        line(b);
                    }
            break;
        case 117:
            for (float v : {p.cgZ, p.cgY, p.m_empty, p.m_max, p.m_fuel, p.m_jettison}) val_f(v, "mass");
            break;
        case 118:
            val_i(p.gear_type, "gear type");
            val_i(p.gear_retract, "gear_retract");
            val_i(p.skid, "skid");
            for (float v : {p.nwsteer, p.skipped118, p.ngearZ, p.ngearY, p.mgearZ, p.mgearX, p.mgearY, p.skidZ,
                            p.skidX, p.skidY, p.skidl})
                val_f(v, "gear");
            break;
        case 119:
            for (float v : p.jato) val_f(v, "equipment");
            for (int v : p.equip) val_i(v, "equipment");
            val_i(p.skipped119, "skipped");
            val_f(p.brake_area, "brake_area");
            val_f(p.chute_area, "chute_area");
            break;
        case 120:
            for (float v : p.cyclic) val_f(v, "cyclic");
            break;
        case 121:
            val_f(p.ASloV, "ASloV");
            val_f(p.AShiV, "AShiV");
            for (float v : p.autopilot) val_f(v, "autopilot");
            break;
        default: {
            const int s = n <= 109 ? n - 102 : n - 100;   // 102..109 surfaces 0..7, 110..113 surfaces 10..13
            const Surface& u = p.surf[s];
            for (const std::string& name : u.names) line(name);
            if (s <= 3) {
                val_i(u.propdir, "propdir");
                for (float v : {u.numblades, u.des_adv, u.des_rpm, u.des_vel, u.minpitch, u.maxpitch})
                    val_f(v, "propeller");
            }
            val_i(u.sweep1, "sweep1");
            val_i(u.sweep2, "sweep2");
            val_i(u.dihed, "dihed");
            for (float v : {u.semilen, u.Croot, u.Ctip, u.Zarm, u.Xarm, u.Yarm}) val_f(v, "geometry");
            val_i(u.dropped1, "dropped");
            val_i(u.dropped2, "dropped");
            val_i(u.varsweepEQ, "varsweepEQ");
            val_i(u.els, "els");
            // A damaged file may claim more elements than a surface holds: those past the
            // eighth are written as zeros.
            auto held = [](const auto& values, int e) { return e < 8 ? values[e] : 0; };
            std::string row;
            for (int e = 0; e < u.els; e++) {
                std::snprintf(b, sizeof b, "%s%.9g", e ? " " : "", static_cast<double>(held(u.anginc, e)));
                row += b;
            }
            line(row);
            for (int r = 0; r < control_rows(s); r++) {
                row.clear();
                for (int e = 0; e < u.els; e++) row += (e ? " " : "") + std::to_string(held(u.rows[r], e));
                line(row);
            }
            break;
        }
        }
    };

    line(o.letter);
    line(std::to_string(o.version) + " version");
    std::vector<int> order = o.order;
    if (order.empty())
        for (int n = 100; n <= 121; n++) order.push_back(n);
    for (int n : order) {
        line("section " + std::to_string(n));
        line(std::to_string(n));
        section(n);
    }
    if (o.cut_at < t.size()) t.resize(o.cut_at);
    return t;
}

}  // namespace v35
