// manifest_test.cpp -- every data file the simulator names in its own code (the databases of the
// start-up loader, the aircraft of start-up and of the tow and mothership starts with their part
// files, the squares of the start region and their own pictures, the weather-report file, the
// shared sounds) is in the built program folder under exactly that name and reads with the
// simulator's own reader; every bundled aircraft loads and every bundled part file is flown; and
// the sound generator writes nothing the sound layer never loads.
#include "genwrld.h"
#include "gsn.h"
#include "hl_afl.h"
#include "hl_drplane.h"
#include "hl_envfile.h"
#include "hl_file.h"
#include "hl_mnw.h"
#include "hl_plane.h"
#include "hl_program.h"
#include "hl_sound.h"
#include "hl_string.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_worlddb.h"
#include "hl_wxr.h"
#include "initpln.h"
#include "kvtest.h"
#include "plt_audio.h"
#include "prefs.h"
#include "startpos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Whether the folder holds an entry of exactly this name (so that a case-blind file system cannot
// hide a name that differs in case).
bool listed_exactly(const fs::path& p)
{
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(p.parent_path(), ec))
        if (e.path().filename().string() == p.filename().string()) return true;
    return false;
}

// The file is there under exactly this name.
::testing::AssertionResult present(const std::string& path)
{
    if (!fs::is_regular_file(path)) return ::testing::AssertionFailure() << "missing: " << path;
    if (!listed_exactly(path)) return ::testing::AssertionFailure() << "no entry named exactly " << path;
    return ::testing::AssertionSuccess();
}

// Fails the test for every alert raised since the last clear, naming what was being read.
void expect_no_alerts(const std::string& what)
{
    for (const RecordedAlert& a : recorded_alerts())
        ADD_FAILURE() << what << ": alert " << a.code << ": " << a.l1 << " | " << a.l2 << " | " << a.l3;
    clear_recorded_alerts();
}

int airport_index(const char* id)
{
    for (int a = 0; a <= apt_wrl_max; a++)
        if (std::strncmp(apt_id[a], id, 4) == 0 && apt_hi_ind[a] >= apt_lo_ind[a]) return a;
    return -1;
}

// The built program folder as the simulator sees it at start-up.
class ProgramFolder : public ::testing::Test {
protected:
    TempDir cfg;
    std::string root;

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        hl_fill_constants();
        hl_build_paths(KV_PROGRAM_DIR "/", cfg.str().c_str(), nullptr);
        root = app_path;
    }
    // Start-up's own steps: the databases, then the factory settings (start airport, aircraft,
    // region corner).
    void start_up()
    {
        read_world_db(nullptr);
        expect_no_alerts("the databases");
        hard_prefs();
        expect_no_alerts("the factory settings");
    }
};

// ---- databases ----------------------------------------------------------------------------------

TEST_F(ProgramFolder, DatabasesLoadWithTheStartupReaderAndHoldTheStartAirport)
{
    for (const char* name : WORLD_DB_NAMES) EXPECT_TRUE(present(root + NAV_DATA_FOLDER + "/" + name));
    try {
        read_world_db(nullptr);
    } catch (const FatalAlert& f) {
        FAIL() << "fatal alert: " << f.alert.l1 << " | " << f.alert.l3;
    }
    expect_no_alerts("the databases");
    EXPECT_GE(apt_wrl_max, 20);
    EXPECT_GT(rwy_wrl_max, apt_wrl_max);
    EXPECT_GE(nav_wrl_max, 20);
    int fixes = 0;
    while (fixes < MAX_FIX && std::lround(fix_lat[fixes]) != 99) fixes++;
    EXPECT_GE(fixes, 10);
    EXPECT_GE(airport_index("KSBD"), 0) << "the start airport";
}

// ---- aircraft and their part files --------------------------------------------------------------

