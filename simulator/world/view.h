// view.h -- the outside view of each frame: the scenery region kept around the aircraft, the camera
// of the chosen view, the over-flags cleared, then the view's drawing.
#pragma once

// View numbers (the View menu's items) with a camera of their own outside the cockpit.
enum {
    VIEW_FORWARD = 500,
    VIEW_DOWN4 = 501,
    VIEW_DOWN8 = 502,
    VIEW_BACKWARDS = 511,
    VIEW_TOWER = 513,
    VIEW_RUNWAY = 514,
    VIEW_CHASE = 516,
    VIEW_FOLLOW = 517,
    VIEW_FOLLOW_PANEL = 518,
    VIEW_SPOT = 519,
    VIEW_FULL_HUD = 521,
    VIEW_FULL = 522,
};

// Where each frame puts the aircraft against the carrier's landing reference (atc.cardxyz, x and z
// in m) before the carrier is drawn: far beyond the landing signal officer's range.
constexpr float CARD_FAR = 1.0e6f;

// Shifts the region by one square when the aircraft nears its edge (at most one shift a frame),
// places the camera of set.view_type, clears what the aircraft is over and resets the ATC card
// position (the drawing sets them again) and draws the outside view. The event loop calls it every frame no window covers the view.
void update_scenery(void);

// The region shift alone: 1 when the region moved a square this call.
int keep_region_around_aircraft(void);

// 1 for the views whose camera stands outside the aircraft and looks at it (tower, runway, chase,
// the two follow views and the spot view).
int view_is_outside(int view);

// The pitch (degrees) the two looking-down views add to the aircraft's: -4 for VIEW_DOWN4, -8 for
// VIEW_DOWN8, 0 for every other view. The head-up display raises its boresight by as much.
float view_pitch_offset(int view);

// The camera's pitch, heading and roll (degrees) for a view fixed to the aircraft, from the
// aircraft's pitch, heading and roll; unknown views look forwards.
void view_cockpit_angles(int view, float the, float psi, float phi, float* vthe, float* vpsi, float* vphi);

// Where the camera of an outside view is heading for this frame (before easing and the ground
// floor), in the region frame (m).
void view_outside_target(int view, float out[3]);

// The pilot's eye point of the user's aircraft in the region frame (m): the aircraft file's eye
// point (x right, y up, z aft of the centre of gravity) turned by the aircraft's attitude.
void view_eye_point(float out[3]);
