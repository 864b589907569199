// gen_aircraft_fleet_test.cpp -- the bundled aircraft: they are generated where the simulator
// looks for them, load with the record reader, carry the published figures their descriptions
// cite, and are complete; a faulty description is refused naming the field and writes nothing.
#include "acf_build.h"
#include "hl_plane.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

const std::string k_desc_dir = std::string(KV_SOURCE_DIR) + "/tools/gen_aircraft/aircraft";

enum Kind { PLANE, GLIDER, HELI, JET, SEAPLANE };

struct Bundled {
    const char* desc;
    const char* file;  // below the program folder
    Kind kind;
};

// The three aircraft the simulator names by path, then the test set.
const Bundled k_fleet[] = {
    {"cessna_172.acd", "planes/General Aviation/Cessna 172 Skyhawk/Cessna 172 Skyhawk.acf", PLANE},
    {"husky.acd", "planes/System Planes (don't move)/Husky/Husky.acf", PLANE},
    {"b52h.acd", "planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf", JET},
    {"schweizer_2_32.acd", "planes/General Aviation/Schweizer 2-32/Schweizer 2-32.acf", GLIDER},
    {"bell_206b.acd", "planes/Helicopters/Bell 206B JetRanger III/Bell 206B JetRanger III.acf", HELI},
    {"t38a.acd", "planes/Fighters/T-38A Talon/T-38A Talon.acf", JET},
    {"dhc2_beaver_floats.acd", "planes/Seaplanes/DHC-2 Beaver Floatplane/DHC-2 Beaver Floatplane.acf", SEAPLANE},
};

// The part files the airfoil generator bundles (the shared list both generators work from).
const std::set<std::string> k_airfoils = {
    "NACA 2412 (popular).afl",           "NACA 0009 (symmetrical).afl",   "NACA 0012 (symmetrical).afl",
    "Clark-Y (good propeller).afl",      "NACA 4415 (high lift).afl",     "NACA 64A204 (transonic).afl",
    "NACA 63A219 (thick transport).afl", "NACA 65-410 (laminar tip).afl", "NACA 65A004 (thin symmetrical).afl",
    "NACA 65(3)-618 (sailplane).afl"};
const std::set<std::string> k_flaps = {"plain flap.flp", "slotted flap.flp", "fowler flap.flp", "slotted flap (30 deg).flp"};

std::string program_path(const char* rel) { return std::string(KV_PROGRAM_DIR) + "/" + rel; }

// Reads the generated aircraft file into *r with the record reader.
bool load(const Bundled& a, planestruct* r)
{
    if (!read_plane(1, program_path(a.file).c_str())) return false;
    *r = pln[1];
    return true;
}

bool lifting_present(const planestruct& r, int p) { return r.semilen[p] > 0.05f; }

// Lateral reach of the tip of lifting part p (feet), along its swept, dihedral quarter-chord line.
double tip_x(const planestruct& r, int p)
{
    const double d2r = M_PI / 180.0;
    return std::fabs(r.Xarm[p]) + std::cos(r.dihed[p] * d2r) * std::cos(r.sweep1[p] * d2r) * r.semilen[p];
}

// Wing span and projected wing area (both halves) from the wing parts 4 to 9.
double span(const planestruct& r)
{
    double s = 0;
    for (int p = 4; p <= 9; p++)
        if (lifting_present(r, p)) s = std::max(s, 2 * tip_x(r, p));
    return s;
}

double wing_area(const planestruct& r)
{
    const double d2r = M_PI / 180.0;
    double a = 0;
    for (int p = 4; p <= 9; p++)
        if (lifting_present(r, p))
            a += r.semilen[p] * std::cos(r.sweep1[p] * d2r) * std::cos(r.dihed[p] * d2r) * 0.5 * (r.Croot[p] + r.Ctip[p]);
    return a;
}

std::string description_text(const char* desc) { return read_file(k_desc_dir + "/" + desc); }

// Builds and checks a description text; returns every message ("" when clean).
std::string build_and_check(const std::string& text, const std::string& name)
{
    Description d;
    std::string err;
    if (!desc_parse(text, name, &d, &err)) return err;
    AcfBuild b;
    if (!acf_build(d, &b, &err)) return err;
    std::string all;
    for (const std::string& m : acf_check(b)) all += m + "\n";
    return all;
}

}  // namespace