// Loads the aircraft file below the program folder as the second aircraft: the record reader, then
// every part file it names through the part readers, then the whole loader. Returns the part
// files it named (below the program folder).
std::set<std::string> check_aircraft(const std::string& path)
{
    std::set<std::string> parts;
    SCOPED_TRACE(path);
    EXPECT_TRUE(present(path));
    clear_recorded_alerts();
    if (!read_plane(1, path.c_str())) {
        ADD_FAILURE() << "the record reader refuses it";
        return parts;
    }
    expect_no_alerts("read_plane");
    const planestruct rec = pln[1];
    for (int n = 0; n <= 17; n++) {
        if (!have_this_part(n, 1)) continue;
        const char* files[4] = {rec.Rafl0[n], rec.Rafl1[n], rec.Tafl0[n], rec.Tafl1[n]};
        for (int f = 0; f < 4; f++) {
            const std::string file = std::string(afl_path) + files[f];
            EXPECT_TRUE(present(file)) << "part " << n;
            float almax = 0.0f;
            try {
                EXPECT_EQ(grabafoil(files[f], n, f / 2, f % 2, &almax, 1, "manifest"), 1) << file;
            } catch (const FatalAlert& e) {
                ADD_FAILURE() << file << ": fatal alert: " << e.alert.l1;
                clear_recorded_alerts();
            }
            EXPECT_GT(almax, 0.0f) << file;
            parts.insert(file);
        }
    }
    expect_no_alerts("the airfoils");

    std::snprintf(pln[1].C_path, sizeof pln[1].C_path, "%s", path.c_str());
    std::snprintf(pln[1].C_file, sizeof pln[1].C_file, "%s", fs::path(path).filename().c_str());
    try {
        EXPECT_EQ(load_plane(1), 1);
    } catch (const FatalAlert& f) {
        ADD_FAILURE() << "fatal alert: " << f.alert.l1;
        clear_recorded_alerts();
        return parts;
    }
    expect_no_alerts("load_plane");
    if (pln[1].flapEQ) {
        const std::string file = std::string(flp_path) + pln[1].flap_str;
        EXPECT_TRUE(present(file));
        float cl[FLAP_ROWS], cd[FLAP_ROWS], cm[FLAP_ROWS];
        try {
            EXPECT_EQ(grabflap(pln[1].flap_str, cl, cd, cm), 1) << file;
        } catch (const FatalAlert& e) {
            ADD_FAILURE() << file << ": fatal alert: " << e.alert.l1;
            clear_recorded_alerts();
        }
        expect_no_alerts("the flap");
        parts.insert(file);
    }
    return parts;
}

TEST_F(ProgramFolder, AircraftTheCodeNamesLoadWithTheirPartFiles)
{
    start_up();
    // The factory settings fly the loader's own default trainer.
    const std::string trainer = root + DEFAULT_PLANE_DIR + DEFAULT_PLANE_FILE;
    EXPECT_EQ(std::string(pln[0].C_path), trainer);
    EXPECT_EQ(std::string(pln[0].C_file), DEFAULT_PLANE_FILE);
    for (const std::string& path : {trainer, root + TOW_PLANE_PATH, root + MOTHERSHIP_PATH}) {
        std::set<std::string> parts = check_aircraft(path);
        EXPECT_FALSE(parts.empty()) << path;
    }
}

TEST_F(ProgramFolder, EveryBundledAircraftLoads)
{
    std::set<std::string> used;
    int aircraft = 0;
    for (const auto& e : fs::recursive_directory_iterator(root + "planes")) {
        if (e.path().extension() != ".acf") continue;
        std::set<std::string> parts = check_aircraft(e.path().string());
        used.insert(parts.begin(), parts.end());
        aircraft++;
    }
    // The trainer, the two system aircraft, a glider, a helicopter, a jet and a seaplane.
    EXPECT_GE(aircraft, 7);
    // Between them they use every bundled part file: the part generator makes nothing that no
    // aircraft flies with.
    std::set<std::string> bundled;
    for (const char* dir : {afl_path, flp_path})
        for (const auto& e : fs::directory_iterator(dir)) bundled.insert(e.path().string());
    EXPECT_FALSE(bundled.empty());
    EXPECT_EQ(used, bundled);
}

// ---- scenery squares and weather -----------------------------------------------------------------

TEST_F(ProgramFolder, SquaresOfTheStartRegionReadBackAndAreAllTheTreeHolds)
{
    start_up();
    std::set<std::string> region;
    std::unique_ptr<env_square> sq(new env_square);
    for (int r = 0; r < 2; r++)
        for (int c = 0; c < 3; c++) {
            const int lat = env.lat_sou + r, lon = env.lon_wes + c;
            char name[STR_LEN];
            return_latlon_str_ENV(lat, lon, name, 1);
            const std::string path = root + NAV_DATA_FOLDER + "/" + name;
            EXPECT_TRUE(present(path));
            EXPECT_EQ(env_read_square(path.c_str(), lat, lon, 0, sq.get()), ENV_READ_OK) << path;
            region.insert(path);
            // The square's own terrain pictures, where the simulator's picture loader looks for them.
            const int was_simulator = hl_prog.is_simulator;
            hl_prog.is_simulator = 1;
            for (int k = 0; k < ENV_TEXTURES; k++) {
                if (!sq->tex[k][0]) continue;
                char base[STR_LEN];
                texbmp_path(TEXBMP_FAMILY, env_custom_tex(lat, lon, k), sq->tex[k], base);
                EXPECT_TRUE(present(std::string(base) + BITMAP_EXTENSION)) << path;
            }
            hl_prog.is_simulator = was_simulator;
        }
    // The squares the scenery generator wrote are exactly the start region's.
    std::set<std::string> written;
    for (const auto& e : fs::recursive_directory_iterator(root + NAV_DATA_FOLDER))
        if (e.path().extension() == ".env") written.insert(e.path().string());
    EXPECT_EQ(written, region);

    // The region loader reads them all without a word.
    load_region(1);
    expect_no_alerts("load_region");
    EXPECT_GE(apt_lcl_max, 0);
}

