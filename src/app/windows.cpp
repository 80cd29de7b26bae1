// Windows only: the DISPLAY variable names an X server, which GLUT on Windows cannot use.
#include "app/windows.h"

#include <cstdlib>

// Without a -display option freeglut takes DISPLAY as the name of a Windows display device,
// only to ask it for the screen's size, and warns on standard error when there is no such
// device. DISPLAY is left by X servers and tools installed for other programs (and Wine passes
// the Unix one on), so it is taken out of this process's environment first: the window opens
// on the desktop as it would anyway, without the warning. An explicit -display still reaches
// GLUT.
void ignore_x_display_variable() { _putenv("DISPLAY="); }
