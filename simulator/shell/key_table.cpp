// key_table.cpp -- which character key does what while no window is open, and the keyboard
// instructions written from those same tables.
#include "key_table.h"

#include "hl_keys.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int KEY_RETURN = 13, KEY_SPACE = ' ';

const command_key_entry k_command_keys[] = {
    {KEY_RETURN, KEYCMD_ATC_MENU, "open the air traffic controller's options, or choose the one selected"},
    {'q', KEYCMD_VIEW_LEFT, "turn the view 45 degrees left round the aircraft"},
    {'e', KEYCMD_VIEW_RIGHT, "turn the view 45 degrees right round the aircraft"},
    {'.', KEYCMD_REVERSERS, "thrust reversers in or out"},
    {'1', KEYCMD_FLAPS_UP, "flaps up a quarter"},
    {'2', KEYCMD_FLAPS_DOWN, "flaps down a quarter"},
    {'3', KEYCMD_HEAT_OFF, "carburettor heat off"},
    {'4', KEYCMD_HEAT_ON, "carburettor heat on"},
    {'5', KEYCMD_SPEEDBRAKE_IN, "speed brakes a step in"},
    {'6', KEYCMD_SPEEDBRAKE_OUT, "speed brakes a step out"},
    {KEY_SPACE, KEYCMD_RELEASE, "release from the carriage or the tow rope, else cut an engine"},
};

const menu_key_entry k_menu_keys[] = {
    {'w', 500, "view forwards"},
    {'s', 501, "view down 4 degrees"},
    {'x', 502, "view down 8 degrees"},
    {'z', 511, "view backwards"},
    {'t', 513, "view from the control tower"},
    {'#', 514, "view from the runway"},
    {'a', 516, "chase view"},
    {'@', 519, "spot view (the arrow keys move it)"},
    {'d', 402, "the low enroute map"},
    {'_', 521, "full-screen view with the head-up display"},
    {'+', 522, "full-screen view without the head-up display"},
    {'|', 517, "follow view (the arrow keys rotate it)"},
    {'\\', 518, "follow view (the arrow keys rotate it)"},
    {'=', 524, "zoom in"},
    {'-', 525, "zoom out"},
    {'/', 600, "write one cycle of the flight model to the output file"},
};

// What each click works is written for the bundled panels (round gauges, the radio stack on the
// left): slot 4 holds the course indicator on most of them, the weather radar on the B-52 and a
// variometer, which has no knob, on the glider. '!' also does more than its click (the handler adds it).
const panel_key_entry k_panel_keys[] = {
    {'n', 6, -50, -50, "the HSI's course knob, a degree down (NAV 2's course)"},
    {'m', 6, -25, -50, "the HSI's course knob, a degree up (NAV 2's course)"},
    {'y', 6, 35, -50, "the HSI's heading bug, a degree left"},
    {'u', 6, 60, -50, "the HSI's heading bug, a degree right"},
    {'i', 10, 0, -10, "the altimeter setting, down a step"},
    {'o', 10, 0, 10, "the altimeter setting, up a step"},
    {'h', 4, -38, -40, "the course indicator's NAV 1 course, a degree up (B-52: radar range doubled; glider: "
                       "nothing; a radar altimeter: decision height down)"},
    {'j', 4, -18, -40, "the course indicator's NAV 1 course, a degree down (B-52: radar range doubled; glider: nothing)"},
    {'k', 4, -40, -35, "the course indicator's NAV 1 course, a degree up (B-52: radar range doubled; glider: "
                       "nothing; a radar altimeter: decision height down)"},
    {'l', 4, -40, -45, "the course indicator's NAV 1 course, a degree up (B-52: radar range doubled; glider: "
                       "nothing; a radar altimeter: decision height up)"},
    {'c', 8, -40, -50, "the ADF card, a degree up (helicopter, which has no ADF: NAV 1 course, a degree up)"},
    {'v', 8, -30, -50, "the ADF card, a degree down (helicopter, which has no ADF: NAV 1 course, a degree up)"},
    {'p', FROM_OSH, 760, 314, "pause, on or off"},
    {'b', RADIO_X_ONLY, 520, 10, "the parking brake, on or off (also starts a waiting catapult launch or tow)"},
    {'g', RADIO_X_ONLY, 625, 30, "the landing gear lever, up or down (retractable gear only: the T-38 and the B-52)"},
    {'!', RADIO_X_ONLY, 494, 90, "the autopilot disconnected: every mode off"},
    {'$', RADIO_X_ONLY, 516, 90, "the autopilot's heading select button (the NAV modes go off)"},
    {'%', RADIO_X_ONLY, 536, 90, "the autopilot's NAV 1 button"},
    {'^', RADIO_X_ONLY, 556, 90, "the autopilot's NAV 2 button"},
    {'&', RADIO_X_ONLY, 579, 90, "the autopilot's altitude hold button"},
    {'*', RADIO_X_ONLY, 619, 90, "the autopilot's glide slope button"},
    {'7', RADIO_X_ONLY, 580, 40, "the aileron trim, a touch left"},
    {'8', RADIO_X_ONLY, 590, 40, "the aileron trim, a touch right"},
    {'9', RADIO_X_ONLY, 580, 20, "the rudder trim, a touch left"},
    {'0', RADIO_X_ONLY, 590, 20, "the rudder trim, a touch right"},
    {'[', ENGINE_X_ONLY, 787, 122, "the pitch trim, a touch nose down"},
    {']', ENGINE_X_ONLY, 787, 81, "the pitch trim, a touch nose up"},
};

