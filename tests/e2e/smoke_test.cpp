// The real program on a private X server: window, console line, Escape, no display.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include "xvfb.h"

namespace {

const milliseconds patience(20000);

class Program : public ::testing::Test {
  protected:
    xvfb server;
    x_client x{server.display()};
    child_process program{{ORVENA_BINARY}, {{"DISPLAY", server.display()}}};
    unsigned long window = x.wait_for_window("Orvena", patience);
};

TEST_F(Program, OpensItsWindowAndPrintsTheEyeAfterAKey)
{
    ASSERT_NE(window, 0UL);
    EXPECT_EQ(x.title(window), "Orvena");
    EXPECT_EQ(x.size(window), std::make_pair(500, 500));
    EXPECT_EQ(x.position(window), std::make_pair(100, 100));

    // Read while the program still runs: each line must reach the pipe at once.
    x.type('X');
    EXPECT_EQ(program.read_line(patience), "Camera: 1.790000, 2.900000, 7.490000");
    x.type('a');
    EXPECT_EQ(program.read_line(patience), "Camera: 1.790000, 2.900000, 7.490000");
}

TEST_F(Program, DrawsAFrameThatIsNotBlank)
{
    ASSERT_NE(window, 0UL);
    ASSERT_TRUE(x.wait_for_frames(2, patience));
    const image shot = x.capture(window);
    int lit = 0;
    for (std::size_t i = 0; i < shot.pixels.size(); i += 3) {
        lit += shot.pixels[i] + shot.pixels[i + 1] + shot.pixels[i + 2] > 0 ? 1 : 0;
    }
    EXPECT_GT(lit, 1000);
}

TEST_F(Program, EscapeExitsWithZeroAndPrintsNothing)
{
    ASSERT_NE(window, 0UL);
    x.type('\x1b');
    const std::optional<int> status = program.wait(patience);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_EQ(program.out(), "");
    EXPECT_EQ(program.err(), "");
}

// Escape as soon as the window shows, run after run, while the first frames may still be in
// the driver's hands: a driver that compiles, draws or presents on its own threads, and is
// still at it while exit tears the libraries down, ends the process by a signal or with a heap
// message now and then.
TEST(ProgramRunAfterRun, EscapeAsSoonAsTheWindowShowsExitsCleanlyEveryTime)
{
    xvfb server;
    x_client x{server.display()};
    for (int run = 0; run < 15; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        child_process program{{ORVENA_BINARY}, {{"DISPLAY", server.display()}}};
        const unsigned long window = x.wait_for_window("Orvena", patience);
        ASSERT_NE(window, 0UL);
        x.type('\x1b');
        const std::optional<int> status = program.wait(patience);
        ASSERT_TRUE(status);
        ASSERT_TRUE(WIFEXITED(*status)) << program.err();
        ASSERT_EQ(WEXITSTATUS(*status), 0) << program.err();
        ASSERT_EQ(program.err(), "");
    }
}

// However the display is missing, the program ends with an error status and says how to get
// one; GLUT ends it by exit, not by a signal.
struct missing_display {
    const char* name;
    std::optional<std::string> display_variable;
    std::vector<std::string> args;
};

std::ostream& operator<<(std::ostream& out, const missing_display& c) { return out << c.name; }

class NoDisplayNamed : public ::testing::TestWithParam<missing_display> {};

TEST_P(NoDisplayNamed, ExitsNonZeroWithAMessageAndNoSignal)
{
    std::vector<std::string> command = {ORVENA_BINARY};
    command.insert(command.end(), GetParam().args.begin(), GetParam().args.end());
    child_process program(command, {{"DISPLAY", GetParam().display_variable}});
    const std::optional<int> status = program.wait(patience);
    ASSERT_TRUE(status);
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by a signal";
    EXPECT_NE(WEXITSTATUS(*status), 0);
    EXPECT_NE(program.err().find("failed to open display"), std::string::npos) << program.err();
    EXPECT_NE(program.err().find("ssh -X"), std::string::npos) << program.err();
    EXPECT_EQ(program.out(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Ways, NoDisplayNamed,
    ::testing::Values(missing_display{"NoDisplayVariable", std::nullopt, {}},
                      missing_display{"EmptyDisplayVariable", "", {}},
                      missing_display{"EmptyDisplayOption", std::nullopt, {"-display", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
