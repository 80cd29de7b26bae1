// GLUT timer callback: re-arms itself first, so it ticks for the life of the program.
#include "app/gl.h"
#include "app/orvena.h"
#include "input/commands.h"
#include "input/input.h"

void timer(int /*value*/)
{
    glutTimerFunc(static_cast<unsigned>(timer_ms), timer, 0);
    advance_animation();
    glutPostRedisplay();
}
