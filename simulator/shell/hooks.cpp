// hooks.cpp -- the lower libraries' hook tables, filled with the routines they stand for.
#include "hooks.h"

#include "atc.h"
#include "cockpit_hooks.h"
#include "controls.h"
#include "flight_hooks.h"
#include "lax.h"
#include "lso.h"
#include "output.h"
#include "panel.h"
#include "rwygeo.h"
#include "startpos.h"
#include "tiltrix.h"
#include "world_hooks.h"

void fill_hooks(void)
{
    flt_hooks.update_controls = update_controls;
    flt_hooks.update_graph = update_graph;
    flt_hooks.set_fltvars = set_fltvars;
    flt_hooks.out_label = out_label;
    flt_hooks.out_dat = out_dat;
    flt_hooks.out_end_row = out_end_row;
    flt_hooks.load_texes = load_texes;
    flt_hooks.step_flashers = step_flashers;
    flt_hooks.handle_plan = handle_plan;
    flt_hooks.controller_respond = controller_respond;
    flt_hooks.LSO_respond = LSO_respond;
    flt_hooks.panel_layout_setup = panel_layout_setup;
    flt_hooks.QuilloInit = QuilloInit;
    flt_hooks.TiltrixMove = TiltrixMove;
    flt_hooks.TiltrixExit = TiltrixExit;

    wrl_hooks.plot_cockpit_data = plot_cockpit_data;

    ckp_hooks.set_fltvars = set_fltvars;
}
