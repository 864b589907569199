// scenery_world.h -- test support for the outside view: the offscreen window with the bundled
// databases, the default region around the start airport and its terrain textures loaded, and an
// aircraft placed by latitude, longitude, height above the ground and attitude.
#pragma once
#include "fltutil.h"
#include "genwrld.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_worlddb.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "lax.h"
#include "plt.h"
#include "view.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <unistd.h>

// The window at 800 by 600 (MACIBM_init), the world databases, noon under a clear sky with 20 nm of
// visibility, the region at (33, -119) and the terrain textures. Nothing of the event loop runs:
// each test calls update_scenery itself and reads the frame back.
class OutsideView : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts the user's aircraft at (lat, lon), agl metres above the ground there, with the
    // attitude given (degrees) and at rest.
    void place(double lat, double lon, float agl, float the, float psi, float phi);
    // Draws n frames of the outside view (region shift, camera, drawing) and reads the last back.
    Frame draw(int n = 1);
    // Writes the frame under the build's pictures folder.
    void save(const Frame& f, const std::string& name);

    TempDir work_;
    std::string old_cwd_;
};

struct Rgb {
    double r, g, b;
};

inline void OutsideView::SetUp()
{
    char cwd[4096];
    old_cwd_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
    ASSERT_EQ(chdir(work_.str().c_str()), 0);
    setenv("KV_PROGRAM_DIR", KV_PROGRAM_DIR, 1);
    setenv("KV_CONFIG_DIR", work_.str().c_str(), 1);
    clear_globals();
    use_test_clock(1000);
    hl_set_window_size(800, 600);
    MACIBM_init();
    ASSERT_TRUE(PLT_window_open());
    initing = 0;
    read_world_db(nullptr);
    ASSERT_GT(apt_wrl_max, 0) << "the bundled airports";

    // Noon, clear, far visibility, mild.
    msc.locl_time = 12.0f * 3600.0f;
    atm.cld_type = 1;
    atm.vis_rep = 20.0f * con.nmtomtrs;
    atm.vis_mult = 1.0f;
    atm.level = 0.0f;
    atm.temp_SL = 59.0f;
    atm.baseMSL = 3000.0f;
    atm.topsMSL = 3500.0f;
    set.ogl_res = 5;
    set.view_type = VIEW_FORWARD;
    set.view_is_fullscreen = 1;
    scn.zoom = 1.0f;
    scn.planerad = 6.0f;
    scn.dist = 12.0f;
    msc.prd = 1.0f / 60.0f;
    rel.clights = 1;

    flt.lat = 34.0f;
    flt.lon = -117.5f;
    env.lat_sou = 33;
    env.lon_wes = -119;
    hl_srand(1);   // the region's forest fires, lit at random, the same whatever test ran before
    load_region(1);
    int n;
    const lax_tex* terrain = load_texes_terrain(&n);
    for (int k = 0; k < n; k++) OGL_texbmp(TEXBMP_FAMILY, terrain[k].tex, terrain[k].alpha, terrain[k].name);
    clear_recorded_alerts();
}

inline void OutsideView::TearDown()
{
    MACIBM_finishup();
    hl_set_window_size(0, 0);
    use_real_clock();
    unsetenv("KV_PROGRAM_DIR");
    unsetenv("KV_CONFIG_DIR");
    if (chdir(old_cwd_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << old_cwd_;
}

// The ground height (m) of the loaded region at (lat, lon).
inline float ground_at_latlon(double lat, double lon)
{
    int i = 0, j = 0;
    return find_local_h(static_cast<float>(X_with_latlon(lat, lon)), static_cast<float>(Z_with_lat(lat)), &i, &j, 0);
}

inline void OutsideView::place(double lat, double lon, float agl, float the, float psi, float phi)
{
    flt.lat = static_cast<float>(lat);
    flt.lon = static_cast<float>(lon);
    flt.X[0] = X_with_latlon(lat, lon);
    flt.Z[0] = Z_with_lat(lat);
    flt.Y[0] = ground_at_latlon(lat, lon) + agl;
    flt.the[0] = the;
    flt.psi[0] = psi;
    flt.phi[0] = phi;
    flt.vX = flt.vY = flt.vZ = 0.0;
    flt.hpath = psi;
    flt.vpath = 0.0f;
    // The other aircraft far away, out of every test's way.
    for (int p = 1; p < 12; p++) {
        flt.X[p] = flt.X[0] + 1.0e6;
        flt.Y[p] = 1.0e5;
        flt.Z[p] = flt.Z[0];
    }
}

inline Frame OutsideView::draw(int n)
{
    for (int k = 0; k < n; k++) update_scenery();
    return read_frame();
}

inline void OutsideView::save(const Frame& f, const std::string& name) { write_png(picture_path(name), f); }

// The mean colour of a box of drawable pixels (x0..x1, y0..y1 inclusive, y up).
inline Rgb mean_rgb(const Frame& f, int x0, int y0, int x1, int y1)
{
    Rgb m = {0, 0, 0};
    int n = 0;
    for (int y = y0; y <= y1; y++) {
        for (int x = x0; x <= x1; x++) {
            if (x < 0 || y < 0 || x >= f.w || y >= f.h) continue;
            const uint8_t* p = f.px(x, y);
            m.r += p[0];
            m.g += p[1];
            m.b += p[2];
            n++;
        }
    }
    if (n) {
        m.r /= n;
        m.g /= n;
        m.b /= n;
    }
    return m;
}

// The drawable row (y up, as Frame::px counts) of the logical row y.
inline int pixel_row(float y) { return static_cast<int>(std::lround(y * mnw.YRAT)); }
