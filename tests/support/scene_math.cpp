// Textbook view and projection matrices, and projection to the window through GLU.
#include "scene_math.h"

#include <GL/glu.h>

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

vec3 normalized(const vec3& v)
{
    const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return {v[0] / n, v[1] / n, v[2] / n};
}

vec3 cross(const vec3& a, const vec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double& at(mat4& m, int row, int column)
{
    return m[static_cast<std::size_t>(column) * 4 + static_cast<std::size_t>(row)];
}

double at(const mat4& m, int row, int column)
{
    return m[static_cast<std::size_t>(column) * 4 + static_cast<std::size_t>(row)];
}

}  // namespace

mat4 identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

mat4 multiply(const mat4& a, const mat4& b)
{
    mat4 r{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += at(a, row, k) * at(b, k, column);
            }
            at(r, row, column) = sum;
        }
    }
    return r;
}

mat4 translation(double x, double y, double z)
{
    mat4 m = identity();
    at(m, 0, 3) = x;
    at(m, 1, 3) = y;
    at(m, 2, 3) = z;
    return m;
}

mat4 rotation(double degrees, double x, double y, double z)
{
    const vec3 a = normalized({x, y, z});
    const double c = std::cos(degrees * PI / 180);
    const double s = std::sin(degrees * PI / 180);
    mat4 m = identity();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            at(m, row, column) =
                a[static_cast<std::size_t>(row)] * a[static_cast<std::size_t>(column)] * (1 - c);
        }
    }
    at(m, 0, 0) += c;
    at(m, 1, 1) += c;
    at(m, 2, 2) += c;
    at(m, 0, 1) -= a[2] * s;
    at(m, 0, 2) += a[1] * s;
    at(m, 1, 0) += a[2] * s;
    at(m, 1, 2) -= a[0] * s;
    at(m, 2, 0) -= a[1] * s;
    at(m, 2, 1) += a[0] * s;
    return m;
}

mat4 look_at(const vec3& eye, const vec3& center, const vec3& up)
{
    const vec3 f = normalized({center[0] - eye[0], center[1] - eye[1], center[2] - eye[2]});
    const vec3 s = normalized(cross(f, up));
    const vec3 u = cross(s, f);
    mat4 m = identity();
    for (int column = 0; column < 3; ++column) {
        const auto i = static_cast<std::size_t>(column);
        at(m, 0, column) = s[i];
        at(m, 1, column) = u[i];
        at(m, 2, column) = -f[i];
    }
    return multiply(m, translation(-eye[0], -eye[1], -eye[2]));
}

mat4 perspective(double fovy_degrees, double aspect, double z_near, double z_far)
{
    const double f = 1 / std::tan(fovy_degrees * PI / 360);
    mat4 m{};
    at(m, 0, 0) = f / aspect;
    at(m, 1, 1) = f;
    at(m, 2, 2) = (z_far + z_near) / (z_near - z_far);
    at(m, 2, 3) = 2 * z_far * z_near / (z_near - z_far);
    at(m, 3, 2) = -1;
    return m;
}

vec3 transform_point(const mat4& m, const vec3& p)
{
    vec3 r{};
    for (int row = 0; row < 3; ++row) {
        r[static_cast<std::size_t>(row)] =
            at(m, row, 0) * p[0] + at(m, row, 1) * p[1] + at(m, row, 2) * p[2] + at(m, row, 3);
    }
    return r;
}

vec3 transform_direction(const mat4& m, const vec3& d)
{
    vec3 r{};
    for (int row = 0; row < 3; ++row) {
        r[static_cast<std::size_t>(row)] =
            at(m, row, 0) * d[0] + at(m, row, 1) * d[1] + at(m, row, 2) * d[2];
    }
    return r;
}

mat4 camera_view(float cam_x, float cam_y, float cam_z)
{
    return look_at({cam_x, cam_y, cam_z}, {0, 0, 0}, {0, 1, 0});
}

mat4 overlay_view() { return look_at({0, 0, 5}, {0, 0, 0}, {0, 1, 0}); }

mat4 window_projection(int width, int height)
{
    return perspective(50, static_cast<double>(width) / height, 0.1, 100);
}

window_point project(const vec3& p, const mat4& modelview, const mat4& projection, int width,
                     int height)
{
    const GLint viewport[4] = {0, 0, width, height};
    window_point w{};
    gluProject(p[0], p[1], p[2], modelview.data(), projection.data(), viewport, &w.x, &w.y,
               &w.depth);
    return w;
}
