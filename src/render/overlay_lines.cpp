// The status lines: the light mode with the stored light position, and the eye.
#include "render/overlay_lines.h"

#include <cstdio>

#include "app/orvena.h"

void format_light_line(char* buf, std::size_t size)
{
    if (light_mode == LIGHT_FIXED) {
        std::snprintf(buf, size, "Luz Fixa (%f, %f, %f)", light_pos[0], light_pos[1], light_pos[2]);
    } else if (light_mode == LIGHT_MOVING) {
        // The stored position, not the turned one: it names what the program hands to OpenGL.
        std::snprintf(buf, size, "Luz Movel (%f, %f, %f)", light_pos[0], light_pos[1],
                      light_pos[2]);
    } else {
        std::snprintf(buf, size, "%s", "Luz no ponto de vista");
    }
}

void format_camera_line(char* buf, std::size_t size)
{
    std::snprintf(buf, size, "Camara (%f, %f, %f)", cam_x, cam_y, cam_z);
}
