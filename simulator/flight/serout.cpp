// serout.cpp -- serial output: NMEA sentences, float packets of the flight state, the motion base.
#include "serout.h"

#include "flight_hooks.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"
#include "sio.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int PORT = 1;
constexpr int RX_QUEUE = 512;          // bytes
constexpr int TX_QUEUE = 4096;         // bytes
constexpr int FLOW_HARDWARE = 'H';
constexpr int NMEA_BAUD = 4800;
constexpr int PACKET_BAUD = 38400;
constexpr int MOTION = 3;
constexpr float MARKER = -999.0f;      // first float of every packet
constexpr int MAX_FLOATS = 11;         // data floats of the longest packet
constexpr float GEAR_WARNING = 5.0f;   // s ahead that a gear leg's arrival is announced

char nmea_str[400];
float serial_dat[MAX_FLOATS + 1];
unsigned char packet[4 * (MAX_FLOATS + 1)];

int open_mode = 0;     // what is set up: 0 nothing, MOTION the motion base, else port 1
constexpr float DAY_S = 86400.0f;

// The date the sentences carry, days since 1 January 1970 at Greenwich: the computer's date at the
// first sentence, then a day on whenever the simulated Greenwich time runs on over midnight (and a
// day back when it runs back over it). zulu_seen is the Greenwich time of the last sentence.
int32_t nmea_day_now = 0;
int nmea_have_day = 0;
float zulu_seen = 0.0f;
int short_warned = 0;  // a short write was reported since the last set-up

const char* const RESET_TEXTS[] = {"No such port          ", "Already open          ",
                                   "Cannot allocate memory", "Hardware error        "};

void reset_alert(int r)
{
    int k;
    switch (r) {
    case SIO_NO_PORT: k = 0; break;
    case SIO_ALREADY_OPEN: k = 1; break;
    case SIO_NO_MEMORY: k = 2; break;
    case SIO_HARDWARE: k = 3; break;
    default: return;
    }
    MACIBM_alert("Serial port error:", RESET_TEXTS[k], "", "", ALERT_NOTICE);
}

void baud_alert(int r)
{
    if (r == SIO_NO_PORT) MACIBM_alert("Baud-rate error:  ", "No such port          ", "", "", ALERT_NOTICE);
    else if (r == SIO_BAD_BAUD) MACIBM_alert("Baud-rate error:  ", "Unsupported baud rate ", "", "", ALERT_NOTICE);
}

// A write that did not go out whole. Reported once per set-up: a receiver that stops reading
// would otherwise raise an alert for every packet, twenty a second. Output goes on.
void short_write(int code)
{
    if (short_warned) return;
    short_warned = 1;
    MACIBM_alert("Could not output serial port data!", "", "", "", code);
}

// ---- NMEA fields --------------------------------------------------------------------------------

// An angle as whole degrees (deg_digits digits), whole minutes and truncated hundredths of a
// minute, then the hemisphere letter: "3330.00,S".
void put_angle(char* out, int size, float deg, int deg_digits, char pos, char neg)
{
    const double a = std::isfinite(deg) ? std::fabs((double)deg) : 0.0;
    const long hund = (long)std::floor(fltmin2((float)a, 360.0f) * 6000.0);   // hundredths of a minute
    std::snprintf(out, (size_t)size, "%0*ld%02ld.%02ld,%c", deg_digits, hund / 6000, hund / 100 % 60, hund % 100,
                  deg > 0.0f ? pos : neg);
}

// Tenths as three digits (or more), a point and one digit: 42 -> "004.2".
void put_tenths(char* out, int size, long tenths)
{
    std::snprintf(out, (size_t)size, "%03ld.%ld", tenths / 10, tenths % 10);
}

// round(10 |x|), limited to hi.
long round_tenths(double x, long hi)
{
    if (!std::isfinite(x)) return 0;
    const double a = std::fabs(x);
    if (a >= (double)hi / 10.0) return hi;
    const long t = std::lround(10.0 * a);
    return t > hi ? hi : t;
}

// The sentence's checksum: the exclusive-or of every character between "$" and "*", so that
// receivers accept it.
void finish_sentence(char* s, int size)
{
    unsigned x = 0;
    for (const char* p = s + 1; *p; p++) x ^= (unsigned char)*p;
    const size_t len = std::strlen(s);
    std::snprintf(s + len, (size_t)size - len, "*%02X\r\n", x);
}

