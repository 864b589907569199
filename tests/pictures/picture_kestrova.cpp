// picture_kestrova.cpp -- Kestrova's picture: the simulator as it starts, the default trainer at its
// default start on the runway at KSBD, seen from the cockpit over the panel.
#include "lax.h"
#include "picture.h"

namespace {

int step(int pass) { return pass == 240; }

}  // namespace

int main(int argc, char** argv) { return picture_main(argc, argv, WinMain, step); }