const radio_key_entry k_radio_keys[] = {
    {'Q', COM1, -1000}, {'W', COM1, 1000}, {'E', COM1, -50}, {'R', COM1, 50},
    {'T', NAV1, -1000}, {'Y', NAV1, 1000}, {'U', NAV1, -50}, {'I', NAV1, 50},
    {'A', COM2, -1000}, {'S', COM2, 1000}, {'D', COM2, -50}, {'F', COM2, 50},
    {'G', NAV2, -1000}, {'H', NAV2, 1000}, {'J', NAV2, -50}, {'K', NAV2, 50},
    {'O', ADF, -100}, {'P', ADF, 100}, {'L', ADF, -10}, {':', ADF, 10}, {'>', ADF, -1}, {'?', ADF, 1},
    {'Z', XPN1, -1}, {'X', XPN1, 1}, {'C', XPN2, -1}, {'V', XPN2, 1},
    {'B', XPN3, -1}, {'N', XPN3, 1}, {'M', XPN4, -1}, {'<', XPN4, 1},
};

const yoke_key_entry k_yoke_keys[] = {
    {0, 1, 0.0f, 0.0f, 0.0f, "centre the keyboard's roll and yaw (pitch stays)"},
    {1, 0, 0.05f, 0.0f, 0.0f, "stick back a twentieth"},
    {2, 0, -0.05f, 0.0f, 0.0f, "stick forward a twentieth"},
    {3, 0, 0.0f, -0.1f, 0.0f, "stick left a tenth"},
    {4, 0, 0.0f, 0.1f, 0.0f, "stick right a tenth"},
    {5, 0, 0.0f, 0.0f, -0.1f, "left rudder a tenth"},
    {6, 0, 0.0f, 0.0f, 0.1f, "right rudder a tenth"},
};

// The function keys' codes: 28..39 plain, 40..51 with Shift.
constexpr int LEVER_FIRST = 28, LEVER_LAST = LEVER_FIRST + 2 * HL_LEVER_SHIFT - 1;

template <typename T, int N>
const T* table(const T (&t)[N], int* n)
{
    *n = N;
    return t;
}

// The key as the instructions name it.
void key_name(int key, char* out, int size)
{
    if (key == KEY_RETURN) std::snprintf(out, static_cast<size_t>(size), "Return");
    else if (key == KEY_SPACE) std::snprintf(out, static_cast<size_t>(size), "Space");
    else std::snprintf(out, static_cast<size_t>(size), "%c", key);
}

