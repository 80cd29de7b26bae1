// Puts the scene state where a fresh process has it after init: zero, then the start values.
#ifndef ORVENA_TESTS_SCENE_START_H
#define ORVENA_TESTS_SCENE_START_H

#include "app/orvena.h"

inline void start_scene()
{
    cam_x = cam_y = cam_z = 0;
    animate = 0;
    timer_ms = 0;
    ang_obj1 = ang_obj2 = light_angle = 0;
    light_mode = 0;
    for (float& v : light_pos) {
        v = 0;
    }
    for (float& v : light_axis) {
        v = 0;
    }
    set_start_values();
}

#endif
