// cockpit_pending.cpp -- the do-nothing stand-ins of cockpit_pending.h.
#include "cockpit_pending.h"

void manage_map(void) {}
