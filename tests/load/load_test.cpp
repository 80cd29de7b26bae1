// The real program under load on a private X server: a storm of keys through real X events,
// and windows from 1x1 to 4000x3000.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "console_model.h"
#include "scene_math.h"
#include "xvfb.h"

namespace {

const milliseconds patience(30000);

// Every character the X client can type: printable ASCII and the control keys it knows.
// Escape is left out: it ends the program.
std::vector<char> typeable_keys()
{
    std::vector<char> keys = {'\t', '\r', '\b', 127};
    for (char c = ' '; c <= '~'; ++c) {
        keys.push_back(c);
    }
    return keys;
}

// Half the storm comes from the command table, so that the eye and the light keep changing
// and a lost or reordered key shows in the lines that follow it.
std::string storm(std::size_t count, unsigned seed)
{
    const std::string commands = "XxYyZzSsRrTtOoLl1234 ";
    const std::vector<char> any = typeable_keys();
    std::mt19937 rng(seed);
    std::string keys;
    for (std::size_t i = 0; i < count; ++i) {
        if (rng() % 2 == 0) {
            keys += commands[rng() % commands.size()];
        } else {
            keys += any[rng() % any.size()];
        }
    }
    return keys;
}

TEST(Load, AStormOfKeysGivesOneLineEachInOrderAndTheProgramStillAnswers)
{
    xvfb server;
    x_client x{server.display()};
    child_process program{{ORVENA_BINARY}, {{"DISPLAY", server.display()}}};
    const unsigned long window = x.wait_for_window("Orvena", patience);
    ASSERT_NE(window, 0UL);

    // All keys go out before any line is read: the program gets them as fast as X delivers.
    const std::string keys = storm(1500, 7);
    x.type(keys);
    scene_model model;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        model.key(static_cast<unsigned char>(keys[i]));
        const std::optional<std::string> line = program.read_line(patience);
        ASSERT_TRUE(line) << "no line for key " << i << " of " << keys.size();
        ASSERT_EQ(*line, expected_line(model)) << "key " << i << " ('" << keys[i] << "')";
    }
    EXPECT_FALSE(program.read_line(milliseconds(300))) << "more lines than keys";

    x.type('r');
    EXPECT_EQ(program.read_line(patience), "Camera: 1.690000, 2.900000, 7.490000");
    EXPECT_TRUE(x.wait_for_frames(2, patience));
}

// Whether two pictures of the same scene agree, allowing a few pixels of rasteriser noise.
int differing_pixels(const image& a, const image& b)
{
    int differing = 0;
    for (std::size_t i = 0; i < a.pixels.size(); i += 3) {
        for (std::size_t c = i; c < i + 3; ++c) {
            if (std::abs(int{a.pixels[c]} - int{b.pixels[c]}) > 2) {
                ++differing;
                break;
            }
        }
    }
    return differing;
}

int lit_pixels(const image& shot)
{
    int lit = 0;
    for (std::size_t i = 0; i < shot.pixels.size(); i += 3) {
        lit += shot.pixels[i] + shot.pixels[i + 1] + shot.pixels[i + 2] > 0 ? 1 : 0;
    }
    return lit;
}

// The blue cube, centred at (1.5, 1.5, 0), covers the point where its centre projects from
// the home eye, whatever its spin: lit or not, blue clearly outweighs red there.
bool blue_cube_at_its_centre(const image& shot)
{
    const window_point centre =
        project({1.5, 1.5, 0}, camera_view(1.69F, 2.9F, 7.49F),
                window_projection(shot.width, shot.height), shot.width, shot.height);
    const rgb seen =
        shot.at(static_cast<int>(centre.x), shot.height - 1 - static_cast<int>(centre.y));
    EXPECT_GT(seen.b, seen.r + 30) << "at " << centre.x << ", " << centre.y;
    return seen.b > seen.r + 30;
}

TEST(Load, TinyAndHugeWindowsDrawAndTheNormalFrameComesBack)
{
    // Room for the whole window at its place, (100, 100): X reads back only what is on screen.
    xvfb server(4200, 3200);
    x_client x{server.display()};
    child_process program{{ORVENA_BINARY}, {{"DISPLAY", server.display()}}};
    const unsigned long window = x.wait_for_window("Orvena", patience);
    ASSERT_NE(window, 0UL);

    // Paused, with the light fixed, every frame is the same picture.
    x.type(' ');
    ASSERT_TRUE(program.read_line(patience));
    ASSERT_TRUE(x.wait_for_frames(2, patience));
    const image before = x.capture(window);
    ASSERT_GT(lit_pixels(before), 1000);
    EXPECT_TRUE(blue_cube_at_its_centre(before));

    x.resize(window, 1, 1);
    ASSERT_TRUE(x.wait_for_frames(2, patience)) << "no frame at 1x1";
    EXPECT_EQ(x.size(window), std::make_pair(1, 1));
    x.type('a');
    EXPECT_EQ(program.read_line(patience), "Camera: 1.690000, 2.900000, 7.490000");

    x.resize(window, 4000, 3000);
    ASSERT_TRUE(x.wait_for_frames(2, patience)) << "no frame at 4000x3000";
    const image huge = x.capture(window);
    ASSERT_EQ(huge.width, 4000);
    ASSERT_EQ(huge.height, 3000);
    EXPECT_TRUE(blue_cube_at_its_centre(huge));

    x.resize(window, 500, 500);
    ASSERT_TRUE(x.wait_for_frames(2, patience));
    const image after = x.capture(window);
    EXPECT_LE(differing_pixels(before, after), 20);
    x.type('a');
    EXPECT_EQ(program.read_line(patience), "Camera: 1.690000, 2.900000, 7.490000");
}

}  // namespace
