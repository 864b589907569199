// view.h -- the outside view of each frame: the scenery region kept around the aircraft, then the
// view's drawing.
#pragma once

// Shifts the region by one square when the aircraft nears its edge (at most one shift a frame),
// then draws the outside view. The event loop calls it every frame no window covers the view.
void update_scenery(void);

// The region shift alone: 1 when the region moved a square this call.
int keep_region_around_aircraft(void);