TEST(BundledAircraft, EveryDescriptionBuildsCleanAndNamesItsFile)
{
    std::set<std::string> descs;
    for (const auto& e : fs::directory_iterator(k_desc_dir))
        if (e.path().extension() == ".acd") descs.insert(e.path().filename().string());
    std::set<std::string> expected;
    for (const Bundled& a : k_fleet) expected.insert(a.desc);
    EXPECT_EQ(descs, expected);

    for (const Bundled& a : k_fleet) {
        Description d;
        std::string err;
        ASSERT_TRUE(desc_read_file(k_desc_dir + "/" + a.desc, &d, &err)) << err;
        AcfBuild b;
        ASSERT_TRUE(acf_build(d, &b, &err)) << err;
        std::vector<std::string> problems = acf_check(b);
        EXPECT_TRUE(problems.empty()) << a.desc << ": " << (problems.empty() ? "" : problems[0]);
        EXPECT_EQ(b.output, a.file);
    }
}

TEST(BundledAircraft, GeneratedFilesLoadAndMatchAFreshBuild)
{
    for (const Bundled& a : k_fleet) {
        std::string path = program_path(a.file);
        std::string bytes = read_file(path);
        ASSERT_EQ(bytes.size(), 5 + sizeof(planestruct)) << path;
        EXPECT_EQ(bytes[0], 'i');
        int32_t version;
        std::memcpy(&version, bytes.data() + 1, 4);
        EXPECT_EQ(version, 46);
        EXPECT_FALSE(fs::exists(path + ".part"));

        planestruct r;
        ASSERT_TRUE(load(a, &r)) << path;
        EXPECT_EQ(r.asi_units, 2) << a.desc;  // read in this machine's order, no swap needed

        // The build is deterministic: the file holds exactly what the description builds.
        Description d;
        std::string err;
        ASSERT_TRUE(desc_read_file(k_desc_dir + "/" + a.desc, &d, &err));
        AcfBuild b;
        ASSERT_TRUE(acf_build(d, &b, &err));
        EXPECT_EQ(std::memcmp(bytes.data() + 5, b.rec.get(), sizeof(planestruct)), 0) << a.desc;
    }
}

// The published figures, stated here from the sources the descriptions cite.
TEST(BundledAircraft, NamedAircraftCarryTheirPublishedFigures)
{
    struct Figures {
        int fleet;
        double span_ft, area_sqft;
        double power;  // horsepower, or total thrust in pounds for jets
        double empty_lb, max_lb;
    };
    const Figures figs[] = {
        // Cessna 172R handbook section 1: 36 ft 1 in, 174 sq ft, 160 BHP, 1,639 lb empty, 2,450 lb.
        {0, 36.0 + 1.0 / 12, 174.0, 160.0, 1639.0, 2450.0},
        // Husky A-1C-180 published data: 35 ft 6 in, 183.4 sq ft, 180 hp, 1,275 lb empty, 2,200 lb.
        {1, 35.5, 183.4, 180.0, 1275.0, 2200.0},
        // B-52H fact sheet and reference data: 185 ft, 4,000 sq ft, eight engines of 17,000 lb,
        // 185,000 lb empty, 488,000 lb maximum take-off.
        {2, 185.0, 4000.0, 8 * 17000.0, 185000.0, 488000.0},
    };
    for (const Figures& f : figs) {
        const Bundled& a = k_fleet[f.fleet];
        planestruct r;
        ASSERT_TRUE(load(a, &r)) << a.file;
        EXPECT_NEAR(span(r), f.span_ft, 0.005 * f.span_ft) << a.desc;
        EXPECT_NEAR(wing_area(r), f.area_sqft, 0.01 * f.area_sqft) << a.desc;
        double power = (r.entype == 4 || r.entype == 5) ? r.numen * r.tmax : r.numen * r.pmax;
        EXPECT_NEAR(power, f.power, 1e-3 * f.power) << a.desc;
        EXPECT_NEAR(r.m_empty, f.empty_lb, 0.5) << a.desc;
        EXPECT_NEAR(r.m_max, f.max_lb, 0.5) << a.desc;
    }
    planestruct b52;
    ASSERT_TRUE(load(k_fleet[2], &b52));
    EXPECT_NEAR(b52.m_fuel, 312197.0, 0.5);  // fact sheet: fuel capacity
    planestruct c172;
    ASSERT_TRUE(load(k_fleet[0], &c172));
    EXPECT_NEAR(2 * c172.semilen[0], 75.0 / 12, 1e-3);  // 75 in propeller
    EXPECT_NEAR(c172.omegamax, 2400.0, 0.5);
}

