// pending.cpp -- routines of later modules, doing nothing until those modules replace them.
#include "pending.h"

void panel_layout_setup(void) {}
