// joy_test.cpp -- the joystick on a virtual stick: finding it, axes and hat, the response curve,
// button flags and functions, the helicopter's collective buttons, and the force commands as they
// reach the force-feedback interface.
#include "hl_joy.h"
#include "hl_program.h"
#include "hl_types.h"
#include "kvtest.h"
#include "plt_joy.h"
#include "test_program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<int> g_yoke, g_views;
std::vector<std::pair<float, float>> g_clicks;

class Stick : public ::testing::Test {
protected:
    int js = -1;

    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        test_program_log().clear();
        g_yoke.clear();
        g_views.clear();
        g_clicks.clear();
        hl_prog.yoke_key = [](int c) { g_yoke.push_back(c); };
        hl_prog.freeviews_keys = [](int c) { g_views.push_back(c); };
        joy_panel_click = [](float x, float y) { g_clicks.push_back({x, y}); };
        std::memset(joy_flag, 0, sizeof joy_flag);
        std::memset(joy_flag_old, 0, sizeof joy_flag_old);
        PLT_force_use_recorder(1);
        PLT_force_log_clear();
        PLT_joy_pos p;
        if (PLT_joy_read(0, &p)) GTEST_SKIP() << "a real joystick is plugged in";
        js = PLT_joy_attach_virtual(4, 16, 1);
        ASSERT_EQ(js, 0);
        for (int a = 0; a < 4; a++) PLT_joy_virtual_axis(js, a, 0);
        set.eq_ped = 1;
        msc.prd = 0.05f;
    }
    void TearDown() override
    {
        if (js >= 0) PLT_joy_detach_virtual(js);
        PLT_force_use_recorder(0);
        hl_prog.yoke_key = nullptr;
        hl_prog.freeviews_keys = nullptr;
        joy_panel_click = nullptr;
    }

    // Sets buttons (1 first) down or up.
    void buttons(std::initializer_list<int> down)
    {
        for (int b = 1; b <= 16; b++) PLT_joy_virtual_button(js, b - 1, 0);
        for (int b : down) PLT_joy_virtual_button(js, b - 1, 1);
    }
    void pass(int apply = 1)
    {
        float p, r, y, t;
        JOY_get(&p, &r, &y, &t, apply);
    }
    std::vector<int> set_flags() const
    {
        std::vector<int> on;
        for (int i = 0; i < JOY_FLAGS; i++) {
            if (joy_flag[i]) on.push_back(i);
        }
        return on;
    }
};

TEST_F(Stick, FoundStickStartsItsForces)
{
    EXPECT_EQ(JOY_init(), 1);
    EXPECT_EQ(set.controls_type, 15);
    EXPECT_TRUE(recorded_alerts().empty());
    ASSERT_EQ(PLT_force_log_count(), 3);
    EXPECT_EQ(PLT_force_log(0)->call, FF_SET_JOYSTICK_PORT);
    EXPECT_EQ(PLT_force_log(0)->a, 1);
    EXPECT_EQ(PLT_force_log(1)->call, FF_INIT_STICK);
    EXPECT_EQ(PLT_force_log(2)->call, FF_ENABLE_FORCES);
}

