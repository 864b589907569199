// test_program.cpp -- the callbacks every program defines, recorded for the library's tests.
#include "test_program.h"

#include "hl_program.h"

hl_program_desc hl_prog = {"Kestrova", "Kestrova 4.prf", "Kestrova", 0,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr};

TestProgramLog& test_program_log()
{
    static TestProgramLog log;
    return log;
}

void APPLICATION_update(void)
{
    test_program_log().updates++;
    if (test_program_log().on_update) test_program_log().on_update();
}
void APPLICATION_handlekey(char c, int) { test_program_log().keys += c; }
void APPLICATION_handlemenu(int item) { test_program_log().menus.push_back(item); }
void APPLICATION_setupmenus(void) {}