// Follows msc.zulu_time to today's date. The clock runs over midnight when it goes from the last
// hour of a day to the first hour of the next (or back); any other jump, such as the time of day
// set anew, leaves the date as it is.
void follow_date(void)
{
    constexpr float HOUR = 3600.0f;
    const float z = msc.zulu_time;
    if (!nmea_have_day) {
        nmea_day_now = PLT_utc_day();
        nmea_have_day = 1;
    } else if (zulu_seen >= DAY_S - HOUR && z < HOUR) {
        nmea_day_now++;
    } else if (zulu_seen < HOUR && z >= DAY_S - HOUR) {
        nmea_day_now--;
    }
    zulu_seen = z;
}

// The Greenwich time of day as hhmmss.ss (hundredths truncated, so 86399.999 s stays 235959.99).
void put_time(char* out, int size)
{
    const double z = std::isfinite(msc.zulu_time) ? std::fmin(std::fmax((double)msc.zulu_time, 0.0), DAY_S) : 0.0;
    long hund = (long)std::floor(z * 100.0);
    if (hund >= 8640000L) hund = 8640000L - 1;
    std::snprintf(out, (size_t)size, "%02ld%02ld%02ld.%02ld", hund / 360000, hund / 6000 % 60, hund / 100 % 60,
                  hund % 100);
}

// The date as ddmmyy.
void put_date(char* out, int size)
{
    using namespace std::chrono;
    const year_month_day ymd{sys_days{days{nmea_day_now}}};
    std::snprintf(out, (size_t)size, "%02u%02u%02d", (unsigned)ymd.day(), (unsigned)ymd.month(),
                  ((int)ymd.year() % 100 + 100) % 100);
}

void build_rmc(void)
{
    char lat[32], lon[32], speed[24], track[24], var[24], time[24], date[16];
    follow_date();
    put_time(time, sizeof time);
    put_date(date, sizeof date);
    put_angle(lat, sizeof lat, flt.lat, 2, 'N', 'S');
    put_angle(lon, sizeof lon, flt.lon, 3, 'E', 'W');
    put_tenths(speed, sizeof speed, round_tenths(flt.v[0] * con.msctokts, 9999));
    // A track of 359.96 rounds to 360.0, which receivers take as 000.0.
    put_tenths(track, sizeof track, round_tenths(flt.hpath, 9999) % 3600);
    put_tenths(var, sizeof var, round_tenths(env.mvar, 9999));
    std::snprintf(nmea_str, sizeof nmea_str, "$GPRMC,%s,A,%s,%s,%s,%s,%s,%s,%c", time, lat, lon, speed, track, date,
                  var, env.mvar > 0.0f ? 'W' : 'E');
    finish_sentence(nmea_str, sizeof nmea_str);
}

// Altitude in metres to a tenth. Written in as many digits as it needs: capping it at 999.9 m
// would report every flight above that height wrongly.
void build_gga(void)
{
    char lat[32], lon[32], alt[24], time[24];
    follow_date();
    put_time(time, sizeof time);
    put_angle(lat, sizeof lat, flt.lat, 2, 'N', 'S');
    put_angle(lon, sizeof lon, flt.lon, 3, 'E', 'W');
    const double y = flt.Y[0];
    put_tenths(alt, sizeof alt, round_tenths(y, 999999));
    std::snprintf(nmea_str, sizeof nmea_str, "$GPGGA,%s,%s,%s,1,06,0.0,%s%s,M,0.0,M,0.0,0000", time, lat, lon,
                  y < 0.0 ? "-" : "", alt);
    finish_sentence(nmea_str, sizeof nmea_str);
}

// ---- packets ------------------------------------------------------------------------------------

// Mode 5's event code: on the ground; a gear leg arriving within the next 5 s (legs 1, 2, 3 give
// 10, 100, 1000); the first frame; else 0.
float event_code(void)
{
    if (flt.onground) return 1.0f;
    const float codes[3] = {10.0f, 100.0f, 1000.0f};
    for (int i = 0; i < 3; i++) {
        const float t = set.gear_time[i];
        if (t > msc.elap_time && t <= msc.elap_time + GEAR_WARNING) return codes[i];
    }
    return msc.cntr == 0 ? 10000.0f : 0.0f;
}

// Acceleration (m/s^2) of a force sum; none without mass.
float accel(float force) { return flt.m_total > 0.0f ? force / flt.m_total : 0.0f; }

void fill_instruments(void)
{
    serial_dat[1] = flt.vind;
    serial_dat[2] = flt.the[0];
    serial_dat[3] = flt.phi[0];
    serial_dat[4] = flt.hind * con.mtrstoft;
    serial_dat[5] = flt.R;
    serial_dat[6] = flt.Beta;
    serial_dat[7] = flt.psi[0];
    serial_dat[8] = (float)flt.vY * con.msctofpm;
}

