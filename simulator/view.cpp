// view.cpp -- the outside view of each frame: the region shift, then the drawing.
#include "view.h"

#include "genwrld.h"
#include "hl_types.h"
#include "pending.h"

int keep_region_around_aircraft(void)
{
    // Reads: flt.lat, flt.lon, env.lat_sou, env.lon_wes. Writes: the region (through load_region).
    const int type = region_shift_for(flt.lat, flt.lon);
    if (type == 0) return 0;
    load_region(type);
    return 1;
}

void update_scenery(void)
{
    // The region first: the drawing and the next frame's ground contact read the shifted grids.
    keep_region_around_aircraft();
    update_scenery2();
}
