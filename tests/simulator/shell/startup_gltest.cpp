// startup_gltest.cpp -- the whole simulator started in-process on an offscreen window: start-up
// reaches the frame loop on the bundled data, the preferences are written at the way out and read
// back by the next start, a damaged preferences file gives the factory settings, and the
// full-size and over-full databases fill their tables or end with the count alert.
#include "fltutil.h"
#include "hl_event.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "lax.h"
#include "plt.h"
#include "prefs.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>
#include <fstream>
#include <map>
#include <csignal>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

const char* const kRendererNotice =
    "I can not find a 3-D accelerator card that can handle OpenGL that has correctly installed drivers.";
const char* const kNoJoystick = "My system-checking indicates";

// The test's view of one run: passes counted, an action at a chosen pass, then the window closes.
struct SimRun {
    int passes = 0;
    int close_at = 5;
    std::function<void(int)> each_pass;   // called with the pass number
};
SimRun* g_run = nullptr;

void pass_hook(void)
{
    if (!g_run) return;
    g_run->passes++;
    if (g_run->each_pass) g_run->each_pass(g_run->passes);
    if (g_run->passes == g_run->close_at) push_close();
}

// What a run in its own process reports back: its result, passes, alerts and named values.
struct Outcome {
    int rc = -1;
    int passes = 0;
    bool fatal = false;
    bool finished = false;   // the child reported at all
    std::vector<RecordedAlert> alerts;
    std::map<std::string, std::string> v;
    double num(const std::string& k) const { return v.count(k) ? std::stod(v.at(k)) : -1e30; }
};

std::string one_line(const std::string& s)
{
    std::string o;
    for (char c : s) o += (c == '\t' || c == '\n') ? ' ' : c;
    return o;
}

// Runs Kestrova in a child process (the speech engine and the window system are started and
// ended once per process, as in the real program) and collects what `collect` records when the
// loop has ended.
Outcome run_in_child(SimRun& run, const std::function<void(std::map<std::string, std::string>&)>& collect,
                     const std::string& report)
{
    run_in_child_process([&] {
        std::map<std::string, std::string> v;
        int rc = -1, fatal = 0;
        clear_recorded_alerts();
        g_run = &run;
        try {
            rc = kestrova_run();
        } catch (const FatalAlert&) {
            fatal = 1;
        }
        g_run = nullptr;
        collect(v);
        std::FILE* f = std::fopen(report.c_str(), "w");
        if (f) {
            std::fprintf(f, "rc\t%d\npasses\t%d\nfatal\t%d\n", rc, run.passes, fatal);
            for (const RecordedAlert& a : recorded_alerts())
                std::fprintf(f, "alert\t%d\t%s\t%s\t%s\t%s\n", a.code, one_line(a.l1).c_str(), one_line(a.l2).c_str(),
                             one_line(a.l3).c_str(), one_line(a.l4).c_str());
            for (const auto& [k, val] : v) std::fprintf(f, "v\t%s\t%s\n", k.c_str(), one_line(val).c_str());
            std::fclose(f);
        }
    }, 120);   // two minutes at most
    Outcome o;
    std::ifstream in(report);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        size_t b = 0;
        for (size_t e; (e = line.find('\t', b)) != std::string::npos; b = e + 1) f.push_back(line.substr(b, e - b));
        f.push_back(line.substr(b));
        if (f[0] == "rc") o.rc = std::stoi(f[1]), o.finished = true;
        else if (f[0] == "passes") o.passes = std::stoi(f[1]);
        else if (f[0] == "fatal") o.fatal = f[1] == "1";
        else if (f[0] == "alert" && f.size() >= 6) o.alerts.push_back({f[2], f[3], f[4], f[5], std::stoi(f[1])});
        else if (f[0] == "v" && f.size() >= 3) o.v[f[1]] = f[2];
    }
    return o;
}

class Startup : public ProgramFolders {
protected:
    std::string prog = KV_PROGRAM_DIR;
    int runs = 0;
    void SetUp() override
    {
        ProgramFolders::SetUp();
        hl_set_pass_hook(pass_hook);
    }
    void TearDown() override
    {
        hl_set_pass_hook(nullptr);
        ProgramFolders::TearDown();
    }
    void use_program(const std::string& folder) { setenv("KV_PROGRAM_DIR", folder.c_str(), 1); }

