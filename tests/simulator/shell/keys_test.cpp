// keys_test.cpp -- the character keys: layout remapping, view cycles, menu keys, levers, the
// space bar, reversers, radio tuning and the positions the panel-click keys send to the panel.
#include "keys.h"

#include "atc.h"
#include "event_world.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "test_program.h"

#include <gtest/gtest.h>

#include <vector>

extern float osh;

namespace {

struct Click {
    float x, y;
};
std::vector<Click> g_clicks;
void record_click(float x, float y) { g_clicks.push_back({x, y}); }

class Keys : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        reset_atc();
        test_program_log().clear();
        g_clicks.clear();
        saved_click_ = key_panel_click;
        key_panel_click = record_click;
        osh = 0.0f;
        hl_srand(1234);
        msc.key_type = 1;
        set.view_type = 500;
        pln[0].numen = 1;
        for (float& m : flt.mixt) m = 1.0f;
    }
    void TearDown() override { key_panel_click = saved_click_; }

    static void press(char c) { handle_key(c, 0); }
    static void press(int latin1) { handle_key(static_cast<char>(latin1), 0); }
    static int last_menu()
    {
        const auto& m = test_program_log().menus;
        return m.empty() ? -1 : m.back();
    }

private:
    void (*saved_click_)(float, float) = nullptr;
};

TEST_F(Keys, LayoutsRemapTheirCharacters)
{
    struct Row {
        int layout, typed, becomes;
    } rows[] = {
        // German: z and y swap places.
        {3, 'z', 'y'}, {3, 'Z', 'Y'}, {3, 'y', 'z'}, {3, 'Y', 'Z'},
        // French: a/q and w/z swap.
        {2, 'q', 'a'}, {2, 'Q', 'A'}, {2, 'a', 'q'}, {2, 'A', 'Q'},
        {2, 'z', 'w'}, {2, 'Z', 'W'}, {2, 'w', 'z'}, {2, 'W', 'Z'},
        {2, '?', 'M'}, {2, 'M', ':'}, {3, 214, ':'},
        {2, ',', '.'}, {3, ',', '.'},
        {2, '1', '!'}, {2, '4', '$'}, {2, '5', '%'}, {2, '6', '^'}, {2, '7', '&'}, {2, '8', '*'},
        {2, '.', '>'}, {2, '/', '?'}, {3, ';', '>'}, {3, ':', '?'},
        {2, '&', '1'}, {2, 233, '2'}, {2, '"', '3'}, {2, '\'', '4'}, {2, '(', '5'},
        {2, 167, '6'}, {2, 232, '7'}, {2, '!', '8'}, {2, 231, '9'}, {2, 224, '0'},
        {2, '^', '['}, {2, '$', ']'}, {3, 252, '['}, {3, '+', ']'},
        // What one layout remaps, the other leaves alone.
        {3, 'q', 'q'}, {3, '1', '1'}, {3, '.', '.'}, {3, 'M', 'M'}, {2, 'y', 'y'}, {2, ';', ';'},
        {2, 214, 214}, {2, '+', '+'}, {3, 233, 233},
        // US and unknown layouts remap nothing.
        {1, 'z', 'z'}, {1, ',', ','}, {1, '&', '&'}, {0, 'q', 'q'}, {7, 'y', 'y'},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(remap_key(r.typed, r.layout), r.becomes) << "layout " << r.layout << " typed " << r.typed;
        msc.key_type = r.layout;
        press(r.typed);
        EXPECT_EQ(static_cast<unsigned char>(msc.key_pressed), r.becomes) << "layout " << r.layout << " typed " << r.typed;
    }
}

TEST_F(Keys, OnlyTheFirstRemapApplies)
{
    // French '1' becomes '!', which would itself become '8' if remapped twice; ',' becomes '.',
    // which would become '>'.
    EXPECT_EQ(remap_key('1', 2), '!');
    EXPECT_EQ(remap_key(',', 2), '.');
    EXPECT_EQ(remap_key('y', 3), 'z');
}

TEST_F(Keys, FrenchAActsAsQAndAmpersandAsOne)
{
    msc.key_type = 2;
    press('a');
    EXPECT_EQ(last_menu(), 504);   // view 45 degrees left, not the menu item of 'a'
    flt.flaprqst = 0.5f;
    press('&');
    EXPECT_FLOAT_EQ(flt.flaprqst, 0.25f);
}

