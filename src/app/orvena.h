// Orvena's shared settings: the scene state that the keyboard and the timer write and
// the frame reads, the light modes, the colour table and the shell's entry points.
#ifndef ORVENA_APP_ORVENA_H
#define ORVENA_APP_ORVENA_H

#include <cstdint>

// Where the frame hands the light's position to OpenGL.
enum light_mode_id : std::int32_t {
    LIGHT_FIXED = 0,     // in world coordinates, after the camera transform
    LIGHT_MOVING = 1,    // inside a rotation by light_angle about light_axis
    LIGHT_VIEWPOINT = 2  // in eye coordinates, before the camera transform
};

// The scene state: process-wide, zero until init() gives the start values.
extern float cam_x, cam_y, cam_z;  // the eye, always looking at the origin with +Y up
extern std::uint8_t animate;       // 1: each timer tick turns the cubes
extern std::int32_t timer_ms;      // animation period
extern float ang_obj1;             // grey cube's orbit about the world Z axis, degrees
extern float ang_obj2;             // blue cube's spin about its own Y axis, degrees
extern float light_angle;          // light's orbit angle in the moving mode, degrees
extern std::int32_t light_mode;    // a light_mode_id
extern float light_pos[4];         // GL_LIGHT0 position, w always 1
extern float light_axis[3];        // orbit axis in the moving mode

enum color_id { RED, GREEN, BLUE, WHITE };
extern const float colors[4][4];

// Start values shared by init and the keyboard.
constexpr float HOME_X = 1.69F, HOME_Y = 2.9F, HOME_Z = 7.49F;
constexpr float LIGHT_DISTANCE = 3.0F;
constexpr double ANGLE_WRAP = 360.0;
// The window's projection: vertical field of view in degrees.
constexpr double WINDOW_FOVY = 50.0;

// Gives the scene state its start values; light_mode and light_angle keep theirs.
void set_start_values();

// Switches on lighting and depth testing and sets the start values. Needs a current GL context.
void init();

// Ends the program with status 0 once no frame is still on its way to the window: the
// Escape key and GLUT's close callback (the window manager's close request).
[[noreturn]] void quit();

// GLUT reshape callback: viewport and perspective projection for the window's size.
void reshape(int width, int height);

// Aspect for the projection. A zero height (a minimised window) is taken as one pixel, so the
// projection stays finite; nothing is visible in a zero-height viewport anyway.
inline double window_aspect(int width, int height)
{
    return static_cast<double>(width) / static_cast<double>(height > 0 ? height : 1);
}

#endif