TEST_F(Stick, AxesMapOntoTheControls)
{
    JOY_init();
    struct Row {
        int x, y, z, r;      // virtual axis values, -32768..32767
        float pitch, roll, yaw, throttle;
    } rows[] = {
        // value + 32768 gives the 0..65535 reading; pitch Y/32767 - 1, throttle 1.1 - 1.2 Z/65537.
        {0, 0, 0, 0, 0.0000305f, 0.0000305f, 0.0000305f, 0.5000092f},
        {-32768, -32768, -32768, -32768, -1, -1, -1, 1},   // throttle 1.1 held to 1
        {32767, 32767, 32767, 32767, 1, 1, 1, 0},          // -0.1 held to 0, never negative
        {16384, -16384, 16384, -16384, -0.4999847f, 0.5000458f, -0.4999847f, 0.2000137f},
    };
    for (const Row& w : rows) {
        PLT_joy_virtual_axis(js, 0, w.x);
        PLT_joy_virtual_axis(js, 1, w.y);
        PLT_joy_virtual_axis(js, 2, w.z);
        PLT_joy_virtual_axis(js, 3, w.r);
        float p, r, y, t;
        JOY_get(&p, &r, &y, &t, 0);
        EXPECT_NEAR(p, w.pitch, 2e-5) << w.y;
        EXPECT_NEAR(r, w.roll, 2e-5) << w.x;
        EXPECT_NEAR(y, w.yaw, 2e-5) << w.r;
        EXPECT_NEAR(t, w.throttle, 2e-5) << w.z;
    }
    // Without pedals there is no yaw; with the mouse flying nothing reads.
    set.eq_ped = 0;
    float p, r, y, t;
    JOY_get(&p, &r, &y, &t, 0);
    EXPECT_EQ(y, 0.0f);
    set.controls_type = -1;
    JOY_get(&p, &r, &y, &t, 0);
    EXPECT_EQ(p, 0.0f);
    EXPECT_EQ(r, 0.0f);
}

TEST_F(Stick, ResponseCurvePinsAndNullZone)
{
    struct Row {
        float v, z, out;
    } rows[] = {{0.05f, 0.1f, 0.0f},        {-0.05f, 0.1f, 0.0f},    {0.1f, 0.1f, 0.0f},
                {0.5f, 0.1f, 0.2529822f},   {-0.5f, 0.1f, -0.2529822f}, {1.0f, 0.1f, 0.8538150f},
                {0.25f, 0.0f, 0.125f},      {-1.0f, 0.0f, -1.0f},    {0.0f, 0.3f, 0.0f}};
    for (const Row& r : rows) {
        float v = r.v;
        EXPECT_NEAR(JOY_curve(&v, r.z), r.out, 1e-6) << r.v << " " << r.z;
    }
    float v = 0.5f;
    JOY_curve(&v, 0.1f);
    EXPECT_NEAR(v, 0.2529822f, 1e-6);

    // A stick at rest a little off centre, inside the null zone, gives exactly 0.
    JOY_init();
    set.NZ_ptch = set.NZ_roll = set.NZ_hdng = 0.1f;
    set.joy_rat_ptch = set.joy_rat_roll = set.joy_rat_hdng = 1.0f;
    PLT_joy_virtual_axis(js, 0, 1500);
    PLT_joy_virtual_axis(js, 1, -2000);
    PLT_joy_virtual_axis(js, 3, 3000);
    float p, r, y, t;
    JOY_get(&p, &r, &y, &t, 1);
    EXPECT_EQ(p, 0.0f);
    EXPECT_EQ(r, 0.0f);
    EXPECT_EQ(y, 0.0f);
    // Full deflection with an offset and a ratio: curve(-1 - 0.5, zone 0.1) * 0.5, then limited.
    set.MK_ptch = -0.5f;
    set.joy_rat_ptch = 0.5f;
    PLT_joy_virtual_axis(js, 1, -32768);
    JOY_get(&p, &r, &y, &t, 1);
    EXPECT_NEAR(p, -0.5f * std::pow(1.4f, 1.5f), 1e-5);
    set.joy_rat_ptch = 2.0f;
    JOY_get(&p, &r, &y, &t, 1);
    EXPECT_EQ(p, -1.0f);
}

