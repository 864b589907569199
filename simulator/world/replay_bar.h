// replay_bar.h -- the replay's controls over the outside view: seven speed buttons along the view's
// top edge, under the status strip, and the replay clock beside them. The click handling of the
// panel and the drawing read the same boxes.
#pragma once

// A speed button: its box spans x1..x2 (logical units, edges included) from REPLAY_BUTTON_Y1 to
// REPLAY_BUTTON_Y2, and a click in it chooses replay mode `mode` (1 fast back .. 4 stopped .. 7 fast
// forward). Neighbouring boxes may overlap; where they do the later one is chosen and drawn on top.
struct replay_button {
    float x1, x2;
    int mode;
};
constexpr int REPLAY_BUTTONS = 7;
constexpr float REPLAY_BUTTON_Y1 = 540.0f, REPLAY_BUTTON_Y2 = 560.0f;
extern const replay_button replay_buttons[REPLAY_BUTTONS];

// The buttons' colours, none tinted by the panel light: a light grey face, yellow for the running
// mode's button, black marks and edges.
constexpr int REPLAY_FACE_COLOR = 39, REPLAY_LIT_COLOR = 41, REPLAY_MARK_COLOR = 70;

// "REPLAY hh:mm:ss" of the replay time, in colour REPLAY_CLOCK_COLOR from this lower-left dot, 6
// units a character, right of the buttons.
constexpr float REPLAY_CLOCK_X = 482.0f, REPLAY_CLOCK_Y = 547.0f;
constexpr int REPLAY_CLOCK_COLOR = 47;

// The mode of the button under the logical point (x, y), the later of two that overlap there; 0
// when it is on none.
int replay_button_at(float x, float y);

// Draws the buttons on a dark strip, each with its mark (<<< << < [] > >> >>>) and the running
// mode's button lit, and the clock of pat.time_play; in the 2-D frame of the logical screen.
void plot_replay_controls(void);
