// relief.cpp -- the land of the default region, drawn from public geography: where the coast runs,
// where the ranges stand and how high, and how high the valley floors lie. Between those facts the
// land is filled with a seeded fractal, so every run gives the same squares.
#include "relief.h"

#include "hl_dbline.h"
#include "hl_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double DEG = PI / 180.0;
constexpr double KM_PER_DEG = 111.12;     // sixty nautical miles
constexpr double NOISE_COS = 0.8290;      // cos 34 degrees: one east-west scale for the whole region

struct LonLat {
    double lon, lat;
};

// The mainland coast from Point Mugu to Del Mar, west to east and south, then closed through the
// open sea: everything inside is ocean.
const LonLat SEA[] = {
    {-119.20, 34.150}, {-119.06, 34.090}, {-118.99, 34.065}, {-118.93, 34.045}, {-118.86, 34.025},
    {-118.806, 34.001}, {-118.78, 34.020}, {-118.72, 34.030}, {-118.68, 34.030}, {-118.60, 34.038},
    {-118.54, 34.035}, {-118.50, 34.010}, {-118.478, 33.985}, {-118.455, 33.960}, {-118.440, 33.920},
    {-118.420, 33.885}, {-118.403, 33.855}, {-118.395, 33.835}, {-118.405, 33.805}, {-118.425, 33.780},
    {-118.412, 33.741}, {-118.370, 33.735}, {-118.330, 33.715}, {-118.293, 33.706}, {-118.270, 33.720},
    {-118.240, 33.740}, {-118.190, 33.760}, {-118.130, 33.755}, {-118.100, 33.740}, {-118.070, 33.720},
    {-118.005, 33.655}, {-117.930, 33.607}, {-117.870, 33.590}, {-117.830, 33.570}, {-117.785, 33.540},
    {-117.750, 33.510}, {-117.710, 33.462}, {-117.670, 33.458}, {-117.620, 33.420}, {-117.560, 33.370},
    {-117.490, 33.300}, {-117.440, 33.250}, {-117.385, 33.195}, {-117.350, 33.160}, {-117.320, 33.090},
    {-117.300, 33.040}, {-117.280, 33.000}, {-117.270, 32.900},
    {-119.20, 32.900},
};
constexpr int SEA_N = sizeof SEA / sizeof SEA[0];
constexpr int COAST_N = SEA_N - 1;   // the last point closes the polygon through the open sea

// Santa Catalina Island.
const LonLat CATALINA[] = {
    {-118.605, 33.478}, {-118.560, 33.470}, {-118.520, 33.455}, {-118.497, 33.447}, {-118.450, 33.435},
    {-118.400, 33.418}, {-118.350, 33.392}, {-118.325, 33.352}, {-118.302, 33.340}, {-118.296, 33.305},
    {-118.340, 33.298}, {-118.390, 33.310}, {-118.440, 33.335}, {-118.475, 33.375}, {-118.500, 33.420},
    {-118.530, 33.425}, {-118.580, 33.445}, {-118.608, 33.465},
};
constexpr int CATALINA_N = sizeof CATALINA / sizeof CATALINA[0];

// Lakes: centre, semi-axes east-west and north-south (km), surface (m).
struct Lake {
    double lon, lat, ax, az, level;
};
const Lake LAKES[] = {
    {-116.930, 34.243, 6.0, 1.2, 2058},   // Big Bear Lake
    {-117.190, 34.268, 1.6, 1.0, 1560},   // Lake Arrowhead
    {-117.320, 34.292, 1.8, 1.2, 1030},   // Silverwood Lake
    {-117.360, 33.665, 3.2, 2.0, 380},    // Lake Elsinore
    {-117.175, 33.860, 2.2, 1.4, 480},    // Lake Perris
    {-117.050, 33.690, 3.5, 1.2, 530},    // Diamond Valley Lake
    {-117.450, 33.830, 1.8, 1.2, 425},    // Lake Mathews
    {-118.610, 34.530, 2.2, 1.5, 460},    // Castaic Lake
    {-118.770, 34.660, 2.0, 1.3, 780},    // Pyramid Lake
};

