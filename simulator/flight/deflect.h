// deflect.h -- the flight-control commands into the deflection of every control surface, rotor and
// thrust line, as the aircraft's controls lay them out.
#pragma once

// The flight-control commands set.FC_ptch, FC_roll and FC_hdng into every surface's deflection
// (degrees), the tail rotor's blade pitch and the thrust lines, as the aircraft's controls lay
// them out: the last step of update_controls before the touchdown actions.
void deflect_surfaces(void);
