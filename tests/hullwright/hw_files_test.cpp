// hw_files_test.cpp -- Hullwright's program without its screen: the new aircraft, saving through a
// temporary file, opening (and refusing damaged files without losing the aircraft being edited),
// the preference file, the menu sets, the view commands and keys, and the automatic turn.
#include "hl_design.h"
#include "hl_file.h"
#include "hl_menu.h"
#include "hl_model.h"
#include "hl_mnw.h"
#include "hl_plane.h"
#include "hl_types.h"
#include "hullwright.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>

namespace {

namespace fs = std::filesystem;
const std::string kProgram = std::string(KV_PROGRAM_DIR) + "/";
constexpr size_t ACF_BYTES = 5 + sizeof(planestruct);

class Designer : public ::testing::Test {
protected:
    TempDir dir, cfg;
    void SetUp() override
    {
        clear_globals();
        hl_build_paths(kProgram.c_str(), cfg.str().c_str(), "Hullwright.prf");
        hw_defaults();
        clear_recorded_alerts();
    }
    // A new aircraft of the kind, named so that Save writes it at dir/name without a dialog.
    std::string new_named(int heli, const std::string& name)
    {
        pln[0].is_heli = heli;
        setup_baseplane("Untitled.acf");
        const std::string path = dir.str() + "/" + name;
        std::snprintf(pln[0].C_file, STR_LEN, "%s", name.c_str());
        std::snprintf(pln[0].C_path, STR_LEN, "%s", path.c_str());
        hmsc.planenamed = 1;
        return path;
    }
    static std::unique_ptr<planestruct> copy_of(const planestruct& p) { return std::make_unique<planestruct>(p); }
};

std::string item(int menu, int place) { return mnw.item_name[menu][place]; }

}  // namespace

TEST_F(Designer, NewAircraftOfEitherKindIsCompleteWithItsDefaultParts)
{
    const std::regex tail("^N[0-9]{3}[A-Z]{2}$");
    for (int heli = 0; heli <= 1; heli++) {
        SCOPED_TRACE(heli);
        pln[0].is_heli = heli;
        hmsc.planemod = 1;
        hmsc.planenamed = 1;
        setup_baseplane("Untitled.acf");
        const planestruct& pl = pln[0];
        EXPECT_EQ(pl.is_heli, heli);
        EXPECT_STREQ(pl.C_file, "Untitled.acf");
        EXPECT_STREQ(pl.C_path, "Untitled.acf");
        EXPECT_TRUE(std::regex_match(pl.tailnum, tail)) << pl.tailnum;
        EXPECT_EQ(hmsc.planemod, 0);
        EXPECT_EQ(hmsc.planenamed, 0);
        for (int p = 0; p < 18; p++) {
            const char* want = p < 4 ? "Clark-Y (good propeller).afl"
                                     : p < 10 ? "NACA 2412 (popular).afl" : "NACA 0009 (symmetrical).afl";
            EXPECT_STREQ(pl.Rafl0[p], want) << p;
            EXPECT_STREQ(pl.Rafl1[p], want) << p;
            EXPECT_STREQ(pl.Tafl0[p], want) << p;
            EXPECT_STREQ(pl.Tafl1[p], want) << p;
        }
        EXPECT_STREQ(pl.flap_str, "plain flap.flp");
        // The thicknesses of the bundled part files: 11.7 % for the Clark-Y, 9 % for the tail.
        EXPECT_NEAR(afl[0].trat[0][0], 0.117f, 1e-6f);
        EXPECT_NEAR(afl[0].trat[11][1], 0.09f, 1e-6f);
        if (!heli) {
            EXPECT_NEAR(afl[0].trat[5][0], 0.12f, 1e-6f);
        }
        EXPECT_EQ(pl.asi_units, 2);
        EXPECT_GT(pl.m_max, pl.m_empty);
        EXPECT_GE(pl.numen, 1);
        EXPECT_TRUE(mdl[0].built);
        EXPECT_TRUE(recorded_alerts().empty());
    }
    // Two new aircraft get their own tail numbers (the draws go on).
    char first[8];
    std::snprintf(first, sizeof first, "%s", pln[0].tailnum);
    setup_baseplane("Untitled.acf");
    EXPECT_STRNE(first, pln[0].tailnum);
}

