// atc_menu.cpp -- the pilot's options menu over the outside view: the main list of calls, the lists
// of airports and localizers to ask for, and what choosing a line does.
#include "atc.h"

#include <cstdio>
#include <cstring>

#include "atc_local.h"
#include "do_speech.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"

namespace {

constexpr int MAIN_ROWS = 19;
constexpr int SUB_COLS = 5, SUB_ROWS = 20;
constexpr int WINDOW_FLIGHT_PLAN = 25;

// Colours of the lines: available, suggested as the next call, and the frame of the line under the
// mouse.
constexpr int COLOR_AVAILABLE = 46;
constexpr int COLOR_SUGGESTED = 41;
constexpr int COLOR_FRAME = 38;

// Where the mouse was when the selection last followed it; below 0 never.
float g_last_mx = -1.0f, g_last_my = -1.0f;

// The main list: each row's state (0 hidden, 1 available, 2 suggested) and text. The texts are
// rebuilt only when what they say changes, so the frames the menu is drawn in do no text work.
int g_stat[MAIN_ROWS];
char g_text[MAIN_ROWS][STR_LEN];
struct TextKey {
    int phase, plan_index, present;
    char tail[STR_LEN];
};
TextKey g_text_key;
int g_texts_built = 0;

void row(int r, int available, int suggested, const char* a, const char* b, int texts)
{
    g_stat[r] = available ? (suggested ? 2 : 1) : 0;
    if (texts) C_plus_C(a, b, g_text[r]);
}

// The pilot's check-in line for the frequency the plan has reached.
void checkin_line(char* out)
{
    char dep[ATC_NAME_LEN], dest[ATC_NAME_LEN];
    atc_apt_name(atc_present_airport(), dep);
    atc_apt_name(atc.plan_index, dest);
    const char *place = "", *unit = "", *end = " with you.";
    C_to_C("", out);
    switch (atc.plan_phase) {
    case 4: place = dep, unit = " departure "; break;
    case 5: C_to_C("Center, ", out); break;
    case 6: place = dest, unit = " approach ", end = " with you inbound."; break;
    case 7: place = dest, unit = " tower ", end = " with you inbound."; break;
    case 9: place = dest, unit = " ground ", end = " clear active."; break;
    default: break;
    }
    app_C(out, place);
    app_C(out, unit);
    app_C(out, pln[0].tailnum);
    app_C(out, end);
}

// Fills the main list's states from the plan and the flight, and its texts when they change.
void build_main_rows(void)
{
    const char* tail = pln[0].tailnum;
    int plan = fpl.onfile, active = fpl.onfile && fpl.activated;
    int ground_twr = atc_at_towered_field();
    int airborne = !flt.onground;
    char line[STR_LEN];
    line[0] = 0;

    int t = !g_texts_built || g_text_key.phase != atc.plan_phase || g_text_key.plan_index != atc.plan_index ||
            g_text_key.present != atc_present_airport() ||
            std::strcmp(g_text_key.tail, tail) != 0;
    if (t) {
        g_texts_built = 1;
        g_text_key.phase = atc.plan_phase;
        g_text_key.plan_index = atc.plan_index;
        g_text_key.present = atc_present_airport();
        C_to_C(tail, g_text_key.tail);
        checkin_line(line);
    }

    row(0, !plan, 1, "File flight plan", "", t);
    row(1, plan, 0, "Amend flight plan", "", t);
    row(2, 1, 0, "Get ATIS...", "", t);
    row(3, 0, 0, "", "", t);
    row(4, plan && !active, 1, tail, " would like to pick up my flight plan.", t);
    row(5, active, 0, tail, " would like to close my flight plan.", t);
    row(6, atc.waiting_new_frq, plan, line, "", t);
    row(7, atc.response[0] != 0, 0, tail, " say again please.", t);
    row(8, 0, 0, "", "", t);
    row(9, ground_twr, atc.plan_phase == 3 && active, tail, " request taxi to active ", t);
    row(10, ground_twr, atc.plan_phase == 3 && active, tail, " request take off ", t);
    row(11, airborne, 0, tail, " request vectors...", t);
    row(12, airborne, 0, tail, " request landing...", t);
    row(13, airborne, 0, tail, " request I L S...", t);
    row(14, airborne, 0, tail, " request localizer...", t);
    row(15, 0, 0, "", "", t);
    row(16, airborne, 0, tail, " DECLARING AN EMERGENCY, REQUEST VECTORS NEAREST FIELD!", t);
    row(17, 0, 0, "", "", t);
    row(18, 1, 0, tail, " Wind check please!", t);
}

int level_lists_navaids(void)
{
    return atc.menu_level == 6 || atc.menu_level == 7;
}

// The index (airport or navaid) of entry k of the present sub-level's list; -1 past its end.
int sub_entry(int k)
{
    if (k < 0 || k >= SUB_COLS * SUB_ROWS) return -1;
    int seen = 0;
    if (level_lists_navaids()) {
        for (int n = 0; n <= nav_wrl_max && n < MAX_NAV; n++)
            if (use_nav(n) && seen++ == k) return n;
    } else {
        for (int a = 0; a <= apt_wrl_max && a < MAX_APT; a++)
            if (use_apt(a) && seen++ == k) return a;
    }
    return -1;
}

// The selection follows the mouse whenever the mouse has moved; the arrow keys move it otherwise.
void follow_mouse(void)
{
    if (mnw.mx == g_last_mx && mnw.my == g_last_my) return;
    g_last_mx = mnw.mx;
    g_last_my = mnw.my;
    atc.sel_i = static_cast<int>((mnw.mx - 17.0f) / 150.0f);
    atc.sel_j = static_cast<int>((547.0f - mnw.my) / 10.0f);
}

void close_menu(void)
{
    atc.menu_up = 0;
    atc.menu_level = 0;
}

void say_again(void)
{
    char s[STR_LEN];
    C_to_C(atc.response, s);
    speakstring(s);
}

void close_plan_by_pilot(void)
{
    fpl.onfile = 0;
    fpl.activated = 0;
    atc.ils_vec_in_progress = 0;
    char s[STR_LEN];
    start_command_string(s, 1);
    app_C(s, "flight plan closed. Squawk 1 2 0 0. Good day.");
    speakstring(s);
}

void request_here(const char* what)
{
    char s[STR_LEN], name[ATC_NAME_LEN];
    atc_apt_name(atc_present_airport(), name);
    C_plus_C(what, name, s);
    controller_respond(s);
}

void choose_main(int r)
{
    if (g_stat[r] == 0) {
        close_menu();
        return;
    }
    if (r == 2) {
        atc.menu_level = 1;
        return;
    }
    if (r >= 11 && r <= 14) {
        atc.menu_level = r - 7;
        return;
    }
    close_menu();
    switch (r) {
    case 0: {
        int a = atc_present_airport();
        if (a >= 0) std::snprintf(fpl.dep_id_str, sizeof fpl.dep_id_str, "%.4s", apt_id[a]);
        MACIBM_startwind(WINDOW_FLIGHT_PLAN);
        break;
    }
    case 1: MACIBM_startwind(WINDOW_FLIGHT_PLAN); break;
    case 4:
        fpl.activated = 1;
        atc.plan_phase = 0;
        handle_plan(1);
        break;
    case 5: close_plan_by_pilot(); break;
    case 6:
        atc.waiting_new_frq = 0;
        handle_plan(1);
        break;
    case 7: say_again(); break;
    case 9: request_here("request taxi "); break;
    case 10: request_here("request takeoff "); break;
    case 16: controller_respond("declaring an emergency"); break;
    case 18: controller_respond("wind check"); break;
    default: break;
    }
}

void choose_sub(int entry)
{
    int level = atc.menu_level;
    close_menu();
    if (entry < 0) return;
    char s[STR_LEN], name[ATC_NAME_LEN];
    if (level == 1) {
        // The information letter moves on every hour.
        int hour = static_cast<int>(fltwrap(msc.zulu_time, 0.0f, 86400.0f) / 3600.0f) % 24;
        get_ATIS(entry, static_cast<char>('A' + hour % 26), s, 1);
        speakstring(s);
        return;
    }
    static const char* const prefix[4] = {"request vectors ", "request landing ", "request I L S ", "request localizer "};
    if (level < 4 || level > 7) return;
    if (level >= 6) atc_nav_name(entry, name);
    else atc_apt_name(entry, name);
    C_plus_C(prefix[level - 4], name, s);
    controller_respond(s);
}

void draw_main(void)
{
    for (int r = 0; r < MAIN_ROWS; r++) {
        if (!g_stat[r]) continue;
        float y = 538.0f - 10.0f * static_cast<float>(r);
        OGL_string(g_stat[r] == 2 ? COLOR_SUGGESTED : COLOR_AVAILABLE, 12.0f, y, g_text[r], 800.0f, 6.0f);
        if (r == atc.sel_j) OGL_framerect(COLOR_FRAME, 9.0f, y - 2.0f, 6.0f * static_cast<float>(std::strlen(g_text[r])) + 5.0f, 10.0f);
    }
}

// The names are drawn straight from the tables (the loader ends each within its field).
void draw_sub(void)
{
    int k = 0;
    int navaids = level_lists_navaids();
    int last = navaids ? nav_wrl_max : apt_wrl_max;
    for (int i = 0; i <= last && k < SUB_COLS * SUB_ROWS; i++) {
        if (navaids ? !use_nav(i) : !use_apt(i)) continue;
        const char* name = navaids ? nav_name[i] : apt_name[i];
        int c = k / SUB_ROWS, r = k % SUB_ROWS;
        float x = 12.0f + 150.0f * static_cast<float>(c), y = 538.0f - 10.0f * static_cast<float>(r);
        OGL_string(COLOR_AVAILABLE, x, y, name, 800.0f, 6.0f);
        if (c == atc.sel_i && r == atc.sel_j) OGL_framerect(COLOR_FRAME, x - 3.0f, y - 2.0f, 147.0f, 10.0f);
        k++;
    }
}

}  // namespace

