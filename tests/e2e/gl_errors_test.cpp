// The real program through every light mode, light preset, camera key and a few window sizes
// with GL error reporting on: freeglut's -gldebug checks glGetError after each pass of its
// loop and Mesa's MESA_DEBUG reports every call it rejects, both on standard error.
#include <gtest/gtest.h>

#include <sstream>

#include "session.h"

namespace {

// The lines that report a GL error: freeglut's "... GL error: <what>" after each pass of its
// loop and Mesa's "Mesa: User error: <error> in <call>" for each call it rejects.
std::vector<std::string> error_lines(const std::string& text)
{
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("GL error") != std::string::npos ||
            line.find("Mesa: User error") != std::string::npos) {
            found.push_back(line);
        }
    }
    return found;
}

class GlErrors : public ::testing::TestWithParam<bool> {};

// Once with the teaching panels hidden, once with all three shown.
TEST_P(GlErrors, NoneInAnyModePresetCameraKeyOrWindowSize)
{
    session run({"-gldebug"}, {{"MESA_DEBUG", "1"}});
    ASSERT_NE(run.window, 0UL);
    if (GetParam()) {
        for (const char* key : {"F1", "F2", "F3"}) {
            run.x.press(key);
        }
    }

    // A frame drawn after the last key, so that every state reached is also drawn.
    const auto keys_then_frames = [&run](const std::string& keys) {
        for (char c : keys) {
            ASSERT_TRUE(run.line_for(c)) << "no line for key " << static_cast<int>(c);
        }
        ASSERT_TRUE(run.x.wait_for_frames(2, patience));
    };

    for (int mode = 0; mode < 3; ++mode) {
        for (char preset : std::string("1234")) {
            ASSERT_NO_FATAL_FAILURE(keys_then_frames(std::string(1, preset)));
        }
        ASSERT_NO_FATAL_FAILURE(keys_then_frames("XxYyZzSsOoTtRr  "));
        ASSERT_NO_FATAL_FAILURE(keys_then_frames("L"));
    }
    const std::pair<int, int> sizes[] = {{800, 500}, {400, 500}, {120, 300}, {1, 1}, {500, 500}};
    for (const auto& [width, height] : sizes) {
        run.x.resize(run.window, width, height);
        // The key is handled after the resize; its frame is drawn at the new size.
        ASSERT_NO_FATAL_FAILURE(keys_then_frames("a")) << width << "x" << height;
        ASSERT_EQ(run.x.size(run.window), std::make_pair(width, height));
    }

    ASSERT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(error_lines(run.program.err()), std::vector<std::string>()) << run.program.err();
    EXPECT_EQ(run.program.out(), "");
}

INSTANTIATE_TEST_SUITE_P(Panels, GlErrors, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Shown" : "Hidden";
                         });

}  // namespace
