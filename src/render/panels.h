// Drawing the teaching panels over the finished frame.
#ifndef ORVENA_RENDER_PANELS_H
#define ORVENA_RENDER_PANELS_H

// The panels that are shown; each puts back every GL state it changes.
void draw_panels();

// The view from outside: a square of OUTSIDE_SIDE of the window's smaller side, OUTSIDE_MARGIN
// of it from the top left corner.
constexpr float OUTSIDE_SIDE = 0.45F;
constexpr float OUTSIDE_MARGIN = 0.02F;
void draw_outside_view();

// Runs draw with pixel coordinates over a viewport of width x height, origin at its lower
// left. Needs the modelview matrix mode and leaves it so; both matrices are put back.
void in_pixels(int width, int height, void (*draw)(int width, int height));

#endif
