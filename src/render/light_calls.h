// The light-calls panel's text: the calls with which this frame places the camera and the
// light, in the frame's order and with the values it passes. No GL, so it tests anywhere.
#ifndef ORVENA_RENDER_LIGHT_CALLS_H
#define ORVENA_RENDER_LIGHT_CALLS_H

#include <string>
#include <vector>

struct panel_line {
    std::string text;
    bool marked;  // the light-position call, the line that matters
};

// A title, the calls, and a last line saying in which coordinates OpenGL took light_pos.
// Every number is shown with two decimals.
std::vector<panel_line> light_call_lines();

#endif
