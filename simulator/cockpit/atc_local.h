// atc_local.h -- what the controllers' answers, the flight plan and the options menu share: places
// of the world tables, the aircraft's distance and bearing to them, and the plan's timers.
#pragma once

#include "hl_rec_world.h"

// Size of a place name with its end.
constexpr int ATC_NAME_LEN = APT_NAME_LEN + 1;

// The whole name of airport a or navaid n without trailing blanks ("" for an index off the table).
void atc_apt_name(int a, char* out);
void atc_nav_name(int n, char* out);
// 1 when a is an airport of the table with at least one runway.
int atc_apt_valid(int a);
// The airport the aircraft is at or nearest to (the start airport, then the nearest of the region
// as the outside view keeps it); -1 when there is none.
int atc_present_airport(void);
// 1 when the aircraft stands on the ground within 3 nm of a towered airport.
int atc_at_towered_field(void);
// Nautical miles and true bearing (degrees 0..360) from the aircraft to a point.
float atc_dist_nm(float lat, float lon);
float atc_bearing(float lat, float lon);
// The aircraft's altitude above sea level and height above the ground, feet.
float atc_alt_ft(void);
float atc_agl_ft(void);
// The region airport whose first runway lies nearest (latitude and longitude) to the point; -1 when
// the region has no airport.
int atc_nearest_region_airport(float lat, float lon);

// The flight plan's timers and the menu's mouse position go back to their start.
void reset_plan_timers(void);
void reset_menu_state(void);
