// hl_graph.h -- 2-D drawing on the 800 by 600 logical screen in colour-table colours, the 5 by 7
// dot-matrix font, the OpenGL state cache and textured quads. Every 2-D call adds the open window's
// origin (mnw.x, mnw.y); while to_array is set, lines, rectangles and glyphs paint rgb_array instead.
#pragma once

void OGL_setstate(int fog, int tex, int light, int depth);
void OGL_bindtex(int n);
int OGL_assigncolor(int k, float r, float g, float b);
void OGL_setcolor(int k);
void OGL_line(int k, float x1, float y1, float x2, float y2);
void OGL_fillrect(int k, float x, float y, float w, float h);
void OGL_framerect(int k, float x, float y, float w, float h);
void OGL_framecircle(int k, float cx, float cy, float r);
void OGL_arc(int k, float cx, float cy, float r1, float r2, float a1, float a2);
void OGL_char(float x, float y, char c);
void OGL_string(int k, float x, float y, const char* text, float width, float advance);
void OGL_number(int k, float x, float y, float value, int places, int decimals, float advance, int sign);
void OGL_2dquad(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                float s1, float t1, float s2, float t2, float s3, float t3, float s4, float t4);
void OGL_3dline(float x1, float y1, float z1, float x2, float y2, float z2);
void OGL_3dquad_st(const float p1[3], const float p2[3], const float p3[3], const float p4[3], int tex,
                   float s1, float t1, float s2, float t2);
void OGL_3dquad_flat(const float p1[3], const float p2[3], const float p3[3], const float p4[3], int tex,
                     float x0, float z0, float sx, float sz);
void tile(int col, int row, float x1, float y1, float x2, float y2, float s1, float t1, float s2, float t2);
void OGL_plot_background(void);
void OGL_sbuf(void);
