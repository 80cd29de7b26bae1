// A text panel's picture kept in a texture: stroke text costs a software renderer far more
// than one textured rectangle, so a panel whose text and place have not changed since the
// last frame is drawn from the picture taken then.
#ifndef ORVENA_RENDER_PANEL_PICTURE_H
#define ORVENA_RENDER_PANEL_PICTURE_H

#include <functional>
#include <string>

#include "app/gl.h"

// A rectangle of window pixels.
struct pixel_rect {
    int x, y, width, height;
};

struct panel_picture {
    GLuint texture = 0;  // 0 until the first picture is taken
    int texture_width = 0;
    int texture_height = 0;
    pixel_rect rect{0, 0, 0, 0};  // where the picture was taken
    std::string text;             // what the panel showed then
};

// Fills rect with the backdrop colour and runs draw_text over it, then keeps the result in
// the picture; or, when the picture holds this text at this rect, draws the picture instead.
// Needs pixel coordinates over the window, with lighting and depth test off.
void draw_panel_picture(panel_picture& picture, const std::string& text, const pixel_rect& rect,
                        const std::function<void()>& draw_text);

#endif