TEST_F(ProgramFolder, EveryWeatherReportDecodesAndIsFoundAtItsAirport)
{
    const std::string path = root + WXR_FILE_NAME;
    ASSERT_TRUE(present(path));
    start_up();
    load_region(1);
    expect_no_alerts("load_region");

    std::ifstream in(path);
    std::string line;
    int reports = 0;
    std::set<std::string> stations;
    while (std::getline(in, line)) {
        if (line.size() < 4) break;   // where the finder stops too
        SCOPED_TRACE(line);
        const std::string id = line.substr(0, 4), report = line.substr(5);
        EXPECT_TRUE(stations.insert(id).second) << "a second report for " << id;
        // Every field the layout carries comes out of the decoder.
        float time = -1, base = -1, top = -1, vis = -1, temp = -1, dew = -1, wdir = -1, wspd = -1, gust = -1, alt = -1;
        int cover = -1, kind = -1, intensity = -1;
        decode_wxr(report.c_str(), 0.0f, &time, &cover, &base, &top, &vis, &kind, &intensity, &temp, &dew, &wdir,
                   &wspd, &gust, &alt);
        EXPECT_GE(time, 0.0f);
        EXPECT_LT(time, 86400.0f);
        EXPECT_GT(vis, 0.0f);
        EXPECT_GT(temp, 0.0f);
        EXPECT_GT(dew, 0.0f);
        EXPECT_LE(dew, temp);
        EXPECT_GE(wspd, 0.0f);
        EXPECT_GT(alt, 28.0f);
        EXPECT_LT(alt, 31.5f);
        // The station is an airport of the region, and the finder picks this report there.
        const int a = airport_index(id.c_str());
        ASSERT_GE(a, 0) << "no airport " << id;
        inf1.close();
        inf1.clear();
        inf1.open(path, std::ios::binary);
        char text[WXR_TEXT_LEN] = "";
        float elevation = 0.0f;
        EXPECT_EQ(get_wxr_str(text, &elevation, rwy_lat[apt_lo_ind[a]], rwy_lon[apt_lo_ind[a]]), 1);
        inf1.close();
        inf1.clear();
        EXPECT_EQ(std::string(text), report);
        EXPECT_FLOAT_EQ(elevation, apt_h[a]);
        reports++;
    }
    EXPECT_GE(reports, 20);
}

// ---- sounds -------------------------------------------------------------------------------------

// The shared sounds the sound layer asks for: the engine sound by engine type for every kind of
// aircraft, and every other numbered sound.
struct Sound {
    int n;
    int is_heli, entype;   // the aircraft that asks for it (engine sounds)
    std::string name;
};

std::vector<Sound> shared_sounds()
{
    std::vector<Sound> out;
    std::set<std::string> seen;
    const planestruct was = pln[0];
    for (int heli = 0; heli <= 1; heli++)
        for (int type = 0; type <= 6; type++) {
            pln[0].is_heli = heli;
            pln[0].entype = type;
            std::string name = engine_file_name();
            if (seen.insert(name).second) out.push_back({SND_ENGINE, heli, type, name});
        }
    pln[0] = was;
    for (int n = 0; n < NUM_SOUNDS; n++)
        if (n != SND_ENGINE) out.push_back({n, 0, 0, sound_file_name(n)});
    return out;
}

TEST_F(ProgramFolder, EverySharedSoundLoadsThroughTheSoundLayer)
{
    msc.sound_avail = 1;
    msc.sound_on = 1;
    pln[0].C_path[0] = 0;   // an aircraft without sounds of its own
    const std::vector<Sound> sounds = shared_sounds();
    EXPECT_EQ(sounds.size(), static_cast<size_t>(NUM_SOUNDS - 1 + 5));   // five engine sounds
    for (const Sound& s : sounds) {
        SCOPED_TRACE(s.name);
        EXPECT_TRUE(present(root + SOUND_FOLDER + "/" + s.name));
        PLT_voice_free(s.n);
        pln[0].is_heli = s.is_heli;
        pln[0].entype = s.entype;
        clear_recorded_alerts();
        try {
            fill_buffer(s.n);
        } catch (const FatalAlert& f) {
            ADD_FAILURE() << "fatal alert: " << f.alert.l1 << " | " << f.alert.l2;
            continue;
        }
        expect_no_alerts(s.name);
        EXPECT_TRUE(PLT_voice_loaded(s.n));
        PLT_voice_free(s.n);
    }
}

// The reverse: every file the sound generator writes is one the sound layer asks for.
TEST_F(ProgramFolder, TheSoundGeneratorWritesOnlyWhatTheSoundLayerLoads)
{
    std::set<std::string> asked, written;
    for (const Sound& s : shared_sounds()) asked.insert(std::string(SOUND_FOLDER) + "/" + s.name);
    for (const GsnEntry& e : gsn_manifest()) {
        EXPECT_TRUE(asked.count(e.path)) << "the sound layer never loads " << e.path;
        written.insert(e.path);
    }
    EXPECT_EQ(written, asked);
}

}  // namespace