void fill_position(void)
{
    serial_dat[1] = msc.elap_time;
    serial_dat[2] = flt.the[0];
    serial_dat[3] = flt.psi[0];
    serial_dat[4] = flt.phi[0];
    serial_dat[5] = flt.lon;
    serial_dat[6] = flt.lat;
    serial_dat[7] = (float)flt.X[0] * con.mtrstoft;
    serial_dat[8] = (float)flt.Y[0] * con.mtrstoft;
    serial_dat[9] = (float)flt.Z[0] * con.mtrstoft;
}

void fill_dynamics(void)
{
    const float side = flt.fsideprop + flt.fsideaero + flt.fsidegear;
    const float normal = flt.fnrmlprop + flt.fnrmlaero + flt.fnrmlgear;
    const float axial = flt.faxilprop + flt.faxilaero + flt.faxilgear;
    serial_dat[1] = flt.v[0] * con.msctokts;
    serial_dat[2] = flt.Alph;
    serial_dat[3] = flt.Qdot;
    serial_dat[4] = flt.Rdot;
    serial_dat[5] = flt.Pdot;
    serial_dat[6] = accel(side) * con.smtrtosf;
    serial_dat[7] = accel(fallout(normal, -0.1f, 0.1f)) * con.smtrtosf;
    serial_dat[8] = accel(axial) * con.smtrtosf;
    serial_dat[9] = event_code();
    serial_dat[10] = (float)(unsigned char)msc.key_pressed;
}

// An attitude angle as a motion-base axis: whole degrees about the centre 128, held at the ends
// of the axis. Angles go in as offsets from the centre so that level flight holds the platform
// level; an angle beyond the axis's reach saturates instead of wrapping round to the other side.
int motion_axis(float deg)
{
    if (!std::isfinite(deg)) return 128;
    return intlim(128 + (int)fltlim(deg, -1000.0f, 1000.0f), 0, 255);
}

void move_motion_base(void)
{
    float heading = flt.psi[0];
    if (heading > 180.0f) heading -= 360.0f;
    call_hook(flt_hooks.TiltrixMove, motion_axis(flt.phi[0]), motion_axis(flt.the[0]), motion_axis(heading));
}

}  // namespace

void serial_mode_change(int old_mode, int new_mode)
{
    if (old_mode == MOTION) call_hook(flt_hooks.TiltrixExit);
    else if (old_mode != 0) SioDone(PORT);
    open_mode = 0;
    short_warned = 0;
    if (new_mode == MOTION) {
        call_hook(flt_hooks.QuilloInit, 1);
        open_mode = MOTION;
        return;
    }
    if (new_mode == 0) return;
    reset_alert(SioReset(PORT, RX_QUEUE, TX_QUEUE));
    baud_alert(SioBaud(PORT, new_mode == 1 ? NMEA_BAUD : PACKET_BAUD));
    SioFlow(PORT, FLOW_HARDWARE);
    if (SioIsOpen(PORT)) open_mode = new_mode;
}

void send_nmea(int rmc)
{
    if (rmc) build_rmc();
    else build_gga();
    // A port that failed to open was reported at set-up; there is nothing to send to.
    if (!SioIsOpen(PORT)) return;
    const int len = (int)std::strlen(nmea_str);
    if (SioPuts(PORT, nmea_str, len) != len) short_write(0);
}

void send_serial_data(int mode)
{
    serial_dat[0] = MARKER;
    switch (mode) {
    case 2: fill_instruments(); serial_out(9); break;
    case MOTION: move_motion_base(); break;
    case 4: fill_position(); serial_out(10); break;
    case 5: fill_dynamics(); serial_out(11); break;
    default: break;
    }
}

void serial_out(int n)
{
    if (n < 1 || n > MAX_FLOATS) return;
    float sum = 0.0f;
    for (int i = 0; i < n; i++) sum += serial_dat[i];
    serial_dat[n] = sum;
    // Little-endian whatever the machine's own order.
    for (int i = 0; i <= n; i++) {
        uint32_t u;
        std::memcpy(&u, &serial_dat[i], 4);
        for (int b = 0; b < 4; b++) packet[4 * i + b] = (unsigned char)(u >> (8 * b));
    }
    if (!SioIsOpen(PORT)) return;
    const int len = 4 * n + 4;
    // A packet that does not go out whole is reported, not fatal: the flight goes on.
    if (SioPuts(PORT, packet, len) != len) short_write(ALERT_NOTICE);
}

void close_serial_output(void)
{
    if (open_mode == MOTION) call_hook(flt_hooks.TiltrixExit);
    if (SioIsOpen(PORT)) SioDone(PORT);
    open_mode = 0;
    short_warned = 0;
}

const char* nmea_sentence(void) { return nmea_str; }

void nmea_set_day(int32_t day)
{
    nmea_day_now = day;
    nmea_have_day = 1;
    zulu_seen = msc.zulu_time;
}

int32_t nmea_day(void) { return nmea_day_now; }
