// pending.h -- routines whose own modules come with later work: the panel layout, the data-output
// selections and graph, and the aircraft's 3-D model. Until then they do nothing; each module that
// brings the real routine removes its entry here. The sounds and stick forces are the library's.
#pragma once
#include "hl_joy.h"
#include "hl_sound.h"

// Panel layout and instrument set-up for the user's aircraft (slot places, scale factors, levers).
void panel_layout_setup(void);
// Data output: rebuild the cockpit and graph selections from set.Brlt and set.Bgrf; empty the graph.
void set_rlt_grf_choices(void);
void clear_graph(void);
// Builds aircraft p's 3-D model (with its paint when paint is 1).
void load_plane_geo(int paint, int templates, int p);