    // Starts Kestrova and lets it run until the window closes.
    Outcome start(SimRun& run, const std::function<void(std::map<std::string, std::string>&)>& collect = {})
    {
        std::string report = work.str() + "/outcome" + std::to_string(runs++) + ".txt";
        Outcome o = run_in_child(run, [&](std::map<std::string, std::string>& v) {
            v["apt_wrl_max"] = std::to_string(apt_wrl_max);
            v["rwy_wrl_max"] = std::to_string(rwy_wrl_max);
            v["nav_wrl_max"] = std::to_string(nav_wrl_max);
            v["apt_lcl_max"] = std::to_string(apt_lcl_max);
            if (collect) collect(v);
        }, report);
        EXPECT_TRUE(o.finished) << "the run did not report back";
        return o;
    }
    // Every alert was one of the notices a machine without accelerator or joystick gives, a log
    // line (code 0), or one of the extra first lines allowed.
    void expect_only_expected_notices(const Outcome& o, std::vector<std::string> also = {})
    {
        for (const RecordedAlert& a : o.alerts) {
            bool known = a.l1 == kRendererNotice || a.l1.rfind(kNoJoystick, 0) == 0 || a.code == 0;
            for (const std::string& s : also) known = known || a.l1 == s;
            EXPECT_TRUE(known) << "alert " << a.code << ": " << a.l1 << " | " << a.l2 << " | " << a.l3;
            EXPECT_NE(a.code, ALERT_FATAL);
            EXPECT_NE(a.code, ALERT_COUNT);
        }
    }
    // A program folder that is the built one with another "additional nav data".
    std::string program_with_databases(const std::string& db_folder, const std::string& name = "program")
    {
        fs::path p = work.path() / name;
        fs::create_directories(p);
        for (const auto& e : fs::directory_iterator(KV_PROGRAM_DIR)) {
            if (e.path().filename() == NAV_DATA_FOLDER) continue;
            fs::create_symlink(e.path(), p / e.path().filename());
        }
        fs::create_directory_symlink(db_folder, p / NAV_DATA_FOLDER);
        return p.string();
    }
};

TEST_F(Startup, ReachesTheFrameLoopOnTheBundledData)
{
    SimRun run;
    int initing_in_loop = -1;
    run.each_pass = [&](int n) {
        if (n == 1) initing_in_loop = initing;
    };
    Outcome o = start(run, [&](std::map<std::string, std::string>& v) {
        v["initing_in_loop"] = std::to_string(initing_in_loop);
        v["loc_apt"] = apt_id[intlim(msc.loc_apt_wrl, 0, MAX_APT - 1)];
        v["lat_sou"] = std::to_string(env.lat_sou);
        v["lon_wes"] = std::to_string(env.lon_wes);
        v["file0"] = pln[0].C_file;
        v["same_path"] = std::to_string(std::strcmp(pln[0].C_path, pln[1].C_path) == 0);
        v["m_empty"] = std::to_string(pln[0].m_empty);
        v["prd"] = std::to_string(msc.prd);
        v["rho0"] = std::to_string(atm.hr[0][1]);
        // where the start put the aircraft: metres from its runway's centre, and its speed
        int r = intlim(msc.loc_rwy_wrl, 0, MAX_RWY - 1);
        double dx = flt.X[0] - X_with_latlon(rwy_lat[r], rwy_lon[r]), dz = flt.Z[0] - Z_with_lat(rwy_lat[r]);
        v["from_centre"] = std::to_string(std::sqrt(dx * dx + dz * dz));
        v["half_length"] = std::to_string(0.5 * rwy_len[r]);
        v["speed"] = std::to_string(flt.v[0]);
    });
    EXPECT_EQ(o.rc, 0);
    EXPECT_GE(o.passes, run.close_at);
    EXPECT_EQ(o.num("initing_in_loop"), 0);   // the progress bar was put away before the first frame
    expect_only_expected_notices(o);
    // databases, start airport, both aircraft
    EXPECT_GE(o.num("apt_wrl_max"), 36);
    EXPECT_GE(o.num("nav_wrl_max"), 40);
    EXPECT_EQ(o.v["loc_apt"], "KSBD");
    EXPECT_EQ(o.num("lat_sou"), 33);
    EXPECT_EQ(o.num("lon_wes"), -119);
    EXPECT_EQ(o.v["file0"], "Cessna 172 Skyhawk.acf");
    EXPECT_EQ(o.num("same_path"), 1);
    EXPECT_GT(o.num("m_empty"), 0);
    EXPECT_NEAR(o.num("prd"), 0.05, 1e-6);
    EXPECT_GT(o.num("rho0"), 1.2);
    // on the start runway, standing
    EXPECT_LE(o.num("from_centre"), o.num("half_length"));
    EXPECT_GT(o.num("from_centre"), 0.5 * o.num("half_length"));
    EXPECT_NEAR(o.num("speed"), 0, 1.0);
    // the output and error files were written and closed
    EXPECT_TRUE(fs::exists(work.path() / "Kestrova.out"));
    std::string errors = read_file(work.str() + "/Error.out");
    EXPECT_NE(errors.find("end simulation"), std::string::npos);
    // The region around KSBD was loaded, so the preferences were written at the way out.
    EXPECT_GE(o.num("apt_lcl_max"), 0);
    EXPECT_TRUE(fs::exists(prefs_path()));
}

