// prefs_snapshot.h -- every record the simulator's preference and situation files touch, byte for
// byte: two snapshots that compare equal show that a refused file changed no setting.
#pragma once
#include "hl_types.h"

#include <cstddef>
#include <string>

inline std::string prefs_snapshot(void)
{
    std::string s;
    auto add = [&s](const void* p, size_t n) { s.append(static_cast<const char*>(p), n); };
    add(&set, sizeof set);
    add(&atm, sizeof atm);
    add(&nav, sizeof nav);
    add(&msc, sizeof msc);
    add(&ins, sizeof ins);
    add(&rel, sizeof rel);
    add(&env, sizeof env);
    add(&flt, sizeof flt);
    add(&pln[0], sizeof pln[0]);
    return s;
}