TEST(BundledAircraft, EveryAircraftIsCompleteAndWithinTheLoadersLimits)
{
    for (const Bundled& a : k_fleet) {
        SCOPED_TRACE(a.desc);
        planestruct r;
        ASSERT_TRUE(load(a, &r));
        bool heli = a.kind == HELI;
        EXPECT_EQ(r.is_heli, heli ? 1 : 0);

        // Counts the loader indexes arrays with.
        EXPECT_GE(r.numen, 0);
        EXPECT_LE(r.numen, heli ? 2 : 4);
        EXPECT_EQ(r.numen == 0, a.kind == GLIDER);
        int props = (r.entype >= 1 && r.entype <= 3) ? r.numen : 0;
        if (heli) props = 2;
        for (int i = 0; i < props; i++) {
            EXPECT_GE(r.numblades[i], 2);
            EXPECT_LE(r.numblades[i], 9);
            EXPECT_GE(r.els[i], 1);
            EXPECT_LE(r.els[i], 8);
            EXPECT_GT(r.semilen[i], 0.1f);
        }
        if (a.kind == JET) {
            EXPECT_TRUE(r.entype == 4 || r.entype == 5);
            EXPECT_GT(r.tmax, 1.0f);
            EXPECT_GT(r.spooltime, 0.0f);
            EXPECT_GT(r.Mmo, 0.0f);
        }
        bool any_surface = false;
        for (int p = 4; p < 18; p++) {
            if (!lifting_present(r, p)) continue;
            if (p < 14) any_surface = true;
            EXPECT_GE(r.els[p], 1) << p;
            EXPECT_LE(r.els[p], 8) << p;
            EXPECT_GT(r.Croot[p], 0.0f) << p;
            EXPECT_GT(r.Ctip[p], 0.0f) << p;
            for (const char* name : {r.Rafl0[p], r.Rafl1[p], r.Tafl0[p], r.Tafl1[p]})
                EXPECT_TRUE(k_airfoils.count(name)) << p << " uses \"" << name << "\"";
        }
        for (int i = 0; i < props; i++)
            for (const char* name : {r.Rafl0[i], r.Rafl1[i], r.Tafl0[i], r.Tafl1[i]})
                EXPECT_TRUE(k_airfoils.count(name)) << "rotor " << i << " uses \"" << name << "\"";
        // The airfoil generator has written every one of them into the program folder.
        for (int p = 0; p < 18; p++)
            for (const char* name : {r.Rafl0[p], r.Rafl1[p], r.Tafl0[p], r.Tafl1[p]})
                if (*name) {
                    EXPECT_TRUE(fs::exists(program_path("airfoils/") + name)) << name;
                }
        EXPECT_TRUE(any_surface || heli);

        bool flaps = false;
        for (int p = 4; p < 18; p++)
            for (int e = 0; e < 8; e++) flaps = flaps || (lifting_present(r, p) && r.flap[p][e]);
        if (flaps) {
            EXPECT_TRUE(k_flaps.count(r.flap_str)) << r.flap_str;
            EXPECT_TRUE(fs::exists(program_path("flaps/") + r.flap_str)) << r.flap_str;
        }

        // Speeds: the never-exceed speed always; an aeroplane's whole set, in order.
        EXPECT_TRUE(r.asi_units == 1 || r.asi_units == 2);
        EXPECT_GT(r.Vne, 0.0f);
        if (!heli) {
            EXPECT_GT(r.Vso, 0.0f);
            EXPECT_LE(r.Vso, r.Vs);
            EXPECT_LT(r.Vs, r.Vno);
            EXPECT_GT(r.Vfe, r.Vso);
            EXPECT_LE(r.Vno, r.Vne);
        }

        // Panel: kinds 0 to 8 in places 1 to 8, each at most once, at most three wide per row.
        EXPECT_TRUE(r.paneltype == 1 || r.paneltype == 2);
        int seen[9] = {0}, wide[2] = {0, 0};
        for (int k = 1; k <= 8; k++) {
            int kind = r.ins_of_loc[k];
            ASSERT_GE(kind, 0);
            ASSERT_LE(kind, 8);
            if (kind) {
                EXPECT_EQ(seen[kind]++, 0) << "instrument " << kind << " twice";
            }
            if (kind == 1 || kind == 2 || kind == 3 || kind == 5 || kind == 6 || kind == 7) wide[k > 4]++;
        }
        EXPECT_LE(wide[0], 3);
        EXPECT_LE(wide[1], 3);
        if (heli) {
            EXPECT_EQ(r.ins_of_loc[4], 0);
            EXPECT_EQ(r.ins_of_loc[8], 0);
        }

        // Weights, and the centre of gravity between the ground contacts.
        EXPECT_GE(r.m_empty, 1.0f);
        EXPECT_LE(r.m_empty, r.m_max);
        if (r.gear_type >= 3) {
            EXPECT_LT((r.ngearZ - r.cgZ) * (r.mgearZ - r.cgZ), 0.0f);
            double rest = std::asin((r.mgearY - r.ngearY) / ((r.mgearZ - r.cgZ) - (r.ngearZ - r.cgZ))) * 180 / M_PI;
            EXPECT_LT(std::fabs(rest), 30.0);
            EXPECT_GT(r.wheelrad, 0.0f);
            EXPECT_EQ(r.gear_stat[0] + r.gear_stat[1] + r.gear_stat[2], 3);
        } else if (r.gear_type == 2) {
            EXPECT_LE(r.skidZ - r.cgZ, 0.0f);
            EXPECT_GE(r.skidl + r.skidZ - r.cgZ, 0.0f);
        } else {
            EXPECT_EQ(a.kind, SEAPLANE);
        }

        // The fuselage's eleven stations run from front to back.
        for (int s = 1; s < 11; s++) EXPECT_GT(r.body_Z[18][s][0], r.body_Z[18][s - 1][0]) << s;
    }
}

