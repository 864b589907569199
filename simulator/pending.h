// pending.h -- routines the flight model calls whose own modules come with later work: the panel
// layout (instrument set-up at aircraft load), the sounds and the stick forces. Until then they do
// nothing; each module that brings the real routine removes its entry here.
#pragma once

// Panel layout and instrument set-up for the user's aircraft (slot places, scale factors, levers).
void panel_layout_setup(void);
// Sound buffers: load sound n, play buffer n (looping when loop is 1), stop the continuous sounds.
void fill_buffer(int n);
void play_buffer(int n, int loop);
void stop_engine_and_windrain(void);
// One force-feedback command to the joystick.
void JOY_force(int kind, int a, int b, int c);
