// panel_nav_gltest.cpp -- the radio navigation instruments read back from the screen over the
// bundled region's own navaids: the course needle 5 degrees off a VOR radial, the glide-slope needle
// above and below an ILS's path, the situation indicator's card, course arrow and bug, the direction
// finder toward a beacon, and the DME against the great-circle distance.
#include "nav_screen.h"

// The trainer tuned to the Paradise VOR with 090 on its course selector, 10 nm out on the 095 radial:
// from the station, 5 degrees right of the course flown outbound, 2.5 dots at 4 px a dot puts the
// needle 10 px left ("FR"). On the 275 radial, inbound on 090, 5 degrees left of course: 10 px right
// ("TO").
TEST_F(NavInstruments, CourseNeedleFiveDegreesOffARadial)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
    const int vor = navaid("PDZ", 3);
    nav.nf[0] = nav_frq[vor];
    nav.obs[0] = 90.0f;
    struct Case {
        float radial;   // magnetic
        float needle;   // px right of the centre
        const char* flag;
    };
    for (Case c : {Case{95, -10, "FR"}, Case{275, 10, "TO"}, Case{90, 0, "FR"}}) {
        SCOPED_TRACE(c.radial);
        place_from(vor, c.radial - env.mvar, 10.0f, 6000.0f, 90.0f - env.mvar);
        setnav(0);
        ASSERT_EQ(nav.goodnav[0], 1);
        mod_evt();
        const Frame f = frame();
        const float x = x4() + c.needle, y = y4();
        for (float dy : {-20.0f, -12.0f, 12.0f, 20.0f}) EXPECT_TRUE(f.is_color(x, y + dy, 0)) << dy;
        EXPECT_FALSE(f.is_color(x4() - c.needle - (c.needle == 0 ? 6.0f : 0.0f), y + 12.0f, 0));
        EXPECT_EQ(read_text(f, x4() + 16.0f, y4() + 8.0f, 2, 8), c.flag);
        if (c.radial == 95) save(f, "nav_vor_095");
    }
    // The course selector's card: 090 under the window's middle ("9" at column 90 of the card), the
    // reciprocal 27 on the lower card.
    const Frame f = frame();
    EXPECT_EQ(read_number(f, x4() - 2.0f, y4() + 28.0f, 1, 0, 0), "9");
    EXPECT_EQ(read_number(f, x4() + 13.0f, y4() - 40.0f, 2, 0, 0), "27");
}

// San Bernardino's runway 6 ILS (109.30, a 3 degree glide slope): 5 nm out on the
// approach half a degree above the path the needle stands a dot (5 px) low; a degree below it, two
// dots (10 px) high; on the path in the middle.
TEST_F(NavInstruments, GlideSlopeNeedleAboveAndBelowThePath)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
    const int gs = navaid("ISBD", 6);
    nav.nf[0] = nav_frq[gs];
    struct Case {
        float above;   // degrees above the path
        float needle;  // px above the centre
    };
    for (Case c : {Case{0.5f, -5}, Case{-1.0f, 10}, Case{0.0f, 0}}) {
        SCOPED_TRACE(c.above);
        const float d = 5.0f * con.nmtomtrs;
        const float feet = (nav_h[gs] + d * std::tan((3.0f + c.above) * 3.14159265f / 180.0f)) * con.mtrstoft;
        place_from(gs, static_cast<float>(nav_hdng[gs]) + 180.0f, 5.0f, feet, static_cast<float>(nav_hdng[gs]));
        setnav(0);
        ASSERT_EQ(nav.goodnav[0], 1);
        ASSERT_EQ(nav.ilsgs[0], 3);
        mod_evt();
        const Frame f = frame();
        for (float dx : {-20.0f, -14.0f, 14.0f, 20.0f}) EXPECT_TRUE(f.is_color(x4() + dx, y4() + c.needle, 0)) << dx;
        if (c.needle != 0) {
            EXPECT_FALSE(f.is_color(x4() - 14.0f, y4(), 0));
            EXPECT_FALSE(f.is_color(x4() - 14.0f, y4() - c.needle, 0));
        }
        if (c.above > 0) save(f, "nav_glide_slope_high");
    }
}

