// atc_plan_test.cpp -- the filed flight plan: one instrument flight followed from pick-up at a
// towered field through departure, centre, approach vectors and tower to the ramp; the clearances
// of every kind of departure; the en-route calls; the approach's answers; damaged report files;
// and plans that cannot be flown.
#include "atc_world.h"

namespace {

class FlightPlan : public AtcWorld {
protected:
    void SetUp() override
    {
        AtcWorld::SetUp();
        file_plan(1, 2500, "KBRK", 1);
    }
    static void file_plan(int ifr, int cruise, const char* dest, int dest_index)
    {
        fpl.onfile = 1;
        fpl.activated = 0;
        fpl.ifr = ifr;
        fpl.vfr = !ifr;
        fpl.cruise_alt = cruise;
        std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "%s", dest);
        atc.plan_index = dest_index;
    }
    // Runs the once-per-second update for up to `seconds`, stopping at the first sentence; the
    // seconds it took, or -1 when nothing was said.
    static int seconds_until_said(int seconds)
    {
        hush();
        for (int s = 1; s <= seconds; s++) {
            msc.elap_time += 1.0f;
            if (fpl.onfile && fpl.activated) handle_plan(0);
            if (atc.ils_vec_in_progress) controller_respond(atc.ils_command);
            if (!said().empty()) return s;
        }
        return -1;
    }
    static std::string line(int r)
    {
        const char* t = "";
        atc_option(r, &t);
        return t;
    }
};

