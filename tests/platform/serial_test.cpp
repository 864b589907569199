// serial_test.cpp -- the platform's serial ports on pseudo-terminal pairs: raw bytes both ways,
// speed and flow settings read back, exclusive opens, bounded waits and the failure results.
#include "kvpty.h"
#include "kvtest.h"
#include "plt_serial.h"

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace {

long long elapsed_ms(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

TEST(SerialPort, MissingOrUnsuitableDevicesGiveTheirFailureResults)
{
    TempDir dir;
    const std::string file = dir.write("plain.txt", "not a terminal");
    struct Case {
        std::string path;
        int result;
    };
    const Case cases[] = {
        {"/nonexistent/ttyS9", PLT_SERIAL_NO_PORT},
        {dir.str() + "/missing", PLT_SERIAL_NO_PORT},
        {"", PLT_SERIAL_NO_PORT},
        {file, PLT_SERIAL_HARDWARE},       // exists, but not a terminal
        {"/dev/null", PLT_SERIAL_HARDWARE},
    };
    for (const Case& c : cases) EXPECT_EQ(PLT_serial_open(c.path.c_str()), c.result) << c.path;
    EXPECT_EQ(PLT_serial_open(nullptr), PLT_SERIAL_NO_PORT);
}

TEST(SerialPort, HandlesThatAreNotOpenAreRefusedNotUsed)
{
    unsigned char b = 0;
    for (int h : {-1, -10, 999}) {
        EXPECT_EQ(PLT_serial_set_baud(h, 9600), PLT_SERIAL_NO_PORT) << h;
        EXPECT_EQ(PLT_serial_set_flow(h, 1), PLT_SERIAL_NO_PORT) << h;
        EXPECT_EQ(PLT_serial_write(h, &b, 1, 0), PLT_SERIAL_NO_PORT) << h;
        EXPECT_EQ(PLT_serial_read(h, &b, 1, 0), PLT_SERIAL_NO_PORT) << h;
        PLT_serial_close(h);   // ignored
    }
}

TEST(SerialPort, NumberedPortsFollowTheEnvironmentOrTheSystemDevices)
{
    char path[64];
    setenv("KV_COM7", "/tmp/some-device", 1);
    ASSERT_EQ(PLT_serial_port_path(7, path, sizeof path), 1);
    EXPECT_STREQ(path, "/tmp/some-device");
    unsetenv("KV_COM7");
    ASSERT_EQ(PLT_serial_port_path(7, path, sizeof path), 1);
    EXPECT_STREQ(path, "/dev/ttyS6");
    EXPECT_EQ(PLT_serial_port_path(0, path, sizeof path), 0);
    EXPECT_EQ(PLT_serial_port_path(100, path, sizeof path), 0);
    char tiny[4];
    EXPECT_EQ(PLT_serial_port_path(7, tiny, sizeof tiny), 0);   // does not fit: refused, terminated
    EXPECT_EQ(tiny[0], 0);
}

TEST(SerialPort, EveryByteValuePassesBothWaysUntranslated)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const int h = PLT_serial_open(pty.path().c_str());
    ASSERT_GE(h, 0);
    std::string all;
    for (int i = 0; i < 256; i++) all.push_back((char)i);

    EXPECT_EQ(PLT_serial_write(h, all.data(), 256, 500), 256);
    EXPECT_EQ(pty.read_exact(256, 1000), all);

    pty.write(all);
    std::string back(256, '\0');
    EXPECT_EQ(PLT_serial_read(h, back.data(), 256, 1000), 256);
    EXPECT_EQ(back, all);
    PLT_serial_close(h);
}

TEST(SerialPort, SpeedAndFlowControlReadBackAsSet)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const int h = PLT_serial_open(pty.path().c_str());
    ASSERT_GE(h, 0);
    EXPECT_EQ(PLT_serial_get_baud(h), 9600);   // as opened
    EXPECT_EQ(PLT_serial_get_flow(h), 0);
    for (int baud : {300, 2400, 4800, 38400, 115200}) {
        EXPECT_EQ(PLT_serial_set_baud(h, baud), 0) << baud;
        EXPECT_EQ(PLT_serial_get_baud(h), baud);
    }
    for (int baud : {0, -9600, 12345, 230401}) {
        EXPECT_EQ(PLT_serial_set_baud(h, baud), PLT_SERIAL_BAD_BAUD) << baud;
        EXPECT_EQ(PLT_serial_get_baud(h), 115200);   // unchanged
    }
    EXPECT_EQ(PLT_serial_set_flow(h, 1), 0);
    EXPECT_EQ(PLT_serial_get_flow(h), 1);
    EXPECT_EQ(PLT_serial_set_flow(h, 0), 0);
    EXPECT_EQ(PLT_serial_get_flow(h), 0);
    EXPECT_EQ(PLT_serial_drop_modem_lines(h), 0);   // no modem lines on a pseudo-terminal: ignored
    PLT_serial_close(h);
}

TEST(SerialPort, ASecondOpenIsRefusedUntilTheFirstCloses)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const int h = PLT_serial_open(pty.path().c_str());
    ASSERT_GE(h, 0);
    EXPECT_EQ(PLT_serial_open(pty.path().c_str()), PLT_SERIAL_BUSY);
    PLT_serial_close(h);
    const int again = PLT_serial_open(pty.path().c_str());
    EXPECT_GE(again, 0);
    PLT_serial_close(again);
}

TEST(SerialPort, ReadsWaitNoLongerThanTheyAreGiven)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const int h = PLT_serial_open(pty.path().c_str());
    ASSERT_GE(h, 0);
    unsigned char buf[4];
    for (int wait : {0, 20, 60}) {
        const auto t0 = std::chrono::steady_clock::now();
        EXPECT_EQ(PLT_serial_read(h, buf, 4, wait), 0) << wait;
        const long long took = elapsed_ms(t0);
        EXPECT_GE(took, wait - 1) << wait;
        EXPECT_LT(took, wait + 100) << wait;
    }
    // Fewer bytes than asked for: what came is returned once the wait is over.
    pty.write("ab");
    EXPECT_EQ(PLT_serial_read(h, buf, 4, 30), 2);
    EXPECT_EQ(buf[0], 'a');
    EXPECT_EQ(buf[1], 'b');
    PLT_serial_close(h);
}
