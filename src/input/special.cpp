// GLUT special-key callback: the function keys that show and hide the teaching panels. They
// change no scene setting and print nothing; every other special key does nothing at all.
#include "app/gl.h"
#include "app/panels.h"
#include "input/input.h"

static_assert(GLUT_KEY_F1 == 1 && GLUT_KEY_F2 == 2 && GLUT_KEY_F3 == 3,
              "panel_keys gives GLUT's codes for F1 to F3");

void special_key(int key, int /*x*/, int /*y*/)
{
    if (toggle_panel(key)) {
        glutPostRedisplay();
    }
}
