// hl_wxr.cpp -- finding and decoding the station reports of "WORLD.RWX", and the storm level of the
// weather grid around the aircraft.
#include "hl_wxr.h"

#include "hl_file.h"
#include "hl_funct.h"
#include "hl_types.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

// ---- the station index --------------------------------------------------------------------------

// The airports a report line can match: in the region, with a runway to measure to. Sorted by the
// four identifier characters, then by airport index, so a line finds its airports by binary search
// and still meets them in table order (the first of equal distances wins, as a plain scan would).
// Rebuilt at every look into the file; static so no look allocates.
static uint32_t s_key[MAX_APT];
static int32_t s_apt[MAX_APT];
static int32_t s_order[MAX_APT];
static int s_count;

// The four identifier characters as one number. An identifier held shorter than four characters
// counts as blank-padded, the way the database lines write it, so "F70" matches "F70 ".
static uint32_t id_key(const char* id)
{
    uint32_t key = 0;
    int ended = 0;
    for (int k = 0; k < 4; k++) {
        ended = ended || id[k] == 0;
        key = (key << 8) | (ended ? static_cast<uint32_t>(' ') : static_cast<unsigned char>(id[k]));
    }
    return key;
}

// An airport counts only with a runway that lies in the runway table: a runway-less airport keeps
// a first-runway index that points at someone else's runway or past the table.
static int has_runway(int a)
{
    int lo = apt_lo_ind[a], hi = apt_hi_ind[a];
    return lo >= 0 && lo <= rwy_wrl_max && lo < MAX_RWY && hi >= lo;
}

static void build_station_index(void)
{
    int last = std::min(apt_wrl_max, MAX_APT - 1);
    int n = 0;
    for (int a = 0; a <= last; a++) {
        if (!apt_inreg[a] || !has_runway(a)) continue;
        s_order[n] = n;
        s_apt[n] = a;
        s_key[n] = id_key(apt_id[a]);
        n++;
    }
    std::sort(s_order, s_order + n, [](int32_t x, int32_t y) {
        return s_key[x] != s_key[y] ? s_key[x] < s_key[y] : s_apt[x] < s_apt[y];
    });
    s_count = n;
}

