// The world's coordinate axes, red X, green Y and blue Z, labelled at their positive ends.
#include "app/gl.h"
#include "app/orvena.h"
#include "render/render.h"

void draw_axes()
{
    glDisable(GL_LIGHTING);
    {
        glPushAttrib(GL_LINE_BIT);
        {
            glLineWidth(2.0F);
            glBegin(GL_LINES);
            {
                glColor4fv(colors[RED]);
                glNormal3f(0, 0, 1);
                glVertex3f(-3, 0, 0);
                glVertex3f(3, 0, 0);
                glColor4fv(colors[GREEN]);
                glNormal3f(0, 0, 1);
                glVertex3f(0, -3, 0);
                glVertex3f(0, 3, 0);
                glColor4fv(colors[BLUE]);
                glNormal3f(0, 0, 1);
                glVertex3f(0, 0, -3);
                glVertex3f(0, 0, 3);
            }
            glEnd();
        }
        glPopAttrib();
        glColor4fv(colors[WHITE]);
        draw_text(3, 0, 0, 0.002F, "X");
        draw_text(0, 3, 0, 0.002F, "Y");
        draw_text(0, 0, 3, 0.002F, "Z");
    }
    glEnable(GL_LIGHTING);
}
