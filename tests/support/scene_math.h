// The scene's geometry worked out independently of the program: view and projection matrices
// by their textbook formulas, and window positions through GLU's gluProject.
#ifndef ORVENA_TESTS_SCENE_MATH_H
#define ORVENA_TESTS_SCENE_MATH_H

#include <array>

// Column-major, as OpenGL stores matrices.
using mat4 = std::array<double, 16>;
using vec3 = std::array<double, 3>;

mat4 identity();
mat4 multiply(const mat4& a, const mat4& b);  // a * b: b is applied first
mat4 translation(double x, double y, double z);
mat4 rotation(double degrees, double x, double y, double z);  // about a unit or non-unit axis
mat4 look_at(const vec3& eye, const vec3& center, const vec3& up);
mat4 perspective(double fovy_degrees, double aspect, double z_near, double z_far);

vec3 transform_point(const mat4& m, const vec3& p);      // w = 1
vec3 transform_direction(const mat4& m, const vec3& d);  // w = 0

// The program's camera: the eye looking at the origin with +Y up.
mat4 camera_view(float cam_x, float cam_y, float cam_z);
// The overlay's own view, from (0, 0, 5).
mat4 overlay_view();
// The projection for a window of this size: 50 degrees, aspect width / height, 0.1 to 100.
mat4 window_projection(int width, int height);

struct window_point {
    double x, y;  // pixels, origin at the lower left as glReadPixels has it
    double depth;
};

// Through gluProject, for a viewport at (0, 0) of the given size.
window_point project(const vec3& p, const mat4& modelview, const mat4& projection, int width,
                     int height);

#endif
