// Escape and the window manager's close request while frames are still on their way to the X
// server, run after run: every run must end with status 0 and nothing on standard error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "session.h"

namespace {

// For a long loop by hand: ORVENA_EXIT_RUNS=500 runs per case, ORVENA_EXIT_SHIM=0 without the
// shim (the race as it comes, rarely).
int runs()
{
    const char* asked = std::getenv("ORVENA_EXIT_RUNS");
    return asked != nullptr ? std::atoi(asked) : 12;
}

environment_changes program_environment(const std::string& display)
{
    const char* shim = std::getenv("ORVENA_EXIT_SHIM");
    if (shim != nullptr && std::string(shim) == "0") {
        return {{"DISPLAY", display}};
    }
    return {{"DISPLAY", display}, {"LD_PRELOAD", SLOW_PRESENT_SHIM}};
}

struct ending {
    const char* name;
    bool close_request;  // otherwise Escape
};

std::ostream& operator<<(std::ostream& out, const ending& c) { return out << c.name; }

class EndingWhileFramesAreOnTheirWay : public ::testing::TestWithParam<ending> {};

// The keys of one burst: Left, Right and F5 draw nothing, X draws, then the end. The animation
// draws ten frames a second besides, and the preloaded shim (shim/slow_present.cpp) holds up
// each frame's present, 30 ms before its image goes out to the X server and 100 ms after, so
// nearly always one is still under way when the end comes. A program that lets its window go
// first gets BadDrawable from X for that frame's PutImage and ends with status 1.
TEST_P(EndingWhileFramesAreOnTheirWay, ExitsWithZeroAndNothingOnStandardErrorEveryTime)
{
    xvfb server;
    x_client x{server.display()};
    int failures = 0;
    const int total = runs();
    for (int run = 0; run < total; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        child_process program{{ORVENA_BINARY}, program_environment(server.display())};
        const unsigned long window = x.wait_for_window("Orvena", patience);
        ASSERT_NE(window, 0UL);
        x.press("Left");
        x.press("Right");
        x.press("F5");
        x.type('X');
        if (GetParam().close_request) {
            x.request_close(window);
        } else {
            x.type('\x1b');
        }
        const std::optional<int> status = program.wait(patience);
        ASSERT_TRUE(status) << "still running";
        const bool clean = WIFEXITED(*status) && WEXITSTATUS(*status) == 0 && program.err().empty();
        EXPECT_TRUE(clean) << "status " << *status << ", standard error:\n" << program.err();
        failures += clean ? 0 : 1;
    }
    RecordProperty("failures", failures);
    RecordProperty("runs", total);
}

INSTANTIATE_TEST_SUITE_P(Endings, EndingWhileFramesAreOnTheirWay,
                         ::testing::Values(ending{"Escape", false}, ending{"CloseRequest", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
