// das.h -- the mouse on the outside view and the instrument panel: every switch, knob, button and
// lever the pilot can click or drag.
#pragma once

// A click (or a held button's repeat) at the logical point (x, y), 800 by 600 with y up. Every zone
// is tested in a fixed order and each zone the point lies in acts: the mouse-as-joystick switch,
// the options menu, the replay buttons, the switch row, the autopilot's set knobs, the instrument
// knobs, the radio stack and GPS, the autopilot's mode buttons, brakes, trims, gear and the levers.
// Knobs step by 1 on a click and by 3 on each repeat of a held button (mnw.delay_dragging); levers
// follow the pointer. Switches and buttons that toggle act once per click, never on the repeats of
// a held button (a held switch would otherwise flip every frame and end wherever the release left
// it).
void manage_das(float x, float y);
// The same for a panel key, which clicks a fixed point: always a press, never a repeat, whether or
// not a mouse button is held meanwhile.
void manage_das_key(float x, float y);
// The frame's mouse on the view and the panel: a click, or a button held past the drag delay, acts at
// the mouse through manage_das unless a menu is open.
void das_frame_mouse(void);

// The lever position 0..1 for a pointer at height y over lever kind `kind`: 6 flaps (73..127),
// 9 sweep (73..112), 10 thrust vector (73..126), 11..14 throttles or collective and 23 carburettor
// heat (4..52), 15..22 propellers and mixtures (4..39); 0 for any other kind.
float util_get_handle(int kind, float y);
