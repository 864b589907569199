// hw_screen_gltest.cpp -- Hullwright's screen on SDL's offscreen driver, driven through the real
// event loop: menus, editing windows, the save questions and the preview, read back from the frame.
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_model.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hullwright.h"
#include "kvscreen.h"
#include "kvtest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kProgram = std::string(KV_PROGRAM_DIR) + "/";

class Designer : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        hl_build_paths(kProgram.c_str(), cfg_.str().c_str(), "Hullwright.prf");
        hw_defaults();
        pln[0].is_heli = 0;
        setup_baseplane("Untitled.acf");
        OGL_texbmp(TEXBMP_FAMILY, TEX_TIRE, 0, "tire");
        hw_setupmenus();
        MACIBM_startwind(0);
        run_passes(2);
    }
    void TearDown() override
    {
        gdone = 0;
        ScreenTest::TearDown();
    }
    TempDir cfg_;
};

}  // namespace

TEST_F(Designer, LookAtIt)
{
    write_png(picture_path("hw_look_main.png"), capture_pass());
    printf("trat %g %g n %g %g %g  n18 %g %g %g\n", afl[0].trat[5][0], afl[0].trat[5][1], mdl[0].n_xyz[5][2][3][0], mdl[0].n_xyz[5][2][3][1], mdl[0].n_xyz[5][2][3][2], mdl[0].n_xyz[18][4][3][0], mdl[0].n_xyz[18][4][3][1], mdl[0].n_xyz[18][4][3][2]);
    mnw.draw_wire = 0;
    write_png(picture_path("hw_look_tex.png"), capture_pass());
    hw_handlemenu(400);
    run_passes(1);
    write_png(picture_path("hw_look_top.png"), capture_pass());
    hw_handlemenu(401);
    run_passes(1);
    write_png(picture_path("hw_look_bottom.png"), capture_pass());
    hw_handlemenu(402);
    run_passes(1);
    write_png(picture_path("hw_look_side.png"), capture_pass());
    hw_handlemenu(208);
    run_passes(1);
    write_png(picture_path("hw_look_wing.png"), capture_pass());
    for (int id : {200, 201, 205, 206, 208, 211, 215, 217, 221, 223, 225, 301, 308, 311}) {
        hw_handlemenu(id);
        run_passes(1);
        write_png(picture_path("hw_look_" + std::to_string(id) + ".png"), capture_pass());
    }
    MACIBM_startwind(0);
    pln[0].is_heli = 1;
    setup_baseplane("Untitled.acf");
    hw_setupmenus();
    run_passes(2);
    write_png(picture_path("hw_look_heli.png"), capture_pass());
    for (int id : {206, 208, 210}) {
        hw_handlemenu(id);
        run_passes(1);
        write_png(picture_path("hw_look_h" + std::to_string(id) + ".png"), capture_pass());
    }
}
