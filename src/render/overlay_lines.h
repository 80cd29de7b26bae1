// The text of the two status lines, formatted from the scene state without any GL.
#ifndef ORVENA_RENDER_OVERLAY_LINES_H
#define ORVENA_RENDER_OVERLAY_LINES_H

#include <cstddef>

// Each writes at most size bytes, always NUL-terminated, cutting a line that does not fit.
void format_light_line(char* buf, std::size_t size);
void format_camera_line(char* buf, std::size_t size);

#endif