// Mountain ridges: crest line points with the crest height (m) and the half-width (km) at each.
struct RidgePoint {
    double lon, lat, crest, half;
};
struct Ridge {
    const RidgePoint* p;
    int n;
};
#define RIDGE(name, ...) const RidgePoint name[] = {__VA_ARGS__};
RIDGE(SANTA_MONICA, {-119.05, 34.13, 500, 7}, {-118.93, 34.12, 900, 8}, {-118.80, 34.09, 750, 8},
      {-118.65, 34.10, 650, 7}, {-118.50, 34.11, 550, 6}, {-118.35, 34.12, 450, 5}, {-118.29, 34.13, 320, 3})
RIDGE(SANTA_SUSANA, {-118.85, 34.25, 500, 6}, {-118.70, 34.27, 700, 6}, {-118.55, 34.33, 1000, 7},
      {-118.45, 34.34, 900, 5})
RIDGE(SAN_GABRIEL, {-118.45, 34.36, 900, 8}, {-118.30, 34.33, 1500, 10}, {-118.15, 34.30, 1800, 11},
      {-118.00, 34.33, 2200, 12}, {-117.85, 34.36, 2600, 12}, {-117.76, 34.36, 2860, 11},
      {-117.646, 34.289, 3060, 10}, {-117.52, 34.27, 2000, 8}, {-117.45, 34.29, 1300, 6})
RIDGE(VERDUGO, {-118.33, 34.21, 800, 4}, {-118.22, 34.19, 900, 4})
RIDGE(SAN_BERNARDINO, {-117.40, 34.33, 1400, 8}, {-117.25, 34.27, 1700, 10}, {-117.05, 34.22, 2400, 12},
      {-116.90, 34.16, 2900, 12}, {-116.825, 34.10, 3500, 10}, {-116.68, 34.13, 2800, 11},
      {-116.50, 34.17, 1900, 12}, {-116.30, 34.20, 1400, 10}, {-116.05, 34.18, 1200, 8})
RIDGE(BIG_BEAR, {-117.10, 34.28, 2100, 9}, {-116.80, 34.27, 2150, 9})
RIDGE(SAN_JACINTO, {-116.75, 33.88, 1200, 6}, {-116.679, 33.815, 3300, 9}, {-116.60, 33.70, 2400, 10},
      {-116.48, 33.58, 2300, 10}, {-116.42, 33.52, 2600, 9}, {-116.30, 33.43, 1600, 9}, {-116.15, 33.30, 900, 8})
RIDGE(SANTA_ANA, {-117.80, 33.92, 500, 5}, {-117.68, 33.85, 900, 7}, {-117.60, 33.78, 1300, 8},
      {-117.534, 33.711, 1730, 9}, {-117.45, 33.60, 1200, 9}, {-117.38, 33.50, 950, 8}, {-117.30, 33.40, 700, 7})
RIDGE(PUENTE, {-118.05, 33.99, 350, 4}, {-117.85, 33.95, 450, 4})
RIDGE(PALOS_VERDES, {-118.39, 33.77, 420, 4}, {-118.34, 33.755, 400, 3})
RIDGE(SAN_JOAQUIN, {-117.85, 33.62, 330, 4}, {-117.75, 33.58, 300, 4})
RIDGE(CATALINA_RIDGE, {-118.60, 33.47, 300, 2.5}, {-118.50, 33.44, 350, 2}, {-118.42, 33.39, 600, 3.2},
      {-118.33, 33.33, 350, 2.5})
RIDGE(PALOMAR, {-117.10, 33.50, 800, 8}, {-116.95, 33.38, 1500, 9}, {-116.86, 33.35, 1850, 8},
      {-116.70, 33.32, 1500, 9}, {-116.58, 33.31, 1950, 8}, {-116.45, 33.20, 1400, 9}, {-116.40, 33.05, 1300, 9})