TEST_F(Keys, SpecialCharactersAreNotRemapped)
{
    // The same '!' is the autopilot key when handed over as it stands, but the French '8' (a
    // panel click) when it is a typed character.
    msc.key_type = 2;
    ott.ALHOLD = 1;
    handle_key('!', 1);
    EXPECT_EQ(ott.HDSLCT, 1);
    EXPECT_EQ(ott.ALHOLD, 0);

    clear_globals();
    msc.key_type = 2;
    ott.ALHOLD = 1;
    ins.x_loc[11] = 100.0f;
    g_clicks.clear();
    handle_key('!', 0);
    EXPECT_EQ(ott.HDSLCT, 0);
    EXPECT_EQ(ott.ALHOLD, 1);
    ASSERT_EQ(g_clicks.size(), 1u);
    EXPECT_FLOAT_EQ(g_clicks[0].x, 690.0f);
    EXPECT_FLOAT_EQ(g_clicks[0].y, 40.0f);
}

TEST_F(Keys, ViewKeysTurnRoundTheAircraftInEighths)
{
    struct Row {
        char key;
        std::vector<int> visits;
    } rows[] = {
        {'q', {504, 506, 508, 511, 509, 507, 505, 500}},
        {'e', {505, 507, 509, 511, 508, 506, 504, 500}},
    };
    for (const Row& r : rows) {
        set.view_type = 500;
        test_program_log().clear();
        for (int i = 0; i < 8; i++) {
            press(r.key);
            set.view_type = last_menu();   // the menu command selects the view
        }
        EXPECT_EQ(test_program_log().menus, r.visits) << r.key;
    }
    // From any other view the first turn is 45 degrees off the nose.
    for (int view : {502, 513, 519, 0}) {
        set.view_type = view;
        press('q');
        EXPECT_EQ(last_menu(), 504) << view;
        press('e');
        EXPECT_EQ(last_menu(), 505) << view;
    }
}

TEST_F(Keys, MenuKeysCarryOutTheirItems)
{
    struct Row {
        char key;
        int item;
    } rows[] = {
        {'w', 500}, {'s', 501}, {'x', 502}, {'z', 511}, {'t', 513}, {'#', 514}, {'a', 516}, {'@', 519},
        {'d', 402}, {'_', 521}, {'+', 522}, {'|', 517}, {'\\', 518}, {'=', 524}, {'-', 525}, {'/', 600},
    };
    for (const Row& r : rows) {
        test_program_log().clear();
        press(r.key);
        ASSERT_EQ(test_program_log().menus.size(), 1u) << r.key;
        EXPECT_EQ(last_menu(), r.item) << r.key;
        EXPECT_TRUE(g_clicks.empty()) << r.key;
    }
}

TEST_F(Keys, FlapsAndSpeedBrakeStepWithinTheirLimits)
{
    struct Row {
        int autosbrk;
        char key;
        int presses;
        float flap_before, flap_after;
        int sbrk_before, sbrk_after;
    } rows[] = {
        {0, '1', 1, 0.5f, 0.25f, 0, 0},  {0, '1', 3, 0.5f, 0.0f, 0, 0},  {0, '2', 1, 0.0f, 0.25f, 0, 0},
        {0, '2', 6, 0.25f, 1.0f, 0, 0},  {0, '5', 1, 0.0f, 0.0f, 1, 0},  {0, '5', 2, 0.0f, 0.0f, 1, 0},
        {1, '5', 1, 0.0f, 0.0f, 0, -1},  {1, '5', 3, 0.0f, 0.0f, 1, -1}, {0, '6', 1, 0.0f, 0.0f, 0, 1},
        {0, '6', 5, 0.0f, 0.0f, 0, 2},   {1, '6', 4, 0.0f, 0.0f, -1, 2},
    };
    for (const Row& r : rows) {
        pln[0].autosbrkEQ = r.autosbrk;
        flt.flaprqst = r.flap_before;
        flt.sbrk = r.sbrk_before;
        for (int i = 0; i < r.presses; i++) press(r.key);
        EXPECT_FLOAT_EQ(flt.flaprqst, r.flap_after) << r.key << " x" << r.presses;
        EXPECT_EQ(flt.sbrk, r.sbrk_after) << r.key << " x" << r.presses << " auto " << r.autosbrk;
    }
}

TEST_F(Keys, CarburettorHeatOnAndOffForEveryEngine)
{
    press('4');
    for (float h : flt.heat) EXPECT_EQ(h, 1.0f);
    press('3');
    for (float h : flt.heat) EXPECT_EQ(h, 0.0f);
}

