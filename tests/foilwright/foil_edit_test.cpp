// foil_edit_test.cpp -- the part editor without its screen: new parts, the part files it writes as
// the simulator's readers take them, reading a part back, the refusals, and the plot's mapping.
#include "foilwright.h"
#include "hl_afl.h"
#include "hl_types.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class FoilEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        fmsc = {};
        std::snprintf(afl_path, STR_LEN, "%s/airfoils/", dir_.str().c_str());
        std::snprintf(flp_path, STR_LEN, "%s/flaps/", dir_.str().c_str());
        fs::create_directories(afl_path);
        fs::create_directories(flp_path);
    }
    // Names the part as if Save As had chosen folder + name.
    void name_part(const char* folder, const char* name)
    {
        const std::string path = std::string(folder) + name;
        ASSERT_LT(path.size(), static_cast<size_t>(STR_LEN));
        std::snprintf(fmsc.C_file, STR_LEN, "%s", name);
        std::snprintf(fmsc.C_path, STR_LEN, "%s", path.c_str());
        fmsc.haveaname = 1;
    }
    TempDir dir_;
};

TEST_F(FoilEdit, NewPartsStartFromTheirDefaultsUnnamedAndUnchanged)
{
    const struct { int device; const char* name; } cases[] = {{DEVICE_AIRFOIL, "Untitled.afl"},
                                                               {DEVICE_FLAP, "Untitled.flp"}};
    for (const auto& c : cases) {
        // Leave both constant sets and the state changed, then reset.
        afl[0].Lstall = 9;
        afl[0].FLPlco1 = 9;
        afl[0].clB[0][0][0] = 9;
        fmsc.view = VIEW_CL;
        fmsc.haveaname = fmsc.devicemod = 1;
        reset_to_default(c.device);
        EXPECT_EQ(fmsc.device, c.device);
        EXPECT_STREQ(fmsc.C_file, c.name);
        EXPECT_EQ(fmsc.view, VIEW_ALPHA);
        EXPECT_EQ(fmsc.haveaname, 0);
        EXPECT_EQ(fmsc.devicemod, 0);
        // Both sets go back whatever the type.
        EXPECT_FLOAT_EQ(afl[0].Lstall, 1.6f);
        EXPECT_FLOAT_EQ(afl[0].FLPlco1, 2.0f);
        EXPECT_FLOAT_EQ(afl[0].clB[0][0][0], 0.25f);
    }
}

TEST_F(FoilEdit, SavedAirfoilReadsBackInTheSimulatorWithTheWorkedFigures)
{
    reset_to_default(DEVICE_AIRFOIL);
    name_part(afl_path, "Default.afl");
    fmsc.devicemod = 1;
    ASSERT_EQ(writeoutpart(), 1);
    EXPECT_EQ(fmsc.devicemod, 0);

    // The file: the header, the type line, the constants, the heading, 271 + 271 rows, two empty
    // lines and the eight constants.
    int lines = 0;
    for (char c : read_file(fmsc.C_path)) lines += c == '\n';
    EXPECT_EQ(lines, 557);

    // Read into the second aircraft's tables by the simulator's reader.
    float almax = 0;
    ASSERT_EQ(grabafoil("Default.afl", 4, 1, 0, &almax, 1, "left wing 1"), 1);
    EXPECT_FLOAT_EQ(almax, 15.0f);
    const airfoilstruct& a = afl[1];
    // Lift and drag of the default airfoil at angles worked out by hand from its constants.
    const struct { const char* what; float got, want; } pins[] = {
        {"cl 14.9", a.clpos[4][1][0][149 - 100], 1.59862f},
        {"cl 15 (the stall)", a.clpos[4][1][0][150 - 100], 1.5f},
        {"cl 20", a.clpos[4][1][0][200 - 100], 0.7f},
        {"cl 55", a.clpos[4][1][0][55 + 180 - 100], 0.35f},
        {"cl 90", a.clpos[4][1][0][270 - 100], 0.0f},
        {"cl -15", a.clneg[4][1][0][150 - 100], -1.1f},
        {"cl -20", a.clneg[4][1][0][200 - 100], -0.2f},
        {"cd 10", a.cdpos[4][1][0][100], 0.0114f},
        {"cd 0", a.cdpos[4][1][0][0], 0.0065043f},
        {"cd 90", a.cdpos[4][1][0][270], 1.28f},
        {"cd -90", a.cdneg[4][1][0][270], 1.28f},
        {"clB", a.clB[4][1][0], 0.25f},
        {"clM", a.clM[4][1][0], 0.102f},
        {"cm4", a.cm4[4][1][0], -0.075f},
    };
    for (const auto& p : pins) EXPECT_NEAR(p.got, p.want, 6e-6) << p.what;
    // Every row is the editor's own curve, to the file's five decimals.
    for (int n = 0; n <= 270; n++) {
        EXPECT_NEAR(a.cdpos[4][1][0][n], crv.cd[270 + n], 6e-6) << n;
        EXPECT_NEAR(a.cdneg[4][1][0][n], crv.cd[270 - n], 6e-6) << n;
        if (n >= 100) {
            EXPECT_NEAR(a.clpos[4][1][0][n - 100], crv.cl[270 + n], 6e-6) << n;
            EXPECT_NEAR(a.clneg[4][1][0][n - 100], crv.cl[270 - n], 6e-6) << n;
        }
    }
}

