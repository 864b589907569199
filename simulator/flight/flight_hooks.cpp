// flight_hooks.cpp -- the flight model's hook table, empty until the program fills it.
#include "flight_hooks.h"

flight_hooks_table flt_hooks = {};
