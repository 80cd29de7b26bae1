// The teaching panels in frames drawn in process: each keeps to its room at every size, the
// keys are readable, and the view from outside shows what the scene's maths puts there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "app/orvena.h"
#include "app/panels.h"
#include "frame_support.h"
#include "input/commands.h"

namespace {

constexpr rgb HIGHLIGHT = {255, 217, 77};  // (1, 0.85, 0.3): the keys and the light's call
constexpr rgb EYE = {255, 255, 0};

bool highlighted(rgb p) { return near(p, HIGHLIGHT); }

// The smallest box holding every pixel that differs between two frames, and how many differ.
struct difference {
    pixel_box box{0, 0, -1, -1};
    int pixels = 0;
};

difference compare(const picture& a, const picture& b)
{
    difference d{{a.width, a.height, -1, -1}, 0};
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (!near(a.at(x, y), b.at(x, y), 0)) {
                ++d.pixels;
                d.box = {std::min(d.box.x0, x), std::min(d.box.y0, y), std::max(d.box.x1, x),
                         std::max(d.box.y1, y)};
            }
        }
    }
    record_probe("count", d.pixels);
    return d;
}

picture with_panel(panel_id panel, int width, int height)
{
    panel_shown[panel] = true;
    picture pic = draw_offscreen(width, height);
    panel_shown[panel] = false;
    return pic;
}

class PanelRoom : public Frame, public testing::WithParamInterface<window_size> {};

