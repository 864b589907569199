// hl_graph.h -- 2-D drawing on the 800 by 600 logical screen in colour-table colours, the 5 by 7
// dot-matrix font, the OpenGL state cache and textured quads. Every 2-D call adds the open window's
// origin (mnw.x, mnw.y); while to_array is set, lines, rectangles and glyphs paint rgb_array instead.
#pragma once
#include <cstdint>

// The line-break character inside texts drawn by OGL_string.
constexpr char x_eln = '\n';
// The simulator's panel picture covers the screen from y 0 up to this height unless the view is
// full screen.
constexpr float PANEL_PICTURE_H = 333.0f;

// Switches GL_FOG, GL_TEXTURE_2D, GL_LIGHTING (with GL_LIGHT0) and GL_DEPTH_TEST, each only when
// it differs from the cached state.
void OGL_setstate(int fog, int tex, int light, int depth);
// Binds texture number n unless it is the one bound last.
void OGL_bindtex(int n);
// From now on adds one to counts[k] for every bind OGL_bindtex makes of texture k < n (those it
// skips as already bound are not counted); a null array or n of 0 stops the tally.
void OGL_count_binds(int32_t* counts, int n);
// Sets the point size (pixels) and returns the size it replaces, for the caller to give back: the
// text's dots are drawn at the size start-up set for the window's scale.
float OGL_pointsize(float size);
// Forgets the cached enable state and binding; called whenever a new OpenGL context is made current.
void OGL_forget_state(void);
// Changes with every OGL_forget_state: what was built in OpenGL (display lists) under another
// count belongs to a context that may be gone.
int OGL_context_serial(void);

// Stores colour-table entry k (0..79) and returns 3k; any other k is the fatal "too many colors!".
int OGL_assigncolor(int k, float r, float g, float b);
// Makes entry k current: tinted by the panel lights for k < 38; in array mode the pixel colour.
void OGL_setcolor(int k);

void OGL_line(int k, float x1, float y1, float x2, float y2);
void OGL_fillrect(int k, float x, float y, float w, float h);
void OGL_framerect(int k, float x, float y, float w, float h);
void OGL_framecircle(int k, float cx, float cy, float r);
// Angles in whole degrees clockwise from straight up; a1 > a2 draws nothing.
void OGL_arc(int k, float cx, float cy, float r1, float r2, float a1, float a2);

// One pixel of the current colour into rgb_array at the rounded position (clipped to the array).
void BUF_point(float x, float y);
// One 5 by 7 dot pattern at (x, y): dots[0..34] run five to a row, left to right, bottom row first.
// Inside an open GL_POINTS block, or into rgb_array in array mode.
void OGL_sub_character(float x, float y, const uint8_t dots[35]);
// The seven rows of character c's 5 by 7 glyph, top row first, five bits each with the left column
// the highest. Lower case gives the capitals; '"', '`', '{' and characters outside 32..124 give the
// underscore. The bitmap generator draws the same font into its font sheet.
const uint8_t* OGL_glyph_rows(char c);
// The 5 by 7 dots of character c's glyph in the order OGL_sub_character takes (bottom row first).
void OGL_char_dots(char c, uint8_t dots[35]);
// One glyph with its bottom-left dot at (x, y); no colour change and no begin (the caller has
// begun points) and no window offset.
void OGL_char(float x, float y, char c);
// A line of text; wraps at word boundaries when width < 800 (10 units down per line).
void OGL_string(int k, float x, float y, const char* text, float width, float advance);
// A number in fixed digit places with `decimals` after the point; too big to fit, it shows three
// digits with a small raised power of ten. sign = 1 reserves a place left of x for "-".
void OGL_number(int k, float x, float y, float value, int places, int decimals, float advance, int sign);

// Limits drawing to a rectangle of the open window (window units, w wide and h high), in the real
// pixels the logical units fall on; OGL_scissor_off draws everywhere again.
void OGL_scissor(float x, float y, float w, float h);
void OGL_scissor_off(void);

void OGL_2dquad(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                float s1, float t1, float s2, float t2, float s3, float t3, float s4, float t4);
void OGL_3dline(float x1, float y1, float z1, float x2, float y2, float z2);
void OGL_3dquad_st(const float p1[3], const float p2[3], const float p3[3], const float p4[3], int tex,
                   float s1, float t1, float s2, float t2);
void OGL_3dquad_flat(const float p1[3], const float p2[3], const float p3[3], const float p4[3], int tex,
                     float x0, float z0, float sx, float sz);
// One quad of panel-background texture 500 + col + 7 * row, in screen coordinates.
void tile(int col, int row, float x1, float y1, float x2, float y2, float s1, float t1, float s2, float t2);
void OGL_plot_background(void);
// The open window's picture over the screen box (x1, y1)..(x2, y2) only, untinted: what a program
// drew behind its window stays visible around it.
void OGL_plot_background_over(float x1, float y1, float x2, float y2);
void OGL_sbuf(void);
