// The four colours of the axes, the light marker and the text.
#include "app/orvena.h"

const float colors[4][4] = {
    {1, 0, 0, 1},  // RED
    {0, 1, 0, 1},  // GREEN
    {0, 0, 1, 1},  // BLUE
    {1, 1, 1, 1},  // WHITE
};
