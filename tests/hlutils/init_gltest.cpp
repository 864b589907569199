// init_gltest.cpp -- start-up and shutdown with a real (offscreen) window: resolution, renderer
// notice, error file, display mode kept, progress bar.
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "plt.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        char cwd[4096];
        old_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
        ASSERT_EQ(chdir(work_.str().c_str()), 0);
        old_cfg_ = std::getenv("KV_CONFIG_DIR");
        setenv("KV_CONFIG_DIR", cfg_.str().c_str(), 1);
        clear_globals();
        clear_recorded_alerts();
        saved_ = hl_prog;
        use_test_clock(0);
    }
    void TearDown() override
    {
        if (PLT_window_open()) MACIBM_finishup();
        hl_set_window_size(0, 0);
        hl_prog = saved_;
        setenv("KV_CONFIG_DIR", old_cfg_.c_str(), 1);
        use_real_clock();
        ASSERT_EQ(chdir(old_.c_str()), 0);
    }
    TempDir work_, cfg_;
    std::string old_, old_cfg_;
    hl_program_desc saved_;
};

TEST_F(Startup, NoResolutionFileGivesEightHundredBySixHundred)
{
    hl_set_window_size(800, 600);
    MACIBM_init();
    EXPECT_EQ(mnw.HRES, 800);
    EXPECT_EQ(mnw.YRES, 600);
    EXPECT_EQ(mnw.CRES, 16);
    EXPECT_EQ(mnw.XRAT, 1);
    EXPECT_EQ(mnw.YRAT, 1);
    EXPECT_EQ(ogl_ready, 1);
    EXPECT_EQ(initing, 1);
    EXPECT_EQ(mnw.topwin, 0);
    EXPECT_EQ(gdone, 0);
    EXPECT_NEAR(con.g, 9.798279f, 1e-4f);
    EXPECT_EQ(std::string(res_path), cfg_.str() + "/Gridmere 4.prf");
    EXPECT_EQ(std::string(prf_path), cfg_.str() + "/Kestrova 4.prf");
}

TEST_F(Startup, SoftwareRendererGivesTheNoticeAndGoesOn)
{
    hl_set_window_size(640, 480);
    MACIBM_init();
    std::string r = PLT_renderer();
    bool soft = r.find("llvmpipe") != std::string::npos || r.find("softpipe") != std::string::npos ||
                r.find("swrast") != std::string::npos;
    if (!soft) GTEST_SKIP() << "hardware renderer " << r;
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, ALERT_NOTICE);
    EXPECT_EQ(recorded_alerts()[0].l1,
              "I can not find a 3-D accelerator card that can handle OpenGL that has correctly installed drivers.");
    EXPECT_EQ(recorded_alerts()[0].l2,
              "I will still let you run the simulator, but the frame rate will NOT allow for a good simulation.");
    EXPECT_EQ(ogl_ready, 1);
    // Real size of the window, whatever was asked.
    EXPECT_EQ(mnw.HRES, 640);
    EXPECT_FLOAT_EQ(mnw.XRAT, 0.8f);
}

TEST_F(Startup, ErrorFileLogsAlertsAndEndsWithTheLastLine)
{
    static int closed;
    closed = 0;
    hl_prog.finishup = [] { closed++; };
    hl_set_window_size(800, 600);
    MACIBM_init();
    MACIBM_alert("Earlier line", "path", "", "", ALERT_NOTICE);
    ASSERT_EQ(truncate("Error.out", 0), 0);   // as a second program's start does
    MACIBM_alert("Something went wrong", "path", "", "", ALERT_NOTICE);
    MACIBM_finishup();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(PLT_window_open());
    std::string log = read_file(work_.str() + "/Error.out");
    EXPECT_NE(log.find("Something went wrong"), std::string::npos);
    EXPECT_EQ(log.find('\0'), std::string::npos) << log.size() << " bytes";
    ASSERT_GE(log.size(), 15u);
    EXPECT_EQ(log.substr(log.size() - 15), "end simulation\n");
    MACIBM_finishup();   // a second call does nothing more
    EXPECT_EQ(closed, 1);
}

TEST_F(Startup, FullScreenAtTheDesktopsModeMakesNoModeSwitch)
{
    int w, h, bits;
    ASSERT_TRUE(PLT_current_mode(&w, &h, &bits));
    cfg_.write("Gridmere 4.prf", "I\n2 version\n" + std::to_string(w) + "\n" + std::to_string(h) + "\n32\n");
    int before = PLT_mode_switches();
    MACIBM_init();
    EXPECT_EQ(mnw.HRES, w);
    EXPECT_EQ(mnw.YRES, h);
    EXPECT_EQ(hres_orig, w);
    EXPECT_EQ(vres_orig, h);
    EXPECT_EQ(MACIBM_setres(1), 1);
    EXPECT_EQ(MACIBM_setres(0), 1);
    MACIBM_finishup();
    EXPECT_EQ(PLT_mode_switches(), before);
}

TEST_F(Startup, ModeTheDisplayLacksStillShowsTheProgramFullScreen)
{
    cfg_.write("Gridmere 4.prf", "I\n2 version\n1111\n777\n16\n");
    MACIBM_init();
    int w, h, bits;
    ASSERT_TRUE(PLT_current_mode(&w, &h, &bits));
    // The window covers the desktop; the mouse maps through the real size.
    EXPECT_EQ(mnw.HRES, w);
    EXPECT_FLOAT_EQ(mnw.XRAT, static_cast<float>(w) / 800);
    EXPECT_TRUE(recorded_alerts().empty() || recorded_alerts()[0].code == ALERT_NOTICE);
}

TEST_F(Startup, ProgressBarMarkerAdvancesWhileLoading)
{
    hl_set_window_size(800, 600);
    MACIBM_init();
    ASSERT_EQ(initing, 1);
    // The marker (colour 47 inside, 46 on its top edge) moves 5 units right at each step.
    auto marker_x = [] {
        Frame f = read_frame();
        for (int x = 0; x < 620; x++)
            if (f.is_color(static_cast<float>(x), 22, 47, 3) && f.is_color(static_cast<float>(x), 25, 46, 3)) return x;
        return -1;
    };
    MACIBM_showinit(1);
    int x0 = marker_x();
    write_png(picture_path("progress.png"), read_frame());
    ASSERT_GE(x0, 20);
    MACIBM_showinit(1);
    EXPECT_EQ(marker_x(), x0 + 5);
    MACIBM_startwind(0);
    EXPECT_EQ(initing, 0);
}

}  // namespace
