// GLUT keyboard callback: one command, the console line, a new frame.
#include <cstdio>

#include "app/gl.h"
#include "app/orvena.h"
#include "input/commands.h"
#include "input/input.h"

// The mouse position is not used. The line is flushed at once so that a pipe sees it
// straight away and nothing is lost if the program is killed.
void keyboard(unsigned char key, int /*x*/, int /*y*/)
{
    if (!apply_key(key)) {
        quit();
    }
    char line[CONSOLE_LINE_SIZE];
    format_console_line(line, sizeof line);
    std::fputs(line, stdout);
    std::fflush(stdout);
    glutPostRedisplay();
}
