// The projection that follows the window's size.
#include "app/gl.h"
#include "app/orvena.h"

void reshape(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(WINDOW_FOVY, window_aspect(width, height), 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
