// Drawing one frame from the scene state.
#ifndef ORVENA_RENDER_RENDER_H
#define ORVENA_RENDER_RENDER_H

// GLUT display callback: draw_frame, the panels that are shown, then swap the buffers.
void display();

// The whole frame into the back buffer, without the swap, so a test can read it back.
void draw_frame();

// The grey cube on its orbit and the blue cube spinning at (1.5, 1.5, 0), lit, in the
// current frame. Leaves the translation to the blue cube in force.
void draw_cubes();

// White wire cube at pos (x, y, z) in the current frame, unlit.
void draw_light_marker(const float* pos);

// The three coordinate axes through the origin with their labels, unlit.
void draw_axes();

// Stroke text starting at (x, y, z) with one scale for all three axes.
void draw_text(float x, float y, float z, float scale, const char* text);

// Stroke text in the XY plane, turned by angle degrees; align 0 starts the text at (x, y),
// 1 centres it there, any other value ends it there.
void draw_text_aligned(const char* text, float x, float y, float angle, float scale_x,
                       float scale_y, int align);

// The two status lines, drawn through a fixed view of their own.
void draw_overlay();

// Width of the text in the stroke font's units.
int stroke_width(const char* text);

#endif
