// Real key presses into the running program against a small model of the command table of
// its own: one console line per key, in order, each with the eye the model predicts.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "session.h"

namespace {

// The eye as the command table moves it: steps added in double precision and stored back
// as 32-bit floats, as the program keeps it.
struct eye_model {
    float x = 1.69F;
    float y = 2.9F;
    float z = 7.49F;

    void key(char c)
    {
        switch (c) {
        case 'X':
            add(x, 0.1);
            break;
        case 'x':
            add(x, -0.1);
            break;
        case 'Y':
            add(y, 0.1);
            break;
        case 'y':
            add(y, -0.1);
            break;
        case 'Z':
            add(z, 0.1);
            break;
        case 'z':
            add(z, -0.1);
            break;
        case 'S':
        case 's':
            z = static_cast<float>(static_cast<double>(z) * -1.0);
            break;
        case 'O':
        case 'o':
            x = 0;
            y = 0;
            z = 5;
            break;
        case 'R':
        case 'r':
            *this = eye_model();
            break;
        case 'T':
        case 't':
            *this = eye_model();
            z = -7.49F;
            break;
        default:
            break;  // light, animation and unmapped keys leave the eye alone
        }
    }

    std::string line() const
    {
        char text[128];
        std::snprintf(text, sizeof text, "Camera: %f, %f, %f", x, y, z);
        return text;
    }

  private:
    static void add(float& coordinate, double step)
    {
        coordinate = static_cast<float>(static_cast<double>(coordinate) + step);
    }
};

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
    eye_model eye;
    for (int i = 0; i < 10; ++i) {
        eye.key('X');
    }
    EXPECT_EQ(eye.line(), "Camera: 2.690000, 2.900000, 7.490000");
    eye.key('S');
    EXPECT_EQ(eye.line(), "Camera: 2.690000, 2.900000, -7.490000");
    eye.key('O');
    eye.key('s');
    EXPECT_EQ(eye.line(), "Camera: 0.000000, 0.000000, -5.000000");
}

TEST(Keys, EveryKeyPrintsTheEyeTheCommandTablePredictsInOrder)
{
    session run;
    ASSERT_NE(run.window, 0UL);
    eye_model eye;
    const std::string keys = long_key_sequence();
    ASSERT_GE(keys.size(), 100U);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        eye.key(keys[i]);
        ASSERT_EQ(run.line_for(keys[i]), eye.line())
            << "key " << i << " (code " << static_cast<int>(keys[i]) << ")";
    }
    ASSERT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(run.program.out(), "") << "lines after the last key or after Escape";
    EXPECT_EQ(run.program.err(), "");
}

// Keys that GLUT hands to the special-key callback, modifiers on their own included.
const char* const special_keys[] = {"Left",      "Right", "Up",      "Down",     "F1",
                                    "F2",        "F5",    "F10",     "F12",      "Home",
                                    "End",       "Prior", "Next",    "Insert",   "Shift_L",
                                    "Control_L", "Alt_L", "Shift_R", "Control_R"};

TEST(Keys, SpecialKeysPrintNothingAndChangeNothing)
{
    session run;
    ASSERT_NE(run.window, 0UL);
    eye_model eye;
    // After each special key a camera key: a line printed for the special key would carry
    // the eye from before that camera key and show up first.
    const std::string sentinels = "XYZxyz";
    std::size_t next = 0;
    for (const char* name : special_keys) {
        run.x.press(name);
        const char sentinel = sentinels[next++ % sentinels.size()];
        eye.key(sentinel);
        ASSERT_EQ(run.line_for(sentinel), eye.line()) << "after " << name;
    }
    ASSERT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(run.program.out(), "");
    EXPECT_EQ(run.program.err(), "");
}

}  // namespace
