// In-process frames on a private X server, and the scene's expected picture.
#include "frame_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#define GL_GLEXT_PROTOTYPES  // framebuffer objects, for frames larger than the window
#include "app/gl.h"
#include "app/orvena.h"
#include "app/panels.h"
#include "render/panels.h"
#include "render/render.h"
#include "scene_start.h"

#include <GL/freeglut_ext.h>  // glutExit: the tests run on freeglut

namespace {

std::unique_ptr<xvfb> server;
int window = 0;
std::ofstream probe_log;  // open while a test runs, when ORVENA_PROBE_DIR is set

// Materials of the two cubes and the lighting defaults the program keeps.
constexpr std::array<double, 3> GREY = {0.6, 0.6, 0.6};
constexpr std::array<double, 3> BLUE = {0.0, 0.5, 1.0};
constexpr double GLOBAL_AMBIENT = 0.2;
constexpr double HALF_EDGE = 0.25;

const std::array<double, 3>& material(cube which) { return which == cube::grey ? GREY : BLUE; }

double dot(const vec3& a, const vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

vec3 unit(const vec3& v)
{
    const double n = std::sqrt(dot(v, v));
    return {v[0] / n, v[1] / n, v[2] / n};
}

// A point given in eye coordinates, in the world: the view is a rotation R and a
// translation t, so the world point is R^T (p - t).
vec3 eye_to_world(const mat4& view, const vec3& p)
{
    const vec3 d = {p[0] - view[12], p[1] - view[13], p[2] - view[14]};
    vec3 w{};
    for (std::size_t i = 0; i < 3; ++i) {
        w[i] = view[i * 4] * d[0] + view[i * 4 + 1] * d[1] + view[i * 4 + 2] * d[2];
    }
    return w;
}

}  // namespace

// As given in the fixed mode, turned about the axis in the moving mode, carried from eye
// coordinates in the viewpoint mode.
vec3 world_light()
{
    const vec3 pos = {light_pos[0], light_pos[1], light_pos[2]};
    switch (light_mode) {
    case LIGHT_MOVING:
        return transform_point(rotation(light_angle, light_axis[0], light_axis[1], light_axis[2]),
                               pos);
    case LIGHT_VIEWPOINT:
        return eye_to_world(camera_view(cam_x, cam_y, cam_z), pos);
    default:
        return pos;
    }
}

namespace {

// Local to world for a cube at the current angles: the grey one turned about Z after its
// step along X, the blue one spun about its own Y at (1.5, 1.5, 0).
mat4 cube_to_world(cube which)
{
    if (which == cube::grey) {
        return multiply(rotation(ang_obj1, 0, 0, 1), translation(1, 0, 0));
    }
    return multiply(translation(1.5, 1.5, 0), rotation(ang_obj2, 0, 1, 0));
}

// The smallest box holding all the points, grown by pad pixels.
pixel_box box_holding(const std::vector<window_point>& points, int pad)
{
    double x0 = points.front().x;
    double x1 = x0;
    double y0 = points.front().y;
    double y1 = y0;
    for (const window_point& p : points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    return {static_cast<int>(std::floor(x0)) - pad, static_cast<int>(std::floor(y0)) - pad,
            static_cast<int>(std::floor(x1)) + pad, static_cast<int>(std::floor(y1)) + pad};
}

// The eight corners of the marker cube, edge 0.1, as the camera sees them.
pixel_box marker_box(const vec3& centre, int width, int height)
{
    constexpr double half = 0.05;
    std::vector<window_point> corners;
    for (const double dx : {-half, half}) {
        for (const double dy : {-half, half}) {
            for (const double dz : {-half, half}) {
                corners.push_back(
                    seen({centre[0] + dx, centre[1] + dy, centre[2] + dz}, width, height));
            }
        }
    }
    return box_holding(corners, 0);
}

void expect_frame_state(int width, int height)
{
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        ADD_FAILURE() << "GL error 0x" << std::hex << error;
    }
    GLint value = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &value);
    EXPECT_EQ(value, 1) << "modelview stack depth";
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &value);
    EXPECT_EQ(value, 1) << "projection stack depth";
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &value);
    EXPECT_EQ(value, 0) << "attribute stack depth";
    glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(value, GL_MODELVIEW) << "matrix mode";
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "lighting";
    GLfloat line_width = 0;
    glGetFloatv(GL_LINE_WIDTH, &line_width);
    EXPECT_EQ(line_width, 1.0F) << "line width";
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0F) << "current colour";
    EXPECT_EQ(colour[1], 1.0F) << "current colour";
    EXPECT_EQ(colour[2], 1.0F) << "current colour";
    EXPECT_EQ(colour[3], 1.0F) << "current colour";
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0) << "viewport";
    EXPECT_EQ(viewport[1], 0) << "viewport";
    EXPECT_EQ(viewport[2], width) << "viewport";
    EXPECT_EQ(viewport[3], height) << "viewport";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "depth test";
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending";
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST)) << "scissor test";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "texturing";
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
    EXPECT_EQ(value, 0) << "texture binding";
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), std::vector<GLfloat>(4, 0.0F))
        << "clear colour";
    // The light where the frame put it, in eye coordinates: the outside view places it under
    // a camera of its own and must put it back.
    GLfloat light[4] = {};
    glGetLightfv(GL_LIGHT0, GL_POSITION, light);
    const vec3 placed = transform_point(camera_view(cam_x, cam_y, cam_z), world_light());
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(light[i], placed[i], 1e-4) << "light position " << i;
    }
    GLdouble projection[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // A zero height is taken as one pixel.
    const mat4 expected = window_projection(width, std::max(height, 1));
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(projection[i], expected[i], 1e-6) << "projection matrix element " << i;
    }
}

