// hl_btn.cpp -- immediate-mode entry fields: lamps, switches, choices, codes, numbers, names, lists.
#include "hl_btn.h"

#include "hl_event.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_opensave.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"

#include <cmath>
#include <cstdio>
#include <cstring>

float select_val = 0;

namespace {

// The name list's layout, relative to its anchor (the top row's baseline at x).
constexpr int NL_ROWS = 13;                       // rows shown, the current entry in the middle
constexpr float NL_ID_X = 234;                    // the id column
constexpr float NL_BAR_X1 = 268, NL_BAR_X2 = 282;
constexpr float NL_TRACK_TOP = -4, NL_TRACK_BOT = -110;
constexpr float NL_THUMB_TOP = -11, NL_THUMB_BOT = -103;   // thumb centre at lo and at hi

const int* s_list_grab = nullptr;   // the name list whose thumb is held, by its index

int inside(float x, float y, float x1, float y1, float x2, float y2)
{
    return x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

int mouse_in(float x1, float y1, float x2, float y2) { return inside(mnw.mx, mnw.my, x1, y1, x2, y2); }
int clicked_in(float x1, float y1, float x2, float y2) { return mnw.mouse_clicked && mouse_in(x1, y1, x2, y2); }

// Offers help to the event loop's bubble while the mouse is over the box; the bubble hangs at the
// field's x, 20 units below its y.
void offer_help(float x, float y, float x1, float y1, float x2, float y2, const char* help)
{
    if (!help || !help[0] || !mouse_in(x1, y1, x2, y2)) return;
    std::snprintf(mnw.help_message, sizeof mnw.help_message, "%s", help);
    mnw.help_x1 = x;
    mnw.help_y2 = y - 20;
}

// lo + (v - lo) taken round the n values lo .. lo + n - 1, for any v.
int wrap_into(int v, int lo, int n)
{
    long long r = (static_cast<long long>(v) - lo) % n;
    if (r < 0) r += n;
    return lo + static_cast<int>(r);
}

// A small triangle inside the box, pointing up or down.
void arrow_box(float x1, float y1, float x2, float y2, int up)
{
    MACIBM_button(x1, y1, x2, y2, 1);
    float cx = (x1 + x2) / 2, h = (y2 - y1) / 4;
    float tip = up ? (y1 + y2) / 2 + h : (y1 + y2) / 2 - h, base = up ? (y1 + y2) / 2 - h : (y1 + y2) / 2 + h;
    OGL_line(6, cx - 4, base, cx, tip);
    OGL_line(6, cx, tip, cx + 4, base);
    OGL_line(6, cx + 4, base, cx - 4, base);
}

// The choice field behind in2textbtn .. in6textbtn: n texts for the values lo .. lo + n - 1.
int textbtn(float x, float y, const char* const* texts, int n, int lo, float width, int* sel)
{
    const float ax1 = x + width, ax2 = x + width + 15;
    const int step = textbtn_step(x, y, width);
    int before = *sel;
    *sel = wrap_into(*sel + step, lo, n);
    arrow_box(ax1, y + 3, ax2, y + 23, 1);
    arrow_box(ax1, y - 17, ax2, y + 3, 0);
    const char* t = texts[*sel - lo];
    OGL_string(47, x, y, t ? t : "", 800, 6);
    return step != 0 && *sel != before;
}

// The identifier field behind in4charbtn and in6charbtn: n cells, s holds n + 1 bytes.
int charbtn(float x, float y, int colour, char* s, int n)
{
    int code[6];
    int ended = 0;
    for (int k = 0; k < n; k++) {
        // A short text ends in blanks; nothing past its end is read.
        if (!ended && s[k] == 0) ended = 1;
        code[k] = ended ? 0 : char_to_code(s[k]);
    }
    int changed = 0;
    if (mnw.mouse_clicked && mnw.mx >= x && mnw.mx < x + 10.0f * n && mnw.my >= y - 14 && mnw.my <= y + 20) {
        int k = intlim(static_cast<int>(std::floor((mnw.mx - x) / 10)), 0, n - 1);
        int next = intlim(code[k] + (mnw.my < y + 3 ? 1 : -1), 0, CHARBTN_MAX_CODE);
        changed = next != code[k];
        code[k] = next;
    }
    for (int k = 0; k < n; k++) s[k] = code_to_char(code[k]);
    s[n] = 0;
    OGL_string(colour, x, y, s, 800, 10);
    return changed;
}

}  // namespace

void block(float x, float y, int lit)
{
    const int light = lit ? 46 : 50, face = lit ? 49 : 51, dark = lit ? 50 : 52;
    OGL_fillrect(face, x, y, 7, 7);
    OGL_line(light, x, y, x, y + 7);
    OGL_line(light, x, y + 7, x + 7, y + 7);
    OGL_line(dark, x + 7, y + 7, x + 7, y);
    OGL_line(dark, x + 7, y, x, y);
}

int inboolbtn(float x, float y, int* flag, const char* help)
{
    int changed = 0;
    if (clicked_in(x - 2, y - 2, x + 9, y + 9)) {
        *flag = !*flag;
        changed = 1;
    }
    block(x, y, *flag != 0);
    offer_help(x, y, x - 2, y - 2, x + 9, y + 9, help);
    return changed;
}

void inintbtn(float x, float y, int* flag, const char* help)
{
    if (clicked_in(x - 2, y - 2, x + 9, y + 9)) *flag = *flag == 1 ? 0 : 1;
    block(x, y, *flag == 1);
    offer_help(x, y, x - 2, y - 2, x + 9, y + 9, help);
}

int inonebool(float x, float y, int* var, int value)
{
    int changed = 0;
    if (clicked_in(x, y, x + 10, y + 10) && *var != value) {
        *var = value;
        changed = 1;
    }
    block(x + 1, y + 1, *var == value);
    return changed;
}

int textbtn_step(float x, float y, float width)
{
    if (!mnw.mouse_clicked || mnw.mx < x + width || mnw.mx > x + width + 15) return 0;
    // y+3 belongs to the lower box alone, so one click never steps both ways.
    if (mnw.my > y + 3 && mnw.my <= y + 23) return 1;
    if (mnw.my >= y - 17 && mnw.my <= y + 3) return -1;
    return 0;
}

int in2textbtn(float x, float y, const char* t0, const char* t1, float width, int* sel)
{
    const char* t[] = {t0, t1};
    return textbtn(x, y, t, 2, 0, width, sel);
}

int in3textbtn(float x, float y, const char* t1, const char* t2, const char* t3, float width, int* sel)
{
    const char* t[] = {t1, t2, t3};
    return textbtn(x, y, t, 3, 1, width, sel);
}

int in4textbtn(float x, float y, const char* t1, const char* t2, const char* t3, const char* t4, float width,
               int* sel)
{
    const char* t[] = {t1, t2, t3, t4};
    return textbtn(x, y, t, 4, 1, width, sel);
}

int in5textbtn(float x, float y, const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
               float width, int* sel)
{
    const char* t[] = {t1, t2, t3, t4, t5};
    return textbtn(x, y, t, 5, 1, width, sel);
}

int in6textbtn(float x, float y, const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
               const char* t6, float width, int* sel)
{
    const char* t[] = {t1, t2, t3, t4, t5, t6};
    return textbtn(x, y, t, 6, 1, width, sel);
}

int in4charbtn(float x, float y, int colour, char* s) { return charbtn(x, y, colour, s, 4); }
int in6charbtn(float x, float y, int colour, char* s) { return charbtn(x, y, colour, s, 6); }

int instringbtn(float x, float y, char* name, char* path, int kind, const char* help)
{
    int chosen = 0;
    if (clicked_in(x - 20, y - 7, x, y + 13)) {
        chosen = MACIBM_opensave(WIND_OPEN, kind, name, path);
        // The window this field belongs to was opened anew; its picture shows from the next pass.
    }
    MACIBM_button(x - 20, y - 7, x, y + 13, 1);
    MACIBM_button(x - 19, y - 6, x - 1, y + 12, 1);
    OGL_string(47, x + 5, y, name, 800, 6);
    offer_help(x, y, x - 20, y - 7, x, y + 13, help);
    return chosen;
}

int instdbtn_range(float x, float y, int colour, float* v, int digits, int decimals, float lo, float hi,
                   const char* help)
{
    digits = intlim(digits, 1, 7);
    decimals = intlim(decimals, 0, 6);
    if (lo > hi) flt_switch(&lo, &hi);
    select_ctr++;

    const float x2 = x + 10.0f * static_cast<float>(digits);
    const float before = *v;
    int stepped = 0, selected = 0;
    if (clicked_in(x, y - 14, x2, y + 20)) {
        select_ind = select_ctr;
        selected = 1;
        int k = intlim(static_cast<int>(std::floor((mnw.mx - x) / 10)), 0, digits - 1);
        int sign = mnw.my >= y + 10 ? 1 : mnw.my <= y - 4 ? -1 : 0;
        if (sign != 0) {
            const double scale = std::pow(10.0, decimals);
            const double step = std::pow(10.0, digits - 1 - k) / scale;
            // Rounded to the shown decimals so repeated steps never leave float dust behind.
            double next = std::round((static_cast<double>(*v) + sign * step) * scale) / scale;
            *v = static_cast<float>(next);
            stepped = 1;
        }
    }
    if (std::isnan(*v)) *v = lo;
    *v = fltlim(*v, lo, hi);
    if (selected) select_val = *v;

    OGL_number(colour, x, y, *v, digits, decimals, 10, lo < 0 ? 1 : 0);
    offer_help(x, y, x, y - 14, x2, y + 20, help);
    return stepped && *v != before;
}

int instdbtn(float x, float y, int colour, float* v, int digits, int decimals, int is_signed, const char* help)
{
    digits = intlim(digits, 1, 7);
    decimals = intlim(decimals, 0, 6);
    const float hi = static_cast<float>((std::pow(10.0, digits) - 1) / std::pow(10.0, decimals));
    return instdbtn_range(x, y, colour, v, digits, decimals, is_signed ? -hi : 0, hi, help);
}

int plot_name_list(float x, float y, const char (*names)[40], const char (*ids)[5], int* index, int lo, int hi)
{
    if (hi < lo) {
        *index = lo;
        return 0;
    }
    const int before = *index;
    const float bx1 = x + NL_BAR_X1, bx2 = x + NL_BAR_X2;

    if (clicked_in(bx1, y - 2, bx2, y + 8)) (*index)--;
    if (clicked_in(bx1, y - 122, bx2, y - 112)) (*index)++;

    // The thumb: a click on the track moves it there; a button pressed on the track holds it until
    // the button goes up, wherever the mouse then goes.
    const int on_track = mouse_in(bx1, y + NL_TRACK_BOT, bx2, y + NL_TRACK_TOP);
    if (mnw.mouse_clicked && on_track && mnw.now_dragging) s_list_grab = index;
    if ((mnw.mouse_clicked && on_track) || (mnw.now_dragging && s_list_grab == index)) {
        float t = hi > lo ? interp(y + NL_THUMB_TOP, static_cast<float>(lo), y + NL_THUMB_BOT,
                                   static_cast<float>(hi), mnw.my)
                          : static_cast<float>(lo);
        *index = round(fltlim(t, static_cast<float>(lo), static_cast<float>(hi)));
    }
    if (!mnw.now_dragging && s_list_grab == index) s_list_grab = nullptr;
    *index = intlim(*index, lo, hi);

    for (int i = 0; i < NL_ROWS; i++) {
        long long e = static_cast<long long>(*index) - NL_ROWS / 2 + i;
        if (e < lo || e > hi) continue;
        float ry = y - 10.0f * static_cast<float>(i);
        char name[41], id[6];
        std::snprintf(name, sizeof name, "%.40s", names[e]);
        std::snprintf(id, sizeof id, "%.5s", ids[e]);
        OGL_string(47, x, ry, name, 228, 6);
        OGL_string(47, x + NL_ID_X, ry, id, 800, 6);
    }
    OGL_framerect(46, x - 3, y - 10.0f * (NL_ROWS / 2) - 2, NL_BAR_X1 - 2, 11);

    arrow_box(bx1, y - 2, bx2, y + 8, 1);
    arrow_box(bx1, y - 122, bx2, y - 112, 0);
    MACIBM_button(bx1, y + NL_TRACK_BOT, bx2, y + NL_TRACK_TOP, 0);
    float ty = hi > lo ? interp(static_cast<float>(lo), y + NL_THUMB_TOP, static_cast<float>(hi), y + NL_THUMB_BOT,
                                static_cast<float>(*index))
                       : y + NL_THUMB_TOP;
    OGL_fillrect(48, bx1 + 1, std::round(ty) - 5, bx2 - bx1 - 2, 10);
    return *index != before;
}
