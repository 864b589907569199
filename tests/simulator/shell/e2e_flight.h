// e2e_flight.h -- the whole simulator run in a child process (window system and speech engine start
// once per process, as in the real program) with a pass hook flying it, and what the hook saw
// brought back as named numbers and the alerts raised; and the small hands the flights share.
#pragma once
#include "hl_event.h"
#include "hl_types.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "lax.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

// What a run saw: numbers by name, and the code and first line of each alert.
struct Seen {
    std::map<std::string, double> v;
    std::vector<std::string> alerts;
    double get(const char* k) const { return v.count(k) ? v.at(k) : -1e30; }
};

// What the running flight's hook has seen so far (set by fly_in_child in the child), and the hook's
// hands on it: a number put under its name, or the largest one put under it.
inline Seen* g_seen = nullptr;
inline void put(const char* k, double x) { g_seen->v[k] = x; }
inline void put_max(const char* k, double x)
{
    if (!g_seen->v.count(k) || x > g_seen->v[k]) g_seen->v[k] = x;
}

// An angle (degrees) brought into -180..180.
inline double wrap180(double a)
{
    while (a > 180.0) a -= 360.0;
    while (a < -180.0) a += 360.0;
    return a;
}

// Calm air: the flights check the controls and the flight, not how a gusting wind drawn from the
// random sequence swings a light aircraft about.
inline void calm_air(void)
{
    atm.use_realwxr = 0;
    atm.wndspd1 = atm.wndspd2 = atm.shrspd1 = atm.shrspd2 = atm.trblnc1 = atm.trblnc2 = 0.0f;
    atm.rain_tstm = atm.burst_prob = 1.0f;
}

// Runs Kestrova on the test clock (from 0) with `hook` called at every pass; the hook records with
// put and put_max. The child writes what was put (with "rc", the program's result, -2 for a fatal
// alert) to `report`, which is read back. The child is stopped after `seconds`.
inline Seen fly_in_child(const std::string& report, void (*hook)(void), int seconds)
{
    run_in_child_process([&] {
        Seen live;
        g_seen = &live;
        use_test_clock(0);
        hl_set_pass_hook(hook);
        clear_recorded_alerts();
        int rc = -1;
        try {
            rc = kestrova_run();
        } catch (const FatalAlert&) {
            rc = -2;
        }
        hl_set_pass_hook(nullptr);
        std::FILE* f = std::fopen(report.c_str(), "w");
        if (f) {
            std::fprintf(f, "rc %d\n", rc);
            for (const auto& [k, v] : live.v) std::fprintf(f, "%s %.9g\n", k.c_str(), v);
            for (const RecordedAlert& a : recorded_alerts()) std::fprintf(f, "alert %d %s\n", a.code, a.l1.c_str());
            std::fclose(f);
        }
    }, seconds);
    Seen out;
    std::ifstream in(report);
    std::string k;
    while (in >> k) {
        if (k == "alert") {
            std::string line;
            std::getline(in, line);
            out.alerts.push_back(line);
        } else {
            double v;
            in >> v;
            out.v[k] = v;
        }
    }
    return out;
}

// Whether an alert is one a machine without accelerator or joystick raises, or the slow-frame warning
// a test clock's long frames call for.
inline bool expected_alert(const std::string& a)
{
    for (const char* k : {"I can not find a 3-D accelerator card", "My system-checking indicates",
                          "Warning: The simulator is running too slow"})
        if (a.find(k) != std::string::npos) return true;
    return false;
}
