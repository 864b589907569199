// world_pending.h -- routines the region loader calls whose own modules come with later work: the
// weather grid and clouds, the runway geometry and the objects. Until then they do nothing; each
// module that brings the real routine removes its entry here.
#pragma once

// Weather grid and clouds: regenerate one weather sector (tile 0..5) or cloud sector (c 0..4,
// r 0..3); move a block of the weather or cloud grid by (di, dj).
void gen_wx_for_sec(int tile);
void fill_a_sector_with_ocast(int c, int r);
void shift_weather(int c1, int c2, int r1, int r2, int di, int dj);
void shift_cloud(int c1, int c2, int r1, int r2, int di, int dj);

// Runway geometry: build geometry row `row` from world runway rwy of world airport apt; 1 when
// (x, z) lies on a runway of the airport (row -1: any of its rows).
void setuprunway(int apt, int rwy, int row);
int in_runway(int apt, int row, float x, float z);

// Objects: build object `type` at local x, z (m) in slot `slot`; h is the height (m), or the
// heading (degrees) of a custom object, whose file name is `name`.
void make_an_obs(float x, float z, float h, const char* name, int type, int slot);