TEST_F(Stick, HatAndButtonsSetTheirFlags)
{
    JOY_init();
    struct HatRow {
        uint32_t pov;
        std::vector<int> flags;
    } hats[] = {{0, {0}}, {18000, {1}}, {27000, {2}}, {9000, {3}}, {4500, {}}, {22500, {}},
                {PLT_POV_CENTERED, {}}};
    for (const HatRow& h : hats) {
        PLT_joy_virtual_hat(js, 0, h.pov);
        pass(0);
        EXPECT_EQ(set_flags(), h.flags) << h.pov;
    }
    struct ButtonRow {
        std::vector<int> down;
        std::vector<int> flags;
    } rows[] = {{{1}, {4}},          {{1, 2}, {5}},       {{1, 3}, {6}},  {{1, 4}, {7}},
                {{2}, {}},           {{3, 4}, {}},        {{5}, {8}},     {{16}, {19}},
                {{1, 2, 9}, {5, 12}}, {{1, 2, 3}, {5}}};
    for (const ButtonRow& r : rows) {
        for (int b = 1; b <= 16; b++) PLT_joy_virtual_button(js, b - 1, 0);
        for (int b : r.down) PLT_joy_virtual_button(js, b - 1, 1);
        pass(0);
        EXPECT_EQ(set_flags(), r.flags) << r.down.size();
    }
}

TEST_F(Stick, PressedFunctionsFireOncePerPressAndHeldOnesEveryPass)
{
    JOY_init();
    set.joy_response[8] = 13;   // button 5: key "q" once per press
    set.joy_response[9] = 1;    // button 6: key "]" while held
    set.joy_response[4] = 7;    // button 1 alone: yoke key 5
    set.joy_response[5] = 15;   // buttons 1 and 2: key "1"
    buttons({5, 6});
    for (int i = 0; i < 5; i++) pass();
    EXPECT_EQ(test_program_log().keys, "q]]]]]");
    buttons({});
    pass();
    buttons({5});
    pass();
    pass();
    EXPECT_EQ(test_program_log().keys, "q]]]]]q");
    // Reading without applying runs nothing and remembers nothing.
    buttons({});
    pass(0);
    buttons({5});
    pass(0);
    EXPECT_EQ(test_program_log().keys, "q]]]]]q");
    // The combination runs its own function, not button 1's.
    buttons({1, 2});
    pass();
    EXPECT_TRUE(g_yoke.empty());
    EXPECT_EQ(test_program_log().keys.back(), '1');
    buttons({1});
    pass();
    EXPECT_EQ(g_yoke, std::vector<int>{5});
}

TEST_F(Stick, EveryFunctionCode)
{
    JOY_init();
    pln[0].vectEQ = 1;
    pln[0].varsweepEQ[6] = 1;
    flt.vectrqst = 60.0f;
    flt.sweerqst = 0.5f;
    struct Row {
        int code;
        std::string keys;          // keys after press and one more held pass
        std::vector<int> menus;    // menus after press, held pass and release
    } rows[] = {
        {1, "]]", {}},  {2, "[[", {}},  {3, "99", {}},  {4, "00", {}},  {5, "77", {}},  {6, "88", {}},
        {9, "", {500}}, {10, "", {502, 500}}, {11, "", {506, 500}}, {12, "", {507, 500}},
        {13, "q", {}},  {14, "e", {}},  {15, "1", {}},  {16, "2", {}},  {19, "g", {}},  {22, "!", {}},
        {23, ".", {}},  {29, "\r", {}}, {30, " ", {}},  {0, "", {}},    {31, "", {}},   {-3, "", {}},
        {999, "", {}},
    };
    for (const Row& r : rows) {
        test_program_log().clear();
        set.joy_response[10] = r.code;   // button 7
        buttons({7});
        pass();
        pass();
        buttons({});
        pass();
        EXPECT_EQ(test_program_log().keys, r.keys) << r.code;
        EXPECT_EQ(test_program_log().menus, r.menus) << r.code;
    }

    auto press_release = [&](int code, int held_passes) {
        set.joy_response[10] = code;
        buttons({7});
        for (int i = 0; i < held_passes; i++) pass();
        buttons({});
        pass();
    };
    press_release(8, 3);
    EXPECT_EQ(g_yoke, std::vector<int>{6});
    press_release(24, 3);
    ASSERT_EQ(g_clicks.size(), 1u);
    EXPECT_EQ(g_clicks[0], std::make_pair(636.0f, 314.0f));
    press_release(26, 3);
    EXPECT_EQ(g_views, std::vector<int>({26, 26, 26}));

    // Parking brake while the button is down, speed brake toggled per press.
    set.joy_response[10] = 20;
    buttons({7});
    pass();
    EXPECT_EQ(set.parkbrake, 1.0f);
    buttons({});
    pass();
    EXPECT_EQ(set.parkbrake, 0.0f);
    flt.sbrk = 0;
    press_release(21, 2);
    EXPECT_EQ(flt.sbrk, 2);
    press_release(21, 2);
    EXPECT_EQ(flt.sbrk, 0);

    // Thrust vector and sweep requests move per second while held, within their ranges.
    press_release(17, 4);
    EXPECT_NEAR(flt.vectrqst, 60.0f - 4 * 30.0f * 0.05f, 1e-4);
    EXPECT_NEAR(flt.sweerqst, 0.5f - 4 * 0.5f * 0.05f, 1e-6);
    press_release(18, 200);
    EXPECT_EQ(flt.vectrqst, 120.0f);
    EXPECT_EQ(flt.sweerqst, 1.0f);
    pln[0].vectEQ = 0;
    pln[0].varsweepEQ[6] = 0;
    press_release(17, 10);
    EXPECT_EQ(flt.vectrqst, 120.0f);
    EXPECT_EQ(flt.sweerqst, 1.0f);
}

