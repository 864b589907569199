// setwin_util.cpp -- the controls the settings windows share (slider, failure row, data-output row,
// isometric projection) and the mappings between window positions and the values they set.
#include "setwin.h"
#include "setwin_local.h"

#include "hl_btn.h"
#include "hl_file.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "output.h"

#include <cmath>
#include <cstdio>
#include <cstring>

int window_fresh = 0;

namespace {

constexpr float VERT_LEN = 54;    // length of a vertical slider
constexpr float HORZ_LEN = 156;   // length of a horizontal slider (and of both sides of a two-sided one)
constexpr float HALF_LEN = 78;

// Knob colour and size of each slider kind.
constexpr int KNOB_COLOR[5] = {50, 50, 50, 42, 50};
constexpr float KNOB_SIZE[5] = {8, 11, 8, 8, 8};

// The data-output blocks: first item of each block, and one past the last.
constexpr int BLOCK_FIRST[14] = {0, 3, 5, 8, 15, 20, 25, 28, 37, 39, 40, 42, 48, 50};
constexpr int DAT_BLOCKS = 13;
constexpr int DAT_RIGHT_FIRST_BLOCK = 6;   // blocks 6..12 (items 25..49) fill the right column
constexpr float DAT_COL_X[2] = {10, 312};

// The failure rows' texts.
const char* const FAIL_NAME[32] = {
    "vacuum system",  "airspeed",        "attitude",       "altimeter",      "turn indicator",
    "direct. gyro",   "vertical speed",  "EFIS 1",         "EFIS 2",         "radios",
    "an engine",      "ailerons",        "elevator",       "rudder",         "flaps",
    "slats",          "throttle",        "gear leg 1",     "gear leg 2",     "gear leg 3",
    "electrical",     "hydraulics",      "a governor",     "stab. augment",  "flap symmetry",
    "pitch trim",     "a reverser lock", "anti-ice",       "an oil pump",    "cockpit lights",
    "autopilot",      "tail rotor",
};
constexpr float FAIL_ROW_DY = 40;   // rows of a failure column, top to bottom

const char* const HELP_DSK =
    "This data will go to a file called 'Kestrova.out' in simple text format. This data can be used for graphing, "
    "spreadsheets, manual interpretation, or other light reading.";
const char* const HELP_GRF =
    "This data will go to the graphics display for visual reference. Check it out at 'Graphic Flight Record' in the "
    "'Output' menu. This is useful for looking at trends over some period of time.";
const char* const HELP_RLT =
    "This data will go to the cockpit display in numerical form so you can look at the exact numbers in flight. "
    "This is handy for rapid in-flight testing.";

// The isometric projection: window point = origin + scale * (east, up, south) through the axes.
struct Iso {
    float scale = 0.01f, ox = 0, oy = 0;
} g_iso;
constexpr float ISO_COS30 = 0.8660254f;
constexpr float ISO_HEIGHT_GAIN = 3;   // heights are drawn this many times their real size

int limit_between(float* v, float a, float b)
{
    const float lo = a < b ? a : b, hi = a < b ? b : a;
    float old = *v;
    if (!(*v >= lo)) *v = lo;   // NaN falls to lo
    if (*v > hi) *v = hi;
    return *v != old;
}

}  // namespace

// ---- slider -----------------------------------------------------------------------------------------

int scale_value_at(float x, float y, int kind, float lo, float hi, float mx, float my, float* out)
{
    float u;
    if (kind == SCALE_VERT) {
        if (std::fabs(mx - x) > SCALE_GRAB || my < y || my > y + VERT_LEN) return 0;
        u = (my - y) / VERT_LEN;
    } else {
        const float x0 = kind == SCALE_TWO_SIDED ? x - HALF_LEN : x;
        if (std::fabs(my - y) > SCALE_GRAB || mx < x0 || mx > x0 + HORZ_LEN) return 0;
        u = (mx - x0) / HORZ_LEN;
    }
    *out = lo + u * (hi - lo);
    return 1;
}

