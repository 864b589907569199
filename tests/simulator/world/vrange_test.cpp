// vrange_test.cpp -- what the outside view draws: the view's octant, the view cone and its margins,
// the box around the camera (its edge behind the camera), the plot bounds it gives on a grid of
// 1 km cells, when the box is redone, and the cone's choice of cells and objects.
#include "vrange.h"

#include "hl_types.h"
#include "kvdb.h"
#include "terrain.h"

#include <gtest/gtest.h>

namespace {

constexpr float CELL = 1000.0f;   // m, the synthetic grid's spacing

// Grid point (i, j) at x = 1000 i, z = 158 000 - 1000 j: i east, j north, flat at sea level.
class RangeGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        kvdb_set_units();
        for (int i = 0; i < REGION_NI; i++) {
            for (int j = 0; j < REGION_NJ; j++) {
                planexyz[i][j][0] = CELL * i;
                planexyz[i][j][1] = 0.0f;
                planexyz[i][j][2] = CELL * (REGION_NJ - 1 - j);
            }
        }
        env.lox = 0.0f;
        env.hix = CELL * (REGION_NI - 1);
        env.loz = 0.0f;
        env.hiz = CELL * (REGION_NJ - 1);
        env.dx = env.hix;
        env.dz = env.hiz;
        range_forget();
    }
    // The camera over grid point (i, j).
    static void camera_at(int i, int j, float* x, float* z)
    {
        *x = CELL * i;
        *z = CELL * (REGION_NJ - 1 - j);
        env.i_viewpoint = i;
        env.j_viewpoint = j;
    }
};

