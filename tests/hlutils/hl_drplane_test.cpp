// hl_drplane_test.cpp -- which parts an aircraft has, their grid sizes, and where its elements sit.
#include "hl_drplane.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cmath>

TEST(PartGeometry, WhichPartsExist)
{
    clear_globals();
    planestruct& pl = pln[0];
    pl.numen = 2;
    pl.entype = 2;
    pl.semilen[5] = 0.06f;
    pl.semilen[4] = 0.05f;
    pl.semilen[14] = pl.semilen[16] = 1.0f;
    EXPECT_TRUE(have_this_part(0, 0));
    EXPECT_TRUE(have_this_part(1, 0));
    EXPECT_FALSE(have_this_part(2, 0));
    EXPECT_TRUE(have_this_part(5, 0));    // 0.06 of semi-span is a part
    EXPECT_FALSE(have_this_part(4, 0));   // 0.05 is not
    EXPECT_TRUE(have_this_part(14, 0));
    EXPECT_FALSE(have_this_part(16, 0));  // a pylon without its engine
    EXPECT_TRUE(have_this_part(18, 0));   // the fuselage always
    pl.entype = 4;
    EXPECT_FALSE(have_this_part(0, 0));   // jets have no propellers
    pl.is_heli = 1;
    EXPECT_TRUE(have_this_part(1, 0));    // but a helicopter has its two rotors
    // A wing broken off above the never-exceed speed is gone, for the user's aircraft only.
    flt.over_vne = 1;
    EXPECT_FALSE(have_this_part(5, 0));
    pln[1].semilen[5] = 3.0f;
    EXPECT_TRUE(have_this_part(5, 1));
    // Bodies.
    pl.nace_eq = 1;
    EXPECT_TRUE(have_this_part(19, 0));
    EXPECT_FALSE(have_this_part(20, 0));   // nacelle 2: not on a helicopter
    pl.misc_eq = 1;
    pl.misc_X = 0.0f;
    EXPECT_TRUE(have_this_part(23, 0));
    EXPECT_FALSE(have_this_part(24, 0));
    pl.fair_eq = 1;
    pl.gear_type = 3;
    pl.gear_stat[0] = 1;
    EXPECT_TRUE(have_this_part(25, 0));
    EXPECT_FALSE(have_this_part(26, 0));
    pl.gear_type = 2;
    pl.fair_eq = 0;
    EXPECT_TRUE(have_this_part(26, 0));    // skids
}

TEST(PartGeometry, GridSizesAndSides)
{
    clear_globals();
    pln[0].numblades[0] = 2;
    pln[0].els[5] = 4;
    EXPECT_EQ(f_body_s_dim(0, 0), 4);   // two sections per blade
    // Up to the nine blades the grid's eighteen sections hold; more are drawn as nine, none as one.
    struct { float blades; int sections; } counts[] = {{1, 2}, {8, 16}, {9, 18}, {12, 18}, {0, 2}, {-3, 2}};
    for (auto c : counts) {
        pln[0].numblades[1] = c.blades;
        EXPECT_EQ(f_body_s_dim(1, 0), c.sections) << c.blades << " blades";
    }
    EXPECT_EQ(f_body_r_dim(0), 2);
    EXPECT_EQ(f_body_s_dim(5, 0), 5);
    EXPECT_EQ(f_body_r_dim(5), 12);
    EXPECT_EQ(f_body_s_dim(18, 0), 11);
    EXPECT_EQ(f_body_r_dim(18), 16);
    EXPECT_EQ(f_body_s_dim(23, 0), 7);
    EXPECT_EQ(f_body_r_dim(26), 8);
    EXPECT_EQ(latsign(4, 0), -1);
    EXPECT_EQ(latsign(11, 0), 1);
    EXPECT_EQ(latsign(12, 0), 1);
    pln[0].Xarm[2] = -3.0f;
    EXPECT_EQ(latsign(2, 0), -1);
}

TEST(PartGeometry, ElementsAlongSweptAndRaisedSpans)
{
    clear_globals();
    planestruct& pl = pln[0];
    pl.els[4] = 4;
    pl.semilen[4] = 8.0f;
    pl.Xarm[4] = -0.5f;
    pl.Yarm[4] = 1.0f;
    pl.Zarm[4] = 2.0f;
    pl.sweep1[4] = 30.0f;
    pl.dihed[4] = 10.0f;
    EXPECT_FLOAT_EQ(get_wing_rarm(4, 0, 0), 1.0f);
    EXPECT_FLOAT_EQ(get_wing_rarm(4, 3, 0), 7.0f);
    const float d = 3.14159265f / 180.0f;
    float r = 4.0f;
    EXPECT_NEAR(get_wing_Xarm(4, r, 0), -std::cos(10 * d) * std::cos(30 * d) * r - 0.5f, 1e-5f);   // left
    EXPECT_NEAR(get_wing_Yarm(4, r, 0), std::sin(10 * d) * std::cos(30 * d) * r + 1.0f, 1e-5f);
    EXPECT_NEAR(get_wing_Zarm(4, r, 0), std::sin(30 * d) * r + 2.0f, 1e-5f);
    // A fin stands straight up.
    pl.dihed[12] = 90.0f;
    pl.els[12] = 2;
    pl.semilen[12] = 2.0f;
    EXPECT_NEAR(get_wing_Xarm(12, 2.0f, 0), 0.0f, 1e-5f);
    EXPECT_NEAR(get_wing_Yarm(12, 2.0f, 0), 2.0f, 1e-5f);
    pl.els[13] = 0;
    EXPECT_EQ(get_wing_rarm(13, 0, 0), 0.0f);   // no elements, no division
    // Bodies hang at their reference points.
    float x, y, z;
    pl.misc_X = 2.0f;
    pl.misc_Y = -1.0f;
    pl.misc_Z = 0.5f;
    get_body_os(23, &x, &y, &z, 0);
    EXPECT_EQ(x, -2.0f);
    get_body_os(24, &x, &y, &z, 0);
    EXPECT_EQ(x, 2.0f);
    EXPECT_EQ(y, -1.0f);
    get_body_os(18, &x, &y, &z, 0);
    EXPECT_EQ(x + y + z, 0.0f);
    pl.Xarm[1] = 4.0f;
    get_body_os(20, &x, &y, &z, 0);   // nacelle 2 at engine 2
    EXPECT_EQ(x, 4.0f);
}
