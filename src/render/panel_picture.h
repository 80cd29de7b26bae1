// Text panels kept as pictures in textures: stroke text costs a software renderer far more
// than one textured rectangle, so text that has not changed is shown from its picture.
#ifndef ORVENA_RENDER_PANEL_PICTURE_H
#define ORVENA_RENDER_PANEL_PICTURE_H

#include <string>

#include "app/gl.h"

// A rectangle of window pixels.
struct pixel_rect {
    int x, y, width, height;
};

// A cache of what the panel drew, with the GL texture it is kept in; not scene state.
struct panel_picture {
    GLuint texture = 0;  // 0 until the first picture is kept
    int texture_width = 0;
    int texture_height = 0;
    pixel_rect rect{0, 0, 0, 0};  // where the picture was taken
    std::string text;             // what it shows
};

// The panels' backdrop over the rectangle, opaque.
void fill_backdrop(const pixel_rect& rect);

// Draws the picture and returns true if it holds this text at this rectangle; otherwise
// draws nothing and returns false. Needs pixel coordinates over the window.
bool show_held_picture(const panel_picture& picture, const std::string& text,
                       const pixel_rect& rect);

// Takes the rectangle of the frame as drawn so far into the picture, for this text.
void keep_picture(panel_picture& picture, const std::string& text, const pixel_rect& rect);

#endif