TEST_F(Keys, SpaceReleasesCarriageThenTowThenCutsAnEngine)
{
    struct Row {
        int carriage, tow, numen;
        int carriage_after, tow_after, engine_cut;   // engine_cut -1: every mixture stays
    } rows[] = {
        {1, 1, 1, 0, 1, -1},   // the catapult or mothership first, the tow stays
        {0, 1, 1, 0, 0, -1},   // then the tow
        {0, 0, 1, 0, 0, 0},    // a single engine is the one cut
        {0, 0, 0, 0, 0, -1},   // no engine to cut: nothing happens
        {0, 0, -3, 0, 0, -1},  // nor with a damaged engine count
    };
    for (const Row& r : rows) {
        for (float& m : flt.mixt) m = 1.0f;
        set.incarriage = r.carriage;
        set.tow_inprog = r.tow;
        pln[0].numen = r.numen;
        press(' ');
        EXPECT_EQ(set.incarriage, r.carriage_after);
        EXPECT_EQ(set.tow_inprog, r.tow_after);
        for (int e = 0; e < 4; e++) EXPECT_EQ(flt.mixt[e], e == r.engine_cut ? 0.0f : 1.0f) << "engine " << e;
    }
}

TEST_F(Keys, SpaceCutsOneOfTheAircraftsOwnEnginesAtRandom)
{
    pln[0].numen = 3;
    int cut_count[4] = {0, 0, 0, 0};
    for (int n = 0; n < 300; n++) {
        for (float& m : flt.mixt) m = 1.0f;
        press(' ');
        int cut = 0;
        for (int e = 0; e < 4; e++) {
            if (flt.mixt[e] == 0.0f) {
                cut++;
                cut_count[e]++;
            }
        }
        ASSERT_EQ(cut, 1) << "press " << n;
    }
    for (int e = 0; e < 3; e++) EXPECT_GT(cut_count[e], 50) << "engine " << e;
    EXPECT_EQ(cut_count[3], 0);   // not fitted
}

TEST_F(Keys, ReverserKeyTogglesEachFittedEngine)
{
    set.thro_pot = 1;
    press('.');   // no reversers: nothing changes
    EXPECT_EQ(set.thro_pot, 1);
    for (int e = 0; e < 4; e++) EXPECT_EQ(flt.revving_thrust[e], 0);

    pln[0].revthrustEQ = 1;
    pln[0].numen = 2;
    flt.throrqst[0] = flt.throrqst[1] = flt.throrqst[2] = 0.3f;
    flt.revving_thrust[1] = 1;   // one engine already in reverse
    press('.');
    EXPECT_EQ(set.thro_pot, 0);
    EXPECT_EQ(flt.revving_thrust[0], 1);
    EXPECT_FLOAT_EQ(flt.throrqst[0], 1.0f);
    EXPECT_EQ(flt.revving_thrust[1], 0);
    EXPECT_FLOAT_EQ(flt.throrqst[1], 0.01f);
    EXPECT_EQ(flt.revving_thrust[2], 0);   // beyond the aircraft's engines
    EXPECT_FLOAT_EQ(flt.throrqst[2], 0.3f);
    press('.');
    EXPECT_EQ(flt.revving_thrust[0], 0);
    EXPECT_FLOAT_EQ(flt.throrqst[0], 0.01f);
    EXPECT_EQ(flt.revving_thrust[1], 1);
    EXPECT_FLOAT_EQ(flt.throrqst[1], 1.0f);
}

TEST_F(Keys, EnterOpensTheOptionsMenuAndCarriesOutItsChoice)
{
    atc.menu_level = 3;
    press(static_cast<char>(13));
    EXPECT_EQ(atc.menu_up, 1);
    EXPECT_EQ(atc.menu_level, 0);
    // Up on a list with nothing in it: the choice finds nothing and closes the menu.
    atc.menu_level = 4;
    press(static_cast<char>(13));
    EXPECT_EQ(atc.menu_up, 0);
    EXPECT_EQ(atc.menu_level, 0);
}

TEST_F(Keys, ExclamationLeavesOnlyHeadingSelectAndPressesItsButton)
{
    ott.NAV[0] = ott.NAV[1] = ott.ALHOLD = ott.VVHOLD = ott.GS2 = ott.ASHOLD = 1;
    ins.x_loc[11] = 40.0f;
    press('!');
    EXPECT_EQ(ott.HDSLCT, 1);
    for (int mode : {ott.NAV[0], ott.NAV[1], ott.ALHOLD, ott.VVHOLD, ott.GS2, ott.ASHOLD}) EXPECT_EQ(mode, 0);
    ASSERT_EQ(g_clicks.size(), 1u);
    EXPECT_FLOAT_EQ(g_clicks[0].x, 534.0f);
    EXPECT_FLOAT_EQ(g_clicks[0].y, 90.0f);
}

