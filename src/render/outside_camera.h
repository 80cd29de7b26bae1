// Where things stand in the world, for the view from outside: the light's true position in
// every mode, and a camera that keeps the origin, the eye and the light in view. No GL.
#ifndef ORVENA_RENDER_OUTSIDE_CAMERA_H
#define ORVENA_RENDER_OUTSIDE_CAMERA_H

#include <array>

using world_point = std::array<double, 3>;

// The light in world coordinates, from the scene state: light_pos in the fixed mode; turned
// by light_angle about light_axis in the moving mode; in the viewpoint mode light_pos is in
// eye coordinates, so the camera's inverse transform carries it into the world.
world_point light_in_world();

// The camera's frame in the world, as gluLookAt builds it from the eye, the origin and +Y:
// the eye, and its right, up and forward directions, each of unit length.
struct eye_frame {
    world_point eye;
    world_point right;
    world_point up;
    world_point forward;
};
eye_frame camera_frame();

// A perspective camera from outside the scene, looking at the middle of the eye and the
// origin from a fixed direction. Its view holds a sphere round that middle which encloses
// everything within LIGHT_DISTANCE (and a margin) of the origin and of the eye: the axes, the
// cubes, the eye and the light wherever the light keys and modes can put it. It depends on
// the eye alone, so it moves only when the eye moves.
struct outside_camera {
    world_point eye;
    world_point centre;
    double fovy;  // degrees, for a square viewport
    double near_plane;
    double far_plane;
};
outside_camera outside_camera_for_eye();

#endif
