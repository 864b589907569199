// picture_kestrova.cpp -- Kestrova's picture: the default trainer on a visual final to its start
// airport, KSBD, a few seconds into the approach, seen from the cockpit over the panel.
#include "lax.h"
#include "picture.h"
#include "startpos.h"

namespace {

int step(int pass)
{
    if (pass == 5) set_fltvars(START_RUNWAY, START_VISUAL_FINAL);
    return pass == 240;
}

}  // namespace

int main(int argc, char** argv) { return picture_main(argc, argv, WinMain, step); }