int use_apt(int index)
{
    if (!atc_apt_valid(index) || !apt_inreg[index]) return 0;
    switch (atc.menu_level) {
    case 1:
    case 5: return apt_twr[index] != 0;
    case 4: return 1;
    default: return 0;
    }
}

int use_nav(int index)
{
    if (index < 0 || index > nav_wrl_max || index >= MAX_NAV || !nav_inreg[index]) return 0;
    switch (atc.menu_level) {
    case 6: return nav_type[index] == 4;
    case 7: return nav_type[index] == 5;
    default: return 0;
    }
}

void plot_atc_options(int clicked)
{
    follow_mouse();
    if (atc.menu_level == 0) {
        atc.sel_j = intlim(atc.sel_j, 0, MAIN_ROWS - 1);
        build_main_rows();
        if (clicked) choose_main(atc.sel_j);
        else draw_main();
        return;
    }
    atc.sel_i = intlim(atc.sel_i, 0, SUB_COLS - 1);
    atc.sel_j = intlim(atc.sel_j, 0, SUB_ROWS - 1);
    if (clicked) choose_sub(sub_entry(atc.sel_i * SUB_ROWS + atc.sel_j));
    else draw_sub();
}

int atc_option(int r, const char** text)
{
    if (r < 0 || r >= MAIN_ROWS) return 0;
    build_main_rows();
    if (text) *text = g_text[r];
    return g_stat[r];
}

void reset_menu_state(void)
{
    g_last_mx = g_last_my = -1.0f;
    g_texts_built = 0;
    for (int r = 0; r < MAIN_ROWS; r++) {
        g_stat[r] = 0;
        g_text[r][0] = 0;
    }
}
