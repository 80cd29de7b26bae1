// Frames of the scene drawn in process: the camera's matrices, where the cubes, the light
// marker and the axes land, how wide the axes and how large their labels are drawn, and which
// faces the light reaches in each light mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/gl.h"
#include "app/orvena.h"
#include "frame_support.h"
#include "input/commands.h"

namespace {

// The scene tests draw into a square viewport as large as the window: bigger faces, easier
// probes.
constexpr int SIZE = WINDOW_SIZE;

const vec3 HOME = {1.69, 2.9, 7.49};
const vec3 FRONT = {0, 0, 5};
const vec3 BACK = {0, 0, -5};
// Two eyes that both see the grey cube's top and front faces.
const vec3 LOW = {0, 1.5, 5};
const vec3 HIGH = {0, 4, 2};
// Just over a unit from the origin, looking down on it from the front and the right.
const vec3 NEAR = {0.3, 0.5, 0.9};

constexpr cube GREY = cube::grey;
constexpr cube BLUE = cube::blue;

// Faces by their outward normal in the cube's frame, written +Z, -Z and so on.
struct axis_id {
    int axis;
};
constexpr axis_id X = {0};
constexpr axis_id Y = {1};
constexpr axis_id Z = {2};
face operator+(axis_id a) { return {a.axis, 1}; }
face operator-(axis_id a) { return {a.axis, -1}; }

void put_eye(const vec3& eye)
{
    cam_x = static_cast<float>(eye[0]);
    cam_y = static_cast<float>(eye[1]);
    cam_z = static_cast<float>(eye[2]);
}

std::string show(rgb p)
{
    std::ostringstream s;
    s << "(" << p.r << ", " << p.g << ", " << p.b << ")";
    return s.str();
}

std::string show(const std::array<double, 3>& c)
{
    std::ostringstream s;
    s << "(" << c[0] * 255 << ", " << c[1] * 255 << ", " << c[2] * 255 << ")";
    return s.str();
}

std::string show(cube which, face f)
{
    return std::string(which == GREY ? "grey" : "blue") + " cube, face " +
           (f.sign > 0 ? "+" : "-") + "XYZ"[f.axis];
}

bool is_greyish(rgb p) { return p.r > 20 && near(p, {p.r, p.r, p.r}); }
// The blue cube's shades: no red, some green and more blue; the Z axis has no green.
bool is_bluish(rgb p) { return p.r <= TOLERANCE && p.g > 5 && p.b > p.g; }

// Probes a point well inside a face against the colours Gouraud shading allows there.
void expect_face_shaded(const picture& pic, cube which, face f)
{
    const face_shading s = shading(which, f);
    const window_point at = seen(point_on(which, f, 0.3, 0.3), pic.width, pic.height);
    const rgb p = probe_pixel(pic, at);
    EXPECT_TRUE(within(p, s.low, s.high))
        << "pixel " << show(p) << " at (" << at.x << ", " << at.y << "), expected between "
        << show(s.low) << " and " << show(s.high);
}

// Sizes on screen: a box in window coordinates, before it is snapped to pixels.
struct window_box {
    double x0, y0, x1, y1;
};

// The smallest box that holds the points as the camera sees them. Whatever is drawn as
// straight edges or strokes between them (a cube, a glyph) lies inside it and touches each side.
window_box seen_box(const std::vector<vec3>& points, int width, int height)
{
    const window_point first = seen(points.front(), width, height);
    window_box b{first.x, first.y, first.x, first.y};
    for (const vec3& point : points) {
        const window_point p = seen(point, width, height);
        b = {std::min(b.x0, p.x), std::min(b.y0, p.y), std::max(b.x1, p.x), std::max(b.y1, p.y)};
    }
    return b;
}

// The box that the pixels passing test(x, y) fill, searched in the expected box grown by half
// its size on every side, so that a thing drawn half as large again still lies inside.
template <typename Test>
pixel_box filled_near(const picture& pic, const window_box& expected, Test test)
{
    const int grow_x = static_cast<int>((expected.x1 - expected.x0) / 2) + 3;
    const int grow_y = static_cast<int>((expected.y1 - expected.y0) / 2) + 3;
    pixel_box found = {pic.width, pic.height, -1, -1};
    for (int y = static_cast<int>(expected.y0) - grow_y;
         y <= static_cast<int>(expected.y1) + grow_y; ++y) {
        for (int x = static_cast<int>(expected.x0) - grow_x;
             x <= static_cast<int>(expected.x1) + grow_x; ++x) {
            if (pic.contains(x, y) && test(x, y)) {
                found = {std::min(found.x0, x), std::min(found.y0, y), std::max(found.x1, x),
                         std::max(found.y1, y)};
            }
        }
    }
    record_probe("extent", found.x0, found.x1);
    record_probe("extent", found.y0, found.y1);
    return found;
}

// Each side of what was drawn against the side of the box the scene's maths puts it in; pixel
// x covers x to x + 1, so an edge at x lands in pixel floor(x). A filled face covers the
// pixels whose centres it holds, a stroke 1 pixel wide lies within half a pixel of its centre
// line and may stop a pixel short of its end: on every driver the tests run on, each side lands
// within 1 pixel. Made a quarter larger or smaller, a label moves its far sides by 4 pixels or
// more from the home eye, a cube 7 or more, and the marker seen from the near eye 13 or more.
constexpr double SIDE_TOLERANCE = 2;

void expect_fills(const pixel_box& found, const window_box& expected, const std::string& what)
{
    std::ostringstream where;
    where << what << " from (" << found.x0 << ", " << found.y0 << ") to (" << found.x1 << ", "
          << found.y1 << "), expected from (" << expected.x0 << ", " << expected.y0 << ") to ("
          << expected.x1 << ", " << expected.y1 << ")";
    EXPECT_NEAR(found.x0, std::floor(expected.x0), SIDE_TOLERANCE) << "left side, " << where.str();
    EXPECT_NEAR(found.x1, std::floor(expected.x1), SIDE_TOLERANCE) << "right side, " << where.str();
    EXPECT_NEAR(found.y0, std::floor(expected.y0), SIDE_TOLERANCE) << "bottom, " << where.str();
    EXPECT_NEAR(found.y1, std::floor(expected.y1), SIDE_TOLERANCE) << "top, " << where.str();
}

TEST_F(Frame, MatricesAgreeWithTheSceneMaths)
{
    // The probes are placed with the scene maths; this shows GL builds the same matrices,
    // and that a frame ends with the camera followed by the step to the blue cube.
    const vec3 eyes[] = {HOME, FRONT, BACK, {1.69, 2.9, -7.49}, HIGH};
    const std::pair<int, int> sizes[] = {{500, 500}, {800, 500}, {400, 500}};
    for (const vec3& eye : eyes) {
        for (const auto& [width, height] : sizes) {
            SCOPED_TRACE(testing::Message() << "eye (" << eye[0] << ", " << eye[1] << ", " << eye[2]
                                            << "), " << width << "x" << height);
            put_eye(eye);
            draw(width, height);
            GLdouble projection[16];
            GLdouble modelview[16];
            glGetDoublev(GL_PROJECTION_MATRIX, projection);
            glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
            const mat4 want_projection = window_projection(width, height);
            const mat4 want_modelview =
                multiply(camera_view(cam_x, cam_y, cam_z), translation(1.5, 1.5, 0));
            for (std::size_t i = 0; i < 16; ++i) {
                EXPECT_NEAR(projection[i], want_projection[i], 1e-5) << "projection " << i;
                EXPECT_NEAR(modelview[i], want_modelview[i], 1e-5) << "modelview " << i;
            }
        }
    }
}

struct face_probe {
    cube which;
    face f;
    bool lit;
};

face_probe lit(cube which, face f) { return {which, f, true}; }
face_probe dark(cube which, face f) { return {which, f, false}; }

struct lighting_case {
    const char* name;
    std::int32_t mode;
    unsigned char preset;  // light key
    float light_angle;
    vec3 eye;
    std::vector<face_probe> probes;
};

void PrintTo(const lighting_case& c, std::ostream* os) { *os << c.name; }

class Lighting : public Frame, public testing::WithParamInterface<lighting_case> {};

TEST_P(Lighting, FacesTheLightReachesAreLitTheOthersShowOnlyAmbient)
{
    const lighting_case& c = GetParam();
    light_mode = c.mode;
    apply_key(c.preset);
    light_angle = c.light_angle;
    put_eye(c.eye);
    const picture pic = draw(SIZE, SIZE);

    for (const face_probe& probe : c.probes) {
        SCOPED_TRACE(show(probe.which, probe.f));
        // Every corner agrees, so the face is plainly lit or plainly dark.
        const face_shading s = shading(probe.which, probe.f);
        if (probe.lit) {
            ASSERT_GT(s.least_n_dot_l, 0.15) << "the case does not light the whole face";
        } else {
            ASSERT_EQ(s.most_n_dot_l, 0.0) << "the case lights part of the face";
            ASSERT_EQ(s.low, ambient_only(probe.which));
        }
        expect_face_shaded(pic, probe.which, probe.f);
    }
}

// With the light above the origin, in front of it, turned half a circle about X, and riding
// with the eye, the same eye sees different faces lit. The low and high eyes show a still
// cube whose front face keeps its shade when only the camera moves with a fixed light, and
// loses the light when it moves with a light at the viewpoint.
const lighting_case lighting_cases[] = {
    {"fixed_above_front_eye", LIGHT_FIXED, '1', 0, FRONT, {dark(GREY, +Z), dark(BLUE, +Z)}},
    {"fixed_above_back_eye", LIGHT_FIXED, '1', 0, BACK, {dark(GREY, -Z), dark(BLUE, -Z)}},
    {"fixed_in_front_front_eye", LIGHT_FIXED, '3', 0, FRONT, {lit(GREY, +Z), lit(BLUE, +Z)}},
    {"fixed_in_front_back_eye", LIGHT_FIXED, '3', 0, BACK, {dark(GREY, -Z), dark(BLUE, -Z)}},
    {"moving_x_180_front_eye", LIGHT_MOVING, '3', 180, FRONT, {dark(GREY, +Z), dark(BLUE, +Z)}},
    {"moving_x_180_back_eye", LIGHT_MOVING, '3', 180, BACK, {lit(GREY, -Z), lit(BLUE, -Z)}},
    {"viewpoint_above_front_eye", LIGHT_VIEWPOINT, '1', 0, FRONT, {lit(GREY, +Z), lit(BLUE, +Z)}},
    {"viewpoint_above_back_eye", LIGHT_VIEWPOINT, '1', 0, BACK, {lit(GREY, -Z), lit(BLUE, -Z)}},
    {"fixed_above_low_eye", LIGHT_FIXED, '1', 0, LOW, {lit(GREY, +Y), dark(GREY, +Z)}},
    {"fixed_above_high_eye", LIGHT_FIXED, '1', 0, HIGH, {lit(GREY, +Y), dark(GREY, +Z)}},
    {"viewpoint_above_low_eye", LIGHT_VIEWPOINT, '1', 0, LOW, {lit(GREY, +Y), lit(GREY, +Z)}},
    {"viewpoint_above_high_eye", LIGHT_VIEWPOINT, '1', 0, HIGH, {lit(GREY, +Y), dark(GREY, +Z)}},
};

INSTANTIATE_TEST_SUITE_P(Modes, Lighting, testing::ValuesIn(lighting_cases),
                         [](const auto& info) { return std::string(info.param.name); });

struct placement_case {
    const char* name;
    float angle;                               // both cube angles: they always hold the same value
    float other_angle;                         // where the grey cube is not
    std::vector<std::pair<cube, face>> faces;  // faces the home eye sees well
};

void PrintTo(const placement_case& c, std::ostream* os) { *os << c.name; }

class Cubes : public Frame, public testing::WithParamInterface<placement_case> {};

TEST_P(Cubes, StandWhereTheirAnglesPutThem)
{
    const placement_case& c = GetParam();
    ang_obj1 = ang_obj2 = c.other_angle;
    const vec3 elsewhere = point_on(GREY, +Z, 0.3, 0.3);
    ang_obj1 = ang_obj2 = c.angle;
    const picture pic = draw(SIZE, SIZE);

    for (const auto& [which, f] : c.faces) {
        SCOPED_TRACE(show(which, f));
        expect_face_shaded(pic, which, f);
    }
    const rgb p = probe_pixel(pic, seen(elsewhere, SIZE, SIZE));
    EXPECT_FALSE(is_greyish(p)) << "the grey cube still shows at its place for angle "
                                << c.other_angle << ": " << show(p);

    // Each cube, edge 0.5, fills the box its corners project to.
    for (const cube which : {GREY, BLUE}) {
        std::vector<vec3> corners;
        for (const int sign : {-1, 1}) {
            for (const double a : {-1.0, 1.0}) {
                for (const double b : {-1.0, 1.0}) {
                    corners.push_back(point_on(which, {0, sign}, a, b));
                }
            }
        }
        const window_box box = seen_box(corners, SIZE, SIZE);
        const pixel_box shades = filled_near(pic, box, [&](int x, int y) {
            return which == GREY ? is_greyish(pic.at(x, y)) : is_bluish(pic.at(x, y));
        });
        expect_fills(shades, box, std::string(which == GREY ? "grey" : "blue") + " cube");
    }
}

const placement_case placement_cases[] = {
    {"angles_0", 0, 60, {{GREY, +Z}, {GREY, +Y}, {BLUE, +Z}, {BLUE, +Y}}},
    {"angles_60", 60, 0, {{GREY, +Z}, {GREY, +X}, {BLUE, +Z}, {BLUE, +Y}}},
};

INSTANTIATE_TEST_SUITE_P(Angles, Cubes, testing::ValuesIn(placement_cases),
                         [](const auto& info) { return std::string(info.param.name); });

struct marker_case {
    const char* name;
    std::int32_t mode;
    unsigned char preset;
    float light_angle;
    vec3 where;  // the light in the world
    bool drawn;
    vec3 eye;
};

void PrintTo(const marker_case& c, std::ostream* os) { *os << c.name; }

class Marker : public Frame, public testing::WithParamInterface<marker_case> {};

TEST_P(Marker, ShowsWhereTheLightIs)
{
    const marker_case& c = GetParam();
    light_mode = c.mode;
    apply_key(c.preset);
    light_angle = c.light_angle;
    put_eye(c.eye);
    const picture pic = draw(SIZE, SIZE);

    const int white = marker_pixels(pic, c.where);
    if (!c.drawn) {
        EXPECT_EQ(white, 0) << "a marker is drawn in the viewpoint mode";
        return;
    }
    EXPECT_GE(white, MARKER_SEEN) << "no marker at (" << c.where[0] << ", " << c.where[1] << ", "
                                  << c.where[2] << ")";
    // Without a marker the same box holds nothing white (no label or overlay text), so what
    // was found there is the marker.
    light_mode = LIGHT_VIEWPOINT;
    const picture clear = draw(SIZE, SIZE);
    EXPECT_EQ(marker_pixels(clear, c.where), 0) << "the probe is not clear";

    // The white that the marker adds, a cube of edge 0.1 at the light, turned with it in the
    // moving mode, fills the box its corners project to.
    const mat4 turn = c.mode == LIGHT_MOVING
                          ? rotation(light_angle, light_axis[0], light_axis[1], light_axis[2])
                          : identity();
    std::vector<vec3> corners;
    for (const double dx : {-0.05, 0.05}) {
        for (const double dy : {-0.05, 0.05}) {
            for (const double dz : {-0.05, 0.05}) {
                corners.push_back(transform_point(
                    turn, {light_pos[0] + dx, light_pos[1] + dy, light_pos[2] + dz}));
            }
        }
    }
    const window_box box = seen_box(corners, SIZE, SIZE);
    const pixel_box added = filled_near(pic, box, [&](int x, int y) {
        return is_white(pic.at(x, y)) && !is_white(clear.at(x, y));
    });
    expect_fills(added, box, "the marker");
}

// Turned by 30 degrees about Z: (0, 3, 0) and (3, 0, 0); (0, 0, 3) by 300 degrees about X.
// From the near eye the marker at the origin is large enough on screen to show its size.
const marker_case marker_cases[] = {
    {"fixed_preset_1", LIGHT_FIXED, '1', 0, {0, 3, 0}, true, HOME},
    {"fixed_preset_4", LIGHT_FIXED, '4', 0, {0, 0, 0}, true, HOME},
    {"moving_preset_1_at_30", LIGHT_MOVING, '1', 30, {-1.5, 2.598076, 0}, true, HOME},
    {"moving_preset_2_at_30", LIGHT_MOVING, '2', 30, {2.598076, 1.5, 0}, true, HOME},
    {"moving_preset_3_at_300", LIGHT_MOVING, '3', 300, {0, 2.598076, 1.5}, true, HOME},
    {"moving_preset_4_at_30", LIGHT_MOVING, '4', 30, {0, 0, 0}, true, HOME},
    {"fixed_preset_4_near", LIGHT_FIXED, '4', 0, {0, 0, 0}, true, NEAR},
    {"moving_preset_4_at_30_near", LIGHT_MOVING, '4', 30, {0, 0, 0}, true, NEAR},
    {"viewpoint_preset_4", LIGHT_VIEWPOINT, '4', 0, {0, 0, 0}, false, HOME},
};

INSTANTIATE_TEST_SUITE_P(Modes, Marker, testing::ValuesIn(marker_cases),
                         [](const auto& info) { return std::string(info.param.name); });

// A vertex of a glyph's strokes in GLUT's Roman font, in font units.
struct font_point {
    double x, y;
};

// One axis and its label as the home eye sees them. The stretch is a piece of the line clear
// of its ends, its label, the cubes, the marker at the origin and the overlay, long on screen
// for every axis from that eye; the glyph is every vertex of the label's letter in the font.
struct axis_row {
    const char* name;
    rgb colour;
    vec3 on_line;
    vec3 stretch_from;
    vec3 stretch_to;
    vec3 label;
    vec3 label_stroke;  // where two strokes of the letter cross
    std::vector<font_point> glyph;
};

constexpr double LABEL_SCALE = 0.002;

// Labels at scale 0.002 in the world's XY plane: the crossing of the X's and the Z's strokes at
// (35.8, 50) in font units, the fork of the Y at (39.6, 52.4). The X and the Z fill the box from
// (2.5, 0) to (69.17, 100); the Y's arms reach from x 1.52 to 77.71 and its stem stands at
// 39.62.
const axis_row axis_rows[] = {
    {"X",
     {255, 0, 0},
     {-1.5, 0, 0},
     {-2.6, 0, 0},
     {-0.5, 0, 0},
     {3, 0, 0},
     {3 + 0.0717, 0.1, 0},
     {{2.5, 100}, {69.1667, 0}, {69.1667, 100}, {2.5, 0}}},
    {"Y",
     {0, 255, 0},
     {0, -1.5, 0},
     {0, -2.6, 0},
     {0, -0.5, 0},
     {0, 3, 0},
     {0.0792, 3 + 0.1048, 0},
     {{1.52, 100}, {39.6152, 52.381}, {39.6152, 0}, {77.7105, 100}}},
    {"Z",
     {0, 0, 255},
     {0, 0, 1.5},
     {0, 0, 0.5},
     {0, 0, 2.5},
     {0, 0, 3},
     {0.0717, 0.1, 3},
     {{69.1667, 100}, {2.5, 0}, {2.5, 100}, {69.1667, 0}}},
};

class Axes : public Frame, public testing::WithParamInterface<std::int32_t> {
  protected:
    picture draw_axes_frame()
    {
        light_mode = GetParam();
        apply_key('4');  // the light and its marker at the origin, away from every probe
        light_angle = 30;
        put_eye(HOME);
        return draw(SIZE, SIZE);
    }
};

TEST_P(Axes, KeepTheirColoursAndWhiteLabelsInEveryMode)
{
    const picture pic = draw_axes_frame();

    for (const axis_row& axis : axis_rows) {
        struct {
            std::string what;
            vec3 at;
            rgb colour;
        } const probes[] = {
            {std::string(axis.name) + " axis", axis.on_line, axis.colour},
            {std::string(axis.name) + " label", axis.label_stroke, {255, 255, 255}},
        };
        for (const auto& probe : probes) {
            const pixel_box box = box_around(seen(probe.at, SIZE, SIZE), 2);
            const int found = count(pic, box, [&](rgb p) { return near(p, probe.colour); });
            EXPECT_GT(found, 0) << probe.what << ": no pixel of " << show(probe.colour) << " near ("
                                << box.x0 + 2 << ", " << box.y0 + 2 << ")";
        }
    }
}

// Lines 2 pixels wide without antialiasing: OpenGL draws a line that runs more across the
// screen than up it as columns of 2 pixels, and a steeper one as rows of 2. Every driver the
// tests run on gives exactly 2.0 on every axis; a width of 1 gives 1.0, and 2.5 gives 3.0 or,
// on softpipe, which keeps the fraction, about 2.5 on the slanting axes. llvmpipe and zink
// round 1.5 to 2, as OpenGL allows, so only softpipe shows that one.
constexpr double LINE_WIDTH = 2;
constexpr int LINE_SAMPLES = 24;
constexpr double LINE_WIDTH_TOLERANCE = 0.25;

// Pixels of the line's colour across it at each of LINE_SAMPLES points of the stretch, all
// together.
int pixels_across(const picture& pic, const axis_row& axis)
{
    const window_point from = seen(axis.stretch_from, pic.width, pic.height);
    const window_point to = seen(axis.stretch_to, pic.width, pic.height);
    const bool runs_across = std::abs(to.x - from.x) > std::abs(to.y - from.y);
    int n = 0;
    for (int i = 0; i < LINE_SAMPLES; ++i) {
        const double t = (i + 0.5) / LINE_SAMPLES;
        const int x = static_cast<int>(std::floor(from.x + t * (to.x - from.x)));
        const int y = static_cast<int>(std::floor(from.y + t * (to.y - from.y)));
        const pixel_box across =
            runs_across ? pixel_box{x, y - 6, x, y + 6} : pixel_box{x - 6, y, x + 6, y};
        n += count_unrecorded(pic, across, [&](rgb p) { return near(p, axis.colour); });
    }
    record_probe("count", n);
    return n;
}

// The label's glyph in the world: the scale puts the font's units into the world's XY plane
// at the label's place.
std::vector<vec3> glyph_in_world(const axis_row& axis)
{
    std::vector<vec3> points;
    for (const font_point& v : axis.glyph) {
        points.push_back(
            {axis.label[0] + LABEL_SCALE * v.x, axis.label[1] + LABEL_SCALE * v.y, axis.label[2]});
    }
    return points;
}

TEST_P(Axes, LinesAreTwoPixelsWideAndLabelsAsLargeAsTheirGlyphs)
{
    const picture pic = draw_axes_frame();

    for (const axis_row& axis : axis_rows) {
        SCOPED_TRACE(std::string(axis.name) + " axis");
        const double width = static_cast<double>(pixels_across(pic, axis)) / LINE_SAMPLES;
        EXPECT_NEAR(width, LINE_WIDTH, LINE_WIDTH_TOLERANCE)
            << "mean width across the line, in pixels";

        const window_box glyph = seen_box(glyph_in_world(axis), SIZE, SIZE);
        const pixel_box white =
            filled_near(pic, glyph, [&](int x, int y) { return is_white(pic.at(x, y)); });
        expect_fills(white, glyph, "the label's white pixels");
    }
}

std::string mode_name(const testing::TestParamInfo<std::int32_t>& info)
{
    const char* const names[] = {"fixed", "moving", "viewpoint"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Modes, Axes, testing::Values(LIGHT_FIXED, LIGHT_MOVING, LIGHT_VIEWPOINT),
                         mode_name);

TEST_F(Frame, ZeroHeightThenNormalSizeDrawsANormalFrame)
{
    draw(500, 0);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    for (const double v : projection) {
        EXPECT_TRUE(std::isfinite(v)) << "projection for a zero height";
    }

    const picture pic = draw(500, 500);
    EXPECT_GE(marker_pixels(pic, {0, 3, 0}), MARKER_SEEN);
    const pixel_box on_x_axis = box_around(seen({-1.5, 0, 0}, 500, 500), 2);
    EXPECT_GT(count(pic, on_x_axis, [](rgb p) { return near(p, {255, 0, 0}); }), 0);
    expect_face_shaded(pic, GREY, +Z);
    expect_face_shaded(pic, BLUE, +Y);
}

}  // namespace
