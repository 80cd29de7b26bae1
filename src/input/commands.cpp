// The keyboard's command table and the animation step.
#include "input/commands.h"

#include <cstdio>

#include "app/orvena.h"

namespace {

constexpr double CAMERA_STEP = 0.1;

// Steps are added in double precision and rounded back to the 32-bit coordinate.
void step(float& coordinate, double delta)
{
    coordinate = static_cast<float>(static_cast<double>(coordinate) + delta);
}

void place_light(float x, float y, float z)
{
    light_pos[0] = x;
    light_pos[1] = y;
    light_pos[2] = z;
}

void set_axis(float x, float y, float z)
{
    light_axis[0] = x;
    light_axis[1] = y;
    light_axis[2] = z;
}

void set_eye(float x, float y, float z)
{
    cam_x = x;
    cam_y = y;
    cam_z = z;
}

void toggle_animation() { animate = animate == 0 ? 1 : 0; }

void light_on_y()
{
    place_light(0, LIGHT_DISTANCE, 0);
    set_axis(0, 0, 1);
}

void light_on_x()
{
    place_light(LIGHT_DISTANCE, 0, 0);
    set_axis(0, 0, 1);
}

void light_on_z()
{
    place_light(0, 0, LIGHT_DISTANCE);
    set_axis(1, 0, 0);
}

void light_at_origin() { place_light(0, 0, 0); }
void next_light_mode() { light_mode = (light_mode + 1) % 3; }
void eye_on_z() { set_eye(0, 0, 5); }
void eye_home() { set_eye(HOME_X, HOME_Y, HOME_Z); }
void eye_behind() { set_eye(HOME_X, HOME_Y, -HOME_Z); }
void mirror_eye() { cam_z = static_cast<float>(static_cast<double>(cam_z) * -1.0); }
void x_up() { step(cam_x, CAMERA_STEP); }
void x_down() { step(cam_x, -CAMERA_STEP); }
void y_up() { step(cam_y, CAMERA_STEP); }
void y_down() { step(cam_y, -CAMERA_STEP); }
void z_up() { step(cam_z, CAMERA_STEP); }
void z_down() { step(cam_z, -CAMERA_STEP); }

struct key_command {
    unsigned char key;
    void (*run)();
};

// Keys not listed change nothing.
const key_command key_commands[] = {
    {' ', toggle_animation}, {'1', light_on_y},
    {'2', light_on_x},       {'3', light_on_z},
    {'4', light_at_origin},  {'L', next_light_mode},
    {'l', next_light_mode},  {'O', eye_on_z},
    {'o', eye_on_z},         {'R', eye_home},
    {'r', eye_home},         {'T', eye_behind},
    {'t', eye_behind},       {'S', mirror_eye},
    {'s', mirror_eye},       {'X', x_up},
    {'x', x_down},           {'Y', y_up},
    {'y', y_down},           {'Z', z_up},
    {'z', z_down},
};

// Adds one step and wraps strictly above the bound: 360 itself is held for a tick.
void turn(float& angle, double degrees)
{
    step(angle, degrees);
    if (angle > ANGLE_WRAP) {
        angle = 0;
    }
}

}  // namespace

bool apply_key(unsigned char key)
{
    if (key == KEY_ESCAPE) {
        return false;
    }
    for (const key_command& command : key_commands) {
        if (command.key == key) {
            command.run();
            break;
        }
    }
    return true;
}

void advance_animation()
{
    if (light_mode == LIGHT_MOVING) {
        turn(light_angle, 1.0);
    }
    if (animate != 0) {
        turn(ang_obj1, 5.0);
        turn(ang_obj2, 5.0);
    }
}

void format_console_line(char* buf, std::size_t size)
{
    std::snprintf(buf, size, "Camera: %f, %f, %f\n", cam_x, cam_y, cam_z);
}
