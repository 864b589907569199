// shell_pending.cpp -- the do-nothing stand-ins of shell_pending.h.
#include "shell_pending.h"

void manage_das(float, float) {}