// What a panel key works, then where it clicks: the offset from its instrument's point, or a place
// on the radio stack, the engine instruments or the panel's upper part.
void panel_where(const panel_key_entry& k, char* out, int size)
{
    const char* slot;
    switch (k.slot) {
    case 4: slot = "supplementary instrument's point"; break;
    case 6: slot = "HSI's point"; break;
    case 8: slot = "ADF's point"; break;
    case 10: slot = "altimeter's point"; break;
    case FROM_OSH: slot = "panel's upper part"; break;
    case RADIO_X_ONLY: slot = "radio stack"; break;
    case ENGINE_X_ONLY: slot = "engine instruments"; break;
    default: slot = "panel"; break;
    }
    const int x = static_cast<int>(k.dx), y = static_cast<int>(k.dy);
    if (k.slot < 0) std::snprintf(out, static_cast<size_t>(size), "%s [click: %s x %+d, y %d]", k.what, slot, x, y);
    else std::snprintf(out, static_cast<size_t>(size), "%s [click: %s %+d, %+d]", k.what, slot, x, y);
}

// A radio key's effect in words.
void radio_what(const radio_key_entry& k, char* out, int size)
{
    static const char* const names[] = {"COM 1", "NAV 1", "COM 2", "NAV 2", "ADF"};
    const char* dir = k.step < 0 ? "down" : "up";
    const int step = k.step < 0 ? -k.step : k.step;
    if (k.radio >= XPN1) {
        std::snprintf(out, static_cast<size_t>(size), "transponder digit %d %s", static_cast<int>(k.radio - XPN1) + 1,
                      dir);
    } else if (k.radio == ADF) {
        std::snprintf(out, static_cast<size_t>(size), "ADF frequency %s %d kHz", dir, step);
    } else {
        // The first COM and NAV are on the panel only with the supplementary panels that carry them.
        const char* only = k.radio == COM1 || k.radio == NAV1 ? " (panels with a first COM and NAV)" : "";
        if (step >= 1000)
            std::snprintf(out, static_cast<size_t>(size), "%s frequency %s 1 MHz%s", names[k.radio], dir, only);
        else
            std::snprintf(out, static_cast<size_t>(size), "%s frequency %s %d kHz%s", names[k.radio], dir, step, only);
    }
}

// Appends to out as much as fits; counts what the whole text needs.
struct text_out {
    char* out;
    int size, used;
    void add(const char* s)
    {
        const int n = static_cast<int>(std::strlen(s));
        if (out && size > 0 && used < size - 1) {
            const int room = size - 1 - used;
            std::memcpy(out + used, s, static_cast<size_t>(n < room ? n : room));
            out[used + (n < room ? n : room)] = 0;
        }
        used += n;
    }
    void line(int key, const char* what)
    {
        char name[16];
        key_name(key, name, sizeof name);
        named_line(name, what);
    }
    void named_line(const char* name, const char* what)
    {
        char l[320];
        std::snprintf(l, sizeof l, "  %-8s %s\n", name, what);
        add(l);
    }
};

// One lever move in words: "throttle down on every engine", "engine 2 mixture up".
void lever_move(int code, int split, char* out, int size)
{
    static const char* const names[] = {"throttle", "propeller speed", "mixture"};
    lever_kind lever;
    int engine, dir;
    if (!lever_of_code(code, split, &lever, &engine, &dir)) {
        std::snprintf(out, static_cast<size_t>(size), "nothing");
        return;
    }
    const char* way = dir < 0 ? "down" : "up";
    if (engine < 0) std::snprintf(out, static_cast<size_t>(size), "%s %s", names[lever], way);
    else std::snprintf(out, static_cast<size_t>(size), "engine %d %s %s", engine + 1, names[lever], way);
}

// A function key with and without Shift, in both lever modes.
void lever_words(int code, char* out, int size)
{
    char one[64], split[64], split_up[64];
    lever_move(code, 0, one, sizeof one);
    lever_move(code, 1, split, sizeof split);
    lever_move(code + HL_LEVER_SHIFT, 1, split_up, sizeof split_up);
    std::snprintf(out, static_cast<size_t>(size), "one lever: %s; split: %s, with Shift %s", one, split, split_up);
}

}  // namespace

