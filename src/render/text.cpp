// Text drawn as geometry in GLUT's Roman stroke font, placed and sized by the modelview matrix.
#include "app/gl.h"
#include "render/render.h"

namespace {

// Characters go to GLUT as signed bytes; it skips those outside 0..127.
void stroke(const char* text)
{
    for (const char* c = text; *c != '\0'; ++c) {
        glutStrokeCharacter(GLUT_STROKE_ROMAN, static_cast<signed char>(*c));
    }
}

}  // namespace

int stroke_width(const char* text)
{
    int width = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        width += glutStrokeWidth(GLUT_STROKE_ROMAN, static_cast<signed char>(*c));
    }
    return width;
}

void draw_text(float x, float y, float z, float scale, const char* text)
{
    glPushMatrix();
    {
        glTranslatef(x, y, z);
        glScalef(scale, scale, scale);
        stroke(text);
    }
    glPopMatrix();
}

void draw_text_aligned(const char* text, float x, float y, float angle, float scale_x,
                       float scale_y, int align)
{
    const int width = stroke_width(text);
    glPushMatrix();
    {
        glTranslatef(x, y, 0);
        glRotatef(angle, 0, 0, 1);
        glScalef(scale_x, scale_y, 1);
        // In font units, after the scale; the half of an odd width is kept, not rounded.
        if (align == 1) {
            glTranslatef(-static_cast<float>(width) / 2.0F, 0, 0);
        } else if (align != 0) {
            glTranslatef(-static_cast<float>(width), 0, 0);
        }
        stroke(text);
    }
    glPopMatrix();
}
