// ship_model.h -- the fixed points of the carrier, the frigate and the oil rig, placed once at
// start-up (init_gen) and read by the ships' drawing and deck logic. x starboard (east), y up,
// z towards the stern (south), metres from the middle of the cell the ship stands in.
#pragma once

constexpr int CARR_POINTS = 104;     // carrier hull, deck outline and island
constexpr int CARR_LIGHTS = 75;      // carrier deck, datum and ball lights
constexpr int FRIG_POINTS = 82;      // frigate hull and superstructure
constexpr int OILR_POINTS = 32;      // oil-rig slabs

extern float carr_pxyz[CARR_POINTS][3];
extern float carr_lxyz[CARR_LIGHTS][3];
extern float frig_pxyz[FRIG_POINTS][3];
extern float oilr_pxyz[OILR_POINTS][3];

// Places every point (init_gen does so once at start-up).
void fill_ship_models(void);
// One model point: vertex = (x, y, z).
void load_geo(float x, float y, float z, float* vertex);
