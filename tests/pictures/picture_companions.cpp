// picture_companions.cpp -- the picture of a companion program at its start: its screen as it
// opens, after a few passes. Built once per program with that program's callbacks; Hullconvert's
// shows its open dialog.
#include "picture.h"

#if defined(PICTURE_HULLCONVERT)
#include "hullconvert.h"
static int run(void)
{
    static char name[] = "Hullconvert";
    char* argv[] = {name, nullptr};
    return WinMain(1, argv);
}
#elif defined(PICTURE_FOILWRIGHT)
#include "foilwright.h"
static int run(void) { return WinMain(); }
#elif defined(PICTURE_LANDWRIGHT)
#include "landwright.h"
static int run(void) { return WinMain(); }
#elif defined(PICTURE_SKYCASTER)
#include "skycaster.h"
static int run(void) { return WinMain(); }
#endif

static int step(int pass) { return pass == 10; }

int main(int argc, char** argv) { return picture_main(argc, argv, run, step); }
