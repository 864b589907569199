// gen_airfoils_test.cpp -- the airfoil and flap generator: the bundled list, the files it makes,
// and the inputs it must refuse.
#include "gen_airfoils.h"
#include "hl_afl.h"
#include "hl_types.h"
#include "kvtest.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kSections = std::string(KV_SOURCE_DIR) + "/tools/gen_airfoils/sections.txt";

// The part files the bundled aircraft and the designer's new aircraft name.
const char* kAirfoils[] = {
    "NACA 2412 (popular).afl",           "NACA 0009 (symmetrical).afl",       "NACA 0012 (symmetrical).afl",
    "Clark-Y (good propeller).afl",      "NACA 4415 (high lift).afl",         "NACA 64A204 (transonic).afl",
    "NACA 63A219 (thick transport).afl", "NACA 65-410 (laminar tip).afl",     "NACA 65A004 (thin symmetrical).afl",
    "NACA 65(3)-618 (sailplane).afl",
};
const char* kFlaps[] = {"plain flap.flp", "slotted flap.flp", "fowler flap.flp", "slotted flap (30 deg).flp"};

float field(const genpart& p, const char* name)
{
    const foilfield* f = p.device == DEVICE_FLAP ? flp_fields : afl_fields;
    const int n = p.device == DEVICE_FLAP ? FLP_NUM_FIELDS : AFL_NUM_FIELDS;
    for (int k = 0; k < n; k++)
        if (std::strcmp(f[k].name, name) == 0) return p.value[k];
    ADD_FAILURE() << "no field " << name;
    return 0.0f;
}

std::vector<std::string> files_in(const fs::path& dir)
{
    std::vector<std::string> out;
    std::error_code ec;
    if (!fs::exists(dir, ec)) return out;
    for (auto& e : fs::recursive_directory_iterator(dir, ec)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

class GenAirfoils : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
    }
    TempDir dir;
};

TEST_F(GenAirfoils, BundledListHasEveryPartOnce)
{
    std::vector<genpart> parts;
    std::string error;
    ASSERT_TRUE(gen_read_sections(kSections, &parts, &error)) << error;
    ASSERT_EQ(parts.size(), std::size(kAirfoils) + std::size(kFlaps));
    for (const char* name : kAirfoils) {
        auto it = std::find_if(parts.begin(), parts.end(), [&](const genpart& p) { return p.name == name; });
        ASSERT_NE(it, parts.end()) << name;
        EXPECT_EQ(it->device, DEVICE_AIRFOIL) << name;
    }
    for (const char* name : kFlaps) {
        auto it = std::find_if(parts.begin(), parts.end(), [&](const genpart& p) { return p.name == name; });
        ASSERT_NE(it, parts.end()) << name;
        EXPECT_EQ(it->device, DEVICE_FLAP) << name;
    }
}