float scale_knob_pos(float x, float y, int kind, float lo, float hi, float v)
{
    const float u = hi != lo ? fltlim((v - lo) / (hi - lo), 0, 1) : 0;
    if (kind == SCALE_VERT) return y + u * VERT_LEN;
    return (kind == SCALE_TWO_SIDED ? x - HALF_LEN : x) + u * HORZ_LEN;
}

int util_scale(float x, float y, int kind, float lo, float hi, float* value)
{
    kind = intlim(kind, 0, 4);
    int moved = 0;
    float v;
    if ((mnw.mouse_clicked || mnw.now_dragging) && scale_value_at(x, y, kind, lo, hi, mnw.mx, mnw.my, &v)) {
        moved = v != *value;
        *value = v;
    }
    limit_between(value, lo, hi);

    const float k = scale_knob_pos(x, y, kind, lo, hi, *value);
    const float s = KNOB_SIZE[kind];
    if (kind == SCALE_VERT) {
        MACIBM_button(x - 2, y, x + 2, y + VERT_LEN, 0);
        OGL_fillrect(KNOB_COLOR[kind], x - s / 2, k - s / 2, s, s);
        MACIBM_button(x - s / 2, k - s / 2, x + s / 2, k + s / 2, 1);
        return moved;
    }
    const float x0 = kind == SCALE_TWO_SIDED ? x - HALF_LEN : x;
    MACIBM_button(x0, y - 2, x0 + HORZ_LEN, y + 2, 0);
    if (kind == SCALE_TWO_SIDED) {
        // The part between the centre and the knob: the positive side in one colour, the negative
        // side in the other.
        if (k > x) OGL_fillrect(50, x, y - 1, k - x, 3);
        if (k < x) OGL_fillrect(44, k, y - 1, x - k, 3);
        OGL_line(6, x, y - 5, x, y + 5);
    }
    OGL_fillrect(KNOB_COLOR[kind], k - s / 2, y - s / 2, s, s);
    MACIBM_button(k - s / 2, y - s / 2, k + s / 2, y + s / 2, 1);
    return moved;
}

// ---- failure rows -----------------------------------------------------------------------------------

int util_setfailsit(int failure, int first, float x, float y, float rate)
{
    // The rate is the window's own slider; the rows keep their own settings beside it.
    (void)rate;
    if (failure < 0 || failure >= 32) return 0;
    const float ry = y - FAIL_ROW_DY * static_cast<float>(failure - first);
    win_label(x, ry + 12, FAIL_NAME[failure]);
    int changed = in3textbtn(x, ry, "   always working  ", " mean time to fail>", "    inoperative    ", 120,
                             &rel.fail_type[failure]);
    if (rel.fail_type[failure] == 2) {
        changed |= instdbtn_range(x + 142, ry, 47, &rel.fail_time_max[failure], 2, 0, 1, FAIL_HOURS_MAX,
                                  "This is the mean time between failures of this piece of equipment.");
        win_label(x + 166, ry, "hours");
    }
    return changed;
}

// ---- data-output rows -------------------------------------------------------------------------------

int dat_block(int item)
{
    for (int b = 0; b < DAT_BLOCKS; b++)
        if (item >= BLOCK_FIRST[b] && item < BLOCK_FIRST[b + 1]) return b;
    return -1;
}

int dat_column(int item) { return dat_block(item) >= DAT_RIGHT_FIRST_BLOCK ? 1 : 0; }

float dat_row_y(int item)
{
    const int b = dat_block(item);
    if (b < 0) return 0;
    const int first_block = b >= DAT_RIGHT_FIRST_BLOCK ? DAT_RIGHT_FIRST_BLOCK : 0;
    const int rows = item - BLOCK_FIRST[first_block];
    const int gaps = b - first_block;
    return DAT_TOP_Y - DAT_ROW_DY * static_cast<float>(rows) - DAT_GAP_DY * static_cast<float>(gaps);
}