// The key panel lies whole inside the window with the scene round it; the calls panel lies
// between the status lines and the room of the view from outside; the view from outside keeps
// to its square in the top left corner, 40 to 50 % of the window's smaller side. Outside those
// rooms not a pixel changes.
TEST_P(PanelRoom, EachPanelKeepsToItsRoom)
{
    const auto [width, height] = GetParam();
    animate = 0;
    const picture plain = draw_offscreen(width, height);
    const outside_view o = outside(width, height);
    const int smaller = std::min(width, height);
    EXPECT_GE(o.side, 0.40 * smaller);
    EXPECT_LE(o.side, 0.50 * smaller);

    {
        SCOPED_TRACE("keys");
        const difference d = compare(with_panel(PANEL_KEYS, width, height), plain);
        EXPECT_GT(d.pixels, 500);
        EXPECT_GT(d.box.x0, 0);
        EXPECT_GT(d.box.y0, 0);
        EXPECT_LT(d.box.x1, width - 1);
        EXPECT_LT(d.box.y1, height - 1);
        EXPECT_LE(d.box.x1 - d.box.x0 + 1, 0.96 * width);
        EXPECT_LE(d.box.y1 - d.box.y0 + 1, 0.96 * height);
    }
    {
        SCOPED_TRACE("calls");
        const difference d = compare(with_panel(PANEL_CALLS, width, height), plain);
        EXPECT_GT(d.pixels, 200);
        EXPECT_GT(d.box.x0, 0);
        EXPECT_LT(d.box.x1, width - 1);
        // The status lines reach up to the camera line's parentheses: 119 font units above
        // its baseline at -1.8, at the overlay's scale of 0.001.
        EXPECT_GT(d.box.y0, on_overlay({0, -1.8 + 0.119, 0}, width, height).y);
        EXPECT_LT(d.box.y1, o.y);
    }
    {
        SCOPED_TRACE("outside");
        const difference d = compare(with_panel(PANEL_OUTSIDE, width, height), plain);
        EXPECT_GT(d.pixels, 200);
        EXPECT_GE(d.box.x0, o.x);
        EXPECT_GE(d.box.y0, o.y);
        EXPECT_LE(d.box.x1, o.x + o.side - 1);
        EXPECT_LE(d.box.y1, o.y + o.side - 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PanelRoom,
                         testing::Values(window_size{300, 300}, window_size{500, 500},
                                         window_size{800, 500}, window_size{500, 800},
                                         window_size{4000, 3000}),
                         [](const testing::TestParamInfo<window_size>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

// Shown and hidden again, every panel leaves the next frame exactly as it was: nothing of its
// GL state stays behind.
TEST_F(Frame, PanelsShownThenHiddenLeaveTheFrameAsItWas)
{
    animate = 0;
    const picture plain = draw(500, 500);
    std::fill(std::begin(panel_shown), std::end(panel_shown), true);
    const picture all = draw(500, 500);
    EXPECT_GT(compare(all, plain).pixels, 1000);
    // The text panels' second frame comes from the pictures the first one took.
    EXPECT_EQ(compare(draw(500, 500), all).pixels, 0);
    std::fill(std::begin(panel_shown), std::end(panel_shown), false);
    EXPECT_EQ(compare(draw(500, 500), plain).pixels, 0);
}

// In windows too small for them, or no pixel high, the panels draw nothing and make no GL
// error (draw checks glGetError).
TEST_F(Frame, PanelsInTinyWindowsMakeNoError)
{
    std::fill(std::begin(panel_shown), std::end(panel_shown), true);
    for (const window_size size :
         {window_size{1, 1}, window_size{2, 2}, window_size{120, 300}, window_size{500, 0}}) {
        SCOPED_TRACE(size.width);
        SCOPED_TRACE(size.height);
        draw(size.width, size.height);
    }
}

// The call panel's picture is retaken whenever its text changes, and only then: after the
// mode has gone round, the frame is the one from before.
TEST_F(Frame, CallPanelFollowsTheModeAndTheEye)
{
    animate = 0;
    panel_shown[PANEL_CALLS] = true;
    const picture fixed = draw(500, 500);
    apply_key('L');
    EXPECT_GT(compare(draw(500, 500), fixed).pixels, 100) << "moving";
    apply_key('L');
    EXPECT_GT(compare(draw(500, 500), fixed).pixels, 100) << "viewpoint";
    apply_key('L');
    EXPECT_EQ(compare(draw(500, 500), fixed).pixels, 0) << "fixed again";
    apply_key('X');
    EXPECT_GT(compare(draw(500, 500), fixed).pixels, 100) << "eye moved";
}

// The first key of the list is X, a capital 100 font units tall: the rows that its strokes
// cover, from the top of the panel's key colour down to the first row without it.
TEST_F(Frame, KeyPanelCapitalsAreAtLeastTenPixelsTallAt500)
{
    panel_shown[PANEL_KEYS] = true;
    const picture pic = draw(500, 500);
    const auto row_has_key = [&pic](int y) {
        return count_unrecorded(pic, {0, y, pic.width - 1, y}, highlighted) > 0;
    };
    int top = pic.height - 1;
    while (top >= 0 && !row_has_key(top)) {
        --top;
    }
    ASSERT_GE(top, 0) << "no key drawn";
    int bottom = top;
    while (bottom > 0 && row_has_key(bottom - 1)) {
        --bottom;
    }
    record_probe("count", top - bottom + 1);
    EXPECT_GE(top - bottom + 1, 10);
}

// The rows that hold pixels of the key colour, from the bottom.
std::vector<int> highlighted_rows(const picture& pic)
{
    std::vector<int> rows;
    for (int y = 0; y < pic.height; ++y) {
        if (count_unrecorded(pic, {0, y, pic.width - 1, y}, highlighted) > 0) {
            rows.push_back(y);
        }
    }
    return rows;
}

// One line of the call panel is in the key colour, with its arrow: the light's call. In the
// viewpoint mode that call comes before the camera's, so the marked line stands a line higher.
TEST_F(Frame, CallPanelMarksTheLightCallAndOnlyIt)
{
    panel_shown[PANEL_CALLS] = true;
    const std::vector<int> fixed = highlighted_rows(draw(500, 500));
    apply_key('L');
    apply_key('L');
    const std::vector<int> viewpoint = highlighted_rows(draw(500, 500));
    for (const std::vector<int>* rows : {&fixed, &viewpoint}) {
        ASSERT_FALSE(rows->empty());
        // Contiguous: a single line, no higher than a capital with its parentheses.
        EXPECT_EQ(rows->back() - rows->front() + 1, static_cast<int>(rows->size()));
        EXPECT_LT(rows->size(), 20U);
    }
    record_probe("count", fixed.front(), viewpoint.front());
    EXPECT_GT(viewpoint.front(), fixed.back()) << "the marked line did not move up";
}

// White pixels of the outside view's light marker: a wire cube of edge 0.3 round centre.
int outside_marker_pixels(const picture& pic, const vec3& centre)
{
    constexpr double half = 0.15;
    double x0 = 1e9;
    double y0 = 1e9;
    double x1 = -1e9;
    double y1 = -1e9;
    for (const double dx : {-half, half}) {
        for (const double dy : {-half, half}) {
            for (const double dz : {-half, half}) {
                const window_point p = seen_from_outside(
                    {centre[0] + dx, centre[1] + dy, centre[2] + dz}, pic.width, pic.height);
                x0 = std::min(x0, p.x);
                y0 = std::min(y0, p.y);
                x1 = std::max(x1, p.x);
                y1 = std::max(y1, p.y);
            }
        }
    }
    return count(pic,
                 {static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)),
                  static_cast<int>(std::floor(x1)), static_cast<int>(std::floor(y1))},
                 is_white);
}

// With the light at the viewpoint, its world position is the eye's inverse transform applied
// to light_pos: the marker stands there, and goes with the eye when the eye moves; the eye
// symbol stands where the eye projects.
TEST_F(Frame, OutsideViewShowsTheViewpointLightAndTheEyeWhereTheyAre)
{
    animate = 0;
    light_mode = LIGHT_VIEWPOINT;
    panel_shown[PANEL_OUTSIDE] = true;
    window_point last{-100, -100, 0};
    for (const char* keys : {"", "XXXXXXXXXX", "O", "T", "OYYYYYYYYYY"}) {
        SCOPED_TRACE(std::string("keys ") + keys);
        for (const char* k = keys; *k != '\0'; ++k) {
            apply_key(static_cast<unsigned char>(*k));
        }
        const picture pic = draw(WINDOW_SIZE, WINDOW_SIZE);
        const vec3 light = world_light();
        const window_point at = seen_from_outside(light, pic.width, pic.height);
        EXPECT_GE(outside_marker_pixels(pic, light), 8);
        EXPECT_GT(std::hypot(at.x - last.x, at.y - last.y), 5) << "the marker did not move";
        last = at;
        const window_point eye = seen_from_outside({cam_x, cam_y, cam_z}, pic.width, pic.height);
        EXPECT_TRUE(near(probe_pixel(pic, eye), EYE));
    }
}

struct outside_lighting_case {
    const char* name;
    const char* keys;
    float light_angle;
};

void PrintTo(const outside_lighting_case& c, std::ostream* os) { *os << c.name; }

class OutsideLighting : public Frame, public testing::WithParamInterface<outside_lighting_case> {};

// Every face of both cubes that the outside camera sees squarely has, at its middle, the
// colour that the lighting equation gives for the light's world position: lit where the light
// reaches it, ambient only where it does not.
TEST_P(OutsideLighting, FacesAreLitAsTheLightsWorldPositionLightsThem)
{
    animate = 0;
    for (const char* k = GetParam().keys; *k != '\0'; ++k) {
        apply_key(static_cast<unsigned char>(*k));
    }
    light_angle = GetParam().light_angle;
    panel_shown[PANEL_OUTSIDE] = true;
    const picture pic = draw(WINDOW_SIZE, WINDOW_SIZE);
    const outside_view o = outside(WINDOW_SIZE, WINDOW_SIZE);
    int lit = 0;
    int dark = 0;
    for (const cube which : {cube::grey, cube::blue}) {
        for (int axis = 0; axis < 3; ++axis) {
            for (const int sign : {-1, 1}) {
                const face f{axis, sign};
                const vec3 middle = point_on(which, f, 0, 0);
                const vec3 centre = point_on(which, {axis, -sign}, 0, 0);
                // Off the middle, where the X axis comes out of the grey cube.
                const vec3 probe = point_on(which, f, 0.4, 0.4);
                const vec3 normal = {middle[0] - centre[0], middle[1] - centre[1],
                                     middle[2] - centre[2]};
                const vec3 to_eye = {o.eye[0] - middle[0], o.eye[1] - middle[1],
                                     o.eye[2] - middle[2]};
                const double facing =
                    (normal[0] * to_eye[0] + normal[1] * to_eye[1] + normal[2] * to_eye[2]) /
                    (0.5 * std::sqrt(to_eye[0] * to_eye[0] + to_eye[1] * to_eye[1] +
                                     to_eye[2] * to_eye[2]));
                if (facing < 0.4) {
                    continue;
                }
                SCOPED_TRACE("cube " + std::to_string(static_cast<int>(which)) + " face " +
                             std::to_string(axis) + (sign > 0 ? "+" : "-"));
                const face_shading s = shading(which, f);
                const rgb pixel =
                    probe_pixel(pic, seen_from_outside(probe, WINDOW_SIZE, WINDOW_SIZE));
                EXPECT_TRUE(within(pixel, s.low, s.high))
                    << pixel.r << ", " << pixel.g << ", " << pixel.b;
                lit += s.least_n_dot_l > 0.1 ? 1 : 0;
                dark += s.most_n_dot_l == 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(lit + dark, 3) << "too few faces seen squarely";
    EXPECT_GT(lit, 0) << "no lit face seen";
}

INSTANTIATE_TEST_SUITE_P(Modes, OutsideLighting,
                         testing::Values(outside_lighting_case{"Fixed", "", 0},
                                         outside_lighting_case{"FixedFromBehind", "T2", 0},
                                         outside_lighting_case{"Moving", "L", 300},
                                         outside_lighting_case{"MovingAboutX", "L3", 250},
                                         outside_lighting_case{"Viewpoint", "Ll", 0},
                                         outside_lighting_case{"ViewpointFromTheFront", "LlO3", 0}),
                         [](const testing::TestParamInfo<outside_lighting_case>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
