// lso_test.cpp -- the landing signal officer: the ball called first on each approach, the call for
// each deviation of glide path, speed and line-up, the window he watches, and silence on deck or
// without a fresh view of the carrier.
#include "atc_world.h"

namespace {

class SignalOfficer : public AtcWorld {
protected:
    // The aircraft d nm from the deck's landing reference on the approach course (352 degrees, so
    // coming from 172), `lineup` degrees right of it, on a glide angle g, heading 352 + hdg_off at
    // angle of attack alpha; the carrier drawn this very moment.
    static void approach(float d, float g, float lineup, float hdg_off, float alpha)
    {
        const float rad = 3.14159265f / 180.0f;
        float dm = d * con.nmtomtrs;
        float from = (172.0f + lineup) * rad;   // direction from the deck to the aircraft
        atc.cardxyz[0] = dm * std::sin(from);
        atc.cardxyz[2] = -dm * std::cos(from);
        atc.cardxyz[1] = dm * std::tan(g * rad);
        flt.psi[0] = std::fmod(352.0f + hdg_off + 360.0f, 360.0f);
        flt.Alph = alpha;
        flt.onground = 0;
        atc.card_time = msc.elap_time;
    }
    static std::string call()
    {
        hush();
        LSO_respond();
        msc.elap_time += 4.0f;
        atc.card_time = msc.elap_time;
        return said();
    }
};

TEST_F(SignalOfficer, FirstCallsTheBallThenCoachesOnlyWhenOutOfTolerance)
{
    approach(4.9f, 3, 0, 0, 8);
    EXPECT_EQ(call(), "Call the ball.");
    for (int k = 0; k < 5; k++) EXPECT_EQ(call(), "") << k;
}

TEST_F(SignalOfficer, CallsForEachDeviation)
{
    struct Row {
        const char* what;
        float d, g, lineup, alpha;
        const char* call;
    } rows[] = {
        {"close in and low", 0.4f, 0.5f, 0, 8, "Wave Off!"},
        {"close in and high", 0.4f, 6, 0, 8, "Wave Off!"},
        {"close in and fast", 0.4f, 3, 0, 5, "Attitude!"},
        {"close in and slow", 0.4f, 3, 0, 13, "Attitude!"},
        {"close in, off line-up only", 0.4f, 3, 5, 8, ""},
        {"high and fast", 2, 6, 0, 4, "Power Off"},
        {"high and slow", 2, 6, 0, 13, "Power On"},
        {"low and fast", 2, 0.5f, 0, 4, "Power"},
        {"low and slow", 2, 0.5f, 0, 13, "Power"},
        {"high", 2, 6, 0, 8, "Power Off"},
        {"low", 2, 0.5f, 0, 8, "Power"},
        {"fast", 2, 3, 0, 5, "Power Off"},
        {"slow", 2, 3, 0, 13, "Power"},
        {"right of the line-up", 2, 3, 4, 8, "Right for lineup"},
        {"left of the line-up", 2, 3, -4, 8, "Come left"},
        {"in tolerance", 2, 3, 2, 8, ""},
    };
    for (const Row& r : rows) {
        reset_lso();
        approach(r.d, r.g, r.lineup, 0, r.alpha);
        ASSERT_EQ(call(), "Call the ball.") << r.what;
        approach(r.d, r.g, r.lineup, 0, r.alpha);
        EXPECT_EQ(call(), r.call) << r.what;
    }
}

TEST_F(SignalOfficer, WindowAndHeadingRearmTheBall)
{
    approach(3, 3, 0, 0, 8);
    EXPECT_EQ(call(), "Call the ball.");
    // Out of the window (too far, or 10 degrees off the course line): silence, the ball stays called.
    approach(5.1f, 3, 0, 0, 4);
    EXPECT_EQ(call(), "");
    approach(3, 3, 11, 0, 4);
    EXPECT_EQ(call(), "");
    approach(3, 3, 0, 0, 4);
    EXPECT_EQ(call(), "Power Off");
    // Turned 10 degrees off the landing course: silence, and the next approach starts with the ball.
    approach(3, 3, 0, 12, 4);
    EXPECT_EQ(call(), "");
    approach(3, 3, 0, 0, 4);
    EXPECT_EQ(call(), "Call the ball.");
}

TEST_F(SignalOfficer, SilentOnDeckOrWithoutAFreshBall)
{
    approach(0.01f, 0, 0, 0, 0);
    flt.onground = 1;
    hush();
    LSO_respond();
    EXPECT_EQ(said(), "");

    // The carrier last drawn 5 s ago (or never): what cardxyz holds is old news.
    approach(2, 3, 0, 0, 8);
    atc.card_time = msc.elap_time - 5.0f;
    LSO_respond();
    EXPECT_EQ(said(), "");
    atc.card_time = 0;
    LSO_respond();
    EXPECT_EQ(said(), "");
    atc.card_time = msc.elap_time;
    LSO_respond();
    EXPECT_EQ(said(), "Call the ball.");
}

}  // namespace
