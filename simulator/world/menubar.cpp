// menubar.cpp -- Kestrova's menu bar: the fixed menus and the region's airports, runway ends and
// radio beacons.
#include "menubar.h"

#include "hl_menu.h"
#include "hl_types.h"

#include <cstdio>

namespace {

struct Item {
    int item;            // menu * 100 + place
    const char* title;   // "-" a separator
    const char* help;
};

const char* const k_bar[7] = {"About", "File", "Location", "Settings", "Output", "View", "Special"};

const char* const k_field_help =
    "This will put you on the nearest %s that Kestrova can find. Soft-field landing technique requires that you "
    "use full flaps, a low approach speed, a gentle touchdown accomplished by adding power as needed, and keeping "
    "the nosewheel in the air as long as possible by holding the nose up during the landing roll.";
const char* const k_final_help =
    "This will put you on final to the nearest %s that Kestrova can find. You should be in a helo or a VTOL for "
    "this.";
const char* const k_special_help =
    "This will let you put yourself in a variety of interesting situations, such as on approach to gravel runways "
    "or aircraft carriers or even forest fires.";
const char* const k_replay_help =
    "replay mode, which allows you to replay your flight like it was taped on a VCR.";

const Item k_fixed[] = {
    {0, "About", ""},

    {100, "Open Aircraft", "Use this option to try flying a new airplane."},
    {101, "-", ""},
    {102, "Load Situation",
     "Use this option to load a saved situation, which may contain your favorite places and airplanes."},
    {103, "Save Situation",
     "Use this option to save the current situation, if it contains your favorite places and airplanes."},
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
    {208, "Place Aircraft by Airport",
     "This will let you place yourself anywhere in the world by choosing airport names or ID's."},
    {209, "Place Aircraft by Location",
     "This will let you place yourself anywhere in the world by latitude and longitudes, or by clicking on a map."},
    {210, "-", ""},
    {211, "Special Take-Off", k_special_help},
    {212, "Special In-Flight", k_special_help},
    {213, "Special Approach", k_special_help},
    {214, "-", ""},
    {215, "Find Me", "Use this if needed."},
    {216, "Get Me Lost", "Use this if you dare."},

    {300, "Data Output...", "This option can send data to the disk, a graphical file, or the cockpit."},
    {301, "Serial Output...", "This can send data to the serial port to drive motion systems and stuff."},
    {302, "-", ""},
    {303, "Time Of Day...",
     "This sets the time of day, which always progresses in real-time from wherever you set it."},
    {304, "Rendering Options...",
     "This sets graphical levels. You can use it to tune performance to your machine. "},
    {305, "-", ""},
    {306, "Weather Space...", "This sets the meteor-shower density."},
    {307, "Weather Atmosphere...",
     "This sets wind, temerature, clouds, thermals, rate of change, etc. etc. etc."},
    {308, "Weather Ground...", "This sets runway conditions, used for braking and steering effectiveness."},
    {309, "Weather Water...",
     "This sets the wave length and height, used for seaplanes, which will have to battle any waves you enter."},
    {310, "-", ""},
    {311, "Hardware & Flight Mode...", "Use this to set up your joystick and stuff."},
    {312, "Weights & Fuel...", "Use this to set your plane's loading for the flight."},
    {313, "-", ""},
    {314, "Realistic Reliability...",
     "Use this to set reliability in a realistic manner... failures are rare."},
    {315, "Instrument Reliability...",
     "Use this to set instrument reliability. Failures occurr randmonly and without warning, and failure modes "
     "are realistic."},
    {316, "Equipment Reliability...",
     "Use this to set equipment reliability. Failures occurr randmonly and without warning, and failure modes are "
     "realistic."},
    {317, "-", ""},
    {318, "Sound...", "Set the various sound options for the sim here."},
    {319, "Warnings...", "Set the various warning options for the sim here."},

    {400, "Graphic Flight Record",
     "Use this to view data that you have stored in the 'SET DATA OUTPUT' window in the 'SETTINGS' menu."},
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
    {529, "Enter Flight Replay Mode     ", nullptr},   // help built from k_replay_help
    {530, "Leave Flight Replay Mode     ", nullptr},

    {600, "Output One Flight Engine Cycle [/]",
     "Dump all the math for one cycle of the sim to a disk output file so you can check the sim's math if you "
     "have the inclination."},
    {601, "-", ""},
    {602, "Reset Preferences and Exit",
     "Use this if the sim is acting flaky and you want to restart from the default condition."},
    {603, "-", ""},
    {604, "Instructions: Flight Controls", ""},
    {605, "Instructions: Cockpit", ""},
    {606, "Instructions: Keyboard", ""},
    {607, "Instructions: Air Traffic Control", ""},
    {608, "Instructions: Tech Support", ""},
    {609, "-", ""},
    {610, "Report Logged Time on Exit", "Use this to keep track of Total, night, and instrument time flown."},
};

// The Location submenus: menu, the item it opens from.
struct Submenu {
    int menu, parent;
};
const Submenu k_location_subs[] = {
    {MENU_TAKEOFF, 200}, {MENU_VFR, 202}, {MENU_ILS, 203}, {MENU_VOR, 205}, {MENU_NDB, 206},
    {MENU_BY_AIRPORT, 208}, {MENU_BY_LOCATION, 209}, {MENU_SPECIAL_TAKEOFF, 211}, {MENU_SPECIAL_INFLIGHT, 212},
    {MENU_SPECIAL_APPROACH, 213},
};

const Item k_sub_items[] = {
    {1200, "Airport ID...",
     "This will allow you to enter an airport ID and have Kestrova put you on the ground there."},
    {1201, "Airport Name...",
     "This will allow you to enter an airport name and have Kestrova put you on the ground there."},
    {1300, "Enroute...", "This will allow you to click on the local low-enroute chart to place your aircraft."},
    {1301, "Local VR...", "This will allow you to click on the local virtual-world chart to place your aircraft."},
    {1302, "World Visual...", "This will allow you to click on a global map to place your aircraft."},
    {1303, "Lat-Lon...",
     "This will allow you to choose a lat and lon to place your aircraft... Kestrova will find the closest "
     "airport it can and start you off there."},
    {1400, "Grass Field Takeoff", nullptr},   // help built from k_field_help
    {1401, "Dirt Field Takeoff", nullptr},
    {1402, "Gravel Field Takeoff", nullptr},
    {1403, "Carrier Catshot", "This will put you on the catapault of the nearest carrier."},
    {1404, "Seaplane Takeoff",
     "This will get you wet... You should only try this in a seaplane! (Check out the 'Mega-Splash' in "
     "'Talvek's Planes'."},
    {1500, "Formation Flying",
     "This will put you behind another aircraft of your type and speed, allowing you to practice formation "
     "flying."},
    {1501, "Glider-Tow", "This will put you behind a towplane that will tow your glider to altitude for some soaring."},
    {1502, "B-52 Drop",
     "This will put you under the wing of a B-52 for a drop... this is how your X-15 or other rocket-plane or "
     "high-speed glider flight should start."},
    {1600, "Helipad Approach", nullptr},   // help built from k_final_help
    {1601, "Aircraft Carrier Approach",
     "This will put you on final to the nearest aircraft carrier that Kestrova can find. You should probably have "
     "arresting gear for this. Some of the planes in the 'fighters' are so equipped. The F-4 is the ultimate "
     "challenge."},
    {1602, "Oil Rig Approach", nullptr},
    {1603, "Frigate Approach", nullptr},
    {1604, "Forest Fire Approach",
     "This will put you approaching a forest-fire. You should do this in a B-26 (in the 'Mega-Planes' folder), "
     "because the B-26 can drop it's water load (using the 'JETTISON' button) and douse part of the fire. Fly "
     "your approach INTO the wind (right in or above the smoke) and dump your water right over the fire. You "
     "will have to make several passes to get the entire fire extinuished."},
};

// The help texts built from a pattern: item, pattern, what goes into it.
struct BuiltHelp {
    int item;
    const char* pattern;
    const char* word;
};
const BuiltHelp k_built_help[] = {
    {529, "Enter %s", nullptr},          {530, "Leave %s", nullptr},
    {1400, nullptr, "grass field"},      {1401, nullptr, "dirt field"},   {1402, nullptr, "gravel field"},
    {1600, nullptr, "helipad"},          {1602, nullptr, "oil rig"},      {1603, nullptr, "frigate"},
};

void help_of(int item, char* out, int size)
{
    out[0] = 0;
    for (const BuiltHelp& b : k_built_help) {
        if (b.item != item) continue;
        if (b.pattern) std::snprintf(out, static_cast<size_t>(size), b.pattern, k_replay_help);
        else std::snprintf(out, static_cast<size_t>(size), item < 1600 ? k_field_help : k_final_help, b.word);
    }
}

void append(const Item& it)
{
    char built[STR_LEN];
    const char* help = it.help;
    if (!help) {
        help_of(it.item, built, STR_LEN);
        help = built;
    }
    MACIBM_append_menu(it.item / 100, it.item, it.title, help);
}

// An airport's name as its menu items show it: at most 25 characters.
void short_name(int apt, char* out, int size)
{
    std::snprintf(out, static_cast<size_t>(size), "%.25s", apt_name[apt]);
}

}  // namespace

