// The Windows program under Wine, through the end-to-end harness: its window inside the frame
// Windows gives it, the console lines with Windows' line ends, the ways it ends, what it does
// with DISPLAY and GLUT's X11 options, and its command line.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include "console_model.h"
#include "session.h"

namespace {

// A Windows program's standard output is in text mode: every "\n" it prints arrives as "\r\n".
std::string crlf(const std::string& line) { return line + "\r"; }

const std::string home_line = "Camera: 1.690000, 2.900000, 7.490000";

bool exited_with_zero(const std::optional<int>& status)
{
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
}

// freeglut on Windows takes the window's place as the frame's outer corner and its size as the
// drawing area's, while X11 places the drawing area itself. Wine makes the X window of the
// drawing area only, so that window lies inside the asked place by the frame: the border on
// the left, the border and the title bar above, the same in every run.
TEST(WindowsWindow, IsItsDrawingAreaPlacedInsideTheFrame)
{
    session plain;
    ASSERT_NE(plain.window, 0UL);
    EXPECT_EQ(plain.x.title(plain.window), "Orvena");
    EXPECT_EQ(plain.x.size(plain.window), std::make_pair(500, 500));
    const auto [x, y] = plain.x.position(plain.window);
    const int border = x - 100;
    const int top = y - 100;
    EXPECT_GT(border, 0) << "no frame left of the drawing area";
    EXPECT_GT(top, border) << "no title bar above the drawing area";
    EXPECT_TRUE(plain.escape_exits_cleanly());

    session placed({"-geometry", "640x480+10+20"});
    ASSERT_NE(placed.window, 0UL);
    EXPECT_EQ(placed.x.size(placed.window), std::make_pair(640, 480));
    EXPECT_EQ(placed.x.position(placed.window), std::make_pair(10 + border, 20 + top));
    EXPECT_TRUE(placed.escape_exits_cleanly());
    EXPECT_EQ(plain.program.err() + placed.program.err(), "");
}

// Every row of the command table in both cases, keys with no row, and the control characters
// that Windows delivers as characters too (Tab, Return, BackSpace): one line each, in order.
TEST(WindowsKeys, EveryKeyPrintsTheModelsLineWithCrlf)
{
    const std::string keys = "XXXXXXXXXXXxYyZzSsOoRrTtLl1234 aAqQ90-=?,.;/[!@\t\r\bOXxxXYyyYSZzSsz";
    session run;
    ASSERT_NE(run.window, 0UL);
    scene_model eye;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        eye.key(static_cast<unsigned char>(keys[i]));
        ASSERT_EQ(run.line_for(keys[i]), crlf(expected_line(eye)))
            << "key " << i << " (code " << static_cast<int>(keys[i]) << ")";
    }
    // Special keys print nothing (F3 shows a panel): the next line is the camera key's own.
    for (const char* name : {"Left", "F3", "Home", "Shift_L"}) {
        run.x.press(name);
    }
    eye.key('Y');
    ASSERT_EQ(run.line_for('Y'), crlf(expected_line(eye)));
    ASSERT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(run.program.out(), "");
    EXPECT_EQ(run.program.err(), "");
}

struct ending {
    const char* name;
    bool close_request;  // otherwise Escape
};

std::ostream& operator<<(std::ostream& out, const ending& c) { return out << c.name; }

class WindowsEnding : public ::testing::TestWithParam<ending> {};

TEST_P(WindowsEnding, GivesStatusZeroAndNothingMore)
{
    session run;
    ASSERT_NE(run.window, 0UL);
    ASSERT_EQ(run.line_for('X'), crlf("Camera: 1.790000, 2.900000, 7.490000"));
    if (GetParam().close_request) {
        run.x.request_close(run.window);
    } else {
        run.x.type('\x1b');
    }
    const std::optional<int> status = run.program.wait(patience);
    ASSERT_TRUE(status) << "still running";
    EXPECT_TRUE(exited_with_zero(status)) << "status " << *status;
    EXPECT_EQ(run.program.out(), "");
    EXPECT_EQ(run.program.err(), "");
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowsEnding,
                         ::testing::Values(ending{"Escape", false}, ending{"CloseRequest", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// DISPLAY names an X server (Wine passes the Unix one on; X servers for other tools set it on
// Windows too), which Windows cannot open: the program leaves it alone, so freeglut does not
// warn. -display is still GLUT's, and names a Windows display device. -direct, -indirect and
// -sync are X11's: taken and ignored.
struct option_case {
    const char* name;
    std::vector<std::string> args;
    const char* err_has;  // "" for an empty standard error
};

std::ostream& operator<<(std::ostream& out, const option_case& c) { return out << c.name; }

class WindowsOptions : public ::testing::TestWithParam<option_case> {};

TEST_P(WindowsOptions, OpenTheWindowAndAnswerKeys)
{
    const option_case& c = GetParam();
    session run(c.args);
    ASSERT_NE(run.window, 0UL);
    EXPECT_EQ(run.x.size(run.window), std::make_pair(500, 500));
    ASSERT_EQ(run.line_for('a'), crlf(home_line));
    ASSERT_TRUE(run.escape_exits_cleanly());
    if (std::string(c.err_has).empty()) {
        EXPECT_EQ(run.program.err(), "");
    } else {
        EXPECT_NE(run.program.err().find(c.err_has), std::string::npos) << run.program.err();
    }
}

// The X display's own name, handed over as -display, is what DISPLAY would have told freeglut.
const std::vector<std::string> x_display_option = {"-display", ":0"};

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowsOptions,
    ::testing::Values(
        option_case{"DisplayVariableOfTheXServer", {}, ""},
        option_case{"DisplayOptionNamingAnXDisplay", x_display_option, "CreateDC failed"},
        option_case{"DisplayOptionNamingAWindowsDisplay", {"-display", "\\\\.\\DISPLAY1"}, ""},
        option_case{"Direct", {"-direct"}, ""}, option_case{"Indirect", {"-indirect"}, ""},
        option_case{"Sync", {"-sync"}, ""}, option_case{"GlDebug", {"-gldebug"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The command line ends the program before any window, on its own X server as Wine needs one.
struct run_result {
    int status = -1;
    std::string out;
    std::string err;
};

run_result run_to_end(const std::vector<std::string>& args)
{
    xvfb server;
    child_process program(program_command(args), {{"DISPLAY", server.display()}});
    const std::optional<int> status = program.wait(patience);
    run_result result;
    if (status && WIFEXITED(*status)) {
        result.status = WEXITSTATUS(*status);
    }
    result.out = program.out();
    result.err = program.err();
    return result;
}

TEST(WindowsCommandLine, VersionHelpAndAMistypedOption)
{
    const run_result version = run_to_end({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("orvena ") + ORVENA_VERSION + "\r\n");
    EXPECT_EQ(version.err, "");

    const run_result help = run_to_end({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: orvena [GLUT option]...\r\n", 0), 0U) << help.out;
    for (const char* text :
         {"\r\n  L, l ", "\r\n  F1 ", "\r\n  Escape ", "-geometry", "frame's outer corner",
          "-display DEVICE", "\\\\.\\DISPLAY1", "-direct, -indirect and -sync", "README.txt"}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(help.out.find("man 6"), std::string::npos) << "no manual pages on Windows";
    EXPECT_EQ(help.err, "");

    const run_result mistyped = run_to_end({"-geometery", "800x500"});
    EXPECT_EQ(mistyped.status, 2);
    EXPECT_EQ(mistyped.err, "orvena: unknown argument '-geometery'; see orvena --help\r\n");
    EXPECT_EQ(mistyped.out, "");
}

}  // namespace