TEST(BundledAircraft, TestSetExercisesRotorsJetsAndFloats)
{
    planestruct heli, jet, sea, glider, tow;
    ASSERT_TRUE(load(k_fleet[4], &heli));
    ASSERT_TRUE(load(k_fleet[5], &jet));
    ASSERT_TRUE(load(k_fleet[6], &sea));
    ASSERT_TRUE(load(k_fleet[3], &glider));
    ASSERT_TRUE(load(k_fleet[1], &tow));

    // Helicopter: turbine-driven main and tail rotors, the tail rotor's thrust sideways, skids.
    EXPECT_EQ(heli.entype, 3);
    EXPECT_GT(heli.semilen[0], heli.semilen[1]);
    EXPECT_GT(heli.trotor_rat, 1.0f);
    EXPECT_NEAR(std::fabs(heli.sidecant[1]), 90.0f, 1e-3);
    EXPECT_LT(heli.minpitch[0], heli.maxpitch[0]);
    EXPECT_GT(heli.elevcyclic, 0.0f);
    EXPECT_EQ(heli.gear_type, 2);

    // Jet: afterburning, a thin wing for the supersonic flat-plate model, a Mach limit past 1.
    EXPECT_GT(jet.burnerinc, 0.0f);
    EXPECT_GT(jet.Mmo, 1.0f);
    EXPECT_STREQ(jet.Rafl0[5], "NACA 64A204 (transonic).afl");
    EXPECT_EQ(jet.hstabtype, 1);

    // Seaplane: two floats either side of the centreline, no wheels, a floating height.
    EXPECT_EQ(sea.misc_eq, 1);
    EXPECT_GT(sea.misc_X, 0.01f);
    EXPECT_EQ(sea.gear_type, 1);
    EXPECT_GT(sea.h_eqlbm, 0.0f);
    for (int s = 0; s < 7; s++) EXPECT_EQ(sea.body_Y[24][s][8], sea.body_Y[23][s][8]);

    // Glider: high aspect ratio, no engine, no propwash on the fuselage.
    EXPECT_EQ(glider.numen, 0);
    EXPECT_EQ(glider.fusewash, 0);
    EXPECT_NEAR(span(glider) * span(glider) / wing_area(glider), 18.05, 0.1);

    // The tow plane sits on its tail wheel (nose gear aft of the main gear), tail down.
    EXPECT_GT(tow.ngearZ, tow.mgearZ);
    EXPECT_GT(tow.ngearY, tow.mgearY);
}