TEST_F(Stick, HelicopterCollectiveButtons)
{
    JOY_init();
    pln[0].is_heli = 1;
    pln[0].entype = 1;
    set.eq_col = 1;
    flt.throrqst[0] = flt.throrqst[1] = 0.5f;
    auto tap = [&](std::initializer_list<int> down) {
        buttons(down);
        pass();
        pass();   // held: no second step
        buttons({});
        pass();
    };
    tap({3});
    EXPECT_NEAR(flt.throrqst[0], 0.4f, 1e-6);
    EXPECT_NEAR(flt.throrqst[1], 0.4f, 1e-6);
    tap({4});
    tap({4});
    EXPECT_NEAR(flt.throrqst[1], 0.6f, 1e-6);
    tap({2, 3});
    EXPECT_EQ(flt.throrqst[0], 0.0f);
    tap({3});
    EXPECT_EQ(flt.throrqst[0], 0.0f);   // limited
    tap({2, 4});
    EXPECT_EQ(flt.throrqst[1], 1.0f);
    EXPECT_EQ(flt.throrqst[2], 0.0f);   // only the first two engines

    pln[0].entype = 3;
    set.fadec_on = 0;
    tap({2, 4});
    EXPECT_EQ(set.fadec_on, 1);
    tap({2, 3});
    EXPECT_EQ(set.fadec_on, 0);

    // Without the collective fitted the buttons leave the throttles alone.
    pln[0].entype = 1;
    set.eq_col = 0;
    flt.throrqst[0] = 0.3f;
    tap({2, 4});
    tap({3});
    EXPECT_EQ(flt.throrqst[0], 0.3f);
}

