// terrain.h -- the region's terrain (land and water), the cloud layer and lightning in the outside
// view. The terrain's twelve standard textures are drawn from lists built once per region load or
// shift; each frame only picks the blocks of cells in view.
#pragma once

// The region's grids changed (a full load or a shift): the terrain's lists are built again before
// the next frame draws them, and the view's range tests start afresh.
void terrain_region_changed(void);
// Counts the changes above, so that what was derived from the grids can tell it is stale.
int terrain_region_serial(void);

// The terrain cells of the plot bounds whose ter_inrange is set, then the ships and oil rigs
// standing in them. Expects fog, texturing, lighting and depth test on.
void plot_terrain(void);
// What every ship and oil rig of the region does for the flight this frame, none of them drawn: its
// deck or helipad under the aircraft, the carrier's wires and catapult. For frames that draw no
// terrain (the camera above an overcast).
void ships_under_aircraft(void);
// The cloud layer of atm.cld_type 2, 3 (textured puffs) or 4 (the overcast's sheet) at atm.topsMSL;
// sets its own state.
void plot_clouds(void);
// The four lightning bolts; expects depth test on and fog, texturing and lighting off.
void plot_lightning(void);

// What plot_terrain did in its last call (tests and the frame-time tool).
struct terrain_stats {
    int triangles;      // triangles sent
    int binds;          // texture binds asked for
    int blocks;         // blocks of cells drawn from their lists
    int builds;         // times the lists were built since the program started
};
terrain_stats terrain_last_stats(void);