TEST_F(FlightPlan, InstrumentPlanFollowedFromClearanceToTheRamp)
{
    place(34.5f, -117.5f, 430, 270, 0, 1);
    env.localh_cg = 430 * con.fttomtrs;
    EXPECT_EQ(atc_option(4, nullptr), 2);   // picking the plan up is the call to make
    EXPECT_EQ(atc_option(0, nullptr), 0);

    // Pick-up at a towered field: 430 ft + 2,000 rounds to 2,500, kept below the 2,500 ft cruise.
    choose_row(4);
    EXPECT_TRUE(said_matches(std::string(CALL) + "cleared as filed maintain at or below 2000 expect 2500 10 minutes "
                                                 "after departure\\. Departure will be on " +
                             FREQ + " squawk " + SQUAWK + " advise when ready to taxi\\."))
        << said();
    EXPECT_EQ(atc.plan_phase, 3);
    EXPECT_EQ(fpl.init_alt, 2000);
    EXPECT_EQ(atc_option(9, nullptr), 2);
    EXPECT_EQ(atc_option(10, nullptr), 2);
    choose_row(9);
    EXPECT_EQ(said(), std::string(CALL) + "taxi runway 27.");

    // Departure calls once the aircraft is 200 m up, then waits for the check-in however long it takes.
    EXPECT_EQ(seconds_until_said(5), -1);
    place(34.52f, -117.5f, 430 + 700, 270, 110, 0);
    EXPECT_EQ(seconds_until_said(1), 1);
    EXPECT_EQ(said(), std::string(CALL) + "contact departure.");
    EXPECT_EQ(atc.plan_phase, 4);
    EXPECT_EQ(seconds_until_said(120), -1);
    EXPECT_EQ(line(6), "Kestrova Municipal departure N123AB with you.");
    EXPECT_EQ(atc_option(6, nullptr), 2);
    choose_row(6);
    EXPECT_EQ(said(), std::string(CALL) + "radar contact. Climb to 2500 approved, proceed on course to Brookfield Regional.");

    // The hand-off to centre comes 15 to 45 s later.
    int t = seconds_until_said(50);
    EXPECT_GE(t, 15);
    EXPECT_LE(t, 46);
    EXPECT_TRUE(said_matches(std::string(CALL) + "contact center " + FREQ + "\\.")) << said();
    EXPECT_EQ(atc.plan_phase, 5);
    EXPECT_EQ(seconds_until_said(60), -1);
    EXPECT_EQ(line(6), "Center, N123AB with you.");
    choose_row(6);
    EXPECT_TRUE(said_matches(std::string(CALL) + "roger proceed on course to Brookfield Regional\\. altimeter 29\\.92( "
                                                 "Reset transponder squawk " +
                             SQUAWK + ")?\\."))
        << said();

    // Still 1,000 ft low 26 nm out: the next transmission, 15 to 45 s on, asks for the filed altitude.
    place(34.57f, -117.5f, 1500, 0, 120, 0);
    t = seconds_until_said(50);
    EXPECT_GE(t, 15);
    EXPECT_EQ(said(), std::string(CALL) + "your flight plan calls for 2500 feet while enroute, Sir. I will need you "
                                          "to climb and maintain that altitude. You may amend your plan if you want "
                                          "a different altitude.");

    // Inside 20 nm at the filed altitude (heading east, not yet lined up): handed to approach.
    place(34.7f, -117.5f, 2500, 90, 120, 0);
    EXPECT_GT(seconds_until_said(31), 0);
    EXPECT_TRUE(said_matches(std::string(CALL) + "contact Brookfield Regional approach on " + FREQ + "\\.")) << said();
    EXPECT_EQ(atc.plan_phase, 6);
    EXPECT_EQ(line(6), "Brookfield Regional approach N123AB with you inbound.");

    // An instrument plan to a field with an ILS gets vectors to it ...
    choose_row(6);
    EXPECT_TRUE(said_matches(std::string(CALL) + ".*vectors KBRK 36 ILS, if you would like another approach instead just "
                                                 "tell me"))
        << said();
    EXPECT_EQ(atc.ils_vec_in_progress, 1);
    EXPECT_STREQ(atc.ils_command, "request I L S KBRK 36 ILS");

    // ... until it is established 10 nm out, when the tower takes over.
    place(34.845f, -117.5f, 3000, 359, 120, 0);
    EXPECT_EQ(seconds_until_said(1), 1);
    EXPECT_EQ(said(), std::string(CALL) + "intercept localizer altimeter 29.92 cleared KBRK 36 ILS contact tower.");
    EXPECT_EQ(atc.plan_phase, 7);
    EXPECT_EQ(line(6), "Brookfield Regional tower N123AB with you inbound.");
    choose_row(6);
    EXPECT_EQ(said(), std::string(CALL) + "Wind 270 at 12, cleared to land runway 36 Brookfield Regional.");
    EXPECT_EQ(atc.plan_phase, 8);

    // Down and rolling: off to ground, and the ramp closes the plan.
    EXPECT_EQ(seconds_until_said(10), -1);
    place(35.0f, -117.5f, 0, 360, 60, 1);
    EXPECT_EQ(seconds_until_said(1), 1);
    EXPECT_TRUE(said_matches(std::string(CALL) + "make next turn-off contact ground " + FREQ + " when clear\\.")) << said();
    EXPECT_EQ(atc.plan_phase, 9);
    EXPECT_EQ(line(6), "Brookfield Regional ground N123AB clear active.");
    choose_row(6);
    EXPECT_EQ(said(), std::string(CALL) + "taxi to the ramp.");
    EXPECT_EQ(fpl.onfile, 0);
    EXPECT_EQ(fpl.activated, 0);
    EXPECT_EQ(atc_option(0, nullptr), 2);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(FlightPlan, ClearancesForEachKindOfDeparture)
{
    struct Row {
        const char* what;
        int ifr, cruise, airport;
        float lat, lon, alt_ft;
        int onground;
        float zulu;
        std::string answer;
        int phase, waiting, init_alt;
    } rows[] = {
        {"visual plan, towered field", 0, 9000, 0, 34.5f, -117.5f, 430, 1, 14 * 3600 + 5 * 60,
         std::string("you are cleared as filed maintain at or below 2500 initially, expect higher after that\\. "
                     "Departure will be on ") + FREQ + " squawk " + SQUAWK + " advise when ready to taxi\\.",
         3, 0, 2500},
        {"instrument plan, field without a tower", 1, 6000, 2, 34.5f, -117.0f, 0, 1, 14 * 3600 + 5 * 60,
         std::string("cleared as filed maintain at or below 2000 expect 6000 10 minutes after that\\. Contact center on ") +
             FREQ + " when airborne, squawk " + SQUAWK + " time now 14 05 Z, clearance void if not off by 14 15 Z\\.",
         5, 1, 2000},
        {"void time past midnight", 1, 6000, 2, 34.5f, -117.0f, 0, 1, 23 * 3600 + 55 * 60,
         std::string("cleared as filed maintain at or below 2000 expect 6000 10 minutes after that\\. Contact center on ") +
             FREQ + " when airborne, squawk " + SQUAWK + " time now 23 55 Z, clearance void if not off by 0 05 Z\\.",
         5, 1, 2000},
        {"visual plan, field without a tower", 0, 6000, 2, 34.5f, -117.0f, 0, 1, 0,
         std::string("cleared as filed\\. Contact center on ") + FREQ + " when airborne\\. Squawk " + SQUAWK + "\\.", 5, 1,
         2000},
        {"picked up in the air over a towered field", 1, 6000, 0, 34.5f, -117.5f, 3000, 0, 0,
         std::string("cleared as filed contact center ") + FREQ + "\\.", 5, 1, 2500},
        {"on the ground 10 nm from the tower", 1, 6000, 0, 34.5f, -117.3f, 430, 1, 0,
         std::string("cleared as filed maintain at or below 2500 expect 6000 10 minutes after that.*"), 5, 1, 2500},
        {"cruise rounded to 500 ft", 1, 2740, 0, 34.5f, -117.5f, 430, 1, 0,
         std::string("cleared as filed maintain at or below 2000 expect 2500 10 minutes after departure.*"), 3, 0, 2000},
    };
    for (const Row& r : rows) {
        file_plan(r.ifr, r.cruise, "KBRK", 1);
        atc.waiting_new_frq = 0;
        msc.loc_apt_wrl = r.airport;
        msc.zulu_time = r.zulu;
        place(r.lat, r.lon, r.alt_ft, 90, r.onground ? 0.0f : 120.0f, r.onground);
        choose_row(4);
        EXPECT_TRUE(said_matches(CALL + r.answer)) << r.what << ": " << said();
        EXPECT_EQ(atc.plan_phase, r.phase) << r.what;
        EXPECT_EQ(atc.waiting_new_frq, r.waiting) << r.what;
        EXPECT_EQ(fpl.init_alt, r.init_alt) << r.what;
        EXPECT_EQ(fpl.activated, 1) << r.what;
    }
}

TEST_F(FlightPlan, EnrouteCallsKeepThePilotToThePlan)
{
    // 36 nm from Brookfield, with centre, nothing pending: each row is the next transmission.
    struct Row {
        const char* what;
        int cruise, mrs;
        float alt_ft, climb_ms, knots;
        const char* answer;   // nullptr: a background call for someone else
    } rows[] = {
        {"high and level", 11500, 0, 12000, 0, 200,
         "your flight plan calls for 11500 feet while enroute, Sir. I will need you to descend and maintain that "
         "altitude. You may amend your plan if you want a different altitude."},
        {"high and slowly descending", 11500, 0, 12000, -1.5f, 200,
         "your flight plan calls for 11500 feet while enroute, Sir. I will need you to descend and maintain that "
         "altitude. You may amend your plan if you want a different altitude."},
        {"high but descending at 3 m/s", 11500, 0, 12000, -3, 200, nullptr},
        {"low and level, a lady flying", 11500, 1, 11000, 0, 200,
         "your flight plan calls for 11500 feet while enroute, Madam. I will need you to climb and maintain that "
         "altitude. You may amend your plan if you want a different altitude."},
        {"low but climbing at 3 m/s", 11500, 0, 11000, 3, 200, nullptr},
        {"within 200 ft", 11500, 0, 11650, 0, 200, nullptr},
        {"too fast below ten thousand", 8000, 0, 8000, 0, 260,
         "I will need you to stay below 2 5 0 knots while below ten thousand feet."},
        {"fast above ten thousand", 11500, 0, 11500, 0, 300, nullptr},
        {"250 kt below ten thousand", 8000, 0, 8000, 0, 250, nullptr},
    };
    for (const Row& r : rows) {
        reset_atc();
        file_plan(1, r.cruise, "KBRK", 1);
        fpl.activated = 1;
        fpl.mrs = r.mrs;
        atc.plan_phase = 5;
        atc.waiting_new_frq = 0;
        place(34.4f, -117.5f, r.alt_ft, 0, r.knots, 0);
        flt.vY = r.climb_ms;
        hush();
        handle_plan(0);
        if (r.answer) {
            EXPECT_EQ(said(), CALL + std::string(r.answer)) << r.what;
        } else {
            EXPECT_FALSE(said().empty()) << r.what;
            EXPECT_EQ(said().find("flight plan calls"), std::string::npos) << r.what;
            EXPECT_EQ(said().find("2 5 0 knots"), std::string::npos) << r.what;
        }
        EXPECT_EQ(atc.plan_phase, 5) << r.what;
    }
}

TEST_F(FlightPlan, ApproachAnswersTheCheckInByThePlan)
{
    struct Row {
        const char* what;
        int ifr;
        const char* dest;
        int dest_index;
        const char* answer;
        int still_on_file;
    } rows[] = {
        {"visual plan", 0, "KBRK", 1, "cleared visual approach of your choice.", 0},
        {"instrument plan, no localizer at the field", 1, "K0CF", 2, "cleared full approach of your choice.", 0},
        {"instrument plan, localizer only", 1, "KKES", 0,
         ".*vectors KKES 27 LOC, if you would like another approach instead just tell me", 1},
    };
    for (const Row& r : rows) {
        reset_atc();
        atc.ils_vec_in_progress = 0;
        file_plan(r.ifr, 6000, r.dest, r.dest_index);
        fpl.activated = 1;
        atc.plan_phase = 6;
        atc.waiting_new_frq = 1;
        place(34.75f, -117.25f, 5000, 90, 150, 0);
        choose_row(6);
        EXPECT_TRUE(said_matches(CALL + std::string(r.answer))) << r.what << ": " << said();
        EXPECT_EQ(fpl.onfile, r.still_on_file) << r.what;
        EXPECT_EQ(atc.ils_vec_in_progress, r.still_on_file) << r.what;
    }
}

TEST_F(FlightPlan, ApproachHandsToTheTowerWithin10MilesOfATowerOnly)
{
    struct Row {
        const char* what;
        const char* dest;
        int dest_index;
        float lat, lon;
        int waiting, vectoring;
        bool handed;
    } rows[] = {
        {"9 nm from Brookfield", "KBRK", 1, 34.85f, -117.5f, 0, 0, true},
        {"11 nm from Brookfield", "KBRK", 1, 34.8167f, -117.5f, 0, 0, false},
        {"before the pilot checked in", "KBRK", 1, 34.85f, -117.5f, 1, 0, false},
        {"while vectoring", "KBRK", 1, 34.85f, -117.5f, 0, 1, false},
        {"Cedar Flats has no tower", "K0CF", 2, 34.5f, -117.1f, 0, 0, false},
    };
    for (const Row& r : rows) {
        reset_atc();
        file_plan(0, 6000, r.dest, r.dest_index);
        fpl.activated = 1;
        atc.plan_phase = 6;
        atc.waiting_new_frq = r.waiting;
        atc.ils_vec_in_progress = r.vectoring;
        place(r.lat, r.lon, 2000, 0, 110, 0);
        hush();
        handle_plan(0);
        if (r.handed) {
            EXPECT_TRUE(said_matches(std::string(CALL) + "contact Brookfield Regional tower on " + FREQ + "\\.")) << r.what;
            EXPECT_EQ(atc.plan_phase, 7) << r.what;
            EXPECT_EQ(atc.waiting_new_frq, 1) << r.what;
        } else {
            EXPECT_EQ(said(), "") << r.what;
            EXPECT_EQ(atc.plan_phase, 6) << r.what;
        }
    }
}

TEST_F(FlightPlan, DamagedReportLinesLeaveTheRunwayToThePresentWind)
{
    // The report file decides Cedar Flats' runway. A readable report with the wind from 360 gives
    // runway 36; damaged lines elsewhere in the file do not matter; a damaged report of its own, or
    // one hidden behind a line too short to read, leaves the present wind 270 (a tie, so runway 18).
    struct Row {
        const char* what;
        std::string file;
        const char* runway;
    } rows[] = {
        {"good report", "K0CF SA 1651 10 20/10/3612/992\n", "runway 36"},
        {"damaged neighbours", "KBRK @@## ~~~ / / /\nKKES SA\n\x01\x02\x03\x04\x05\nK0CF SA 1651 10 20/10/3612/992\n",
         "runway 36"},
        {"damaged own report", "K0CF SA 1651 10 20/10/36ZZ/9\n", "runway 18"},
        {"unreadable after a short line", "KBRK SA 1651 10 20/10/2712/992\nK\nK0CF SA 1651 10 20/10/3612/992\n",
         "runway 18"},
        {"truncated file", "K0CF SA 16", "runway 18"},
        {"empty file", "", "runway 18"},
    };
    place(34.45f, -117.0f, 2000, 0, 100, 0);
    for (const Row& r : rows) {
        dir.write("WORLD.RWX", r.file);
        hush();
        controller_respond("request landing Cedar Flats");
        EXPECT_EQ(said(), std::string(CALL) + "Wind 270 at 12, cleared to land " + r.runway + " Cedar Flats.") << r.what;
        ASSERT_TRUE(recorded_alerts().empty() || recorded_alerts().back().code < 2003) << r.what;
    }
}

TEST_F(FlightPlan, PlansThatCannotBeFlownAreLeftAlone)
{
    // A destination off the airport table: whatever the phase and whoever calls, nothing is said
    // and nothing moves on.
    int bad_index[] = {-1, 50000, apt_wrl_max + 1};
    for (int idx : bad_index) {
        for (int phase = 0; phase <= 9; phase++) {
            reset_atc();
            file_plan(1, 6000, "ZZZZ", idx);
            fpl.activated = 1;
            atc.plan_phase = phase;
            atc.waiting_new_frq = 0;
            place(34.9f, -117.5f, 5000, 0, 150, 1);
            hush();
            for (int s = 0; s < 3; s++) {
                msc.elap_time += 60.0f;
                handle_plan(0);
                handle_plan(1);
            }
            EXPECT_EQ(said(), "") << idx << " phase " << phase;
            EXPECT_EQ(atc.plan_phase, phase) << idx;
        }
    }
    // On file but never picked up: the check-in line has nothing to answer.
    reset_atc();
    file_plan(1, 6000, "KBRK", 1);
    atc.plan_phase = 5;
    hush();
    handle_plan(1);
    EXPECT_EQ(said(), "");
    EXPECT_TRUE(recorded_alerts().empty());
}

}  // namespace
