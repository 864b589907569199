// globals_test.cpp -- the shared records start cleared.
#include "hl_types.h"

#include <gtest/gtest.h>

TEST(Globals, ClearZeroesRecordsAndClosesMenus)
{
    mnw.topwin = 5;
    con.g = 9.8f;
    clear_globals();
    EXPECT_EQ(mnw.topwin, 0);
    EXPECT_EQ(con.g, 0.0f);
    EXPECT_EQ(mnw.menu_up, -1);
}
