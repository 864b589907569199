// hw_windows.cpp -- what the editing windows show besides their tables: the tail number, the
// instrument pickers, the engines' places, the propeller design with its readouts, the element
// blocks of lifting parts and rotors, the pylons' places, the flap and airfoil files, the body
// ends and the body-section editor.
#include "hl_btn.h"
#include "hl_design.h"
#include "hl_drplane.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_opensave.h"
#include "hl_types.h"
#include "hullwright.h"
#include "hw_local.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>

namespace {

const char* const k_instruments[9] = {"      NONE       ", "    airspeed     ", " artifcl horizon ",
                                      "    altimeter    ", "  supplementary  ", "    turn-slip    ",
                                      " directional gyro", "  vertical speed ", "      A.D.F.     "};
const char* const k_supp_names[8] = {"none", "VOR + glide slope", "storm scope", "moving map",
                                     "radar altimeter", "variometer", "weather radar", "RMI"};
// Where the eight instrument places' pickers stand in the panel window.
const float k_picker_at[8][2] = {{0, 234}, {129, 234}, {258, 234}, {387, 234},
                                 {0, 104}, {129, 104}, {258, 104}, {387, 104}};

// The control flags of an element, in the order of the element block's rows.
struct flag_row {
    const char* label;
    int32_t (planestruct::*flags)[28][8];
    const char* help;
};
const flag_row k_flag_rows[] = {
    {"ailerons", &planestruct::ailn, "This element carries an aileron."},
    {"elevators", &planestruct::elev, "This element carries an elevator."},
    {"rudders", &planestruct::rudd, "This element carries a rudder."},
    {"flaps", &planestruct::flap, "This element carries a flap."},
    {"slats", &planestruct::slat, "This element carries a slat on its leading edge."},
    {"spd brakes", &planestruct::sbrk, "This element carries a speed brake."},
    {"spoilers", &planestruct::splr, "This element carries a spoiler."},
    {"drag rudders", &planestruct::drud, "This element carries a drag rudder (split ailerons that yaw)."},
};

const char k_els_help[] = "The number of pieces the part is made of, 1 to 8. Each piece has its own incidence and "
                          "controls; the flight model works out the forces on each piece.";
const char k_inc_help[] = "The incidence of this piece in degrees: its angle up from the aircraft's level line.";

float g_prop_pitch = 0.0f;   // the propeller window's design pitch (inches), from the record each pass

void label(float x, float y, const char* text) { OGL_string(6, x, y, text, 800, 6); }

// Number field with its label above, on a float.
int number(float x, float y, const char* name, float* v, int digits, int decimals, float lo, float hi,
           const char* help)
{
    label(x - 6, y + 26, name);
    return instdbtn_range(x, y, 47, v, digits, decimals, lo, hi, help);
}

// The same on a whole-number record field.
int whole_number(float x, float y, const char* name, int32_t* v, int digits, float lo, float hi, const char* help)
{
    float f = static_cast<float>(*v);
    const int changed = number(x, y, name, &f, digits, 0, lo, hi, help);
    *v = static_cast<int32_t>(f);
    return changed;
}

// A position field with its help line built from the thing's name.
int position(float x, float y, const char* name, float* v, int axis, const char* thing)
{
    return number(x, y, name, v, 4, 1, -999.9f, 999.9f, hw_position_help(axis, thing));
}

// ---- the kinds of window -------------------------------------------------------------------------

int viewpoint(const hw_window* w)
{
    const float y = hw_row_y(w, 0);
    label(hw_col_x(0), y + 26, "tail number");
    int changed = in6charbtn(hw_col_x(0) + 6, y, 47, pln[0].tailnum);
    // The airspeed units must stay 1 or 2: they also tell the file's byte order.
    int knots = pln[0].asi_units == 2;
    label(hw_col_x(2), y + 26, "knots");
    changed |= inboolbtn(hw_col_x(2) + 6, y, &knots,
                         "Lit: the airspeed indicator reads knots. Dark: statute miles per hour.");
    pln[0].asi_units = knots ? 2 : 1;
    return changed;
}

int panel(const hw_window* w)
{
    const int supp = intlim(pln[0].supptype, 0, 7);
    OGL_string(41, hw_col_x(3), hw_row_y(w, 0) - 26, k_supp_names[supp], 800, 6);
    label(k_picker_at[0][0] + 2, k_picker_at[0][1] + 16, "engine ins");
    label(k_picker_at[3][0] + 2, k_picker_at[3][1] + 16, "  radios  ");
    const int before = pln[0].ins_of_loc[1] + 10 * pln[0].ins_of_loc[2];
    for (int place = 1; place <= 8; place++) fiddle_ins_loc(place, k_picker_at[place - 1][0], k_picker_at[place - 1][1]);
    return before != pln[0].ins_of_loc[1] + 10 * pln[0].ins_of_loc[2];
}

int engines(const hw_window* w)
{
    planestruct& pl = pln[0];
    if (pl.is_heli) {
        pl.numen = intlim(pl.numen, 1, 2);
        return 0;
    }
    int changed = 0;
    const int n = intlim(pl.numen, 0, 4);
    for (int i = 0; i < n; i++) {
        const float y = hw_row_y(w, 3 + i);
        char name[32];
        std::snprintf(name, sizeof name, "engine %d", i + 1);
        OGL_string(41, hw_col_x(0), y, name, 800, 6);
        const char* thing = "prop hub or engine thrust center";
        changed |= position(hw_col_x(1) + 6, y, "aft", &pl.Zarm[i], POS_Z, thing);
        changed |= position(hw_col_x(2) + 6, y, "right", &pl.Xarm[i], POS_X, thing);
        changed |= position(hw_col_x(3) + 6, y, "up", &pl.Yarm[i], POS_Y, thing);
        changed |= number(hw_col_x(4) + 6, y, "up cant", &pl.vertcant[i], 4, 1, -180, 180,
                          "The angle in degrees that this engine's thrust line is canted up.");
    }
    return changed;
}

// Every propeller takes propeller 0's blades, airfoils and design.
void copy_prop_to_others(void)
{
    planestruct& pl = pln[0];
    for (int e = 1; e < 4; e++) {
        pl.numblades[e] = pl.numblades[0];
        pl.semilen[e] = pl.semilen[0];
        pl.Croot[e] = pl.Croot[0];
        pl.Ctip[e] = pl.Ctip[0];
        pl.els[e] = pl.els[0];
        pl.minpitch[e] = pl.minpitch[0];
        pl.maxpitch[e] = pl.maxpitch[0];
        pl.des_rpm[e] = pl.des_rpm[0];
        pl.des_vel[e] = pl.des_vel[0];
        pl.des_adv[e] = pl.des_adv[0];
        for (int k = 0; k < 8; k++) pl.anginc[e][k] = pl.anginc[0][k];
    }
}

int props(const hw_window* w, int table_changed)
{
    planestruct& pl = pln[0];
    g_prop_pitch = prop_pitch_of_speed(pl.des_vel[0], pl.des_rpm[0]);
    const float y2 = hw_row_y(w, 2);
    const int pitch = number(hw_col_x(0) + 6, y2, "design pitch", &g_prop_pitch, 3, 0, 0, 999,
                             "The distance in inches the propeller would move forward in one turn at its design point. "
                             "Setting it sets the design speed, and the blade angles follow.");
    const int rpm = number(hw_col_x(1) + 6, y2, "design rpm", &pl.des_rpm[0], 5, 0, 100, 99999,
                           "The propeller's speed at its design point, in rpm.");
    const int speed = number(hw_col_x(2) + 6, y2, "design speed", &pl.des_vel[0], 3, 0, 0, 999,
                             "The airspeed of the design point, in knots: the blades meet the air at zero angle there.");
    // A new radius also changes the blade angles along it.
    if (pitch) design_prop(0, 1, g_prop_pitch, &g_prop_pitch);
    else if (rpm || speed || table_changed) design_prop(0, 0, 0.0f, &g_prop_pitch);
    const int changed = pitch || rpm || speed || table_changed;
    if (changed) copy_prop_to_others();

    // Readouts: the advance ratio and the blade angle of each element.
    const float y3 = hw_row_y(w, 3);
    label(hw_col_x(0), y3 + 10, "advance ratio");
    OGL_number(41, hw_col_x(0) + 6, y3 - 4, pl.des_adv[0], 4, 2, 10, 0);
    label(hw_col_x(1), y3 + 10, "blade angle of each element, root to tip");
    const int els = intlim(pl.els[0], 1, 8);
    for (int e = 0; e < els; e++) OGL_number(41, hw_col_x(1) + 6 + 56.0f * e, y3 - 4, pl.anginc[0][e], 4, 1, 10, 1);

    int dirs = 0;
    const int n = intlim(pl.numen, 0, 4);
    for (int i = 0; i < n; i++) {
        const float x = hw_col_x(i), y = hw_row_y(w, 4);
        char name[32];
        std::snprintf(name, sizeof name, "prop %d turns", i + 1);
        label(x, y + 26, name);
        dirs |= hw_choice(x, y, (const char* const[]){" CW", "CCW"}, 2, 0, 24, &pl.propdir[i]);
    }
    return changed || dirs;
}

int rotor(const hw_window* w)
{
    const int p = w->part;
    const float y = hw_row_y(w, 1);
    label(hw_col_x(2), y + 26, "turns");
    int changed = hw_choice(hw_col_x(2), y, (const char* const[]){" CW", "CCW"}, 2, 0, 24, &pln[0].propdir[p]);
    insecbtn(p, hw_col_x(0), hw_row_y(w, 2));
    return changed;
}

int pylons(const hw_window* w)
{
    planestruct& pl = pln[0];
    int changed = 0;
    const int n = intlim(pl.numen, 0, 4);
    for (int i = 0; i < n; i++) {
        const int p = 14 + i;
        const float x = hw_col_x(0) + 150.0f * static_cast<float>(i);
        const float y = hw_row_y(w, 2);
        char aft[32], right[32], up[32];
        std::snprintf(aft, sizeof aft, "pylon %d aft", i + 1);
        std::snprintf(right, sizeof right, "pylon %d right", i + 1);
        std::snprintf(up, sizeof up, "pylon %d up", i + 1);
        const char* thing = "25% chord of the pylon root";
        changed |= position(x + 6, y, aft, &pl.Zarm[p], POS_Z, thing);
        changed |= position(x + 6, y - 52, right, &pl.Xarm[p], POS_X, thing);
        changed |= position(x + 6, y - 104, up, &pl.Yarm[p], POS_Y, thing);
    }
    return changed;
}

int controls(const hw_window* w)
{
    static char path[STR_LEN];
    const float y = hw_row_y(w, 3);
    label(hw_col_x(0), y + 26, "flap file");
    return instringbtn(hw_col_x(0) + 20, y, pln[0].flap_str, path, OS_KIND_FLAP,
                       "The flap file that gives the lift, drag and moment the flaps add. Click the box to choose one "
                       "from the 'flaps' folder.");
}

int foils(const hw_window* w)
{
    planestruct& pl = pln[0];
    const int p = w->part;
    static char path[STR_LEN];
    struct foil_field {
        char (planestruct::*names)[28][400];
        const char* label;
        int tip;   // the thickness it gives: 0 root, 1 tip, -1 none
    };
    static const foil_field k_fields[4] = {
        {&planestruct::Rafl0, "root airfoil", 0},
        {&planestruct::Tafl0, "tip airfoil", 1},
        {&planestruct::Rafl1, "root airfoil at the higher Reynolds number", -1},
        {&planestruct::Tafl1, "tip airfoil at the higher Reynolds number", -1},
    };
    int changed = 0;
    for (int i = 0; i < 4; i++) {
        const foil_field& f = k_fields[i];
        const float y = hw_row_y(w, 1 + i);
        label(hw_col_x(0), y + 16, f.label);
        char* name = (pl.*f.names)[p];
        if (!instringbtn(hw_col_x(0) + 20, y, name, path, OS_KIND_AIRFOIL,
                         "Click the box to choose the airfoil file from the 'airfoils' folder."))
            continue;
        changed = 1;
        if (f.tip >= 0) assign_foil_thickness(name, p, f.tip);
        // An airplane's propellers all have the same blades.
        if (p == 0 && !pl.is_heli)
            for (int e = 1; e < 4; e++) {
                std::memcpy((pl.*f.names)[e], name, sizeof (pl.*f.names)[e]);
                if (f.tip >= 0) afl[0].trat[e][f.tip] = afl[0].trat[0][f.tip];
            }
    }
    return changed;
}

// The first or last station of a body is closed when all its points meet.
int end_closed(int b, int s)
{
    const int n = f_body_r_dim(b);
    const float c = ret_y_center(b, s);
    for (int k = 0; k < n; k++)
        if (std::fabs(pln[0].body_X[b][s][k]) > 0.001f || std::fabs(pln[0].body_Y[b][s][k] - c) > 0.001f) return 0;
    return 1;
}

// Closes the end station s (its points meet at its centre) or opens it to half its neighbour's size.
void set_end(int b, int s, int neighbour, int closed)
{
    planestruct& pl = pln[0];
    const int n = f_body_r_dim(b);
    const float c = ret_y_center(b, s), cn = ret_y_center(b, neighbour);
    for (int k = 0; k < n; k++) {
        if (closed) {
            pl.body_X[b][s][k] = 0.0f;
            pl.body_Y[b][s][k] = c;
        } else {
            pl.body_X[b][s][k] = 0.5f * pl.body_X[b][neighbour][k];
            pl.body_Y[b][s][k] = c + 0.5f * (pl.body_Y[b][neighbour][k] - cn);
        }
    }
}

int body(const hw_window* w)
{
    planestruct& pl = pln[0];
    const int b = w->part;
    const int ns = f_body_s_dim(b, 0);
    int changed = 0;
    const int ends[2][2] = {{0, 1}, {ns - 1, ns - 2}};
    for (int i = 0; i < 2; i++) {
        const float x = hw_col_x(i), y = hw_row_y(w, 1);
        label(x, y + 26, i == 0 ? "nose end" : "tail end");
        int closed = end_closed(b, ends[i][0]);
        if (in2textbtn(x, y, " OPEN ", "CLOSED", 42, &closed)) {
            set_end(b, ends[i][0], ends[i][1], closed);
            changed = 1;
        }
    }
    int32_t station = hmsc.station;
    changed |= whole_number(hw_col_x(0) + 6, hw_row_y(w, 2), "station", &station, 2, 0, static_cast<float>(ns - 1),
                            "The station (cross-section) shown in the box, 0 at the front.");
    hmsc.station = intlim(station, 0, ns - 1);
    float z = pl.body_Z[b][hmsc.station][0];
    if (position(hw_col_x(1) + 6, hw_row_y(w, 2), "station aft", &z, POS_Z, "station shown")) {
        for (int k = 0; k < f_body_r_dim(b); k++) pl.body_Z[b][hmsc.station][k] = z;
        changed = 1;
    }
    label(hw_col_x(0), hw_row_y(w, 3) + 10, "Drag the points in the box");
    label(hw_col_x(0), hw_row_y(w, 3) - 2, "to shape the section; the left");
    label(hw_col_x(0), hw_row_y(w, 3) - 14, "side follows the right.");
    hw_section_editor(b, 290, 10, w->dx - 300, w->dy - 60);
    return changed;
}

// An edit in the window (the gear's kind among them) puts the legs down in the record whenever
// there are legs, so the fairings show on them; a record only looked at keeps its legs as they are.
void gear(int changed)
{
    if (!changed) return;
    for (int k = 0; k < 3; k++) pln[0].gear_stat[k] = pln[0].gear_type >= 2;
}

}  // namespace

