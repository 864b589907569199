// pending.h -- routines whose own modules come with later work. Until then they do nothing; each
// module that brings the real routine removes its entry here. The sounds and stick forces are the
// library's.
#pragma once
#include "hl_joy.h"
#include "hl_sound.h"

// Panel layout and instrument set-up for the user's aircraft (slot places, scale factors, levers).
void panel_layout_setup(void);

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

// Serial output: set the port or motion base up for a new mode, one NMEA sentence (RMC when rmc
// is 1, else GGA), the mode's data packet or the motion base's move.
void serial_mode_change(int old_mode, int new_mode);
void send_nmea(int rmc);
void send_serial_data(int mode);
// The panel: a click or drag at (x, y), and the moving parts drawn each frame.
void manage_das(float x, float y);
void update_panel(void);
// The outside view's drawing: fog, sky, terrain, runways, objects and overlays.
void update_scenery2(void);

// The map windows' (3 and 24) per-frame routine.
void manage_map(void);
