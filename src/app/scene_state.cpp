// The scene state's storage and its start values.
#include "app/orvena.h"

float cam_x, cam_y, cam_z;
std::uint8_t animate;
std::int32_t timer_ms;
float ang_obj1;
float ang_obj2;
float light_angle;
std::int32_t light_mode;
float light_pos[4];
float light_axis[3];

void set_start_values()
{
    ang_obj2 = 0;
    ang_obj1 = ang_obj2;
    timer_ms = 100;
    animate = 1;
    cam_x = HOME_X;
    cam_y = HOME_Y;
    cam_z = HOME_Z;
    light_pos[0] = 0;
    light_pos[1] = LIGHT_DISTANCE;
    light_pos[2] = 0;
    light_pos[3] = 1;
    light_axis[0] = 0;
    light_axis[1] = 0;
    light_axis[2] = 1;
}
