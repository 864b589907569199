// replay_bar.cpp -- the replay's speed buttons and clock, drawn over the top of the outside view
// where the panel's clicks find them.
#include "replay_bar.h"

#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <cstdio>

const replay_button replay_buttons[REPLAY_BUTTONS] = {{326, 346, 1}, {349, 369, 2}, {367, 387, 3}, {390, 410, 4},
                                                      {413, 433, 5}, {431, 451, 6}, {454, 474, 7}};

namespace {

// Dark grey behind the buttons and the clock; like the buttons' colours not tinted by the panel
// light, so the controls read the same by day and by night.
constexpr int STRIP_COLOR = 40;

// The strip reaches a little past the buttons and the clock on every side; its top edge lies
// under the status strip, which is drawn after the view.
constexpr float STRIP_X1 = 322.0f, STRIP_X2 = 578.0f, STRIP_Y1 = 537.0f, STRIP_Y2 = 561.0f;

// A mark's triangle: TRI_W columns, the widest 2 * (TRI_W - 1) + 1 rows high, the tip one row.
constexpr int TRI_W = 5;
constexpr int STOP_HALF = 3;   // the stop mark's square is 2 * STOP_HALF + 1 wide

// One triangle from column x0 on, centred on row cy, pointing right (dir 1) or left (dir -1).
void triangle(float x0, float cy, int dir)
{
    for (int i = 0; i < TRI_W; i++) {
        const float half = static_cast<float>(dir > 0 ? TRI_W - 1 - i : i);
        OGL_fillrect(REPLAY_MARK_COLOR, x0 + static_cast<float>(i), cy - half, 1.0f, 2.0f * half + 1.0f);
    }
}

// The mode's mark centred on (cx, cy): n triangles back for modes 3, 2, 1 (slow, normal, fast),
// forward for 5, 6, 7, and a square for the stop.
void mark(int mode, float cx, float cy)
{
    if (mode == 4) {
        const float s = static_cast<float>(STOP_HALF);
        OGL_fillrect(REPLAY_MARK_COLOR, cx - s, cy - s, 2.0f * s + 1.0f, 2.0f * s + 1.0f);
        return;
    }
    const int dir = mode > 4 ? 1 : -1;
    const int n = mode > 4 ? mode - 4 : 4 - mode;
    const float x0 = cx - static_cast<float>(TRI_W * n / 2);
    for (int k = 0; k < n; k++) triangle(x0 + static_cast<float>(TRI_W * k), cy, dir);
}

// The clock's text, made again only when the whole second changes.
const char* clock_text(void)
{
    static char text[32] = "";
    static int shown = -1;
    const int now = static_cast<int>(pat.time_play);
    if (now != shown || !text[0]) {
        int h, m;
        sec_to_hrs_min(pat.time_play, &h, &m);
        std::snprintf(text, sizeof text, "REPLAY %02d:%02d:%02d", h, m, now % 60);
        shown = now;
    }
    return text;
}

}  // namespace

int replay_button_at(float x, float y)
{
    int mode = 0;
    for (const replay_button& b : replay_buttons)
        if (fltbox(x, y, b.x1, REPLAY_BUTTON_Y1, b.x2, REPLAY_BUTTON_Y2)) mode = b.mode;
    return mode;
}

void plot_replay_controls(void)
{
    OGL_fillrect(STRIP_COLOR, STRIP_X1, STRIP_Y1, STRIP_X2 - STRIP_X1, STRIP_Y2 - STRIP_Y1);
    const float h = REPLAY_BUTTON_Y2 - REPLAY_BUTTON_Y1, cy = 0.5f * (REPLAY_BUTTON_Y1 + REPLAY_BUTTON_Y2);
    for (const replay_button& b : replay_buttons) {
        const float w = b.x2 - b.x1;
        OGL_fillrect(b.mode == set.replay_mode ? REPLAY_LIT_COLOR : REPLAY_FACE_COLOR, b.x1, REPLAY_BUTTON_Y1, w, h);
        OGL_framerect(REPLAY_MARK_COLOR, b.x1, REPLAY_BUTTON_Y1, w, h);
        mark(b.mode, 0.5f * (b.x1 + b.x2), cy);
    }
    OGL_string(REPLAY_CLOCK_COLOR, REPLAY_CLOCK_X, REPLAY_CLOCK_Y, clock_text(), 800.0f, 6.0f);
}
