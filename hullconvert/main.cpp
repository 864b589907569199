// main.cpp -- Hullconvert, the aircraft file converter: Hullconvert [file.acf]; without a file it
// asks for one in the open dialog.
#include "hullconvert.h"

int main(int argc, char** argv) { return WinMain(argc, argv); }
