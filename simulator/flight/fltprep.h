// fltprep.h -- the flight frame's own quantities around the force build-up: total mass, ground
// effect, the air at the aircraft, engine bookkeeping, the path bank, ship decks, the frame's dump
// block and the two half-period sub-steps. The frame driver calls these in its stated order; the
// test harness calls the very same functions.
#pragma once

// Fills one row of the density table atm.hr: height in thousands of feet, density in slug/ft^3.
void assign_hr(int i, float kft, float slugs_per_ft3);
// The 22 rows of the density table from sea level to 259,000 ft.
void fill_density_table(void);

// Standard-atmosphere temperature (K) at a height (m) for a 59 F sea-level day.
float std_temperature(float h);

// flt.m_total from the empty mass and the loads aboard.
void set_total_mass(void);
// Ground-effect lift and induced-drag factors of the lifting parts; returns the height ratio
// (height over semi-span) of the last part it looked at.
float set_ground_effect(void);
// The hover buffet of a helicopter or a thrust-vectoring aircraft near the ground (ratio c).
void hover_buffet(float c);
// Ground height under the aircraft, density, temperature, speed of sound and density ratio.
void set_air_at_aircraft(void);
// Afterburners, mixture, running state, fuel flow and throttle lag of every engine.
void update_engines(void);
// The above in the frame's order: mass, ground effect, buffet, air, engines.
void flight_presteps(void);

// Bank about the flight path (flipped when the aircraft moves backwards along its path).
void set_path_bank(void);

// Deck motion of a ship (1601 the carrier, 1603 the frigate): stores the angle (degrees) and
// returns its rate (degrees per second) at msc.init_time.
float the_dot_now(int ship, float* angle);
float phi_dot_now(int ship, float* angle);

// The frame driver's block of the one-cycle dump.
void write_frame_dump(void);

// The frame's two sub-steps of msc.prd / 2: deck motion, force build-up and integration each.
void flight_substeps(void);

// Engines at half throttle when the start speed flt.v[0] is above the estimated stall speed, idle
// otherwise, with propellers and rotors turning to match.
void start_engines(void);
