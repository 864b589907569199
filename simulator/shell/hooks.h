// hooks.h -- the lower libraries' calls up into the simulator, connected.
#pragma once

// Fills the flight model's and the outside view's hook tables with the shell's, the world's, the
// cockpit's and the motion-base library's routines. Start-up calls it first; a test that runs the
// lower libraries with the whole simulator behind them calls it too.
void fill_hooks(void);
