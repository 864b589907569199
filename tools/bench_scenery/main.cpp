// main.cpp -- bench_scenery: frames per second of the outside view around the start airport, drawn
// by this machine's OpenGL in an 800 by 600 window: on the start runway with the panel and full
// screen, in cruise toward the mountains, looking down from high up, and with twenty miles of
// visibility, and at sea 600 m astern of the region's carrier nearest the airport, by day and in
// the head-up display's view under an overcast in rain. Each frame is
// finished (glFinish) before the next, so the figure is the renderer's real rate; the buffers are
// swapped as the program does.
//
//   bench_scenery [frames per case] [width height]      (default 300, 800 600)
//
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
#include "prefs.h"
#include "scenery.h"
#include "terrain.h"
#include "tool_program.h"
#include "view.h"

#include <GL/gl.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr double PI = 3.14159265358979;

struct Case {
    const char* name;
    int view;            // view number; 500 shows the panel, 522 is full screen
    float along;         // m from the start runway's centre along its heading (negative: its start)
    float agl;           // m above the ground
    float the, turn;     // pitch, and heading relative to the runway's (degrees)
    float vis_nm;        // reported visibility, nautical miles
    int carrier;         // 1: along and turn are taken from the carrier's cell middle, looking north
    int rain;            // 1: under an overcast in moderate rain (streaks on the windscreen)
};

// The start runway of the start airport: its centre, heading and the ground there.
int g_rwy = 0;

// The middle of the carrier's cell nearest the start runway; 0 when the region has none.
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
        h = 0.0;
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
    flt.vind = 140.0f;
    flt.av = 72.0f;
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
    const int width = argc > 3 ? std::atoi(argv[2]) : 800, height = argc > 3 ? std::atoi(argv[3]) : 600;
    if (frames <= 0 || width < 320 || height < 240 || argc == 3 || argc > 4) {
        std::fprintf(stderr, "usage: bench_scenery [frames per case] [width height]\n");
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
    std::printf("start airport %.4s, runway %d, %d frames a case, %d x %d, %d:%02d local, clouds %d\n",
                apt_id[msc.loc_apt_wrl], rwy_num[g_rwy], frames, width, height,
                static_cast<int>(msc.locl_time / 3600.0f), static_cast<int>(msc.locl_time / 60.0f) % 60, atm.cld_type);

    const Case cases[] = {
        {"runway, panel view", 500, -1400.0f, 1.5f, 0.0f, 0.0f, 7.0f, 0, 0},
        {"runway, full screen", 522, -1400.0f, 1.5f, 0.0f, 0.0f, 7.0f, 0, 0},
        {"1500 m toward the mountains", 522, 0.0f, 1500.0f, 0.0f, -68.0f, 7.0f, 0, 0},
        {"1500 m, 20 nm visibility", 522, 0.0f, 1500.0f, -5.0f, -68.0f, 20.0f, 0, 0},
        {"3000 m looking down, 20 nm", 522, 0.0f, 3000.0f, -45.0f, 0.0f, 20.0f, 0, 0},
        {"carrier at sea, 600 m astern", 522, -600.0f, 60.0f, -3.0f, 0.0f, 7.0f, 1, 0},
        {"carrier, HUD view in rain", 521, -600.0f, 60.0f, -3.0f, 0.0f, 7.0f, 1, 1},
    };
    const auto clear_weather = atm;
    double cx = 0.0, cz = 0.0;
    if (!carrier_middle(&cx, &cz)) std::printf("(no carrier in the region: the carrier case flies over the runway)\n");
    std::printf("%-32s %8s %9s %10s %7s\n", "case", "fps", "ms/frame", "triangles", "blocks");
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
        for (int k = 0; k < frames; k++) {
            update_scenery();
            glFinish();
            PLT_swap();
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const terrain_stats st = terrain_last_stats();
        std::printf("%-32s %8.1f %9.2f %10d %7d\n", c.name, frames / s, 1000.0 * s / frames, st.triangles, st.blocks);
        if (c.rain) std::printf("%-32s rain rate %.2f\n", "", atm.prec_rat);
    }
    MACIBM_finishup();
    return 0;
}
