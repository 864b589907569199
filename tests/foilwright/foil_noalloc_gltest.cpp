// foil_noalloc_gltest.cpp -- Foilwright's per-pass screen allocates nothing: the global allocator is
// counted over passes of both part types and both views, with clicks that change a field and make
// the curves again.
#include "alloc_count.h"
#include "foilwright.h"
#include "hl_types.h"
#include "kvscreen.h"

#include <gtest/gtest.h>

#include <cstdlib>


namespace {

class FoilPasses : public ScreenTest {};

TEST_F(FoilPasses, AllocateNothing)
{
    for (int device : {DEVICE_AIRFOIL, DEVICE_FLAP})
        for (int view : {VIEW_ALPHA, VIEW_CL}) {
            reset_to_default(device);
            fmsc.view = view;
            foil_update();   // anything done once is done
            const long before = counted_allocations();
            for (int k = 0; k < 100; k++) {
                // Every other pass a click on the first field's plus strip, with the mouse over the graph between.
                mnw.mouse_clicked = k % 2;
                mnw.mx = k % 2 ? 9 + 15 : 250 + 4 * k;
                mnw.my = k % 2 ? 454 + 15 : 300;
                foil_update();
            }
            mnw.mouse_clicked = 0;
            EXPECT_EQ(counted_allocations() - before, 0) << "device " << device << " view " << view;
            EXPECT_EQ(fmsc.devicemod, 1) << "the clicks changed nothing";
        }
}

}  // namespace
