// lw_noalloc_gltest.cpp -- Landwright's per-pass screens allocate nothing: the global allocator is
// counted over passes of each of the four screens, plain and textured, with the mouse moving over
// the map, the lists and the fields.
#include "alloc_count.h"
#include "hl_types.h"
#include "kvscreen.h"
#include "landwright.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>


namespace {

class LandPasses : public ScreenTest {};

TEST_F(LandPasses, AllocateNothing)
{
    // The program folder's square and databases, only read.
    std::snprintf(app_path, STR_LEN, "%s/", KV_PROGRAM_DIR);
    lw_defaults();
    lw_load_terrain_textures();
    read_terrain();
    lw_read_databases();
    ASSERT_GE(apt_wrl_max, 0);
    lmsc.apt_index = 0;
    lmsc.rwy_index = apt_lo_ind[0];
    lmsc.map_mode = 1;   // the elevation point and its field too
    lmsc.obj_index = lw_add_object(2, 33.5f, -118.5f);
    for (int screen = LW_TERRAIN; screen <= LW_NAVAIDS; screen++) {
        for (int tex = 0; tex < 2; tex++) {
            lmsc.edit_mode = screen;
            lmsc.draw_tex = tex;
            if (tex) lw_assign_textures();
            lw_update();   // anything done once is done
            const long before = counted_allocations();
            for (int k = 0; k < 50; k++) {
                mnw.mouse_clicked = 0;
                mnw.now_dragging = 0;
                mnw.mx = 20.0f + 15.0f * static_cast<float>(k);
                mnw.my = 30.0f + 10.0f * static_cast<float>(k);
                lw_update();
            }
            EXPECT_EQ(counted_allocations() - before, 0) << "screen " << screen << " textured " << tex;
        }
    }
}

}  // namespace
