// fltdump.cpp -- formatted text onto the dump stream.
#include "fltdump.h"

#include "hl_file.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void trk_printf(const char* fmt, ...)
{
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    if (n < 0) return;
    if (n >= (int)sizeof buf) n = (int)sizeof buf - 1;
    trk.write(buf, n);
}

void trk_marks(int count)
{
    static const char marks[100] = {
#define A5 '\xA5'
#define A5x10 A5, A5, A5, A5, A5, A5, A5, A5, A5, A5
        A5x10, A5x10, A5x10, A5x10, A5x10, A5x10, A5x10, A5x10, A5x10, A5x10
#undef A5x10
#undef A5
    };
    while (count > 0) {
        int n = count > 100 ? 100 : count;
        trk.write(marks, n);
        count -= n;
    }
}

void trk_separator(void)
{
    trk_marks(100);
    trk.put('\n');
}

void trk_heading(const char* title)
{
    trk_marks(3);
    int len = (int)std::strlen(title);
    trk.write(title, len);
    trk_marks(100 - 3 - len);
    trk.put('\n');
}
