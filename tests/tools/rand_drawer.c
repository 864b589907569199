/* rand_drawer.c -- a library the sound generator's test loads ahead of the tool (LD_PRELOAD): it draws
   on the C library's rand() before main, as other code in a process may, to show that the tool's
   output does not depend on the random sequence's state when it starts. */
#include <stdlib.h>

__attribute__((constructor)) static void draw_before_main(void)
{
    for (int i = 0; i < 12; i++) (void)rand();
}
