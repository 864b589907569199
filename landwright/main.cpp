// main.cpp -- Landwright, the scenery editor.
#include "landwright.h"

int main() { return WinMain(); }
