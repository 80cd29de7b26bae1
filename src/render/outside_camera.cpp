// The light's world position and the outside camera, worked out from the scene state.
#include "render/outside_camera.h"

#include <cmath>

#include "app/orvena.h"

namespace {

constexpr double PI = 3.14159265358979323846;
// The outside eye's direction from the middle of the scene: from the side and above, across
// the line from the origin to the eye's presets, which lie near the Z axis.
constexpr world_point OUTSIDE_DIRECTION = {2.0, 1.5, 1.0};
constexpr double OUTSIDE_FOVY = 40.0;
constexpr double MARGIN = 0.5;

double dot(const world_point& a, const world_point& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

world_point cross(const world_point& a, const world_point& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

world_point unit(const world_point& v)
{
    const double n = std::sqrt(dot(v, v));
    return {v[0] / n, v[1] / n, v[2] / n};
}

// p turned by degrees about axis, as glRotatef turns it.
world_point rotated(const world_point& p, double degrees, const world_point& axis)
{
    const world_point k = unit(axis);
    const double c = std::cos(degrees * PI / 180.0);
    const double s = std::sin(degrees * PI / 180.0);
    const world_point kxp = cross(k, p);
    const double kp = dot(k, p) * (1 - c);
    return {p[0] * c + kxp[0] * s + k[0] * kp, p[1] * c + kxp[1] * s + k[1] * kp,
            p[2] * c + kxp[2] * s + k[2] * kp};
}

}  // namespace

eye_frame camera_frame()
{
    const world_point eye = {cam_x, cam_y, cam_z};
    const world_point forward = unit({-eye[0], -eye[1], -eye[2]});
    const world_point right = unit(cross(forward, {0, 1, 0}));
    return {eye, right, cross(right, forward), forward};
}

world_point light_in_world()
{
    const world_point pos = {light_pos[0], light_pos[1], light_pos[2]};
    if (light_mode == LIGHT_MOVING) {
        return rotated(pos, light_angle, {light_axis[0], light_axis[1], light_axis[2]});
    }
    if (light_mode == LIGHT_VIEWPOINT) {
        // Eye coordinates: x along the eye's right, y along its up, -z along its forward.
        const eye_frame f = camera_frame();
        world_point w{};
        for (std::size_t i = 0; i < 3; ++i) {
            w[i] = f.eye[i] + pos[0] * f.right[i] + pos[1] * f.up[i] - pos[2] * f.forward[i];
        }
        return w;
    }
    return pos;
}

outside_camera outside_camera_for_eye()
{
    const world_point eye = {cam_x, cam_y, cam_z};
    const world_point centre = {eye[0] / 2, eye[1] / 2, eye[2] / 2};
    const double radius = std::sqrt(dot(eye, eye)) / 2 + LIGHT_DISTANCE + MARGIN;
    // Far enough that the sphere just fits the field of view.
    const double distance = radius / std::sin(OUTSIDE_FOVY / 2 * PI / 180.0);
    const world_point d = unit(OUTSIDE_DIRECTION);
    return {{centre[0] + distance * d[0], centre[1] + distance * d[1], centre[2] + distance * d[2]},
            centre,
            OUTSIDE_FOVY,
            distance - radius,
            distance + radius};
}
