// serout_test.cpp -- serial output read back through a pseudo-terminal: NMEA sentences byte for
// byte with receivers' checksums, the float packets' layout, port speeds, the set-up alerts, short
// writes, and the frame driver opening a stored mode. (The motion base, which needs the motion-base
// library behind the flight model, is tested with the shell: shell/motion_output_test.cpp.)
#include "fltframe.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvpty.h"
#include "kvtest.h"
#include "plt_serial.h"
#include "serout.h"
#include "sio.h"

#include <arpa/inet.h>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Little-endian floats of a packet.
std::vector<float> floats_of(const std::string& bytes)
{
    std::vector<float> out;
    for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        uint32_t u = 0;
        for (int b = 0; b < 4; b++) u |= (uint32_t)(uint8_t)bytes[i + b] << (8 * b);
        float f;
        std::memcpy(&f, &u, 4);
        out.push_back(f);
    }
    return out;
}

// What a receiver checks: the hex after "*" is the exclusive-or of the characters between "$" and
// "*", and the sentence ends CR LF.
bool receiver_accepts(const std::string& s)
{
    const size_t star = s.find('*');
    if (s.empty() || s[0] != '$' || star == std::string::npos || s.size() != star + 5) return false;
    if (s.substr(star + 3) != "\r\n") return false;
    unsigned x = 0;
    for (size_t i = 1; i < star; i++) x ^= (unsigned char)s[i];
    return std::strtoul(s.substr(star + 1, 2).c_str(), nullptr, 16) == x;
}

}  // namespace

class SerialOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        reset_flight_driver();
        clear_recorded_alerts();
        nmea_set_day(20088);   // 31 December 2024
        setenv("KV_COM1", pty.path().c_str(), 1);
        setenv("KV_COM2", "/nonexistent/serout-com2", 1);
    }
    void TearDown() override
    {
        close_serial_output();
        setenv("KV_COM1", "/nonexistent/kvtest-com1", 1);
    }
    // The state the sentences and packets below are worked out for.
    static void known_state()
    {
        flt.lat = -33.5f;
        flt.lon = 7.25f;
        flt.v[0] = 63.5f;     // m/s = 123.434 kt
        flt.hpath = 271.26f;
        env.mvar = -12.34f;   // east
        flt.Y[0] = 1523.46;   // m
        msc.zulu_time = 45296.78f;   // 12:34:56.78 at Greenwich
    }
    PtyPair pty;
};

// ---- NMEA ---------------------------------------------------------------------------------------

TEST_F(SerialOutput, NmeaSentencesComeOutByteForByteWithValidChecksums)
{
    ASSERT_TRUE(pty.ok());
    known_state();
    serial_mode_change(0, 1);
    ASSERT_TRUE(recorded_alerts().empty());
    EXPECT_EQ(PLT_serial_get_baud(pty.slave()), 4800);
    EXPECT_EQ(PLT_serial_get_flow(pty.slave()), 1);

    send_nmea(1);
    EXPECT_EQ(pty.read_for(500), "$GPRMC,123456.78,A,3330.00,S,00715.00,E,123.4,271.3,311224,012.3,E*49\r\n");
    send_nmea(0);
    // The altitude keeps its thousands: 1523.5 m, not a value capped at 999.9.
    EXPECT_EQ(pty.read_for(500), "$GPGGA,123456.78,3330.00,S,00715.00,E,1,06,0.0,1523.5,M,0.0,M,0.0,0000*51\r\n");

    flt.lat = 48.1173f;
    flt.lon = 11.516667f;
    flt.Y[0] = -4.2;   // below sea level
    send_nmea(0);
    EXPECT_EQ(pty.read_for(500), "$GPGGA,123456.78,4807.03,N,01131.00,E,1,06,0.0,-004.2,M,0.0,M,0.0,0000*5D\r\n");
}

