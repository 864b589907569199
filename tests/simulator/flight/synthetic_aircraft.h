// synthetic_aircraft.h -- a small, plain aircraft built field by field in the aircraft file's
// units (feet, pounds, horsepower, rpm), for tests that need an aircraft with chosen properties:
// one engine and propeller, a straight wing, a tail, a fuselage of elliptic sections and a
// tricycle gear, flown on the bundled part files.
#pragma once
#include "hl_design.h"
#include "hl_plane.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

inline void syn_text(char* dst, const char* s) { std::snprintf(dst, STR_LEN, "%s", s); }

inline void syn_foils(planestruct& pl, int p, const char* name)
{
    syn_text(pl.Rafl0[p], name);
    syn_text(pl.Rafl1[p], name);
    syn_text(pl.Tafl0[p], name);
    syn_text(pl.Tafl1[p], name);
}

// An elliptic body section: points 0 (top) to 8 (bottom) down the right side, 9 to 15 up the left.
inline void syn_section(planestruct& pl, int b, int s, float z, float half_width, float top, float bottom)
{
    float c = 0.5f * (top + bottom), h = 0.5f * (top - bottom);
    for (int j = 0; j < 16; j++) {
        float a = 3.14159265f * (float)j / 8.0f;
        pl.body_X[b][s][j] = half_width * std::sin(a);
        pl.body_Y[b][s][j] = c + h * std::cos(a);
        pl.body_Z[b][s][j] = z;
    }
}

inline planestruct syn_aircraft(void)
{
    planestruct pl;
    std::memset(&pl, 0, sizeof pl);
    syn_text(pl.C_file, "synthetic.acf");
    pl.asi_units = 2;
    pl.Vso = 45; pl.Vs = 50; pl.Vfe = 90; pl.Vno = 120; pl.Vne = 160;
    pl.paneltype = 1;
    pl.radiotype = 1;
    pl.supptype = 1;
    for (int i = 0; i < 9; i++) pl.ins_of_loc[i] = i;
    pl.ADFtype = 1;
    pl.TStype = 1;

    pl.numen = 1;
    pl.entype = 2;
    pl.pmax = 150;
    pl.gearrat = 1;
    pl.mpmax = 29.9f;
    pl.omegamin = 600;
    pl.omegamax = 2500;
    pl.omegamingreen = 2000;
    pl.omegamaxgreen = 2500;
    pl.sfc = 0.45f;
    pl.numblades[0] = 2;
    pl.els[0] = 4;
    pl.semilen[0] = 3.0f;
    pl.Croot[0] = 0.4f;
    pl.Ctip[0] = 0.3f;
    pl.Zarm[0] = -6.0f;
    for (int e = 0; e < 4; e++) pl.anginc[0][e] = 35.0f - 6.0f * (float)e;
    syn_foils(pl, 0, "Clark-Y (good propeller).afl");

    pl.els[5] = 4;
    pl.semilen[5] = 16.0f;
    pl.Croot[5] = 5.0f;
    pl.Ctip[5] = 4.0f;
    pl.Yarm[5] = 2.0f;
    pl.dihed[5] = 2.0f;
    for (int e = 0; e < 4; e++) {
        pl.anginc[5][e] = 1.0f;
        pl.flap[5][e] = e < 2;
        pl.ailn[5][e] = e >= 2;
    }
    syn_foils(pl, 5, "NACA 2412 (popular).afl");
    copy_foil(&pl, 5, 4);

    pl.els[11] = 2;
    pl.semilen[11] = 5.0f;
    pl.Croot[11] = 3.0f;
    pl.Ctip[11] = 2.5f;
    pl.Yarm[11] = 1.0f;
    pl.Zarm[11] = 16.0f;
    pl.anginc[11][0] = pl.anginc[11][1] = -1.5f;
    pl.elev[11][0] = pl.elev[11][1] = 1;
    syn_foils(pl, 11, "NACA 0009 (symmetrical).afl");
    copy_foil(&pl, 11, 10);

    pl.els[12] = 2;
    pl.semilen[12] = 4.0f;
    pl.Croot[12] = 4.0f;
    pl.Ctip[12] = 2.5f;
    pl.Yarm[12] = 1.0f;
    pl.Zarm[12] = 15.5f;
    pl.sweep1[12] = 30.0f;
    pl.dihed[12] = 90.0f;
    pl.rudd[12][0] = pl.rudd[12][1] = 1;
    syn_foils(pl, 12, "NACA 0009 (symmetrical).afl");

    pl.ailn_crat = 0.25f; pl.ailn_up = 20; pl.ailn_dn = 15;
    pl.elev_crat = 0.35f; pl.elev_up = 25; pl.elev_dn = 20;
    pl.rudd_crat = 0.35f; pl.rudd_def = 20;
    pl.con_smooth = 3;
    syn_text(pl.flap_str, "plain flap.flp");

    pl.fusewash = 1;
    pl.fuse_cd = 0.2f;
    const float z[11] = {-7, -5, -2, 1, 4, 7, 10, 13, 16, 19, 21};
    const float w[11] = {0.2f, 1.2f, 1.8f, 2.0f, 2.0f, 1.8f, 1.4f, 1.0f, 0.7f, 0.4f, 0.1f};
    for (int s = 0; s < 11; s++) syn_section(pl, 18, s, z[s], w[s], 1.0f + w[s], -1.0f - 0.5f * w[s]);

    pl.m_empty = 1500;
    pl.m_max = 2300;
    pl.m_fuel = 250;
    pl.cgZ = 1.0f;
    pl.cgY = 0.0f;
    pl.gear_type = 3;
    pl.nwsteer = 10;
    pl.ngearZ = -4.0f; pl.ngearY = -4.0f;
    pl.mgearZ = 3.0f; pl.mgearX = 4.0f; pl.mgearY = -4.0f;
    pl.wheelrad = 0.6f;
    return pl;
}

