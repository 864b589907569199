// event.h -- the event update (about ten times per simulated second) and the once-per-second update:
// sounds, warnings and stick forces, radio needles and tones, the recorded path, wind and weather,
// sweep, vectoring, flaps and gear, fuel, icing, failures and gravity.
#pragma once

// What must follow the aircraft closely but not every frame. The frame driver calls it when the
// frame counter is a multiple of its event interval; msc.cntr10 counts these calls 0..9 and is 0 on
// the call that mod_sec follows.
void mod_evt(void);

// The once-per-second work, called right after mod_evt on the calls with msc.cntr10 = 0. Its
// "second" is ten event calls; only the fuel burn measures the simulated time since its last call.
void mod_sec(void);

// One try of failure n (0..31) by its kind rel.fail_type[n]: kind 1 fails when two draws of 0..400
// both fall below rel.total_fail_entry; kind 2 with probability 1 / (3600 fail_time_max[n]) (a mean
// time of fail_time_max[n] hours at one try per second); any other kind fails at once. 1 when it
// fails.
int failme(int n);

// Puts both updates' own state back as at program start (nothing playing, no shear, the weather
// targets and counters unset).
void reset_events(void);