RIDGE(VOLCAN, {-116.75, 33.10, 1500, 9}, {-116.60, 33.00, 1700, 9})
RIDGE(TEHACHAPI, {-119.00, 34.85, 2000, 14}, {-118.80, 34.88, 2000, 12}, {-118.55, 34.98, 1700, 10},
      {-118.40, 35.05, 1800, 10})
RIDGE(TOPATOPA, {-119.00, 34.50, 1900, 14}, {-118.80, 34.55, 1700, 12}, {-118.60, 34.60, 1500, 10},
      {-118.40, 34.58, 1500, 9}, {-118.20, 34.52, 1400, 8})
RIDGE(LITTLE_SB, {-116.50, 33.98, 1200, 8}, {-116.30, 33.90, 1500, 9}, {-116.10, 33.80, 1200, 9},
      {-115.95, 33.70, 1000, 8})
RIDGE(ORD, {-116.85, 34.68, 1700, 6}, {-116.70, 34.62, 1500, 6})
RIDGE(CALICO, {-116.90, 34.95, 1100, 6}, {-116.75, 34.97, 1200, 5})
RIDGE(RODMAN, {-116.55, 34.55, 1500, 7}, {-116.40, 34.52, 1300, 6})
RIDGE(BULLION, {-116.25, 34.60, 1200, 9}, {-116.10, 34.45, 1250, 8})
RIDGE(SHADOW, {-117.50, 34.78, 1100, 5}, {-117.40, 34.72, 1000, 4})
RIDGE(BOX_SPRINGS, {-117.30, 33.99, 800, 4}, {-117.25, 33.95, 900, 4})
#undef RIDGE
#define R(name) {name, static_cast<int>(sizeof name / sizeof name[0])}
const Ridge RIDGES[] = {R(SANTA_MONICA), R(SANTA_SUSANA), R(SAN_GABRIEL), R(VERDUGO), R(SAN_BERNARDINO),
                        R(BIG_BEAR), R(SAN_JACINTO), R(SANTA_ANA), R(PUENTE), R(PALOS_VERDES),
                        R(SAN_JOAQUIN), R(CATALINA_RIDGE), R(PALOMAR), R(VOLCAN), R(TEHACHAPI),
                        R(TOPATOPA), R(LITTLE_SB), R(ORD), R(CALICO), R(RODMAN), R(BULLION),
                        R(SHADOW), R(BOX_SPRINGS)};
#undef R

// Valley and plain floors (m) between the airports, whose elevations count as floors too.
struct Floor {
    double lon, lat, h;
};
const Floor FLOORS[] = {
    {-118.24, 34.05, 90},   {-118.15, 33.95, 40},   {-118.00, 33.85, 20},   {-117.90, 33.75, 30},
    {-117.85, 33.85, 80},   {-118.45, 34.20, 250},  {-118.55, 34.23, 290},  {-118.05, 34.08, 100},
    {-117.90, 34.10, 200},  {-118.54, 34.41, 370},  {-118.14, 34.69, 720},  {-117.90, 34.75, 760},
    {-118.40, 34.80, 760},  {-117.70, 34.60, 900},  {-117.40, 34.90, 700},  {-117.20, 34.55, 900},
    {-117.00, 34.45, 900},  {-116.80, 34.85, 600},  {-116.40, 34.85, 650},  {-116.30, 34.40, 850},
    {-116.00, 34.55, 600},  {-116.00, 34.95, 500},  {-116.43, 34.12, 1000}, {-116.20, 34.13, 800},
    {-116.20, 33.72, 0},    {-116.10, 33.55, -40},  {-116.00, 33.45, -60},  {-116.40, 33.85, 150},
    {-116.37, 33.25, 180},  {-116.13, 33.15, 50},   {-116.00, 33.25, 0},    {-116.10, 33.05, 100},
    {-117.40, 34.05, 280},  {-117.60, 34.00, 220},  {-117.20, 33.80, 440},  {-117.00, 33.75, 480},
    {-117.15, 33.50, 330},  {-117.00, 33.55, 450},  {-117.10, 33.12, 200},  {-117.25, 33.25, 100},
    {-116.90, 33.05, 400},  {-116.70, 33.45, 1000}, {-116.85, 33.55, 700},  {-119.00, 34.18, 20},
    {-118.95, 34.38, 180},  {-118.75, 34.40, 250},  {-116.95, 33.72, 480},  {-118.70, 34.75, 900},
    {-119.00, 34.70, 1100}, {-118.60, 34.95, 900},  {-117.45, 34.30, 1150}, {-116.05, 34.25, 700},
};

