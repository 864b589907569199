// hullconvert_gltest.cpp -- the whole converter in a child process on the offscreen driver, with its
// own program description: given an earlier-layout file on its command line it converts it and ends
// with status 0, and ends with status 1, the file untouched, when the converted file cannot be written.
#include "hl_mnw.h"
#include "hl_program.h"
#include "hullconvert.h"
#include "kvtest.h"
#include "v35_writer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class HullconvertRun : public ::testing::Test {
protected:
    TempDir dir_;
    std::string path_;
};

// The whole program in a child process on the offscreen driver, given the file on its command
// line: its exit status says whether the file was converted.
TEST_F(HullconvertRun, ProgramConvertsTheFileItIsGivenAndReportsAFailedWrite)
{
    ASSERT_STREQ(hl_prog.name, "Hullconvert");
    const std::string text = v35::write_text(v35::make_plane(8));
    path_ = dir_.write("plane.acf", text);
    const std::string report = (dir_.path() / "report.txt").string();
    for (int limited : {0, 1}) {
        SCOPED_TRACE(limited ? "write fails" : "write succeeds");
        dir_.write("plane.acf", text);
        const int ended = run_in_child_process(
            [&] {
                if (chdir(dir_.str().c_str()) != 0) return;
                if (limited) {
                    struct rlimit lim = {150000, 150000};
                    std::signal(SIGXFSZ, SIG_IGN);
                    setrlimit(RLIMIT_FSIZE, &lim);
                }
                hl_set_window_size(800, 600);
                char prog[] = "Hullconvert";
                char* argv[] = {prog, path_.data(), nullptr};
                const int rc = WinMain(2, argv);
                FILE* f = std::fopen(report.c_str(), "w");
                if (f) {
                    std::fprintf(f, "%d", rc);
                    std::fclose(f);
                }
            },
            60);
        ASSERT_EQ(ended, 1);
        EXPECT_EQ(read_file(report), limited ? "1" : "0");
        const std::string now = read_file(path_);
        if (limited) {
            EXPECT_EQ(now, text);
        } else {
            ASSERT_EQ(now.size(), 189553u);
            EXPECT_EQ(now[0], 'i');
        }
    }
}


}  // namespace