// Save Situation and Load Situation through their dialogs: the settings and the position come back.
TEST_F(Startup, TheFileMenuSavesAndLoadsASituation)
{
    // The built program folder as the build left it: its folders made again, its files linked.
    fs::path p = work.path() / "program";
    for (const auto& e : fs::recursive_directory_iterator(KV_PROGRAM_DIR)) {
        const fs::path to = p / e.path().lexically_relative(KV_PROGRAM_DIR);
        if (e.is_directory()) fs::create_directories(to);
        else fs::create_symlink(e.path(), to);
    }
    use_program(p.string());
    const fs::path sit = p / NAV_DATA_FOLDER / "situations" / "Untitled.sit";
    EXPECT_TRUE(fs::is_directory(p / NAV_DATA_FOLDER / "custom terrain textures"));   // made by the build

    SimRun run;
    run.close_at = 100000;
    int phase = 0, open_passes = 0;
    bool typed = false, saved = false;
    float temp_after = 0, x_after = 0, z_after = 0, x_saved = 0, z_saved = 0, joy = -1;
    run.each_pass = [&](int n) {
        if (mnw.topwin == WIND_SAVE) {   // the save dialog: take the proposed name
            if (!typed) push_key(13);
            typed = true;
            return;
        }
        if (mnw.topwin == WIND_OPEN) {   // the open dialog: its first entry double-clicked, once listed
            if (++open_passes == 3) push_click(240 + 100, 56 + 437);
            if (open_passes == 4) push_second_click(240 + 100, 56 + 437);   // over the windscreen
            return;
        }
        if (phase == 0 && n >= 2) {
            phase = 1;
            atm.temp_SL = 33;
            flt.X[0] += 1000;
            flt.Z[0] -= 5000;
            x_saved = static_cast<float>(flt.X[0]);
            z_saved = static_cast<float>(flt.Z[0]);
            APPLICATION_handlemenu(103);
            saved = fs::exists(sit);
            if (!saved) push_close();   // nothing to load back
        } else if (phase == 1 && saved) {
            phase = 2;
            atm.temp_SL = 80;
            APPLICATION_handlemenu(102);
            temp_after = atm.temp_SL;
            x_after = set.cus_X;
            z_after = set.cus_Z;
        } else if (phase == 2 && joy < 0) {   // the double-click's second press has come
            joy = static_cast<float>(10 * msc.mouse_is_joy + msc.paused);
            push_close();
        }
    };
    Outcome o = start(run, [&](std::map<std::string, std::string>& v) {
        v["saved"] = std::to_string(saved);
        v["temp_after"] = std::to_string(temp_after);
        v["dx"] = std::to_string(x_after - x_saved);
        v["dz"] = std::to_string(z_after - z_saved);
        v["phase"] = std::to_string(phase);
        v["joy"] = std::to_string(joy);   // the mouse flying the aircraft (10) and the pause (1)
    });
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.num("phase"), 2);
    EXPECT_EQ(o.num("joy"), 0);
    EXPECT_EQ(o.num("saved"), 1);
    EXPECT_EQ(o.num("temp_after"), 33);
    EXPECT_NEAR(o.num("dx"), 0, 0.1);
    EXPECT_NEAR(o.num("dz"), 0, 0.1);
    expect_only_expected_notices(o);
    std::vector<std::string> lines;
    std::string text = read_file(sit.string());
    for (size_t b = 0, e; (e = text.find('\n', b)) != std::string::npos; b = e + 1) lines.push_back(text.substr(b, e - b));
    ASSERT_EQ(lines.size(), 165u);
    EXPECT_EQ(lines[8], "33.000000");   // value line 7, the sea-level temperature
}

