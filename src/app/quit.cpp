// The way out of the program, for Escape and for the window manager's close request alike.
#include <cstdlib>

#include "app/gl.h"
#include "app/orvena.h"

#if !defined(_WIN32) && !defined(__APPLE__)
#include <GL/glx.h>
#endif

namespace {

// Unbinds the GL context from this thread, so that destroying it takes effect at once.
void release_gl_context()
{
#if defined(_WIN32)
    wglMakeCurrent(nullptr, nullptr);
#elif !defined(__APPLE__)
    glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
#endif
}

}  // namespace

// A frame that glutSwapBuffers handed over may still be on its way to the X server: zink
// presents from a thread of its own (its flush thread in Mesa 22.3, the Vulkan WSI's queue
// thread in 25.0) with an XCB PutImage on the window. If the window is gone when that request
// arrives, X answers BadDrawable, and when the program reads the answer before that thread has
// told XCB to drop it, Xlib's default handler prints it and ends the process with status 1.
// Destroying the context waits for that thread, but GLUT destroys it while it is still
// current, and GLX then defers the destruction, so the window used to go first. Hence the
// context is released here, and the window taken off GLUT's current window (or GLUT would
// make the context current again on the way); GLUT's glXDestroyContext then really destroys
// it, the last frame lands, and only then does GLUT destroy the window. glutExit also closes
// the display, which stops zink's remaining worker threads before exit tears the libraries
// down. GLUT calls the close callback as the window goes, hence it is cleared first.
void quit()
{
    glutWMCloseFunc(nullptr);
    release_gl_context();
    glutDestroyWindow(glutGetWindow());
    glutExit();
    std::exit(0);
}