void rway_to_cs(int rwy, int opposite, char* out, int size)
{
    const int number = opposite ? (rwy_num[rwy] + 17) % 36 + 1 : rwy_num[rwy];
    char side = rwy_lcr[rwy];
    if (opposite) side = side == 'L' ? 'R' : side == 'R' ? 'L' : side == 'C' ? 'C' : 0;
    const char* kind = static_cast<float>(rwy_len[rwy]) * con.mtrstoft < 500.0f ? "Pad " : "Rwy ";
    // A zero letter ends the title: the end has none.
    const char letter[2] = {side, 0};
    std::snprintf(out, static_cast<size_t>(size), "%s%02d%s", kind, number, letter);
}

void build_menu_bar(void)
{
    for (int m = 0; m < 7; m++) MACIBM_create_menu(m, -1, k_bar[m]);
    for (const Item& it : k_fixed) append(it);
    // A submenu carries its parent item's title as its name (its title box is the parent item's).
    for (const Submenu& s : k_location_subs)
        MACIBM_create_menu(s.menu, s.parent, mnw.item_name[s.parent / 100][s.parent % 100]);
    for (const Item& it : k_sub_items) append(it);
}

void append_airport_menu(int row)
{
    if (row < 0 || row >= LCL_MAX) return;
    const int a = apt_to_index[row];
    if (a < 0 || a >= MAX_APT) return;
    char name[MENU_NAME_LEN];
    short_name(a, name, MENU_NAME_LEN);
    const int lists[3] = {MENU_TAKEOFF, MENU_VFR, MENU_ILS};
    const int bases[3] = {RWY_BASE_TAKEOFF, RWY_BASE_VFR, RWY_BASE_ILS};
    for (int k = 0; k < 3; k++) {
        MACIBM_append_menu(lists[k], 100 * lists[k] + row, name, "");
        MACIBM_create_menu(bases[k] + row, 100 * lists[k] + row, name);
    }
    const int lo = apt_lo_ind[a], hi = apt_hi_ind[a];
    for (int r = lo; r <= hi && r >= 0 && r < MAX_RWY; r++) {
        // The place counts every runway of the airport, so the command finds it again as lo + p.
        const int p = r - lo;
        if (rwy_num[r] == 99 || p >= RWY_PLACES) continue;
        char ends[2][MENU_NAME_LEN];
        rway_to_cs(r, 0, ends[0], MENU_NAME_LEN);
        rway_to_cs(r, 1, ends[1], MENU_NAME_LEN);
        for (int k = 0; k < 3; k++) {
            const int m = bases[k] + row;
            MACIBM_append_menu(m, 100 * m + 2 * p, ends[0], "");
            MACIBM_append_menu(m, 100 * m + 2 * p + 1, ends[1], "");
        }
    }
    MACIBM_append_menu(MENU_OUTPUT, AIRPORT_MAP_ITEM + row, name, "");
}

void append_vor_menu(int row)
{
    if (row < 0 || row >= LCL_MAX) return;
    MACIBM_append_menu(MENU_VOR, 100 * MENU_VOR + row, nav_name[vor_to_index[row]], "");
}

void append_ndb_menu(int row)
{
    if (row < 0 || row >= LCL_MAX) return;
    MACIBM_append_menu(MENU_NDB, 100 * MENU_NDB + row, nav_name[ndb_to_index[row]], "");
}