// A second start reads back the preferences the first one wrote.
TEST_F(Startup, ASecondStartReadsThePreferencesTheFirstWrote)
{
    SimRun first;
    first.close_at = 1000;
    first.each_pass = [](int n) {
        if (n != 3) return;
        // the user changes settings, then quits from the File menu
        msc.key_type = 3;
        msc.locl_time = 4321;
        set.ogl_res = 3;
        nav.adff = 356;
        APPLICATION_handlemenu(105);
    };
    Outcome o1 = start(first);
    EXPECT_EQ(o1.rc, 0);
    EXPECT_EQ(o1.passes, 3);
    EXPECT_GE(o1.num("apt_lcl_max"), 0);
    std::string written = read_file(prefs_path());
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.rfind("I\n51 version\n", 0), 0u);

    SimRun second;
    float time = 0;
    int keys = 0, res = 0, adf = 0;
    second.each_pass = [&](int n) {
        if (n != 1) return;
        keys = msc.key_type;
        time = msc.locl_time;
        res = set.ogl_res;
        adf = nav.adff;
    };
    Outcome o2 = start(second, [&](std::map<std::string, std::string>& v) {
        v["keys"] = std::to_string(keys);
        v["time"] = std::to_string(time);
        v["res"] = std::to_string(res);
        v["adf"] = std::to_string(adf);
    });
    EXPECT_EQ(o2.rc, 0);
    expect_only_expected_notices(o2);
    EXPECT_EQ(o2.num("keys"), 3);
    EXPECT_EQ(o2.num("res"), 3);
    EXPECT_EQ(o2.num("adf"), 356);
    // the clock was read back (the first frame may move it on, and the weather report may set it)
    EXPECT_GE(o2.num("time"), 4321);
}

TEST_F(Startup, ADamagedPreferencesFileGivesTheFactorySettingsAndTheProgramRuns)
{
    const std::string notice = "I could not read the preferences file, so I am using the factory settings.";
    for (const char* bytes : {"", "I\n51 version\nCessna\n", "I\n52 version\n"}) {
        SCOPED_TRACE(bytes);
        std::FILE* f = std::fopen(prefs_path().c_str(), "wb");
        ASSERT_TRUE(f);
        std::fputs(bytes, f);
        std::fclose(f);
        SimRun run;
        int res = 0;
        char file[STR_LEN] = "";
        run.each_pass = [&](int n) {
            if (n != 1) return;
            res = set.ogl_res;
            std::snprintf(file, sizeof file, "%s", pln[0].C_file);
        };
        Outcome o = start(run, [&](std::map<std::string, std::string>& v) {
            v["res"] = std::to_string(res);
            v["file"] = file;
        });
        EXPECT_EQ(o.rc, 0);
        EXPECT_GE(o.passes, run.close_at);
        EXPECT_EQ(o.num("res"), 2);
        EXPECT_EQ(o.v["file"], "Cessna 172 Skyhawk.acf");
        int notices = 0;
        for (const RecordedAlert& a : o.alerts) notices += a.l1 == notice;
        EXPECT_EQ(notices, 1);
        expect_only_expected_notices(o, {notice});
    }
}

