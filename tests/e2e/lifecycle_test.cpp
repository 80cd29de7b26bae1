// How the real program finds its display and how it ends when its window is closed.
#include <gtest/gtest.h>

#include "session.h"

namespace {

TEST(Lifecycle, TheWindowManagersCloseRequestEndsTheProgramWithZero)
{
    session run;
    ASSERT_NE(run.window, 0UL);
    ASSERT_EQ(run.line_for('X'), "Camera: 1.790000, 2.900000, 7.490000");
    run.x.request_close(run.window);
    const std::optional<int> status = run.program.wait(patience);
    ASSERT_TRUE(status) << "still running after the close request";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_EQ(run.program.out(), "");
    EXPECT_EQ(run.program.err(), "");
}

struct display_case {
    const char* name;
    bool display_variable_names_another_server;  // otherwise DISPLAY is unset
};

std::ostream& operator<<(std::ostream& out, const display_case& c) { return out << c.name; }

class DisplayOption : public ::testing::TestWithParam<display_case> {};

// GLUT's own -display option reaches glutInit and wins over the environment.
TEST_P(DisplayOption, OpensTheWindowOnTheNamedServer)
{
    xvfb server;
    x_client x(server.display());
    std::optional<xvfb> other;
    environment_changes env = {{"DISPLAY", std::nullopt}};
    if (GetParam().display_variable_names_another_server) {
        env["DISPLAY"] = other.emplace().display();
    }
    child_process program(program_command({"-display", server.display()}), env);
    const unsigned long window = x.wait_for_window("Orvena", patience);
    ASSERT_NE(window, 0UL) << "no window on the server named by -display";
    x.type('Y');
    EXPECT_EQ(program.read_line(patience), "Camera: 1.690000, 3.000000, 7.490000");
    x.type('\x1b');
    const std::optional<int> status = program.wait(patience);
    ASSERT_TRUE(status);
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_EQ(program.err(), "");
}

INSTANTIATE_TEST_SUITE_P(Environments, DisplayOption,
                         ::testing::Values(display_case{"NoDisplayVariable", false},
                                           display_case{"DisplayVariableNamesAnotherServer", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
