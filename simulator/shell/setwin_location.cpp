// setwin_location.cpp -- the location windows: airport by identifier (1) and by name (2), the world
// map (4), latitude and longitude (5), where am I (6) and the isometric region (23).
#include "setwin.h"
#include "setwin_local.h"

#include "fltutil.h"
#include "genwrld.h"
#include "hl_btn.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_string.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "startpos.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// ---- window 1 -------------------------------------------------------------------------------------

constexpr float ID_CELL_X0 = 93, ID_CELL_W = 17;
constexpr float ID_CELL_Y1 = 300, ID_CELL_Y2 = 340;   // lower half steps down, upper half up

int g_id_airport = -1;   // the airport the identifier names, -1 none

// The requested identifier as four characters, a blank for each code 0.
void normalise_request(void)
{
    for (int k = 0; k < 4; k++) {
        const char c = msc.apt_id_req[k];
        msc.apt_id_req[k] = c ? code_to_char(char_to_code(c)) : ' ';
        if (!c) {
            for (int m = k + 1; m < 4; m++) msc.apt_id_req[m] = ' ';
            break;
        }
    }
    msc.apt_id_req[4] = 0;
}

// The trimmed copy of a blank-padded database text.
void trimmed(char* dst, size_t n, const char* src, size_t len)
{
    size_t e = 0;
    while (e < len && src[e]) e++;
    while (e > 0 && src[e - 1] == ' ') e--;
    std::snprintf(dst, n, "%.*s", static_cast<int>(e), src);
}

// ---- window 2 -------------------------------------------------------------------------------------

int g_name_index = 0;   // the airport chosen in the list; committed only by the left-hand box

// ---- window 6 -------------------------------------------------------------------------------------

char g_where[STR_LEN];

// ---- window 4 and 23: the recorded path -----------------------------------------------------------

// Draws the recorded path through a projection of region points, joining neighbouring slots.
template <typename Project>
void draw_path(int colour, Project project)
{
    float px = 0, py = 0;
    int have = 0;
    for (int i = 0; i < PATH_POINTS; i++) {
        if (!pat.inited[i]) {
            have = 0;
            continue;
        }
        float x, y;
        project(pat.xyztppt[i], &x, &y);
        if (have) OGL_line(colour, px, py, x, y);
        px = x;
        py = y;
        have = 1;
    }
}

}  // namespace

void manage_id_(void)
{
    static char shown_id[5];
    if (window_fresh) {
        normalise_request();
        shown_id[0] = 0;
    }
    win_heading(12, 416, "AIRPORT IDENTIFIER");
    win_text(12, 400, "Click above a character to step it up, below it to step it down.", 150);
    for (int k = 0; k < 4; k++) {
        const float x = ID_CELL_X0 + ID_CELL_W * static_cast<float>(k);
        int code = char_to_code(msc.apt_id_req[k]);
        if (win_clicked_in(x, ID_CELL_Y1, x + ID_CELL_W, ID_CELL_Y2))
            code = intlim(code + (mnw.my >= 0.5f * (ID_CELL_Y1 + ID_CELL_Y2) ? 1 : -1), 0, CHARBTN_MAX_CODE);
        msc.apt_id_req[k] = code_to_char(code);
        // An up arrow over the character and a down arrow under it.
        const float cx = x + 0.5f * (ID_CELL_W - 1);
        MACIBM_button(x, ID_CELL_Y2 - 12, x + ID_CELL_W - 1, ID_CELL_Y2, 1);
        OGL_line(6, cx - 4, ID_CELL_Y2 - 9, cx, ID_CELL_Y2 - 3);
        OGL_line(6, cx, ID_CELL_Y2 - 3, cx + 4, ID_CELL_Y2 - 9);
        MACIBM_button(x, ID_CELL_Y1, x + ID_CELL_W - 1, ID_CELL_Y1 + 12, 1);
        OGL_line(6, cx - 4, ID_CELL_Y1 + 9, cx, ID_CELL_Y1 + 3);
        OGL_line(6, cx, ID_CELL_Y1 + 3, cx + 4, ID_CELL_Y1 + 9);
        const char text[2] = {msc.apt_id_req[k], 0};
        OGL_string(WIN_VALUE_COLOR, x + 6, ID_CELL_Y1 + 17, text, 800, 6);
    }
    win_label(12, ID_CELL_Y1 + 17, "ID:");
    // The look-up runs when the identifier changes, not every pass.
    if (std::memcmp(shown_id, msc.apt_id_req, 4) != 0) {
        std::memcpy(shown_id, msc.apt_id_req, 5);
        g_id_airport = -1;
        int a = -1;
        if (get_index_from_id(msc.apt_id_req, 1, &a)) g_id_airport = a;
    }
    if (g_id_airport >= 0) {
        char name[APT_NAME_LEN + 1];
        trimmed(name, sizeof name, apt_name[g_id_airport], APT_NAME_LEN);
        win_text(12, 270, "Closing this window puts you on the runway of:", 150);
        OGL_string(WIN_VALUE_COLOR, 12, 240, name, 150, 6);
    } else {
        OGL_string(WIN_WARN_COLOR, 12, 270, "No airport has this identifier.", 150, 6);
    }
}