TEST_F(Startup, QuitBeforeARegionIsLoadedLeavesThePreferencesFileAlone)
{
    const std::string good = "I\n51 version\nkeep\n";
    std::FILE* f = std::fopen(prefs_path().c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs(good.c_str(), f);
    std::fclose(f);
    SimRun run;
    run.each_pass = [&](int n) {
        if (n == run.close_at) apt_lcl_max = -1;   // no region
    };
    Outcome o = start(run);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(read_file(prefs_path()), good);
}

// ---- ends the user did not plan ------------------------------------------------------------------

// A configuration folder that cannot be made: its parent is a plain file (unwritable even for root).
std::string unwritable_config(const TempDir& work)
{
    const std::string file = work.write("not a folder", "x");
    return file + "/kestrova";
}

// The start warns once that the settings cannot be kept, naming the folder; Quit's failing save says
// so once, with the system's reason, and the program still ends.
TEST_F(Startup, AnUnwritableConfigurationFolderIsNoticedAtStartAndAtQuit)
{
    const std::string folder = unwritable_config(work);
    setenv("KV_CONFIG_DIR", folder.c_str(), 1);
    SimRun run;
    run.close_at = 1000;
    run.each_pass = [](int n) {
        if (n == 3) APPLICATION_handlemenu(105);   // Quit
    };
    Outcome o = start(run);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.passes, 3);
    const std::string warn = "Your settings will not be saved: I cannot write in the configuration folder";
    const std::string save = "I could not save the file! Could the directory that the file sits in be missing?";
    int warned = 0, failed = 0;
    for (const RecordedAlert& a : o.alerts) {
        if (a.l1 == warn) {
            warned++;
            EXPECT_EQ(a.l2, folder);
            EXPECT_EQ(a.code, ALERT_NOTICE);
        }
        if (a.l1 == save) {
            failed++;
            EXPECT_EQ(a.l2, folder + "/Kestrova 4.prf");
            EXPECT_EQ(a.l3.rfind("Reason: ", 0), 0u) << a.l3;
        }
        for (const std::string& l : {a.l1, a.l2, a.l3, a.l4}) {
            EXPECT_EQ(l.find("Windows"), std::string::npos) << l;
            EXPECT_EQ(l.find("CD"), std::string::npos) << l;
        }
    }
    EXPECT_EQ(warned, 1);
    EXPECT_EQ(failed, 1);
    expect_only_expected_notices(o, {warn, save});
}

// CPU time (user and system) a process has used so far, seconds; negative when it cannot be read.
double cpu_seconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = s.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream rest(s.substr(close + 2));
    std::vector<std::string> f;
    for (std::string t; rest >> t;) f.push_back(t);
    if (f.size() < 13) return -1;
    // Fields 14 and 15 of the line (utime, stime), counted from the state, field 3.
    return (std::stod(f[11]) + std::stod(f[12])) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Waits at most `seconds` for the child to end; its wait status, or -1 when it still runs.
int wait_for_end(pid_t pid, double seconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}

// Behind its first alert the simulator sleeps until input comes (a spinning loop burns a whole core
// or more), and SIGTERM then ends it through its way out: the error file closed, the preferences
// file untouched or whole.
TEST_F(Startup, BehindAnAlertItSleepsAndSigtermEndsItCleanly)
{
    const std::string good = "I\n51 version\nkeep\n";
    std::FILE* pf = std::fopen(prefs_path().c_str(), "wb");
    ASSERT_TRUE(pf);
    std::fputs(good.c_str(), pf);
    std::fclose(pf);
    const std::string report = work.str() + "/signal.txt", errors = work.str() + "/Error.out";
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        clear_recorded_alerts();
        show_alert_windows(true);
        // A machine drawing OpenGL in hardware has no first notice: the frame loop raises one.
        SimRun run;
        run.close_at = 1 << 30;
        run.each_pass = [](int n) {
            if (n == 2 && recorded_alerts().empty()) MACIBM_alert("A notice to wait behind.", "", "", "", ALERT_NOTICE);
        };
        g_run = &run;
        const int rc = kestrova_run();
        std::FILE* f = std::fopen(report.c_str(), "w");
        if (f) {
            std::fprintf(f, "%d %d", rc, PLT_quit_signal());
            std::fclose(f);
        }
        std::fflush(nullptr);
        _exit(0);
    }
    ASSERT_GT(pid, 0);
    bool up = false;
    for (int i = 0; i < 1200 && !up; i++) {
        up = read_file(errors).find("alert 2002") != std::string::npos;
        if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!up) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        FAIL() << "no alert came up within a minute";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const double c0 = cpu_seconds(pid);
    const auto t0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double c1 = cpu_seconds(pid);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ASSERT_GE(c0, 0);
    ASSERT_GE(c1, 0);
    // A loop redrawing without pause uses at least one whole core (1.0); waiting for input, a few
    // redraws a second use a small part of one.
    EXPECT_LT((c1 - c0) / wall, 0.25) << "CPU " << c1 - c0 << " s in " << wall << " s";

    kill(pid, SIGTERM);
    const int status = wait_for_end(pid, 20);
    if (status == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        FAIL() << "SIGTERM did not end the program behind its alert";
    }
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(read_file(report), "0 " + std::to_string(SIGTERM));
    EXPECT_NE(read_file(errors).find("end simulation"), std::string::npos);
    const std::string prefs = read_file(prefs_path());
    if (prefs != good) {
        // written at the way out: then whole
        EXPECT_EQ(prefs.rfind("I\n51 version\n", 0), 0u);
        EXPECT_EQ(std::count(prefs.begin(), prefs.end(), '\n'), 2 + 163);
    }
}

