// The status overlay: two lines of white text in the lower left, through a fixed view.
#include "app/gl.h"
#include "app/orvena.h"
#include "render/overlay_lines.h"
#include "render/render.h"

// The projection stays the window's perspective, so the text's height follows the window's
// height and a wider window shows more room to its left. Depth testing stays on.
void draw_overlay()
{
    glDisable(GL_LIGHTING);
    {
        glPushMatrix();
        {
            char msg[1024];
            glLoadIdentity();
            gluLookAt(0, 0, 5, 0, 0, 0, 0, 1, 0);
            glColor4fv(colors[WHITE]);
            format_light_line(msg, sizeof msg);
            draw_text(-2, -2, 0, 0.001F, msg);
            format_camera_line(msg, sizeof msg);
            draw_text(-2, -1.8F, 0, 0.001F, msg);
        }
        glPopMatrix();
    }
    glEnable(GL_LIGHTING);
}
