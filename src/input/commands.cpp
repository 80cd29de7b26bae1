// The keyboard's command table and the animation step.
#include "input/commands.h"

#include <cstdio>
#include <cstring>

#include "app/orvena.h"
#include "app/panels.h"

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
    const char* keys;  // every one of these keys runs the command
    void (*run)();
    const char* help;  // for --help and the key panel
};

// Keys not listed change nothing. Escape is not a command: it ends the program.
const key_command key_commands[] = {
    {"X", x_up, "move the eye 0.1 along +X"},
    {"x", x_down, "move the eye 0.1 along -X"},
    {"Y", y_up, "move the eye 0.1 along +Y"},
    {"y", y_down, "move the eye 0.1 along -Y"},
    {"Z", z_up, "move the eye 0.1 along +Z"},
    {"z", z_down, "move the eye 0.1 along -Z"},
    {"Ss", mirror_eye, "mirror the eye through the XY plane (Z changes sign)"},
    {"Rr", eye_home, "eye back home, at (1.69, 2.9, 7.49)"},
    {"Tt", eye_behind, "eye at (1.69, 2.9, -7.49), home seen from behind"},
    {"Oo", eye_on_z, "eye at (0, 0, 5), straight down the Z axis"},
    {"1", light_on_y, "light at (0, 3, 0); it orbits the Z axis"},
    {"2", light_on_x, "light at (3, 0, 0); it orbits the Z axis"},
    {"3", light_on_z, "light at (0, 0, 3); it orbits the X axis"},
    {"4", light_at_origin, "light at the origin (the orbit axis stays as it was)"},
    {"Ll", next_light_mode, "next light placement: fixed, moving, at the viewpoint"},
    {" ", toggle_animation, "pause or resume the turning cubes"},
};

// strchr would also find the terminating NUL, so key 0 is ruled out first.
bool runs_on(const key_command& command, unsigned char key)
{
    return key != 0 && std::strchr(command.keys, key) != nullptr;
}

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
        if (runs_on(command, key)) {
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

std::vector<key_help_row> key_help_rows()
{
    std::vector<key_help_row> rows;
    for (const key_command& command : key_commands) {
        std::string names;  // "S, s", or "space"
        for (const char* k = command.keys; *k != '\0'; ++k) {
            names += names.empty() ? "" : ", ";
            names += *k == ' ' ? std::string("space") : std::string(1, *k);
        }
        rows.push_back({names, command.help});
    }
    for (const panel_key& key : panel_keys) {
        rows.push_back({key.name, key.help});
    }
    rows.push_back({"Escape", "quit"});
    return rows;
}

void write_key_help(std::FILE* out)
{
    for (const key_help_row& row : key_help_rows()) {
        std::fprintf(out, "  %-8s %s\n", row.keys.c_str(), row.help);
    }
}
