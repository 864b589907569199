// setwin_system.cpp -- the system windows: data output (7), serial output (8), rendering (10),
// joystick and flight mode (15), sound (20) and warnings (21).
#include "setwin.h"
#include "setwin_local.h"

#include "hl_btn.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_joy.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "output.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

namespace {

// Window 8's choices and the y of each.
const float SER_Y[6] = {451, 430, 366, 302, 238, 174};
const char* const SER_TEXT[6][2] = {
    {"no serial output", ""},
    {"moving map or GPS receiver:", "NMEA sentences, RMC and GGA by turns, at 4800 baud once a second"},
    {"instruments:", "a packet of 9 floats at 38400 baud, 20 times a second"},
    {"motion platform:", "the platform's own link, moved 20 times a second"},
    {"position:", "a packet of 10 floats at 38400 baud, 20 times a second"},
    {"dynamics:", "a packet of 11 floats at 38400 baud, 20 times a second"},
};

// Window 10's OpenGL strings, read once when the window opens.
constexpr size_t GL_TEXT_LEN = 1200;   // what fits in the window's lower part
char g_gl_text[4][GL_TEXT_LEN];

void read_gl_strings(void)
{
    const GLenum names[4] = {GL_VENDOR, GL_RENDERER, GL_VERSION, GL_EXTENSIONS};
    for (int k = 0; k < 4; k++) {
        const char* s = reinterpret_cast<const char*>(glGetString(names[k]));
        if (!s) s = "";
        const size_t n = std::strlen(s);
        if (n < GL_TEXT_LEN) std::snprintf(g_gl_text[k], GL_TEXT_LEN, "%s", s);
        else std::snprintf(g_gl_text[k], GL_TEXT_LEN, "%.*s ...", static_cast<int>(GL_TEXT_LEN - 5), s);
    }
}

int g_screen_mode = 3;   // window 10's screen mode, 1..4

// Window 15's names of the button flags.
const char* const BUTTON_NAME[JOY_FLAGS] = {
    "hat forward", "hat back",  "hat left",  "hat right", "button 1",  "button 1+2", "button 1+3", "button 1+4",
    "button 5",    "button 6",  "button 7",  "button 8",  "button 9",  "button 10",  "button 11",  "button 12",
    "button 13",   "button 14", "button 15", "button 16", "spare 1",   "spare 2",
};
constexpr int JOY_FUNCTIONS = 30;   // function codes 1..30, 0 none

// A stick position drawn in a box: the cross at (x, y) inside the square of half-size r.
void stick_box(float cx, float cy, float r, float x, float y)
{
    MACIBM_button(cx - r, cy - r, cx + r, cy + r, 0);
    OGL_line(22, cx - r, cy, cx + r, cy);
    OGL_line(22, cx, cy - r, cx, cy + r);
    const float px = cx + r * fltlim(x, -1, 1), py = cy + r * fltlim(y, -1, 1);
    OGL_line(WIN_VALUE_COLOR, px - 4, py, px + 4, py);
    OGL_line(WIN_VALUE_COLOR, px, py - 4, px, py + 4);
}

}  // namespace

void manage_dat(void)
{
    static const char* const heads[3] = {"F", "G", "C"};
    for (int c = 0; c < 2; c++)
        for (int ch = 0; ch < 3; ch++) win_label(dat_switch_x(c, ch) + 1, 378, heads[ch]);
    win_label(200, 8, "F: file   G: graph   C: cockpit");
    int changed = 0;
    for (int item = 0; item < DAT_ITEMS; item++) changed |= util_yval(item, 1);
    if (changed) set_rlt_grf_choices();
}

void manage_ser(void)
{
    win_heading(20, 465, "SERIAL PORT 1 SENDS");
    for (int k = 0; k < 6; k++) {
        inonebool(20, SER_Y[k], &set.serout, k);
        win_label(40, SER_Y[k], SER_TEXT[k][0]);
        if (SER_TEXT[k][1][0]) win_text(40, SER_Y[k] - 14, SER_TEXT[k][1], 540);
    }
}

void manage_ogl(void)
{
    if (window_fresh) {
        read_gl_strings();
        float w = 800, h = 600, b = 16;
        hl_read_res_prefs(res_path, &w, &h, &b);
        g_screen_mode = screen_mode_of(w, h, b);
        if (g_screen_mode == 0) g_screen_mode = 3;
    }
    win_label(20, 505, "texture resolution:");
    in5textbtn(160, 505, "     minimal  ", "     normal   ", "      high    ", "    very high ", "  extreme res!", 90,
               &set.ogl_res);
    win_label(20, 465, "draw trees:");
    in2textbtn(160, 465, "  no  (faster)", "  yes (slower)", 90, &set.ogl_trees);
    win_label(20, 425, "screen mode:");
    if (in4textbtn(160, 425, "640 x 480, 16-bit", "640 x 480, 32-bit", "800 x 600, 16-bit", "800 x 600, 32-bit", 110,
                   &g_screen_mode)) {
        int w, h, b;
        screen_mode(g_screen_mode, &w, &h, &b);
        write_res_prefs(res_path, w, h, b);
    }
    win_label(300, 425, "(used from the next start)");

    static const char* const heads[4] = {"Open-GL Vendor:    ", "Open-GL Renderer:  ", "Open-GL Version:   ",
                                         "Open-GL Extensions:"};
    for (int k = 0; k < 3; k++) {
        win_label(20, 375 - 15 * static_cast<float>(k), heads[k]);
        OGL_string(WIN_VALUE_COLOR, 140, 375 - 15 * static_cast<float>(k), g_gl_text[k], 800, 6);
    }
    win_label(20, 330, heads[3]);
    OGL_string(WIN_VALUE_COLOR, 140, 330, g_gl_text[3], 440, 6);

    static const char* const notes[5] = {
        "It is critical that you use the right 3-D card and renderer to get hardware acceleration.",
        "A 'Generic' renderer probably means that you are NOT getting hardware acceleration.",
        "If this is the case, then you probably need an appropriate video card and drivers for it.",
        "Lowering texture resolution may help frame rate because it will allow all of the textures",
        "to be stored on the video card."};
    for (int k = 0; k < 5; k++) win_label(20, 80 - 12 * static_cast<float>(k), notes[k]);
}

