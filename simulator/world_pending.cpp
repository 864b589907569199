// world_pending.cpp -- the do-nothing stand-ins of world_pending.h.
#include "world_pending.h"
