// menubar_test.cpp -- the simulator's menu bar as every region load builds it: the bar's titles,
// every fixed item with its help text as the program shows it, the Location submenus, and the
// region's entries (airports, runway ends, VORs and NDBs) from a region of our own making and from
// the bundled default region.
#include "genwrld.h"
#include "menubar.h"

#include "hl_types.h"
#include "empty_region.h"
#include "kvdb.h"
#include "kvtest.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string kDataDir = std::string(KV_SOURCE_DIR) + "/data/additional nav data";

std::string item_title(int item) { return mnw.item_name[item / 100][item % 100]; }
// The help text the library keeps for an item: it keeps them for menus 0..14 only, so the items of
// the Special In-Flight and Special Approach menus (15, 16) show none.
std::string item_help(int item) { return item / 100 < HELP_MENUS ? mnw.item_help[item] : ""; }

// The places of a menu that hold an item.
std::vector<int> used_places(int menu)
{
    std::vector<int> p;
    for (int k = 0; k < MAX_ITEMS; k++)
        if (mnw.item_name[menu][k][0]) p.push_back(k);
    return p;
}

// ---- the fixed menus, as the user reads them --------------------------------------------------------

struct Fixed {
    int item;
    const char* title;
    const char* help;
};

const char* const kSpecials =
    "This will let you put yourself in a variety of interesting situations, such as on approach to gravel runways "
    "or aircraft carriers or even forest fires.";