void fiddle_ins_loc(int place, float x, float y)
{
    if (place < 1 || place > 8) return;
    planestruct& pl = pln[0];
    for (int r = 0; r < 9; r++) {
        const float ry = y - 10.0f * static_cast<float>(r);
        if (mnw.mouse_clicked && mnw.mx >= x && mnw.mx <= x + 110 && mnw.my >= ry - 2 && mnw.my < ry + 8) {
            pl.ins_of_loc[place] = r;
            // Each instrument stands in one place at most.
            for (int other = 1; other <= 8; other++)
                if (other != place && r != 0 && pl.ins_of_loc[other] == r) pl.ins_of_loc[other] = 0;
            for (int k = 1; k <= 8; k++) pl.has_ins[k] = pl.ins_of_loc[k] != 0;
        }
        const int chosen = pl.ins_of_loc[place] == r;
        if (chosen) OGL_fillrect(18, x, ry - 2, 110, 10);
        OGL_string(chosen ? 41 : 46, x + 3, ry, k_instruments[r], 800, 6);
    }
    OGL_framerect(22, x - 1, y - 83, 112, 93);
}

void insecbtn(int p, float x, float y)
{
    planestruct& pl = pln[0];
    const int is_blade = p <= 3;
    // A part without length has no pieces: its count stays as stored until the part is given one.
    if (!is_blade && !have_this_part(p, 0)) {
        label(x, y, "Give the part a semi-length to cut it into pieces.");
        return;
    }
    whole_number(x + 6, y, "pieces", &pl.els[p], 1, 1, 8, k_els_help);
    const int els = intlim(pl.els[p], 1, 8);
    const float cx = x + 100, step = is_blade ? 70.0f : 84.0f;
    for (int e = 0; e < els; e++) {
        char name[32];
        std::snprintf(name, sizeof name, "piece %d", e + 1);
        number(cx + step * static_cast<float>(e) + 6, y, name, &pl.anginc[p][e], 3, 1, -90, 90, k_inc_help);
    }
    if (is_blade) return;
    for (size_t r = 0; r < std::size(k_flag_rows); r++) {
        const float ry = y - 30.0f - 16.0f * static_cast<float>(r);
        label(x, ry, k_flag_rows[r].label);
        for (int e = 0; e < els; e++) {
            int32_t* flag = &(pl.*k_flag_rows[r].flags)[p][e];
            int on = *flag != 0;
            if (inboolbtn(cx + step * static_cast<float>(e) + 20, ry, &on, k_flag_rows[r].help)) *flag = on;
        }
    }
}

