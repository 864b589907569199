// panel_radio_gltest.cpp -- the radio strip read back from the screen: the frequencies and the
// transponder as digits, the GPS unit and the unit labels of the static face, the clock, the fuel
// pointer, the brake, gear, marker and reply lamps, and radio values from a damaged preference file.
#include "../../tools/media_reader.h"
#include "initpln.h"
#include "panel_screen.h"

namespace {

class RadioStrip : public PanelScreen {
protected:
    float x11() const { return ins.x_loc[SLOT_RADIOS]; }
    // Window 0's static picture as a frame, to read the face as drawn before any moving part.
    static Frame face()
    {
        Frame f;
        f.w = SCREEN_W;
        f.h = SCREEN_H;
        f.rgb.assign(&rgb_array[0][0][0], &rgb_array[0][0][0] + static_cast<size_t>(SCREEN_W) * SCREEN_H * 3);
        return f;
    }
};

}  // namespace

// Frequencies in hundredths of MHz read back as MHz with two decimals: the first receivers on the
// GPS unit's screen (y 240), the second in their windows (y 191), COM at the left and NAV at the right.
TEST_F(RadioStrip, FrequenciesReadAsMegahertz)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    ASSERT_EQ(pln[0].supptype, 1);
    struct Case {
        int cf0, nf0, cf1, nf1;
        const char *com1, *nav1, *com2, *nav2;
    };
    const Case cases[] = {
        {12150, 11170, 11800, 10800, "121.50", "111.70", "118.00", "108.00"},
        {13697, 10930, 12705, 11795, "136.97", "109.30", "127.05", "117.95"},
    };
    for (const Case& c : cases) {
        nav.cf[0] = c.cf0;
        nav.nf[0] = c.nf0;
        nav.cf[1] = c.cf1;
        nav.nf[1] = c.nf1;
        const Frame f = frame();
        EXPECT_EQ(read_number(f, x11() + COM_FREQ_X, FREQ_Y[0], 5, 2, 47), c.com1);
        EXPECT_EQ(read_number(f, x11() + NAV_FREQ_X, FREQ_Y[0], 5, 2, 47), c.nav1);
        EXPECT_EQ(read_number(f, x11() + COM_FREQ_X, FREQ_Y[1], 5, 2, 47), c.com2);
        EXPECT_EQ(read_number(f, x11() + NAV_FREQ_X, FREQ_Y[1], 5, 2, 47), c.nav2);
        save(f, "radio_strip_cessna");
    }
}

// An aircraft without the first receiver (the bomber's slot 4 holds the weather radar) shows only the
// second receivers' frequencies; the GPS's readouts stand where the first ones would.
TEST_F(RadioStrip, WithoutTheFirstReceiverOnlyTheSecondIsShown)
{
    ASSERT_NO_FATAL_FAILURE(fly("planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf"));
    ASSERT_EQ(pln[0].supptype, 6);
    nav.cf[0] = 12150;
    nav.nf[0] = 11170;
    nav.cf[1] = 11800;
    nav.nf[1] = 10800;
    const Frame f = frame();
    EXPECT_NE(read_number(f, x11() + COM_FREQ_X, FREQ_Y[0], 5, 2, 47), "121.50");
    EXPECT_NE(read_number(f, x11() + NAV_FREQ_X, FREQ_Y[0], 5, 2, 47), "111.70");
    EXPECT_EQ(read_number(f, x11() + COM_FREQ_X, FREQ_Y[1], 5, 2, 47), "118.00");
    EXPECT_EQ(read_number(f, x11() + NAV_FREQ_X, FREQ_Y[1], 5, 2, 47), "108.00");
}

