// main.cpp -- bench_scenery: frames per second of the outside view around the start airport, drawn
// by this machine's OpenGL in a 1024 by 768 window: on the start runway with the panel and full
// screen by day and at night, in cruise toward the mountains, looking down from high up, and with
// twenty miles of visibility, the worst of them at night with the city lights on, and at sea 600 m
// astern of the region's carrier nearest the airport, by day and in the head-up display's view
// under an overcast in rain. Each frame is finished (glFinish) before the next, so the figure is
// the renderer's real rate; the buffers are swapped as the program does.
//
//   bench_scenery [frames per case] [width height [picture folder]]      (default 300, 1024 768)
//
// With a picture folder each case's last frame is also written there as a PNG, to look at.
// Set SDL_VIDEODRIVER=offscreen to run without a display.
#include "fltutil.h"
#include "genwrld.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_worlddb.h"
#include "lax.h"
#include "plt.h"
#include "png.h"
#include "prefs.h"
#include "scenery.h"
#include "ship_model.h"
#include "terrain.h"
#include "tool_program.h"
#include "view.h"

#include <GL/gl.h>

#include <cctype>
#include <chrono>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr double PI = 3.14159265358979;

struct Case {
    const char* name;
    int view;            // view number; 500 shows the panel, 522 is full screen
    float along;         // m from the start runway's centre along its heading (negative: its start)
    float agl;           // m above the ground
    float the, turn;     // pitch, and heading relative to the runway's (degrees)
    float vis_nm;        // reported visibility, nautical miles
    float hour;          // local time
    int trees;           // the trees' rendering option
    int carrier;         // 1: along and turn are taken from the carrier, looking along its course
    int rain;            // 1: under an overcast in moderate rain (streaks on the windscreen)
};

// The start runway of the start airport: its centre, heading and the ground there.
int g_rwy = 0;

// The carrier nearest the start runway: the middle of its cell, where the outside view draws it with
// its bow to the north; 0 when the region has none.
int carrier_middle(double* x, double* z)
{
    const double rx = X_with_latlon(rwy_lat[g_rwy], rwy_lon[g_rwy]), rz = Z_with_lat(rwy_lat[g_rwy]);
    double best = -1.0;
    for (int i = 0; i + 1 < REGION_NI; i++)
        for (int j = 0; j + 1 < REGION_NJ; j++) {
            if (!carr_on_poly[i][j]) continue;
            const double cx = 0.5 * (planexyz[i][j][0] + planexyz[i + 1][j + 1][0]);
            const double cz = 0.5 * (planexyz[i][j][2] + planexyz[i + 1][j + 1][2]);
            const double d = std::hypot(cx - rx, cz - rz);
            if (best < 0.0 || d < best) {
                best = d;
                *x = cx;
                *z = cz;
            }
        }
    return best >= 0.0;
}

void place(const Case& c)
{
    double h = rwy_hdng[g_rwy] * PI / 180.0;
    double x = X_with_latlon(rwy_lat[g_rwy], rwy_lon[g_rwy]) + c.along * std::sin(h);
    double z = Z_with_lat(rwy_lat[g_rwy]) - c.along * std::cos(h);
    if (c.carrier && carrier_middle(&x, &z)) {
        h = 0.0;   // its course
        z -= c.along;
    }
    int i = 0, j = 0;
    flt.X[0] = x;
    flt.Z[0] = z;
    flt.Y[0] = find_local_h(static_cast<float>(x), static_cast<float>(z), &i, &j, 0) + c.agl;
    flt.lat = static_cast<float>(lat_with_z(z));
    flt.lon = static_cast<float>(lon_with_xz(x, z));
    flt.the[0] = c.the;
    flt.psi[0] = fltwrap(static_cast<float>(c.carrier ? 0 : rwy_hdng[g_rwy]) + c.turn, 0.0f, 360.0f);
    flt.phi[0] = 0.0f;
    set.view_type = c.view;
    set.view_is_fullscreen = c.view != 500;
    atm.vis_rep = c.vis_nm * con.nmtomtrs;
    msc.locl_time = c.hour * 3600.0f;
    set.ogl_trees = c.trees;
    flt.vind = 140.0f;
    flt.av = 72.0f;
}

// The last frame drawn, as a PNG picture named after the case in the folder.
void save_picture(const char* folder, int index, const char* name, int width, int height)
{
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 3), top_first(rows.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; y++) std::memcpy(&top_first[y * row], &rows[(height - 1 - y) * row], row);
    char file[600], plain[64];
    int n = 0;
    for (const char* c = name; *c && n < 63; c++) plain[n++] = std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    plain[n] = 0;
    std::snprintf(file, sizeof file, "%s/%02d_%s.png", folder, index, plain);
    if (!png_write_rgb(file, width, height, top_first)) std::fprintf(stderr, "bench_scenery: can not write %s\n", file);
}

