// The teaching panels without a display: the function keys' toggles, the key list that --help
// and the key panel share, the light-calls text, and the sums behind the view from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/orvena.h"
#include "app/panels.h"
#include "input/commands.h"
#include "render/light_calls.h"
#include "render/outside_camera.h"
#include "scene_math.h"
#include "scene_start.h"

namespace {

void hide_panels() { std::fill(std::begin(panel_shown), std::end(panel_shown), false); }

std::vector<float> scene_values()
{
    return {cam_x,         cam_y,         cam_z,         static_cast<float>(animate),
            ang_obj1,      ang_obj2,      light_angle,   static_cast<float>(light_mode),
            light_pos[0],  light_pos[1],  light_pos[2],  light_pos[3],
            light_axis[0], light_axis[1], light_axis[2], static_cast<float>(timer_ms)};
}

// GLUT's special-key codes: F1 to F12 are 1 to 12, the arrows and the rest 100 to 108.
TEST(PanelKeys, EachFunctionKeyTogglesItsOwnPanelAndNothingElse)
{
    start_scene();
    hide_panels();
    const std::vector<float> scene = scene_values();
    const struct {
        int key;
        panel_id panel;
    } cases[] = {{1, PANEL_KEYS}, {2, PANEL_CALLS}, {3, PANEL_OUTSIDE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_TRUE(toggle_panel(c.key));
        for (int p = 0; p < PANEL_COUNT; ++p) {
            EXPECT_EQ(panel_shown[p], p == c.panel) << "panel " << p;
        }
        EXPECT_TRUE(toggle_panel(c.key));
        EXPECT_FALSE(panel_shown[c.panel]);
    }
    for (const int other : {0, 4, 5, 10, 12, 100, 101, 102, 103, 104, 105, 106, 107, 108}) {
        EXPECT_FALSE(toggle_panel(other)) << other;
    }
    EXPECT_FALSE(
        std::any_of(std::begin(panel_shown), std::end(panel_shown), [](bool on) { return on; }));
    EXPECT_EQ(scene_values(), scene);
}

// Every key that changes the scene is named in the list, and so are the function keys and
// Escape: --help and the key panel cannot leave a key out.
TEST(KeyList, NamesEveryKeyThatDoesSomething)
{
    std::vector<std::string> named;
    for (const key_help_row& row : key_help_rows()) {
        EXPECT_NE(std::string(row.help), "") << row.keys;
        std::string keys = row.keys;
        for (std::size_t comma; (comma = keys.find(", ")) != std::string::npos;) {
            named.push_back(keys.substr(0, comma));
            keys.erase(0, comma + 2);
        }
        named.push_back(keys);
    }
    for (int k = 1; k < 256; ++k) {
        const auto key = static_cast<unsigned char>(k);
        // From two starts, so that no key's effect hides behind a value it already has.
        bool changes = false;
        for (const char* before : {"", "3LX"}) {
            start_scene();
            for (const char* b = before; *b != '\0'; ++b) {
                apply_key(static_cast<unsigned char>(*b));
            }
            const std::vector<float> scene = scene_values();
            changes = !apply_key(key) || scene_values() != scene || changes;
        }
        const std::string name = key == ' '          ? "space"
                                 : key == KEY_ESCAPE ? "Escape"
                                                     : std::string(1, static_cast<char>(key));
        const bool listed = std::find(named.begin(), named.end(), name) != named.end();
        EXPECT_EQ(listed, changes) << "key " << k;
    }
    for (const char* function_key : {"F1", "F2", "F3"}) {
        EXPECT_NE(std::find(named.begin(), named.end(), function_key), named.end()) << function_key;
    }
}

struct calls_case {
    const char* name;
    const char* keys;  // from the start values
    float angle;
    std::vector<std::string> calls;  // after the title; the marked one starts with '>'
};

void PrintTo(const calls_case& c, std::ostream* os) { *os << c.name; }

class LightCalls : public ::testing::TestWithParam<calls_case> {};

TEST_P(LightCalls, ShowTheFramesCallsInOrderWithTheirValues)
{
    const calls_case& c = GetParam();
    start_scene();
    for (const char* k = c.keys; *k != '\0'; ++k) {
        apply_key(static_cast<unsigned char>(*k));
    }
    light_angle = c.angle;
    const std::vector<panel_line> lines = light_call_lines();
    ASSERT_EQ(lines.size(), c.calls.size() + 1);
    EXPECT_EQ(lines[0].text, "This frame places the light with:");
    EXPECT_FALSE(lines[0].marked);
    for (std::size_t i = 0; i < c.calls.size(); ++i) {
        const bool marked = c.calls[i][0] == '>';
        EXPECT_EQ(lines[i + 1].text, marked ? c.calls[i].substr(1) : c.calls[i]);
        EXPECT_EQ(lines[i + 1].marked, marked) << lines[i + 1].text;
    }
}

// The eye after XXXyZ from home: 1.69 + 0.3, 2.9 - 0.1, 7.49 + 0.1, each rounded to two places.
INSTANTIATE_TEST_SUITE_P(
    Modes, LightCalls,
    ::testing::Values(
        calls_case{"Fixed",
                   "",
                   0,
                   {"glLoadIdentity();", "gluLookAt(1.69, 2.90, 7.49,  0, 0, 0,  0, 1, 0);",
                    ">glLightfv(GL_LIGHT0, GL_POSITION, {0.00, 3.00, 0.00, 1.00});",
                    "taken in world coordinates"}},
        calls_case{"FixedAfterTheEyeMoved",
                   "XXXyZ2",
                   0,
                   {"glLoadIdentity();", "gluLookAt(1.99, 2.80, 7.59,  0, 0, 0,  0, 1, 0);",
                    ">glLightfv(GL_LIGHT0, GL_POSITION, {3.00, 0.00, 0.00, 1.00});",
                    "taken in world coordinates"}},
        calls_case{"Moving",
                   "L",
                   37,
                   {"glLoadIdentity();", "gluLookAt(1.69, 2.90, 7.49,  0, 0, 0,  0, 1, 0);",
                    "glPushMatrix();", "glRotatef(37.00, 0.00, 0.00, 1.00);",
                    ">glLightfv(GL_LIGHT0, GL_POSITION, {0.00, 3.00, 0.00, 1.00});",
                    "glPopMatrix();",
                    "taken in world coordinates turned by the angle about the axis"}},
        calls_case{"MovingAboutX",
                   "L3T",
                   360,
                   {"glLoadIdentity();", "gluLookAt(1.69, 2.90, -7.49,  0, 0, 0,  0, 1, 0);",
                    "glPushMatrix();", "glRotatef(360.00, 1.00, 0.00, 0.00);",
                    ">glLightfv(GL_LIGHT0, GL_POSITION, {0.00, 0.00, 3.00, 1.00});",
                    "glPopMatrix();",
                    "taken in world coordinates turned by the angle about the axis"}},
        calls_case{"Viewpoint",
                   "LlO4",
                   12,
                   {"glLoadIdentity();",
                    ">glLightfv(GL_LIGHT0, GL_POSITION, {0.00, 0.00, 0.00, 1.00});",
                    "gluLookAt(0.00, 0.00, 5.00,  0, 0, 0,  0, 1, 0);",
                    "taken in eye coordinates: the light moves with the eye"}}),
    [](const ::testing::TestParamInfo<calls_case>& info) { return std::string(info.param.name); });

vec3 as_vec(const world_point& p) { return {p[0], p[1], p[2]}; }

// The light's world position against the textbook matrices: turned by the rotation, or
// carried out of eye coordinates by the inverse of the camera's view.
TEST(LightInWorld, IsWhereEachModePutsTheLight)
{
    start_scene();
    apply_key('X');
    apply_key('y');
    apply_key('3');  // (0, 0, 3), about X
    const vec3 pos = {0, 0, 3};
    light_angle = 50;
    const mat4 view = camera_view(cam_x, cam_y, cam_z);
    const struct {
        int mode;
        vec3 expected;
    } cases[] = {
        {LIGHT_FIXED, pos},
        {LIGHT_MOVING, transform_point(rotation(50, 1, 0, 0), pos)},
        // The view's inverse: R^T (p - t).
        {LIGHT_VIEWPOINT,
         {view[0] * (pos[0] - view[12]) + view[1] * (pos[1] - view[13]) +
              view[2] * (pos[2] - view[14]),
          view[4] * (pos[0] - view[12]) + view[5] * (pos[1] - view[13]) +
              view[6] * (pos[2] - view[14]),
          view[8] * (pos[0] - view[12]) + view[9] * (pos[1] - view[13]) +
              view[10] * (pos[2] - view[14])}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        light_mode = c.mode;
        const vec3 got = as_vec(light_in_world());
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(got[i], c.expected[i], 1e-5);
        }
    }
    // In the viewpoint mode the light is the same distance from the eye as light_pos from the
    // origin, and moves when the eye moves.
    light_mode = LIGHT_VIEWPOINT;
    const vec3 before = as_vec(light_in_world());
    apply_key('O');
    const vec3 after = as_vec(light_in_world());
    EXPECT_NEAR(after[0], 0, 1e-6);
    EXPECT_NEAR(after[1], 0, 1e-6);
    EXPECT_NEAR(after[2], 5 + 3, 1e-6);
    EXPECT_GT(std::abs(after[2] - before[2]) + std::abs(after[0] - before[0]), 1);
}

// Window position in the view from outside, in units of its side: 0 to 1 is inside.
window_point in_outside_view(const outside_camera& c, const world_point& p)
{
    const mat4 view = look_at(as_vec(c.eye), as_vec(c.centre), {0, 1, 0});
    const mat4 projection = perspective(c.fovy, 1, c.near_plane, c.far_plane);
    return project(as_vec(p), view, projection, 1, 1);
}

bool inside(const window_point& p)
{
    return p.x > 0 && p.x < 1 && p.y > 0 && p.y < 1 && p.depth > 0 && p.depth < 1;
}

// For the three eye presets, and eyes up to two units from them along the axes and the
// diagonals, the origin, the eye and the light in every mode, at every preset and at many
// angles of the orbit, all fall inside the view; the camera is the same whatever the mode,
// the light and the angle, so it moves only when the eye does.
TEST(OutsideCamera, KeepsTheOriginTheEyeAndTheLightInViewAndMovesOnlyWithTheEye)
{
    const char* const presets = "ROT";
    std::vector<vec3> offsets = {{0, 0, 0}};
    for (int x = -1; x <= 1; ++x) {
        for (int y = -1; y <= 1; ++y) {
            for (int z = -1; z <= 1; ++z) {
                const double n = std::sqrt(x * x + y * y + z * z);
                if (n > 0) {
                    offsets.push_back({2 * x / n, 2 * y / n, 2 * z / n});
                }
            }
        }
    }
    for (const char* preset = presets; *preset != '\0'; ++preset) {
        for (const vec3& offset : offsets) {
            start_scene();
            apply_key(static_cast<unsigned char>(*preset));
            cam_x = static_cast<float>(cam_x + offset[0]);
            cam_y = static_cast<float>(cam_y + offset[1]);
            cam_z = static_cast<float>(cam_z + offset[2]);
            const outside_camera camera = outside_camera_for_eye();
            SCOPED_TRACE(std::to_string(cam_x) + ", " + std::to_string(cam_y) + ", " +
                         std::to_string(cam_z));
            EXPECT_TRUE(inside(in_outside_view(camera, {0, 0, 0}))) << "origin";
            EXPECT_TRUE(inside(in_outside_view(camera, {cam_x, cam_y, cam_z}))) << "eye";
            for (const char light_key : {'1', '2', '3', '4'}) {
                apply_key(static_cast<unsigned char>(light_key));
                for (int mode = 0; mode < 3; ++mode) {
                    light_mode = mode;
                    for (int angle = 0; angle <= 360; angle += 15) {
                        light_angle = static_cast<float>(angle);
                        EXPECT_TRUE(inside(in_outside_view(camera, light_in_world())))
                            << "light " << light_key << " mode " << mode << " angle " << angle;
                        const outside_camera again = outside_camera_for_eye();
                        EXPECT_EQ(again.eye, camera.eye);
                        EXPECT_EQ(again.centre, camera.centre);
                        EXPECT_EQ(again.near_plane, camera.near_plane);
                        EXPECT_EQ(again.far_plane, camera.far_plane);
                    }
                }
            }
        }
    }
}

}  // namespace
