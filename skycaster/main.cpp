// main.cpp -- Skycaster, the weather briefing.
#include "skycaster.h"

int main() { return WinMain(); }
