// panel_supp_gltest.cpp -- the slot-4 instruments and the GPS read back from the screen: the radar
// altimeter's two-part dial and its decision-height tone, the stormscope's strikes and their ring,
// the total-energy variometer, the radio magnetic indicator and the GPS's readouts, also from a
// damaged preference file.
#include "hl_sound.h"
#include "hl_string.h"
#include "nav_screen.h"
#include "plt_audio.h"

namespace {

// The radar altimeter, with the mixer listening for its tone.
class RadarAltimeter : public NavInstruments {
protected:
    void SetUp() override
    {
        NavInstruments::SetUp();
        evt_listen();
    }
    void TearDown() override
    {
        evt_quiet();
        NavInstruments::TearDown();
    }
    // The main wheels `feet` above the ground.
    static void wheels_at(float feet)
    {
        flt.Y[0] = env.localh_cg + pln[0].h_eqlbm + feet * con.fttomtrs;
    }
};

}  // namespace

// The dial: half a turn for the first 500 ft, then 5,000 ft a half turn, stopping at 2,500 ft:
// 250 ft at 90 degrees, 500 at 180, 1,000 at 198, 2,500 and anything higher at 252. The decision
// height's bug at 200 ft stands at 72 degrees.
TEST_F(RadarAltimeter, DialFollowsItsTwoPartLaw)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched_with_navaids(4, "Radar Altimeter Trainer.acf"));
    env.localh_cg = 300.0f;
    ins.radalt_ft = 200.0f;
    struct Case {
        float feet, angle;
    };
    for (Case c : {Case{0, 0}, Case{250, 90}, Case{500, 180}, Case{1000, 198}, Case{2500, 252}, Case{4000, 252}}) {
        wheels_at(c.feet);
        EXPECT_NEAR(radalt_feet(), fminf(c.feet, 2500.0f), 0.05f);
        const Frame f = frame();
        EXPECT_TRUE(colour_near(f, x4(), y4(), c.angle, 20, 0)) << c.feet;
        EXPECT_FALSE(colour_near(f, x4(), y4(), c.angle + 25, 20, 0)) << c.feet;
        EXPECT_TRUE(colour_near(f, x4(), y4(), 72, 22, 20)) << c.feet;
        if (c.feet == 1000) save(f, "nav_radar_altimeter");
    }
}

// Sound 15 sounds once on passing down through the decision height, not again while below, and once
// more after climbing back above it; a start on the ground below it is silent.
TEST_F(RadarAltimeter, DecisionHeightToneSoundsOncePerDescent)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched_with_navaids(4, "Radar Altimeter Trainer.acf"));
    env.localh_cg = 0.0f;
    ins.radalt_ft = 200.0f;
    struct Step {
        float feet;
        bool sounds;
    };
    const Step steps[] = {{300, false}, {210, false}, {190, true}, {150, false}, {100, false},
                          {200, false}, {199, true},  {500, false}, {120, true}};
    for (const Step& s : steps) {
        evt_hush();
        wheels_at(s.feet);
        frame();
        EXPECT_EQ(PLT_voice_playing(SND_MINIMUMS) != 0, s.sounds) << s.feet;
    }
    panel_reset_needles();
    evt_hush();
    wheels_at(0.0f);
    frame();
    EXPECT_FALSE(PLT_voice_playing(SND_MINIMUMS)) << "on the ground at the start";
}