// The situation indicator with the direction gyro on 030: the card turned so that 030 is at the top,
// the course arrow for 120 pointing right (tip 40 px right of the centre), the deviation bar along
// it through the centre, moved 10 px to the course's right (down) by two dots, and the heading bug
// for 100 true (088 magnetic) at 58 degrees on the rim.
TEST_F(NavInstruments, SituationIndicatorCardArrowAndBug)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
    flt.magpsi = 30.0f;
    nav.obs[1] = 120.0f;
    nav.hdsel = 100;
    nav.ntf[1] = 1;
    nav.hdef[1] = 0.0f;
    nav.vdef[1] = 0.0f;
    const float x = ins.x_loc[SLOT_HSI], y = ins.y_loc[SLOT_HSI];
    Frame f = frame();
    EXPECT_FLOAT_EQ(panel_nav_state().card, 30.0f);
    EXPECT_TRUE(colour_near(f, x, y, 90, 39, 9));                       // the arrow's tip
    EXPECT_TRUE(colour_near(f, x, y, 90, 32, 9));                       // the head's base
    EXPECT_TRUE(colour_near(f, x, y, 270, 36, 9));                      // the tail
    for (float dx : {-20.0f, 20.0f}) EXPECT_TRUE(f.is_color(x + dx, y, 9)) << dx;   // the bar
    EXPECT_TRUE(colour_near(f, x, y, 58, 49, 32));                      // the bug
    EXPECT_FALSE(colour_near(f, x, y, 100, 49, 32));
    // The card's 30-degree marks: bright points at 42 px from the centre lie where the card's angle
    // (the screen's angle plus the heading) is a multiple of 30.
    int off = 0, marks = 0;
    bool seen[12] = {};
    for (int i = 0; i < 720; i++) {
        const float a = 0.5f * static_cast<float>(i);
        if (a > 45.0f && a < 70.0f) continue;   // under the bug
        const float t = a * 3.14159265f / 180.0f;
        const uint8_t* p = f.at(x + 42.0f * std::sin(t), y + 42.0f * std::cos(t));
        if (p[0] + p[1] + p[2] < 300 || (p[0] > 200 && p[2] < 100)) continue;   // dark, or a yellow symbol
        const float card = std::fmod(a + 30.0f, 360.0f);
        const float d = card - 30.0f * std::round(card / 30.0f);
        if (std::fabs(d) > 3.5f) off++;
        else seen[static_cast<int>(std::lround(card / 30.0f)) % 12] = true;
    }
    for (bool s : seen) marks += s;
    EXPECT_EQ(off, 0);
    EXPECT_GE(marks, 9);
    save(f, "nav_hsi");
    nav.hdef[1] = 2.0f;
    f = frame();
    for (float dx : {-20.0f, 20.0f}) {
        EXPECT_TRUE(f.is_color(x + dx, y - 10.0f, 9)) << dx;
        EXPECT_FALSE(f.is_color(x + dx, y, 9)) << dx;
    }
    // The direction gyro fails: the card keeps 030 while the aircraft turns.
    rel.ss_dgy = 0;
    flt.magpsi = 200.0f;
    frame();
    EXPECT_FLOAT_EQ(panel_nav_state().card, 30.0f);
}

