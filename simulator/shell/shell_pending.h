// shell_pending.h -- the shell's routines whose own module comes with later work. Until then they do
// nothing; the module that brings the real routine removes its entry here.
#pragma once

// The panel: a click or drag at (x, y).
void manage_das(float x, float y);