void hw_window_fields(void)
{
    const hw_window* w = hw_open_window();
    if (!w) return;
    const int p = w->part >= 0 ? w->part : 0;
    // Without a propeller there are no propeller values to show, nor to hold in their ranges.
    if (w->kind == WK_PROPS && !have_this_part(0, 0)) {
        label(hw_col_x(0), hw_row_y(w, 0), "No engine turns a propeller: the Engines window sets their kind and number.");
        return;
    }
    int changed = hw_draw_fields(w->fields, w->nfields, w, p);
    if (w->more) changed |= hw_draw_fields(w->more, w->nmore, w, p);
    switch (w->kind) {
    case WK_VIEWPOINT: viewpoint(w); break;
    case WK_PANEL: panel(w); break;
    case WK_ENGINES: engines(w); break;
    case WK_PROPS: props(w, changed); break;
    case WK_ROTOR: rotor(w); break;
    case WK_LIFTING: insecbtn(p, hw_col_x(0), hw_row_y(w, 2) - 20); break;
    case WK_PYLONS:
        pylons(w);
        insecbtn(p, hw_col_x(0), hw_row_y(w, 5));
        break;
    case WK_CONTROLS: controls(w); break;
    case WK_BODY: body(w); break;
    case WK_GEAR: gear(changed); break;
    case WK_FOILS: foils(w); break;
    default: break;
    }
}

