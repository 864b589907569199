// pending.cpp -- routines of later modules, doing nothing until those modules replace them.
#include "pending.h"

void panel_layout_setup(void) {}
void set_rlt_grf_choices(void) {}
void clear_graph(void) {}
void load_plane_geo(int, int, int) {}
