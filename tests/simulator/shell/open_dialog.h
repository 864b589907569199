// open_dialog.h -- a test's hand on the open dialog (window 998, its lower-left corner at 240, 56
// on the screen): the folder it shows, the row that lists a name, and the clicks on a row and on the
// button one folder up.
#pragma once
#include "hl_opensave.h"
#include "kvscreen.h"

#include <cstring>

inline bool ends_with(const char* s, const char* tail)
{
    const size_t a = std::strlen(s), b = std::strlen(tail);
    return a >= b && std::strcmp(s + a - b, tail) == 0;
}

// The row that lists `name`, or -1.
inline int listed(const char* name)
{
    for (int i = 0; i < g_num_items; i++)
        if (std::strcmp(g_name[i], name) == 0) return i;
    return -1;
}

inline void click_row(int i) { push_click(240 + 100, 56 + 437 - 10.0f * static_cast<float>(i)); }
inline void click_folder_up(void) { push_click(240 + 160, 56 + 454); }