TEST_F(SerialOutput, NmeaFieldsTruncateMinutesAndLimitTheirRanges)
{
    struct Case {
        float lat, lon, speed_ms, track, mvar;
        const char *lat_f, *lon_f, *speed_f, *track_f, *var_f;
    };
    const Case cases[] = {
        {-33.5f, 7.25f, 0.0f, 0.0f, 0.0f, "3330.00,S", "00715.00,E", "000.0", "000.0", "000.0,E"},
        {0.1f, -0.1f, 0.0f, 90.0f, 5.0f, "0006.00,N", "00006.00,W", "000.0", "090.0", "005.0,W"},
        {89.999f, 179.984375f, 0.0f, 359.96f, -0.04f, "8959.94,N", "17959.06,E", "000.0", "000.0", "000.0,E"},
        {0.0f, 0.0f, 1.0f, 0.04f, 0.06f, "0000.00,S", "00000.00,W", "001.9", "000.0", "000.1,W"},
        {-0.0001f, 120.5f, 6000.0f, 180.0f, 20.0f, "0000.00,S", "12030.00,E", "999.9", "180.0", "020.0,W"},
    };
    for (const Case& c : cases) {
        flt.lat = c.lat;
        flt.lon = c.lon;
        flt.v[0] = c.speed_ms;
        flt.hpath = c.track;
        env.mvar = c.mvar;
        send_nmea(1);   // no port set up: built, not sent
        const std::string want = std::string("$GPRMC,000000.00,A,") + c.lat_f + "," + c.lon_f + "," + c.speed_f +
                                 "," + c.track_f + ",311224," + c.var_f + "*";
        const std::string got = nmea_sentence();
        EXPECT_EQ(got.substr(0, want.size()), want) << c.lat << " " << c.lon;
        EXPECT_TRUE(receiver_accepts(got)) << got;
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

// The Greenwich time of day as hhmmss.ss, hundredths truncated, in both sentences.
TEST_F(SerialOutput, NmeaTimeIsTheSimulatedGreenwichTime)
{
    struct Case {
        float zulu;
        const char* field;
    };
    const Case cases[] = {
        {0.0f, "000000.00"},      {59.999f, "000059.99"}, {3600.0f, "010000.00"},   {45296.78f, "123456.78"},
        {86399.99f, "235959.99"}, {-5.0f, "000000.00"},   {NAN, "000000.00"},       {43200.5f, "120000.50"},
    };
    for (const Case& c : cases) {
        msc.zulu_time = c.zulu;
        nmea_set_day(20088);
        for (int rmc : {1, 0}) {
            send_nmea(rmc);
            const std::string want = std::string(rmc ? "$GPRMC," : "$GPGGA,") + c.field + ",";
            EXPECT_EQ(std::string(nmea_sentence()).substr(0, want.size()), want) << c.zulu;
        }
    }
}

// The date as ddmmyy: days since 1970 worked out by hand from the calendar.
TEST_F(SerialOutput, NmeaDateIsWrittenAsDayMonthYear)
{
    struct Case {
        int32_t day;
        const char* date;
    };
    const Case cases[] = {{0, "010170"},      {10956, "311299"}, {11016, "290200"},
                          {20088, "311224"},  {20089, "010125"}, {24855, "190138"}};
    for (const Case& c : cases) {
        nmea_set_day(c.day);
        send_nmea(1);
        const std::string s = nmea_sentence();
        // The date is the ninth field, after the track.
        size_t at = 0;
        for (int k = 0; k < 9; k++) at = s.find(',', at) + 1;
        EXPECT_EQ(s.substr(at, 6), c.date) << c.day << ": " << s;
        EXPECT_TRUE(receiver_accepts(s)) << s;
    }
}

// The date turns over when the simulated Greenwich time runs over midnight, and back when it runs
// back over it; within the day, and over a jump of the time of day, it stays.
TEST_F(SerialOutput, NmeaDateFollowsTheSimulatedClockOverMidnight)
{
    struct Step {
        float zulu;
        int32_t day;
    };
    msc.zulu_time = 86000.0f;
    nmea_set_day(20088);
    const Step steps[] = {{86300.0f, 20088}, {100.0f, 20089}, {50000.0f, 20089}, {86399.0f, 20089},
                          {3.0f, 20090},     {86390.0f, 20089}, {86395.0f, 20089}, {40000.0f, 20089},
                          {600.0f, 20089},   {82000.0f, 20089}};
    for (const Step& st : steps) {
        msc.zulu_time = st.zulu;
        send_nmea(0);
        EXPECT_EQ(nmea_day(), st.day) << st.zulu;
    }
}

TEST_F(SerialOutput, EverySentenceOfAWanderingFlightPassesAReceiversCheck)
{
    for (int k = 0; k < 200; k++) {
        flt.lat = -89.0f + 0.89f * k;
        flt.lon = 179.0f - 1.79f * k;
        flt.v[0] = 1.7f * k;
        flt.hpath = 1.8f * k;
        env.mvar = 20.0f - 0.2f * k;
        flt.Y[0] = -50.0 + 123.4 * k;
        send_nmea(k % 2);
        const std::string s = nmea_sentence();
        EXPECT_TRUE(receiver_accepts(s)) << s;
        EXPECT_EQ(s.find('-', 7) == std::string::npos, flt.Y[0] >= 0.0 || k % 2) << s;
    }
}

// ---- packets ------------------------------------------------------------------------------------

TEST_F(SerialOutput, PacketsCarryTheirFloatsInOrderAndTheirOrderedSum)
{
    ASSERT_TRUE(pty.ok());
    flt.vind = 100.0f;
    flt.the[0] = 5.0f;
    flt.phi[0] = -10.0f;
    flt.psi[0] = 270.0f;
    flt.hind = 1000.0f;         // m = 3280.84 ft
    flt.R = 2.5f;
    flt.Beta = -1.5f;
    flt.vY = 5.08;              // m/s = 1000 ft/min
    msc.elap_time = 3600.0f;
    flt.lon = -122.25f;
    flt.lat = 37.5f;
    flt.X[0] = 304.8;           // m = 1000 ft
    flt.Y[0] = 3048.0;          // 10000 ft
    flt.Z[0] = -152.4;          // -500 ft

    struct Case {
        int mode;
        size_t bytes;
        std::vector<float> data;   // the data floats, the marker first
        float tol;
    };
    const Case cases[] = {
        {2, 40, {-999.0f, 100.0f, 5.0f, -10.0f, 3280.84f, 2.5f, -1.5f, 270.0f, 1000.0f}, 0.02f},
        {4, 44, {-999.0f, 3600.0f, 5.0f, 270.0f, -10.0f, -122.25f, 37.5f, 1000.0f, 10000.0f, -500.0f}, 0.01f},
    };
    for (const Case& c : cases) {
        serial_mode_change(0, c.mode);
        EXPECT_EQ(PLT_serial_get_baud(pty.slave()), 38400);
        send_serial_data(c.mode);
        const std::string got = pty.read_for(500);
        ASSERT_EQ(got.size(), c.bytes) << c.mode;
        const std::vector<float> f = floats_of(got);
        for (size_t i = 0; i < c.data.size(); i++) EXPECT_NEAR(f[i], c.data[i], c.tol) << c.mode << " " << i;
        float sum = 0.0f;   // added one by one in index order, as a receiver checks it
        for (size_t i = 0; i + 1 < f.size(); i++) sum += f[i];
        EXPECT_EQ(f.back(), sum) << c.mode;
        serial_mode_change(c.mode, 0);
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(SerialOutput, DynamicsPacketCarriesAccelerationsAndTheEventCode)
{
    ASSERT_TRUE(pty.ok());
    flt.v[0] = 51.444f;        // m/s = 100 kt
    flt.Alph = 4.0f;
    flt.Qdot = 1.0f;
    flt.Rdot = -2.0f;
    flt.Pdot = 3.0f;
    flt.m_total = 1000.0f;     // kg
    flt.fsideprop = 100.0f;    // side: 300 N = 0.3 m/s^2
    flt.fsideaero = 150.0f;
    flt.fsidegear = 50.0f;
    flt.faxilprop = 2000.0f;   // axial: 1000 N = 1 m/s^2
    flt.faxilaero = -1000.0f;
    flt.fnrmlaero = 0.05f;     // normal: within +-0.1 N, pushed out to 0.1 N
    msc.key_pressed = 'g';
    msc.elap_time = 100.0f;
    msc.cntr = 7;
    serial_mode_change(0, 5);
    send_serial_data(5);
    const std::vector<float> f = floats_of(pty.read_for(500));
    ASSERT_EQ(f.size(), 12u);
    // Accelerations go out multiplied by the square-metre-to-square-foot factor, 10.7639.
    const float expect[11] = {-999.0f, 100.0f, 4.0f, 1.0f, -2.0f, 3.0f, 0.3f * 10.7639f, 0.0001f * 10.7639f,
                              1.0f * 10.7639f, 0.0f, (float)'g'};
    for (int i = 0; i < 11; i++) EXPECT_NEAR(f[i], expect[i], 2e-3f) << i;

    // The event code, case by case.
    struct Case {
        int onground, cntr;
        float gear[3];   // arrival times (elapsed time is 100 s)
        float code;
    };
    const Case cases[] = {
        {1, 0, {103, 103, 103}, 1.0f},          // on the ground first of all
        {0, 5, {103, 0, 0}, 10.0f},             // leg 1 arriving in 3 s
        {0, 5, {0, 104.9f, 0}, 100.0f},         // leg 2 within 5 s
        {0, 5, {0, 0, 102}, 1000.0f},           // leg 3
        {0, 0, {106, 9.9e9f, 99}, 10000.0f},    // beyond 5 s, failed, or past: the first frame's code
        {0, 5, {106, 9.9e9f, 99}, 0.0f},
    };
    for (const Case& c : cases) {
        flt.onground = c.onground;
        msc.cntr = c.cntr;
        for (int i = 0; i < 3; i++) set.gear_time[i] = c.gear[i];
        send_serial_data(5);
        const std::vector<float> g = floats_of(pty.read_for(500));
        ASSERT_EQ(g.size(), 12u);
        EXPECT_EQ(g[9], c.code) << c.onground << " " << c.cntr;
    }
    // No mass (nothing loaded): no division, accelerations of 0.
    flt.m_total = 0.0f;
    send_serial_data(5);
    const std::vector<float> h = floats_of(pty.read_for(500));
    ASSERT_EQ(h.size(), 12u);
    for (int i = 6; i <= 8; i++) EXPECT_EQ(h[i], 0.0f) << i;
}

// ---- set-up -------------------------------------------------------------------------------------

TEST_F(SerialOutput, PortsThatFailGiveTheirAlertsAndTheModeSendsNothing)
{
    struct Case {
        const char* device;   // nullptr: the test's own pseudo-terminal, held open by the test
        const char* reset_text;
        const char* baud_text;
    };
    const Case cases[] = {
        {"/nonexistent/ttyS0", "No such port          ", "No such port          "},
        {"/dev/null", "Hardware error        ", "No such port          "},
        {nullptr, "Already open          ", nullptr},   // the port set up already stays usable
    };
    for (const Case& c : cases) {
        int held = -1;
        if (c.device) setenv("KV_COM1", c.device, 1);
        else held = SioReset(1, 512, 4096);
        clear_recorded_alerts();
        serial_mode_change(0, 2);
        const auto& a = recorded_alerts();
        ASSERT_GE(a.size(), 1u) << c.reset_text;
        EXPECT_EQ(a[0].l1, "Serial port error:");
        EXPECT_EQ(a[0].l2, c.reset_text);
        EXPECT_EQ(a[0].l3, "");
        EXPECT_EQ(a[0].l4, "");
        EXPECT_EQ(a[0].code, ALERT_NOTICE);
        EXPECT_EQ(std::strlen(c.reset_text), 22u);
        if (c.baud_text) {
            ASSERT_EQ(a.size(), 2u);
            EXPECT_EQ(a[1].l1, "Baud-rate error:  ");
            EXPECT_EQ(a[1].l2, c.baud_text);
            EXPECT_EQ(a[1].code, ALERT_NOTICE);
            // A failed port: packets and sentences are skipped, never fatal.
            clear_recorded_alerts();
            for (int k = 0; k < 5; k++) send_serial_data(2);
            send_nmea(1);
            EXPECT_TRUE(recorded_alerts().empty());
        }
        serial_mode_change(2, 0);
        if (held == 0) SioDone(1);
        setenv("KV_COM1", pty.path().c_str(), 1);
    }
}

TEST_F(SerialOutput, SioRefusesUnknownPortsQueuesAndSpeeds)
{
    EXPECT_EQ(SioReset(0, 512, 4096), SIO_NO_PORT);
    EXPECT_EQ(SioReset(5, 512, 4096), SIO_NO_PORT);
    EXPECT_EQ(SioReset(1, 0, 4096), SIO_NO_MEMORY);
    EXPECT_EQ(SioReset(1, 512, 1 << 20), SIO_NO_MEMORY);
    EXPECT_EQ(SioBaud(1, 4800), SIO_NO_PORT);   // not open
    ASSERT_EQ(SioReset(1, 512, 4096), 0);
    EXPECT_EQ(SioReset(1, 512, 4096), SIO_ALREADY_OPEN);
    EXPECT_EQ(SioBaud(1, 4801), SIO_BAD_BAUD);
    EXPECT_EQ(SioBaud(1, 4800), 0);
    EXPECT_EQ(SioPuts(1, "abc", 3), 3);
    EXPECT_EQ(pty.read_for(300), "abc");
    EXPECT_EQ(SioDone(1), 0);
    EXPECT_EQ(SioDone(1), SIO_NO_PORT);
    EXPECT_EQ(SioPuts(1, "abc", 3), 0);
}

TEST_F(SerialOutput, SwitchingBetweenPacketModesReopensThePortAtTheSameSpeed)
{
    ASSERT_TRUE(pty.ok());
    serial_mode_change(0, 2);
    send_serial_data(2);
    EXPECT_EQ(pty.read_for(500).size(), 40u);
    serial_mode_change(2, 4);
    EXPECT_TRUE(recorded_alerts().empty());   // closed first, so no "Already open"
    EXPECT_EQ(PLT_serial_get_baud(pty.slave()), 38400);
    send_serial_data(4);
    EXPECT_EQ(pty.read_for(500).size(), 44u);
    serial_mode_change(4, 1);
    EXPECT_EQ(PLT_serial_get_baud(pty.slave()), 4800);
    serial_mode_change(1, 0);
    // Closed: another user can have the port.
    const int h = PLT_serial_open(pty.path().c_str());
    EXPECT_GE(h, 0);
    PLT_serial_close(h);
}

TEST_F(SerialOutput, AReceiverThatStopsReadingIsReportedOnceAndTheFlightGoesOn)
{
    ASSERT_TRUE(pty.ok());
    serial_mode_change(0, 5);
    // Nothing reads the pseudo-terminal: its buffer fills and writes come up short.
    for (int k = 0; k < 20000 && recorded_alerts().empty(); k++) send_serial_data(5);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l1, "Could not output serial port data!");
    EXPECT_EQ(recorded_alerts()[0].code, ALERT_NOTICE);
    for (int k = 0; k < 50; k++) send_serial_data(5);   // no alert per packet
    EXPECT_EQ(recorded_alerts().size(), 1u);

    // The sentences' short write keeps its own code; a new set-up reports again.
    serial_mode_change(5, 1);
    pty.drain();
    clear_recorded_alerts();
    for (int k = 0; k < 20000 && recorded_alerts().empty(); k++) send_nmea(k % 2);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, 0);
}

// ---- the frame driver ---------------------------------------------------------------------------

TEST_F(SerialOutput, AStoredModeOpensThePortOnTheFirstFrame)
{
    ASSERT_TRUE(pty.ok());
    set.serout = 2;
    msc.locl_time = 36000.0f;
    serial_frame();
    EXPECT_TRUE(SioIsOpen(1));
    EXPECT_EQ(pty.read_for(500).size(), 40u);
    // Closing at exit frees the port.
    close_serial_output();
    EXPECT_FALSE(SioIsOpen(1));
}

// ---- a real receiver ----------------------------------------------------------------------------

namespace {

// The GPS daemon's path, or "" when it is not installed.
std::string gpsd_path(void)
{
    for (const char* p : {"/usr/sbin/gpsd", "/usr/bin/gpsd", "/usr/local/sbin/gpsd"})
        if (access(p, X_OK) == 0) return p;
    return "";
}

// A TCP port on the loopback that was free a moment ago.
int free_port(void)
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) == 0)
        port = ntohs(a.sin_port);
    close(s);
    return port;
}