void hw_section_editor(int b, float x, float y, float w, float h)
{
    planestruct& pl = pln[0];
    const int ns = f_body_s_dim(b, 0), n = f_body_r_dim(b);
    const int s = intlim(hmsc.station, 0, ns - 1);
    // The scale fits the whole body in the box; it holds still while a point is dragged.
    static float scale = 1.0f, cx = 0.0f, cy = 0.0f;
    if (hmsc.drag_point < 0) {
        float maxx = 0.01f, ylo = 1e30f, yhi = -1e30f;
        for (int i = 0; i < ns; i++)
            for (int k = 0; k < n; k++) {
                maxx = std::fmax(maxx, std::fabs(pl.body_X[b][i][k]));
                ylo = std::fmin(ylo, pl.body_Y[b][i][k]);
                yhi = std::fmax(yhi, pl.body_Y[b][i][k]);
            }
        const float span = std::fmax(yhi - ylo, 0.01f);
        scale = 0.85f * std::fmin(w / (2.0f * maxx), h / span);
        cx = x + 0.5f * w;
        cy = y + 0.5f * h - scale * 0.5f * (ylo + yhi);
    }
    OGL_fillrect(29, x, y, w, h);
    OGL_framerect(22, x, y, w, h);
    OGL_line(18, cx, y + 1, cx, y + h - 1);
    auto px = [&](int i, int k) { return cx + scale * pl.body_X[b][i][k]; };
    auto py = [&](int i, int k) { return cy + scale * pl.body_Y[b][i][k]; };
    // The neighbouring stations faintly, the one shown brightly with its points.
    for (int i : {s - 1, s + 1}) {
        if (i < 0 || i >= ns) continue;
        for (int k = 0; k < n; k++) OGL_line(18, px(i, k), py(i, k), px(i, (k + 1) % n), py(i, (k + 1) % n));
    }
    for (int k = 0; k < n; k++) OGL_line(46, px(s, k), py(s, k), px(s, (k + 1) % n), py(s, (k + 1) % n));
    for (int k = 0; k < n; k++) OGL_fillrect(k == hmsc.drag_point ? 41 : 47, px(s, k) - 2, py(s, k) - 2, 4, 4);

    if (mnw.mouse_clicked && mnw.mx >= x && mnw.mx <= x + w && mnw.my >= y && mnw.my <= y + h) {
        float best = 8.0f;
        for (int k = 0; k < n; k++) {
            const float d = std::hypot(mnw.mx - px(s, k), mnw.my - py(s, k));
            if (d <= best) {
                best = d;
                hmsc.drag_point = k;
            }
        }
    }
    if (!mnw.now_dragging) {
        hmsc.drag_point = -1;
        return;
    }
    const int k = hmsc.drag_point;
    if (k < 0 || k >= n || !(scale > 0.0f)) return;
    // The point follows the mouse; its mirror image on the other side follows it, and the points on
    // the centre line stay on it.
    float bxv = (mnw.mx - cx) / scale;
    const float byv = (mnw.my - cy) / scale;
    const int mirror = (n - k) % n;
    if (k == 0 || k == n / 2) bxv = 0.0f;
    else if (k < n / 2) bxv = std::fmax(bxv, 0.0f);
    else bxv = std::fmin(bxv, 0.0f);
    pl.body_X[b][s][k] = bxv;
    pl.body_Y[b][s][k] = byv;
    pl.body_X[b][s][mirror] = -bxv;
    pl.body_Y[b][s][mirror] = byv;
}
