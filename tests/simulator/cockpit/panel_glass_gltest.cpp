// panel_glass_gltest.cpp -- the glass displays read back from the screen: the map display's three
// modes with an airport and a VOR where the scale puts them, its lamps, range, traffic and weather;
// the glass moving map and the weather radar; then every bundled panel's frames allocating nothing
// and damaged values drawn without harm.
#include "alloc_count.h"
#include "hl_wxr.h"
#include "nav_screen.h"

#include <algorithm>
#include <limits>

namespace {

class GlassDisplays : public NavInstruments {
protected:
    // San Bernardino's airport as the region's one local airport, and the aircraft `nm` south of its
    // first runway on the true heading `heading`.
    int south_of_ksbd(float nm, float heading)
    {
        const int a = airport("KSBD");
        apt_lcl_num = 1;
        apt_lcl_max = 0;
        apt_to_index[0] = a;
        const int r = apt_lo_ind[a];
        const double x = X_with_latlon(rwy_lat[r], rwy_lon[r]), z = Z_with_lat(rwy_lat[r]) + nm * con.nmtomtrs;
        place(lat_with_z(z), lon_with_xz(x, z), 8000.0f, heading);
        flt.X[0] = x;
        flt.Z[0] = z;
        return a;
    }
    // Weather of storm level 1 over the grid cells within `nm_half` of the point `nm` east of the
    // aircraft.
    static void storm_east(float nm, float half_nm)
    {
        const float x = static_cast<float>(flt.X[0]) + nm * con.nmtomtrs, z = static_cast<float>(flt.Z[0]);
        int i0, j0, i1, j1;
        wxr_cell(x - half_nm * con.nmtomtrs, z - half_nm * con.nmtomtrs, env.lox, env.hix, env.loz, env.hiz, &i0, &j0);
        wxr_cell(x + half_nm * con.nmtomtrs, z + half_nm * con.nmtomtrs, env.lox, env.hix, env.loz, env.hiz, &i1, &j1);
        for (int i = std::min(i0, i1); i <= std::max(i0, i1); i++)
            for (int j = std::min(j0, j1); j <= std::max(j0, j1); j++) atm.wxr[i][j] = 1.0f;
        atm.rain_tstm = 4.0f;   // level 1 x 3.5: red
    }
    // The glass trainer with its map display at 32 nm in `mode`, weather and traffic as given, no
    // local airports.
    void glass_map(int mode, int weather, int traffic)
    {
        ASSERT_NO_FATAL_FAILURE(fly_glass());
        load_navaids();
        rel.efis_2 = 1;
        ins.map_range = 32.0f;
        ins.map_mode = mode;
        ins.EFIS_wxr = weather;
        ins.EFIS_tcas = traffic;
        apt_lcl_num = 0;
    }
    // The airport ring's eastern point (4, 0) and the identifier beside the symbol at (x, y).
    static void expect_airport(const Frame& f, float x, float y)
    {
        bool ring = false;
        for (float dy = -1.0f; dy <= 1.0f; dy += 1.0f) ring |= f.is_color(x + 4.0f, y + dy, 46);
        EXPECT_TRUE(ring) << x << " " << y;
        EXPECT_EQ(read_text(f, x + 7.0f, y - 3.0f, 4, 46), "KSBD") << x << " " << y;
    }
};

}  // namespace

// The glass panel's map display, 182 by 224 from (199, 48), at 32 nm: centred (modes 0 and 2) the
// aircraft stands at (290, 160) with 112 px to the top, 3.5 px a mile; low (mode 1) at (290, 104)
// with 168 px, 5.25 px a mile. The airport 10 nm north: north up 35 px above; track up flying east,
// 35 px to the left; low and flying north, 52.5 px above.
TEST_F(GlassDisplays, MapDisplayPutsTheAirportWhereTheScaleSays)
{
    ASSERT_NO_FATAL_FAILURE(glass_map(0, 0, 0));
    struct Case {
        int mode;
        float heading, x, y;
    };
    for (Case c : {Case{2, 0, 290, 195}, Case{2, 90, 290, 195}, Case{0, 90, 255, 160}, Case{0, 0, 290, 195},
                   Case{1, 0, 290, 157}}) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " heading " << c.heading);
        ins.map_mode = c.mode;
        south_of_ksbd(10.0f, c.heading);
        const Frame f = frame();
        expect_airport(f, c.x, c.y);
        // The mode lamps: 1 and 2 lit for their modes.
        EXPECT_TRUE(f.is_color(273.0f, 41.0f, c.mode == 1 ? 49 : 51));
        EXPECT_TRUE(f.is_color(303.0f, 41.0f, c.mode == 2 ? 49 : 51));
        EXPECT_EQ(read_number(f, 201.0f, 263.0f, 2, 0, 38), "32");
        if (c.mode == 0) save(f, "glass_map_track_up");
    }
}