// Every generated file loads with the simulator's readers, and what it holds agrees with the
// section figures it was made from.
TEST_F(GenAirfoils, GeneratedFilesLoadAndCarryTheirSectionFigures)
{
    std::vector<genpart> parts;
    std::string error;
    ASSERT_TRUE(gen_read_sections(kSections, &parts, &error)) << error;
    const std::string adir = dir.str() + "/airfoils", fdir = dir.str() + "/flaps";
    ASSERT_TRUE(gen_write_parts(parts, adir, fdir, &error)) << error;
    std::snprintf(afl_path, STR_LEN, "%s/", adir.c_str());
    std::snprintf(flp_path, STR_LEN, "%s/", fdir.c_str());

    for (const genpart& p : parts) {
        if (p.device == DEVICE_FLAP) {
            float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
            ASSERT_EQ(grabflap(p.name.c_str(), cl, cd, cm), 1) << p.name;
            EXPECT_EQ(cl[0], 0.0f) << p.name;
            EXPECT_NEAR(cl[50], field(p, "FLPlco1") + field(p, "FLPlco2") + field(p, "FLPlco3"), 2e-6f) << p.name;
            EXPECT_NEAR(cd[50], field(p, "FLPdco1") + field(p, "FLPdco2") + field(p, "FLPdco3"), 2e-6f) << p.name;
            EXPECT_NEAR(cm[50], field(p, "FLPmco1") + field(p, "FLPmco2") + field(p, "FLPmco3"), 2e-6f) << p.name;
            for (int h = 1; h < FLAP_ROWS; h++) EXPECT_GT(cl[h], cl[h - 1] - 1e-6f) << p.name << " row " << h;
            continue;
        }
        float almax = 0.0f;
        ASSERT_EQ(grabafoil(p.name.c_str(), 4, 0, 0, &almax, 0, "left wing 1"), 1) << p.name;
        const airfoilstruct& a = afl[0];
        EXPECT_FLOAT_EQ(almax, field(p, "almax")) << p.name;
        EXPECT_FLOAT_EQ(a.trat[4][0], field(p, "trat")) << p.name;
        EXPECT_NEAR(a.al_zl[4][0][0], -field(p, "clB") / field(p, "clM"), 1e-4f) << p.name;

        // The highest lift in the table is the section's maximum lift, reached just before almax.
        const float* cl = a.clpos[4][0][0];
        const int top = static_cast<int>(std::max_element(cl, cl + AFL_CL_ROWS) - cl);
        EXPECT_NEAR(cl[top], field(p, "Lstall"), 0.01f) << p.name;
        EXPECT_NEAR((top + 100) / 10.0f, field(p, "almax"), 0.15f) << p.name;
        // Lift falls to nothing and drag rises to a flat plate's at 90 degrees.
        EXPECT_NEAR(cl[AFL_CL_ROWS - 1], 0.0f, 1e-5f) << p.name;
        EXPECT_NEAR(a.cdpos[4][0][0][AFL_CD_ROWS - 1], 1.28f, 1e-5f) << p.name;
        EXPECT_NEAR(a.cdneg[4][0][0][AFL_CD_ROWS - 1], 1.28f, 1e-5f) << p.name;

        // The least drag is the minimum drag less the bucket's depth, wherever it lies.
        float least = 10.0f;
        for (int n = 0; n < AFL_CD_ROWS; n++) least = std::min({least, a.cdpos[4][0][0][n], a.cdneg[4][0][0][n]});
        EXPECT_NEAR(least, field(p, "Dmin") - field(p, "Bdepth"), 5e-5f) << p.name;
        EXPECT_NEAR(a.cdpos[4][0][0][100], field(p, "Dal10"), 1e-5f) << p.name;  // 10 degrees
    }
    EXPECT_TRUE(recorded_alerts().empty());
    // Nothing but the parts was left behind.
    EXPECT_EQ(files_in(adir).size(), std::size(kAirfoils));
    EXPECT_EQ(files_in(fdir).size(), std::size(kFlaps));
}

// A folder an older list filled loses the part that list made and this one retired; a part of the
// user's own is left alone.
TEST_F(GenAirfoils, AnOlderBuildsRetiredPartIsRemoved)
{
    std::vector<genpart> parts;
    std::string error;
    ASSERT_TRUE(gen_read_sections(kSections, &parts, &error)) << error;
    const fs::path adir = fs::path(dir.str()) / "airfoils", fdir = fs::path(dir.str()) / "flaps";
    fs::create_directories(adir);
    for (const char* name : {"NACA 63-215 (laminar).afl", "my own.afl"}) std::ofstream(adir / name) << "A\n";
    ASSERT_TRUE(gen_write_parts(parts, adir.string(), fdir.string(), &error)) << error;
    EXPECT_FALSE(fs::exists(adir / "NACA 63-215 (laminar).afl"));
    EXPECT_TRUE(fs::exists(adir / "my own.afl"));
    EXPECT_EQ(files_in(adir).size(), std::size(kAirfoils) + 1);
}

// The build's own data tree holds the same bytes as a fresh generation: the files are made by the
// build and depend on nothing but the list.
TEST_F(GenAirfoils, BuildTreeMatchesAFreshGeneration)
{
    std::vector<genpart> parts;
    std::string error;
    ASSERT_TRUE(gen_read_sections(kSections, &parts, &error)) << error;
    ASSERT_TRUE(gen_write_parts(parts, dir.str() + "/a", dir.str() + "/f", &error)) << error;
    for (const genpart& p : parts) {
        const char* sub = p.device == DEVICE_FLAP ? "flaps" : "airfoils";
        const std::string built = std::string(KV_PROGRAM_DIR) + "/" + sub + "/" + p.name;
        const std::string fresh = dir.str() + (p.device == DEVICE_FLAP ? "/f/" : "/a/") + p.name;
        const std::string b = read_file(built);
        ASSERT_FALSE(b.empty()) << built;
        EXPECT_EQ(b, read_file(fresh)) << p.name;
    }
}