const Fixed kFixed[] = {
    {0, "About", ""},
    {100, "Open Aircraft", "Use this option to try flying a new airplane."},
    {101, "-", ""},
    {102, "Load Situation", "Use this option to load a saved situation, which may contain your favorite places and airplanes."},
    {103, "Save Situation", "Use this option to save the current situation, if it contains your favorite places and airplanes."},
    {104, "-", ""},
    {105, "Quit", ""},
    {200, "Takeoff", ""},
    {201, "-", ""},
    {202, "VFR Final", ""},
    {203, "ILS Final", ""},
    {204, "-", ""},
    {205, "Over VOR", ""},
    {206, "Over NDB", ""},
    {207, "-", ""},
    {208, "Place Aircraft by Airport", "This will let you place yourself anywhere in the world by choosing airport names or ID's."},
    {209, "Place Aircraft by Location", "This will let you place yourself anywhere in the world by latitude and longitudes, or by clicking on a map."},
    {210, "-", ""},
    {211, "Special Take-Off", kSpecials},
    {212, "Special In-Flight", kSpecials},
    {213, "Special Approach", kSpecials},
    {214, "-", ""},
    {215, "Find Me", "Use this if needed."},
    {216, "Get Me Lost", "Use this if you dare."},
    {300, "Data Output...", "This option can send data to the disk, a graphical file, or the cockpit."},
    {301, "Serial Output...", "This can send data to the serial port to drive motion systems and stuff."},
    {302, "-", ""},
    {303, "Time Of Day...", "This sets the time of day, which always progresses in real-time from wherever you set it."},
    {304, "Rendering Options...", "This sets graphical levels. You can use it to tune performance to your machine. "},
    {305, "-", ""},
    {306, "Weather Space...", "This sets the meteor-shower density."},
    {307, "Weather Atmosphere...", "This sets wind, temerature, clouds, thermals, rate of change, etc. etc. etc."},
    {308, "Weather Ground...", "This sets runway conditions, used for braking and steering effectiveness."},
    {309, "Weather Water...", "This sets the wave length and height, used for seaplanes, which will have to battle any waves you enter."},
    {310, "-", ""},
    {311, "Hardware & Flight Mode...", "Use this to set up your joystick and stuff."},
    {312, "Weights & Fuel...", "Use this to set your plane's loading for the flight."},
    {313, "-", ""},
    {314, "Realistic Reliability...", "Use this to set reliability in a realistic manner... failures are rare."},
    {315, "Instrument Reliability...", "Use this to set instrument reliability. Failures occurr randmonly and without warning, and failure modes are realistic."},
    {316, "Equipment Reliability...", "Use this to set equipment reliability. Failures occurr randmonly and without warning, and failure modes are realistic."},
    {317, "-", ""},
    {318, "Sound...", "Set the various sound options for the sim here."},
    {319, "Warnings...", "Set the various warning options for the sim here."},
    {400, "Graphic Flight Record", "Use this to view data that you have stored in the 'SET DATA OUTPUT' window in the 'SETTINGS' menu."},
    {401, "-", ""},
    {402, "Low Enroute", "Check out the local low enroute map, with your flight path plotted on it."},
    {403, "Local Virtual-World", "Check out the local virtual map, with your flight path plotted on it."},
    {404, "Weather Radar Map", "Check out the local radar-summary map, with your flight path plotted on it."},
    {405, "Isometric Region", "Check out the local region in 3-D, with your flight path plotted on it."},
    {406, "World Map", "Check out Earth, with your flight path plotted on it."},
    {407, "-", ""},
    {500, "Forwards                  [W]", ""},
    {501, "Down 4 Deg                [S]", ""},
    {502, "Down 8 Deg                [X]", ""},
    {503, "-", ""},
    {504, "Left   45 Deg             [Q]", ""},
    {505, "Right  45 Deg             [E]", ""},
    {506, "Left   90 Deg            [QQ]", ""},
    {507, "Right  90 Deg            [EE]", ""},
    {508, "Left  135 Deg           [QQQ]", ""},
    {509, "Right 135 Deg           [EEE]", ""},
    {510, "-", ""},
    {511, "Backwards                 [Z]", ""},
    {512, "-", ""},
    {513, "Control Tower             [T]", ""},
    {514, "On Runway                 [#]", ""},
    {515, "-", ""},
    {516, "Chase                     [A]", ""},
    {517, "Follow: Arrow Keys Rotate [|]", ""},
    {518, "Follow: Arrow Keys Rotate [\\]", ""},
    {519, "Spot: Arrow Keys Move     [@]", ""},
    {520, "-", ""},
    {521, "Full-Screen With HUD      [_]", ""},
    {522, "Full-Screen Without HUD   [+]", ""},
    {523, "-", ""},
    {524, "Zoom In                   [=]", ""},
    {525, "Zoom Out                  [-]", ""},
    {526, "Show 3-D Flight-Path         ", ""},
    {527, "Reset 3-D Flight-Path        ", ""},
    {528, "-", ""},
    {529, "Enter Flight Replay Mode     ", "Enter replay mode, which allows you to replay your flight like it was taped on a VCR."},
    {530, "Leave Flight Replay Mode     ", "Leave replay mode, which allows you to replay your flight like it was taped on a VCR."},
    {600, "Output One Flight Engine Cycle [/]", "Dump all the math for one cycle of the sim to a disk output file so you can check the sim's math if you have the inclination."},
    {601, "-", ""},
    {602, "Reset Preferences and Exit", "Use this if the sim is acting flaky and you want to restart from the default condition."},
    {603, "-", ""},
    {604, "Instructions: Flight Controls", ""},
    {605, "Instructions: Cockpit", ""},
    {606, "Instructions: Keyboard", ""},
    {607, "Instructions: Air Traffic Control", ""},
    {608, "Instructions: Tech Support", ""},
    {609, "-", ""},
    {610, "Report Logged Time on Exit", "Use this to keep track of Total, night, and instrument time flown."},
    {1200, "Airport ID...", "This will allow you to enter an airport ID and have Kestrova put you on the ground there."},
    {1201, "Airport Name...", "This will allow you to enter an airport name and have Kestrova put you on the ground there."},
    {1300, "Enroute...", "This will allow you to click on the local low-enroute chart to place your aircraft."},
    {1301, "Local VR...", "This will allow you to click on the local virtual-world chart to place your aircraft."},
    {1302, "World Visual...", "This will allow you to click on a global map to place your aircraft."},
    {1303, "Lat-Lon...", "This will allow you to choose a lat and lon to place your aircraft... Kestrova will find the closest airport it can and start you off there."},
    {1400, "Grass Field Takeoff", "This will put you on the nearest grass field that Kestrova can find. Soft-field landing technique requires that you use full flaps, a low approach speed, a gentle touchdown accomplished by adding power as needed, and keeping the nosewheel in the air as long as possible by holding the nose up during the landing roll."},
    {1401, "Dirt Field Takeoff", "This will put you on the nearest dirt field that Kestrova can find. Soft-field landing technique requires that you use full flaps, a low approach speed, a gentle touchdown accomplished by adding power as needed, and keeping the nosewheel in the air as long as possible by holding the nose up during the landing roll."},
    {1402, "Gravel Field Takeoff", "This will put you on the nearest gravel field that Kestrova can find. Soft-field landing technique requires that you use full flaps, a low approach speed, a gentle touchdown accomplished by adding power as needed, and keeping the nosewheel in the air as long as possible by holding the nose up during the landing roll."},
    {1403, "Carrier Catshot", "This will put you on the catapault of the nearest carrier."},
    {1404, "Seaplane Takeoff", "This will get you wet... You should only try this in a seaplane! (Check out the 'Mega-Splash' in 'Talvek's Planes'."},
    {1500, "Formation Flying", "This will put you behind another aircraft of your type and speed, allowing you to practice formation flying."},
    {1501, "Glider-Tow", "This will put you behind a towplane that will tow your glider to altitude for some soaring."},
    {1502, "B-52 Drop", "This will put you under the wing of a B-52 for a drop... this is how your X-15 or other rocket-plane or high-speed glider flight should start."},
    {1600, "Helipad Approach", "This will put you on final to the nearest helipad that Kestrova can find. You should be in a helo or a VTOL for this."},
    {1601, "Aircraft Carrier Approach", "This will put you on final to the nearest aircraft carrier that Kestrova can find. You should probably have arresting gear for this. Some of the planes in the 'fighters' are so equipped. The F-4 is the ultimate challenge."},
    {1602, "Oil Rig Approach", "This will put you on final to the nearest oil rig that Kestrova can find. You should be in a helo or a VTOL for this."},
    {1603, "Frigate Approach", "This will put you on final to the nearest frigate that Kestrova can find. You should be in a helo or a VTOL for this."},
    {1604, "Forest Fire Approach", "This will put you approaching a forest-fire. You should do this in a B-26 (in the 'Mega-Planes' folder), because the B-26 can drop it's water load (using the 'JETTISON' button) and douse part of the fire. Fly your approach INTO the wind (right in or above the smoke) and dump your water right over the fire. You will have to make several passes to get the entire fire extinuished."},
};