// The direction finder tuned to the Riverside beacon (414 kHz) from 10 nm south-west of it, flying
// north: the beacon bears 45 degrees right of the nose, where the needle's head comes to rest; the
// frequency's three digits read 4 1 4.
TEST_F(NavInstruments, DirectionFinderPointsToTheBeacon)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
    const int ndb = navaid("RAL", 2);
    nav.adff = nav_frq[ndb];
    ASSERT_EQ(nav.adff, 414);
    place_from(ndb, 225.0f, 10.0f, 3000.0f, 0.0f);
    setnav(4);
    ASSERT_EQ(nav.goodnav[4], 1);
    EXPECT_NEAR(adf_bearing(), 45.0f, 0.2f);
    const float x = ins.x_loc[SLOT_ADF], y = ins.y_loc[SLOT_ADF];
    const Frame f = settle(60);
    EXPECT_NEAR(panel_nav_state().adf, adf_bearing(), 0.01f);
    EXPECT_TRUE(colour_near(f, x, y, 45, 25, 9));
    EXPECT_TRUE(colour_near(f, x, y, 225, 25, 9));
    EXPECT_FALSE(colour_near(f, x, y, 0, 25, 9));
    EXPECT_FALSE(colour_near(f, x, y, 90, 25, 9));
    std::string digits;
    for (float dx : {-13.0f, -3.0f, 7.0f}) digits += read_number(f, x + dx, y - 67.0f, 1, 0, 47);
    EXPECT_EQ(digits, "414");
    save(f, "nav_adf");
}

// The needle swings at 90 degrees a second, whatever the frame rate: half way round in a second and
// round to the beacon behind in two; with the radios failed it stays.
TEST_F(NavInstruments, DirectionFinderTakesTwoSecondsToSwingRound)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
    const int ndb = navaid("RAL", 2);
    nav.adff = nav_frq[ndb];
    place_from(ndb, 0.0f, 10.0f, 3000.0f, 0.0f);   // north of the beacon, flying north: it is behind
    setnav(4);
    for (float prd : {1.0f / 60.0f, 1.0f / 200.0f}) {
        SCOPED_TRACE(prd);
        panel_reset_needles();
        msc.prd = prd;
        const int second = static_cast<int>(std::lround(1.0f / prd));
        for (int k = 0; k < second; k++) update_panel();
        const float half = panel_nav_state().adf;
        EXPECT_NEAR(std::fabs(fltwrap(half, -180.0f, 180.0f)), 90.0f, 0.1f);
        for (int k = 0; k < second; k++) update_panel();
        EXPECT_NEAR(fltwrap(panel_nav_state().adf, 0.0f, 360.0f), 180.0f, 0.1f);
    }
    panel_reset_needles();
    rel.radios = 0;
    for (int k = 0; k < 120; k++) update_panel();
    EXPECT_FLOAT_EQ(panel_nav_state().adf, 0.0f);
}

// The distance on Fullerton's localizer, which has no glide slope, after San Bernardino's ILS: 6 nm
// out, level with it, the distance to the localizer, not to the glide slope heard last. Read on the
// glass situation indicator and on the radio strip's DME set to receiver 2.
TEST_F(NavInstruments, DistanceOnALocalizerAloneIsToTheLocalizer)
{
    for (const bool glass : {true, false}) {
        SCOPED_TRACE(glass ? "situation indicator" : "radio strip");
        if (glass) ASSERT_NO_FATAL_FAILURE(fly_glass());
        else ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
        load_navaids();
        nav.dmesel = 1;
        for (int n : {navaid("ISBD", 6), navaid("IFUL", 5)}) {
            nav.nf[1] = nav_frq[n];
            place_from(n, static_cast<float>(nav_hdng[n]) + 180.0f, 6.0f, 0.0f, static_cast<float>(nav_hdng[n]));
            flt.Y[0] = nav_h[n];
            setnav(1);
        }
        ASSERT_EQ(nav.ilsgs[1], 0);
        const Frame f = frame();
        const std::string shown =
            glass ? read_number(f, ins.x_loc[SLOT_HSI] + 40.0f, ins.y_loc[SLOT_HSI] + 48.0f, 3, 1, 46)
                  : read_number(f, ins.x_loc[SLOT_RADIOS] + DME_DIST_X, DME_READ_Y, 4, 1, 47);
        EXPECT_EQ(shown, glass ? "06.0" : "006.0");
        if (glass) save(f, "nav_gsi_localizer");
    }
}

