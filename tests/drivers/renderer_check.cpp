// Opens a GL window the way the program does, on a private X server, and checks that
// GL_RENDERER begins with ORVENA_EXPECT_RENDERER: the environment picked the driver the
// end-to-end run means to test, rather than falling back to another.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/gl.h"
#include "xvfb.h"

#include <GL/freeglut_ext.h>  // glutExit: let go of the server before it stops

int main()
{
    const char* expected = std::getenv("ORVENA_EXPECT_RENDERER");
    if (expected == nullptr || *expected == '\0') {
        std::fputs("ORVENA_EXPECT_RENDERER is not set\n", stderr);
        return 2;
    }
    const xvfb server;
    std::string name = "renderer_check";
    std::string option = "-display";
    std::string display = server.display();
    char* argv[] = {name.data(), option.data(), display.data(), nullptr};
    int argc = 3;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    const int window = glutCreateWindow("Orvena renderer check");
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const bool matches =
        renderer != nullptr && std::strncmp(renderer, expected, std::strlen(expected)) == 0;
    std::printf("GL_RENDERER: %s (expected to begin with %s)\n",
                renderer != nullptr ? renderer : "none", expected);
    glutDestroyWindow(window);
    glutExit();
    return matches ? 0 : 1;
}