// Radio values a damaged preference file can hold: frequencies far outside their bands and negative,
// transponder digits past 7 and below 0. Each is shown limited to what its places hold.
TEST_F(RadioStrip, ValuesOutsideTheirBandsAreShownLimited)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    nav.cf[0] = 2147483647;
    nav.nf[0] = -2147483647 - 1;
    nav.cf[1] = -5;
    nav.nf[1] = 123456;
    nav.tran1 = 12;
    nav.tran2 = -3;
    nav.tran3 = 2147483647;
    nav.tran4 = 5;
    const Frame f = frame();
    EXPECT_EQ(read_number(f, x11() + COM_FREQ_X, FREQ_Y[0], 5, 2, 47), "999.99");
    EXPECT_EQ(read_number(f, x11() + NAV_FREQ_X, FREQ_Y[0], 5, 2, 47), "000.00");
    EXPECT_EQ(read_number(f, x11() + COM_FREQ_X, FREQ_Y[1], 5, 2, 47), "000.00");
    EXPECT_EQ(read_number(f, x11() + NAV_FREQ_X, FREQ_Y[1], 5, 2, 47), "999.99");
    std::string code;
    for (int k = 0; k < 4; k++) code += read_number(f, x11() + XPDR_X + 20.0f * k, XPDR_Y, 1, 0, 47);
    EXPECT_EQ(code, "7075");
}

TEST_F(RadioStrip, TransponderShowsItsFourDigits)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    for (const char* want : {"1200", "7700", "0436"}) {
        nav.tran1 = want[0] - '0';
        nav.tran2 = want[1] - '0';
        nav.tran3 = want[2] - '0';
        nav.tran4 = want[3] - '0';
        const Frame f = frame();
        std::string code;
        for (int k = 0; k < 4; k++) code += read_number(f, x11() + XPDR_X + 20.0f * k, XPDR_Y, 1, 0, 47);
        EXPECT_EQ(code, want);
    }
}

// The GPS unit is always on the strip, and its unit labels with it ("nm", "kt", "min" at y 238); an
// aircraft with the first receiver also has the DME's ("nm", "kt", "mn" at y 270).
TEST_F(RadioStrip, GpsUnitAndItsLabelsAreAlwaysOnTheFace)
{
    struct Case {
        const char* plane;
        bool dme;
    };
    for (Case c : {Case{FH_TRAINER, true},
                   Case{"planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf", false},
                   Case{FH_GLIDER, false}}) {
        SCOPED_TRACE(c.plane);
        ASSERT_NO_FATAL_FAILURE(fly(c.plane));
        const Frame f = face();
        // The unit's screen: its dark green glass behind the labels.
        const uint8_t* glass = f.at(x11() + GPS_SCREEN_X + 60.0f, GPS_SCREEN_Y + 3.0f);
        EXPECT_EQ(rgb_of(glass), 0x06140Au);
        EXPECT_EQ(read_text(f, x11() + GPS_UNIT_X[0], GPS_READ_Y, 2, 47), "NM");
        EXPECT_EQ(read_text(f, x11() + GPS_UNIT_X[1], GPS_READ_Y, 2, 47), "KT");
        EXPECT_EQ(read_text(f, x11() + GPS_UNIT_X[2], GPS_READ_Y, 3, 47), "MIN");
        const std::string dme = read_text(f, x11() + DME_UNIT_X[0], DME_READ_Y, 2, 47) +
                                read_text(f, x11() + DME_UNIT_X[1], DME_READ_Y, 2, 47) +
                                read_text(f, x11() + DME_UNIT_X[2], DME_READ_Y, 2, 47);
        EXPECT_EQ(dme, c.dme ? "NMKTMN" : "      ");
    }
}

// The radio stack of the aircraft the program starts with: every dot of the lettering of the stack's
// picture ("AUDIO", "DME", "C2", "IDT"...) shows on the panel, nothing drawn over it.
TEST_F(RadioStrip, EveryLabelOfTheStackShowsOnTheDefaultPanel)
{
    ASSERT_EQ(std::string(FH_TRAINER), std::string(DEFAULT_PLANE_DIR) + DEFAULT_PLANE_FILE);
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    char path[STR_LEN];
    texbmp_path(TEXBMP_PICTURE, 0, "radios", path);
    const media::Bmp bmp = media::parse_bmp(read_file(std::string(path) + BITMAP_EXTENSION));
    ASSERT_EQ(bmp.error, "");
    const Frame f = frame();
    save(f, "radio_stack_default");
    int dots = 0, hidden = 0;
    for (int v = 0; v < bmp.h; v++)
        for (int u = 0; u < bmp.w; u++) {
            if (rgb_of(bmp.at(u, v)) != 0xDEDED6u) continue;   // the lettering's colour
            dots++;
            if (!close(rgb_of(f.at(x11() + RADIOS_X + u, v)), 0xDEDED6u)) hidden++;
        }
    EXPECT_GT(dots, 300);
    EXPECT_EQ(hidden, 0);
}