TEST(ViewOctant, WholeDegreesInEighths)
{
    struct Case {
        float heading;
        int octant;
    } cases[] = {
        {0.0f, 1},   {44.9f, 1},  {45.0f, 2},   {89.99f, 2}, {90.0f, 3},  {180.0f, 5},
        {270.0f, 7}, {315.0f, 8}, {359.9f, 8},  {360.0f, 1}, {-1.0f, 8},  {-45.0f, 8},  {-46.0f, 7},
        {405.0f, 2}, {720.5f, 1}, {-359.5f, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(view_octant(c.heading), c.octant) << c.heading;
}

TEST(ViewCone, ReachesTheVisibilityAheadWithinNinetyDegrees)
{
    // With the reach 1.4142 times 1000 m, the far edge lies 1000 m ahead.
    set_view_cone(0.0f, 0.0f, 0.0f, 1.4142f * 1000.0f);
    struct Case {
        float x, z, tol;
        int in;
    } north[] = {
        {0.0f, -500.0f, 0.0f, 1},     // straight ahead (north is -z)
        {0.0f, -990.0f, 0.0f, 1},
        {0.0f, -1010.0f, 0.0f, 0},    // past the far edge
        {0.0f, -1010.0f, 20.0f, 1},   // within the margin
        {0.0f, 500.0f, 0.0f, 0},      // behind
        {0.0f, 500.0f, 600.0f, 1},    // behind, but the margin reaches it
        {450.0f, -500.0f, 0.0f, 1},   // inside the right edge (45 degrees)
        {600.0f, -500.0f, 50.0f, 0},  // 100 m outside it
        {600.0f, -500.0f, 150.0f, 1},
        {-600.0f, -500.0f, 50.0f, 0}, // the left edge alike
        {-600.0f, -500.0f, 150.0f, 1},
    };
    for (const Case& c : north) EXPECT_EQ(incone(c.x, c.z, c.tol), c.in) << c.x << ", " << c.z << " tol " << c.tol;

    // Facing east from (5000, 5000).
    set_view_cone(5000.0f, 5000.0f, 90.0f, 1.4142f * 1000.0f);
    EXPECT_EQ(incone(5500.0f, 5000.0f, 0.0f), 1);
    EXPECT_EQ(incone(4500.0f, 5000.0f, 0.0f), 0);
    EXPECT_EQ(incone(5000.0f, 4500.0f, 0.0f), 0);
    EXPECT_EQ(incone(5500.0f, 5400.0f, 0.0f), 1);
}

TEST(RangeBox, KeepsItsEdgeBehindTheCameraAtTheCamera)
{
    struct Case {
        int octant;
        float x_lo, x_hi, z_lo, z_hi;
    } cases[] = {
        {1, 0.0f, 200.0f, 0.0f, 100.0f},     // north: the south edge at the camera
        {8, 0.0f, 200.0f, 0.0f, 100.0f},
        {2, 100.0f, 200.0f, 0.0f, 200.0f},   // east: the west edge
        {3, 100.0f, 200.0f, 0.0f, 200.0f},
        {4, 0.0f, 200.0f, 100.0f, 200.0f},   // south: the north edge
        {5, 0.0f, 200.0f, 100.0f, 200.0f},
        {6, 0.0f, 100.0f, 0.0f, 200.0f},     // west: the east edge
        {7, 0.0f, 100.0f, 0.0f, 200.0f},
    };
    for (const Case& c : cases) {
        const view_box b = range_box(100.0f, 100.0f, c.octant, 100.0f);
        EXPECT_FLOAT_EQ(b.x_lo, c.x_lo) << c.octant;
        EXPECT_FLOAT_EQ(b.x_hi, c.x_hi) << c.octant;
        EXPECT_FLOAT_EQ(b.z_lo, c.z_lo) << c.octant;
        EXPECT_FLOAT_EQ(b.z_hi, c.z_hi) << c.octant;
    }
}

TEST_F(RangeGrid, PlotBoundsAreThePointsInTheBoxWidened)
{
    struct Case {
        int ci, cj, octant;
        float reach;
        int i1, i2, j1, j2;
    } cases[] = {
        // Looking north from (80, 80), 5 km: points i 75..85 and j 80..85; two cells more below
        // and one above.
        {80, 80, 1, 5000.0f, 73, 86, 78, 86},
        // Looking east: i 80..85, j 75..85.
        {80, 80, 3, 5000.0f, 78, 86, 73, 86},
        // Looking south: j 75..80.
        {80, 80, 5, 5000.0f, 73, 86, 73, 81},
        // In the south-west corner, far: clamped to the last cells whose far corner exists.
        {0, 0, 2, 500000.0f, 0, 176, 0, 157},
        {177, 158, 7, 3000.0f, 172, 176, 153, 157},
    };
    for (const Case& c : cases) {
        range_forget();
        float x, z;
        camera_at(c.ci, c.cj, &x, &z);
        EXPECT_EQ(update_range_box(x, z, c.octant, c.reach), 1);
        EXPECT_EQ(scn.i1_plot_bound_ter, c.i1) << c.ci << "," << c.cj << " octant " << c.octant;
        EXPECT_EQ(scn.i2_plot_bound_ter, c.i2) << c.ci << "," << c.cj << " octant " << c.octant;
        EXPECT_EQ(scn.j1_plot_bound_ter, c.j1) << c.ci << "," << c.cj << " octant " << c.octant;
        EXPECT_EQ(scn.j2_plot_bound_ter, c.j2) << c.ci << "," << c.cj << " octant " << c.octant;
        // The cloud grid's bounds leave room for each cell's far corner.
        EXPECT_GE(scn.i1_plot_bound_cld, 0);
        EXPECT_LE(scn.i2_plot_bound_cld, 79);
        EXPECT_GE(scn.j1_plot_bound_cld, 0);
        EXPECT_LE(scn.j2_plot_bound_cld, 63);
    }
}

TEST_F(RangeGrid, CloudBoundsCoverTheCameraOnTheCloudGrid)
{
    // The region spans cloud columns 16..64 and rows 16..48 (row 16 at the south edge). A camera
    // in the middle of the region sits at column 40, row 32.
    float x, z;
    camera_at(88, 79, &x, &z);
    x = 0.5f * env.dx;
    z = 0.5f * env.dz;
    update_range_box(x, z, 1, 3000.0f);
    EXPECT_LE(scn.i1_plot_bound_cld, 40);
    EXPECT_GE(scn.i2_plot_bound_cld, 40);
    EXPECT_LE(scn.j1_plot_bound_cld, 32);
    EXPECT_GT(scn.j2_plot_bound_cld, 32);
    // 3 km is less than a cloud cell (3.7 km by 4.9 km here): a handful of cells, not the grid.
    EXPECT_LE(scn.i2_plot_bound_cld - scn.i1_plot_bound_cld, 6);
    EXPECT_LE(scn.j2_plot_bound_cld - scn.j1_plot_bound_cld, 6);
}

TEST_F(RangeGrid, BoxIsRedoneOnlyWhenItsKeyChanges)
{
    float x, z;
    camera_at(80, 80, &x, &z);
    EXPECT_EQ(update_range_box(x, z, 1, 9260.0f), 1);
    EXPECT_EQ(update_range_box(x, z, 1, 9260.0f), 0) << "nothing changed";
    EXPECT_EQ(update_range_box(x + 300.0f, z, 1, 9300.0f), 0) << "same cell, same whole miles";
    EXPECT_EQ(update_range_box(x, z, 2, 9300.0f), 1) << "another octant";
    EXPECT_EQ(update_range_box(x, z, 2, 11112.0f), 1) << "one mile more";
    camera_at(81, 80, &x, &z);
    EXPECT_EQ(update_range_box(x, z, 2, 11112.0f), 1) << "another cell";
    env.lon_wes = -118;
    EXPECT_EQ(update_range_box(x, z, 2, 11112.0f), 1) << "the region moved";
    terrain_region_changed();
    EXPECT_EQ(update_range_box(x, z, 2, 11112.0f), 1) << "the region was loaded again";
    range_forget();
    EXPECT_EQ(update_range_box(x, z, 2, 11112.0f), 1);
    EXPECT_EQ(update_range_box(x, z, 2, 11112.0f), 0);
}

TEST_F(RangeGrid, ConeKeepsTheCellsAheadAndAllWhenLookingDown)
{
    float x, z;
    camera_at(88, 40, &x, &z);
    const float vis = 20000.0f;
    update_range_box(x, z, 1, vis);
    update_range_cone(x, z, 0.0f, vis, 0);
    EXPECT_EQ(ter_inrange[88][50], 1) << "10 km ahead";
    EXPECT_EQ(ter_inrange[88][59], 1) << "19 km ahead";
    EXPECT_EQ(ter_inrange[80][45], 1) << "5 km ahead, 8 km left";
    EXPECT_EQ(ter_inrange[88][38], 1) << "2 km behind, within the 5 km margin";
    EXPECT_EQ(ter_inrange[70][42], 0) << "18 km left, 2 km ahead: outside the 45 degree edge";
    EXPECT_EQ(ter_inrange[106][42], 0) << "the same on the right";
    int in = 0, all = 0;
    for (int i = scn.i1_plot_bound_ter; i <= scn.i2_plot_bound_ter; i++) {
        for (int j = scn.j1_plot_bound_ter; j <= scn.j2_plot_bound_ter; j++) {
            in += ter_inrange[i][j];
            all++;
        }
    }
    EXPECT_LT(in, all);
    // Pitched down past 30 degrees every cell of the box counts.
    update_range_cone(x, z, 0.0f, vis, 1);
    in = 0;
    for (int i = scn.i1_plot_bound_ter; i <= scn.i2_plot_bound_ter; i++)
        for (int j = scn.j1_plot_bound_ter; j <= scn.j2_plot_bound_ter; j++) in += ter_inrange[i][j];
    EXPECT_EQ(in, all);
}

TEST_F(RangeGrid, ObjectsMustBeInTheBoxAndTheCone)
{
    float x, z;
    camera_at(88, 40, &x, &z);
    struct Obj {
        int slot, type;
        float dx, dz;   // from the camera (m), -z north
        int in;
    } objs[] = {
        {460, 2, 0.0f, -5000.0f, 1},    // ahead
        {461, 2, 0.0f, 3000.0f, 0},     // behind: outside the box
        {462, 0, 0.0f, -5000.0f, 0},    // an empty slot
        {463, 3, 12000.0f, -2000.0f, 0},   // in the box, outside the cone's right edge by far
        {464, 3, 2500.0f, -2000.0f, 1},    // outside the right edge by 500 m: within the margin
        {2999, 1, -3000.0f, -15000.0f, 1},
    };
    for (const Obj& o : objs) {
        obj_type[o.slot] = o.type;
        obj_xyz[o.slot][0][0][0] = x + o.dx;
        obj_xyz[o.slot][0][0][2] = z + o.dz;
    }
    update_range_box(x, z, 1, 20000.0f);
    update_range_cone(x, z, 0.0f, 20000.0f, 0);
    for (const Obj& o : objs) EXPECT_EQ(obj_inrange[o.slot], o.in) << "slot " << o.slot;
    EXPECT_EQ(obj_inrange_xyz[463], 1);
    // Turned round, the object ahead is behind.
    range_forget();
    update_range_box(x, z, 5, 20000.0f);
    update_range_cone(x, z, 180.0f, 20000.0f, 0);
    EXPECT_EQ(obj_inrange[460], 0);
    EXPECT_EQ(obj_inrange[461], 1);
}

}  // namespace
