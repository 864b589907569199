// hud.h -- the head-up displays: the normal one drawn over the view in the 2-D frame (speed,
// altitude and heading tapes, boresight, flight-path marker, ILS bars) and the synthetic one drawn
// inside the scene (the terrain's wire-frame, runway outlines and a row of approach gates).
#pragma once

// The display's rectangle (con.HUD_lft, HUD_rgt, HUD_bot, HUD_top) around the view's centre
// (con.cntrx, cntry) for a view from `bottom` to `top` (logical units): HUD_HALF_W to each side,
// and up to HUD_HALF_H above and below, kept clear of the status strip and the view's lower edge.
constexpr float HUD_HALF_W = 160.0f;
constexpr float HUD_HALF_H = 120.0f;
void hud_set_box(float bottom, float top);

// Where the normal display puts its boresight (cross centre) and flight-path marker (centre of its
// 4 by 4 box) in the view, at the view's own scale (VIEW_PX_PER_DEG, so the symbols sit on what
// they point at): the view's pitch offset (0, -4 for view 501, -8 for 502) raises both, the marker
// follows sideslip and angle of attack and stops 2 units inside the rectangle.
struct hud_marks {
    float bore_x, bore_y;
    float fpm_x, fpm_y;
};
hud_marks hud_marks_at(int view, float alpha, float beta);

// Approach gate k (0..7) before the runway point m (x east, height, z south; metres) against the
// heading h (degrees true): its centre and half size; d is its distance from m.
struct hud_gate {
    float x, y, z;
    float half;
    float d;
};
hud_gate hud_gate_at(int k, const float m[3], float h);

void plot_nrml_hud(void);
void plot_cool_hud(void);