// The stopwatch in minutes and seconds in the clock's window: 754.6 s is 12:34.
TEST_F(RadioStrip, ClockShowsTheStopwatch)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    const float x = ins.x_loc[SLOT_SUPP] + CLOCK_DX, y = ins.y_loc[SLOT_SUPP] + CLOCK_DY;
    struct Case {
        float t;
        const char* shown;
    };
    for (Case c : {Case{754.6f, "12:34"}, Case{59.9f, "00:59"}, Case{3599.0f, "59:59"}}) {
        msc.timr_time = c.t;
        const Frame f = frame();
        EXPECT_EQ(read_number(f, x, y, 2, 0, 47) + read_text(f, x + 12.0f, y, 1, 47) + read_number(f, x + 18.0f, y, 2, 0, 47),
                  c.shown)
            << c.t;
    }
}

// The fuel pointer, three pixels wide at y 42..46, stands 31 px a full tank right of 514; where its
// middle falls on a scale mark (0, 15 or 30) the mark shows through. An aircraft whose tanks hold
// nothing shows empty.
TEST_F(RadioStrip, FuelPointerStandsAtTheFuelLeft)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    struct Case {
        float full, left;
        int centre;          // pixels right of 514
        bool middle_drawn;
    };
    const Case cases[] = {
        {100.0f, 50.0f, 16, true},     // 15.5 rounds up, beside the half mark
        {100.0f, 0.0f, 0, false},      // empty, on the empty mark
        {310.0f, 150.0f, 15, false},   // 15 exactly, on the half mark
        {100.0f, 100.0f, 31, true},    // full
        {100.0f, 400.0f, 31, true},    // more than the tanks hold stops at full
        {0.005f, 1.0f, 0, false},      // no tanks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " of " << c.full);
        pln[0].m_fuel = c.full;
        flt.m_fuel = c.left;
        const Frame f = frame();
        const float x = x11() + FUEL_X + static_cast<float>(c.centre);
        for (float y : {42.0f, 44.0f, 46.0f}) {
            EXPECT_TRUE(f.is_color(x - 1.0f, y, 9));
            EXPECT_TRUE(f.is_color(x + 1.0f, y, 9));
            EXPECT_EQ(f.is_color(x, y, 9), c.middle_drawn);
        }
        EXPECT_FALSE(f.is_color(x - 3.0f, 44.0f, 9));
        EXPECT_FALSE(f.is_color(x + 3.0f, 44.0f, 9));
    }
}

// The parking-brake lamp with its word, only on a wheeled aircraft (gear type 3 and up) with the
// brake set above 0.01.
TEST_F(RadioStrip, BrakeLampWhileTheParkingBrakeIsSet)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    struct Case {
        int gear_type;
        float brake;
        bool lit;
    };
    for (Case c : {Case{3, 1.0f, true}, Case{3, 0.02f, true}, Case{3, 0.01f, false}, Case{2, 1.0f, false}}) {
        pln[0].gear_type = c.gear_type;
        set.parkbrake = c.brake;
        const Frame f = frame();
        EXPECT_EQ(read_text(f, x11() + BRAKE_X, BRAKE_Y, 6, 20) == "BRAKES", c.lit) << c.gear_type << " " << c.brake;
        EXPECT_EQ(f.is_color(x11() + BRAKE_X - 2.0f, BRAKE_Y, 9), c.lit);
    }
}

