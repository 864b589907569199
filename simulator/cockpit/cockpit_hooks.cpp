// cockpit_hooks.cpp -- the cockpit's hook table, empty until the program fills it.
#include "cockpit_hooks.h"

cockpit_hooks_table ckp_hooks = {};
