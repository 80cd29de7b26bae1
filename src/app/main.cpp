// Orvena's entry: GLUT, the window, the start values, the callbacks and the event loop.
#include <cstdio>
#include <cstdlib>

#include "app/gl.h"
#include "app/orvena.h"
#include "input/input.h"
#include "render/render.h"

namespace {

bool window_open = false;

// GLUT ends the process itself when it cannot open a display or a window, with a terse
// message of its own; this adds what the user can do about it.
void explain_missing_window()
{
    if (!window_open) {
        std::fputs("orvena: no window could be opened: run it in a desktop session, over ssh -X, "
                   "or under Xvfb, with DISPLAY set or GLUT's -display option.\n",
                   stderr);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::atexit(explain_missing_window);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(500, 500);
    glutInitWindowPosition(100, 100);
    glutCreateWindow("Orvena");
    window_open = true;
    init();
    glutKeyboardFunc(keyboard);
    glutWMCloseFunc(quit);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutTimerFunc(static_cast<unsigned>(timer_ms), timer, 0);
    glutMainLoop();
    return 0;
}