TEST(BundledAircraft, FaultyDescriptionsAreRefusedNamingTheField)
{
    const std::string base = description_text("cessna_172.acd");
    ASSERT_FALSE(base.empty());
    ASSERT_EQ(build_and_check(base, "c.acd"), "");

    struct Case {
        const char* find;     // a line of the trainer's description...
        const char* replace;  // ...replaced by this ("" removes it)
        const char* expect;   // part of a message
    };
    const Case cases[] = {
        {"Vne = 163 ", "", "c.acd: Vne: missing"},
        {"els[7] = 4", "els[7] = 9", "c.acd: els[7]: 9 is out of range 1 to 8"},
        {"section 18 5 ", "", "c.acd: body_X[18][5][0]: missing"},
        {"ins_of_loc = 0  1 2 3 4", "ins_of_loc = 0  1 2 3 5  4 6 7 8 #", "c.acd: ins_of_loc: four wide instruments in the upper row"},
        {"ins_of_loc = 0  1 2 3 4", "ins_of_loc = 0  1 2 2 4  5 6 7 8 #", "c.acd: ins_of_loc[3]: instrument 2 is placed twice"},
        {"cgZ = 3.50 ", "cgZ = 5.5 #", "c.acd: cgZ: the centre of gravity is not between"},
        {"mpmax = 29.9 ", "mpmax = 0 #", "c.acd: mpmax: 0 is out of range"},
        {"m_empty = 1639 ", "m_empty = 3000 #", "c.acd: m_empty: above the maximum weight"},
        {"flap_str = ", "#", "c.acd: flap_str: missing (elements carry flaps)"},
        {"anginc[7] = 1.125 0.375 -0.375 -1.125", "anginc[7] = 1.125 0.375 -0.375", "c.acd: anginc[7][3]: missing"},
        {"ailn[7] = 0 1 1 1", "ailn[7] = 0 1 1 1 1", "c.acd: ailn[7][4]: given, but the part has 4 elements"},
        {"numen = 1", "numen = 5", "c.acd: numen: 5 is out of range 0 to 4"},
        {"Vs = 44 ", "Vs = 140 #", "c.acd: Vs: not below Vno"},
        {"Tafl1[11] = ", "#", "c.acd: Tafl1[11]: missing (airfoils of right h-stab)"},
        {"Rafl0[5] = \"NACA 2412 (popular).afl\"", "Rafl0[5] = \"NACA 2412 (popular)\"", "Rafl0[5]: \"NACA 2412 (popular)\" does not name a .afl file"},
        {"omegamin = 600 ", "omegamin = 2500 #", "c.acd: omegamin: not below omegamax"},
        {"fuse_cd = 0.22 ", "#", "c.acd: fuse_cd: missing"},
        {"gear_type = 3 ", "gear_type = 7 #", "c.acd: gear_type: 7 is out of range 1 to 6"},
        {"mgearY = 0", "mgearY = 0\nh_eqlbm = 1", "c.acd: h_eqlbm: computed from the gear"},
        {"is_heli = 0", "is_heli = 1", "c.acd: ins_of_loc: a helicopter's panel has no places 4 and 8"},
        {"semilen[11] = 5.67", "semilen[11] = 5.67\nsemilen[10] = 1", "semilen[10]: already given"},
    };
    for (const Case& c : cases) {
        size_t at = base.find(c.find);
        ASSERT_NE(at, std::string::npos) << c.find;
        size_t end = base.find('\n', at);
        std::string text = base.substr(0, at) + c.replace + base.substr(end);
        std::string msgs = build_and_check(text, "c.acd");
        EXPECT_NE(msgs.find(c.expect), std::string::npos) << "edit \"" << c.find << "\" gave:\n" << msgs;
    }
}

TEST(BundledAircraft, ARefusedDescriptionWritesNothing)
{
    TempDir dir;
    std::string base = description_text("cessna_172.acd");
    size_t at = base.find("m_max = 2450");
    ASSERT_NE(at, std::string::npos);
    std::string bad = base.substr(0, at) + "#" + base.substr(at);
    std::string path = dir.write("bad.acd", bad);
    std::vector<std::string> errs;
    EXPECT_FALSE(acf_generate(path, dir.str(), &errs));
    ASSERT_FALSE(errs.empty());
    EXPECT_NE(errs[0].find("bad.acd: m_max: missing"), std::string::npos) << errs[0];
    EXPECT_FALSE(fs::exists(dir.path() / "planes"));

    // The good description writes its file, and only that file.
    std::string good = dir.write("good.acd", base);
    errs.clear();
    ASSERT_TRUE(acf_generate(good, dir.str(), &errs)) << (errs.empty() ? "" : errs[0]);
    fs::path out = dir.path() / "planes/General Aviation/Cessna 172 Skyhawk";
    int files = 0;
    for (const auto& e : fs::directory_iterator(out)) {
        files++;
        EXPECT_EQ(e.path().filename(), "Cessna 172 Skyhawk.acf");
    }
    EXPECT_EQ(files, 1);
}
