// The status overlay in frames drawn in process: where its lines start and how tall they are
// for a window's size, and what changes the first line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

#include "app/orvena.h"
#include "frame_support.h"

namespace {

// The two lines in the overlay's view, at scale 0.001, and the leftmost stroke of each
// line's first letter in GLUT's Roman font: the stem of the L (x 11.68, from 0 to 100 font
// units high) and the back of the C (x 6.66, halfway up). The C's top and bottom run flat at
// 100 and 0 from x 35.23 to 54.28.
constexpr double LINE_X = -2;
constexpr double LIGHT_LINE_Y = -2;
constexpr double CAMERA_LINE_Y = -1.8;
constexpr double SCALE = 0.001;
constexpr double L_STEM_X = 11.68 * SCALE;
constexpr double CAPITAL_HEIGHT = 100 * SCALE;
constexpr double C_BACK_X = 6.66 * SCALE;
constexpr double C_FLAT_FROM_X = 35.23 * SCALE;
constexpr double C_FLAT_TO_X = 54.28 * SCALE;

// The rows of one line, with room for its parentheses' tails, clear of the other line.
pixel_box line_band(double line_y, int width, int height)
{
    const window_point low = on_overlay({LINE_X, line_y - 0.04, 0}, width, height);
    const window_point high = on_overlay({LINE_X, line_y + 0.15, 0}, width, height);
    return {0, static_cast<int>(std::floor(low.y)), width - 1,
            static_cast<int>(std::floor(high.y))};
}

int differing(const picture& a, const picture& b, const pixel_box& box)
{
    int n = 0;
    for (int y = box.y0; y <= box.y1; ++y) {
        for (int x = box.x0; x <= box.x1; ++x) {
            n += near(a.at(x, y), b.at(x, y), 0) ? 0 : 1;
        }
    }
    record_probe("count", n);
    return n;
}

class OverlayLayout : public Frame, public testing::WithParamInterface<window_size> {};

TEST_P(OverlayLayout, LinesStartAtTheOverlaysLeftEdgeAndScaleWithTheHeight)
{
    const auto [width, height] = GetParam();
    const picture pic = draw(width, height);

    struct {
        const char* what;
        double y;
        double first_stroke_x;
        double first_stroke_y;
    } const lines[] = {
        {"light line", LIGHT_LINE_Y, L_STEM_X, CAPITAL_HEIGHT / 2},
        {"camera line", CAMERA_LINE_Y, C_BACK_X, 0.05},
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(line.what);
        const pixel_box band = line_band(line.y, width, height);
        const window_point start = on_overlay({LINE_X, line.y, 0}, width, height);
        if (start.x >= 0) {
            // Text begins at the first letter's stroke, and nothing white lies left of it.
            const window_point stroke = on_overlay(
                {LINE_X + line.first_stroke_x, line.y + line.first_stroke_y, 0}, width, height);
            EXPECT_GT(count(pic, box_around(stroke, 2), is_white), 0)
                << "no text at (" << stroke.x << ", " << stroke.y << ")";
            const pixel_box margin = {0, band.y0, static_cast<int>(std::floor(start.x)) - 3,
                                      band.y1};
            EXPECT_EQ(count(pic, margin, is_white), 0) << "text left of x = " << start.x;
        } else {
            // The beginning falls outside: the line runs off the window's left edge.
            const pixel_box edge = {0, band.y0, 3, band.y1};
            EXPECT_GT(count(pic, edge, is_white), 0) << "the line does not reach the left edge";
        }
    }

    // Each line's first letter is CAPITAL_HEIGHT of the overlay's units tall, whatever the
    // width: measured over the L's stem, and over the flat top and bottom of the C.
    struct {
        const char* what;
        double y;
        double from_x;
        double to_x;
    } const letters[] = {
        {"L", LIGHT_LINE_Y, L_STEM_X, L_STEM_X},
        {"C", CAMERA_LINE_Y, C_FLAT_FROM_X, C_FLAT_TO_X},
    };
    for (const auto& letter : letters) {
        const window_point foot = on_overlay({LINE_X + letter.from_x, letter.y, 0}, width, height);
        const window_point top =
            on_overlay({LINE_X + letter.to_x, letter.y + CAPITAL_HEIGHT, 0}, width, height);
        if (foot.x < 0) {
            continue;
        }
        const pixel_box band = line_band(letter.y, width, height);
        const int left = static_cast<int>(std::floor(foot.x)) - 1;
        const int right = static_cast<int>(std::floor(top.x)) + 1;
        int lowest = band.y1 + 1;
        int highest = band.y0 - 1;
        for (int y = band.y0; y <= band.y1; ++y) {
            if (count_unrecorded(pic, {left, y, right, y}, is_white) > 0) {
                lowest = std::min(lowest, y);
                highest = std::max(highest, y);
            }
        }
        record_probe("extent", lowest, highest);
        EXPECT_NEAR(lowest, std::floor(foot.y), 1.5) << "foot of the " << letter.what;
        EXPECT_NEAR(highest, std::floor(top.y), 1.5) << "top of the " << letter.what;
    }
}

// Square, wide, just wide enough for the line starts, too narrow for them (cut off), and a
// larger square whose taller window makes taller text.
INSTANTIATE_TEST_SUITE_P(Sizes, OverlayLayout,
                         testing::Values(window_size{500, 500}, window_size{800, 500},
                                         window_size{450, 500}, window_size{400, 500},
                                         window_size{800, 800}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

constexpr int SIZE = 500;

TEST_F(Frame, LightLineChangesWithTheModeAndCameraLineDoesNot)
{
    const pixel_box light_band = line_band(LIGHT_LINE_Y, SIZE, SIZE);
    const pixel_box camera_band = line_band(CAMERA_LINE_Y, SIZE, SIZE);
    picture frames[3];
    for (std::int32_t mode : {LIGHT_FIXED, LIGHT_MOVING, LIGHT_VIEWPOINT}) {
        light_mode = mode;
        frames[mode] = draw(SIZE, SIZE);
        EXPECT_GT(count(frames[mode], light_band, is_white), 50) << "mode " << mode;
    }
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            EXPECT_GT(differing(frames[a], frames[b], light_band), 20)
                << "modes " << a << " and " << b << " show the same light line";
            EXPECT_EQ(differing(frames[a], frames[b], camera_band), 0)
                << "modes " << a << " and " << b << " change the camera line";
        }
    }
}

TEST_F(Frame, MovingLightLineKeepsTheStoredPositionWhileTheLightTurns)
{
    light_mode = LIGHT_MOVING;
    light_angle = 0;
    const picture before = draw(SIZE, SIZE);
    light_angle = 40;
    const picture after = draw(SIZE, SIZE);

    // The light did turn: (0, 3, 0) by 40 degrees about Z, far from the text.
    EXPECT_GE(marker_pixels(after, {-1.928363, 2.298133, 0}), MARKER_SEEN);
    const pixel_box band = line_band(LIGHT_LINE_Y, SIZE, SIZE);
    EXPECT_GT(count(after, band, is_white), 50);
    EXPECT_EQ(differing(before, after, band), 0);
}

}  // namespace
