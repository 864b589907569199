// pending.cpp -- routines of later modules, doing nothing until those modules replace them.
#include "pending.h"

void panel_layout_setup(void) {}

void manage_das(float, float) {}
void update_panel(void) {}

void manage_map(void) {}