// First position in s_order whose key is not below key.
static int first_with_key(uint32_t key)
{
    int lo = 0, hi = s_count;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (s_key[s_order[mid]] < key) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

// ---- reading the file ---------------------------------------------------------------------------

// Consumes a line end whose first character c has just been read (LF, CR or CR LF).
static void finish_line_end(int c)
{
    if (c == '\r' && inf1.peek() == '\n') inf1.get();
}

static int is_line_end(int c) { return c == '\n' || c == '\r' || c == std::char_traits<char>::eof(); }

// One line of the report file: its four identifier characters and its report text, cut to
// WXR_TEXT_LEN - 1 characters (the rest of a long line is read and dropped). Returns 0 at the end
// of the file or on a line too short to hold an identifier.
static int read_report_line(char id[4], char* text)
{
    text[0] = 0;
    for (int k = 0; k < 4; k++) {
        int c = inf1.get();
        if (is_line_end(c)) return 0;
        id[k] = static_cast<char>(c);
    }
    int c = inf1.get();  // the separator
    if (is_line_end(c)) {
        finish_line_end(c);
        return 1;
    }
    int len = 0;
    for (;;) {
        c = inf1.get();
        if (is_line_end(c)) break;
        if (len < WXR_TEXT_LEN - 1) text[len++] = static_cast<char>(c);
    }
    text[len] = 0;
    finish_line_end(c);
    return 1;
}

int get_wxr_str(char* text, float* elevation, float lat, float lon)
{
    build_station_index();
    float best = 9999.0f;
    int found = 0;
    char id[4];
    char line[WXR_TEXT_LEN];
    while (inf1.good() && read_report_line(id, line)) {
        uint32_t key = id_key(id);
        for (int k = first_with_key(key); k < s_count && s_key[s_order[k]] == key; k++) {
            int a = s_apt[s_order[k]];
            int r = apt_lo_ind[a];
            float d = std::sqrt((lat - rwy_lat[r]) * (lat - rwy_lat[r]) + (lon - rwy_lon[r]) * (lon - rwy_lon[r]));
            if (d < best) {
                best = d;
                std::memcpy(text, line, std::strlen(line) + 1);
                *elevation = apt_h[a];
                found = 1;
            }
        }
    }
    return found;
}

int wxr_read_line(char id[4], char* text) { return read_report_line(id, text); }

// ---- decoding one report ------------------------------------------------------------------------

namespace {

struct Words {
    char w[WXR_MAX_WORDS][WXR_TEXT_LEN];
    int n;
};

struct Precip {
    const char* word;
    int kind, intensity;
};

const Precip k_precip[] = {
    {"R-", 2, 1},    {"R", 2, 2},     {"R+", 2, 3},    {"RW-", 4, 1},  {"RW", 4, 2},    {"RW+", 4, 3},
    {"S-", 2, 1},    {"S", 2, 2},     {"S+", 2, 3},    {"SW-", 4, 1},  {"SW", 4, 2},    {"SW+", 4, 3},
    {"TRW-", 1, 1},  {"TRW", 1, 2},   {"TRW+", 1, 3},  {"R-F", 3, 1},  {"RF", 3, 2},    {"R+F", 3, 3},
    {"RW-F", 4, 1},  {"RWF", 4, 2},   {"RW+F", 4, 3},  {"TRW-F", 1, 1}, {"TRWF", 1, 2}, {"TRW+F", 1, 3},
};

}  // namespace

// Splits at single blanks (two blanks make an empty word), up to WXR_MAX_WORDS words; the text ends
// at its terminator, a line end, or WXR_TEXT_LEN - 1 characters.
static void split_words(const char* text, Words* ws)
{
    ws->n = 1;
    int len = 0;
    for (int k = 0; k < WXR_TEXT_LEN - 1 && text[k] && text[k] != '\n' && text[k] != '\r'; k++) {
        if (text[k] == ' ') {
            ws->w[ws->n - 1][len] = 0;
            if (ws->n == WXR_MAX_WORDS) return;
            ws->n++;
            len = 0;
        } else {
            ws->w[ws->n - 1][len++] = text[k];
        }
    }
    ws->w[ws->n - 1][len] = 0;
}

static int is_digit(char c) { return c >= '0' && c <= '9'; }
static int digit(char c) { return c - '0'; }

// A whole number: one to nine digits and nothing else.
static int whole_number(const char* s, int* v)
{
    int n = static_cast<int>(std::strlen(s));
    if (n < 1 || n > 9) return 0;
    int r = 0;
    for (int k = 0; k < n; k++) {
        if (!is_digit(s[k])) return 0;
        r = r * 10 + digit(s[k]);
    }
    *v = r;
    return 1;
}

// A three-character fraction: digit, slash, digit, with a non-zero denominator.
static int fraction(const char* s, float* f)
{
    if (std::strlen(s) != 3 || !is_digit(s[0]) || s[1] != '/' || !is_digit(s[2]) || s[2] == '0') return 0;
    *f = static_cast<float>(digit(s[0])) / static_cast<float>(digit(s[2]));
    return 1;
}

static int slash_count(const char* s)
{
    int n = 0;
    for (; *s; s++) n += *s == '/';
    return n;
}

// Time "HHMM" in seconds; only when all four are digits.
static void decode_time(const char* s, float* time)
{
    for (int k = 0; k < 4; k++)
        if (!is_digit(s[k])) return;
    *time = static_cast<float>(digit(s[0]) * 36000 + digit(s[1]) * 3600 + digit(s[2]) * 600 + digit(s[3]) * 60);
}

// Cloud layers: pairs of a height in hundreds of feet and a cover word, from word `first` up to
// the word before the visibility; or the single word "CLR".
static void decode_clouds(const Words& ws, int first, int slash, float elevation, int* cover, float* base, float* top)
{
    *cover = WXR_CLEAR;
    if (std::strcmp(ws.w[first], "CLR") == 0) return;
    int lowest = 0, highest = 0, any = 0;
    for (int i = first; i < slash - 2; i += 2) {
        int h, c = 0;
        if (!whole_number(ws.w[i], &h) || h <= 0) continue;
        if (std::strcmp(ws.w[i + 1], "SCT") == 0) c = WXR_SCATTERED;
        else if (std::strcmp(ws.w[i + 1], "BKN") == 0) c = WXR_BROKEN;
        else if (std::strcmp(ws.w[i + 1], "OVC") == 0) c = WXR_OVERCAST;
        if (!c) continue;
        *cover = c;
        if (!any || h < lowest) lowest = h;
        if (!any || h > highest) highest = h;
        any = 1;
    }
    if (any) {
        *base = static_cast<float>(lowest) * 100.0f * con.fttomtrs + elevation;
        *top = static_cast<float>(highest) * 100.0f * con.fttomtrs + elevation;
    }
}

// Visibility from the words just before the slash group (only words after the time word): a whole
// number of miles, a fraction, or a whole number followed by a fraction.
static void decode_visibility(const Words& ws, int w, int slash, float* visibility)
{
    const float nm = con.nmtomtrs;
    auto word = [&](int k) -> const char* { return k > w && k < ws.n ? ws.w[k] : ""; };
    int n, m;
    float f;
    if (whole_number(word(slash - 1), &n)) *visibility = static_cast<float>(n) * nm;
    if (whole_number(word(slash - 2), &n)) *visibility = static_cast<float>(n) * nm;
    if (fraction(word(slash - 1), &f))
        *visibility = (f + (whole_number(word(slash - 2), &m) ? static_cast<float>(m) : 0.0f)) * nm;
    if (fraction(word(slash - 2), &f))
        *visibility = (f + (whole_number(word(slash - 3), &m) ? static_cast<float>(m) : 0.0f)) * nm;
}

// Temperature, dew point and altimeter from the slash group's parts p0, p1, p3.
static void decode_slash_values(char parts[4][WXR_TEXT_LEN], float* temperature, float* dewpoint, float* altimeter)
{
    int v;
    if (whole_number(parts[0], &v) && v > 0) *temperature = static_cast<float>(v);
    if (whole_number(parts[1], &v) && v > 0) *dewpoint = static_cast<float>(v);
    if (whole_number(parts[3], &v) && v > 0 && std::strlen(parts[3]) >= 3) {
        const char* p = parts[3];
        float a = digit(p[0]) + digit(p[1]) * 0.1f + digit(p[2]) * 0.01f;
        *altimeter = a < 5.0f ? a + 30.0f : a + 20.0f;
    }
}

// Wind "DDSS", "DDSSGgg" or variable "VRSS"; any other form, or a non-digit where a digit belongs,
// leaves the wind as it was.
static void decode_wind(const char* p, float* wind_dir, float* wind_speed, float* gust)
{
    int len = static_cast<int>(std::strlen(p));
    if (len != 4 && len != 7) return;
    int variable = p[0] == 'V' && p[1] == 'R';
    if (!variable && !(is_digit(p[0]) && is_digit(p[1]))) return;
    if (!is_digit(p[2]) || !is_digit(p[3])) return;
    int gusting = len == 7 && p[4] == 'G';
    if (gusting && !(is_digit(p[5]) && is_digit(p[6]))) return;

    float dir = variable ? 10.0f * static_cast<float>(intrand(0, 35))
                         : static_cast<float>(digit(p[0]) * 100 + digit(p[1]) * 10);
    float speed = static_cast<float>(digit(p[2]) * 10 + digit(p[3]));
    *wind_dir = dir < 0.01f ? 360.0f : dir;
    *wind_speed = speed;
    *gust = gusting ? static_cast<float>(digit(p[5]) * 10 + digit(p[6])) - speed : 0.0f;
}

void decode_wxr(const char* text, float elevation, float* time, int* cover, float* base, float* top,
                float* visibility, int* kind, int* intensity, float* temperature, float* dewpoint,
                float* wind_dir, float* wind_speed, float* gust, float* altimeter)
{
    Words ws;
    split_words(text, &ws);
    int any = 0;
    for (int k = 0; k < ws.n && !any; k++) any = ws.w[k][0] != 0;
    if (!any) return;   // blank: no report at all, not a clear sky

    int w = ws.n > 1 && std::strlen(ws.w[1]) == 4 ? 1 : 0;
    int slash = -1;
    for (int k = 0; k < ws.n && slash < 0; k++)
        if (slash_count(ws.w[k]) >= 3) slash = k;
    // Without a slash group the words up to the end take its place before it, and its values are
    // not there to read.
    int end = slash >= 0 ? slash : ws.n;

    if (w) decode_time(ws.w[1], time);
    if (w + 1 < end) decode_clouds(ws, w + 1, end, elevation, cover, base, top);
    decode_visibility(ws, w, end, visibility);

    int n;
    if (end - w - 1 > 3 && !whole_number(ws.w[end - 1], &n)) {
        for (const Precip& p : k_precip) {
            if (std::strcmp(ws.w[end - 1], p.word) != 0) continue;
            *kind = p.kind;
            *intensity = p.intensity;
            float per_step = p.kind == WXR_THUNDERSTORM ? 10000.0f : 1000.0f;
            *top += static_cast<float>(p.intensity) * con.fttomtrs * per_step;
            break;
        }
    }
    if (slash < 0) return;

    // The slash group's parts p0..p3; a group of exactly five parts has a leading part to skip.
    char parts[4][WXR_TEXT_LEN] = {};
    const char* g = ws.w[slash];
    int part = slash_count(g) == 4 ? -1 : 0;
    int len = 0;
    for (; *g && part < 4; g++) {
        if (*g == '/') {
            part++;
            len = 0;
        } else if (part >= 0) {
            parts[part][len++] = *g;
        }
    }
    decode_slash_values(parts, temperature, dewpoint, altimeter);
    decode_wind(parts[2], wind_dir, wind_speed, gust);
}

// ---- the storm level around the aircraft --------------------------------------------------------

// A scaled position as a grid index: NaN and anything below 0 give 0, anything beyond give last.
static int grid_index(float f, int last)
{
    if (!(f >= 0.0f)) return 0;
    if (f >= static_cast<float>(last)) return last;
    return static_cast<int>(f);
}

void wxr_cell(float x, float z, float lox, float hix, float loz, float hiz, int* i, int* j)
{
    float fi = hix != lox ? (x - lox) / (hix - lox) * static_cast<float>(WXR_GRID_NI - 1) : 0.0f;
    float fj = hiz != loz ? (z - loz) / (hiz - loz) * static_cast<float>(WXR_GRID_NJ - 1) : 0.0f;
    *i = grid_index(fi, WXR_GRID_NI - 1);
    *j = grid_index(fj, WXR_GRID_NJ - 1);
}

float wxr_window_level(const float grid[WXR_GRID_NI][WXR_GRID_NJ], int i, int j, float rain_tstm)
{
    i = std::clamp(i, 0, WXR_GRID_NI - 1);
    j = std::clamp(j, 0, WXR_GRID_NJ - 1);
    float sum = 0.0f;
    for (int di = -2; di <= 2; di++) {
        int ii = std::clamp(i + di, 0, WXR_GRID_NI - 1);
        for (int dj = -2; dj <= 2; dj++) {
            int jj = std::clamp(j + dj, 0, WXR_GRID_NJ - 1);
            sum += (rain_tstm - 1.0f) * grid[ii][jj] / 25.0f;
        }
    }
    return sum;
}
