// Orvena's entry: GLUT, the window, the start values, the callbacks and the event loop.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/gl.h"
#include "app/orvena.h"
#include "input/commands.h"
#include "input/input.h"
#include "render/render.h"
#if defined(_WIN32)
#include "app/windows.h"
#endif

namespace {

bool display_open = false;

// GLUT ends the process itself when it cannot open the display, with a terse message of its
// own; this adds what the user can do about it.
void explain_missing_display()
{
    if (!display_open) {
        std::fputs("orvena: no window could be opened: run it in a desktop session, over ssh -X, "
                   "or under Xvfb, with DISPLAY set or GLUT's -display option.\n",
                   stderr);
    }
}

void print_usage()
{
    std::fputs("Usage: orvena [GLUT option]...\n"
               "       orvena --help | --version\n"
               "Shows how the moment a light's position is handed to OpenGL decides how the\n"
               "light moves as the eye moves.\n"
               "\n"
               "Keys:\n",
               stdout);
    write_key_help(stdout);
    std::fputs("\n"
               "GLUT's common options:\n"
#if defined(_WIN32)
               "  -geometry WxH+X+Y    the window's size and place, instead of 500x500+100+100:\n"
               "                       X+Y is the frame's outer corner, WxH the drawing area\n"
               "  -gldebug             report OpenGL errors after every frame\n"
               "  -iconic              start with the window minimised\n"
               "  -display DEVICE      a Windows display device, such as \\\\.\\DISPLAY1\n"
               "  -direct, -indirect and -sync are X11's: taken, and doing nothing here\n"
               "\n"
               "More in README.txt, beside orvena.exe.\n",
#else
               "  -display DISPLAY     the X display to open, instead of $DISPLAY\n"
               "  -geometry WxH+X+Y    the window's size and place, instead of 500x500+100+100\n"
               "  -gldebug             report OpenGL errors after every frame\n"
               "  -direct, -indirect   insist on a direct, or ask for an indirect, GL context\n"
               "  -iconic              start with the window iconified\n"
               "  -sync                make the X connection synchronous\n"
               "\n"
               "More in man 6 orvena.\n",
#endif
               stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            print_usage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("orvena " ORVENA_VERSION);
            return 0;
        }
    }
#if defined(_WIN32)
    ignore_x_display_variable();
#endif
    std::atexit(explain_missing_display);
    // The window's size and place are given before glutInit, so that GLUT's -geometry option,
    // which glutInit reads, can change them.
    glutInitWindowSize(500, 500);
    glutInitWindowPosition(100, 100);
    glutInit(&argc, argv);
    display_open = true;
    // glutInit takes its own options out of argv; anything left is a mistake, such as a
    // mistyped option, which would otherwise be ignored without a word.
    if (argc > 1) {
        std::fprintf(stderr, "orvena: unknown argument '%s'; see orvena --help\n", argv[1]);
        return 2;
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Orvena");
    init();
    glutKeyboardFunc(keyboard);
    glutWMCloseFunc(quit);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutTimerFunc(static_cast<unsigned>(timer_ms), timer, 0);
    // The function keys of the teaching panels.
    glutSpecialFunc(special_key);
    glutMainLoop();
    return 0;
}