// A VOR of the region 10 nm east of the aircraft on the north-up map: its hexagon 35 px right.
TEST_F(GlassDisplays, MapDisplayShowsTheRegionsNavaids)
{
    ASSERT_NO_FATAL_FAILURE(glass_map(2, 0, 0));
    const int vor = navaid("PDZ", 3);
    nav_inreg[vor] = 1;
    place_from(vor, 270.0f, 10.0f, 8000.0f, 0.0f);
    Frame f = frame();
    // The hexagon's eastern corner (4, 0) and its centre cross.
    EXPECT_TRUE(f.is_color(290.0f + 35.0f + 4.0f, 160.0f, 43));
    EXPECT_TRUE(f.is_color(290.0f + 35.0f, 160.0f, 43));
    // Out of the region, it is not shown.
    nav_inreg[vor] = 0;
    f = frame();
    EXPECT_FALSE(f.is_color(290.0f + 35.0f + 4.0f, 160.0f, 43));
}

// Traffic on the north-up map at 32 nm (3.5 px a mile): 3 nm ahead at the same height red, 8 nm
// ahead yellow, 20 nm ahead white, and 3 nm ahead 3,000 ft above white; none with traffic off.
TEST_F(GlassDisplays, MapDisplayColoursTrafficByDistanceAndHeight)
{
    ASSERT_NO_FATAL_FAILURE(glass_map(2, 0, 1));
    place(34.0, -117.5, 8000.0f, 0.0f);
    struct Case {
        float nm, above_ft;
        int colour;
    };
    const Case cases[] = {{3, 0, 44}, {8, 0, 41}, {20, 0, 38}, {3, 3000, 38}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nm << " nm " << c.above_ft << " ft");
        flt.X[1] = flt.X[0];
        flt.Y[1] = flt.Y[0] + c.above_ft * con.fttomtrs;
        flt.Z[1] = flt.Z[0] - c.nm * con.nmtomtrs;
        const float y = 160.0f + std::round(3.5f * c.nm);
        ins.EFIS_tcas = 1;
        EXPECT_TRUE(frame().is_color(290.0f, y, c.colour));
        ins.EFIS_tcas = 0;
        EXPECT_FALSE(frame().is_color(290.0f, y, c.colour));
    }
    flt.X[1] = flt.Y[1] = flt.Z[1] = 0.0;
}

// Weather returns on the map display: a storm 10 nm east red 35 px right of the aircraft while the
// weather is shown, not when it is switched off.
TEST_F(GlassDisplays, MapDisplayShowsTheWeather)
{
    ASSERT_NO_FATAL_FAILURE(glass_map(2, 1, 0));
    place(34.0, -117.5, 8000.0f, 0.0f);
    storm_east(10.0f, 1.5f);
    Frame f = frame();
    EXPECT_TRUE(f.is_color(325.0f, 160.0f, 44));
    EXPECT_FALSE(f.is_color(255.0f, 160.0f, 44));
    EXPECT_TRUE(f.is_color(333.0f, 41.0f, 49));   // the weather lamp
    save(f, "glass_map_weather");
    ins.EFIS_wxr = 0;
    f = frame();
    EXPECT_FALSE(f.is_color(325.0f, 160.0f, 44));
    EXPECT_TRUE(f.is_color(333.0f, 41.0f, 51));
}

// The glass moving map of slot 4 (63 by 80 from 40 left and below the slot's point) at 30 nm, low
// mode: the aircraft 20 px above the screen's bottom, 60 px to the top, 2 px a mile: the airport 10 nm
// ahead 20 px above it; the mode's button lit.
TEST_F(GlassDisplays, MovingMapAndItsButtons)
{
    ASSERT_NO_FATAL_FAILURE(fly_patched_with_navaids(3, "Moving Map Trainer.acf"));
    ins.arg_mode = 1;
    ins.arg_range = 30.0f;
    south_of_ksbd(10.0f, 0.0f);
    const float sx = x4() - 40.0f + 32.0f, sy = y4() - 40.0f + 20.0f;
    Frame f = frame();
    expect_airport(f, sx, sy + 20.0f);
    EXPECT_TRUE(f.is_color(x4() + 32.0f, y4() + 10.0f, 49));   // "EN" lit
    EXPECT_TRUE(f.is_color(x4() + 32.0f, y4() + 25.0f, 29));   // "DP" dark
    EXPECT_EQ(read_number(f, x4() - 38.0f, y4() + 31.0f, 2, 0, 47), "30");
    save(f, "glass_moving_map");
    // Without the radios it is not drawn.
    rel.radios = 0;
    f = frame();
    EXPECT_FALSE(f.is_color(sx + 4.0f, sy + 20.0f, 46));
}

