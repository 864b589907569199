// world_pending.cpp -- the do-nothing stand-ins of world_pending.h.
#include "world_pending.h"

void gen_wx_for_sec(int) {}
void fill_a_sector_with_ocast(int, int) {}
void shift_weather(int, int, int, int, int, int) {}
void shift_cloud(int, int, int, int, int, int) {}
void setuprunway(int, int, int) {}
int in_runway(int, int, float, float) { return 0; }
void make_an_obs(float, float, float, const char*, int, int) {}