// The DME on receiver 1 tuned to Paradise: the distance it shows, to a tenth, lies within 0.1 nm of
// the great-circle distance from the station at three places around it.
TEST_F(NavInstruments, DmeDistanceMatchesTheGreatCircle)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
    const int vor = navaid("PDZ", 3);
    nav.nf[0] = nav_frq[vor];
    nav.dmesel = 0;
    struct Case {
        double dlat, dlon;
    };
    for (Case c : {Case{0.3, 0.0}, Case{0.0, -0.2}, Case{-0.15, 0.25}}) {
        const double lat = nav_lat[vor] + c.dlat, lon = nav_lon[vor] + c.dlon;
        place(lat, lon, 3000.0f, 0.0f);
        setnav(0);
        ASSERT_EQ(nav.goodnav[0], 1);
        const Frame f = frame();
        const std::string shown = read_number(f, ins.x_loc[SLOT_RADIOS] + DME_DIST_X, DME_READ_Y, 4, 1, 47);
        ASSERT_EQ(shown.find('?'), std::string::npos) << shown;
        const double want = great_circle_nm(lat, lon, nav_lat[vor], nav_lon[vor]);
        EXPECT_NEAR(std::stod(shown), want, 0.1) << c.dlat << " " << c.dlon;
    }
}

// Flying at 120 kt straight at the station from 18 nm: the ground speed reads 120 kt and the time to
// the station 9 minutes once a second of flight has been measured.
TEST_F(NavInstruments, DmeSpeedAndTimeToTheStation)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
    const int vor = navaid("PDZ", 3);
    nav.nf[0] = nav_frq[vor];
    nav.dmesel = 0;
    place_from(vor, 180.0f, 18.0f, 1400.0f, 0.0f);
    flt.Y[0] = nav_h[vor];   // level with the station: the slant range is the ground distance
    setnav(0);
    msc.elap_time = 1000.0f;
    const double step = 120.0 * con.ktstomsc / 60.0;   // m a frame, northward
    for (int k = 0; k < 150; k++) {
        msc.elap_time += 1.0f / 60.0f;
        flt.Z[0] -= step;
        update_panel();
    }
    const Frame f = frame();
    const float x = ins.x_loc[SLOT_RADIOS];
    EXPECT_NEAR(dme_now().speed, 120.0f, 0.5f);
    EXPECT_EQ(read_number(f, x + DME_SPEED_X, DME_READ_Y, 3, 0, 47), "120");
    EXPECT_EQ(read_number(f, x + DME_TIME_X, DME_READ_Y, 3, 0, 47), "009");
}

// A receiver without a station shows "---" in all three places; a station right under the aircraft
// reads 0 nm and, with no speed to reckon from, 999 minutes.
TEST_F(NavInstruments, DmeWithoutAStationAndOnTopOfOne)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_TRAINER));
    const float x = ins.x_loc[SLOT_RADIOS];
    nav.nf[0] = 10800;   // nothing on this frequency here
    nav.dmesel = 0;
    setnav(0);
    ASSERT_EQ(nav.goodnav[0], 0);
    Frame f = frame();
    for (float dx : {DME_DIST_X, DME_SPEED_X, DME_TIME_X}) EXPECT_EQ(read_text(f, x + dx, DME_READ_Y, 3, 47), "---");
    const int vor = navaid("PDZ", 3);
    nav.nf[0] = nav_frq[vor];
    place(nav_lat[vor], nav_lon[vor], 0.0f, 0.0f);
    flt.X[0] = X_with_latlon(nav_lat[vor], nav_lon[vor]);
    flt.Z[0] = Z_with_lat(nav_lat[vor]);
    flt.Y[0] = nav_h[vor];
    setnav(0);
    ASSERT_EQ(nav.goodnav[0], 1);
    f = frame();
    EXPECT_EQ(read_number(f, x + DME_DIST_X, DME_READ_Y, 4, 1, 47), "000.0");
    EXPECT_EQ(read_number(f, x + DME_TIME_X, DME_READ_Y, 3, 0, 47), "999");
    // The source switch on a receiver out of its range (a damaged preference) reads the second.
    nav.dmesel = 7;
    nav.goodnav[1] = 0;
    f = frame();
    EXPECT_EQ(read_text(f, x + DME_DIST_X, DME_READ_Y, 3, 47), "---");
}
