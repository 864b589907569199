// obstacle.h -- the objects of the region: towers, obstacles, buildings and custom objects turned
// into elements of one object slot, ready to draw and to stand on.
#pragma once

// Builds object `type` at region point (x, z) (m) in slot 0..2999, on the ground found there.
// Simple kinds (1 tower, 2 obstacle, 3..6 scenery buildings, 90..93 tall buildings, 97 airport
// building) are four horizontal rectangles whose sizes follow the kind; h is the height (m). A
// tall building over 250 m becomes 94..96. Type 8 is a custom object read from obj_path + name +
// ".OBJ": h is its heading (degrees); a file that does not open leaves the slot as it was, and a
// badly formed one ends the program with an alert naming it. The slot's type becomes 100 + the
// custom object's element count.
void make_an_obs(float x, float z, float h, const char* name, int type, int slot);