TEST_F(FoilEdit, SavedFlapReadsBackInTheSimulator)
{
    reset_to_default(DEVICE_FLAP);
    name_part(flp_path, "Plain.flp");
    ASSERT_EQ(writeoutpart(), 1);
    float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
    ASSERT_EQ(grabflap("Plain.flp", cl, cd, cm), 1);
    // Full deflection: 2 - 0.6, 0.04 + 0.04, -0.6 - 0.1 - 0.1; half: 1 - 0.075, 0.02 + 0.01, ...
    EXPECT_NEAR(cl[50], 1.4f, 1e-5);
    EXPECT_NEAR(cd[50], 0.08f, 1e-5);
    EXPECT_NEAR(cm[50], -0.8f, 1e-5);
    EXPECT_NEAR(cl[25], 0.925f, 1e-5);
    EXPECT_NEAR(cd[25], 0.03f, 1e-5);
    EXPECT_NEAR(cm[25], -0.3375f, 1e-5);
    EXPECT_NEAR(cl[0], 0.0f, 1e-6);
}

TEST_F(FoilEdit, OpenedPartTakesTheFileConstantsAndName)
{
    reset_to_default(DEVICE_AIRFOIL);
    afl[0].Lstall = 1.45f;
    afl[0].almax = 13.5f;
    afl[0].clM[0][0][0] = 0.11f;
    afl[0].Bwidth = 0.2f;
    afl[0].Bdepth = 0.001f;
    generate();
    const foilcurvestruct saved = crv;
    name_part(afl_path, "Edited.afl");
    ASSERT_EQ(writeoutpart(), 1);

    reset_to_default(DEVICE_AIRFOIL);
    fmsc.devicemod = 1;
    const std::string path = std::string(afl_path) + "Edited.afl";
    ASSERT_EQ(readinpart(path.c_str(), "Edited.afl"), 1);
    EXPECT_STREQ(fmsc.C_file, "Edited.afl");
    EXPECT_EQ(path, fmsc.C_path);
    EXPECT_EQ(fmsc.haveaname, 1);
    EXPECT_EQ(fmsc.devicemod, 0);
    EXPECT_FLOAT_EQ(afl[0].Lstall, 1.45f);
    EXPECT_FLOAT_EQ(afl[0].almax, 13.5f);
    EXPECT_FLOAT_EQ(afl[0].Bwidth, 0.2f);
    // The curves come from the constants again, not from the stored rows.
    for (int i = 0; i < FOIL_CURVE_N; i++) {
        EXPECT_NEAR(crv.cl[i], saved.cl[i], 2e-6) << i;
        EXPECT_NEAR(crv.cd[i], saved.cd[i], 2e-6) << i;
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(FoilEdit, OpenedConstantsBeyondTheirFieldsAreHeldAtTheFieldsLimits)
{
    // A file written elsewhere with a stall angle and a lift slope the screen's fields cannot show.
    reset_to_default(DEVICE_AIRFOIL);
    afl[0].almax = 25.0f;
    afl[0].almin = -8.0f;
    afl[0].clM[0][0][0] = 12.5f;
    generate();
    name_part(afl_path, "Wide.afl");
    ASSERT_EQ(writeoutpart(), 1);
    const std::string path = fmsc.C_path;

    reset_to_default(DEVICE_AIRFOIL);
    ASSERT_EQ(readinpart(path.c_str(), "Wide.afl"), 1);
    EXPECT_FLOAT_EQ(afl[0].almax, 20.0f);
    EXPECT_FLOAT_EQ(afl[0].almin, -10.001f);
    EXPECT_FLOAT_EQ(afl[0].clM[0][0][0], 9.9999f);
    // The curves are those of the values shown: the lift at 20 degrees is the stall point's.
    EXPECT_NEAR(crv.cl[270 + 200], afl[0].Lstall - afl[0].Ldrop1, 1e-5);
}

TEST_F(FoilEdit, FilesItCannotTakeLeaveThePartAsItWas)
{
    // A flap file and a damaged airfoil file, while an edited airfoil is open.
    reset_to_default(DEVICE_FLAP);
    name_part(flp_path, "Flap.flp");
    ASSERT_EQ(writeoutpart(), 1);
    const std::string flap = std::string(flp_path) + "Flap.flp";
    const std::string damaged = dir_.write("airfoils/Bad.afl", "I\n363 version\n1234 device type code\nconstant\n");
    const std::string missing = std::string(afl_path) + "None.afl";

    const struct { std::string path; const char* alert; } cases[] = {
        {flap, "This does not appear to be a valid file type for Foilwright!"},
        {damaged, "Sorry, I can't open the part!!!"},
        {missing, "Sorry, I can't open the part!!!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        reset_to_default(DEVICE_AIRFOIL);
        afl[0].Lstall = 1.7f;
        generate();
        name_part(afl_path, "Mine.afl");
        fmsc.devicemod = 1;
        const float cl_before = crv.cl[270 + 150];
        clear_recorded_alerts();
        EXPECT_EQ(readinpart(c.path.c_str(), "x"), 0);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].l1, c.alert);
        EXPECT_EQ(recorded_alerts()[0].code, 2002) << "a wrong file is reported, and the editor goes on";
        EXPECT_FLOAT_EQ(afl[0].Lstall, 1.7f);
        EXPECT_FLOAT_EQ(crv.cl[270 + 150], cl_before);
        EXPECT_STREQ(fmsc.C_file, "Mine.afl");
        EXPECT_EQ(fmsc.devicemod, 1);
        EXPECT_EQ(fmsc.device, DEVICE_AIRFOIL);
    }
}

TEST_F(FoilEdit, FailedSaveKeepsTheChangesMarked)
{
    reset_to_default(DEVICE_AIRFOIL);
    name_part((dir_.str() + "/no such folder/").c_str(), "Lost.afl");
    fmsc.devicemod = 1;
    EXPECT_EQ(writeoutpart(), 0);
    EXPECT_EQ(fmsc.devicemod, 1);
    ASSERT_FALSE(recorded_alerts().empty());
    EXPECT_EQ(recorded_alerts()[0].l1, "I could not save the file! Could the directory that the file sits in be missing?");
}

TEST_F(FoilEdit, PlotMapsValuesAndSamplesOntoTheGraph)
{
    // 200 units per unit of value about y 340.
    const struct { float v; int y; } ys[] = {{0, 340}, {1, 540}, {-1, 140}, {0.5f, 440}, {0.0124f, 342}};
    for (const auto& c : ys) EXPECT_EQ(element_y(c.v), c.y) << c.v;
    // Values off the graph draw nothing (no drawing context is needed to find that out).
    EXPECT_EQ(elementpoint(1, 10, 1.01f), 0);
    EXPECT_EQ(elementpoint(1, 10, -1.01f), 0);
    EXPECT_EQ(elementpoint(1, -1, 0.0f), 0);
    EXPECT_EQ(elementpoint(1, 401, 0.0f), 0);

    reset_to_default(DEVICE_AIRFOIL);
    for (int i = 0; i <= 400; i += 37) EXPECT_EQ(fpx(i), i);

    // Against the lift coefficient: samples past either stall stay at the stall's point.
    fmsc.view = VIEW_CL;
    const int at_stall = fpx(200 + 149);   // 14.9 degrees: the last sample before almax
    EXPECT_EQ(at_stall, static_cast<int>(std::lround(125 * 1.59862f)) + 200);
    for (int i = 350; i <= 400; i++) EXPECT_EQ(fpx(i), at_stall) << i;
    const int neg_stall = fpx(50);          // -15 degrees
    for (int i = 0; i < 50; i++) EXPECT_EQ(fpx(i), neg_stall) << i;
    EXPECT_EQ(fpx(200), static_cast<int>(std::lround(125 * 0.25f)) + 200);
    for (int i = 51; i < 349; i++) EXPECT_LE(fpx(i), fpx(i + 1)) << "lift falls inside the stalls at " << i;

    reset_to_default(DEVICE_FLAP);
    fmsc.view = VIEW_CL;
    EXPECT_EQ(fpx(0), 0);
    EXPECT_EQ(fpx(400), 280);   // 200 x 1.4
}

TEST_F(FoilEdit, EveryFieldCarriesItsHelpText)
{
    for (const foilfield& f : afl_fields) EXPECT_NE(foil_help(f.name), nullptr) << f.name;
    for (const foilfield& f : flp_fields) EXPECT_NE(foil_help(f.name), nullptr) << f.name;
    EXPECT_EQ(foil_help("nothing"), nullptr);
}

}  // namespace
