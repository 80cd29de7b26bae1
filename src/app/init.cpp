// One-time GL set-up, once the window's context exists.
#include "app/gl.h"
#include "app/orvena.h"

// Everything else (clear colour, light colours, global ambient, shade model) keeps its
// OpenGL default on purpose: the lit faces show the plain lighting equation.
void init()
{
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    set_start_values();
}
