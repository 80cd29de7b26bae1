// A second, independent account of what keys and timer ticks do to the scene, and the
// invariants that must hold after every step. The angles are kept as whole step counts, so
// the model cannot drift the way summed floats could.
#ifndef ORVENA_TESTS_SCENE_MODEL_H
#define ORVENA_TESTS_SCENE_MODEL_H

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/orvena.h"

struct scene_model {
    std::array<float, 3> eye{1.69F, 2.9F, 7.49F};
    bool animate = true;
    int mode = 0;  // 0 fixed, 1 moving, 2 at the viewpoint
    std::array<float, 3> pos{0, 3, 0};
    std::array<float, 3> axis{0, 0, 1};
    int cube_steps = 0;   // 0..72, the cube angles are 5 degrees a step
    int light_steps = 0;  // 0..360, the light angle is 1 degree a step

    // Every key but Escape, which ends the program instead.
    void key(unsigned char k)
    {
        const double step = 0.1;
        switch (k) {
        case ' ':
            animate = !animate;
            break;
        case '1':
            pos = {0, 3, 0};
            axis = {0, 0, 1};
            break;
        case '2':
            pos = {3, 0, 0};
            axis = {0, 0, 1};
            break;
        case '3':
            pos = {0, 0, 3};
            axis = {1, 0, 0};
            break;
        case '4':
            pos = {0, 0, 0};
            break;
        case 'L':
        case 'l':
            mode = mode == 2 ? 0 : mode + 1;
            break;
        case 'O':
        case 'o':
            eye = {0, 0, 5};
            break;
        case 'R':
        case 'r':
            eye = {1.69F, 2.9F, 7.49F};
            break;
        case 'T':
        case 't':
            eye = {1.69F, 2.9F, -7.49F};
            break;
        case 'S':
        case 's':
            eye[2] = -eye[2];  // exact in binary floating point
            break;
        case 'X':
        case 'Y':
        case 'Z':
            eye[k - 'X'] = static_cast<float>(eye[k - 'X'] + step);
            break;
        case 'x':
        case 'y':
        case 'z':
            eye[k - 'x'] = static_cast<float>(eye[k - 'x'] - step);
            break;
        default:
            break;
        }
    }

    void tick()
    {
        if (mode == 1) {
            light_steps = (light_steps + 1) % 361;
        }
        if (animate) {
            cube_steps = (cube_steps + 1) % 73;
        }
    }

    float cube_angle() const { return 5.0F * static_cast<float>(cube_steps); }
    float light_angle_now() const { return static_cast<float>(light_steps); }
};

// Appends "name is got, want want; " to report; values with all the digits a float has.
inline void note(std::string& report, const char* name, double got, double want)
{
    char line[160];
    std::snprintf(line, sizeof line, "%s is %.9g, want %.9g; ", name, got, want);
    report += line;
}

// What differs between the program's scene state and the model, or "" when they agree. Cheap
// when they do: it runs after every step of a million.
inline std::string differences(const scene_model& m)
{
    std::string report;
    const auto field = [&report](const char* name, double got, double want) {
        if (!(got == want)) {
            note(report, name, got, want);
        }
    };
    field("cam_x", cam_x, m.eye[0]);
    field("cam_y", cam_y, m.eye[1]);
    field("cam_z", cam_z, m.eye[2]);
    field("animate", animate, m.animate ? 1 : 0);
    field("light_mode", light_mode, m.mode);
    for (std::size_t i = 0; i < 3; ++i) {
        field("light_pos", light_pos[i], m.pos[i]);
        field("light_axis", light_axis[i], m.axis[i]);
    }
    field("ang_obj1", ang_obj1, m.cube_angle());
    field("ang_obj2", ang_obj2, m.cube_angle());
    field("light_angle", light_angle, m.light_angle_now());
    return report;
}

// What breaks the scene state's invariants, or "" when none does. These hold whatever the
// keys and ticks were, without any model.
inline std::string broken_invariants()
{
    std::string report;
    const float all[] = {cam_x,         cam_y,         cam_z,        ang_obj1,     ang_obj2,
                         light_angle,   light_pos[0],  light_pos[1], light_pos[2], light_pos[3],
                         light_axis[0], light_axis[1], light_axis[2]};
    for (float v : all) {
        if (!std::isfinite(v)) {
            note(report, "a value that must be finite", v, 0);
        }
    }
    if (light_mode < 0 || light_mode > 2) {
        note(report, "light_mode (0, 1 or 2)", light_mode, 0);
    }
    for (float angle : {ang_obj1, ang_obj2, light_angle}) {
        if (!(angle >= 0.0F && angle <= 360.0F)) {
            note(report, "an angle (within 0..360)", angle, 0);
        }
    }
    if (ang_obj1 != ang_obj2) {
        note(report, "ang_obj2", ang_obj2, ang_obj1);
    }
    if (light_pos[3] != 1.0F) {
        note(report, "light_pos w", light_pos[3], 1);
    }
    if (timer_ms != 100) {
        note(report, "timer_ms", timer_ms, 100);
    }
    if (animate > 1) {
        note(report, "animate (0 or 1)", animate, 0);
    }
    const float palette[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 1}};
    for (int c = 0; c < 4; ++c) {
        for (int i = 0; i < 4; ++i) {
            if (colors[c][i] != palette[c][i]) {
                note(report, "a colour component", colors[c][i], palette[c][i]);
            }
        }
    }
    return report;
}

#endif
