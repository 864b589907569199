// main.cpp -- Foilwright, the part editor.
#include "foilwright.h"

int main() { return WinMain(); }
