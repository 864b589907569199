// keyboard_test.cpp -- the engine levers on the function keys.
#include "keyboard.h"

#include "hl_types.h"

#include <gtest/gtest.h>

namespace {

class EngineLevers : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        pln[0].omegamingreen = 200.0f;
        pln[0].omegamax = 300.0f;
        for (int e = 0; e < 4; e++) {
            pln[0].minpitch[e] = 0.0f;
            pln[0].maxpitch[e] = 12.0f;
            flt.prop[e] = 250.0f;
            flt.mixt[e] = 1.0f;
        }
        set.thro_pot = 1;
    }
};

TEST_F(EngineLevers, OneLeverMovesEveryEngineAndStaysInRange)
{
    for (int i = 0; i < 5; i++) function_key(29);
    for (int e = 0; e < 4; e++) EXPECT_NEAR(flt.throrqst[e], 0.25f, 1e-6f);
    EXPECT_EQ(set.thro_pot, 0);  // the keyboard now owns the throttles

    for (int i = 0; i < 30; i++) function_key(29);
    for (int e = 0; e < 4; e++) EXPECT_EQ(flt.throrqst[e], 1.0f);
    for (int i = 0; i < 30; i++) function_key(28);
    for (int e = 0; e < 4; e++) EXPECT_EQ(flt.throrqst[e], 0.0f);

    function_key(32);  // propeller speed down by 5 % of the 100 rad/s green range
    for (int e = 0; e < 4; e++) EXPECT_NEAR(flt.prop[e], 245.0f, 1e-4f);
    for (int i = 0; i < 40; i++) function_key(33);
    for (int e = 0; e < 4; e++) EXPECT_EQ(flt.prop[e], 300.0f);

    function_key(36);
    for (int e = 0; e < 4; e++) EXPECT_NEAR(flt.mixt[e], 0.95f, 1e-6f);
}

TEST_F(EngineLevers, HelicopterThrottleKeysMoveTheCollective)
{
    pln[0].is_heli = 1;
    for (int i = 0; i < 3; i++) function_key(29);
    for (int e = 0; e < 4; e++) EXPECT_EQ(flt.proppitch[e], 3.0f);
    for (int e = 0; e < 4; e++) EXPECT_EQ(flt.throrqst[e], 0.0f);
    for (int i = 0; i < 20; i++) function_key(29);
    for (int e = 0; e < 4; e++) EXPECT_EQ(flt.proppitch[e], 12.0f);  // the blades' pitch stop
}

TEST_F(EngineLevers, SplitLeversMoveOneEngineEach)
{
    set.eq_thr = 1;
    function_key(41);  // raise engine 2's throttle
    function_key(41);
    function_key(43);  // raise engine 4's throttle
    EXPECT_EQ(flt.throrqst[0], 0.0f);
    EXPECT_NEAR(flt.throrqst[1], 0.10f, 1e-6f);
    EXPECT_EQ(flt.throrqst[2], 0.0f);
    EXPECT_NEAR(flt.throrqst[3], 0.05f, 1e-6f);

    function_key(34);  // lower engine 3's propeller speed
    EXPECT_NEAR(flt.prop[2], 245.0f, 1e-4f);
    EXPECT_EQ(flt.prop[0], 250.0f);

    function_key(39);  // lower engine 4's mixture
    EXPECT_NEAR(flt.mixt[3], 0.95f, 1e-6f);
    EXPECT_EQ(flt.mixt[0], 1.0f);
}

}  // namespace
