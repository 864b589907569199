// integ.h -- integration of the user's aircraft's equations of motion over one sub-step.
#pragma once

// Advances rates, attitude, velocity and position by msc.prd from the accelerations the force
// build-up left in flt, then refreshes the air data, latitude and longitude, the magnetic
// variation and the trigonometric caches.
void integ_vx(void);

// The sines and cosines of the attitude (flt.the, psi and phi[0]) into flt's caches.
void set_euler_caches(void);

// Magnetic variation (degrees, west positive) at a latitude and longitude, from the world table.
float mag_var_at(float lat, float lon);