TEST_F(Keys, ExclamationSoundsTheCautionOnlyWithVoiceWarningsOn)
{
    struct Row {
        int fitted, switched_on, sounds;
    } rows[] = {{1, 1, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}};
    evt_listen();
    for (const Row& r : rows) {
        evt_hush();
        pln[0].bitchinbettyEQ = r.fitted;
        set.warn_bb = r.switched_on;
        press('!');
        EXPECT_EQ(PLT_voice_playing(SND_CAUTION) != 0, r.sounds != 0) << r.fitted << " " << r.switched_on;
        for (int n = 0; n < NUM_SOUNDS; n++) {
            if (n == SND_CAUTION) continue;
            EXPECT_FALSE(PLT_voice_playing(n)) << "sound " << n;
        }
    }
    evt_quiet();
}

TEST_F(Keys, PanelKeysClickTheirControls)
{
    // Distinct slot places, so a key measured from the wrong slot shows.
    for (int i = 0; i < 13; i++) {
        ins.x_loc[i] = 100.0f * static_cast<float>(i) + 7.0f;
        ins.y_loc[i] = 10.0f * static_cast<float>(i) + 3.0f;
    }
    osh = -100.0f;
    struct Row {
        int paneltype;
        char key;
        float x, y;
    } rows[] = {
        {0, 'n', 557, 13},   {0, 'm', 582, 13},   {0, 'y', 642, 13},   {0, 'u', 667, 13},
        {2, 'n', 557, -17},  {2, 'm', 582, -17},  {2, 'y', 642, -17},  {2, 'u', 667, -17},
        {0, 'i', 1007, 93},  {0, 'o', 1007, 113}, {2, 'i', 1007, 93},
        {0, 'h', 369, 3},    {0, 'j', 389, 3},    {0, 'k', 367, 8},    {0, 'l', 367, -2},
        {0, 'c', 767, 33},   {0, 'v', 777, 33},   {0, 'p', 660, 314},
        {0, 'b', 1627, 10},  {0, 'g', 1732, 30},
        {0, '$', 1623, 90},  {0, '%', 1643, 90},  {0, '^', 1663, 90},  {0, '&', 1686, 90}, {0, '*', 1726, 90},
        {0, '7', 1687, 40},  {0, '8', 1697, 40},  {0, '9', 1687, 20},  {0, '0', 1697, 20},
        {0, '[', 1994, 122}, {0, ']', 1994, 81},
    };
    for (const Row& r : rows) {
        pln[0].paneltype = r.paneltype;
        g_clicks.clear();
        press(r.key);
        ASSERT_EQ(g_clicks.size(), 1u) << r.key;
        EXPECT_FLOAT_EQ(g_clicks[0].x, r.x) << r.key << " panel " << r.paneltype;
        EXPECT_FLOAT_EQ(g_clicks[0].y, r.y) << r.key << " panel " << r.paneltype;
        EXPECT_TRUE(test_program_log().menus.empty()) << r.key;
    }
    // A French '4' is the '$' button.
    msc.key_type = 2;
    g_clicks.clear();
    press('4');
    ASSERT_EQ(g_clicks.size(), 1u);
    EXPECT_FLOAT_EQ(g_clicks[0].x, 1623.0f);
}

TEST_F(Keys, RadioTuningWraps)
{
    struct Row {
        int (*tune)(int, int);
        const char* name;
        int before, step, after;
    } rows[] = {
        {COMinc, "COM", 13695, 50, 13600},  {COMinc, "COM", 13600, 1000, 11800}, {COMinc, "COM", 11800, -1000, 13600},
        {COMinc, "COM", 11800, -50, 11895}, {COMinc, "COM", 12345, 50, 12350},   {COMinc, "COM", 12197, 50, 12102},
        {NAVinc, "NAV", 11700, 1000, 10800}, {NAVinc, "NAV", 10800, -1000, 11700}, {NAVinc, "NAV", 10897, 50, 10802},
        {NAVinc, "NAV", 10802, -50, 10897}, {NAVinc, "NAV", 11170, 50, 11175},   {NAVinc, "NAV", 11175, -1000, 11075},
        {ADFinc, "ADF", 999, 1, 990},       {ADFinc, "ADF", 1250, -1, 259},      {ADFinc, "ADF", 210, 100, 310},
        {ADFinc, "ADF", 910, 100, 10},      {ADFinc, "ADF", 0, -100, 900},       {ADFinc, "ADF", 205, -10, 295},
        {ADFinc, "ADF", 395, 10, 305},      {ADFinc, "ADF", 350, 0, 350},
        {XPNinc, "XPN", 7, 1, 0},           {XPNinc, "XPN", 0, -1, 7},           {XPNinc, "XPN", 3, 1, 4},
        {XPNinc, "XPN", 5, -1, 4},
    };
    for (const Row& r : rows) EXPECT_EQ(r.tune(r.before, r.step), r.after) << r.name << " " << r.before << " " << r.step;
}