float dat_switch_x(int column, int channel) { return DAT_COL_X[intlim(column, 0, 1)] + 14.0f * static_cast<float>(channel); }

int util_yval(int item, int help)
{
    if (item < 0 || item >= DAT_ITEMS) return 0;
    const int c = dat_column(item);
    const float y = dat_row_y(item);
    int changed = 0;
    changed |= inboolbtn(dat_switch_x(c, 0), y, &set.Bdsk[item], help ? HELP_DSK : nullptr);
    changed |= inboolbtn(dat_switch_x(c, 1), y, &set.Bgrf[item], help ? HELP_GRF : nullptr);
    changed |= inboolbtn(dat_switch_x(c, 2), y, &set.Brlt[item], help ? HELP_RLT : nullptr);
    const float lx = dat_switch_x(c, 3);
    OGL_number(39, lx, y, static_cast<float>(item), 2, 0, 6, 0);
    OGL_string(39, lx + 18, y, out_item_label(item), 800, 6);
    return changed;
}

// ---- isometric projection ---------------------------------------------------------------------------

void util_isomize(float x, float h, float z, float* sx, float* sy)
{
    // East runs right and up, south runs right and down, height straight up.
    const float e = x - env.lox, s = z - env.loz;
    *sx = g_iso.ox + g_iso.scale * ISO_COS30 * (e + s);
    *sy = g_iso.oy + g_iso.scale * (0.5f * (e - s) + ISO_HEIGHT_GAIN * h);
}

void util_isomize_fit(float win_w, float win_h)
{
    const float w = std::fabs(env.hix - env.lox), d = std::fabs(env.hiz - env.loz);
    if (!(w > 1 && d > 1)) {
        g_iso = Iso{};
        return;
    }
    const float span_x = ISO_COS30 * (w + d), span_y = 0.5f * (w + d);
    g_iso.scale = fltmin2((win_w - 20) / span_x, (win_h - 60) / span_y);
    // The north-west corner (0, 0) sits at the left; the region's lowest point is the south-west.
    g_iso.ox = 10;
    g_iso.oy = 20 + g_iso.scale * 0.5f * d;
}

// ---- mappings ---------------------------------------------------------------------------------------

float time_bar_hours(float x) { return fltlim(24.0f * (x - TIME_BAR_X0) / (TIME_BAR_X1 - TIME_BAR_X0), 0, 24); }
float time_bar_x(float hours) { return TIME_BAR_X0 + fltlim(hours, 0, 24) / 24.0f * (TIME_BAR_X1 - TIME_BAR_X0); }

float world_map_x(float lon) { return (lon + 180.0f) / 360.0f * 788.0f; }
float world_map_y(float lat) { return 50.0f + (lat + 60.0f) / 140.0f * 393.0f; }
float world_map_lon(float x) { return x / 788.0f * 360.0f - 180.0f; }
float world_map_lat(float y) { return (y - 50.0f) / 393.0f * 140.0f - 60.0f; }

const char* compass_word(float bearing)
{
    static const char* const words[9] = {"north", "north-east", "east",       "south-east", "south",
                                         "south-west", "west",     "north-west", "north"};
    const float b = std::isfinite(bearing) ? fltwrap(bearing, 0, 360) : 0;
    return words[intlim(static_cast<int>(std::floor(b / 45.0f + 0.5f)), 0, 8)];
}