TEST_F(Designer, SaveWritesTheWholeFileThroughATemporaryName)
{
    const std::string path = new_named(0, "Trainer.acf");
    pln[0].Vne = 171.0f;
    ASSERT_EQ(writeout(0), 1);
    EXPECT_STREQ(pln[0].C_name, "Trainer");
    const std::string bytes = read_file(path);
    ASSERT_EQ(bytes.size(), ACF_BYTES);
    EXPECT_EQ(bytes.substr(0, 5), std::string("i\x2e\0\0\0", 5));
    EXPECT_EQ(std::memcmp(bytes.data() + 5, &pln[0], sizeof(planestruct)), 0);
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    // The simulator's reader takes it back as it was.
    auto saved = copy_of(pln[0]);
    ASSERT_EQ(read_plane(1, path.c_str()), 1);
    EXPECT_EQ(std::memcmp(&pln[1], saved.get(), sizeof(planestruct)), 0);
    EXPECT_EQ(pln[1].Vne, 171.0f);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Designer, AFailedSaveLeavesTheFileOnDiskAndTheNamesAsTheyWere)
{
    const std::string path = new_named(0, "Kept.acf");
    ASSERT_EQ(writeout(0), 1);
    const std::string before = read_file(path);
    pln[0].Vne = 99.0f;
    // No room on the disk: the new file cannot be written.
    clear_recorded_alerts();
    with_no_room_for_files([] { EXPECT_EQ(writeout(0), 0); });
    EXPECT_FALSE(recorded_alerts().empty()) << "the failure is reported";
    EXPECT_EQ(read_file(path), before);
    // A file in a folder that is not there: nothing is written, and the aircraft keeps its names.
    const std::string gone = dir.str() + "/gone/Away.acf";
    std::snprintf(pln[0].C_file, STR_LEN, "Away.acf");
    std::snprintf(pln[0].C_path, STR_LEN, "%s", gone.c_str());
    std::snprintf(pln[0].C_name, STR_LEN, "Before");
    clear_recorded_alerts();
    EXPECT_EQ(writeout(0), 0);
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_STREQ(pln[0].C_name, "Before");
    EXPECT_STREQ(pln[0].C_path, gone.c_str());
    EXPECT_EQ(recorded_alerts().size(), 1u);
}

TEST_F(Designer, OpeningTakesTheFileAndSetsWhatOpeningSets)
{
    const std::string path = new_named(0, "Opened.acf");
    pln[0].ADFtype = 0;
    pln[0].TStype = 7;
    pln[0].Vno = 133.0f;
    ASSERT_EQ(writeout(0), 1);
    // A different aircraft is being edited when the file is opened.
    new_named(1, "Other.acf");
    hmsc.planemod = 1;
    hmsc.planenamed = 0;
    std::snprintf(pln[0].C_file, STR_LEN, "Opened.acf");
    std::snprintf(pln[0].C_path, STR_LEN, "%s", path.c_str());
    afl[0].trat[5][0] = 0.0f;
    ASSERT_EQ(openplane(1), 1);
    EXPECT_EQ(pln[0].is_heli, 0);
    EXPECT_EQ(pln[0].Vno, 133.0f);
    EXPECT_EQ(pln[0].ADFtype, 1);
    EXPECT_EQ(pln[0].TStype, 1);
    EXPECT_NEAR(afl[0].trat[5][0], 0.12f, 1e-6f);
    EXPECT_EQ(hmsc.planemod, 0);
    EXPECT_EQ(hmsc.planenamed, 1);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Designer, ABigEndianFileOpensAndSavesLittleEndian)
{
    const std::string path = new_named(0, "Swapped.acf");
    pln[0].Vne = 181.0f;
    auto native = copy_of(pln[0]);
    // The same record as written on the other byte order: "a", the version and every swapped field reversed.
    auto big = copy_of(pln[0]);
    rev_pln_record(big.get());
    int32_t v = ACF_VERSION;
    rev_byte_order4(&v);
    std::string file = "a";
    file.append(reinterpret_cast<const char*>(&v), 4);
    file.append(reinterpret_cast<const char*>(big.get()), sizeof(planestruct));
    dir.write("Swapped.acf", file);
    std::memset(&pln[0], 0, sizeof pln[0]);
    std::snprintf(pln[0].C_file, STR_LEN, "Swapped.acf");
    std::snprintf(pln[0].C_path, STR_LEN, "%s", path.c_str());
    ASSERT_EQ(openplane(1), 1);
    EXPECT_EQ(pln[0].Vne, 181.0f);
    EXPECT_EQ(std::memcmp(&pln[0], native.get(), sizeof(planestruct)), 0);
    ASSERT_EQ(writeout(0), 1);
    EXPECT_EQ(read_file(path).substr(0, 5), std::string("i\x2e\0\0\0", 5));
}