void manage_flt(void)
{
    // ---- response and damping ----
    win_heading(20, 495, "JOYSTICK RESPONSE");
    struct Ratio {
        const char* label;
        float* v;
        float lo;
    } ratios[4] = {{"pitch", &set.joy_rat_ptch, 0.5f},
                   {"roll", &set.joy_rat_roll, 0.5f},
                   {"yaw", &set.joy_rat_hdng, 0.5f},
                   {"damping", &set.damp, 0.0f}};
    for (int k = 0; k < 4; k++) {
        const float y = 470 - 30 * static_cast<float>(k);
        win_label(20, y - 3, ratios[k].label);
        util_scale(80, y, SCALE_BIG, ratios[k].lo, 1, ratios[k].v);
        OGL_number(WIN_VALUE_COLOR, 250, y - 3, *ratios[k].v, 3, 2, 6, 0);
    }

    // ---- equipment and keyboard ----
    win_heading(20, 330, "EQUIPMENT");
    win_switch(20, 310, &set.eq_ped, "rudder pedals", "Do you have rudder pedals calibrated and plugged in? Say so here.");
    win_switch(20, 290, &set.eq_avi, "avionics stack", "Do you have an avionics stack? Say so here.");
    win_switch(20, 270, &set.eq_thr, "throttle quadrant",
               "Do you have a throttle quadrant to manipulate the throttles? Say so here.");
    win_switch(20, 250, &set.eq_col, "collective stick", "Do you have a collective stick for your helo flying? Say so here.");
    win_label(20, 210, "keyboard:");
    in3textbtn(90, 210, "AMERICAN", " FRENCH ", " GERMAN ", 56, &msc.key_type);

    // ---- the stick as it stands ----
    win_heading(20, 165, "JOYSTICK NOW");
    float p = 0, r = 0, yaw = 0, thr = 0;
    JOY_get(&p, &r, &yaw, &thr, 0);
    stick_box(70, 90, 50, r, -p);
    win_label(30, 26, "pitch and roll");
    MACIBM_button(140, 40, 300, 52, 0);
    OGL_fillrect(WIN_VALUE_COLOR, 220 + 80 * fltlim(yaw, -1, 1) - 2, 41, 5, 10);
    win_label(140, 60, "yaw");
    MACIBM_button(140, 100, 300, 112, 0);
    OGL_fillrect(WIN_VALUE_COLOR, 141, 101, 158 * fltlim(thr, 0, 1), 10);
    win_label(140, 120, "throttle");

    // ---- button functions ----
    win_heading(360, 495, "BUTTON FUNCTIONS (0 NONE, 1..30)");
    for (int k = 0; k < JOY_FLAGS; k++) {
        const float x = 360 + 210 * static_cast<float>(k / 11), y = 465 - 40 * static_cast<float>(k % 11);
        win_label(x, y, BUTTON_NAME[k]);
        float code = static_cast<float>(intlim(set.joy_response[k], 0, JOY_FUNCTIONS));
        instdbtn_range(x + 90, y, WIN_VALUE_COLOR, &code, 2, 0, 0, JOY_FUNCTIONS,
                       "The function this button does: see the joystick section of the instructions.");
        set.joy_response[k] = round(code);
    }
}

void manage_snd(void)
{
    win_heading(20, 225, "SOUND");
    win_switch(20, 200, &msc.sound_on, "engine and other sounds",
               "This turns on Kestrova engine, wind, rain, flap, gear, and other sounds.");
    win_switch(20, 175, &set.warn_bb, "aural warnings",
               "This turns on the aural warning system sounds (Bitchin' Betty) on airplanes so equipped.");
    win_switch(20, 150, &set.voice_out, "spoken air traffic control",
               "This allows verbal air traffic control. You have to have speech synthesis from Apple or Microsoft "
               "installed on your machine for this to work.");
    win_switch(20, 125, &set.text_out, "air traffic control as text",
               "This allows air traffic control text output, which you might want turned off if you are using verbal "
               "air traffic control.");
    win_text(20, 80,
             msc.speech_avail ? "Speech synthesis for air traffic control voice output IS installed on this machine."
                              : "Speech synthesis for air traffic control voice output is not installed on this machine.",
             250);
}

void manage_wrn(void)
{
    win_heading(20, 150, "WARNINGS");
    win_switch(20, 120, &set.warn_frame, "low frame rate",
               "If this is on, Kestrova will warn you annoyingly if your frame rate gets too low.");
    win_switch(20, 90, &set.warn_overspeed, "overspeed",
               "If this is on, Kestrova will shed certain flying surfaces if you overspeed your plane. Do not overspeed "
               "your plane.");
    win_switch(20, 60, &set.warn_flaps, "flaps above Vfe",
               "If this is on, Kestrova will warn you annoyingly if you lower the flaps above your maximum flap "
               "extension speed (Vfe, the high-end of the white arc if any on the airspeed indicator.");
}
