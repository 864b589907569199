// main.cpp -- bench_panel: the instrument panel's cost per frame on this machine's OpenGL, for each
// bundled aircraft and a glass panel, in a 1024 by 768 window: the moving parts (update_panel)
// alone, and with the static face's tiles drawn under them as the program draws a frame. Every
// navigation instrument is busy (radios tuned to the region's stations, a GPS waypoint, traffic and
// weather on the displays) and each frame is finished (glFinish) before the clock is read. Then the
// busiest panels step by step. The processor time counts every thread of the renderer, so it holds
// still on a busy machine where the wall time does not.
//
//   bench_panel [frames per aircraft]      (default 300)
//
// Set SDL_VIDEODRIVER=offscreen to run without a display.
#include "flight_harness.h"
#include "fltutil.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "hooks.h"
#include "panel.h"
#include "panel_harness.h"
#include "plt.h"

#include <GL/gl.h>

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

constexpr int W = 1024, H = 768;

// A bundled aircraft's file with its panel made glass, written beside the benchmark's temp folder.
std::string glass_copy(const char* plane)
{
    std::FILE* in = std::fopen(fh_bundled(plane), "rb");
    if (!in) return "";
    std::string bytes;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) bytes.append(buf, n);
    std::fclose(in);
    const size_t at = 5 + offsetof(planestruct, paneltype);   // after the file's type byte and version
    if (bytes.size() < at + 4) return "";
    const int32_t glass = 2;
    std::memcpy(&bytes[at], &glass, 4);
    const std::string path = "/tmp/bench_panel Glass Trainer.acf";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return "";
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    return path;
}

// The navaid of a type nearest the aircraft, or -1.
int nearest(int type)
{
    int best = -1;
    float d = 9.9e9f;
    for (int k = 2; k <= nav_wrl_max && k < MAX_NAV; k++) {
        if (nav_type[k] != type) continue;
        const float e = std::hypot(nav_lat[k] - flt.lat, nav_lon[k] - flt.lon);
        if (e < d) d = e, best = k;
    }
    return best;
}

// Everything the instruments can show switched on and tuned.
void busy(void)
{
    flt.lat = 34.0f;
    flt.lon = -117.4f;
    flt.X[0] = X_with_latlon(flt.lat, flt.lon);
    flt.Z[0] = Z_with_lat(flt.lat);
    flt.Y[0] = 1500.0;
    flt.vind = 140.0f;
    flt.v[0] = 72.0f;
    flt.av = 72.0f;
    env.mvar = -12.0f;
    apt_lcl_num = 0;
    for (int a = 0; a <= apt_wrl_max && apt_lcl_num < LCL_MAX; a++) apt_to_index[apt_lcl_num++] = a;
    for (int k = 2; k <= nav_wrl_max && k < MAX_NAV; k++) nav_inreg[k] = 1;
    const int vor = nearest(3), ndb = nearest(2);
    if (vor >= 0) nav.nf[0] = nav.nf[1] = nav_frq[vor];
    if (ndb >= 0) nav.adff = nav_frq[ndb];
    nav.gps_index_mode = 1;
    nav.gps_index = 0;
    setnav(0);
    setnav(1);
    setnav(4);
    setnav(5);
    rel.efis_2 = 1;
    ins.EFIS_wxr = ins.EFIS_tcas = 1;
    ins.map_mode = 1;
    ins.map_range = 32.0f;
    ins.arg_range = ins.rad_range = 30.0f;
    ins.ecam_mode = 3;
    for (int k = 1; k < 12; k++) {
        flt.X[k] = flt.X[0] + 2000.0 * k;
        flt.Y[k] = flt.Y[0];
        flt.Z[k] = flt.Z[0] - 1500.0 * k;
    }
    for (int i = 0; i < 40; i++)
        for (int j = 0; j < 40; j++) atm.wxr[300 + i][200 + j] = 0.6f;
    atm.rain_tstm = 4.0f;
}

struct timing {
    double wall, cpu;   // ms a frame
};

