// sky_test_support.h -- what Skycaster's tests share: the bundled airports and reports loaded as the
// program loads them, a synthetic aircraft file, and a preference file written line by line through
// the library's own walk over its values.
#pragma once
#include "hl_file.h"
#include "hl_mnw.h"
#include "hl_plane.h"
#include "hl_prefs.h"
#include "hl_types.h"
#include "kvtest.h"
#include "skycaster.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

namespace skytest {

// The program's start-up state, with the folders pointing at the build's program folder (its
// airports and bundled reports) and an empty preferences folder.
inline void start_state(const std::string& cfg, const char* program_dir = KV_PROGRAM_DIR "/")
{
    clear_recorded_alerts();
    clear_globals();
    hl_fill_constants();
    hl_build_paths(program_dir, cfg.c_str(), "Kestrova 4.prf");
    sky_clear_stations();
    bri = {};
    bri.alt = SKY_START_ALT;
    rnd1 = rnd2 = rnd3 = rnd4 = rnd5 = rnd6 = rnd7 = rnd8 = 1;
    std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", "untitled.acf");
}

// The bundled airports and reports of the build's program folder, read as the program reads them.
inline void load_bundled(const std::string& cfg)
{
    start_state(cfg);
    sky_load();
}

// An airport index by its identifier, -1 when absent.
inline int airport(const char* id)
{
    for (int a = 0; a <= apt_wrl_max; a++)
        if (std::strncmp(apt_id[a], id, 4) == 0) return a;
    return -1;
}

// Writes an aircraft file at path with the given tail number, Vno (kt) and engine type; the rest
// of the record is empty.
inline void write_aircraft(const std::string& path, const char* tail, float Vno, int entype)
{
    pln[1] = {};
    std::snprintf(pln[1].tailnum, sizeof pln[1].tailnum, "%s", tail);
    std::snprintf(pln[1].C_file, sizeof pln[1].C_file, "%s", "saved-under-another-name.acf");
    pln[1].asi_units = 1;
    pln[1].Vno = Vno;
    pln[1].entype = entype;
    ASSERT_EQ(write_plane(1, path.c_str()), 1);
    pln[1] = {};
}

// Chooses the aircraft file as the file button would: its name and path, then prep_plane.
inline void choose_aircraft(const std::string& dir, const char* name)
{
    std::snprintf(pln[0].C_file, sizeof pln[0].C_file, "%s", name);
    std::snprintf(pln[0].C_path, sizeof pln[0].C_path, "%s/%s", dir.c_str(), name);
    prep_plane();
}

// Prints every value of a record in the file's layout: the header, then one value a line.
struct PrefsText : PrefsLineIo {
    std::ostringstream out;
    void text(char* s) override { out << s << '\n'; }
    void integer(int& v) override { out << v << '\n'; }
    void boolean(int& v) override { out << v << '\n'; }
    void real(float& v) override { out << v << '\n'; }
    void real(double& v) override { out << v << '\n'; }
    void truncated(int& v) override { out << v << '\n'; }
    void triple(int& a, int& b, int& c) override { out << a << ' ' << b << ' ' << c << '\n'; }
};

inline std::string prefs_file_text(PrefsRec& r)
{
    PrefsText t;
    t.out.precision(9);
    t.out << "I\n" << PREFS_VERSION << " version\n";
    prefs_walk_lines(r, t);
    return t.out.str();
}

}  // namespace skytest
