// The teaching panels that the function keys show over the scene: which are shown, and the
// keys that toggle them. A state of its own beside the scene state; nothing here draws.
#ifndef ORVENA_APP_PANELS_H
#define ORVENA_APP_PANELS_H

enum panel_id {
    PANEL_KEYS,     // F1: every key and what it does
    PANEL_CALLS,    // F2: the calls that placed the camera and the light in this frame
    PANEL_OUTSIDE,  // F3: the world seen from outside, with the eye and the light in it
    PANEL_COUNT
};

// All off at start.
extern bool panel_shown[PANEL_COUNT];

struct panel_key {
    int code;          // as GLUT's special-key callback has it: GLUT_KEY_F1, F2, F3
    const char* name;  // for the key lists
    panel_id panel;
    const char* help;
};
extern const panel_key panel_keys[PANEL_COUNT];

// Shows or hides the panel of this special key. Returns false, changing nothing, for every
// other special key.
bool toggle_panel(int special_key);

#endif
