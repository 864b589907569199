// pending.h -- routines the flight model calls whose own modules come with later work: the panel
// layout (instrument set-up at aircraft load), the data output, the flight plan, the controllers,
// the landing signal officer, the runway geometry's approach flashers and the texture loader. Until
// then they do nothing; each module that brings the real routine removes its entry here. The sounds
// and stick forces are the library's.
#pragma once
#include "hl_joy.h"
#include "hl_sound.h"

// Panel layout and instrument set-up for the user's aircraft (slot places, scale factors, levers).
void panel_layout_setup(void);

// Data output of item `item` to a channel (8 the output file, 9 the graph, 10 the cockpit; slot is
// the graph slot or the cockpit row): its column labels, and its values.
void out_label(int channel, int item, int slot);
void out_dat(int channel, int item, int slot);

// The filed flight plan's course from clearance to the ramp; pilot_called is 1 when the pilot's
// check-in line was chosen, 0 from the once-per-second update.
void handle_plan(int pilot_called);
// The controller's answer to a request sentence (the stored one while vectoring to an approach).
void controller_respond(const char* request);
// The landing signal officer's call on a carrier approach.
void LSO_respond(void);

// The sequenced approach flashers of the region's runway ends with approach lights of kinds 3 to 6:
// restart 1 puts each run's moving light back on its start point, 0 advances it by its step.
void step_flashers(int restart);

// Loads the textures that became due. A weak stand-in: the start-up module's own loader replaces it
// when it is linked in.
void load_texes(void);
