// atc_test.cpp -- the controller's answers to requests, word for word from the hand-placed region,
// and the vectors onto a localizer: where they point, the altitudes they give, when they are
// repeated and when the intercept clearance hands the aircraft to the tower; and the same answers
// from the databases and report file the suite ships.
#include "atc_world.h"
#include "genwrld.h"
#include "startpos.h"

namespace {

class Requests : public AtcWorld {};

TEST_F(Requests, FixedSituationsGetTheirExactSentences)
{
    // Kestrova's active runway is 27 (the wind and its localizer agree); Brookfield lies 30 nm due
    // north of Kestrova; the aircraft heads east, so every turn to the north is to the left.
    struct Row {
        const char* what;
        float lat, lon, alt_ft;
        int onground;
        const char* request;
        std::string answer;
    } rows[] = {
        {"taxi", 34.5f, -117.5f, 430, 1, "request taxi Kestrova Municipal", "taxi runway 27."},
        {"take-off", 34.5f, -117.5f, 430, 1, "request takeoff Kestrova Municipal",
         "fly runway heading cleared for take off runway 27."},
        {"vectors", 34.5f, -117.5f, 3000, 0, "request vectors Brookfield Regional",
         "turn left heading 3 6 0 vectors Brookfield Regional. They are about 30 miles from your current position."},
        {"landing", 34.8f, -117.5f, 2000, 0, "request landing Brookfield Regional",
         "Wind 270 at 12, cleared to land runway 36 Brookfield Regional."},
        {"landing, final period dropped", 34.4f, -117.5f, 2000, 0, "request landing Kestrova Municipal.",
         "Wind 270 at 12, cleared to land runway 27 Kestrova Municipal."},
        {"untowered field's runway", 34.4f, -117.0f, 2000, 0, "request landing Cedar Flats",
         "Wind 270 at 12, cleared to land runway 18 Cedar Flats."},
        {"wind check", 34.5f, -117.5f, 430, 1, "wind check", "Wind 270 at 12."},
        {"unknown request", 34.5f, -117.5f, 430, 1, "request a cup of tea", "say again please."},
        {"no request word", 34.5f, -117.5f, 430, 1, "hello tower", "say again please."},
    };
    for (const Row& r : rows) {
        place(r.lat, r.lon, r.alt_ft, 90.0f, r.onground ? 0.0f : 120.0f, r.onground);
        hush();
        controller_respond(r.request);
        EXPECT_EQ(said(), CALL + r.answer) << r.what;
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Requests, WindCheckCarriesTheShearAsGust)
{
    atm.shrspd1 = 8;
    place(34.5f, -117.5f, 430, 90, 0, 1);
    controller_respond("wind check");
    EXPECT_EQ(said(), std::string(CALL) + "Wind shear alert. Wind 270 at 12 gust 20.");
}

TEST_F(Requests, PlacesOutsideTheRegionOrUnknownGetNoAnswer)
{
    place(34.5f, -117.5f, 3000, 90, 120, 0);
    const char* requests[] = {
        "request vectors Faraway Field",      // a real airport, but not in the region
        "request landing Brookfield",         // only the whole name counts
        "request landing brookfield regional",
        "request I L S Kestrova VOR",         // the whole name or nothing
        "request localizer KBRK 99 LOC",
        "request taxi",                       // no place at all
        "request I L S",
    };
    for (const char* q : requests) {
        hush();
        controller_respond(q);
        EXPECT_EQ(said(), "") << q;
    }
    EXPECT_EQ(atc.ils_vec_in_progress, 0);
}

// An approach request names a navaid of the region, whatever its kind: the VOR "Kestrova" (navaid 4,
// 0.1 degree north and west of the field) gets vectors as the localizers do, and only the region's
// navaids answer.
TEST_F(Requests, ApproachRequestsFindTheNameAmongAllTheRegionsNavaids)
{
    place(34.2f, -117.2f, 5000, 90, 150, 0);
    for (const char* q : {"request I L S Kestrova", "request localizer Kestrova"}) {
        reset_atc();
        atc.ils_vec_in_progress = 0;
        hush();
        controller_respond(q);
        EXPECT_TRUE(said_matches(std::string(CALL) + ".*vectors Kestrova, if you would like another approach instead "
                                                     "just tell me"))
            << q << ": " << said();
        EXPECT_EQ(atc.ils_vec_in_progress, 1) << q;
        EXPECT_STREQ(atc.ils_command, q);
    }
    // The same VOR taken out of the region is not there to be asked for.
    reset_atc();
    atc.ils_vec_in_progress = 0;
    nav_inreg[4] = 0;
    hush();
    controller_respond("request I L S Kestrova");
    EXPECT_EQ(said(), "");
    EXPECT_EQ(atc.ils_vec_in_progress, 0);
}

TEST_F(Requests, EmergencyVectorsToTheNearestFieldAndSuspendsThePlan)
{
    // 3 nm north and 4.92 nm west of the aircraft lies Brookfield, the nearest field by latitude and
    // longitude: true bearing 301 degrees, said as 300, about 6 miles.
    place(34.95f, -117.4f, 4000, 90, 150, 0);
    fpl.onfile = fpl.activated = 1;
    atc.plan_phase = 5;
    controller_respond("declaring an emergency");
    EXPECT_EQ(said(), std::string(CALL) + "squawk 7 7 0 0 turn left heading 3 0 0 vectors Brookfield Regional, they "
                                          "are about 6 miles from your current position.");
    EXPECT_EQ(atc.plan_phase, 0);

    // With no airport in the region there is no field to send the aircraft to.
    for (int a = 0; a <= apt_wrl_max; a++) apt_inreg[a] = 0;
    atc.plan_phase = 5;
    hush();
    controller_respond("declaring an emergency");
    EXPECT_EQ(said(), "");
    EXPECT_EQ(atc.plan_phase, 5);
}

TEST_F(Requests, VectorsTurnTheShorterWayWithMagneticVariation)
{
    // Brookfield is due north (true). With 10 degrees of westerly variation the magnetic bearing
    // is 10; heading 200 magnetic, that is a right turn.
    env.mvar = 10;
    place(34.5f, -117.5f, 3000, 190, 120, 0);
    flt.magpsi = 200;
    controller_respond("request vectors Brookfield Regional");
    EXPECT_EQ(said(), std::string(CALL) + "turn right heading 0 1 0 vectors Brookfield Regional. They are about 30 "
                                          "miles from your current position.");
}

// ---- vectors onto a localizer ------------------------------------------------------------------

class IlsVectors : public AtcWorld {
protected:
    static constexpr const char* ILS = "request I L S KBRK 36 ILS";
    const float ant_lat = 35.0125f, ant_lon = -117.5f;

    // The aircraft d nm from the antenna on true bearing b (from the antenna).
    void from_antenna(float b, float d, float alt_ft, float heading, float knots)
    {
        float lat, lon;
        offset(ant_lat, ant_lon, b, d, &lat, &lon);
        place(lat, lon, alt_ft, heading, knots, 0);
    }
    static std::string first_vector(const std::string& instructions)
    {
        return std::string(CALL) + instructions + "vectors KBRK 36 ILS, if you would like another approach instead just tell me";
    }
};

TEST_F(IlsVectors, EstablishedInsideTheWindowIsClearedAndHandedToTheTower)
{
    from_antenna(180, 10, 3000, 2, 140);
    controller_respond(ILS);
    EXPECT_EQ(said(), std::string(CALL) + "intercept localizer altimeter 29.92 cleared KBRK 36 ILS contact tower.");
    EXPECT_EQ(atc.ils_vec_in_progress, 0);
    EXPECT_EQ(fpl.onfile, 1);
    EXPECT_EQ(fpl.activated, 1);
    EXPECT_EQ(atc.plan_phase, 7);
    EXPECT_EQ(atc.waiting_new_frq, 1);
    EXPECT_EQ(atc.plan_index, 1);
    EXPECT_STREQ(fpl.arr_id_str, "KBRK");
}

TEST_F(IlsVectors, OutsideTheInterceptWindowGetsVectorsInstead)
{
    struct Row {
        const char* what;
        float bearing, dist, heading;
    } rows[] = {
        {"3 nm out on course", 180, 3, 0},
        {"25 nm out on course", 180, 25, 0},
        {"10 nm out, 9 degrees off course", 189, 10, 0},
        {"10 nm out, heading 50 degrees off the course", 180, 10, 50},
    };
    for (const Row& r : rows) {
        reset_atc();
        atc.ils_vec_in_progress = 0;
        from_antenna(r.bearing, r.dist, 3000, r.heading, 140);
        hush();
        controller_respond(ILS);
        EXPECT_EQ(atc.ils_vec_in_progress, 1) << r.what;
        EXPECT_STREQ(atc.ils_command, ILS) << r.what;
        EXPECT_EQ(atc.plan_phase, 0) << r.what;
        EXPECT_TRUE(said_matches(std::string(CALL) + "turn (left|right) heading [0-3] [0-9] [05] (climb|descend) and "
                                                     "maintain [0-9]+ feet vectors KBRK 36 ILS, if you would like "
                                                     "another approach instead just tell me"))
            << r.what << ": " << said();
    }
}

TEST_F(IlsVectors, HeadingLeadsOntoTheCourseFromEitherSide)
{
    // 9 nm short of the antenna and 15 nm east of the course, at 150 kt (a 3 nm turn radius): the
    // aim point lies 3.3 nm east of the course, 11.7 nm due west; the tangent to the 3 nm circle
    // round it turns the heading asin(3 / 11.7) = 14.9 degrees toward the course (north): 285.
    // Mirrored on the west side: 75. Altitude: 17.5 nm out, 5,000 ft above the antenna.
    struct Row {
        float east;
        const char* answer;
    } rows[] = {{15, "turn right heading 2 8 5 climb and maintain 5000 feet "},
                {-15, "turn right heading 0 7 5 climb and maintain 5000 feet "}};
    for (const Row& r : rows) {
        reset_atc();
        atc.ils_vec_in_progress = 0;
        float lat, lon;
        offset(ant_lat, ant_lon, 180, 9, &lat, &lon);
        offset(lat, lon, 90, r.east, &lat, &lon);
        place(lat, lon, 3000, r.east > 0 ? 180.0f : 0.0f, 150, 0);
        controller_respond(ILS);
        EXPECT_EQ(said(), first_vector(r.answer)) << r.east;
    }
}

TEST_F(IlsVectors, AltitudesStepWithDistanceAndRespectPlanAndGround)
{
    // Straight south of the antenna at 3,000 ft, heading east (so never cleared for the intercept).
    struct Row {
        const char* what;
        float dist;
        int cruise;           // 0 no plan on file
        float ground_ft;
        const char* altitude;
    } rows[] = {
        {"within 15 nm", 12, 0, 0, "maintain 3000 feet"},
        {"within 30 nm", 20, 0, 0, "maintain 5000 feet"},
        {"beyond 30 nm", 40, 0, 0, "maintain 10000 feet"},
        {"capped by the filed cruise", 40, 6000, 0, "maintain 6000 feet"},
        {"no cap without a filed plan", 40, -1, 0, "maintain 10000 feet"},
        {"high ground lifts it", 20, 0, 4500, "maintain 7500 feet"},
    };
    for (const Row& r : rows) {
        reset_atc();
        atc.ils_vec_in_progress = 0;
        fpl.onfile = r.cruise > 0;
        fpl.cruise_alt = r.cruise > 0 ? r.cruise : 8000;
        env.localh_cg = r.ground_ft * con.fttomtrs;
        from_antenna(180, r.dist, 3000, 90, 120);
        controller_respond(ILS);
        EXPECT_NE(said().find(r.altitude), std::string::npos) << r.what << ": " << said();
    }
}

TEST_F(IlsVectors, LaterVectorsComeEvery15To30SecondsAndOnlyWhenSomethingChanged)
{
    // At the altitude the vectors ask for 20 nm out, so only the heading can change.
    from_antenna(135, 20, 5000, 90, 150);
    controller_respond(ILS);
    ASSERT_EQ(atc.ils_vec_in_progress, 1);
    std::string first = said();

    // The once-per-second update asks again with the stored request. Nothing before 15 s.
    for (int s = 1; s < 15; s++) {
        msc.elap_time = 100.0f + static_cast<float>(s);
        hush();
        controller_respond(atc.ils_command);
        EXPECT_EQ(said(), "") << s;
    }
    // By 30 s something is said: the aircraft did not move, so no vector changed and the frequency
    // carries someone else's call instead.
    std::string later;
    for (int s = 15; s <= 30 && later.empty(); s++) {
        msc.elap_time = 100.0f + static_cast<float>(s);
        controller_respond(atc.ils_command);
        later = said();
    }
    ASSERT_FALSE(later.empty());
    EXPECT_EQ(later.rfind(CALL, 0), std::string::npos) << later;
    EXPECT_EQ(atc.ils_vec_in_progress, 1);

    // Flown to the other side of the course, the next vector turns the aircraft back.
    from_antenna(225, 20, 5000, 90, 150);
    hush();
    for (int s = 31; s <= 62 && said().empty(); s++) {
        msc.elap_time = 100.0f + static_cast<float>(s);
        controller_respond(atc.ils_command);
    }
    EXPECT_TRUE(said_matches(std::string(CALL) + "turn (left|right) heading [0-3] [0-9] [05]\\.")) << said();
    EXPECT_NE(said(), first);

    // Established at last: cleared, and the update stops asking.
    from_antenna(180, 10, 3000, 0, 140);
    msc.elap_time += 1.0f;
    controller_respond(atc.ils_command);
    EXPECT_EQ(said(), std::string(CALL) + "intercept localizer altimeter 29.92 cleared KBRK 36 ILS contact tower.");
    EXPECT_EQ(atc.ils_vec_in_progress, 0);
}

TEST_F(IlsVectors, ANewRequestStartsAgainAtOnce)
{
    from_antenna(135, 20, 3000, 90, 150);
    controller_respond(ILS);
    msc.elap_time += 2.0f;
    hush();
    controller_respond("request localizer KKES 27 LOC");
    EXPECT_STREQ(atc.ils_command, "request localizer KKES 27 LOC");
    EXPECT_TRUE(said_matches(std::string(CALL) + ".*vectors KKES 27 LOC, if you would like another approach instead "
                                                 "just tell me"))
        << said();
}

// ---- the bundled world ---------------------------------------------------------------------------

// The databases and the report file the suite ships, with the start region loaded around them.
class BundledWorld : public ::testing::Test {
protected:
    static constexpr const char* CALL = "Kestrel november one two three alpha bravo ";

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        hl_fill_constants();
        kvdb_set_units();
        kvdb_load(std::string(KV_SOURCE_DIR) + "/data/additional nav data");
        std::snprintf(app_path, sizeof app_path, "%s/", KV_PROGRAM_DIR);
        std::snprintf(pln[0].C_name, STR_LEN, "Kestrel");
        std::snprintf(pln[0].tailnum, STR_LEN, "N123AB");
        pln[0].us_alt = 1;
        hl_srand(7);
        reset_atc();
        env.lat_sou = 33;
        env.lon_wes = -119;
        load_region(1);
        atm.wnddir1 = 270;
        atm.wndspd1 = 12;
        atm.baro = 29.92f;
    }
    static int nav_named(const char* name)
    {
        for (int n = 0; n <= nav_wrl_max; n++)
            if (std::strcmp(nav_name[n], name) == 0) return n;
        return -1;
    }
};

TEST_F(BundledWorld, LosAngelesLandingAndIlsFromTheShippedTables)
{
    int lax = -1;
    ASSERT_EQ(get_index_from_id("KLAX", 1, &lax), 1);
    ASSERT_EQ(apt_inreg[lax], 1);
    int ils = nav_named("KLAX 24R ILS");
    ASSERT_GE(ils, 2);

    // The report says 250 at 8 and the four localizers all run 263, so the first of them (24R)
    // marks the runway: the first runway's other end, 6L turned round.
    flt.lat = 33.9f;
    flt.lon = -118.2f;
    flt.Y[0] = 3000 * con.fttomtrs;
    controller_respond("request landing Los Angeles Intl");
    EXPECT_STREQ(atc.response, (std::string(CALL) + "Wind 270 at 12, cleared to land runway 24 right Los Angeles Intl.").c_str());

    // 10 nm out on the localizer's extended course, heading down it: cleared at once, and a plan to
    // Los Angeles goes on file for the tower.
    const float rad = 3.14159265f / 180.0f;
    flt.lat = nav_lat[ils] + 10.0f * std::cos(83.0f * rad) / 60.0f;
    flt.lon = nav_lon[ils] + 10.0f * std::sin(83.0f * rad) / (60.0f * std::cos(flt.lat * rad));
    flt.psi[0] = 263.0f;
    controller_respond("request I L S KLAX 24R ILS");
    EXPECT_STREQ(atc.response, (std::string(CALL) + "intercept localizer altimeter 29.92 cleared KLAX 24R ILS contact tower.").c_str());
    EXPECT_EQ(atc.plan_index, lax);
    EXPECT_STREQ(fpl.arr_id_str, "KLAX");
    EXPECT_EQ(atc.plan_phase, 7);
    EXPECT_TRUE(recorded_alerts().empty());
}

}  // namespace
