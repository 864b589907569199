// atc_menu_test.cpp -- the options menu: which lines are offered when, the mouse's column and row,
// what choosing a line does, and the airport and localizer lists of the sub-levels.
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

}  // namespace