picture read_back(int width, int height)
{
    picture pic;
    pic.width = width;
    pic.height = height;
    pic.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    {
        // Rows of RGB bytes are packed tight, whatever the width.
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pic.pixels.data());
    }
    glPopClientAttrib();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "reading the frame back";
    return pic;
}

// What display draws before the swap.
void draw_window(int width, int height)
{
    reshape(width, height);
    draw_frame();
    draw_panels();
    expect_frame_state(width, height);
}

}  // namespace

void open_gl_window()
{
    server = std::make_unique<xvfb>();
    // glutInit takes GLUT's own -display option, so DISPLAY is left alone.
    std::string name = "frame_tests";
    std::string option = "-display";
    std::string display = server->display();
    char* argv[] = {name.data(), option.data(), display.data(), nullptr};
    int argc = 3;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WINDOW_SIZE, WINDOW_SIZE);
    window = glutCreateWindow("Orvena frame tests");
    init();
}

void close_gl_window()
{
    // GLUT lets go of the X connection before the server goes away.
    glutDestroyWindow(window);
    glutExit();
    server.reset();
}

std::string gl_renderer()
{
    const auto* text = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return text == nullptr ? std::string() : std::string(text);
}

std::string expected_renderer()
{
    const char* wanted = std::getenv("ORVENA_EXPECT_RENDERER");
    return wanted == nullptr || *wanted == '\0' ? std::string("llvmpipe") : std::string(wanted);
}

rgb picture::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) *
                          3;
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
}

picture draw(int width, int height)
{
    glReadBuffer(GL_BACK);
    draw_window(width, height);
    return read_back(width, height);
}

picture draw_offscreen(int width, int height)
{
    GLuint framebuffer = 0;
    GLuint buffers[2] = {};
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    draw_window(width, height);
    picture pic = read_back(width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(2, buffers);
    glDeleteFramebuffers(1, &framebuffer);
    return pic;
}

rgb probe_pixel(const picture& pic, const window_point& p)
{
    const rgb pixel = pic.at(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)));
    record_probe("colour", pixel.r, pixel.g, pixel.b);
    return pixel;
}

bool near(rgb pixel, rgb expected, int tolerance)
{
    return std::abs(pixel.r - expected.r) <= tolerance &&
           std::abs(pixel.g - expected.g) <= tolerance &&
           std::abs(pixel.b - expected.b) <= tolerance;
}

bool is_white(rgb pixel) { return near(pixel, {255, 255, 255}); }

pixel_box box_around(const window_point& p, int radius)
{
    const int x = static_cast<int>(std::floor(p.x));
    const int y = static_cast<int>(std::floor(p.y));
    return {x - radius, y - radius, x + radius, y + radius};
}

window_point seen(const vec3& world, int width, int height)
{
    return project(world, camera_view(cam_x, cam_y, cam_z), window_projection(width, height), width,
                   height);
}

window_point on_overlay(const vec3& p, int width, int height)
{
    return project(p, overlay_view(), window_projection(width, height), width, height);
}