int nearest_airport(double lat, double lon, float* nm, float* bearing)
{
    int best = -1;
    double best_d2 = 0, best_n = 0, best_e = 0;
    const double k = std::cos(lat * 3.14159265358979 / 180.0);
    for (int a = 0; a <= apt_wrl_max && a < MAX_APT; a++) {
        const int r = apt_lo_ind[a];
        if (apt_hi_ind[a] < r || r < 0 || r >= MAX_RWY) continue;   // an airport without runways
        const double n = (lat - rwy_lat[r]) * 60.0, e = (lon - rwy_lon[r]) * 60.0 * k;
        const double d2 = n * n + e * e;
        if (best < 0 || d2 < best_d2) {
            best = a;
            best_d2 = d2;
            best_n = n;
            best_e = e;
        }
    }
    if (best < 0) return -1;
    *nm = static_cast<float>(std::sqrt(best_d2));
    float b = static_cast<float>(std::atan2(best_e, best_n) * 180.0 / 3.14159265358979);
    *bearing = b < 0 ? b + 360.0f : b;
    return best;
}

float friction_for_condition(int condition) { return interp(1, 1.0f, 3, 0.4f, static_cast<float>(intlim(condition, 1, 3))); }

int condition_for_friction(float ratio)
{
    if (!std::isfinite(ratio)) return 1;
    return intlim(static_cast<int>(std::lround(interp(1.0f, 1, 0.4f, 3, ratio))), 1, 3);
}

float wave_length_for(float amp) { return amp * 12.0f; }
float wave_speed_for(float length) { return std::sqrt(fltmax2(length, 0) * con.mtrstoft) * 1.34f * con.ktstomsc; }

int word_index(float v, float lo, float hi, int n)
{
    if (n <= 1 || hi == lo || !std::isfinite(v)) return 0;
    const float u = (v - lo) / (hi - lo);
    return intlim(static_cast<int>(std::floor(u * static_cast<float>(n))), 0, n - 1);
}

float payload_max(void)
{
    // The slider runs over the aircraft's whole useful load; fuel and jettisonable load on top of a
    // full payload show as overweight rather than being refused.
    return fltmax2(pln[0].m_max - pln[0].m_empty, 0);
}

int write_res_prefs(const char* path, int width, int height, int bits)
{
    if (!ouf_open(path, 207, 2)) return 0;
    ouf << width << "\n" << height << "\n" << bits << "\n";
    return ouf_close(path);
}

void screen_mode(int mode, int* width, int* height, int* bits)
{
    mode = intlim(mode, 1, 4);
    *width = mode <= 2 ? 640 : 800;
    *height = mode <= 2 ? 480 : 600;
    *bits = mode % 2 ? 16 : 32;
}

int screen_mode_of(float width, float height, float bits)
{
    for (int m = 1; m <= 4; m++) {
        int w, h, b;
        screen_mode(m, &w, &h, &b);
        if (std::lround(width) == w && std::lround(height) == h && std::lround(bits) == b) return m;
    }
    return 0;
}

// ---- drawing helpers of the windows -----------------------------------------------------------------

void win_label(float x, float y, const char* text) { OGL_string(WIN_LABEL_COLOR, x, y, text, 800, 6); }
void win_heading(float x, float y, const char* text) { OGL_string(WIN_HEAD_COLOR, x, y, text, 800, 6); }
void win_text(float x, float y, const char* text, float width) { OGL_string(WIN_LABEL_COLOR, x, y, text, width, 6); }

int win_clicked_in(float x1, float y1, float x2, float y2)
{
    return mnw.mouse_clicked && mnw.mx >= x1 && mnw.mx <= x2 && mnw.my >= y1 && mnw.my <= y2;
}

void win_box_button(float x1, float y1, float x2, float y2, const char* text)
{
    MACIBM_button(x1, y1, x2, y2, 1);
    MACIBM_button(x1 + 1, y1 + 1, x2 - 1, y2 - 1, 1);
    const float w = 6.0f * static_cast<float>(std::strlen(text));
    OGL_string(WIN_LABEL_COLOR, 0.5f * (x1 + x2 - w), 0.5f * (y1 + y2) - 3, text, 800, 6);
}

void win_switch(float x, float y, int32_t* flag, const char* label, const char* help)
{
    inboolbtn(x, y, flag, help);
    win_label(x + 16, y, label);
}
