// event_local.h -- what the event update (event.cpp) and the once-per-second update (event_sec.cpp)
// share.
#pragma once

// Straight line through (x0, y0) and (x1, y1) at x; a line of no width gives y0 before x1, else y1.
float evt_line(float x0, float y0, float x1, float y1, float x);

// Indicated airspeed in the units of the aircraft's airspeed limits: knots when its airspeed
// indicator reads knots (asi_units 2), else miles per hour.
float evt_ias_units(void);

// The statics of each update, back to their start values.
void reset_evt_state(void);
void reset_sec_state(void);
