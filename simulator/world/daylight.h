// daylight.h -- light and sky of the outside view by the hour, the weather and the camera's place:
// the terrain brightness, the light's colour, the sky's colour and band shades, and how far one
// can see.
#pragma once

// What the colours depend on.
struct daylight_in {
    float hour;          // local time, hours 0..24
    float level;         // storm level at the aircraft, 0 none .. 4
    int cld_type;        // 1 clear, 2 scattered, 3 broken, 4 overcast
    int abovetops;       // the camera is above the cloud tops
    float cam_y;         // m, camera height above sea level
    float base, tops;    // m, cloud base and tops above sea level
    int flash;           // a lightning flash lights this frame
    float flash_k;       // 0..1, its strength
};

struct daylight_out {
    float brat_ter;      // terrain brightness 0..1
    float light;         // light level 0..1
    float lite[3];       // light colour
    float sky[3];        // sky colour of the band at the horizon (also the fog's)
    float shade[3];      // shades of the three sky bands, horizon first
};

// The hour's light and sky for the weather and the camera.
void compute_daylight(const daylight_in& in, daylight_out* out);

// The camera is in the cloud of an overcast or under it.
int in_or_under_overcast(int cld_type, int abovetops);

// How far one sees (m): the reported visibility (m) times the factor, growing with the camera's
// height above the ground (m); far more above an overcast.
float effective_visibility(float vis_rep, float vis_mult, float agl, int above_overcast);

// Lights of the night: city lights outside 7..17 h, runway lights also when the reported
// visibility (m) is below 5 nautical miles.
int city_lights_on(float hour);
int runway_lights_on(float hour, float vis_rep);

// The panel's light tint (ins.r_rat, g_rat, b_rat) for a terrain brightness: the brightness in
// all three, raised to the cockpit lights' glow when they are on and it is dark.
void panel_tint(float brat_ter, int cockpit_lights, int paneltype, float rgb[3]);
