// lso.cpp -- the landing signal officer's calls: the ball, glide path, speed and line-up.
#include "lso.h"

#include <cmath>

#include "do_speech.h"
#include "hl_funct.h"
#include "hl_types.h"

namespace {

// degrees true, the deck's landing course
constexpr float LANDING_COURSE = 352.0f;

// "Call the ball." has been said on this approach.
int g_ball_called = 0;

// The call for an approach in the window (nothing when all is in tolerance). d in nm, g the glide
// angle, e the line-up error, both degrees; alpha the angle of attack.
const char* lso_call(float d, float g, float e, float alpha)
{
    bool fast = alpha < 6.0f, slow = alpha > 12.0f;
    bool high = g > 5.0f, low = g < 1.0f;
    bool right = e > 3.0f, left = e < -3.0f;
    if (d < 0.5f) {
        if (high || low) return "Wave Off!";
        if (fast || slow) return "Attitude!";
        return nullptr;
    }
    if (high && fast) return "Power Off";
    if (high && slow) return "Power On";
    if (low) return "Power";   // low and fast, low and slow, or just low
    if (high) return "Power Off";
    if (fast) return "Power Off";
    if (slow) return "Power";
    if (right) return "Right for lineup";
    if (left) return "Come left";
    return nullptr;
}

}  // namespace

void LSO_respond(void)
{
    if (flt.onground) return;
    if (atc.card_time <= 0.0f || msc.elap_time - atc.card_time > 1.0f || msc.elap_time < atc.card_time) return;

    float x = atc.cardxyz[0], y = atc.cardxyz[1], z = atc.cardxyz[2];
    float d_m = pythag(x, z);
    float d = d_m * con.mtrstonm;
    float b = std::atan2(-x, z) * con.radtodeg;
    float g = std::atan2(y, d_m) * con.radtodeg;
    float e = std::remainder(b - LANDING_COURSE, 360.0f);   // wrapped into -180..180
    float h = std::remainder(flt.psi[0] - LANDING_COURSE, 360.0f);

    if (d >= 5.0f || std::fabs(e) >= 10.0f) return;
    if (std::fabs(h) >= 10.0f) {
        g_ball_called = 0;
        return;
    }
    if (!g_ball_called) {
        g_ball_called = 1;
        speakstring("Call the ball.");
        return;
    }
    if (const char* call = lso_call(d, g, e, flt.Alph)) speakstring(call);
}

void reset_lso(void)
{
    g_ball_called = 0;
}
