// world_hooks.h -- the calls the outside view makes into the shell. The program fills the table
// once at start-up (shell/hooks.cpp); a hook left empty does nothing.
#pragma once

struct world_hooks_table {
    // Shell: the data output's numbers over the outside view (plot_cockpit_data).
    void (*plot_cockpit_data)(void);
};
extern world_hooks_table wrl_hooks;