void manage_nam(void)
{
    if (window_fresh) g_name_index = msc.loc_apt_wrl;
    win_heading(20, 186, "AIRPORTS OF THE WORLD");
    plot_name_list(20, 170, apt_name, apt_id, &g_name_index, 0, apt_wrl_max);
    win_box_button(20, 15, 155, 35, "GO THERE");
    win_box_button(155, 15, 290, 35, "CANCEL");
    if (win_clicked_in(20, 15, 155, 35)) {
        const int a = g_name_index;
        if (a >= 0 && a <= apt_wrl_max && apt_lo_ind[a] >= 0 && apt_lo_ind[a] <= apt_hi_ind[a]) {
            msc.loc_apt_wrl = a;
            msc.loc_rwy_wrl = apt_lo_ind[a];
            msc.backwards = 0;
            env.lat_sou = round(rwy_lat[msc.loc_rwy_wrl] - 1.0f);
            env.lon_wes = round(rwy_lon[msc.loc_rwy_wrl] - 1.5f);
            load_region(1);
            set_fltvars(START_RUNWAY, START_TAKEOFF);
            MACIBM_startwind(0);
        } else {
            // An airport without a runway is no start: a notice, and the start stays as it was.
            MACIBM_alert("This airport has no runway to start from.", "", "", "", ALERT_NOTICE);
        }
        return;
    }
    if (win_clicked_in(155, 15, 290, 35)) MACIBM_startwind(0);
}

void manage_wrl(void)
{
    draw_path(47, [](const float* p, float* x, float* y) {
        *x = world_map_x(static_cast<float>(lon_with_xz(p[0], p[2])));
        *y = world_map_y(static_cast<float>(lat_with_z(p[2])));
    });
    // The aircraft: a pulsing mark.
    const float ax = world_map_x(flt.lon), ay = world_map_y(flt.lat);
    OGL_fillrect(60, ax - 2, ay - 2, 5, 5);
    OGL_framerect(38, ax - 4, ay - 4, 8, 8);

    const int over_map = mnw.my >= 50 && mnw.my <= 443 && mnw.mx >= 0 && mnw.mx <= 788;
    if (over_map) {
        // The whole degree under the mouse; its text is rebuilt only when the degree changes.
        static char where[64];
        static int shown_lat = 999, shown_lon = 999;
        const int lat = round(world_map_lat(mnw.my)), lon = round(world_map_lon(mnw.mx));
        if (lat != shown_lat || lon != shown_lon) {
            shown_lat = lat;
            shown_lon = lon;
            std::snprintf(where, sizeof where, "latitude %d, longitude %d", lat, lon);
        }
        win_label(400, 16, where);
        if (mnw.mouse_clicked) {
            msc.req_lat = static_cast<float>(lat);
            msc.req_lon = static_cast<float>(lon);
            set_up_env_with_request_latlon();
            MACIBM_startwind(0);
        }
    }
}