TEST_F(Keys, DamagedFrequenciesComeBackInsideTheirBand)
{
    struct Row {
        int (*tune)(int, int);
        int lo, hi;   // MHz x 100
    } rows[] = {{COMinc, 11800, 13699}, {NAVinc, 10800, 11799}};
    for (const Row& r : rows) {
        for (int before : {0, 5, 99999, -1234, 1370}) {
            for (int step : {1000, -1000}) {
                int after = r.tune(before, step);
                EXPECT_GE(after, r.lo) << before << " " << step;
                EXPECT_LE(after, r.hi) << before << " " << step;
            }
        }
    }
    for (int before : {-1, -999, 123456}) {
        int after = ADFinc(before, 1);
        EXPECT_GE(after, 0) << before;
        EXPECT_LE(after, 999) << before;
    }
}

TEST_F(Keys, RadioKeysTuneTheirRadios)
{
    struct Row {
        char key;
        int supptype;
        int32_t* field;
        int before, after;
    } rows[] = {
        {'Q', 1, &nav.cf[0], 12000, 11900}, {'W', 7, &nav.cf[0], 12000, 12100}, {'E', 1, &nav.cf[0], 12000, 12095},
        {'R', 1, &nav.cf[0], 12000, 12005}, {'Q', 0, &nav.cf[0], 12000, 12000}, {'R', 3, &nav.cf[0], 12000, 12000},
        {'T', 1, &nav.nf[0], 11000, 10900}, {'Y', 1, &nav.nf[0], 11000, 11100}, {'U', 7, &nav.nf[0], 11000, 11095},
        {'I', 1, &nav.nf[0], 11000, 11005}, {'I', 2, &nav.nf[0], 11000, 11000},
        {'A', 0, &nav.cf[1], 12150, 12050}, {'S', 0, &nav.cf[1], 12150, 12250}, {'D', 0, &nav.cf[1], 12150, 12145},
        {'F', 0, &nav.cf[1], 12150, 12155},
        {'G', 0, &nav.nf[1], 11170, 11070}, {'H', 0, &nav.nf[1], 11170, 11270}, {'J', 0, &nav.nf[1], 11170, 11165},
        {'K', 0, &nav.nf[1], 11170, 11175},
        {'O', 0, &nav.adff, 352, 252}, {'P', 0, &nav.adff, 352, 452}, {'L', 0, &nav.adff, 352, 342},
        {':', 0, &nav.adff, 352, 362}, {'>', 0, &nav.adff, 352, 351}, {'?', 0, &nav.adff, 352, 353},
        {'Z', 0, &nav.tran1, 3, 2}, {'X', 0, &nav.tran1, 3, 4}, {'C', 0, &nav.tran2, 0, 7}, {'V', 0, &nav.tran2, 0, 1},
        {'B', 0, &nav.tran3, 7, 6}, {'N', 0, &nav.tran3, 7, 0}, {'M', 0, &nav.tran4, 5, 4}, {'<', 0, &nav.tran4, 5, 6},
    };
    for (const Row& r : rows) {
        pln[0].supptype = r.supptype;
        *r.field = r.before;
        press(r.key);
        EXPECT_EQ(*r.field, r.after) << r.key << " supptype " << r.supptype;
    }
    EXPECT_TRUE(g_clicks.empty());
    EXPECT_TRUE(test_program_log().menus.empty());
}

TEST_F(Keys, ArrowsMoveTheOptionsMenuSelectionOnlyWhileItIsUp)
{
    struct Row {
        int code, di, dj;
    } rows[] = {{25, -1, 0}, {26, 1, 0}, {27, 0, -1}, {28, 0, 1}, {30, 0, 0}};
    for (const Row& r : rows) {
        atc.sel_i = atc.sel_j = 3;
        atc.menu_up = 0;
        atc_arrow_keys(r.code);
        EXPECT_EQ(atc.sel_i, 3) << r.code;
        EXPECT_EQ(atc.sel_j, 3) << r.code;
        atc.menu_up = 1;
        atc_arrow_keys(r.code);
        EXPECT_EQ(atc.sel_i, 3 + r.di) << r.code;
        EXPECT_EQ(atc.sel_j, 3 + r.dj) << r.code;
    }
}

}  // namespace
