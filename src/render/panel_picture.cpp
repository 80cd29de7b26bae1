// Text panels' pictures: taken from the frame once, then shown while their text is the same.
#include "render/panel_picture.h"

#include <vector>

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

// Whether the driver can hold a texture of this size, asked through the proxy texture, as
// OpenGL 1.1 has it.
bool texture_fits(int width, int height)
{
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 nullptr);
    GLint got = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &got);
    return got == width;
}

// Copies the rectangle of the frame into the picture's texture, made width x height first.
void take(panel_picture& picture, int width, int height, const pixel_rect& rect)
{
    if (picture.texture == 0) {
        glGenTextures(1, &picture.texture);
    }
    glBindTexture(GL_TEXTURE_2D, picture.texture);
    if (width != picture.texture_width || height != picture.texture_height) {
        // Zeros where the rectangle does not reach, rather than whatever the memory held; four
        // bytes a texel, so that every row meets the default unpack alignment.
        const std::vector<GLubyte> zeros(static_cast<std::size_t>(width) *
                                         static_cast<std::size_t>(height) * 4);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     zeros.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        picture.texture_width = width;
        picture.texture_height = height;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, rect.x, rect.y, rect.width, rect.height);
}

}  // namespace

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

// Texel for pixel: the rectangle's corners at whole pixels, sampled without filtering.
bool show_held_picture(const panel_picture& picture, const std::string& text,
                       const pixel_rect& rect)
{
    const pixel_rect& r = picture.rect;
    if (picture.texture == 0 || picture.text != text || r.x != rect.x || r.y != rect.y ||
        r.width != rect.width || r.height != rect.height) {
        return false;
    }
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
    return true;
}

// OpenGL 1.1 wants the texture's sides to be powers of two. A rectangle larger than the
// driver's textures is not kept, and drawn afresh in every frame instead.
void keep_picture(panel_picture& picture, const std::string& text, const pixel_rect& rect)
{
    const int width = power_of_two_at_least(rect.width);
    const int height = power_of_two_at_least(rect.height);
    glPushAttrib(GL_TEXTURE_BIT);
    {
        if (texture_fits(width, height)) {
            take(picture, width, height, rect);
            picture.rect = rect;
            picture.text = text;
        }
    }
    glPopAttrib();
}
