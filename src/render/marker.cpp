// The small white wire cube that shows where the light is.
#include "app/gl.h"
#include "app/orvena.h"
#include "render/render.h"

// Unlit, the cube takes the current colour, which every frame leaves white (the overlay's).
void draw_light_marker(const float* pos)
{
    glDisable(GL_LIGHTING);
    {
        glPushMatrix();
        {
            glTranslatef(pos[0], pos[1], pos[2]);
            glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, colors[WHITE]);
            glutWireCube(0.1);
        }
        glPopMatrix();
    }
    glEnable(GL_LIGHTING);
}