TEST_F(Designer, ADamagedTruncatedOrWrongVersionFileKeepsTheAircraftBeingEdited)
{
    const std::string good_path = new_named(0, "Good.acf");
    ASSERT_EQ(writeout(0), 1);
    const std::string whole = read_file(good_path);
    struct Case {
        const char* name;
        std::string bytes;
        const char* alert;   // the notice's first line, nullptr for none
    } cases[] = {
        {"empty.acf", "", "An error occurred during read-in of the aircraft file."},
        {"text.acf", "I\n46 version\nnot an aircraft\n", "An error occurred during read-in of the aircraft file."},
        {"short.acf", whole.substr(0, 3), "An error occurred during read-in of the aircraft file."},
        {"cut.acf", whole.substr(0, whole.size() - 1), "An error occurred during read-in of the aircraft file."},
        {"old.acf", std::string("i\x23\0\0\0", 5) + whole.substr(5),
         "The following file is the wrong version for this version of Kestrova:"},
        {"missing.acf", "", nullptr},
    };
    // The aircraft being edited: a helicopter with unsaved changes.
    new_named(1, "Edited.acf");
    pln[0].Vne = 123.0f;
    hmsc.planemod = 1;
    auto edited = copy_of(pln[0]);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.str() + "/" + c.name;
        if (std::strcmp(c.name, "missing.acf") != 0) dir.write(c.name, c.bytes);
        clear_recorded_alerts();
        std::snprintf(pln[0].C_path, STR_LEN, "%s", path.c_str());
        EXPECT_EQ(openplane(1), 0);
        std::snprintf(pln[0].C_path, STR_LEN, "%s", edited->C_path);
        EXPECT_EQ(std::memcmp(&pln[0], edited.get(), sizeof(planestruct)), 0) << "the edited aircraft was touched";
        EXPECT_EQ(hmsc.planemod, 1);
        if (c.alert) {
            ASSERT_EQ(recorded_alerts().size(), 1u);
            EXPECT_EQ(recorded_alerts()[0].l1, c.alert);
            EXPECT_EQ(recorded_alerts()[0].code, 2002) << "a notice, not the end of the program";
            const RecordedAlert& a = recorded_alerts()[0];
            EXPECT_TRUE(a.l2 == path || a.l3 == path) << "the notice names the file";
        } else {
            EXPECT_TRUE(recorded_alerts().empty());
        }
    }
}

TEST_F(Designer, PreferencesWrittenAtQuitReadBackAndOpenTheAircraft)
{
    const std::string path = new_named(0, "Favourite.acf");
    pln[0].Vs = 51.0f;
    ASSERT_EQ(writeout(0), 1);
    hmsc.xos = 0.15f;
    hmsc.yos = -0.05f;
    hmsc.the = 0.0f;
    hmsc.psi = 170.0f;
    hmsc.phi = 20.0f;
    mnw.draw_wire = 0;
    hmsc.bluesky = 1;
    ASSERT_EQ(hw_write_prefs(), 1);
    const std::string text = read_file(prf_path);
    EXPECT_EQ(text.substr(0, 12), "I\n3 version\n");
    int lines = 0;
    for (char ch : text) lines += ch == '\n';
    EXPECT_EQ(lines, 2 + 9);
    EXPECT_NE(text.find("\nFavourite.acf\n" + path + "\n"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(std::string(prf_path) + ".tmp"));

    // A fresh start reads them back and opens the aircraft.
    clear_globals();
    hl_build_paths(kProgram.c_str(), cfg.str().c_str(), "Hullwright.prf");
    hw_defaults();
    pln[0].is_heli = 1;
    setup_baseplane("Untitled.acf");
    hw_read_prefs();
    EXPECT_NEAR(hmsc.xos, 0.15f, 1e-5f);
    EXPECT_NEAR(hmsc.yos, -0.05f, 1e-5f);
    EXPECT_NEAR(hmsc.psi, 170.0f, 1e-4f);
    EXPECT_NEAR(hmsc.phi, 20.0f, 1e-4f);
    EXPECT_EQ(mnw.draw_wire, 0);
    EXPECT_EQ(hmsc.bluesky, 1);
    EXPECT_EQ(pln[0].is_heli, 0);
    EXPECT_EQ(pln[0].Vs, 51.0f);
    EXPECT_STREQ(pln[0].C_path, path.c_str());
    EXPECT_EQ(hmsc.planenamed, 1);
}

TEST_F(Designer, AMissingOrDamagedPreferenceFileLeavesTheStartValues)
{
    pln[0].is_heli = 0;
    setup_baseplane("Untitled.acf");
    auto fresh = copy_of(pln[0]);
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"missing", ""},
        {"wrong version", "I\n2 version\n0\n0\n0\n225\n315\n1\n0\nx.acf\n/x.acf\n"},
        {"cut short", "I\n3 version\n0.1\n0.2\n"},
        {"not numbers", "I\n3 version\nleft\nup\n0\n0\n0\n1\n0\n\n\n"},
        {"aircraft gone", "I\n3 version\n0\n0\n0\n10\n20\n1\n0\nGone.acf\n" + dir.str() + "/Gone.acf\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(prf_path);
        if (!c.text.empty()) cfg.write("Hullwright.prf", c.text);
        hw_defaults();
        clear_recorded_alerts();
        hw_read_prefs();
        EXPECT_EQ(std::memcmp(&pln[0], fresh.get(), sizeof(planestruct)), 0);
        EXPECT_EQ(hmsc.planenamed, 0);
        EXPECT_TRUE(recorded_alerts().empty());
        if (std::strcmp(c.what, "aircraft gone") != 0) {
            EXPECT_EQ(hmsc.psi, 225.0f);
            EXPECT_EQ(hmsc.phi, 315.0f);
        }
    }
}

