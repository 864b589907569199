// flight_harness.h -- flies the user's aircraft without a window: fills what the start-up, the
// preferences and the scenery would (constants, tables, standard atmosphere, a flat region, calm
// weather, working systems), loads an aircraft file, puts it at a start, and steps whole frames
// of a fixed period. The frame's own quantities come from the flight model's frame module, the
// same functions the frame driver calls; only the pilot's controls are the harness's own.
#pragma once

// The bundled aircraft the flight tests and the benchmark fly, below the program folder.
inline const char* const FH_TRAINER = "planes/General Aviation/Cessna 172 Skyhawk/Cessna 172 Skyhawk.acf";
inline const char* const FH_GLIDER = "planes/General Aviation/Schweizer 2-32/Schweizer 2-32.acf";
inline const char* const FH_HELI = "planes/Helicopters/Bell 206B JetRanger III/Bell 206B JetRanger III.acf";
inline const char* const FH_JET = "planes/Fighters/T-38A Talon/T-38A Talon.acf";
inline const char* const FH_FLOATPLANE = "planes/Seaplanes/DHC-2 Beaver Floatplane/DHC-2 Beaver Floatplane.acf";

// The pilot's inputs, -1..1 (pitch back, roll right, yaw right positive), and the levers.
struct fh_controls {
    float pitch = 0.0f, roll = 0.0f, yaw = 0.0f;
    float throttle = 0.0f;     // 0..1, every engine
    float collective = -1.0f;  // 0..1 lever of a helicopter's collective; below 0 left alone
    float flap = 0.0f;         // 0..1
    float brake = 0.0f;        // 0..1 parking brake
    float trim = 0.0f;         // elevator trim -1..1
    int gear = 1;              // the gear handle of retractable gear: 1 down, 0 up (at once)
};

struct fh_world_options {
    float ground_h = 0.0f;     // m, height of the flat region
    int water = 0;             // every cell is water
    float prd = 1.0f / 60.0f;  // s, frame period
    unsigned seed = 1;
    // Rudder pedals fitted: the yaw control steers the nose wheel and brakes differentially. Without
    // them the roll control does, as it does for a pilot on the keyboard.
    int pedals = 1;
    // The frame's controls step: nullptr flies the harness's own controls (fh_set_controls);
    // update_controls flies the simulator's yoke, autopilot and augmentation instead. The frame
    // driver (update_flight) flies the same controls.
    void (*controls)(void) = nullptr;
};

// Clears every global record and builds the world the flight model flies in.
void fh_world(const fh_world_options& opt = fh_world_options());
// Loads an aircraft file as the user's aircraft; returns load_plane's result.
int fh_load(const char* path);
// The program folder's path of a bundled aircraft ("planes/...acf").
const char* fh_bundled(const char* rel);

// Starts: at rest on the ground (or water) at its resting height and pitch, or in the air at a
// height above the ground, a speed (m/s) and a heading (degrees), wings level, with retractable gear
// up as the simulator's own starts in the air have it.
void fh_start_ground(float heading);
void fh_start_air(float height, float speed, float heading);

// Sets the controls the next frames fly with.
void fh_set_controls(const fh_controls& c);
const fh_controls& fh_get_controls(void);

// One frame of the world's period: controls, the frame's pre-steps, the two sub-steps.
void fh_frame(void);
// Frames for a time (s).
void fh_run(float seconds);

// 1 when every number in the flight state is finite.
int fh_state_finite(void);
// Height of the centre of gravity above the ground (m).
float fh_height(void);
