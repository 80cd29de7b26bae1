// Frames drawn in this process on a private X server, read back from the back buffer, and
// the picture the scene's maths predicts: where things land on screen and how lit faces are.
#ifndef ORVENA_TESTS_FRAME_SUPPORT_H
#define ORVENA_TESTS_FRAME_SUPPORT_H

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene_math.h"
#include "xvfb.h"

// The GLUT window; every viewport the tests draw into fits inside it.
constexpr int WINDOW_SIZE = 800;

// Starts the X server, opens the window with the program's display mode and runs init().
void open_gl_window();
void close_gl_window();

std::string gl_renderer();
// How the GL_RENDERER string of the frames must begin: ORVENA_EXPECT_RENDERER, or
// llvmpipe when it is not set.
std::string expected_renderer();

// Each test starts from the state a fresh process has after init, on the expected renderer.
class Frame : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// A window's size, as the tests' parameters give it.
struct window_size {
    int width;
    int height;
};

inline void PrintTo(const window_size& s, std::ostream* os) { *os << s.width << "x" << s.height; }

// Pixels as glReadPixels gives them: rows from the bottom, 8 bits a channel.
struct picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    rgb at(int x, int y) const;
};

// One frame of the current scene state, drawn as the program draws it for a window of this
// size (reshape, then draw_frame and the panels that are shown, without the swap) and read
// back. Checks, as a test failure, the state every frame must leave behind: no GL error, both
// matrix stacks at depth one and the attribute stack empty, modelview mode, lighting and depth
// test on, blending and scissor test off, line width 1, colour white, the viewport the whole
// window and the projection the window's.
picture draw(int width, int height);
// The same into a framebuffer object of its own, for sizes larger than the test's window.
picture draw_offscreen(int width, int height);

// The pixel under a projected point, recorded as a probe.
rgb probe_pixel(const picture& pic, const window_point& p);

// Tolerance of a colour probe, in 1/255 steps.
constexpr int TOLERANCE = 3;

bool near(rgb pixel, rgb expected, int tolerance = TOLERANCE);
bool is_white(rgb pixel);

// A rectangle of pixels, corners included; clipped to the picture when searched.
struct pixel_box {
    int x0, y0, x1, y1;
};
pixel_box box_around(const window_point& p, int radius);

// Every probe's measurement, in order, goes to <ORVENA_PROBE_DIR>/<test>.txt when that
// variable is set, one line a probe, so that the runs on different GL drivers can be
// compared probe by probe.
void record_probe(const char* kind, int a, int b = 0, int c = 0);

// Pixels in the box that pass the test, without recording: for searches, whose steps are not
// probes of their own.
template <typename Test> int count_unrecorded(const picture& pic, const pixel_box& box, Test test)
{
    int n = 0;
    for (int y = box.y0; y <= box.y1; ++y) {
        for (int x = box.x0; x <= box.x1; ++x) {
            n += pic.contains(x, y) && test(pic.at(x, y)) ? 1 : 0;
        }
    }
    return n;
}

template <typename Test> int count(const picture& pic, const pixel_box& box, Test test)
{
    const int n = count_unrecorded(pic, box, test);
    record_probe("count", n);
    return n;
}

// Window position of a world point seen by the program's camera from the current eye, and
// of a point of the overlay's own view, for a viewport of this size.
window_point seen(const vec3& world, int width, int height);
window_point on_overlay(const vec3& p, int width, int height);

// The light in the world, where the current mode puts it.
vec3 world_light();

// The view from outside as a window of this size shows it: its square (x, y, side) and its
// camera, worked out from the eye as the tests expect it (looking at the middle of the eye and
// the origin from the direction (2, 1.5, 1), far enough for a sphere round that middle of
// radius half the eye's distance plus 3.5 to fill 40 degrees).
struct outside_view {
    int x, y, side;
    vec3 eye;
    mat4 view;
    mat4 projection;
};
outside_view outside(int width, int height);
window_point seen_from_outside(const vec3& world, int width, int height);

// White pixels in the light marker's box on screen (a cube of edge 0.1 around centre). Its
// outline gives a few dozen in a 500 pixel window, a label stroke beside the box a few.
int marker_pixels(const picture& pic, const vec3& centre);
constexpr int MARKER_SEEN = 16;

enum class cube { grey, blue };

// A face of a cube by its outward normal in the cube's own frame: axis 0, 1, 2 and sign.
struct face {
    int axis;
    int sign;
};

// The colour range Gouraud shading allows on a face of a cube at the current angles: each
// corner lit by the lighting equation with the OpenGL defaults the program keeps (global
// ambient 0.2, white diffuse light, no ambient from the light, no specular, no attenuation),
// with the light where the current mode puts it.
struct face_shading {
    std::array<double, 3> low;  // per channel, 0 to 1, over the four corners
    std::array<double, 3> high;
    double least_n_dot_l;  // max(0, N.L) over the corners
    double most_n_dot_l;
};
face_shading shading(cube which, face f);
// A point inside the face, at a fraction (-1 to 1) of the half edge along its two other axes.
vec3 point_on(cube which, face f, double a, double b);
// The colour of a face that the light does not reach: the global ambient times the material.
std::array<double, 3> ambient_only(cube which);

bool within(rgb pixel, const std::array<double, 3>& low, const std::array<double, 3>& high,
            int tolerance = TOLERANCE);

#endif
