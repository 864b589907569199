// setwin_local.h -- drawing helpers and texts the settings-window modules share.
#pragma once
#include <cstdint>

// Colours of the windows' texts: labels, headings, values and warnings.
constexpr int WIN_LABEL_COLOR = 39;
constexpr int WIN_HEAD_COLOR = 41;
constexpr int WIN_VALUE_COLOR = 47;
constexpr int WIN_WARN_COLOR = 44;

// A label, a heading and a text wrapped at width, 6 units a character.
void win_label(float x, float y, const char* text);
void win_heading(float x, float y, const char* text);
void win_text(float x, float y, const char* text, float width);
// 1 when this pass's click fell inside the box.
int win_clicked_in(float x1, float y1, float x2, float y2);
// A raised button with its text centred.
void win_box_button(float x1, float y1, float x2, float y2, const char* text);
// A switch with its label to the right.
void win_switch(float x, float y, int32_t* flag, const char* label, const char* help);
