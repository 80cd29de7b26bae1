// Real key presses into the running program against the tests' own model of the command
// table: one console line per key, in order, each with the eye the model predicts.
#include <gtest/gtest.h>

#include <random>

#include "console_model.h"
#include "session.h"

namespace {

// Every row of the command table in both cases, and keys with no row: letters, digits,
// punctuation and the control characters GLUT delivers as keys (Tab, Return, BackSpace,
// Delete).
const std::string every_command = "XxYyZzSsOoRrTtLl1234 "
                                  "aAqQ90-=?,.;/[!@\t\r\b\x7f";
const std::string camera_keys = "XxYyZzXxYyZzXYZ";

// A fixed opening that walks the whole table, including the zero crossings after O where
// 32-bit rounding shows (a tiny remainder or a negative zero), then a long seeded mix.
std::string long_key_sequence()
{
    std::string keys = "XXXXXXXXXX" + every_command + "OXxxXYyyYSZzSsz" + every_command;
    std::mt19937 pick(20240531);
    const std::string pool = every_command + camera_keys + camera_keys;
    for (int i = 0; i < 250; ++i) {
        keys += pool[pick() % pool.size()];
    }
    return keys;
}

TEST(ModelOfTheCommandTable, KnowsTheWorkedValues)
{
    scene_model eye;
    for (int i = 0; i < 10; ++i) {
        eye.key('X');
    }
    EXPECT_EQ(expected_line(eye), "Camera: 2.690000, 2.900000, 7.490000");
    eye.key('S');
    EXPECT_EQ(expected_line(eye), "Camera: 2.690000, 2.900000, -7.490000");
    eye.key('O');
    eye.key('s');
    EXPECT_EQ(expected_line(eye), "Camera: 0.000000, 0.000000, -5.000000");
}

TEST(Keys, EveryKeyPrintsTheEyeTheCommandTablePredictsInOrder)
{
    session run;
    ASSERT_NE(run.window, 0UL);
    scene_model eye;
    const std::string keys = long_key_sequence();
    ASSERT_GE(keys.size(), 100U);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        eye.key(static_cast<unsigned char>(keys[i]));
        ASSERT_EQ(run.line_for(keys[i]), expected_line(eye))
            << "key " << i << " (code " << static_cast<int>(keys[i]) << ")";
    }
    ASSERT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(run.program.out(), "") << "lines after the last key or after Escape";
    EXPECT_EQ(run.program.err(), "");
}

// Keys that GLUT hands to the special-key callback, modifiers on their own included.
// F1 to F3 show and hide the teaching panels, which is no scene setting and prints nothing.
const char* const special_keys[] = {"Left",    "Right",     "Up",    "Down",    "F1",
                                    "F2",      "F3",        "F5",    "F10",     "F12",
                                    "Home",    "End",       "Prior", "Next",    "Insert",
                                    "Shift_L", "Control_L", "Alt_L", "Shift_R", "Control_R"};

TEST(Keys, SpecialKeysPrintNothingAndChangeNothing)
{
    session run;
    ASSERT_NE(run.window, 0UL);
    scene_model eye;
    // After each special key a camera key: a line printed for the special key would carry
    // the eye from before that camera key and show up first.
    const std::string sentinels = "XYZxyz";
    std::size_t next = 0;
    for (const char* name : special_keys) {
        run.x.press(name);
        const char sentinel = sentinels[next++ % sentinels.size()];
        eye.key(sentinel);
        ASSERT_EQ(run.line_for(sentinel), expected_line(eye)) << "after " << name;
    }
    ASSERT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(run.program.out(), "");
    EXPECT_EQ(run.program.err(), "");
}

}  // namespace
