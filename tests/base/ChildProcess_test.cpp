// Running another program: what it printed, how it ended, and that a hung one is ended.
#include "base/ChildProcess.h"

#include <gtest/gtest.h>

using namespace notaro::base;

namespace {

struct ChildCase {
    std::vector<std::string> argv;
    std::string input;
    ChildStatus status;
    int32_t exitCode;
    std::string out;
};

TEST(ChildProcess, ReportsHowTheProgramEnded) {
    const std::string big(1 << 20, 'x'); // more than a pipe holds, both ways
    const ChildCase cases[] = {
        {{"cat"}, big, ChildStatus::Exited, 0, big},
        {{"sh", "-c", "echo out; echo err >&2; exit 3"}, "", ChildStatus::Exited, 3, "out\n"},
        {{"no-such-program-here"}, "", ChildStatus::NotFound, -1, ""},
        {{"sleep", "5"}, "", ChildStatus::TimedOut, -1, ""},
        {{"sh", "-c", "kill -9 $$"}, "", ChildStatus::Crashed, -1, ""},
        {{"true"}, big, ChildStatus::Exited, 0, ""}, // stops reading at once: no SIGPIPE here
    };
    for (const ChildCase& c : cases) {
        const ChildResult r =
            runChild(c.argv, c.input, c.status == ChildStatus::TimedOut ? 300 : 20000);
        EXPECT_EQ(r.status, c.status) << c.argv.back();
        EXPECT_EQ(r.exitCode, c.exitCode) << c.argv.back();
        EXPECT_EQ(r.out, c.out) << c.argv.back();
    }
}

TEST(ChildProcess, ARaisedCancelFlagEndsTheProgram) {
    const std::atomic<bool> cancel{true};
    EXPECT_EQ(runChild({"sleep", "5"}, "", 60000, &cancel).status, ChildStatus::Cancelled);
}

TEST(ChildProcess, FindsProgramsOnThePath) {
    EXPECT_EQ(findOnPath("sh").substr(findOnPath("sh").size() - 3), "/sh");
    EXPECT_EQ(findOnPath("no-such-program-here"), "");
    EXPECT_EQ(findOnPath("bin/sh"), "");
}

} // namespace
