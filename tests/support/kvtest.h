// kvtest.h -- what every test binary shares: the alert sink, a temporary folder per test, the
// program's callbacks recorded, and the test clock.
#pragma once
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// One alert as the sink saw it.
struct RecordedAlert {
    std::string l1, l2, l3, l4;
    int code;
};

// Thrown by the sink for a fatal alert (2003, 2004) so the test sees it instead of the process ending.
struct FatalAlert : std::runtime_error {
    RecordedAlert alert;
    explicit FatalAlert(const RecordedAlert& a) : std::runtime_error("fatal alert: " + a.l1), alert(a) {}
};

// Every alert raised since the last clear (each test starts with none recorded).
std::vector<RecordedAlert>& recorded_alerts();
void clear_recorded_alerts();
// Installs the sink (done for every test by the support library's environment).
void install_alert_sink();
// With on, notices and the about box are still recorded but then shown in the alert window (996), where
// the test answers them (Enter or a click on O.K.); fatal alerts always throw. Off at each test's start.
void show_alert_windows(bool on);

// A fresh temporary folder, removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Writes a file below the folder (creating sub-folders) and returns its path.
    std::string write(const std::string& rel, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// Runs body with the file-size limit at 0 (SIGXFSZ ignored): every file write fails, as on a full disk.
void with_no_room_for_files(const std::function<void()>& body);

// How many times longer than in the release build this build's code takes (5 in the sanitizer
// build): a test's limit on time is its release figure times this.
#ifndef KV_TIME_SCALE
#define KV_TIME_SCALE 1
#endif

// Runs body in a forked child process (the parent's output flushed first), which then ends at once
// with status 0, and waits at most `seconds` for it, killing it past that. For what may start only
// once in a process (the window system, the speech engine). 1 when the child ended by itself.
// The wait is scaled by KV_TIME_SCALE.
int run_in_child_process(const std::function<void()>& body, int seconds);

// Named values a child process reports to its parent (numbers written as text).
using ChildReport = std::map<std::string, std::string>;
// Runs body in a child process as run_in_child_process does, with a report for it to fill, and
// returns the report as the child left it (through the file at `path`); a child that did not end
// by itself reports nothing.
ChildReport run_child_with_report(const std::function<void(ChildReport&)>& body, const std::string& path,
                                  int seconds);
// The number reported under key, or -1e30 when there is none.
double report_num(const ChildReport& r, const std::string& key);

// Reads a whole file as bytes ("" when it cannot be read).
std::string read_file(const std::string& path);