TEST_F(Stick, ForceCommandsReachTheInterfaceLimited)
{
    struct Row {
        int kind, a, b, c;
        std::vector<PLT_force_entry> calls;
    } rows[] = {
        {4, 30, -40, 50, {{FF_X_SPRING, 30, 50, 50}, {FF_Y_SPRING, -40, 50, 50}}},
        {4, 250, -250, 400, {{FF_X_SPRING, 100, 100, 100}, {FF_Y_SPRING, -100, 100, 100}}},
        {4, 0, 0, -20, {{FF_X_SPRING, 0, 0, 0}, {FF_Y_SPRING, 0, 0, 0}}},
        {5, 100, 10, 0, {{FF_X_VIBRATION, 100, 100, 10}}},
        {5, 500, 99, 0, {{FF_X_VIBRATION, 100, 100, 50}}},
        {6, -5, -5, 0, {{FF_Y_VIBRATION, 0, 0, 0}}},
        {7, 9, 9, 9, {{FF_X_VIBRATION_CLEAR, 0, 0, 0}}},
        {8, 9, 9, 9, {{FF_Y_VIBRATION_CLEAR, 0, 0, 0}}},
        {9, 140, 0, 0, {{FF_BUFFETING, 100, 0, 0}}},
        {10, 0, 0, 0, {{FF_BUFFETING_CLEAR, 0, 0, 0}}},
        {11, 100, 0, 250, {{FF_JOLT, 100, 0, 250}}},
        {11, 300, 365, 9000, {{FF_JOLT, 100, 5, 2500}}},
        {11, 50, -90, -1, {{FF_JOLT, 50, 270, 0}}},
        {11, 50, 720, 10, {{FF_JOLT, 50, 0, 10}}},
        {12, 0, 0, 0, {{FF_CLEAR_FORCES, 0, 0, 0}}},
        {0, 1, 2, 3, {}},
        {3, 1, 2, 3, {}},
        {13, 1, 2, 3, {}},
    };
    for (const Row& r : rows) {
        PLT_force_log_clear();
        JOY_force(r.kind, r.a, r.b, r.c);
        ASSERT_EQ(PLT_force_log_count(), static_cast<int>(r.calls.size())) << r.kind;
        for (size_t i = 0; i < r.calls.size(); i++) {
            const PLT_force_entry* e = PLT_force_log(static_cast<int>(i));
            EXPECT_EQ(e->call, r.calls[i].call) << r.kind;
            EXPECT_EQ(e->a, r.calls[i].a) << r.kind;
            EXPECT_EQ(e->b, r.calls[i].b) << r.kind;
            EXPECT_EQ(e->c, r.calls[i].c) << r.kind;
        }
    }
    PLT_force_log_clear();
    JOY_close();
    ASSERT_EQ(PLT_force_log_count(), 1);
    EXPECT_EQ(PLT_force_log(0)->call, FF_CLOSE_STICK);
}

TEST_F(Stick, UnpluggedStickReadsNothingAndReleasesItsButtons)
{
    JOY_init();
    set.joy_response[4] = 10;   // button 1: menu 502, 500 on release
    buttons({1});
    PLT_joy_virtual_axis(js, 1, -32768);
    pass();
    EXPECT_EQ(test_program_log().menus, std::vector<int>{502});
    PLT_joy_detach_virtual(js);
    js = -1;
    float p, r, y, t;
    JOY_get(&p, &r, &y, &t, 1);
    EXPECT_EQ(p, 0.0f);
    EXPECT_TRUE(set_flags().empty());
    EXPECT_EQ(test_program_log().menus, std::vector<int>({502, 500}));
}

TEST(NoStick, MouseFliesAfterOneNotice)
{
    clear_globals();
    clear_recorded_alerts();
    PLT_joy_pos p;
    if (PLT_joy_read(0, &p) || PLT_joy_read(1, &p)) GTEST_SKIP() << "a real joystick is plugged in";
    PLT_force_use_recorder(1);
    PLT_force_log_clear();
    EXPECT_EQ(JOY_init(), 0);
    EXPECT_EQ(set.controls_type, -1);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    const RecordedAlert& a = recorded_alerts()[0];
    EXPECT_EQ(a.code, 2002);
    EXPECT_EQ(a.l1, "My system-checking indicates that there are no joysticks on this computer");
    EXPECT_EQ(a.l2, "If you have a joystick plugged in, check that it shows in /dev/input and that you may read it "
                    "(join the 'input' group).");
    EXPECT_EQ(a.l3, "Flight control will therefore be with the mouse.");
    EXPECT_EQ(a.l4, "Click the mouse in the center of the windshield to toggle between flight-control and regular mouse mode.");
    EXPECT_EQ(PLT_force_log_count(), 0);
    float pitch, roll, yaw, thr;
    JOY_get(&pitch, &roll, &yaw, &thr, 1);
    EXPECT_EQ(pitch, 0.0f);
    EXPECT_EQ(thr, 0.0f);
    PLT_force_use_recorder(0);
}

}  // namespace
