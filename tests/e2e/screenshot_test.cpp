// A screenshot of the real window against the scene's maths: the light marker, the three
// axes and the start of the overlay's lines where gluProject puts them, at a few window sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "scene_math.h"
#include "session.h"

namespace {

// Unlit lines and text are drawn in the colour table's exact colours; allow a few /255.
constexpr int TOLERANCE = 3;
const rgb WHITE_PIXEL = {255, 255, 255};
const rgb BLACK_PIXEL = {0, 0, 0};

const char* const HOME_LINE = "Camera: 1.690000, 2.900000, 7.490000";

bool close_to(const rgb& a, const rgb& b)
{
    return std::abs(a.r - b.r) <= TOLERANCE && std::abs(a.g - b.g) <= TOLERANCE &&
           std::abs(a.b - b.b) <= TOLERANCE;
}

// Window pixels, inclusive, with y from the bottom as gluProject gives it.
struct box {
    int left, bottom, right, top;
};

box around(const window_point& p, int left, int bottom, int right, int top)
{
    const int x = static_cast<int>(std::floor(p.x));
    const int y = static_cast<int>(std::floor(p.y));
    return {x + left, y + bottom, x + right, y + top};
}

// How many pixels of the box, clipped to the picture, have the colour.
int count_in(const image& shot, const box& b, const rgb& colour)
{
    int count = 0;
    for (int y = std::max(b.bottom, 0); y <= std::min(b.top, shot.height - 1); ++y) {
        for (int x = std::max(b.left, 0); x <= std::min(b.right, shot.width - 1); ++x) {
            // The picture's rows run from the top.
            count += close_to(shot.at(x, shot.height - 1 - y), colour) ? 1 : 0;
        }
    }
    return count;
}

int area(const box& b) { return (b.right - b.left + 1) * (b.top - b.bottom + 1); }

std::string describe(const box& b)
{
    std::ostringstream text;
    text << "x " << b.left << ".." << b.right << ", y " << b.bottom << ".." << b.top
         << " (from the bottom)";
    return text.str();
}

class Screenshot : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(Screenshot, MarkerAxesAndOverlayStartWhereTheMathsPutsThem)
{
    // Plain variables, not a structured binding: C++17 does not let the lambda below capture one.
    const int width = GetParam().first;
    const int height = GetParam().second;
    session run;
    ASSERT_NE(run.window, 0UL);
    // Paused, with the light fixed, every frame is the same picture.
    ASSERT_EQ(run.line_for(' '), HOME_LINE);
    run.x.resize(run.window, width, height);
    ASSERT_EQ(run.line_for('a'), HOME_LINE);
    ASSERT_TRUE(run.x.wait_for_frames(2, patience));
    ASSERT_EQ(run.x.size(run.window), std::make_pair(width, height));
    const image shot = run.x.capture(run.window);

    const mat4 camera = camera_view(1.69F, 2.9F, 7.49F);
    const mat4 projection = window_projection(width, height);
    const auto scene_point = [&](const vec3& p) {
        return project(p, camera, projection, width, height);
    };

    // The marker, a 0.1 wire cube around the light at (0, 3, 0): its front left edge and its
    // front bottom edge, clear of the Y label, which starts at the light and runs to the
    // upper right.
    for (const vec3& edge : {vec3{-0.05, 3, 0.05}, vec3{0, 2.95, 0.05}}) {
        const box b = around(scene_point(edge), -1, -1, 1, 1);
        EXPECT_GT(count_in(shot, b, WHITE_PIXEL), 0)
            << "no marker edge at " << describe(b) << " for (" << edge[0] << ", " << edge[1] << ", "
            << edge[2] << ")";
    }

    // The axes, 2 pixels wide, at points that no cube can hide and no label reaches.
    const struct {
        vec3 point;
        rgb colour;
    } axis_points[] = {
        {{-2, 0, 0}, {255, 0, 0}}, {{0, -2, 0}, {0, 255, 0}}, {{0, 0, 1.5}, {0, 0, 255}}};
    for (const auto& axis : axis_points) {
        const box b = around(scene_point(axis.point), -2, -2, 2, 2);
        EXPECT_GT(count_in(shot, b, axis.colour), 0)
            << "axis colour missing at " << describe(b) << " for (" << axis.point[0] << ", "
            << axis.point[1] << ", " << axis.point[2] << ")";
    }

    // Each overlay line starts where its start point projects through the overlay's view:
    // white strokes of the first letter just to the right, nothing but background to the left.
    for (const vec3& start : {vec3{-2, -2, 0}, vec3{-2, -1.8, 0}}) {
        const window_point p = project(start, overlay_view(), projection, width, height);
        const box letter = around(p, -1, -1, 10, 11);
        EXPECT_GT(count_in(shot, letter, WHITE_PIXEL), 0)
            << "no text at " << describe(letter) << " for the line starting at y " << start[1];
        const box before = around(p, -12, 0, -3, 9);
        EXPECT_EQ(count_in(shot, before, BLACK_PIXEL), area(before))
            << "not background at " << describe(before) << " left of the line starting at y "
            << start[1];
    }

    ASSERT_TRUE(run.escape_exits_cleanly());
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, Screenshot,
                         ::testing::Values(std::make_pair(500, 500), std::make_pair(800, 500),
                                           std::make_pair(600, 400)),
                         [](const auto& info) {
                             return std::to_string(info.param.first) + "x" +
                                    std::to_string(info.param.second);
                         });

}  // namespace
