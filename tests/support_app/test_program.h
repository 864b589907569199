// test_program.h -- the library test binaries' stand-in program: it records every callback the
// library makes so tests can check what reached the program.
#pragma once
#include <string>
#include <vector>

struct TestProgramLog {
    int updates = 0;
    std::vector<int> menus;     // APPLICATION_handlemenu items
    std::string keys;           // APPLICATION_handlekey characters
    void (*on_update)(void) = nullptr;   // a window's contents, run by APPLICATION_update
    void clear() { *this = TestProgramLog{}; }
};

TestProgramLog& test_program_log();
