// The program's command line: --help and --version need no display, GLUT takes its own
// options, and anything GLUT does not take is an error before any window opens.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <string>
#include <vector>

#include "session.h"

namespace {

struct run_result {
    int status = -1;  // exit status, or -1 if the program did not exit by itself in time
    std::string out;
    std::string err;
    int windows = 0;  // windows it created on the server
};

// Runs the program to its end on a server of its own, with DISPLAY naming that server or
// unset. "{server}" in args stands for the server's name.
run_result run(std::vector<std::string> args, bool display_variable)
{
    xvfb server;
    x_client x(server.display());
    for (std::string& arg : args) {
        arg = arg == "{server}" ? server.display() : arg;
    }
    environment_changes env = {{"DISPLAY", std::nullopt}};
    if (display_variable) {
        env["DISPLAY"] = server.display();
    }
    child_process program(program_command(args), env);
    const std::optional<int> status = program.wait(patience);
    run_result result;
    if (status && WIFEXITED(*status)) {
        result.status = WEXITSTATUS(*status);
    }
    result.out = program.out();
    result.err = program.err();
    result.windows = x.windows_created();
    return result;
}

const std::string version_line = std::string("orvena ") + ORVENA_VERSION + "\n";

struct argument_case {
    const char* name;
    std::vector<std::string> args;
    bool display_variable;
    int status;
    const char* err_has;  // "" for an empty standard error
};

std::ostream& operator<<(std::ostream& out, const argument_case& c) { return out << c.name; }

class Arguments : public ::testing::TestWithParam<argument_case> {};

// Each run ends by itself, with the status, the error line and no window.
TEST_P(Arguments, EndWithoutAWindow)
{
    const argument_case& c = GetParam();
    const run_result r = run(c.args, c.display_variable);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.windows, 0);
    if (std::string(c.err_has).empty()) {
        EXPECT_EQ(r.err, "");
    } else {
        EXPECT_NE(r.err.find(c.err_has), std::string::npos) << r.err;
    }
    if (c.status == 0) {
        EXPECT_FALSE(r.out.empty());
    } else {
        EXPECT_EQ(r.out, "");
    }
}

const char* const unknown_geometery = "orvena: unknown argument '-geometery'; see orvena --help\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, Arguments,
    ::testing::Values(
        argument_case{"HelpWithoutDisplay", {"--help"}, false, 0, ""},
        argument_case{"HelpWithDisplay", {"--help"}, true, 0, ""},
        argument_case{"VersionWithoutDisplay", {"--version"}, false, 0, ""},
        argument_case{"VersionAfterAGlutOption", {"-gldebug", "--version"}, true, 0, ""},
        // GLUT reads its options as it opens the display, so without one that is the error.
        argument_case{"MistypedOptionWithoutDisplay",
                      {"-geometery", "800x500"},
                      false,
                      1,
                      "failed to open display"},
        argument_case{
            "MistypedOptionWithDisplay", {"-geometery", "800x500"}, true, 2, unknown_geometery},
        argument_case{"MistypedOptionAfterDisplayOption",
                      {"-display", "{server}", "-geometery", "800x500"},
                      false,
                      2,
                      unknown_geometery},
        argument_case{
            "NotAnOptionWithoutDisplay", {"notes.txt"}, false, 1, "failed to open display"},
        argument_case{"NotAnOptionWithDisplay",
                      {"-geometry", "600x400", "notes.txt"},
                      true,
                      2,
                      "orvena: unknown argument 'notes.txt'; see orvena --help\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Version, IsTheProjectVersion)
{
    EXPECT_EQ(run({"--version"}, false).out, version_line);
    EXPECT_EQ(run({"--help", "--version"}, false).out.rfind("Usage: orvena", 0), 0U)
        << "the first of --help and --version wins";
}

// The keys --help lists are the keys the program answers: every key of the command table,
// each on one line, the function keys of the teaching panels, and Escape.
TEST(Help, ListsEveryKeyTheManualPageAndGlutsOptions)
{
    const std::string out = run({"--help"}, false).out;
    for (const char* key :
         {"X", "x", "Y", "y", "Z",    "z",     "S, s", "R, r", "T, t", "O, o",
          "1", "2", "3", "4", "L, l", "space", "F1",   "F2",   "F3",   "Escape"}) {
        EXPECT_NE(out.find(std::string("\n  ") + key + " "), std::string::npos) << key;
    }
    for (const char* option : {"-display", "-geometry", "-gldebug", "-direct", "-indirect",
                               "-iconic", "-sync", "man 6 orvena"}) {
        EXPECT_NE(out.find(option), std::string::npos) << option;
    }
}

// A GLUT option that works still reaches GLUT: the window takes the asked size and place.
TEST(GlutOption, GeometrySizesAndPlacesTheWindow)
{
    session run({"-geometry", "640x480+10+20"});
    ASSERT_NE(run.window, 0UL);
    EXPECT_EQ(run.x.size(run.window), std::make_pair(640, 480));
    EXPECT_EQ(run.x.position(run.window), std::make_pair(10, 20));
    EXPECT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(run.program.err(), "");
}

}  // namespace