// The time of `frames` frames of draw(), each finished, after ten frames to settle.
template <class F>
timing measure(int frames, F draw)
{
    for (int k = 0; k < 10; k++) {
        draw();
        glFinish();
        PLT_swap();
    }
    const auto t0 = std::chrono::steady_clock::now();
    const std::clock_t c0 = std::clock();
    for (int k = 0; k < frames; k++) {
        msc.elap_time += msc.prd;
        msc.cntr10 = k % 10;
        flt.psi[0] = std::fmod(flt.psi[0] + 0.5f, 360.0f);
        flt.magpsi = flt.psi[0] + env.mvar;
        draw();
        glFinish();
        PLT_swap();
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    return {1000.0 * wall / frames, 1000.0 * cpu / frames};
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: bench_panel [frames per aircraft]\n");
        return 2;
    }
    fh_world();
    fill_hooks();
    if (!ph_open(W, H)) {
        std::fprintf(stderr, "bench_panel: no OpenGL window\n");
        return 1;
    }
    read_world_db(nullptr);

    struct Plane {
        const char* name;
        std::string path;
    };
    const Plane planes[] = {
        {"Cessna 172", fh_bundled(FH_TRAINER)},
        {"Schweizer 2-32", fh_bundled(FH_GLIDER)},
        {"Bell 206B", fh_bundled(FH_HELI)},
        {"T-38A", fh_bundled(FH_JET)},
        {"DHC-2 floats", fh_bundled(FH_FLOATPLANE)},
        {"Husky", fh_bundled("planes/System Planes (don't move)/Husky/Husky.acf")},
        {"B-52H", fh_bundled("planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf")},
        {"Cessna 172, glass panel", glass_copy(FH_TRAINER)},
    };
    std::printf("renderer: %s\n", PLT_renderer());
    std::printf("%d frames an aircraft, %d x %d; wall and processor (all threads) time a frame\n", frames, W, H);
    std::printf("%-26s %20s %20s\n", "aircraft", "moving parts ms", "with face ms");
    std::printf("%-26s %10s %9s %10s %9s\n", "", "wall", "cpu", "wall", "cpu");
    double worst = 0.0;
    for (const Plane& p : planes) {
        if (p.path.empty() || fh_load(p.path.c_str()) != 1) {
            std::printf("%-26s %16s\n", p.name, "not loaded");
            continue;
        }
        fh_start_air(500.0f, 70.0f, 30.0f);
        panel_reset_needles();
        MACIBM_startwind(0);
        busy();
        timing t[2];
        for (int face = 0; face < 2; face++) {
            t[face] = measure(frames, [face] {
                if (face) OGL_plot_background();
                update_panel();
            });
        }
        if (t[0].wall > worst) worst = t[0].wall;
        std::printf("%-26s %10.3f %9.3f %10.3f %9.3f\n", p.name, t[0].wall, t[0].cpu, t[1].wall, t[1].cpu);
    }
    std::printf("worst moving parts: %.3f ms a frame\n", worst);

    // Where the time of the busiest panels goes: each drawing step alone.
    for (const Plane& p : {planes[0], planes[6], planes[7]}) {
        if (p.path.empty() || fh_load(p.path.c_str()) != 1) continue;
        fh_start_air(500.0f, 70.0f, 30.0f);
        panel_reset_needles();
        MACIBM_startwind(0);
        busy();
        std::printf("%s, step by step (wall ms, cpu ms):\n", p.name);
        const planestruct& pl = pln[0];
        struct Step {
            const char* name;
            void (*draw)(void);
        };
        const Step steps[] = {
            {"nothing (the frame's own cost)", [] {}},
            {"whole panel", update_panel},
            {"compass card (size 52)", [] { plot_dg(ins.x_loc[SLOT_HSI], ins.y_loc[SLOT_HSI], 30.0f, 52.0f); }},
            {"radio strip", update_radio_strip},
            {"engine gauges", update_engine_gauges},
            {"situation indicator", [] { update_HSI(nav.hdef[1] * 5.0f, nav.vdef[1] * -5.0f); }},
            {"direction finder", update_ADF},
            {"course indicator", [] { update_VORandGS(nav.hdef[0] * 4.0f, nav.vdef[0] * -5.0f); }},
            {"DME", update_DME},
            {"GPS", update_GPS},
            {"weather radar", [] { update_glass(13); }},
            {"glass map", [] { update_glass(11); }},
            {"airspeed", update_airspeed},
            {"attitude", update_arthoriz},
            {"altimeter", update_alt},
        };
        for (const Step& st : steps) {
            if (st.draw == update_GPS && (pl.supptype == 1 || pl.supptype == 7)) continue;
            if (st.draw == update_DME && pl.supptype != 1 && pl.supptype != 7) continue;
            const timing t = measure(frames, st.draw);
            std::printf("  %-32s %8.3f %8.3f\n", st.name, t.wall, t.cpu);
        }
    }
    ph_close();
    return 0;
}