// The synthetic aircraft as a helicopter: a turbine turning an 18 ft two-bladed main rotor (part 0)
// and a 3 ft two-bladed tail rotor (part 1) at five times its speed, with no wing, tail or
// fuselage wash.
inline planestruct syn_helicopter(void)
{
    planestruct pl = syn_aircraft();
    pl.is_heli = 1;
    pl.entype = 3;
    pl.els[1] = 2;
    pl.semilen[0] = 18.0f;
    pl.semilen[1] = 3.0f;
    pl.Croot[1] = pl.Ctip[1] = 0.5f;
    pl.numblades[1] = 2;
    pl.trotor_rat = 5.0f;
    syn_foils(pl, 1, "NACA 0012 (symmetrical).afl");
    pl.fusewash = 0;
    for (int p = 4; p <= 13; p++) pl.semilen[p] = 0.0f;
    return pl;
}

// Writes the record as an aircraft file in dir and returns its path.
inline std::string syn_write(const planestruct& pl, const TempDir& dir, const char* name = "synthetic.acf")
{
    std::string path = dir.str() + "/" + name;
    std::memcpy(&pln[1], &pl, sizeof pl);
    EXPECT_EQ(write_plane(1, path.c_str()), 1);
    std::memset(&pln[1], 0, sizeof pln[1]);
    return path;
}

// Writes an airfoil part file: a straight lift line clM * alpha + clB up to the stall angle almax
// (and its mirror below), lift falling to a third past the stall, drag cd0 + 0.0001 alpha^2, flat
// moment curves; table_offset lifts the tabulated lift above the straight line (which the files'
// own constants keep). Returns the file's path.
inline std::string syn_airfoil(const std::string& folder, const char* name, float clM, float clB, float almax,
                               float cd0, float Re = 6.0f, float trat = 0.12f, float table_offset = 0.0f)
{
    std::string path = folder + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    if (!f) return path;
    auto angle = [](int n) { return n <= 200 ? (float)n / 10.0f : (float)(n - 180); };
    auto lift = [&](float a) {
        float s = a < 0.0f ? -1.0f : 1.0f, x = std::fabs(a);
        float line = clM * x * s + clB + table_offset;
        if (x <= almax) return line;
        float peak = clM * almax * s + clB;
        return peak * std::fmax(0.33f, 1.0f - 0.05f * (x - almax));
    };
    auto drag = [&](float a) { return cd0 + 0.0001f * a * a; };
    std::fprintf(f, "I\n363 version\n1234 device type code\n");
    std::fprintf(f, "constants:  %f %f %f %f %f %f 1.4 1.6 0.1 0.7 1.4 0.2 %f 0.011 2.3 -15 16 0 -0.04 -0.04 -0.08 0 0 2 0\n",
                 trat, Re, -almax, almax, clB, clM, cd0);
    std::fprintf(f, "index     cl         cd\n");
    for (int n = 270; n >= 100; n--) std::fprintf(f, "%.1f %8.5f %8.5f\n", -angle(n), lift(-angle(n)), drag(angle(n)));
    for (int n = 99; n >= 0; n--) std::fprintf(f, "%.1f %8.5f\n", -angle(n), drag(angle(n)));
    std::fprintf(f, "\n%.5f   clM\n%.5f   clB\n%.5f cmal2\n%.5f cmal3\n%.5f   cm1\n%.5f   cm2\n%.5f   cm3\n%.5f   cm4\n\n",
                 clM, clB, -15.0f, 16.0f, -0.04f, -0.04f, -0.04f, -0.04f);
    for (int n = 0; n <= 99; n++) std::fprintf(f, "%.1f %8.5f\n", angle(n), drag(angle(n)));
    for (int n = 100; n <= 270; n++) std::fprintf(f, "%.1f %8.5f %8.5f\n", angle(n), lift(angle(n)), drag(angle(n)));
    std::fclose(f);
    return path;
}
