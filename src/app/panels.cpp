// Which teaching panels are shown, and the function keys that toggle them.
#include "app/panels.h"

bool panel_shown[PANEL_COUNT];

// GLUT_KEY_F1 to GLUT_KEY_F3 are 1 to 3; src/input/special.cpp checks that against GLUT.
const panel_key panel_keys[PANEL_COUNT] = {
    {1, "F1", PANEL_KEYS, "show or hide the list of keys, in the window"},
    {2, "F2", PANEL_CALLS, "show or hide the calls that place the camera and the light"},
    {3, "F3", PANEL_OUTSIDE, "show or hide the view from outside"},
};

bool toggle_panel(int special_key)
{
    for (const panel_key& key : panel_keys) {
        if (key.code == special_key) {
            panel_shown[key.panel] = !panel_shown[key.panel];
            return true;
        }
    }
    return false;
}
