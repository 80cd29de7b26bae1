// Text panels drawn once and then shown from a texture while their text stays the same.
#include "render/panel_picture.h"

namespace {

const float BACKDROP[4] = {0.08F, 0.08F, 0.12F, 1};

int power_of_two_at_least(int n)
{
    int p = 1;
    while (p < n) {
        p *= 2;
    }
    return p;
}

bool holds(const panel_picture& picture, const std::string& text, const pixel_rect& rect)
{
    return picture.texture != 0 && picture.text == text && picture.rect.x == rect.x &&
           picture.rect.y == rect.y && picture.rect.width == rect.width &&
           picture.rect.height == rect.height;
}

void fill_backdrop(const pixel_rect& rect)
{
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT);
    {
        glEnable(GL_SCISSOR_TEST);
        glScissor(rect.x, rect.y, rect.width, rect.height);
        glClearColor(BACKDROP[0], BACKDROP[1], BACKDROP[2], BACKDROP[3]);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glPopAttrib();
}

// Takes the rectangle from the frame into the picture's texture. OpenGL 1.1 wants sides that
// are powers of two; a panel larger than the driver's textures is not kept.
void take_picture(panel_picture& picture, const std::string& text, const pixel_rect& rect)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const int width = power_of_two_at_least(rect.width);
    const int height = power_of_two_at_least(rect.height);
    if (width > largest || height > largest) {
        return;
    }
    glPushAttrib(GL_TEXTURE_BIT);
    {
        if (picture.texture == 0) {
            glGenTextures(1, &picture.texture);
        }
        glBindTexture(GL_TEXTURE_2D, picture.texture);
        if (width != picture.texture_width || height != picture.texture_height) {
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                         nullptr);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            picture.texture_width = width;
            picture.texture_height = height;
        }
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, rect.x, rect.y, rect.width, rect.height);
    }
    glPopAttrib();
    picture.rect = rect;
    picture.text = text;
}

// Texel for pixel: the rectangle's corners at whole pixels, sampled without filtering.
void show_picture(const panel_picture& picture)
{
    const pixel_rect& r = picture.rect;
    const auto s = static_cast<float>(r.width) / static_cast<float>(picture.texture_width);
    const auto t = static_cast<float>(r.height) / static_cast<float>(picture.texture_height);
    const auto x0 = static_cast<float>(r.x);
    const auto y0 = static_cast<float>(r.y);
    const auto x1 = static_cast<float>(r.x + r.width);
    const auto y1 = static_cast<float>(r.y + r.height);
    glPushAttrib(GL_TEXTURE_BIT | GL_ENABLE_BIT);
    {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, picture.texture);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glBegin(GL_QUADS);
        {
            glTexCoord2f(0, 0);
            glVertex2f(x0, y0);
            glTexCoord2f(s, 0);
            glVertex2f(x1, y0);
            glTexCoord2f(s, t);
            glVertex2f(x1, y1);
            glTexCoord2f(0, t);
            glVertex2f(x0, y1);
        }
        glEnd();
    }
    glPopAttrib();
}

}  // namespace

void draw_panel_picture(panel_picture& picture, const std::string& text, const pixel_rect& rect,
                        const std::function<void()>& draw_text)
{
    // No room: the window is too small, or no pixel high.
    if (rect.width < 1 || rect.height < 1) {
        return;
    }
    if (holds(picture, text, rect)) {
        show_picture(picture);
        return;
    }
    fill_backdrop(rect);
    draw_text();
    take_picture(picture, text, rect);
}
