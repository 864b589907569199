// ships.h -- the aircraft carrier, the frigate and the oil rig standing in scenery cells: what each
// one does for the flight (its deck or helipad under the aircraft, the carrier's arresting wires,
// catapult, optical landing aid and its two navaids) and its drawing.
//
// The terrain drawing moves to the middle (x, y, z) of a ship's cell, turns by the ship's pitch and
// roll and calls draw_a_*; each first runs its *_frame logic (no OpenGL), then draws the model in
// the ship's own frame. The logic compares the aircraft's (flt.X, flt.Z) with the model points
// offset by the cell middle, without the ship's pitch and roll.
#pragma once

#include "ship_model.h"

// ---- deck and landing logic (no OpenGL) ------------------------------------------------------------

// 1 when (px, pz), as offsets from the cell middle, lies on the carrier's flight deck: the main
// deck, the angled-deck extension or the island's sponson.
int carr_deck_holds(float px, float pz);
// 1 when the offsets lie in the arresting wires' zone.
int carr_wire_zone(float px, float pz);
// 1 when the offsets lie in the catapult's square.
int carr_catapult_square(float px, float pz);
// The deceleration (m/s^2) that stops an aircraft at speed v (m/s) in 100 m.
float carr_trap_accel(float v);
// The optical landing aid's step for an aircraft seen (dx, dy, dz) from the datum light: -2 (too
// low) .. 2 (too high), 0 on the 3.5-degree path.
int carr_ball_step(float dx, float dy, float dz);

// What the carrier in the cell whose middle is (x, y, z) does for the flight this frame, drawn or
// not: publishes its deck when the aircraft is over it, catches and lets go of the hook, snaps a
// slow aircraft onto the catapult.
void carr_flight(float x, float y, float z);
// carr_flight, then what the carrier's drawing and the radios read: sets the landing signal
// officer's view of the aircraft (atc.cardxyz, atc.card_time) and writes the ship's localizer and
// glide slope into navaid slots 0 and 1. Returns the ball's step.
int carr_frame(float x, float y, float z);
// The frigate's helipad and the oil rig's helipad under the aircraft (for the flight only).
void frig_frame(float x, float y, float z);
void oilr_frame(float x, float y, float z);

// The navaid slots the carrier owns (the databases fill from slot 2).
constexpr int CARR_NAV_LOC = 0;
constexpr int CARR_NAV_GS = 1;

// ---- drawing ---------------------------------------------------------------------------------------

// One textured quad inside an open GL_QUADS block: the normal of (p3 - p2) x (p2 - p1), corners
// with texture coordinates (1, 1), (1, 0), (0, 0), (0, 1).
void CFR_3dquad(const float p1[3], const float p2[3], const float p3[3], const float p4[3]);

// The logic above, then the model, inside the matrix the terrain has set for the cell. The model
// is kept with that matrix and drawn by plot_queued_ships, which the terrain calls once it has met
// every ship of the frame: so each texture is bound once however many ships are in view.
void draw_a_carr(float x, float y, float z);
void draw_a_frig(float x, float y, float z);
void draw_a_oilr(float x, float y, float z);
// Draws the ships kept since the last call, texture by texture, and forgets them.
void plot_queued_ships(void);

// What the ships' drawing did in the frame so far: how many times each texture was bound (index
// by texture number, 0..SHIP_TEX_MAX - 1) and how many ships were drawn. Cleared by
// ship_stats_clear (the outside view does so at the start of every frame).
constexpr int SHIP_TEX_MAX = 128;
struct ship_stats {
    int binds[SHIP_TEX_MAX];
    int ships;
};
const ship_stats& ship_last_stats(void);
void ship_stats_clear(void);
