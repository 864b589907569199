// hl_design.cpp -- design rules shared by the aircraft designer and the aircraft generator.
#include "hl_design.h"

#include <cmath>
#include <cstring>
#include <string_view>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double FT_PER_KT = 1.68781;   // feet per second in one knot

constexpr const char* k_foil_fields[] = {"Rafl0", "Rafl1", "Tafl0", "Tafl1", "els", "Yarm", "Zarm", "Croot",
                                         "Ctip", "semilen", "sweep1", "sweep2", "varsweepEQ", "dihed", "anginc",
                                         "ailn", "splr", "flap", "slat", "sbrk", "drud", "elev", "rudd"};
constexpr const char* k_body_fields[] = {"body_X", "body_Y", "body_Z", "body_r"};

// Where a per-part field's row p starts and how long it is, from the record's own field list.
struct part_row {
    int32_t offset, bytes;
};

constexpr part_row row_of(std::string_view name)
{
    for (const pln_field& f : pln_fields)
        if (name == f.name) return {f.offset, f.bytes / 28};
    return {-1, 0};
}

template <size_t N>
constexpr bool all_rows(const char* const (&names)[N])
{
    for (const char* n : names)
        if (row_of(n).offset < 0) return false;
    return true;
}
static_assert(all_rows(k_foil_fields) && all_rows(k_body_fields), "a copied field is not a per-part field");

void copy_rows(planestruct* pl, const char* const* names, int n, int src, int dst)
{
    unsigned char* b = reinterpret_cast<unsigned char*>(pl);
    for (int i = 0; i < n; i++) {
        const part_row r = row_of(names[i]);
        std::memmove(b + r.offset + dst * r.bytes, b + r.offset + src * r.bytes, static_cast<size_t>(r.bytes));
    }
}

}  // namespace

const char* default_foil(int p)
{
    if (p >= 0 && p <= 3) return FOIL_PROPELLER;
    if (p >= 4 && p <= 9) return FOIL_WING;
    if (p >= 10 && p <= 17) return FOIL_TAIL;
    return nullptr;
}

int copy_foil_fields(const char* const** names)
{
    *names = k_foil_fields;
    return static_cast<int>(std::size(k_foil_fields));
}

void copy_foil(planestruct* pl, int src, int dst)
{
    if (src < 0 || src > 17 || dst < 0 || dst > 17 || src == dst) return;
    // The pylons hang at their own engines: copies of pylon 14 keep their own arms.
    const float keep[3] = {pl->Xarm[dst], pl->Yarm[dst], pl->Zarm[dst]};
    copy_rows(pl, k_foil_fields, static_cast<int>(std::size(k_foil_fields)), src, dst);
    if (src == 14) {
        pl->Xarm[dst] = keep[0];
        pl->Yarm[dst] = keep[1];
        pl->Zarm[dst] = keep[2];
    } else {
        // 0 - x rather than -x: a root on the centre line stays +0, not -0.
        pl->Xarm[dst] = 0.0f - pl->Xarm[src];
    }
}

int copy_body_fields(const char* const** names)
{
    *names = k_body_fields;
    return static_cast<int>(std::size(k_body_fields));
}

void copy_body(planestruct* pl, int src, int dst)
{
    if (src < 18 || src > 27 || dst < 18 || dst > 27 || src == dst) return;
    copy_rows(pl, k_body_fields, static_cast<int>(std::size(k_body_fields)), src, dst);
}

void elliptic_section(float* x, float* y, float* z, int n, double at_z, double hw, double top, double bottom)
{
    const double yc = 0.5 * (top + bottom), hh = 0.5 * (top - bottom);
    for (int k = 0; k < n; k++) {
        const double a = 2.0 * PI * k / n;
        const double sx = hw * std::sin(a);
        // The top and bottom points lie exactly on the centre line.
        x[k] = static_cast<float>(std::fabs(sx) < 1e-9 ? 0.0 : sx);
        y[k] = static_cast<float>(yc + hh * std::cos(a));
        z[k] = static_cast<float>(at_z);
    }
}

int prop_design_angles(float radius_ft, int els, float vel_kt, float rpm, float angles[8], float* adv)
{
    if (els < 1 || els > 8 || !(vel_kt > 0.0f) || !(rpm > 0.0f) || !(radius_ft > 0.0f)) return 0;
    const double v = vel_kt * FT_PER_KT;
    const double omega = rpm * 2.0 * PI / 60.0;
    for (int e = 0; e < els; e++) {
        const double r = (e + 0.5) / els * radius_ft;
        angles[e] = static_cast<float>(std::atan(v / (omega * r)) * 180.0 / PI);
    }
    *adv = static_cast<float>(v / (rpm / 60.0 * 2.0 * radius_ft));
    return 1;
}

float prop_speed_of_pitch(float pitch_in, float rpm)
{
    return static_cast<float>(pitch_in / 12.0 * rpm / 60.0 / FT_PER_KT);
}

float prop_pitch_of_speed(float vel_kt, float rpm)
{
    return rpm > 0.0f ? static_cast<float>(vel_kt * FT_PER_KT * 60.0 / rpm * 12.0) : 0.0f;
}
