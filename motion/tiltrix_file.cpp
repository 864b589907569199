// tiltrix_file.cpp -- the motion file's reader.
#include "tiltrix_file.h"

int tlx_read_motion_line(FILE* f, int n, int* counter, uint8_t axes[][2])
{
    const int c = std::fgetc(f);
    if (c == EOF) return -1;
    std::ungetc(c, f);
    if (std::fscanf(f, "%d\t", counter) != 1) return -1;
    for (int i = 0; i < n; i++) {
        int a = 0, b = 0;
        if (std::fscanf(f, "%d\t%d\t", &a, &b) != 2) return i;
        axes[i][0] = (uint8_t)(a & 255);
        axes[i][1] = (uint8_t)(b & 255);
    }
    return n;
}