// An overcast from 600 to 1500 m in moderate rain, at 15 degrees.
void rain(void)
{
    atm.cld_type = 4;
    atm.baseMSL = 600.0f;
    atm.topsMSL = 1500.0f;
    atm.level = 3.0f;
    atm.rain_tstm = 4.0f;
    atm.temp_SL = 59.0f;
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    const int width = argc > 3 ? std::atoi(argv[2]) : 1024, height = argc > 3 ? std::atoi(argv[3]) : 768;
    const char* pictures = argc > 4 ? argv[4] : nullptr;
    if (frames <= 0 || width < 320 || height < 240 || argc == 3 || argc > 5) {
        std::fprintf(stderr, "usage: bench_scenery [frames per case] [width height [picture folder]]\n");
        return 2;
    }
    if (!std::getenv("KV_PROGRAM_DIR")) setenv("KV_PROGRAM_DIR", KV_PROGRAM_DIR, 1);
    if (!std::getenv("KV_CONFIG_DIR")) setenv("KV_CONFIG_DIR", "/tmp", 1);

    // The library's description of a simulator without a menu bar: the benchmark calls the view itself.
    tool_start("bench_scenery", true);
    hl_prog.bitmap_folder = "Kestrova";
    hl_prog.is_simulator = 1;
    clear_globals();
    hl_set_window_size(width, height);
    MACIBM_init();
    if (!PLT_window_open()) {
        std::fprintf(stderr, "bench_scenery: no OpenGL window\n");
        return 1;
    }
    initing = 0;
    read_world_db(nullptr);
    hard_prefs();
    // The ships' points, as the simulator's start-up places them: without them the carrier's
    // every face and light falls on its middle and the carrier cases draw a dot, not the ship.
    fill_ship_models();
    g_rwy = msc.loc_rwy_wrl;
    env.lat_sou = round(rwy_lat[g_rwy] - 1.0f);
    env.lon_wes = round(rwy_lon[g_rwy] - 1.5f);
    flt.lat = rwy_lat[g_rwy];
    flt.lon = rwy_lon[g_rwy];
    load_region(1);
    reset_load_texes();
    load_texes();
    msc.prd = 1.0f / 60.0f;
    scn.zoom = 1.0f;
    atm.vis_mult = 1.0f;   // no storm haze

    std::printf("renderer: %s\n", PLT_renderer());
    const float day = msc.locl_time / 3600.0f;
    std::printf("start airport %.4s, runway %d, %d frames a case, %d x %d, %d:%02d local, clouds %d\n",
                apt_id[msc.loc_apt_wrl], rwy_num[g_rwy], frames, width, height,
                static_cast<int>(msc.locl_time / 3600.0f), static_cast<int>(msc.locl_time / 60.0f) % 60, atm.cld_type);

    // From the start of the runway: its length back from the centre.
    const float start = -0.5f * static_cast<float>(rwy_len[g_rwy]) + 30.0f;
    const Case cases[] = {
        {"runway, panel view, day", 500, start, 1.5f, 0.0f, 0.0f, 7.0f, day, 0, 0, 0},
        {"runway, full screen, day", 522, start, 1.5f, 0.0f, 0.0f, 7.0f, day, 0, 0, 0},
        {"runway, full screen, night", 522, start, 1.5f, 0.0f, 0.0f, 7.0f, 1.0f, 0, 0, 0},
        {"1500 m toward the mountains", 522, 0.0f, 1500.0f, 0.0f, -68.0f, 7.0f, day, 0, 0, 0},
        {"1500 m, 20 nm visibility", 522, 0.0f, 1500.0f, -5.0f, -68.0f, 20.0f, day, 0, 0, 0},
        {"3000 m looking down, 20 nm", 522, 0.0f, 3000.0f, -45.0f, 0.0f, 20.0f, day, 0, 0, 0},
        {"3000 m down, 20 nm, night", 522, 0.0f, 3000.0f, -45.0f, 0.0f, 20.0f, 1.0f, 0, 0, 0},
        {"3000 m down, 20 nm, trees", 522, 0.0f, 3000.0f, -45.0f, 0.0f, 20.0f, day, 1, 0, 0},
        {"3000 m down, 20 nm, night, trees", 522, 0.0f, 3000.0f, -45.0f, 0.0f, 20.0f, 1.0f, 1, 0, 0},
        {"carrier at sea, 600 m astern", 522, -600.0f, 60.0f, -3.0f, 0.0f, 7.0f, day, 0, 1, 0},
        {"carrier, HUD view in rain", 521, -600.0f, 60.0f, -3.0f, 0.0f, 7.0f, day, 0, 1, 1},
    };
    const auto clear_weather = atm;
    double cx = 0.0, cz = 0.0;
    if (!carrier_middle(&cx, &cz)) std::printf("(no carrier in the region: the carrier case flies over the runway)\n");
    std::printf("%-34s %8s %9s %9s %10s %7s\n", "case", "fps", "ms/frame", "cpu ms", "triangles", "blocks");
    int index = 0;
    for (const Case& c : cases) {
        atm = clear_weather;
        place(c);
        if (c.rain) rain();
        for (int k = 0; k < 10; k++) {
            update_scenery();
            glFinish();
            PLT_swap();
        }
        const auto t0 = std::chrono::steady_clock::now();
        const std::clock_t c0 = std::clock();
        for (int k = 0; k < frames; k++) {
            update_scenery();
            glFinish();
            PLT_swap();
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
        const terrain_stats st = terrain_last_stats();
        std::printf("%-34s %8.1f %9.2f %9.2f %10d %7d\n", c.name, frames / s, 1000.0 * s / frames, 1000.0 * cpu / frames,
                    st.triangles, st.blocks);
        if (c.rain) std::printf("%-34s rain rate %.2f\n", "", atm.prec_rat);
        if (pictures) {
            update_scenery();
            glFinish();
            save_picture(pictures, index, c.name, width, height);
            PLT_swap();
        }
        index++;
    }
    MACIBM_finishup();
    return 0;
}
