// kvtest.cpp -- the shared test support: alert sink, temporary folders, file helpers.
#include "kvtest.h"

#include "hl_wind.h"
#include "plt_shared.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<RecordedAlert> g_alerts;

bool g_show_alerts = false;

int sink(const char* l1, const char* l2, const char* l3, const char* l4, int code)
{
    RecordedAlert a{l1, l2, l3, l4, code};
    g_alerts.push_back(a);
    if (g_show_alerts && code != ALERT_COUNT && code != ALERT_FATAL) return 0;
    if (code == ALERT_COUNT || code == ALERT_FATAL) throw FatalAlert(a);
    return 1;
}

// Every test binary starts with the sink in place and a private configuration folder, whatever the shell named.
struct SinkEnvironment : ::testing::Environment {
    void SetUp() override
    {
        install_alert_sink();
        static TempDir* cfg = new TempDir();
        setenv("KV_CONFIG_DIR", cfg->str().c_str(), 1);
        // No test reaches a real serial port, and each test process has a motion-base block of
        // its own (forked children share it), so parallel tests never meet.
        for (int k = 1; k <= 4; k++) {
            const std::string var = "KV_COM" + std::to_string(k);
            setenv(var.c_str(), ("/nonexistent/kvtest-com" + std::to_string(k)).c_str(), 1);
        }
        if (!std::getenv("KV_TILTRIX_BLOCK")) {
            block_ = "/kvtest-tiltrix-" + std::to_string(getpid());
            setenv("KV_TILTRIX_BLOCK", block_.c_str(), 1);
        }
    }
    void TearDown() override
    {
        if (!block_.empty()) PLT_shared_remove(block_.c_str());
    }
    std::string block_;
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new SinkEnvironment);

// Each test starts with no alert recorded and the alert windows off, whatever the test before it
// in the same process left behind.
struct FreshAlertsPerTest : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        g_alerts.clear();
        g_show_alerts = false;
    }
};
const bool g_fresh_alerts = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshAlertsPerTest);
    return true;
}();

}  // namespace

std::vector<RecordedAlert>& recorded_alerts() { return g_alerts; }
void clear_recorded_alerts() { g_alerts.clear(); }
void install_alert_sink() { hl_set_alert_sink(sink); }
void show_alert_windows(bool on) { g_show_alerts = on; }

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("kvtest-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
                        std::to_string(rd() % 100000));
        std::error_code ec;
        if (std::filesystem::create_directory(path_, ec)) break;
    }
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& rel, const std::string& bytes) const
{
    auto p = path_ / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p.string();
}

void with_no_room_for_files(const std::function<void()>& body)
{
    // Put back however body ends (a fatal alert ends it with an exception).
    struct Restore {
        rlimit was{};
        void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
        ~Restore()
        {
            setrlimit(RLIMIT_FSIZE, &was);
            std::signal(SIGXFSZ, handler);
        }
    } restore;
    getrlimit(RLIMIT_FSIZE, &restore.was);
    const rlimit none{0, restore.was.rlim_max};
    setrlimit(RLIMIT_FSIZE, &none);
    body();
}

std::string read_file(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) return "";
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

int run_in_child_process(const std::function<void()>& body, int seconds)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        body();
        std::fflush(nullptr);
        _exit(0);
    }
    if (pid < 0) return 0;
    int status = 0;
    for (int waited = 0; waited < 10 * seconds * KV_TIME_SCALE; waited++) {
        if (waitpid(pid, &status, WNOHANG) == pid) return 1;
        usleep(100000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return 0;
}

ChildReport run_child_with_report(const std::function<void(ChildReport&)>& body, const std::string& path,
                                  int seconds)
{
    std::remove(path.c_str());
    const int ended = run_in_child_process([&] {
        ChildReport r;
        body(r);
        std::ofstream out(path);
        for (const auto& [k, v] : r) out << k << '\t' << v << '\n';
    }, seconds);
    ChildReport got;
    if (!ended) return got;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) got[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return got;
}

double report_num(const ChildReport& r, const std::string& key)
{
    const auto it = r.find(key);
    return it == r.end() ? -1e30 : std::strtod(it->second.c_str(), nullptr);
}
