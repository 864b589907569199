// main.cpp -- Kestrova, the flight simulator.
#include "hl_program.h"

#include <cstdio>

hl_program_desc hl_prog = {"Kestrova", "Kestrova 4.prf", "Kestrova", 1,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

void APPLICATION_update(void) {}
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int) {}
void APPLICATION_setupmenus(void) {}

int main()
{
    std::puts("Kestrova: the simulator is not built yet.");
    return 0;
}