// ---- geometry ---------------------------------------------------------------------------------

// East and north distances (km) from b to a.
void offset_km(double lat_a, double lon_a, double lat_b, double lon_b, double* e, double* n)
{
    *e = (lon_a - lon_b) * KM_PER_DEG * std::cos(0.5 * (lat_a + lat_b) * DEG);
    *n = (lat_a - lat_b) * KM_PER_DEG;
}

int inside_polygon(const LonLat* poly, int n, double lat, double lon)
{
    int in = 0;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const LonLat& a = poly[i];
        const LonLat& b = poly[j];
        if ((a.lat > lat) != (b.lat > lat)) {
            double x = a.lon + (lat - a.lat) / (b.lat - a.lat) * (b.lon - a.lon);
            if (lon < x) in = !in;
        }
    }
    return in;
}

// Distance (km) from p to segment ab, and the fraction along it of the nearest point.
double segment_km(double lat, double lon, double alat, double alon, double blat, double blon, double* frac)
{
    double px, pz, bx, bz;
    offset_km(lat, lon, alat, alon, &px, &pz);
    offset_km(blat, blon, alat, alon, &bx, &bz);
    double len2 = bx * bx + bz * bz;
    double t = len2 > 0 ? (px * bx + pz * bz) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    *frac = t;
    return std::hypot(px - t * bx, pz - t * bz);
}