// The full-size databases fill every table to its limit; the time the program takes to read them,
// progress bar included, is printed.
TEST_F(Startup, TheFullSizeDatabasesFillEveryTable)
{
    use_program(program_with_databases(std::string(KV_BINARY_DIR) + "/bigdb/full"));
    SimRun run;
    double ms = -1;
    Outcome o = start(run, [&](std::map<std::string, std::string>& v) {
        v["fix_end"] = std::to_string(fix_lat[MAX_FIX - 1]);
        v["start"] = apt_id[intlim(msc.loc_apt_wrl, 0, MAX_APT - 1)];
        v["gps_apt"] = std::to_string(nav.gps_apt_index);
        // The reading alone, with the window and the progress bar as start-up has them.
        clear_globals();
        MACIBM_init();
        auto t0 = std::chrono::steady_clock::now();
        read_world_db(nullptr);
        ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        v["ms"] = std::to_string(ms);
        MACIBM_finishup();
    });
    EXPECT_EQ(o.rc, 0);
    expect_only_expected_notices(o);
    EXPECT_EQ(o.num("apt_wrl_max"), MAX_APT - 1);
    EXPECT_EQ(o.num("rwy_wrl_max"), MAX_RWY - 1);
    EXPECT_EQ(o.num("nav_wrl_max"), MAX_NAV - 1);
    EXPECT_EQ(o.num("fix_end"), 99);
    EXPECT_EQ(o.v["start"], "KSBD");
    EXPECT_EQ(o.num("gps_apt"), 1600);
    std::printf("[ timing ] full-size databases read at start-up (progress bar drawn): %.1f ms\n", o.num("ms"));
    RecordProperty("full_startup_read_ms", static_cast<int>(o.num("ms")));
    EXPECT_GT(o.num("ms"), 0);
}

TEST_F(Startup, OverFullDatabasesEndWithTheCountAlert)
{
    struct Case {
        const char* variant;
        const char* message;
    };
    const Case cases[] = {{"over_airports", "Too many airports in apt.dat file!"},
                          {"over_runways", "Too many runways in apt.dat file!"},
                          {"over_navaids", "Too many navs in world database!"},
                          {"over_fixes", "Too many fixes in world database!"}};
    int k = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        use_program(program_with_databases(std::string(KV_BINARY_DIR) + "/bigdb/" + c.variant,
                                           "program" + std::to_string(k++)));
        SimRun run;
        Outcome o = start(run);
        EXPECT_TRUE(o.fatal);
        EXPECT_EQ(o.passes, 0);
        ASSERT_FALSE(o.alerts.empty());
        const RecordedAlert& a = o.alerts.back();
        EXPECT_EQ(a.code, ALERT_COUNT);
        EXPECT_EQ(a.l1, c.message);
        EXPECT_LE(o.num("apt_wrl_max"), MAX_APT - 1);
        EXPECT_LE(o.num("rwy_wrl_max"), MAX_RWY - 1);
        EXPECT_LE(o.num("nav_wrl_max"), MAX_NAV - 1);
    }
}

}  // namespace