TEST_F(Designer, MenusFollowTheAircraftsKind)
{
    pln[0].is_heli = 0;
    hw_setupmenus();
    EXPECT_EQ(item(2, 5), "Engines");
    EXPECT_EQ(item(2, 25), "Landing Gear");
    EXPECT_EQ(item(3, 11), "Artificial Stability");
    EXPECT_EQ(std::string(mnw.item_help[100]), "This will create a fresh starting point for a new aircraft.");
    EXPECT_EQ(std::string(mnw.item_help[101]), "This will open an existing aircraft.");
    EXPECT_EQ(std::string(mnw.item_help[102]), "This will save the currently open aircraft.");
    EXPECT_EQ(std::string(mnw.item_help[103]), "This will save the currently open aircraft.");
    pln[0].is_heli = 1;
    hw_setupmenus();
    EXPECT_EQ(item(2, 5), "Engine");
    EXPECT_EQ(item(2, 6), "Main Rotor");
    EXPECT_EQ(item(2, 21), "Landing Gear");
    EXPECT_EQ(item(2, 22), "") << "nothing of the airplane's longer list is left";
    EXPECT_EQ(item(3, 4), "Stability-Augmentation");
    EXPECT_EQ(item(3, 5), "");
    // The Background and Special items line up: one width each, separators apart.
    for (int menu : {4, 5}) {
        size_t width = 0;
        for (int i = 0; i < MAX_ITEMS; i++) {
            const std::string n = item(menu, i);
            if (n.empty() || n == "-") continue;
            if (!width) width = n.size();
            EXPECT_EQ(n.size(), width) << n;
        }
    }
    EXPECT_EQ(item(4, 6), "Adjust Heading[A]");
    EXPECT_EQ(item(4, 0), "Top              ");
}

