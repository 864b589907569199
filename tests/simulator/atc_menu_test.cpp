// atc_menu_test.cpp -- the options menu: which lines are offered when, the mouse's column and row,
// what choosing a line does, the airport and localizer lists of the sub-levels, and the landing
// signal officer's calls.
#include "atc_world.h"

namespace {

class OptionsMenu : public AtcWorld {};

TEST_F(OptionsMenu, LinesOfferedFollowThePlanAndTheFlight)
{
    enum { GROUND_TOWER, AIRBORNE, GROUND_NO_TOWER };
    struct Row {
        const char* what;
        int where, onfile, activated, phase, waiting, said_before;
        int state[19];
    } rows[] = {
        //                                                       0  1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17 18
        {"no plan, at a towered field", GROUND_TOWER, 0, 0, 0, 0, 0, {2, 0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"plan filed, not picked up", GROUND_TOWER, 1, 0, 0, 0, 1, {0, 1, 1, 0, 2, 0, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"cleared, ready to taxi", GROUND_TOWER, 1, 1, 3, 0, 1, {0, 1, 1, 0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"handed to departure", AIRBORNE, 1, 1, 4, 1, 1, {0, 1, 1, 0, 0, 1, 2, 1, 0, 0, 0, 1, 1, 1, 1, 0, 1, 0, 1}},
        {"told to change without a plan", AIRBORNE, 0, 0, 0, 1, 1, {2, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 1, 1, 1, 1, 0, 1, 0, 1}},
        {"on the ground without a tower", GROUND_NO_TOWER, 0, 0, 0, 0, 0, {2, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
    };
    for (const Row& r : rows) {
        msc.loc_apt_wrl = r.where == GROUND_NO_TOWER ? 2 : 0;
        if (r.where == AIRBORNE) place(34.6f, -117.5f, 3000, 0, 120, 0);
        else if (r.where == GROUND_TOWER) place(34.5f, -117.5f, 430, 0, 0, 1);
        else place(34.5f, -117.0f, 0, 0, 0, 1);
        fpl.onfile = r.onfile;
        fpl.activated = r.activated;
        atc.plan_phase = r.phase;
        atc.waiting_new_frq = r.waiting;
        std::snprintf(atc.response, sizeof atc.response, "%s", r.said_before ? "something" : "");
        for (int k = 0; k < 19; k++) EXPECT_EQ(atc_option(k, nullptr), r.state[k]) << r.what << ", row " << k;
    }
}

TEST_F(OptionsMenu, LineTextsCarryTheTailNumber)
{
    struct Row {
        int r;
        const char* text;
    } rows[] = {
        {0, "File flight plan"},
        {2, "Get ATIS..."},
        {4, "N123AB would like to pick up my flight plan."},
        {5, "N123AB would like to close my flight plan."},
        {6, "N123AB with you."},
        {7, "N123AB say again please."},
        {9, "N123AB request taxi to active "},
        {10, "N123AB request take off "},
        {13, "N123AB request I L S..."},
        {16, "N123AB DECLARING AN EMERGENCY, REQUEST VECTORS NEAREST FIELD!"},
        {18, "N123AB Wind check please!"},
    };
    for (const Row& r : rows) {
        const char* t = nullptr;
        atc_option(r.r, &t);
        ASSERT_NE(t, nullptr);
        EXPECT_STREQ(t, r.text) << r.r;
    }
    // A new tail number shows at once.
    std::snprintf(pln[0].tailnum, STR_LEN, "N9K");
    const char* t = nullptr;
    atc_option(18, &t);
    EXPECT_STREQ(t, "N9K Wind check please!");
}

TEST_F(OptionsMenu, MousePicksColumnAndRow)
{
    // Column (mx - 17) / 150 and row (547 - my) / 10, whole parts, kept to 0..18 on the main list
    // and to 5 columns of 20 rows on the sub-levels.
    struct Row {
        float mx, my;
        int level, col, row;
    } rows[] = {
        {17, 547, 0, 0, 0},  {100, 527, 0, 0, 2},  {100, 366, 0, 0, 18}, {100, 300, 0, 0, 18},
        {100, 560, 0, 0, 0}, {167, 457, 4, 1, 9},  {790, 350, 4, 4, 19}, {5, 600, 4, 0, 0},
        {320, 446, 4, 2, 10},
    };
    // With a plan on file and nothing said yet, the rows picked here only close the menu, open the
    // ATIS list or ask for the wind; the sub-levels' lists are empty, so their choices do nothing.
    fpl.onfile = 1;
    for (const Row& r : rows) {
        atc.menu_up = 1;
        atc.menu_level = r.level;
        mnw.mx = r.mx;
        mnw.my = r.my;
        for (int a = 0; a <= apt_wrl_max; a++) apt_inreg[a] = r.level == 0;
        plot_atc_options(1);
        EXPECT_EQ(atc.sel_i, r.col) << r.mx << "," << r.my;
        EXPECT_EQ(atc.sel_j, r.row) << r.mx << "," << r.my;
    }
}

TEST_F(OptionsMenu, ChoosingALineDoesWhatItSays)
{
    place(34.5f, -117.5f, 430, 0, 0, 1);

    // Lines that are not offered close the menu and do nothing.
    for (int r : {1, 3, 5, 8, 11, 16}) {
        hush();
        choose_row(r);
        EXPECT_EQ(atc.menu_up, 0) << r;
        EXPECT_EQ(said(), "") << r;
    }
    choose_row(18);
    EXPECT_EQ(said(), std::string(CALL) + "Wind 270 at 12.");
    EXPECT_EQ(atc.menu_up, 0);
    choose_row(10);
    EXPECT_EQ(said(), std::string(CALL) + "fly runway heading cleared for take off runway 27.");
    std::string before = said();
    atc.response_timeout = 0;
    choose_row(7);
    EXPECT_EQ(said(), before);
    EXPECT_GT(atc.response_timeout, mnw.time_elapsed);

    // Pick up, then close the plan.
    fpl.onfile = 1;
    fpl.ifr = 1;
    fpl.cruise_alt = 6000;
    atc.plan_index = 1;
    choose_row(4);
    EXPECT_EQ(fpl.activated, 1);
    EXPECT_EQ(atc.plan_phase, 3);
    atc.ils_vec_in_progress = 1;
    choose_row(5);
    EXPECT_EQ(said(), std::string(CALL) + "flight plan closed. Squawk 1 2 0 0. Good day.");
    EXPECT_EQ(fpl.onfile, 0);
    EXPECT_EQ(fpl.activated, 0);
    EXPECT_EQ(atc.ils_vec_in_progress, 0);

    // Airborne: the emergency line.
    place(34.95f, -117.4f, 4000, 90, 150, 0);
    choose_row(16);
    EXPECT_EQ(said().rfind(std::string(CALL) + "squawk 7 7 0 0 ", 0), 0u) << said();
}

TEST_F(OptionsMenu, AtisKeepsTheMenuUpAndListsOnlyToweredAirports)
{
    place(34.5f, -117.5f, 430, 0, 0, 1);
    msc.zulu_time = 18.5f * 3600;
    choose_row(2);
    EXPECT_EQ(atc.menu_up, 1);
    EXPECT_EQ(atc.menu_level, 1);
    struct Row {
        int index, listed;
    } rows[] = {{0, 1}, {1, 1}, {2, 0}, {3, 0}, {-1, 0}, {99, 0}};
    for (const Row& r : rows) EXPECT_EQ(use_apt(r.index), r.listed) << r.index;

    // The second towered airport is Brookfield; its broadcast is read and the menu closes.
    choose_entry(0, 1);
    EXPECT_EQ(said(), "Brookfield Regional information sierra. 18 hundred zooloo weather. Sky clear visibility 10. "
                      "Temperature 59 dewpoint 50. Wind 270 at 12, altimeter 29.92. Arriving and departing runway "
                      "36. Advise on initial contact you have sierra.");
    EXPECT_EQ(atc.menu_up, 0);
    EXPECT_EQ(atc.menu_level, 0);
}

TEST_F(OptionsMenu, SubLevelsListTheirPlacesAndRequestThem)
{
    place(34.6f, -117.25f, 5000, 90, 150, 0);
    struct Row {
        int main_row, level, col, entry_row;
        std::string start;   // what the answer starts with
    } rows[] = {
        // Cedar Flats: 6 nm south and 12.3 nm east, true bearing 116, 14 nm.
        {11, 4, 0, 2, std::string(CALL) + "turn right heading 1 1 5 vectors Cedar Flats. They are about 14 miles from "
                                          "your current position."},
        {12, 5, 0, 0, std::string(CALL) + "Wind 270 at 12, cleared to land runway 27 Kestrova Municipal."},
        {13, 6, 0, 0, std::string(CALL) + "turn "},
        {14, 7, 0, 0, std::string(CALL) + "turn "},
    };
    for (const Row& r : rows) {
        reset_atc();
        atc.ils_vec_in_progress = 0;
        choose_row(r.main_row);
        ASSERT_EQ(atc.menu_level, r.level);
        EXPECT_EQ(atc.menu_up, 1);
        hush();
        choose_entry(r.col, r.entry_row);
        EXPECT_EQ(said().rfind(r.start, 0), 0u) << r.level << ": " << said();
        EXPECT_EQ(atc.menu_up, 0);
    }
    EXPECT_STREQ(atc.ils_command, "request localizer KKES 27 LOC");

    // The lists: level 5 the towered airports, 6 the ILS, 7 the localizers; the VOR never.
    struct Listed {
        int level, nav, listed;
    } navs[] = {{6, 2, 1}, {6, 3, 0}, {6, 4, 0}, {7, 2, 0}, {7, 3, 1}, {7, 4, 0}, {4, 2, 0}, {6, 50000, 0}, {6, -1, 0}};
    for (const Listed& n : navs) {
        atc.menu_level = n.level;
        EXPECT_EQ(use_nav(n.nav), n.listed) << n.level << " " << n.nav;
    }
    atc.menu_level = 5;
    EXPECT_EQ(use_apt(2), 0);
    EXPECT_EQ(use_apt(0), 1);
    atc.menu_level = 4;
    EXPECT_EQ(use_apt(2), 1);
    EXPECT_EQ(use_apt(3), 0);   // outside the region

    // An entry past the end of the list, or a column past the fifth, only closes the menu.
    choose_row(12);
    hush();
    choose_entry(0, 5);
    EXPECT_EQ(said(), "");
    EXPECT_EQ(atc.menu_up, 0);
    choose_row(12);
    mnw.mx = 5000;
    mnw.my = -400;
    plot_atc_options(1);
    EXPECT_EQ(said(), "");
    EXPECT_EQ(atc.menu_up, 0);
}

// ---- the landing signal officer ------------------------------------------------------------------

class SignalOfficer : public AtcWorld {
protected:
    // The aircraft d nm from the deck's landing reference on the approach course (352 degrees, so
    // coming from 172), `lineup` degrees right of it, on a glide angle g, heading 352 + hdg_off at
    // angle of attack alpha; the carrier drawn this very moment.
    static void approach(float d, float g, float lineup, float hdg_off, float alpha)
    {
        const float rad = 3.14159265f / 180.0f;
        float dm = d * con.nmtomtrs;
        float from = (172.0f + lineup) * rad;   // direction from the deck to the aircraft
        atc.cardxyz[0] = dm * std::sin(from);
        atc.cardxyz[2] = -dm * std::cos(from);
        atc.cardxyz[1] = dm * std::tan(g * rad);
        flt.psi[0] = std::fmod(352.0f + hdg_off + 360.0f, 360.0f);
        flt.Alph = alpha;
        flt.onground = 0;
        atc.card_time = msc.elap_time;
    }
    static std::string call()
    {
        hush();
        LSO_respond();
        msc.elap_time += 4.0f;
        atc.card_time = msc.elap_time;
        return said();
    }
};

TEST_F(SignalOfficer, FirstCallsTheBallThenCoachesOnlyWhenOutOfTolerance)
{
    approach(4.9f, 3, 0, 0, 8);
    EXPECT_EQ(call(), "Call the ball.");
    for (int k = 0; k < 5; k++) EXPECT_EQ(call(), "") << k;
}

TEST_F(SignalOfficer, CallsForEachDeviation)
{
    struct Row {
        const char* what;
        float d, g, lineup, alpha;
        const char* call;
    } rows[] = {
        {"close in and low", 0.4f, 0.5f, 0, 8, "Wave Off!"},
        {"close in and high", 0.4f, 6, 0, 8, "Wave Off!"},
        {"close in and fast", 0.4f, 3, 0, 5, "Attitude!"},
        {"close in and slow", 0.4f, 3, 0, 13, "Attitude!"},
        {"close in, off line-up only", 0.4f, 3, 5, 8, ""},
        {"high and fast", 2, 6, 0, 4, "Power Off"},
        {"high and slow", 2, 6, 0, 13, "Power On"},
        {"low and fast", 2, 0.5f, 0, 4, "Power"},
        {"low and slow", 2, 0.5f, 0, 13, "Power"},
        {"high", 2, 6, 0, 8, "Power Off"},
        {"low", 2, 0.5f, 0, 8, "Power"},
        {"fast", 2, 3, 0, 5, "Power Off"},
        {"slow", 2, 3, 0, 13, "Power"},
        {"right of the line-up", 2, 3, 4, 8, "Right for lineup"},
        {"left of the line-up", 2, 3, -4, 8, "Come left"},
        {"in tolerance", 2, 3, 2, 8, ""},
    };
    for (const Row& r : rows) {
        reset_lso();
        approach(r.d, r.g, r.lineup, 0, r.alpha);
        ASSERT_EQ(call(), "Call the ball.") << r.what;
        approach(r.d, r.g, r.lineup, 0, r.alpha);
        EXPECT_EQ(call(), r.call) << r.what;
    }
}

TEST_F(SignalOfficer, WindowAndHeadingRearmTheBall)
{
    approach(3, 3, 0, 0, 8);
    EXPECT_EQ(call(), "Call the ball.");
    // Out of the window (too far, or 10 degrees off the course line): silence, the ball stays called.
    approach(5.1f, 3, 0, 0, 4);
    EXPECT_EQ(call(), "");
    approach(3, 3, 11, 0, 4);
    EXPECT_EQ(call(), "");
    approach(3, 3, 0, 0, 4);
    EXPECT_EQ(call(), "Power Off");
    // Turned 10 degrees off the landing course: silence, and the next approach starts with the ball.
    approach(3, 3, 0, 12, 4);
    EXPECT_EQ(call(), "");
    approach(3, 3, 0, 0, 4);
    EXPECT_EQ(call(), "Call the ball.");
}

TEST_F(SignalOfficer, SilentOnDeckOrWithoutAFreshBall)
{
    approach(0.01f, 0, 0, 0, 0);
    flt.onground = 1;
    hush();
    LSO_respond();
    EXPECT_EQ(said(), "");

    // The carrier last drawn 5 s ago (or never): what cardxyz holds is old news.
    approach(2, 3, 0, 0, 8);
    atc.card_time = msc.elap_time - 5.0f;
    LSO_respond();
    EXPECT_EQ(said(), "");
    atc.card_time = 0;
    LSO_respond();
    EXPECT_EQ(said(), "");
    atc.card_time = msc.elap_time;
    LSO_respond();
    EXPECT_EQ(said(), "Call the ball.");
}

}  // namespace
