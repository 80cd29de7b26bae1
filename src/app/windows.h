// Windows only: what the Windows build does at start-up that the X11 build has no need for.
#ifndef ORVENA_APP_WINDOWS_H
#define ORVENA_APP_WINDOWS_H

// Takes DISPLAY out of the environment before glutInit reads it.
void ignore_x_display_variable();

#endif