TEST_F(Designer, ViewCommandsAndTheirKeys)
{
    pln[0].is_heli = 0;
    setup_baseplane("Untitled.acf");
    struct Preset {
        int item;
        float psi, phi;
    } presets[] = {{400, 270, -90}, {401, 270, 90}, {402, 270, 0}, {403, 180, 0}, {404, 0, 0}};
    for (const Preset& p : presets) {
        hmsc.the = 30.0f;
        hw_handlemenu(p.item);
        EXPECT_EQ(hmsc.the, 0.0f) << p.item;
        EXPECT_EQ(hmsc.psi, p.psi) << p.item;
        EXPECT_EQ(hmsc.phi, p.phi) << p.item;
    }
    // Heading and roll step by 10 degrees and wrap round: 355 + 10 is 5.
    hmsc.psi = 355.0f;
    hw_handlekey('a');
    EXPECT_NEAR(hmsc.psi, 5.0f, 1e-4f);
    hw_handlekey('D');
    hw_handlekey('d');
    EXPECT_NEAR(hmsc.psi, 345.0f, 1e-4f);
    hmsc.phi = 5.0f;
    hw_handlekey('s');
    EXPECT_NEAR(hmsc.phi, 355.0f, 1e-4f);
    hw_handlekey('W');
    EXPECT_NEAR(hmsc.phi, 5.0f, 1e-4f);
    // Offsets by 0.05 of the distance unit, zoom by 5 %.
    hmsc.xos = hmsc.yos = 0.0f;
    hw_handlekey('j');
    hw_handlekey('j');
    hw_handlekey('L');
    hw_handlekey('i');
    EXPECT_NEAR(hmsc.xos, -0.05f, 1e-6f);
    EXPECT_NEAR(hmsc.yos, 0.05f, 1e-6f);
    hw_handlekey('k');
    EXPECT_NEAR(hmsc.yos, 0.0f, 1e-6f);
    hmsc.zoom = 1.0f;
    hw_handlekey('x');
    EXPECT_NEAR(hmsc.zoom, 1.0f / 1.05f, 1e-6f);
    hw_handlekey('Z');
    hw_handlekey('z');
    EXPECT_NEAR(hmsc.zoom, 1.05f, 1e-6f);
    // Display switches.
    hw_handlemenu(HW_TEXTURED);
    EXPECT_EQ(mnw.draw_wire, 0);
    hw_handlemenu(HW_WIRE);
    EXPECT_EQ(mnw.draw_wire, 1);
    hw_handlemenu(HW_MOVING);
    EXPECT_EQ(hmsc.movecons, 1);
    hw_handlemenu(HW_SKY);
    EXPECT_EQ(hmsc.bluesky, 1);
    hw_handlemenu(HW_BLACK);
    EXPECT_EQ(hmsc.bluesky, 0);
    // Reloading the paint shows the textures.
    hw_handlekey('r');
    EXPECT_EQ(mnw.draw_wire, 0);
}

TEST_F(Designer, SmoothingKeysWorkOnTheirBodiesAndMarkTheChange)
{
    pln[0].is_heli = 0;
    setup_baseplane("Untitled.acf");
    struct Case {
        char key;
        int body;
    } cases[] = {{'f', 18}, {'e', 25}, {'F', 18}, {'E', 25}};
    for (const Case& c : cases) {
        // Station 3's point an eighth of the way round pushed out: smoothing pulls it back in.
        const int k = c.body >= 25 ? 1 : 2;
        pln[0].body_X[c.body][3][k] *= 1.5f;
        const float pushed = pln[0].body_X[c.body][3][k];
        hmsc.planemod = 0;
        hw_handlekey(c.key);
        EXPECT_EQ(hmsc.planemod, 1) << c.key;
        EXPECT_LT(pln[0].body_X[c.body][3][k], pushed) << c.key;
    }
}

// "3-D Quick" turns 135 degrees at 60 degrees a second from psi 0, phi 90: 2.25 s, ending at
// psi 225 and phi 315; "3-D Long" turns 855 degrees (two whole turns more) and ends there too.
TEST_F(Designer, AutomaticTurnIsCarriedFromPassToPass)
{
    struct Case {
        int item;
        float seconds;
    } cases[] = {{HW_TURN_QUICK, 2.25f}, {HW_TURN_LONG, 14.25f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        mnw.time_elapsed = 10.0f;
        hw_handlemenu(c.item);
        EXPECT_EQ(hmsc.rotate_code, c.item);
        hw_turn_step();
        EXPECT_EQ(hmsc.rotate_code, 0);
        EXPECT_EQ(hmsc.psi, 0.0f);
        EXPECT_EQ(hmsc.phi, 90.0f);
        // One second of passes at 30 a second: 60 degrees turned.
        for (int i = 0; i < 30; i++) {
            mnw.time_elapsed += 1.0f / 30.0f;
            hw_turn_step();
        }
        EXPECT_NEAR(hmsc.psi, 300.0f, 0.01f);
        EXPECT_NEAR(hmsc.phi, 30.0f, 0.01f);
        int passes = 30;
        while (hmsc.turn_goal > 0.0f && passes < 10000) {
            mnw.time_elapsed += 1.0f / 30.0f;
            hw_turn_step();
            passes++;
        }
        EXPECT_NEAR(passes / 30.0f, c.seconds, 1.5f / 30.0f);
        EXPECT_NEAR(hmsc.psi, 225.0f, 0.01f);
        EXPECT_NEAR(hmsc.phi, 315.0f, 0.01f);
        // Further passes leave the view alone.
        mnw.time_elapsed += 1.0f;
        hw_turn_step();
        EXPECT_NEAR(hmsc.psi, 225.0f, 0.01f);
    }
}
