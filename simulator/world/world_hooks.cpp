// world_hooks.cpp -- the outside view's hook table, empty until the program fills it.
#include "world_hooks.h"

world_hooks_table wrl_hooks = {};