void manage_lat(void)
{
    if (window_fresh) {
        msc.req_lat = static_cast<float>(round(fltlim(flt.lat, -60, 60)));
        msc.req_lon = static_cast<float>(round(fltlim(flt.lon, -180, 180)));
    }
    win_heading(20, 140, "START NEAR");
    win_label(20, 100, "latitude:");
    instdbtn_range(120, 100, WIN_VALUE_COLOR, &msc.req_lat, 2, 0, -60, 60,
                   "Kestrova will go to the closest airport to this latitude that it can find and put you on the "
                   "ground there, ready for take-off.");
    win_label(20, 55, "longitude:");
    instdbtn_range(120, 55, WIN_VALUE_COLOR, &msc.req_lon, 3, 0, -180, 180,
                   "Kestrova will go to the closest airport to this longitude that it can find and put you on the "
                   "ground there, ready for take-off.");
    win_label(20, 20, "Close the window to go there.");
}

void manage_whr(void)
{
    if (window_fresh) {
        float nm = 0, bearing = 0;
        const int a = nearest_airport(flt.lat, flt.lon, &nm, &bearing);
        if (a >= 0) {
            char name[APT_NAME_LEN + 1], id[APT_ID_LEN + 1];
            trimmed(name, sizeof name, apt_name[a], APT_NAME_LEN);
            trimmed(id, sizeof id, apt_id[a], APT_ID_LEN);
            std::snprintf(g_where, sizeof g_where, "%d miles %s of %s (%s)", round(nm), compass_word(bearing), name, id);
        } else {
            std::snprintf(g_where, sizeof g_where, "%s", "There is no airport in the database.");
        }
    }
    win_label(20, 90, "latitude:");
    OGL_number(WIN_VALUE_COLOR, 90, 90, flt.lat, 4, 2, 6, 1);
    win_label(200, 90, "longitude:");
    OGL_number(WIN_VALUE_COLOR, 276, 90, flt.lon, 5, 2, 6, 1);
    OGL_string(WIN_VALUE_COLOR, 20, 55, g_where, 490, 6);
}

void manage_iso(void)
{
    if (window_fresh) util_isomize_fit(mnw.dx, mnw.dy);
    // The terrain, far cells first so the near ones cover them: east is far, south is near.
    OGL_setcolor(38);
    OGL_setstate(0, 1, 0, 0);
    for (int i = REGION_NI - 2; i >= 0; i--) {
        for (int j = REGION_NJ - 2; j >= 0; j--) {
            const float* p00 = planexyz[i][j];
            const float* p01 = planexyz[i][j + 1];
            const float* p10 = planexyz[i + 1][j];
            const float* p11 = planexyz[i + 1][j + 1];
            float x[4], y[4];
            util_isomize(p00[0], p00[1], p00[2], &x[0], &y[0]);
            util_isomize(p01[0], p01[1], p01[2], &x[1], &y[1]);
            util_isomize(p11[0], p11[1], p11[2], &x[2], &y[2]);
            util_isomize(p10[0], p10[1], p10[2], &x[3], &y[3]);
            const float(*st)[2][2] = planest[i][j];
            OGL_bindtex(static_cast<int>(planetex[i][j]));
            OGL_2dquad(x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3], st[0][0][0], st[0][0][1], st[0][1][0],
                       st[0][1][1], st[1][1][0], st[1][1][1], st[1][0][0], st[1][0][1]);
        }
    }
    OGL_setstate(0, 0, 0, 0);
    draw_path(47, [](const float* p, float* x, float* y) { util_isomize(p[0], p[1], p[2], x, y); });
    // The aircraft, with a line down to the ground under it.
    float ax, ay, gx, gy;
    util_isomize(static_cast<float>(flt.X[0]), static_cast<float>(flt.Y[0]), static_cast<float>(flt.Z[0]), &ax, &ay);
    util_isomize(static_cast<float>(flt.X[0]), env.localh_cg, static_cast<float>(flt.Z[0]), &gx, &gy);
    OGL_line(38, gx, gy, ax, ay);
    OGL_fillrect(60, ax - 2, ay - 2, 5, 5);
}
