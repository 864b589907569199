// sky_noalloc_gltest.cpp -- Skycaster's per-pass screen allocates nothing: the global allocator is
// counted over passes whose clicks re-roll the phrasing and change the altitude, so the briefing
// is composed again on many of them.
#include "alloc_count.h"
#include "hl_types.h"
#include "kvscreen.h"
#include "skycaster.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>


namespace {

class SkyPasses : public ScreenTest {};

TEST_F(SkyPasses, AllocateNothing)
{
    std::snprintf(app_path, STR_LEN, "%s/", KV_PROGRAM_DIR);
    prf_path[0] = 0;
    bri = {};
    bri.alt = SKY_START_ALT;
    sky_load();
    ASSERT_EQ(wxr_apt_max, 40);
    sky_update();   // anything done once is done
    const std::string first = sky_text[1];
    const long before = counted_allocations();
    int changed = 0;
    for (int k = 0; k < 100; k++) {
        // Every third pass a click on the altitude field's ten-thousands plus strip; the other
        // clicks land on an empty place, and every click draws new phrase choices.
        mnw.mouse_clicked = k % 2;
        mnw.mx = k % 3 == 1 ? SKY_ALT_X + 5 : 760;
        mnw.my = k % 3 == 1 ? SKY_ALT_Y + 15 : 40;
        sky_update();
        changed += std::strcmp(sky_text[1], first.c_str()) != 0;
    }
    mnw.mouse_clicked = 0;
    EXPECT_EQ(counted_allocations() - before, 0);
    EXPECT_GT(changed, 0) << "the clicks changed nothing";
    EXPECT_GT(bri.alt, SKY_START_ALT);
}

}  // namespace
