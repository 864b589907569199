// main.cpp -- Hullwright, the aircraft designer.
#include "hullwright.h"

int main() { return WinMain(); }
