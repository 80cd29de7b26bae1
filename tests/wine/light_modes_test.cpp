// The Windows program's frames under Wine, probed in each light mode where gluProject puts the
// scene: the blue cube's top face in the colour the lighting equation gives it, and the light
// marker there or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scene_math.h"
#include "session.h"

namespace {

constexpr int TOLERANCE = 3;
const vec3 HOME_EYE = {1.69F, 2.9F, 7.49F};

// Window pixels, y from the bottom as gluProject gives it.
int count_near(const image& shot, const window_point& p, int radius, const rgb& colour)
{
    const int cx = static_cast<int>(std::floor(p.x));
    const int cy = static_cast<int>(std::floor(p.y));
    int count = 0;
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if (x < 0 || y < 0 || x >= shot.width || y >= shot.height) {
                continue;
            }
            const rgb pixel = shot.at(x, shot.height - 1 - y);
            count += std::abs(pixel.r - colour.r) <= TOLERANCE &&
                             std::abs(pixel.g - colour.g) <= TOLERANCE &&
                             std::abs(pixel.b - colour.b) <= TOLERANCE
                         ? 1
                         : 0;
        }
    }
    return count;
}

// The blue cube's top face turns about its own vertical axis, so whatever the cube's angle its
// centre is on screen at the same place and is the top face. Gouraud shading gives it a colour
// between those of its corners, each lit by the lighting equation with the defaults the
// program keeps: global ambient 0.2, a white light with no ambient part, no specular, no
// attenuation. The range is taken over the corners at every angle the animation can reach.
struct colour_range {
    std::array<double, 3> low = {1, 1, 1};
    std::array<double, 3> high = {0, 0, 0};
};

colour_range blue_top_face(const vec3& light)
{
    const std::array<double, 3> material = {0.0, 0.5, 1.0};
    colour_range range;
    for (int angle = 0; angle <= 360; angle += 5) {
        const mat4 model = multiply(translation(1.5, 1.5, 0), rotation(angle, 0, 1, 0));
        for (const double cx : {-0.25, 0.25}) {
            for (const double cz : {-0.25, 0.25}) {
                const vec3 corner = transform_point(model, {cx, 0.25, cz});
                const vec3 to_light = {light[0] - corner[0], light[1] - corner[1],
                                       light[2] - corner[2]};
                const double length =
                    std::sqrt(to_light[0] * to_light[0] + to_light[1] * to_light[1] +
                              to_light[2] * to_light[2]);
                const double diffuse = std::max(0.0, to_light[1] / length);  // N = +Y
                for (int c = 0; c < 3; ++c) {
                    const double value = std::min(1.0, material[c] * (0.2 + diffuse));
                    range.low[c] = std::min(range.low[c], value);
                    range.high[c] = std::max(range.high[c], value);
                }
            }
        }
    }
    return range;
}

bool within(const rgb& pixel, const colour_range& range)
{
    const int channel[3] = {pixel.r, pixel.g, pixel.b};
    for (int c = 0; c < 3; ++c) {
        if (channel[c] < 255 * range.low[c] - TOLERANCE ||
            channel[c] > 255 * range.high[c] + TOLERANCE) {
            return false;
        }
    }
    return true;
}

// Where the light is in the world. At the viewpoint the light's position is taken in eye
// coordinates; key 4 puts it at the eye's origin, the eye itself.
struct light_case {
    const char* name;
    const char* keys;  // after the space bar has paused the cubes
    vec3 light;
    bool marker;  // drawn at the light
};

std::ostream& operator<<(std::ostream& out, const light_case& c) { return out << c.name; }

class WindowsLightModes : public ::testing::TestWithParam<light_case> {};

TEST_P(WindowsLightModes, LightTheTopFaceAndMarkTheLightAsTheMathsSays)
{
    const light_case& c = GetParam();
    session run;
    ASSERT_NE(run.window, 0UL);
    for (const char key : " " + std::string(c.keys)) {
        ASSERT_EQ(run.line_for(key), "Camera: 1.690000, 2.900000, 7.490000\r");
    }
    ASSERT_TRUE(run.x.wait_for_frames(2, patience));
    const image shot = run.x.capture(run.window);
    ASSERT_EQ(shot.width, 500);
    ASSERT_EQ(shot.height, 500);

    const mat4 camera = camera_view(1.69F, 2.9F, 7.49F);
    const mat4 projection = window_projection(500, 500);
    const auto seen = [&](const vec3& p) { return project(p, camera, projection, 500, 500); };

    const window_point face = seen({1.5, 1.75, 0});
    const rgb pixel = shot.at(static_cast<int>(face.x), 499 - static_cast<int>(face.y));
    const colour_range expected = blue_top_face(c.light);
    EXPECT_TRUE(within(pixel, expected))
        << "top face " << pixel.r << ", " << pixel.g << ", " << pixel.b << "; expected "
        << 255 * expected.low[1] << ".." << 255 * expected.high[1] << " green, "
        << 255 * expected.low[2] << ".." << 255 * expected.high[2] << " blue";

    // The marker, a 0.1 wire cube around the light: its front left and front bottom edges,
    // which at the start position are clear of the Y label, and in front of the axes at the
    // origin. Without a marker, nothing white where it would be at the origin.
    const vec3 centre = c.marker ? c.light : vec3{0, 0, 0};
    for (const vec3& edge : {vec3{-0.05, 0, 0.05}, vec3{0, -0.05, 0.05}}) {
        const vec3 point = {centre[0] + edge[0], centre[1] + edge[1], centre[2] + edge[2]};
        const int white = count_near(shot, seen(point), 1, {255, 255, 255});
        if (c.marker) {
            EXPECT_GT(white, 0) << "no marker edge at " << point[0] << ", " << point[1] << ", "
                                << point[2];
        } else {
            EXPECT_EQ(white, 0) << "a marker edge at " << point[0] << ", " << point[1] << ", "
                                << point[2];
        }
    }
    ASSERT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(run.program.err(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, WindowsLightModes,
    ::testing::Values(light_case{"FixedAboveTheOrigin", "", {0, 3, 0}, true},
                      light_case{"MovingParkedAtTheOrigin", "L4", {0, 0, 0}, true},
                      light_case{"AtTheViewpointOnTheEye", "LL4", HOME_EYE, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