// A list with one fault: the message names the input file and the constant, and nothing is written.
TEST_F(GenAirfoils, FaultyListsAreRefusedByName)
{
    const std::string good_flap = "flap \"f.flp\"\n"
                                  "  FLPlco1 1\n  FLPlco2 0\n  FLPlco3 0\n  FLPdco1 0\n  FLPdco2 0\n"
                                  "  FLPdco3 0\n  FLPmco1 0\n  FLPmco2 0\n  FLPmco3 0\nend\n";
    auto without = [&](const std::string& name) {
        std::string t = good_flap;
        const size_t at = t.find("  " + name + " ");
        t.erase(at, t.find('\n', at) - at + 1);
        return t;
    };
    auto with = [&](const std::string& name, const std::string& value) {
        std::string t = good_flap;
        const size_t at = t.find("  " + name + " ");
        t.replace(at, t.find('\n', at) - at, "  " + name + " " + value);
        return t;
    };
    // An airfoil's lines from the bundled list, with one line replaced.
    std::string airfoil;
    {
        const std::string all = read_file(kSections);
        const size_t start = all.find("airfoil \"NACA 2412 (popular).afl\"");
        airfoil = all.substr(start, all.find("\nend\n", start) + 5 - start);
    }
    auto foil_with = [&](const std::string& name, const std::string& value) {
        std::string t = airfoil;
        const size_t at = t.find("  " + name + " ");
        t.replace(at, t.find('\n', at) - at, "  " + name + " " + value);
        return t;
    };

    struct { const char* what; std::string text; const char* must_name; } rows[] = {
        {"missing constant", without("FLPdco2"), "FLPdco2"},
        {"missing constant, first part fine", airfoil + without("FLPmco3"), "FLPmco3"},
        {"out of range", with("FLPlco1", "7.5"), "FLPlco1"},
        {"not a number", with("FLPmco1", "-0.2x"), "FLPmco1"},
        {"no value", with("FLPmco1", ""), "FLPmco1"},
        {"two values", with("FLPmco1", "1 2"), "FLPmco1"},
        {"given twice", good_flap.substr(0, good_flap.size() - 4) + "  FLPlco2 0\nend\n", "FLPlco2"},
        {"airfoil constant in a flap", with("FLPmco1", "0\n  clM 0.1"), "clM"},
        {"lift slope zero", foil_with("clM", "0"), "clM"},
        {"stall angle past 20", foil_with("almax", "21"), "almax"},
        {"not a number at all", foil_with("Dmin", "nan"), "Dmin"},
        {"stall below the straight line", foil_with("Lstall", "1.1"), "Lstall"},
        {"bucket deeper than the drag", foil_with("Bdepth", "0.007"), "Bdepth"},
        {"moment points out of order", foil_with("cmal2", "17"), "cmal3"},
        {"no end", good_flap.substr(0, good_flap.size() - 4), "end"},
        {"wrong extension", "flap \"f.afl\"\nend\n", ".flp"},
        {"name with a folder", "airfoil \"../x.afl\"\nend\n", "folder"},
        {"part named twice", good_flap + good_flap, "f.flp"},
        {"constant outside a part", "clM 0.1\n", "clM"},
        {"empty list", "# nothing\n", "no parts"},
    };
    for (auto& r : rows) {
        const std::string in = dir.write("list.txt", r.text);
        std::vector<genpart> parts;
        std::string error;
        EXPECT_FALSE(gen_read_sections(in, &parts, &error)) << r.what;
        EXPECT_NE(error.find(in), std::string::npos) << r.what << ": " << error;
        EXPECT_NE(error.find(r.must_name), std::string::npos) << r.what << ": " << error;
        EXPECT_TRUE(parts.empty()) << r.what;
    }
    std::vector<genpart> parts;
    std::string error;
    EXPECT_FALSE(gen_read_sections(dir.str() + "/absent.txt", &parts, &error));
    EXPECT_NE(error.find("absent.txt"), std::string::npos);
}

// A write that fails part-way leaves neither temporary nor new files.
TEST_F(GenAirfoils, FailedWriteLeavesNothingHalfDone)
{
    std::vector<genpart> parts;
    std::string error;
    ASSERT_TRUE(gen_read_sections(kSections, &parts, &error)) << error;
    const fs::path adir = dir.path() / "airfoils", fdir = dir.path() / "flaps";
    // The last flap's temporary name is taken by a folder, so that file cannot be written.
    fs::create_directories(fdir / (parts.back().name + ".tmp"));
    EXPECT_FALSE(gen_write_parts(parts, adir.string(), fdir.string(), &error));
    EXPECT_NE(error.find(parts.back().name), std::string::npos) << error;
    EXPECT_TRUE(files_in(adir).empty());
    EXPECT_EQ(files_in(fdir), std::vector<std::string>{parts.back().name + ".tmp"});

    // A flap folder that cannot be made stops everything before any file is written.
    std::string blocker = dir.write("blocked", "x");
    EXPECT_FALSE(gen_write_parts(parts, (dir.path() / "a2").string(), blocker + "/flaps", &error));
    EXPECT_TRUE(files_in(dir.path() / "a2").empty());
}

}  // namespace