// Adds an airport with its runways at one point; returns its world index.
struct Rwy {
    int num;
    char letter;
    int len_m;
};
int add_airport(const char* id, const char* name, float lat, float lon, std::initializer_list<Rwy> runways)
{
    const int a = ++apt_wrl_max;
    std::snprintf(apt_id[a], sizeof apt_id[a], "%s", id);
    std::snprintf(apt_name[a], sizeof apt_name[a], "%s", name);
    apt_lo_ind[a] = rwy_wrl_max + 1;
    for (const Rwy& w : runways) {
        const int r = ++rwy_wrl_max;
        rwy_lat[r] = lat;
        rwy_lon[r] = lon;
        rwy_num[r] = w.num;
        rwy_lcr[r] = w.letter;
        rwy_hdng[r] = w.num == 99 ? 0 : w.num * 10;
        rwy_len[r] = w.len_m;
        rwy_width[r] = 30;
        rwy_lite[r] = 1000000;
    }
    apt_hi_ind[a] = rwy_wrl_max;
    return a;
}

int add_navaid(int type, const char* id, const char* name, float lat, float lon)
{
    const int n = ++nav_wrl_max;
    nav_type[n] = type;
    nav_lat[n] = lat;
    nav_lon[n] = lon;
    std::snprintf(nav_id[n], sizeof nav_id[n], "%s", id);
    std::snprintf(nav_name[n], sizeof nav_name[n], "%s", name);
    return n;
}

// The menus of a region of our own making.
class SyntheticMenus : public EmptyRegion {
protected:
    // The local row of world airport a, -1 when it is not in the region's list.
    static int row_of(int a)
    {
        for (int row = 0; row < apt_lcl_num; row++)
            if (apt_to_index[row] == a) return row;
        return -1;
    }
};