// A strike 8 nm away 45 degrees right of the nose stands as a small cross 2.5 px a mile out, 20 px
// on that bearing; it goes after 60 s; one 20 nm away is off the scope; the 31st strike takes the
// oldest one's slot; without power nothing is drawn.
TEST_F(NavInstruments, StormscopeShowsStrikesForAMinute)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched_with_navaids(2, "Stormscope Trainer.acf"));
    place(34.0, -117.5, 5000.0f, 0.0f);
    msc.elap_time = 2000.0f;
    auto strike = [&](float bearing, float nm) {
        const float t = bearing * 3.14159265f / 180.0f;
        atm.lightXYZ[0][0][0] = static_cast<float>(flt.X[0]) + nm * con.nmtomtrs * std::sin(t);
        atm.lightXYZ[0][0][2] = static_cast<float>(flt.Z[0]) - nm * con.nmtomtrs * std::cos(t);
        atm.strike_stop_time = msc.elap_time + 0.5f;
        frame();
        atm.strike_stop_time = msc.elap_time - 1.0f;
        return frame();
    };
    auto cross_at = [&](const Frame& f, float a, float r) {
        const float t = a * 3.14159265f / 180.0f;
        const float cx = std::round(x4() + r * std::sin(t)), cy = std::round(y4() + r * std::cos(t));
        return f.is_color(cx, cy, 47) && f.is_color(cx - 2.0f, cy, 47) && f.is_color(cx + 2.0f, cy, 47) &&
               f.is_color(cx, cy - 2.0f, 47) && f.is_color(cx, cy + 2.0f, 47) && !f.is_color(cx + 1.0f, cy + 1.0f, 47);
    };
    Frame f = strike(45.0f, 8.0f);
    EXPECT_TRUE(cross_at(f, 45, 20));
    save(f, "nav_stormscope");
    f = strike(0.0f, 20.0f);
    EXPECT_EQ(panel_nav_state().strikes, 2);
    EXPECT_FALSE(cross_at(f, 0, 50));
    EXPECT_TRUE(cross_at(f, 45, 20));
    rel.esystem = 0;
    EXPECT_FALSE(cross_at(frame(), 45, 20));
    rel.esystem = 1;
    msc.elap_time += 61.0f;
    f = frame();
    EXPECT_FALSE(cross_at(f, 45, 20));
    EXPECT_EQ(panel_nav_state().strikes, 0);

    // Thirty strikes fill the ring; the thirty-first replaces the first.
    panel_reset_needles();
    f = strike(90.0f, 4.0f);   // slot 0: 10 px right
    for (int k = 1; k < 30; k++) strike(270.0f, 4.0f);
    EXPECT_EQ(panel_nav_state().strikes, 30);
    EXPECT_EQ(panel_nav_state().next_strike, 0);
    EXPECT_TRUE(cross_at(frame(), 90, 10));
    f = strike(180.0f, 4.0f);
    EXPECT_EQ(panel_nav_state().strikes, 30);
    EXPECT_EQ(panel_nav_state().next_strike, 1);
    EXPECT_FALSE(cross_at(f, 90, 10));
    EXPECT_TRUE(cross_at(f, 180, 10));
    EXPECT_TRUE(cross_at(f, 270, 10));
}

// The glider's total-energy variometer: climbing 2 m/s at a steady airspeed reads 394 ft/min, 0.08
// degrees a foot a minute, 31 degrees above the zero at the left (-59); climbing by slowing down,
// speed traded for height at constant total energy, reads zero. The first frame has no rate.
TEST_F(NavInstruments, VariometerReadsTheTotalEnergyRate)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids(FH_GLIDER));
    ASSERT_EQ(pln[0].supptype, 5);
    const float g = atm.g > 0.0f ? atm.g : con.g;
    flt.Y[0] = 1000.0;
    flt.av = 30.0f;
    panel_reset_needles();
    frame();
    EXPECT_FLOAT_EQ(panel_nav_state().vari_fpm, 0.0f);
    for (int k = 0; k < 30; k++) {
        flt.Y[0] += 2.0 * msc.prd;
        update_panel();
    }
    flt.Y[0] += 2.0 * msc.prd;
    Frame f = frame();
    EXPECT_NEAR(panel_nav_state().vari_fpm, 2.0f * con.msctofpm, 2.0f);
    EXPECT_TRUE(colour_near(f, x4(), y4(), -59, 18, 0));
    EXPECT_FALSE(colour_near(f, x4(), y4(), -90, 18, 0));
    save(f, "nav_variometer");
    const double y0 = flt.Y[0];
    const float v0 = 30.0f;
    for (int k = 0; k < 30; k++) {
        flt.Y[0] += 2.0 * msc.prd;
        flt.av = std::sqrt(v0 * v0 - 2.0f * g * static_cast<float>(flt.Y[0] - y0));
        update_panel();
    }
    EXPECT_NEAR(panel_nav_state().vari_fpm, 0.0f, 2.0f);
    EXPECT_TRUE(colour_near(frame(), x4(), y4(), -90, 18, 0));
}

// The radio magnetic indicator 10 nm due south of Paradise: the station bears 000 true, 348
// magnetic; with the card on 318 the needle stands 30 degrees right.
TEST_F(NavInstruments, RadioMagneticIndicatorPointsToTheStation)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched_with_navaids(7, "RMI Trainer.acf"));
    const int vor = navaid("PDZ", 3);
    nav.nf[0] = nav_frq[vor];
    place_from(vor, 180.0f, 10.0f, 5000.0f, 330.0f);   // heading 330 true, 318 magnetic
    setnav(0);
    ASSERT_EQ(nav.goodnav[0], 1);
    const Frame f = frame();
    EXPECT_NEAR(panel_nav_state().card, 318.0f, 0.01f);
    EXPECT_NEAR(panel_nav_state().rmi, 348.0f, 0.3f);
    EXPECT_TRUE(colour_near(f, x4(), y4(), 30, 25, 9));
    EXPECT_FALSE(colour_near(f, x4(), y4(), 0, 25, 9));
    save(f, "nav_rmi");
}

