// OpenGL, GLU and GLUT headers for the platform: the GLUT framework on macOS, freeglut's
// GL/freeglut.h elsewhere (it includes GL/gl.h and GL/glu.h, with windows.h first on Windows).
#ifndef ORVENA_APP_GL_H
#define ORVENA_APP_GL_H

#if defined(__APPLE__)
#define GL_SILENCE_DEPRECATION
#include <GLUT/glut.h>
#include <OpenGL/gl.h>
#include <OpenGL/glu.h>
// Apple's GLUT has no glutExit; closing the window (if still open) releases its GL context.
inline void glutExit()
{
    if (glutGetWindow() != 0) {
        glutDestroyWindow(glutGetWindow());
    }
}
#else
#include <GL/freeglut.h>
#endif

#endif