const command_key_entry* command_keys(int* n) { return table(k_command_keys, n); }
const yoke_key_entry* yoke_keys(int* n) { return table(k_yoke_keys, n); }

int lever_of_code(int code, int split, lever_kind* lever, int* engine, int* dir)
{
    if (code < LEVER_FIRST || code > LEVER_LAST) return 0;
    const int shifted = code >= LEVER_FIRST + HL_LEVER_SHIFT;
    const int base = (shifted ? code - HL_LEVER_SHIFT : code) - LEVER_FIRST;   // 0..11
    if (split) {
        // Three groups of four: throttle, propeller, mixture of engines 1..4; Shift raises.
        *lever = static_cast<lever_kind>(base / 4);
        *engine = base % 4;
        *dir = shifted ? 1 : -1;
        return 1;
    }
    // One lever: the first two keys of each group lower and raise every engine's.
    if (shifted || base % 4 > 1) return 0;
    *lever = static_cast<lever_kind>(base / 4);
    *engine = -1;
    *dir = base % 4 == 0 ? -1 : 1;
    return 1;
}

const char* view_key_what(int code)
{
    switch (code) {
    case 25: return "turn the follow views left; move the spot view 100 m left";
    case 26: return "turn the follow views right; move the spot view 100 m right";
    case 27: return "turn the follow views up; move the spot view 100 m ahead";
    case 28: return "turn the follow views down; move the spot view 100 m back";
    default: return "";
    }
}
const menu_key_entry* menu_keys(int* n) { return table(k_menu_keys, n); }
const panel_key_entry* panel_keys(int* n) { return table(k_panel_keys, n); }
const radio_key_entry* radio_keys(int* n) { return table(k_radio_keys, n); }

int write_key_instructions(char* out, int size)
{
    text_out t{out, size, 0};
    if (out && size > 0) out[0] = 0;
    t.add("Kestrova Instructions: Keyboard\n"
          "\n"
          "These keys work while no window is open. Letters are case-sensitive: the capital letters\n"
          "tune the radios. With the French or German keyboard chosen in the Joystick & Flight Mode\n"
          "window, the keys keep their places on a US keyboard.\n");
    t.add("\nFlying\n");
    for (const command_key_entry& k : k_command_keys) t.line(k.key, k.what);
    t.add("\nViews and menu commands\n");
    for (const menu_key_entry& k : k_menu_keys) t.line(k.key, k.what);
    t.add("\nPanel: each key clicks a control as the mouse would. In brackets, where: an offset from the\n"
          "instrument's point, or a place on the 800 by 600 screen (y up from the bottom) that moves\n"
          "sideways with the radio stack, the engine instruments or the panel's upper part.\n");
    for (const panel_key_entry& k : k_panel_keys) {
        char what[256];
        panel_where(k, what, sizeof what);
        t.line(k.key, what);
    }
    t.add("\nNumber pad: the keyboard's stick\n");
    int n;
    const hl_special_key* special = hl_special_keys(&n);
    for (int i = 0; i < n; i++) {
        if (special[i].kind != HL_KEY_YOKE) continue;
        for (const yoke_key_entry& y : k_yoke_keys)
            if (y.code == special[i].code) t.named_line(special[i].name, y.what);
    }
    t.add("\nFunction keys: the engine levers, one lever for every engine or, with a throttle quadrant\n"
          "fitted, split levers per engine (a helicopter's throttle keys move its collective pitch)\n");
    for (int i = 0; i < n; i++) {
        if (special[i].kind != HL_KEY_LEVER) continue;
        char what[256];
        lever_words(special[i].code, what, sizeof what);
        t.named_line(special[i].name, what);
    }
    t.add("\nArrow keys: the views\n");
    for (int i = 0; i < n; i++)
        if (special[i].kind == HL_KEY_VIEW) t.named_line(special[i].name, view_key_what(special[i].code));
    t.add("\nRadios\n");
    for (const radio_key_entry& k : k_radio_keys) {
        char what[128];
        radio_what(k, what, sizeof what);
        t.line(k.key, what);
    }
    return t.used + 1;
}