// The bomber's weather radar (86 by 90 from 43 left and 31 below the slot's point) at 30 nm, always
// low: the aircraft 23 px above the bottom, 67 px to the top; a storm 10 nm ahead 22 px above it.
TEST_F(GlassDisplays, WeatherRadarShowsTheStormAhead)
{
    ASSERT_NO_FATAL_FAILURE(fly_with_navaids("planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf"));
    ASSERT_EQ(pln[0].supptype, 6);
    ins.rad_range = 30.0f;
    place(34.0, -117.5, 8000.0f, 90.0f);   // flying east: the storm east of the aircraft is ahead
    storm_east(10.0f, 1.5f);
    const float sx = x4(), sy = y4() - 31.0f + 23.0f;
    Frame f = frame();
    EXPECT_TRUE(f.is_color(sx + 1.0f, sy + 22.0f, 44));
    EXPECT_FALSE(f.is_color(sx + 22.0f, sy + 1.0f, 44));
    save(f, "glass_weather_radar");
    rel.esystem = 0;
    f = frame();
    EXPECT_FALSE(f.is_color(sx + 1.0f, sy + 22.0f, 44));
}

// 200 frames of the whole panel of every bundled aircraft, of a glass panel, an engine display and
// each slot-4 instrument, with every navigation instrument busy, allocate nothing (each panel's last
// frame is kept as a picture, busy_panel_<n>).
TEST_F(GlassDisplays, FramesOfEveryPanelAllocateNothing)
{
    struct Panel {
        const char* plane;
        int supptype, glass, ecam;
    };
    const Panel panels[] = {
        {FH_TRAINER, 0, 0, 0}, {FH_GLIDER, 0, 0, 0}, {FH_HELI, 0, 0, 0}, {FH_JET, 0, 0, 0}, {FH_FLOATPLANE, 0, 0, 0},
        {"planes/System Planes (don't move)/Husky/Husky.acf", 0, 0, 0},
        {"planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf", 0, 0, 0},
        {FH_TRAINER, 0, 1, 0}, {FH_JET, 0, 0, 1}, {FH_TRAINER, 2, 0, 0}, {FH_TRAINER, 3, 0, 0}, {FH_TRAINER, 4, 0, 0},
        {FH_TRAINER, 7, 0, 0},
    };
    for (const Panel& p : panels) {
        SCOPED_TRACE(testing::Message() << p.plane << " supp " << p.supptype << " glass " << p.glass << " ecam " << p.ecam);
        if (p.glass) {
            ASSERT_NO_FATAL_FAILURE(fly_glass());
        } else if (p.ecam) {
            // A twin's engine display comes with the glass panel.
            ASSERT_NO_FATAL_FAILURE(fly_patched(p.plane, {{offsetof(planestruct, paneltype), 2}}, "Display.acf"));
            ASSERT_TRUE(pln[0].ecam);
        } else if (p.supptype) {
            ASSERT_NO_FATAL_FAILURE(fly_patched(p.plane, {{offsetof(planestruct, supptype), p.supptype}}, "Slot Four.acf"));
        } else {
            ASSERT_NO_FATAL_FAILURE(fly(p.plane));
        }
        load_navaids();
        rel.efis_2 = 1;
        ins.EFIS_wxr = ins.EFIS_tcas = 1;
        south_of_ksbd(10.0f, 45.0f);
        const int vor = navaid("PDZ", 3), ndb = navaid("RAL", 2);
        nav_inreg[vor] = nav_inreg[ndb] = 1;
        nav.nf[0] = nav.nf[1] = nav_frq[vor];
        nav.adff = nav_frq[ndb];
        nav.gps_index_mode = 1;
        nav.gps_index = apt_to_index[0];
        setnav(0);
        setnav(1);
        setnav(4);
        setnav(5);
        storm_east(5.0f, 1.0f);
        flt.X[1] = flt.X[0] + 1000.0;
        flt.Y[1] = flt.Y[0];
        flt.Z[1] = flt.Z[0];
        nav.overMM = 1;
        ins.reply_time2 = msc.elap_time + 100.0f;
        for (int i = 0; i < 4; i++) flt.after_burning[i] = 1;
        update_panel();   // anything done once is done
        const long before = counted_allocations();
        for (int k = 0; k < 200; k++) {
            msc.elap_time += 0.1f;
            msc.cntr10 = k % 10;
            ins.ecam_mode = 3 + k % 5;
            atm.strike_stop_time = k % 7 == 0 ? msc.elap_time + 0.05f : 0.0f;
            atm.lightXYZ[0][0][0] = static_cast<float>(flt.X[0]) + 5000.0f;
            flt.Y[0] += 2.0;
            flt.psi[0] = std::fmod(flt.psi[0] + 3.0f, 360.0f);
            update_panel();
        }
        EXPECT_EQ(counted_allocations() - before, 0);
        // The picture of this panel, busy, to look at.
        char name[64];
        std::snprintf(name, sizeof name, "busy_panel_%d", static_cast<int>(&p - panels));
        save(frame(), name);
        flt.X[1] = flt.Y[1] = flt.Z[1] = 0.0;
    }
}