// The three gear lamps of a retracting gear: lit green with the handle and the leg down, red in
// transit (the leg not yet where the handle is), dark with both up, all dark without power.
TEST_F(RadioStrip, GearLampsFollowHandleAndLegs)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_JET));
    ASSERT_EQ(pln[0].gear_retract, 1);
    struct Case {
        int handle;
        int legs[3];
        int power;
        int fill[3];
    };
    const Case cases[] = {
        {1, {1, 1, 1}, 1, {49, 49, 49}},
        {0, {1, 0, 1}, 1, {44, 29, 44}},
        {1, {0, 1, 1}, 1, {44, 49, 49}},
        {0, {0, 0, 0}, 1, {29, 29, 29}},
        {1, {1, 1, 1}, 0, {29, 29, 29}},
    };
    for (const Case& c : cases) {
        set.gear_handle = c.handle;
        for (int leg = 0; leg < 3; leg++) pln[0].gear_stat[leg] = c.legs[leg];
        rel.esystem = c.power;
        const Frame f = frame();
        for (int leg = 0; leg < 3; leg++) {
            const float x = x11() + GEAR_LAMP_X[leg] + 2.0f, y = GEAR_LAMP_Y + 2.0f;
            EXPECT_TRUE(f.is_color(x, y, c.fill[leg])) << "leg " << leg << " handle " << c.handle << " power " << c.power;
        }
    }
    rel.esystem = 1;
}

// Over a marker beacon its lamp lights on its pattern's counts: read over the ten counts of a
// second, outer "11111.....", middle "11..11111.", inner "11.11.11..".
TEST_F(RadioStrip, MarkerLampsBlinkTheirPatterns)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    int32_t* over[3] = {&nav.overOM, &nav.overMM, &nav.overIM};
    const char* want[3] = {"11111.....", "11..11111.", "11.11.11.."};
    static const int lit_colour[3] = {4, 32, 0};
    for (int m = 0; m < 3; m++) {
        nav.overOM = nav.overMM = nav.overIM = 0;
        *over[m] = 1;
        std::string seen;
        for (int c = 0; c < 10; c++) {
            msc.cntr10 = c;
            // The lamp's right-hand column, clear of its lettering.
            seen += frame().is_color(x11() + MARKER_X[m] + 12.0f, MARKER_Y + 4.0f, lit_colour[m]) ? '1' : '.';
        }
        EXPECT_EQ(seen, want[m]) << "marker " << m;
    }
    // Not over a beacon, no lamp lights on any count.
    nav.overOM = nav.overMM = nav.overIM = 0;
    for (int c = 0; c < 10; c++) {
        msc.cntr10 = c;
        const Frame f = frame();
        for (int m = 0; m < 3; m++) EXPECT_FALSE(f.is_color(x11() + MARKER_X[m] + 12.0f, MARKER_Y + 4.0f, lit_colour[m]));
    }
}

// The reply lamp while the transponder's second reply time lies ahead: colour 15 within 0.08 s of
// either reply, 9 within 0.16 s, 3 otherwise; no lamp once both have passed.
TEST_F(RadioStrip, ReplyLampFlashesAroundTheReplies)
{
    ASSERT_NO_FATAL_FAILURE(fly(FH_TRAINER));
    struct Case {
        float since_first, until_second;
        int colour;   // -1 none
    };
    const Case cases[] = {
        {0.05f, 0.25f, 15}, {0.12f, 0.25f, 9}, {0.2f, 0.4f, 3}, {0.2f, 0.06f, 15}, {0.3f, 0.15f, 9}, {0.5f, -0.01f, -1},
    };
    for (const Case& c : cases) {
        msc.elap_time = 500.0f;
        ins.reply_time1 = 500.0f - c.since_first;
        ins.reply_time2 = 500.0f + c.until_second;
        const Frame f = frame();
        const float x = x11() + REPLY_X + 4.0f, y = REPLY_Y + 2.0f;
        for (int k : {3, 9, 15}) EXPECT_EQ(f.is_color(x, y, k), k == c.colour) << c.since_first << " " << c.until_second << " colour " << k;
    }
}
