// output.h -- data output: fifty items of flight data written as columns of the output file, drawn
// as numbers over the outside view, and kept in the graph's ring for the graph window.
#pragma once
#include "hl_types.h"   // OUT_ITEMS and the channels

// A column value that means "no value" on every channel.
constexpr float OUT_NONE = -999.0f;
// Width of one label or value cell of the output file, in characters.
constexpr int OUT_CELL = 14;
// Rows of the cockpit numbers: five down the left edge, five down the right.
constexpr int OUT_COCKPIT_ROWS = 10;

// The item's four column values, handed to sub_out_dat. slot is the graph slot (channel 9) or the
// cockpit row (channel 10); 0 for the file. Items outside 0..49 do nothing.
void out_dat(int channel, int item, int slot);
// One item's values on a channel: unused columns become OUT_NONE, the rest are limited to
// +-9.9e9 and a value that is not a number becomes OUT_NONE. The file gets one 14-character cell
// per column the item has on this aircraft (OUT_NONE written as -999.00, so the cells stay under
// their labels); the graph stores the four values as the newest sample; the cockpit draws each
// column that has a value.
void sub_out_dat(int channel, int item, int slot, const float val[4]);

// The item's 40-character label, handed to sub_out_label.
void out_label(int channel, int item, int slot);
// Splits the label into four 4-character names (characters 0, 10, 20, 30 on) and units (5, 15, 25,
// 35 on) and shows those of the columns usedat keeps: the file gets "  NAME,UNIT | " per column
// (blanks as "_"), the graph window its slot's legend, the cockpit the row's names and units.
void sub_out_label(int channel, int item, int slot, const char* label);

// Ends the label or value row of the output file.
void out_end_row(void);

// 1 when column 1..4 of the item has a value on the user's aircraft: columns the item does not
// define, engines the aircraft lacks and the item-14 brake columns give 0.
int usedat(int item, int column);
// The cockpit format of the item's four columns: digit places (decimals included) and decimals.
void set_dig_dec(int item, int dig[4], int dec[4]);
// The label of item 0..49 (40 characters), or "" for any other.
const char* out_item_label(int item);

// Rebuilds the cockpit rows set.rltsel and graph slots set.grfsel (the first ten and four selected
// items in item order), the channel switches dskout, rltout, grfout, empties the graph and sets the
// distance flown back to 0.
void set_rlt_grf_choices(void);
// Empties the ring: periods 999, values OUT_NONE, the next sample goes into slot 0.
void clear_graph(void);
// Takes this frame into the ring (every frame while set.grfout).
void update_graph(void);

// The cockpit rows of every selected item, labels and numbers, in colour 47 over the outside view.
void plot_cockpit_data(void);

// The graph window (window 22): each slot's strip with its legend, scale and curves over ten
// seconds from grf.lefttime, the time marks and field, and the values under the mouse.
void manage_grf(void);
// One curve segment of slot s, column c (0..3), from sample i0 at pixel column x0 to sample i1 at
// x1, in the column's colour; nothing when either value is OUT_NONE.
void graph_point(int s, int c, int i0, float x0, int i1, float x1);
// The values of sample i in slot s beside its strip centred at y, each column in its colour with
// the item's cockpit digits and decimals.
void plot_grf_numbers(int s, int item, float y, int i);

// Test access to what manage_grf worked out on its last call: slot s's scale (pixels per unit),
// and the sample drawn at pixel column 0..500 (-1 none).
float grf_scale(int s);
int grf_column_sample(int column);