TEST_F(SyntheticMenus, TheBarHasItsSevenTitlesInOrderLeftToRight)
{
    load_region(1);
    const char* titles[7] = {"About", "File", "Location", "Settings", "Output", "View", "Special"};
    float x = 10;   // the first title starts 10 units in; each is 6 units a character, 10 apart
    for (int m = 0; m < 7; m++) {
        SCOPED_TRACE(m);
        EXPECT_STREQ(mnw.menu_name[m], titles[m]);
        EXPECT_EQ(mnw.menu_prnt[m], -1);
        EXPECT_FLOAT_EQ(mnw.menux1[m], x);
        EXPECT_FLOAT_EQ(mnw.menux2[m], x + 6.0f * static_cast<float>(std::strlen(titles[m])));
        x = mnw.menux2[m] + 10;
    }
    for (int m = 7; m < MAX_MENUS; m++) {
        if (mnw.menu_name[m][0]) {
            EXPECT_NE(mnw.menu_prnt[m], -1) << "menu " << m << " on the bar";
        }
    }
}

TEST_F(SyntheticMenus, EveryFixedItemHasItsTitleAndHelpTextAsQuoted)
{
    load_region(1);
    std::map<int, std::vector<int>> expected_places;
    for (const Fixed& f : kFixed) {
        SCOPED_TRACE(f.item);
        EXPECT_EQ(item_title(f.item), f.title);
        EXPECT_EQ(item_help(f.item), f.item / 100 < HELP_MENUS ? f.help : "");
        expected_places[f.item / 100].push_back(f.item % 100);
    }
    // Nothing else in the fixed menus (the region adds nothing: it has no airports or radios).
    for (int m : {0, 1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16}) EXPECT_EQ(used_places(m), expected_places[m]) << "menu " << m;
    for (int m : {7, 8, 9, 10, 11}) EXPECT_TRUE(used_places(m).empty()) << "menu " << m;
    // Every title fits the library's 39 characters and every help text its 399.
    for (const Fixed& f : kFixed) {
        EXPECT_LT(std::strlen(f.title), static_cast<size_t>(MENU_NAME_LEN));
        EXPECT_LT(std::strlen(f.help), static_cast<size_t>(STR_LEN));
    }
}

TEST_F(SyntheticMenus, TheLocationSubmenusOpenFromTheirItems)
{
    load_region(1);
    const int subs[][2] = {{7, 200}, {8, 202}, {9, 203}, {10, 205}, {11, 206}, {12, 208},
                           {13, 209}, {14, 211}, {15, 212}, {16, 213}};
    for (const auto& s : subs) {
        SCOPED_TRACE(s[0]);
        EXPECT_EQ(mnw.menu_prnt[s[0]], 2);
        EXPECT_EQ(mnw.menu_prnt_item[s[0]], s[1]);
        // Its title box is the item it opens from, and its items hang to that item's right.
        const int p = s[1] % 100;
        EXPECT_FLOAT_EQ(mnw.menux2[s[0]], mnw.itemx2[2][p]);
        EXPECT_FLOAT_EQ(mnw.menuy1[s[0]], mnw.itemy1[2][p]);
        if (!used_places(s[0]).empty()) {
            const int first = used_places(s[0])[0];
            EXPECT_FLOAT_EQ(mnw.itemx1[s[0]][first], mnw.itemx2[2][p]);
            EXPECT_FLOAT_EQ(mnw.itemy1[s[0]][first], mnw.itemy1[2][p]);
        }
    }
    // No other submenu exists in a region without airports.
    for (int m = 17; m < MAX_MENUS; m++) EXPECT_EQ(mnw.menu_name[m][0], 0) << m;
}