// Values no working aircraft gives (a damaged preference file or a broken aircraft): zero, negative
// and endless ranges, a frame that took no time, gauges without full scale or full power, a navaid
// right on top of the aircraft, selectors past their ends. Every instrument still draws, and its
// state stays a number.
TEST_F(GlassDisplays, DamagedValuesDrawWithoutHarm)
{
    struct Panel {
        int supptype, glass;
    };
    for (Panel p : {Panel{1, 1}, Panel{3, 0}, Panel{6, 0}, Panel{7, 0}, Panel{2, 0}, Panel{4, 0}, Panel{5, 0}}) {
        SCOPED_TRACE(testing::Message() << "supp " << p.supptype << " glass " << p.glass);
        ASSERT_NO_FATAL_FAILURE(fly_patched(FH_JET,
                                            {{offsetof(planestruct, supptype), p.supptype}, {offsetof(planestruct, paneltype), p.glass ? 2 : 1}},
                                            "Damaged.acf"));
        load_navaids();
        rel.efis_2 = 1;
        const int ndb = navaid("RAL", 2), vor = navaid("PDZ", 3);
        place(nav_lat[vor], nav_lon[vor], 0.0f, 0.0f);
        flt.X[0] = X_with_latlon(nav_lat[vor], nav_lon[vor]);
        flt.Z[0] = Z_with_lat(nav_lat[vor]);
        flt.Y[0] = nav_h[vor];
        nav.adfX = static_cast<float>(flt.X[0]);
        nav.adfZ = static_cast<float>(flt.Z[0]);
        nav.goodnav[4] = 1;
        nav.nf[0] = nav.nf[1] = nav_frq[vor];
        nav.adff = -7;
        setnav(0);
        setnav(1);
        (void)ndb;
        ins.map_range = 0.0f;
        ins.arg_range = -5.0f;
        ins.rad_range = std::numeric_limits<float>::infinity();
        ins.map_mode = 17;
        ins.arg_mode = -4;
        ins.ecam_mode = 99;
        ins.radalt_ft = std::numeric_limits<float>::quiet_NaN();
        ins.adf_card = 123456;
        nav.dmesel = -3;
        nav.ntf[0] = nav.ntf[1] = 9;
        nav.obs[0] = nav.obs[1] = 1e9f;
        nav.hdsel = -2147483647;
        nav.hdef[0] = nav.vdef[0] = std::numeric_limits<float>::quiet_NaN();
        nav.tran1 = 99;
        msc.prd = 0.0f;
        msc.timr_time = -50.0f;
        ins.mprtoINS = ins.trqtoINS = ins.ff_toINS = 0.0f;
        pln[0].pmax = 0.0f;
        pln[0].omegamax = 0.0f;
        pln[0].m_fuel = 0.0f;
        for (int k = 0; k < 5; k++) update_panel();
        const Frame f = frame();
        const nav_needles n = panel_nav_state();
        EXPECT_TRUE(std::isfinite(n.card) && std::isfinite(n.adf) && std::isfinite(n.rmi) && std::isfinite(n.vari_fpm));
        const dme_reading d = dme_now();
        EXPECT_TRUE(std::isfinite(d.distance) && std::isfinite(d.speed) && std::isfinite(d.minutes));
        for (int w = 0; w < 5; w++) EXPECT_TRUE(std::isfinite(engine_gauge_value(w, 0))) << w;
        // The beacon's frequency limited to its three places; an unknown flag reads "OFF".
        std::string digits;
        for (float dx : {-13.0f, -3.0f, 7.0f}) digits += read_number(f, ins.x_loc[SLOT_ADF] + dx, ins.y_loc[SLOT_ADF] - 67.0f, 1, 0, 47);
        EXPECT_EQ(digits, "000");
        if (p.supptype == 1 && ins.avail[SLOT_SUPP]) EXPECT_EQ(read_text(f, x4() + 16.0f, y4() + 8.0f, 3, 8), "OFF");
    }
}
