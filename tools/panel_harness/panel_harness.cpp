// panel_harness.cpp -- the instrument panel on a window of its own.
#include "panel_harness.h"

#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "initgen.h"
#include "plt.h"

int ph_open_window(int w, int h)
{
    hl_fill_colors();
    if (!PLT_open_window("panel", w, h, 0)) return 0;
    int dw = 0, dh = 0;
    PLT_drawable_size(&dw, &dh);
    mnw.HRES = static_cast<float>(dw);
    mnw.YRES = static_cast<float>(dh);
    mnw.XRAT = mnw.HRES / SCREEN_W;
    mnw.YRAT = mnw.YRES / SCREEN_H;
    hl_fixed_gl_state();
    OGL_forget_state();
    OGL_setstate(0, 0, 0, 0);
    ogl_ready = 1;
    return 1;
}

int ph_open(int w, int h)
{
    if (!ph_open_window(w, h)) return 0;
    ins.r_rat = ins.g_rat = ins.b_rat = 1.0f;
    fill_tapes();
    fill_nav_pics();
    OGL_texbmp(TEXBMP_FAMILY, TEX_DG, ALPHA_KEY, "dg");
    OGL_texbmp(TEXBMP_FAMILY, TEX_HAND, 0, "hand");
    mnw.topwin = 0;
    initing = 0;
    return 1;
}

void ph_close(void)
{
    ogl_ready = 0;
    OGL_forget_state();
    PLT_close_window();
}