TEST_F(SyntheticMenus, RunwayEndsAreNamedByNumberSideAndLength)
{
    // Lengths in metres: 152 m is 498.7 ft (a pad), 153 m 502 ft (a runway).
    struct Case {
        int num;
        char letter;
        int len_m;
        const char* near_end;
        const char* far_end;
    } cases[] = {
        {9, 'L', 2000, "Rwy 09L", "Rwy 27R"}, {27, 'R', 2000, "Rwy 27R", "Rwy 09L"},
        {36, 'C', 2000, "Rwy 36C", "Rwy 18C"}, {18, ' ', 2000, "Rwy 18 ", "Rwy 36"},
        {1, 0, 2000, "Rwy 01", "Rwy 19"},     {4, ' ', 152, "Pad 04 ", "Pad 22"},
        {4, 'W', 153, "Rwy 04W", "Rwy 22"},  {19, 'L', 100, "Pad 19L", "Pad 01R"},
    };
    for (const Case& c : cases) {
        const int r = ++rwy_wrl_max;
        rwy_num[r] = c.num;
        rwy_lcr[r] = c.letter;
        rwy_len[r] = c.len_m;
        char out[MENU_NAME_LEN];
        rway_to_cs(r, 0, out, sizeof out);
        EXPECT_STREQ(out, c.near_end);
        rway_to_cs(r, 1, out, sizeof out);
        EXPECT_STREQ(out, c.far_end);
    }
}

TEST_F(SyntheticMenus, AirportsGetTheirItemsRunwaySubmenusAndMapItem)
{
    const int big = add_airport("KBIG", "A Rather Long Airport Name Beyond Twenty-Five", 11.0f, 21.0f,
                                {{9, 'L', 3000}, {99, ' ', 800}, {36, ' ', 120}, {27, 'R', 3000}});
    const int grass = add_airport("X99", "Strip", 10.5f, 22.5f, {{99, ' ', 600}, {99, ' ', 400}});
    add_airport("KOUT", "Outside", 9.5f, 21.0f, {{18, ' ', 2000}});   // south of the region
    const int vor = add_navaid(3, "ABC", "Alpha VOR", 11.2f, 20.5f);
    const int ndb = add_navaid(2, "DE", "Delta NDB", 10.2f, 21.5f);
    add_navaid(3, "OUT", "Far VOR", 13.5f, 20.5f);   // north of the region
    add_navaid(4, "ILS", "Localizer", 11.0f, 21.0f);  // neither a VOR nor an NDB
    load_region(1);

    ASSERT_EQ(apt_lcl_num, 2);
    const int a = row_of(big), g = row_of(grass);
    ASSERT_EQ(a, 0);
    ASSERT_EQ(g, 1);
    // The airport's name, cut to 25 characters, in the three start lists and as a map item.
    const std::string cut = "A Rather Long Airport Nam";
    for (int item : {700 + a, 800 + a, 900 + a, 408 + a}) {
        EXPECT_EQ(item_title(item), cut) << item;
        EXPECT_EQ(item_help(item), "") << item;
    }
    EXPECT_EQ(item_title(408 + g), "Strip");
    // Its three runway-end submenus open from those items; each runway at place p gives items 2p and
    // 2p + 1; the runway numbered 99 at place 1 leaves places 2 and 3 empty, the pad at place 2 is a
    // pad at both ends.
    const int menus[3][2] = {{20 + a, 700 + a}, {120 + a, 800 + a}, {220 + a, 900 + a}};
    for (const auto& m : menus) {
        SCOPED_TRACE(m[0]);
        EXPECT_EQ(mnw.menu_prnt_item[m[0]], m[1]);
        EXPECT_EQ(mnw.menu_prnt[m[0]], m[1] / 100);
        EXPECT_EQ(used_places(m[0]), (std::vector<int>{0, 1, 4, 5, 6, 7}));
        const char* titles[8] = {"Rwy 09L", "Rwy 27R", "", "", "Pad 36 ", "Pad 18", "Rwy 27R", "Rwy 09L"};
        for (int p = 0; p < 8; p++) EXPECT_STREQ(mnw.item_name[m[0]][p], titles[p]) << p;
    }
    // The strip whose runways are all numbered 99: its items and empty submenus.
    for (int m : {20 + g, 120 + g, 220 + g}) {
        EXPECT_EQ(mnw.menu_prnt_item[m], (m / 100 + 7) * 100 + g);
        EXPECT_TRUE(used_places(m).empty()) << m;
    }
    EXPECT_EQ(item_title(700 + g), "Strip");
    // Radios: the VOR in menu 10, the NDB in menu 11, with the lists' rows.
    ASSERT_EQ(vor_lcl_num, 1);
    ASSERT_EQ(ndb_lcl_num, 1);
    EXPECT_EQ(vor_to_index[0], vor);
    EXPECT_EQ(ndb_to_index[0], ndb);
    EXPECT_EQ(used_places(10), std::vector<int>{0});
    EXPECT_EQ(used_places(11), std::vector<int>{0});
    EXPECT_EQ(item_title(1000), "Alpha VOR");
    EXPECT_EQ(item_title(1100), "Delta NDB");
    // Nothing beyond the two airports' submenus.
    for (int m = 17; m < MAX_MENUS; m++) {
        const bool ours = m == 20 || m == 21 || m == 120 || m == 121 || m == 220 || m == 221;
        EXPECT_EQ(mnw.menu_name[m][0] != 0, ours) << m;
    }
}

