// scenery.h -- the outside view's frame after the camera is placed: clouds, lights, visibility,
// colours and fog, the projection and the sky, the range tests, the drawing in its order and the
// 2-D overlays.
#pragma once

// The hour's light, kept for every routine that draws in the outside view: the terrain brightness
// (plain colours of the scene are scaled by it) and the light's colour.
extern float ogl_brat_ter;
extern float lite_r, lite_g, lite_b;

// Logical pixels per degree at the view's centre at zoom 1: the head-up display's scale, so its
// symbols sit on what they point at.
constexpr float VIEW_PX_PER_DEG = 9.41f;
// Aircraft farther than this (m) show only their lights.
constexpr float PLANE_DETAIL_RANGE = 2000.0f;

// Draws the outside view for the camera update_scenery placed (scn.the, psi, phi, con.VIEW_xyz).
void update_scenery2(void);

// How the last frame was set up (tests and the frame-time tool).
struct scenery_frame {
    float bottom, top;          // the view's area on the logical screen, y from .. to (x 0..800)
    float near_clip, far_clip;  // m
    float half_w, half_h;       // the frustum's half extents at the near plane (m)
    float sky[3];               // the sky's colour at the horizon (also the fog's)
    float shade[3];             // the sky bands' shades
    int box_redone;             // the box stage ran this frame
};
scenery_frame scenery_last_frame(void);
