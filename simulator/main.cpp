// main.cpp -- Kestrova, the flight simulator.
#include "lax.h"

int main() { return WinMain(); }