TEST_F(SyntheticMenus, NinetyTwoAirportsFillItemsUpTo791AndSubmenusUpTo311)
{
    for (int k = 0; k < 95; k++) {
        char id[8], name[32];
        std::snprintf(id, sizeof id, "A%03d", k);
        std::snprintf(name, sizeof name, "Field %d", k);
        add_airport(id, name, 10.2f + 0.01f * static_cast<float>(k), 21.0f, {{(k % 36) + 1, 'L', 1500}});
    }
    const auto t0 = std::chrono::steady_clock::now();
    load_region(1);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    ASSERT_EQ(apt_lcl_num, 92);
    for (int base : {700, 800, 900}) {
        EXPECT_EQ(item_title(base), "Field 0");
        EXPECT_EQ(item_title(base + 91), "Field 91");
    }
    EXPECT_EQ(item_title(408), "Field 0");
    EXPECT_EQ(item_title(499), "Field 91");
    for (int m : {20, 111, 120, 211, 220, 311}) EXPECT_NE(mnw.menu_name[m][0], 0) << m;
    for (int m : {112, 212, 312}) EXPECT_EQ(mnw.menu_name[m][0], 0) << m;
    // Airport row 91 has runway 20L (91 % 36 + 1), its far end 02R.
    EXPECT_STREQ(mnw.item_name[111][0], "Rwy 20L");
    EXPECT_STREQ(mnw.item_name[311][1], "Rwy 02R");
    // The list runs down past the screen's foot into more columns, each level with the first item.
    EXPECT_FLOAT_EQ(mnw.itemy1[7][0], mnw.itemy1[2][0]);
    EXPECT_GT(mnw.itemx1[7][91], mnw.itemx1[7][0]);
    for (int p = 0; p < 92; p++) EXPECT_GE(mnw.itemy2[7][p], 40.0f) << p;
    std::printf("[ timing ] region with 92 airports loaded, menus included: %.1f ms\n", ms);
    EXPECT_LT(ms, 2000.0 * KV_TIME_SCALE);
}

TEST_F(SyntheticMenus, RunwaysBeyondFiftyPlacesAreLeftOutOfTheSubmenu)
{
    const int a = ++apt_wrl_max;
    std::snprintf(apt_name[a], sizeof apt_name[a], "Busy");
    apt_lo_ind[a] = rwy_wrl_max + 1;
    for (int k = 0; k < 52; k++) {
        const int r = ++rwy_wrl_max;
        rwy_lat[r] = 11.0f;
        rwy_lon[r] = 21.0f;
        rwy_num[r] = k % 36 + 1;
        rwy_lcr[r] = ' ';
        rwy_len[r] = 1000;
        rwy_width[r] = 30;
    }
    apt_hi_ind[a] = rwy_wrl_max;
    load_region(1);
    EXPECT_EQ(used_places(20).size(), 100u);
    EXPECT_STREQ(mnw.item_name[20][99], "Rwy 32");   // place 49: runway 14, its far end
    for (const RecordedAlert& al : recorded_alerts()) EXPECT_NE(al.code, 2004) << al.l1;
}

