// tool_program.cpp -- the library's program description and callbacks for a command-line tool.
#include "tool_program.h"

#include "hl_program.h"
#include "hl_wind.h"

#include <cstdio>

// A tool has no window and no menus: the callbacks do nothing and the hooks stay empty.
hl_program_desc hl_prog = {};
void APPLICATION_update(void) {}
void APPLICATION_handlekey(char, int) {}
void APPLICATION_handlemenu(int) {}
void APPLICATION_setupmenus(void) {}

static int print_alert(const char* l1, const char* l2, const char* l3, const char* l4, int)
{
    std::fprintf(stderr, "%s: %s %s %s %s\n", hl_prog.name ? hl_prog.name : "tool", l1, l2, l3, l4);
    return 1;
}

void tool_start(const char* name, bool print_alerts)
{
    hl_prog.name = name;
    if (print_alerts) hl_set_alert_sink(print_alert);
}
