// The light-calls panel's text, read from the scene state as the frame reads it.
#include "render/light_calls.h"

#include <cstdio>

#include "app/orvena.h"

namespace {

template <typename... Values> std::string format(const char* pattern, Values... values)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, pattern, values...);
    return buf;
}

}  // namespace

std::vector<panel_line> light_call_lines()
{
    const double x = light_pos[0];
    const double y = light_pos[1];
    const double z = light_pos[2];
    const double w = light_pos[3];
    const panel_line light = {
        format("glLightfv(GL_LIGHT0, GL_POSITION, {%.2f, %.2f, %.2f, %.2f});", x, y, z, w), true};
    const panel_line camera = {format("gluLookAt(%.2f, %.2f, %.2f,  0, 0, 0,  0, 1, 0);",
                                      static_cast<double>(cam_x), static_cast<double>(cam_y),
                                      static_cast<double>(cam_z)),
                               false};

    std::vector<panel_line> lines = {{"This frame places the light with:", false},
                                     {"glLoadIdentity();", false}};
    if (light_mode == LIGHT_VIEWPOINT) {
        lines.push_back(light);
        lines.push_back(camera);
        lines.push_back({"taken in eye coordinates: the light moves with the eye", false});
    } else if (light_mode == LIGHT_MOVING) {
        const double angle = light_angle;
        const double ax = light_axis[0];
        const double ay = light_axis[1];
        const double az = light_axis[2];
        lines.push_back(camera);
        lines.push_back({"glPushMatrix();", false});
        lines.push_back({format("glRotatef(%.2f, %.2f, %.2f, %.2f);", angle, ax, ay, az), false});
        lines.push_back(light);
        lines.push_back({"glPopMatrix();", false});
        lines.push_back({"taken in world coordinates turned by the angle about the axis", false});
    } else {
        lines.push_back(camera);
        lines.push_back(light);
        lines.push_back({"taken in world coordinates", false});
    }
    return lines;
}