TEST_F(SyntheticMenus, EveryRegionLoadBuildsTheBarAfresh)
{
    add_airport("KONE", "One", 11.0f, 21.0f, {{9, ' ', 2000}});
    load_region(1);
    ASSERT_EQ(item_title(700), "One");
    // The region moves away from the airport: its entries go, the fixed menus stay.
    env.lat_sou = 40;
    load_region(1);
    EXPECT_EQ(item_title(700), "");
    EXPECT_EQ(item_title(408), "");
    EXPECT_EQ(mnw.menu_name[20][0], 0);
    EXPECT_EQ(item_title(105), "Quit");
    EXPECT_EQ(item_help(1403), "This will put you on the catapault of the nearest carrier.");
}

// ---- the bundled default region ---------------------------------------------------------------------

class DefaultMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        kvdb_set_units();
        kvdb_load(kDataDir);
        std::snprintf(app_path, sizeof app_path, "%s/", KV_PROGRAM_DIR);
        env.lat_sou = 33;
        env.lon_wes = -119;
        load_region(1);
    }
    static int world(const char* id)
    {
        for (int a = 0; a <= apt_wrl_max; a++)
            if (std::strncmp(apt_id[a], id, 4) == 0) return a;
        return -1;
    }
    static int row_of(int a)
    {
        for (int row = 0; row < apt_lcl_num; row++)
            if (apt_to_index[row] == a) return row;
        return -1;
    }
};

TEST_F(DefaultMenus, TheLosAngelesAirportsAreListedWithTheirRunwayEnds)
{
    ASSERT_GT(apt_lcl_num, 5);
    // The database's runways: KLAX 6L, 6R, 7L, 7R; KSMO 3 without a side letter.
    const int lax = row_of(world("KLAX")), smo = row_of(world("KSMO"));
    ASSERT_GE(lax, 0);
    ASSERT_GE(smo, 0);
    const char* lax_ends[8] = {"Rwy 06L", "Rwy 24R", "Rwy 06R", "Rwy 24L", "Rwy 07L", "Rwy 25R", "Rwy 07R", "Rwy 25L"};
    for (int base : {20, 120, 220})
        for (int p = 0; p < 8; p++) EXPECT_STREQ(mnw.item_name[base + lax][p], lax_ends[p]) << base << " " << p;
    EXPECT_STREQ(mnw.item_name[20 + smo][0], "Rwy 03 ");
    EXPECT_STREQ(mnw.item_name[20 + smo][1], "Rwy 21");
    EXPECT_EQ(item_title(700 + lax), "Los Angeles Intl");
    EXPECT_EQ(item_title(408 + smo), "Santa Monica Muni");
}

TEST_F(DefaultMenus, EveryLocalAirportAndRadioHasItsItems)
{
    for (int row = 0; row < apt_lcl_num; row++) {
        char cut[32];
        std::snprintf(cut, sizeof cut, "%.25s", apt_name[apt_to_index[row]]);
        for (int item : {700 + row, 800 + row, 900 + row, 408 + row}) EXPECT_EQ(item_title(item), cut) << item;
        const int a = apt_to_index[row];
        int ends = 0;
        for (int r = apt_lo_ind[a]; r <= apt_hi_ind[a]; r++) ends += rwy_num[r] != 99 ? 2 : 0;
        for (int base : {20, 120, 220}) EXPECT_EQ(static_cast<int>(used_places(base + row).size()), ends) << row;
    }
    EXPECT_EQ(used_places(7).size(), static_cast<size_t>(apt_lcl_num));
    EXPECT_EQ(used_places(10).size(), static_cast<size_t>(vor_lcl_num));
    EXPECT_EQ(used_places(11).size(), static_cast<size_t>(ndb_lcl_num));
    for (int k = 0; k < vor_lcl_num; k++) EXPECT_EQ(item_title(1000 + k), nav_name[vor_to_index[k]]);
    for (int k = 0; k < ndb_lcl_num; k++) EXPECT_EQ(item_title(1100 + k), nav_name[ndb_to_index[k]]);
    // Menu 4 ends with one map item per local airport.
    EXPECT_EQ(used_places(4).size(), static_cast<size_t>(8 + apt_lcl_num));
    EXPECT_TRUE(recorded_alerts().empty());
}

}  // namespace
