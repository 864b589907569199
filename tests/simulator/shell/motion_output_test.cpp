// motion_output_test.cpp -- the serial output's motion-base mode with the motion-base library
// connected through the flight model's hooks, as the program connects it: the platform's axes on
// the wire through a pseudo-terminal, and the library closed when the mode is left.
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvpty.h"
#include "kvtest.h"
#include "plt_serial.h"
#include "plt_shared.h"
#include "serout.h"

#include <cstdlib>
#include <cstring>
#include <string>

class SerialOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        clear_recorded_alerts();
        setenv("KV_COM1", pty.path().c_str(), 1);
        setenv("KV_COM2", "/nonexistent/serout-com2", 1);
    }
    void TearDown() override
    {
        close_serial_output();
        setenv("KV_COM1", "/nonexistent/kvtest-com1", 1);
    }
    PtyPair pty;
};

// ---- motion base --------------------------------------------------------------------------------

TEST_F(SerialOutput, MotionModeTiltsTheBaseAboutItsCentre)
{
    PtyPair com2;
    ASSERT_TRUE(com2.ok());
    setenv("KV_COM2", com2.path().c_str(), 1);
    serial_mode_change(0, 3);
    struct Case {
        float phi, the, psi;
        int p1, p2;   // roll and pitch on the wire
    };
    const Case cases[] = {
        {0.0f, 0.0f, 0.0f, 128, 128},        // level flight holds the platform level
        {10.6f, -5.2f, 350.0f, 138, 123},    // whole degrees, truncated
        {170.0f, -90.0f, 90.0f, 255, 38},    // beyond the axis: held at its end
        {-170.0f, 90.0f, 180.0f, 0, 218},
    };
    for (const Case& c : cases) {
        flt.phi[0] = c.phi;
        flt.the[0] = c.the;
        flt.psi[0] = c.psi;
        send_serial_data(3);
        com2.read_for(150);
        const std::string wire = com2.read_for(300);
        ASSERT_GE(wire.size(), 3u) << c.phi;
        const std::string last = wire.substr(wire.size() - 3);
        EXPECT_EQ(last[0], 'P');
        EXPECT_EQ((uint8_t)last[1], c.p1) << c.phi;
        EXPECT_EQ((uint8_t)last[2], c.p2) << c.the;
    }
    // Leaving the mode closes the library: the platform stops running and the port is free.
    serial_mode_change(3, 0);
    int first = 0;
    const int h = PLT_shared_open(std::getenv("KV_TILTRIX_BLOCK"), 304, &first);
    uint8_t* blk = PLT_shared_map(h, 304);
    ASSERT_NE(blk, nullptr);
    int32_t running;
    std::memcpy(&running, blk + 64, 4);
    EXPECT_EQ(running, 0);
    PLT_shared_unmap(blk, 304);
    PLT_shared_close(h);
    const int port = PLT_serial_open(com2.path().c_str());
    EXPECT_GE(port, 0);
    PLT_serial_close(port);
}

TEST_F(SerialOutput, MotionModeWithoutPortsRunsQuietly)
{
    setenv("KV_COM1", "/nonexistent/serout-com1", 1);
    serial_mode_change(0, 3);
    for (int k = 0; k < 5; k++) send_serial_data(3);
    serial_mode_change(3, 0);
    EXPECT_TRUE(recorded_alerts().empty());
}
