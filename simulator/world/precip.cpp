// precip.cpp -- rain streaks and snowflakes on the windscreen.
#include "precip.h"

#include "hl_funct.h"
#include "hl_types.h"
#include "scenery.h"
#include "view.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

namespace {

constexpr float FREEZING_F = 32.0f;
constexpr float NEAR_Z = 10.0f, FAR_Z = 100.0f;   // a flake's depth range
constexpr float SCREEN_MID_X = 400.0f;

precip_state g = {};

int forward_view(int v)
{
    return v == VIEW_FORWARD || v == VIEW_DOWN4 || v == VIEW_DOWN8 || v == VIEW_FULL_HUD || v == 522;
}
int left_view(int v) { return v == 504 || v == 506 || v == 508; }
int right_view(int v) { return v == 505 || v == 507 || v == 509; }

// One rain streak step of drop (x, y) for the view; (0, 0) for views with no step of their own.
void rain_step(int view, float x, float y, float s, float fall, float* dx, float* dy)
{
    *dx = 0.0f;
    *dy = 0.0f;
    if (forward_view(view)) {
        *dx = (x - SCREEN_MID_X) * s * 0.01f;
        *dy = (y * 0.005f - 1.0f) * s + fall;
    } else if (view == 516) {
        *dx = (x - SCREEN_MID_X) * s * 0.01f;
        *dy = (2.0f - y * 0.005f) * s + fall;
    } else if (left_view(view)) {
        *dx = -2.0f * s;
        *dy = fall;
    } else if (right_view(view)) {
        *dx = 2.0f * s;
        *dy = fall;
    } else if (view == 511) {
        *dy = -4.0f * s + fall;
    } else if (view == 513 || view == 514 || view == 517 || view == 518 || view == 519) {
        *dy = 0.1f;
    }
}

void rain(int n, float x_lo, float y_lo, float x_hi, float y_hi)
{
    if (intrand(1, 10) == 5) {
        const int old = g.quickdrop;
        g.quickdrop = old > n ? 0 : old + 1;
    }
    const float s = std::sqrt(fltlim(flt.vind - 1.0f, 0.0f, 999.0f)) * msc.prd * 5.0f;
    const float fall = -15.0f * msc.prd;
    glBegin(GL_LINES);
    for (int i = 0; i <= n; i++) {
        const float x = g.x[i], y = g.y[i];
        float dx, dy;
        rain_step(set.view_type, x, y, s, fall, &dx, &dy);
        if (i == g.quickdrop) {
            dy *= 8.0f;
            dx *= 5.0f;
        }
        if (fltbox(x, y, x_lo, y_lo, x_hi, y_hi)) {
            glVertex2f(x, y);
            glVertex2f(x + dx, y + dy);
            g.x[i] = x + dx;
            g.y[i] = y + dy;
            g.drawn++;
        } else {
            g.x[i] = fltrand(x_lo, x_hi);
            g.y[i] = fltrand(y_lo, y_hi);
        }
    }
    glEnd();
}

void snow(int n, float x_lo, float y_lo, float x_hi, float y_hi)
{
    const int view = set.view_type;
    if (view == 511) return;
    const float y_min = static_cast<float>(
        intlim(static_cast<int>(interp(0.0f, y_hi - 1.0f, 20.0f, y_lo, flt.av)), static_cast<int>(y_lo), static_cast<int>(y_hi - 1.0f)));
    // The flakes stream out of the flight path's point, raised with the looking-down views' pitch.
    const float fx = con.cntrx - flt.Beta * 15.0f;
    const float fy = con.cntry - (flt.Alph + view_pitch_offset(view)) * 15.0f;
    const float prd = msc.prd;
    glBegin(GL_POINTS);
    for (int i = 0; i <= n; i++) {
        float x = g.x[i], y = g.y[i], z = g.z[i];
        // A flake never given a depth (or one pushed out of range) is reborn before it moves.
        if (!fltrange(z, NEAR_Z, FAR_Z)) {
            g.y[i] = fltrand(y_min, y_hi);
            g.x[i] = fltrand(x_lo, x_hi);
            g.z[i] = fltrand(NEAR_Z, FAR_Z);
            continue;
        }
        const float fall = prd * -4000.0f / z;
        const float e = (1.0f / z) * flt.av * prd * 2.0f;
        float dx = 0.0f, dy = 0.0f;
        if (forward_view(view) || view == 516 || view == 517 || view == 518) {
            dx = (x - fx) * e;
            dy = (y - fy) * e + fall;
        } else if (left_view(view)) {
            dx = -flt.av * prd * 400.0f / z;
            dy = fall;
        } else if (right_view(view)) {
            dx = flt.av * prd * 400.0f / z;
            dy = fall;
        } else if (view == 513 || view == 514 || view == 519) {
            dy = fall;
        }
        x += dx;
        y += dy;
        z -= flt.av * prd;
        if (!fltrange(z, NEAR_Z, FAR_Z) || !fltbox(x, y, x_lo, y_lo, x_hi, y_hi)) {
            g.y[i] = fltrand(y_min, y_hi);
            g.x[i] = fltrand(x_lo, x_hi);
            g.z[i] = fltrand(NEAR_Z, FAR_Z);
        } else {
            glVertex2f(x, y);
            g.x[i] = x;
            g.y[i] = y;
            g.z[i] = z;
            g.drawn++;
        }
    }
    glEnd();
}

}  // namespace

float precip_rate(float level, float rain_tstm, float base, float tops, float h)
{
    // A layer with no depth has nothing between base and tops to fade through.
    const float c = tops > base ? fltlim(interp(tops, 0.0f, base, 1.0f, h), 0.0f, 1.0f) : (h < tops ? 1.0f : 0.0f);
    return (interp(0.0f, 0.0f, 4.0f, 1.0f, level) + interp(1.0f, 0.0f, 5.0f, 1.0f, rain_tstm)) * c * 0.5f;
}

int precip_count(float rate) { return intlim(static_cast<int>(rate * PRECIP_MAX), 0, PRECIP_MAX - 1); }

void do_window_precip(float x_lo, float y_lo, float x_hi, float y_hi)
{
    atm.prec_rat = precip_rate(atm.level, atm.rain_tstm, atm.baseMSL, atm.topsMSL, con.VIEW_xyz[1]);
    g.drawn = 0;
    const int n = precip_count(atm.prec_rat);
    if (n == 0) return;
    const int is_rain = atm.temp_SL > FREEZING_F;
    const float grey = ogl_brat_ter * (is_rain ? 0.9f : 1.0f);
    glColor3f(grey, grey, grey);
    if (is_rain) rain(n, x_lo, y_lo, x_hi, y_hi);
    else snow(n, x_lo, y_lo, x_hi, y_hi);
}

void no_window_precip(void) { atm.prec_rat = 0.0f; }

const precip_state& precip_last_state(void) { return g; }

void precip_reset(void) { std::memset(&g, 0, sizeof g); }