// The daemon's command line; the child's output goes to the log.
struct GpsdRun {
    std::string daemon, port, device, log;
};

int exec_gpsd(void* p)
{
    const GpsdRun* g = static_cast<const GpsdRun*>(p);
    const int fd = open(g->log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        dup2(fd, 1);
        dup2(fd, 2);
    }
    execl(g->daemon.c_str(), "gpsd", "-N", "-n", "-b", "-S", g->port.c_str(), g->device.c_str(),
          static_cast<char*>(nullptr));
    return 127;
}

// The number after "key": in a JSON line, NaN when it is not there.
double json_number(const std::string& line, const std::string& key)
{
    const size_t at = line.find("\"" + key + "\":");
    if (at == std::string::npos) return NAN;
    return std::strtod(line.c_str() + at + key.size() + 3, nullptr);
}

}  // namespace

// The sentences go through a pseudo-terminal to the GPS daemon, which must take from them a fix
// with the simulator's date, time and position.
TEST_F(SerialOutput, AGpsDaemonTakesTheDateTimeAndPositionFromTheSentences)
{
    const std::string daemon = gpsd_path();
    if (daemon.empty()) GTEST_SKIP() << "gpsd is not installed";
    ASSERT_TRUE(pty.ok());
    PtyPair receiver;
    ASSERT_TRUE(receiver.ok());
    // The daemon may give up its privileges before it opens the device.
    chmod(receiver.path().c_str(), 0666);
    const int port = free_port();
    ASSERT_GT(port, 0);
    TempDir dir;
    GpsdRun run = {daemon, std::to_string(port), receiver.path(), dir.str() + "/gpsd.log"};
    const std::string& log = run.log;
    const int gpsd = start_child(exec_gpsd, &run);
    ASSERT_GT(gpsd, 0);

    int sock = -1;
    for (int i = 0; i < 100 && sock < 0; i++) {
        sock = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(sock, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            close(sock);
            sock = -1;
            usleep(50000);
        }
    }
    std::string seen, fix;
    if (sock >= 0) {
        const std::string watch = "?WATCH={\"enable\":true,\"json\":true};\n";
        EXPECT_EQ(write(sock, watch.data(), watch.size()), static_cast<ssize_t>(watch.size()));
        fcntl(sock, F_SETFL, fcntl(sock, F_GETFL) | O_NONBLOCK);

        known_state();
        flt.v[0] = 0.0f;
        serial_mode_change(0, 1);
        // One RMC and one GGA a simulated second, as the frame driver sends them, for at most 15 s.
        for (int k = 0; k < 60 && fix.empty(); k++) {
            msc.zulu_time = 45296.0f + static_cast<float>(k / 2);
            send_nmea(k % 2 == 0);
            receiver.write(pty.read_for(200));
            char buf[4096];
            for (ssize_t n; (n = read(sock, buf, sizeof buf)) > 0;) seen.append(buf, static_cast<size_t>(n));
            for (size_t b = 0, e; (e = seen.find('\n', b)) != std::string::npos; b = e + 1) {
                const std::string line = seen.substr(b, e - b);
                if (line.find("\"class\":\"TPV\"") != std::string::npos && line.find("\"time\":") != std::string::npos &&
                    json_number(line, "mode") >= 2)
                    fix = line;
            }
            usleep(200000);
        }
        close(sock);
    }
    end_child(gpsd, SIGTERM, 10);
    ASSERT_GE(sock, 0) << "gpsd did not listen: " << read_file(log);
    ASSERT_FALSE(fix.empty()) << "no fix with a time came from gpsd:\n" << seen << "\n" << read_file(log);
    EXPECT_NE(fix.find("\"time\":\"2024-12-31T12:3"), std::string::npos) << fix;
    EXPECT_NEAR(json_number(fix, "lat"), -33.5, 1e-4) << fix;
    EXPECT_NEAR(json_number(fix, "lon"), 7.25, 1e-4) << fix;
}