double smoothstep(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// ---- seeded value noise -------------------------------------------------------------------------

uint32_t mix(uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

// -1..1 at a lattice point.
double lattice(int32_t ix, int32_t iy, uint32_t seed)
{
    uint32_t h = mix(static_cast<uint32_t>(ix) * 0x9E3779B1U ^ mix(static_cast<uint32_t>(iy) + seed * 0x85EBCA77U));
    return static_cast<double>(h) / 2147483647.5 - 1.0;
}

double value_noise(double x, double y, uint32_t seed)
{
    double fx = std::floor(x), fy = std::floor(y);
    int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    double tx = smoothstep(x - fx), ty = smoothstep(y - fy);
    double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Fractal sum from 48 km waves down to 1.5 km ones, about -1..1.
double fbm(double x_km, double y_km, uint32_t seed)
{
    double sum = 0.0, amp = 0.5, wave = 48.0;
    for (int k = 0; k < 6; k++) {
        sum += amp * value_noise(x_km / wave, y_km / wave, seed + 101U * static_cast<uint32_t>(k));
        amp *= 0.5;
        wave *= 0.5;
    }
    return sum / 0.984375;
}

// ---- the land -----------------------------------------------------------------------------------

// Inverse-distance blend of the valley floors and the airports' elevations.
double floor_height(const sc_world& w, double lat, double lon)
{
    double sw = 0.0, sh = 0.0;
    auto add = [&](double flat, double flon, double h) {
        double e, n;
        offset_km(lat, lon, flat, flon, &e, &n);
        double d2 = e * e + n * n + 4.0;   // a 2 km floor keeps the blend smooth at each point
        double wt = 1.0 / (d2 * d2);
        sw += wt;
        sh += wt * h;
    };
    for (const Floor& f : FLOORS) add(f.lat, f.lon, f.h);
    for (int k = 0; k < COAST_N; k++) add(SEA[k].lat, SEA[k].lon, 2.0);
    for (const sc_airport& a : w.apts)
        if (!a.rwy.empty()) add(a.rwy[0].lat, a.rwy[0].lon, a.elev);
    return sw > 0 ? sh / sw : 0.0;
}

// The highest ridge profile over the floor h0: the crest height fading to the floor across the
// ridge's half-width and on into its foothills. The crest lines wander a few kilometres with the
// seed so that the ranges are not drawn with a ruler.
double ridge_height(const sc_world& w, double lat, double lon, double h0, double* relief)
{
    const double x = lon * KM_PER_DEG * NOISE_COS, y = lat * KM_PER_DEG;
    const double wlat = lat + 3.0 * fbm(x, y, w.seed + 31U) / KM_PER_DEG;
    const double wlon = lon + 3.0 * fbm(x, y, w.seed + 57U) / (KM_PER_DEG * NOISE_COS);
    double best = h0;
    for (const Ridge& r : RIDGES) {
        for (int k = 0; k + 1 < r.n; k++) {
            const RidgePoint& a = r.p[k];
            const RidgePoint& b = r.p[k + 1];
            double t;
            double d = segment_km(wlat, wlon, a.lat, a.lon, b.lat, b.lon, &t);
            double half = 1.3 * (a.half + (b.half - a.half) * t);
            if (d >= 1.8 * half) continue;
            double crest = a.crest + (b.crest - a.crest) * t;
            double u = d / half;
            double h = h0 + (crest - h0) * std::exp(-2.5 * u * u);
            if (h > best) best = h;
        }
    }
    *relief = best - h0;
    return best;
}

double runway_outside_km(const sc_runway& r, double lat, double lon, double margin_km)
{
    double e, n;
    offset_km(lat, lon, r.lat, r.lon, &e, &n);
    double s = std::sin(r.hdg * DEG), c = std::cos(r.hdg * DEG);
    double along = std::fabs(e * s + n * c);
    double across = std::fabs(e * c - n * s);
    double a = 0.0005 * r.len + margin_km;
    double b = std::max(0.0045 * r.wid, 0.15) + margin_km;   // room for taxiways and apron
    return std::hypot(std::max(0.0, along - a), std::max(0.0, across - b));
}

}  // namespace

int sc_load_airports(const char* path, sc_world* w)
{
    w->apts.clear();
    if (!inf_open(path, DB_FILE_TYPE, DB_VERSION, 0)) {
        std::fprintf(stderr, "gen_scenery: cannot read the airports of %s\n", path);
        return 0;
    }
    for (;;) {
        int code = intscan("apt.dat code");
        if (code == DB_CODE_END || !inf1.good()) break;
        if (code == DB_CODE_AIRPORT) {
            float elev;
            int twr, bld;
            char id[DB_ID_LEN], name[DB_NAME_LEN];
            fio_apt_line(&elev, &twr, &bld, id, name, 1);
            sc_airport a;
            std::snprintf(a.id, sizeof a.id, "%s", id);
            a.elev = elev * 0.3048;
            w->apts.push_back(a);
        } else if (code == DB_CODE_RUNWAY) {
            float lat, lon;
            int num, hdg, len, wid, lite;
            char letter;
            fio_rwy_line(&lat, &lon, &num, &letter, &hdg, &len, &wid, &lite, 1);
            if (w->apts.empty()) continue;
            w->apts.back().rwy.push_back({lat, lon, static_cast<double>(hdg), len * 0.3048, wid * 0.3048});
        } else {
            rln("apt.dat other line");
        }
    }
    inf1.close();
    return w->apts.empty() ? 0 : 1;
}

int sc_is_sea(double lat, double lon)
{
    if (!inside_polygon(SEA, SEA_N, lat, lon)) return 0;
    return inside_polygon(CATALINA, CATALINA_N, lat, lon) ? 0 : 1;
}

int sc_is_lake(double lat, double lon, double* level)
{
    for (const Lake& l : LAKES) {
        double e, n;
        offset_km(lat, lon, l.lat, l.lon, &e, &n);
        if ((e / l.ax) * (e / l.ax) + (n / l.az) * (n / l.az) <= 1.0) {
            *level = l.level;
            return 1;
        }
    }
    return 0;
}

double sc_coast_km(double lat, double lon)
{
    double best = 1e9;
    for (int k = 0; k + 1 < COAST_N; k++) {
        double t;
        best = std::min(best, segment_km(lat, lon, SEA[k].lat, SEA[k].lon, SEA[k + 1].lat, SEA[k + 1].lon, &t));
    }
    return best;
}

double sc_natural_height(const sc_world& w, double lat, double lon)
{
    const double h0 = floor_height(w, lat, lon);
    double relief;
    double h = ridge_height(w, lat, lon, h0, &relief);

    // Roughness: gentle on the floors, strong in the ranges, where ridged noise cuts spurs and
    // ravines into the slopes.
    const double x = lon * KM_PER_DEG * NOISE_COS, y = lat * KM_PER_DEG;
    const double n = fbm(x, y, w.seed);
    h += (12.0 + 0.10 * std::fabs(h0)) * n;
    if (relief > 0) {
        double ravine = 1.0 - 2.0 * std::fabs(fbm(x * 2.0, y * 2.0, w.seed + 7919U));
        double spur = fbm(x * 4.0, y * 4.0, w.seed + 104729U);
        h += relief * (0.18 * n + 0.15 * ravine + 0.08 * spur);
    }

    // Land close to the sea stays above it; the desert basins below sea level lie far inland.
    const double coast = sc_coast_km(lat, lon);
    if (coast < 6.0) h = std::max(h, 1.0 + coast * 2.0);
    return h;
}

double sc_height(const sc_world& w, double lat, double lon)
{
    const double natural = sc_natural_height(w, lat, lon);
    // The airport whose runway lies nearest: inside its flat core the ground is its elevation,
    // over the next 3 km it blends into the natural land.
    constexpr double CORE_KM = 2.2, BLEND_KM = 3.0;
    double best_out = 1e9, best_rwy = 1e9, elev = 0.0;
    for (const sc_airport& a : w.apts) {
        for (const sc_runway& r : a.rwy) {
            double out = runway_outside_km(r, lat, lon, CORE_KM);
            if (out > BLEND_KM) continue;
            double on = runway_outside_km(r, lat, lon, 0.0);
            if (out < best_out || (out == best_out && on < best_rwy)) {
                best_out = out;
                best_rwy = on;
                elev = a.elev;
            }
        }
    }
    if (best_out > BLEND_KM) return natural;
    double f = smoothstep(best_out / BLEND_KM);
    return elev + (natural - elev) * f;
}

int sc_cell_has_runway(const sc_world& w, double lat0, double lon0, double lat1, double lon1)
{
    const double clat = 0.5 * (lat0 + lat1), clon = 0.5 * (lon0 + lon1);
    for (const sc_airport& a : w.apts) {
        for (const sc_runway& r : a.rwy) {
            double e, n;
            offset_km(clat, clon, r.lat, r.lon, &e, &n);
            if (std::hypot(e, n) > 0.0005 * r.len + 4.0) continue;
            // Sample the cell: any sample on the runway (with 200 m to spare) counts.
            for (int a_ = 0; a_ <= 6; a_++) {
                for (int b = 0; b <= 6; b++) {
                    double lat = lat0 + (lat1 - lat0) * a_ / 6.0;
                    double lon = lon0 + (lon1 - lon0) * b / 6.0;
                    if (runway_outside_km(r, lat, lon, 0.2) == 0.0) return 1;
                }
            }
        }
    }
    return 0;
}
