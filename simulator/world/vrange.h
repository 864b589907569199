// vrange.h -- what part of the region the outside view draws: a box around the camera, redone only
// when the camera's cell, the view's octant, the visibility or the region changes, and the view cone
// tested every frame.
#pragma once
#include "hl_types.h"

// In the view cone this frame: per region cell (first index i, second j, within the plot bounds),
// per object slot and per local airport row. The *_xyz flags say the object or airport lies in the
// box; only those are tested against the cone.
extern int32_t ter_inrange[REGION_NI][REGION_NJ];
extern int32_t obj_inrange_xyz[OBJ_MAX];
extern int32_t obj_inrange[OBJ_MAX];
extern int32_t apt_inrange_xyz[LCL_MAX];
extern int32_t apt_inrange[LCL_MAX];

// How far a cone test may miss and still count (m): terrain points, objects, airports.
constexpr float CONE_TOL_TER = 5000.0f;
constexpr float CONE_TOL_OBJ = 1000.0f;
constexpr float CONE_TOL_APT = 2000.0f;

// Octant 1..8 of a heading in degrees (wrapped first): 0..44 is 1, 45..89 is 2, .. 315..359 is 8.
int view_octant(float heading);

// The view cone: the triangle of the camera (x, z) and the two points `reach` metres away at the
// heading -45 and +45 degrees.
void set_view_cone(float x, float z, float heading, float reach);
// 1 when (x, z) lies in the cone set last, each edge missed by at most tol metres.
int incone(float x, float z, float tol);

// The box around a camera at (x, z) looking into `octant`: `reach` metres in every direction but
// behind, where its edge stays at the camera.
struct view_box {
    float x_lo, x_hi;   // m, west and east edges
    float z_lo, z_hi;   // m, north and south edges
};
view_box range_box(float x, float z, int octant, float reach);

// The box stage for a camera at (x, z) whose cell is (env.i_viewpoint, env.j_viewpoint): the plot
// bounds of the terrain and the cloud grid, the objects and local airports in the box and the
// nearest local airport (msc.loc_apt_wrl). Does nothing unless the cell, the octant, the
// visibility in whole nautical miles, the region's corner or its contents changed since the last
// time; 1 when it was redone.
int update_range_box(float x, float z, int octant, float vis);
// The cone stage: the cells, objects and airports of the box that lie in the cone (every cell of
// the plot bounds while looking_down).
void update_range_cone(float x, float z, float heading, float vis, int looking_down);
// The next update_range_box redoes the box whatever changed.
void range_forget(void);

// The local row of the airport nearest the aircraft (-1 before the box stage found one).
int nearest_local_airport(void);