// The bomber's GPS on San Bernardino's airport, 20 nm due west of its first runway at 100 kt: the
// name (19 characters), the identifier, the magnetic course 078 (090 true), 20 nm, 100 kt, 12 minutes.
TEST_F(NavInstruments, GpsReadsTheWaypoint)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids("planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf"));
    const int a = airport("KSBD");
    const int r = apt_lo_ind[a];
    nav.gps_index_mode = 1;
    nav.gps_index = a;
    nav.gps_scroll_mode = 0;
    for (int k = 0; k < 4; k++) nav.gps_id[k] = char_to_code("KSBD"[k]);
    const double x = X_with_latlon(rwy_lat[r], rwy_lon[r]) - 20.0 * con.nmtomtrs, z = Z_with_lat(rwy_lat[r]);
    place(lat_with_z(z), lon_with_xz(x, z), 8000.0f, 90.0f);
    flt.X[0] = x;
    flt.Z[0] = z;
    flt.v[0] = 100.0f * con.ktstomsc;
    setnav(5);
    const float x11 = ins.x_loc[SLOT_RADIOS];
    Frame f = frame();
    EXPECT_EQ(read_text(f, x11 + GPS_SCREEN_X + 1.0f, GPS_NAME_Y, 19, 47), "SAN BERNARDINO INTL");
    EXPECT_EQ(read_text(f, x11 + GPS_ID_X, GPS_COURSE_Y, 4, 47), "KSBD");
    EXPECT_EQ(read_number(f, x11 + GPS_SCREEN_X + 1.0f, GPS_COURSE_Y, 3, 0, 47), "078");
    EXPECT_EQ(read_number(f, x11 + GPS_DIST_X, GPS_READ_Y, 4, 0, 47), "0020");
    EXPECT_EQ(read_number(f, x11 + GPS_SPEED_X, GPS_READ_Y, 4, 0, 47), "0100");
    EXPECT_EQ(read_number(f, x11 + GPS_TIME_X, GPS_READ_Y, 3, 0, 47), "012");
    // The airport kind's line lit, the others dim; the identifier's line dim while the knob scrolls.
    EXPECT_TRUE(f.is_color(x11 + GPS_MODE_LINE_X, 270.0f, 47));
    EXPECT_TRUE(f.is_color(x11 + GPS_MODE_LINE_X, 250.0f, 49));
    EXPECT_TRUE(f.is_color(x11 + GPS_MODE_LINE_X, 230.0f, 49));
    EXPECT_TRUE(f.is_color(x11 + GPS_ID_X + 8.0f, GPS_COURSE_Y - 2.0f, 49));
    save(f, "nav_gps");
    // Editing the third character: its line lit under it alone.
    nav.gps_scroll_mode = 3;
    f = frame();
    EXPECT_TRUE(f.is_color(x11 + GPS_ID_X + 14.0f, GPS_COURSE_Y - 2.0f, 47));
    EXPECT_FALSE(f.is_color(x11 + GPS_ID_X + 2.0f, GPS_COURSE_Y - 2.0f, 47));
}

// A damaged preference file: an index past every table, a kind that is none, identifier codes out
// of their range and a deviation far off the scale. The name is blank, the codes read as '0', the
// bar stops at the scale's end.
TEST_F(NavInstruments, GpsWithDamagedValuesIndexesNothing)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids("planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf"));
    const float x11 = ins.x_loc[SLOT_RADIOS];
    const int32_t ids[4] = {-5, 999, 2147483647, 11};
    for (int k = 0; k < 4; k++) nav.gps_id[k] = ids[k];
    nav.hdef[0] = 1e9f;
    nav.gps_scroll_mode = -7;
    struct Case {
        int mode, index;
    };
    for (Case c : {Case{1, 123456789}, Case{1, -1}, Case{3, MAX_NAV}, Case{9, 0}, Case{0, 5}}) {
        nav.gps_index_mode = c.mode;
        nav.gps_index = c.index;
        const Frame f = frame();
        EXPECT_EQ(read_text(f, x11 + GPS_SCREEN_X + 1.0f, GPS_NAME_Y, 19, 47), std::string(19, ' ')) << c.mode << " " << c.index;
        EXPECT_EQ(read_number(f, x11 + GPS_ID_X, GPS_COURSE_Y, 3, 0, 47) + read_text(f, x11 + GPS_ID_X + 18.0f, GPS_COURSE_Y, 1, 47), "000A");
        EXPECT_TRUE(f.is_color(x11 + GPS_BAR_X + 25.0f, GPS_BAR_Y + 2.0f, 47));
    }
}