// The rule the program documents, written out again here; that the origin, the eye and the
// light stay in view under it is proved apart from the pixels, in the unit tests.
outside_view outside(int width, int height)
{
    const int smaller = std::min(width, height);
    outside_view o{};
    o.side = static_cast<int>(std::lround(0.45 * smaller));
    o.x = static_cast<int>(std::lround(0.02 * smaller));
    o.y = height - o.x - o.side;
    const vec3 eye = {cam_x, cam_y, cam_z};
    const vec3 centre = {eye[0] / 2, eye[1] / 2, eye[2] / 2};
    const double radius = std::sqrt(dot(eye, eye)) / 2 + 3.0 + 0.5;
    const double distance = radius / std::sin(20.0 * 3.14159265358979323846 / 180.0);
    const vec3 d = unit({2.0, 1.5, 1.0});
    o.eye = {centre[0] + distance * d[0], centre[1] + distance * d[1], centre[2] + distance * d[2]};
    o.view = look_at(o.eye, centre, {0, 1, 0});
    o.projection = perspective(40, 1, distance - radius, distance + radius);
    return o;
}

window_point seen_from_outside(const vec3& world, int width, int height)
{
    const outside_view o = outside(width, height);
    window_point p = project(world, o.view, o.projection, o.side, o.side);
    p.x += o.x;
    p.y += o.y;
    return p;
}

int marker_pixels(const picture& pic, const vec3& centre)
{
    return count(pic, marker_box(centre, pic.width, pic.height), is_white);
}

vec3 point_on(cube which, face f, double a, double b)
{
    vec3 local{};
    const auto axis = static_cast<std::size_t>(f.axis);
    local[axis] = f.sign * HALF_EDGE;
    local[(axis + 1) % 3] = a * HALF_EDGE;
    local[(axis + 2) % 3] = b * HALF_EDGE;
    return transform_point(cube_to_world(which), local);
}

face_shading shading(cube which, face f)
{
    vec3 local_normal{};
    local_normal[static_cast<std::size_t>(f.axis)] = f.sign;
    const vec3 normal = transform_direction(cube_to_world(which), local_normal);
    const vec3 light = world_light();
    const std::array<double, 3>& m = material(which);

    face_shading s{{1, 1, 1}, {0, 0, 0}, 1, 0};
    for (const double a : {-1.0, 1.0}) {
        for (const double b : {-1.0, 1.0}) {
            const vec3 corner = point_on(which, f, a, b);
            const vec3 to_light =
                unit({light[0] - corner[0], light[1] - corner[1], light[2] - corner[2]});
            const double n_dot_l = std::max(0.0, dot(normal, to_light));
            s.least_n_dot_l = std::min(s.least_n_dot_l, n_dot_l);
            s.most_n_dot_l = std::max(s.most_n_dot_l, n_dot_l);
            for (std::size_t c = 0; c < 3; ++c) {
                const double colour = std::min(1.0, (GLOBAL_AMBIENT + n_dot_l) * m[c]);
                s.low[c] = std::min(s.low[c], colour);
                s.high[c] = std::max(s.high[c], colour);
            }
        }
    }
    return s;
}

std::array<double, 3> ambient_only(cube which)
{
    const std::array<double, 3>& m = material(which);
    return {GLOBAL_AMBIENT * m[0], GLOBAL_AMBIENT * m[1], GLOBAL_AMBIENT * m[2]};
}

void record_probe(const char* kind, int a, int b, int c)
{
    if (probe_log.is_open()) {
        probe_log << kind << ' ' << a << ' ' << b << ' ' << c << '\n';
    }
}

bool within(rgb pixel, const std::array<double, 3>& low, const std::array<double, 3>& high,
            int tolerance)
{
    const int channel[3] = {pixel.r, pixel.g, pixel.b};
    for (std::size_t c = 0; c < 3; ++c) {
        if (channel[c] < low[c] * 255 - tolerance || channel[c] > high[c] * 255 + tolerance) {
            return false;
        }
    }
    return true;
}

void Frame::SetUp()
{
    // A prefix, not a substring: zink names the Vulkan driver under it, "zink (llvmpipe ...)".
    ASSERT_EQ(gl_renderer().rfind(expected_renderer(), 0), 0U)
        << "GL_RENDERER is \"" << gl_renderer() << "\", expected it to start with \""
        << expected_renderer() << "\" (ORVENA_EXPECT_RENDERER)";
    const char* dir = std::getenv("ORVENA_PROBE_DIR");
    if (dir != nullptr && *dir != '\0') {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "." + test->name();
        std::replace(name.begin(), name.end(), '/', '_');
        probe_log.open(std::string(dir) + "/" + name + ".txt", std::ios::trunc);
        ASSERT_TRUE(probe_log.is_open()) << "cannot write the probe log in " << dir;
    }
    start_scene();
    std::fill(std::begin(panel_shown), std::end(panel_shown), false);
}

void Frame::TearDown() { probe_log.close(); }
