// The view from outside: the same world, lit by the same light, seen from a camera outside it,
// with the eye drawn in and the light's marker where the light really is, in every mode.
#include <algorithm>
#include <cmath>

#include "app/gl.h"
#include "app/orvena.h"
#include "render/outside_camera.h"
#include "render/panels.h"
#include "render/render.h"

namespace {

const float EYE_COLOUR[4] = {1, 1, 0, 1};
const float BORDER_COLOUR[4] = {0.7F, 0.7F, 0.7F, 1};
constexpr double EYE_RADIUS = 0.2;
constexpr float MARKER_SCALE = 3;
// How far the outline of the eye's field of view reaches towards the origin.
constexpr double FRUSTUM_LENGTH = 1.5;
constexpr double PI = 3.14159265358979323846;

void vertex(const world_point& p) { glVertex3d(p[0], p[1], p[2]); }

// A ball at the eye, a line to the origin it looks at, and the outline of its field of view,
// as wide and high as the window's projection makes it.
void draw_eye(double aspect)
{
    const eye_frame f = camera_frame();
    const double up = FRUSTUM_LENGTH * std::tan(WINDOW_FOVY / 2 * PI / 180.0);
    const double right = up * aspect;
    // A corner of the field of view, FRUSTUM_LENGTH ahead of the eye.
    const auto corner_at = [&](double across, double above) {
        world_point p{};
        for (std::size_t i = 0; i < 3; ++i) {
            p[i] = f.eye[i] + FRUSTUM_LENGTH * f.forward[i] + across * right * f.right[i] +
                   above * up * f.up[i];
        }
        return p;
    };
    const world_point corners[4] = {corner_at(-1, -1), corner_at(1, -1), corner_at(1, 1),
                                    corner_at(-1, 1)};
    glColor4fv(EYE_COLOUR);
    glBegin(GL_LINES);
    {
        vertex(f.eye);
        vertex({0, 0, 0});
        for (const world_point& corner : corners) {
            vertex(f.eye);
            vertex(corner);
        }
    }
    glEnd();
    glBegin(GL_LINE_LOOP);
    {
        for (const world_point& corner : corners) {
            vertex(corner);
        }
    }
    glEnd();
    glPushMatrix();
    {
        glTranslated(f.eye[0], f.eye[1], f.eye[2]);
        glutSolidSphere(EYE_RADIUS, 16, 8);
    }
    glPopMatrix();
}

void draw_border(int width, int height)
{
    glColor4fv(BORDER_COLOUR);
    glBegin(GL_LINE_LOOP);
    {
        glVertex2f(0.5F, 0.5F);
        glVertex2f(static_cast<float>(width) - 0.5F, 0.5F);
        glVertex2f(static_cast<float>(width) - 0.5F, static_cast<float>(height) - 0.5F);
        glVertex2f(0.5F, static_cast<float>(height) - 0.5F);
    }
    glEnd();
}

}  // namespace

void draw_outside_view()
{
    GLint window[4] = {};
    glGetIntegerv(GL_VIEWPORT, window);
    const int smaller = std::min(window[2], window[3]);
    const int side = static_cast<int>(std::lround(OUTSIDE_SIDE * static_cast<float>(smaller)));
    const int margin = static_cast<int>(std::lround(OUTSIDE_MARGIN * static_cast<float>(smaller)));
    // A window a pixel or two across (or minimised, no pixel high) has no room for it.
    if (side < 1) {
        return;
    }
    const double aspect = window_aspect(window[2], window[3]);
    const outside_camera camera = outside_camera_for_eye();
    const world_point light = light_in_world();
    const float light_position[4] = {static_cast<float>(light[0]), static_cast<float>(light[1]),
                                     static_cast<float>(light[2]), 1};

    glPushAttrib(GL_VIEWPORT_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_LIGHTING_BIT |
                 GL_CURRENT_BIT | GL_LINE_BIT);
    {
        glViewport(margin, window[3] - margin - side, side, side);
        glScissor(margin, window[3] - margin - side, side, side);
        glEnable(GL_SCISSOR_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        {
            glLoadIdentity();
            gluPerspective(camera.fovy, 1.0, camera.near_plane, camera.far_plane);
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            {
                glLoadIdentity();
                gluLookAt(camera.eye[0], camera.eye[1], camera.eye[2], camera.centre[0],
                          camera.centre[1], camera.centre[2], 0, 1, 0);
                // Given in world coordinates under this camera, the light stands where the
                // frame put it, so the same faces are lit.
                glLightfv(GL_LIGHT0, GL_POSITION, light_position);
                draw_axes();
                glPushMatrix();
                {
                    draw_cubes();
                }
                glPopMatrix();
                // White, as draw_axes leaves the colour. Three times the frame's marker: at
                // this view's scale that one would be a dot of two pixels.
                glPushMatrix();
                {
                    const float origin[3] = {0, 0, 0};
                    glTranslated(light[0], light[1], light[2]);
                    glScalef(MARKER_SCALE, MARKER_SCALE, MARKER_SCALE);
                    draw_light_marker(origin);
                }
                glPopMatrix();
                glDisable(GL_LIGHTING);
                {
                    draw_eye(aspect);
                }
                glEnable(GL_LIGHTING);
            }
            glPopMatrix();
            glMatrixMode(GL_PROJECTION);
        }
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);

        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        in_pixels(side, side, draw_border);
    }
    glPopAttrib();
}
