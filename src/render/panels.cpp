// The teaching panels over the finished frame: the keys (F1) and the light's calls (F2) as
// text on a backdrop of their own, and the view from outside (F3, in outside_view.cpp).
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/gl.h"
#include "app/panels.h"
#include "input/commands.h"
#include "render/light_calls.h"
#include "render/panel_picture.h"
#include "render/render.h"

namespace {

const float PANEL_TEXT[4] = {1, 1, 1, 1};
const float HIGHLIGHT[4] = {1, 0.85F, 0.3F, 1};

// In font units: capitals are 100 high, a row takes 150, and the text keeps PAD from the
// backdrop's edges.
constexpr float CAPITAL = 100;
constexpr float ROW = 150;
constexpr float PAD = 60;
constexpr float COLUMN_GAP = 150;
// Room for the glyphs that reach past their advance ("_", braces) at a line's end.
constexpr float SLACK = 100;
// The call panel is at least as wide as its widest line, the moving mode's last one at 360.00
// degrees (5122 units), so that its text keeps its size as the mode and the angle change.
constexpr float CALLS_WIDTH = 5122;
// The key panel takes at most this share of the window's width and height.
constexpr float MOST = 0.95F;
// Capitals at most a fortieth of the window's smaller side: 12.5 pixels at 500 x 500.
constexpr float CAPITAL_SHARE = 1.0F / 40;
// The status lines end 1.7 units below the middle of their view, seen from 5 units away
// through the 50 degree projection: 0.5 - 1.7 / (2 * 5 * tan 25) = 13.5 % of the height.
constexpr float STATUS_LINES_TOP = 0.135F;

const std::vector<key_help_row> key_rows = key_help_rows();
panel_picture key_picture;
panel_picture call_picture;

// Font units to pixels for a panel of width x height font units in a room of pixels: as large
// as the room allows, up to the capital share.
float panel_scale(float width, float height, float room_width, float room_height, float smaller)
{
    return std::min({room_width / width, room_height / height, smaller * CAPITAL_SHARE / CAPITAL});
}

// The panel's rectangle at whole pixels, from its size in font units and its scale.
pixel_rect panel_rect(float x, float y, float width, float height, float scale)
{
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)),
            static_cast<int>(std::lround(width * scale)),
            static_cast<int>(std::lround(height * scale))};
}

// Strokes thicken with the text, so that large text does not turn to hairlines; whole pixels,
// which software renderers draw far faster than fractions.
void set_text_line_width(float scale)
{
    glLineWidth(std::max(1.0F, std::round(CAPITAL * scale / 10)));
}

float widest(float so_far, const char* text)
{
    return std::max(so_far, static_cast<float>(stroke_width(text)));
}

// In the middle of the window.
void draw_key_panel(float window_width, float window_height)
{
    float keys_width = 0;
    float help_width = 0;
    for (const key_help_row& row : key_rows) {
        keys_width = widest(keys_width, row.keys.c_str());
        help_width = widest(help_width, row.help);
    }
    const float width = 2 * PAD + keys_width + COLUMN_GAP + help_width + SLACK;
    const float height = 2 * PAD + ROW * static_cast<float>(key_rows.size());
    const float s = panel_scale(width, height, MOST * window_width, MOST * window_height,
                                std::min(window_width, window_height));
    const pixel_rect rect = panel_rect((window_width - width * s) / 2,
                                       (window_height - height * s) / 2, width, height, s);
    // The keys never change: the picture is retaken only when the window's size changes.
    draw_panel_picture(key_picture, "", rect, [&] {
        set_text_line_width(s);
        const auto x = static_cast<float>(rect.x) + PAD * s;
        float baseline = static_cast<float>(rect.y) + (height - PAD - CAPITAL) * s;
        for (const key_help_row& row : key_rows) {
            glColor4fv(HIGHLIGHT);
            draw_compiled_text(x, baseline, s, row.keys.c_str());
            glColor4fv(PANEL_TEXT);
            draw_compiled_text(x + (keys_width + COLUMN_GAP) * s, baseline, s, row.help);
            baseline -= ROW * s;
        }
    });
}

// Just above the status lines, from the left, and below the room of the outside view.
void draw_call_panel(float window_width, float window_height)
{
    const std::vector<panel_line> lines = light_call_lines();
    const char* const arrow = "=> ";
    const float indent = static_cast<float>(stroke_width(arrow));
    float text_width = CALLS_WIDTH;
    std::string text;
    for (const panel_line& line : lines) {
        text_width = widest(text_width, line.text.c_str());
        text += line.text + "\n";
    }
    const float width = 2 * PAD + indent + text_width + SLACK;
    const float height = 2 * PAD + ROW * static_cast<float>(lines.size());
    const float smaller = std::min(window_width, window_height);
    const float margin = OUTSIDE_MARGIN * smaller;
    const float bottom = STATUS_LINES_TOP * window_height + margin;
    const float top = window_height - 2 * margin - OUTSIDE_SIDE * smaller;
    const float s = panel_scale(width, height, window_width - 2 * margin, top - bottom, smaller);
    const pixel_rect rect = panel_rect(margin, bottom, width, height, s);
    draw_panel_picture(call_picture, text, rect, [&] {
        set_text_line_width(s);
        const auto x = static_cast<float>(rect.x) + PAD * s;
        float baseline = static_cast<float>(rect.y) + (height - PAD - CAPITAL) * s;
        for (const panel_line& line : lines) {
            glColor4fv(line.marked ? HIGHLIGHT : PANEL_TEXT);
            if (line.marked) {
                draw_compiled_text(x, baseline, s, arrow);
            }
            draw_compiled_text(x + indent * s, baseline, s, line.text.c_str());
            baseline -= ROW * s;
        }
    });
}

void draw_text_panels(int width, int height)
{
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    if (panel_shown[PANEL_CALLS]) {
        draw_call_panel(w, h);
    }
    if (panel_shown[PANEL_KEYS]) {
        draw_key_panel(w, h);
    }
}

}  // namespace

void in_pixels(int width, int height, void (*draw)(int width, int height))
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    {
        glLoadIdentity();
        glOrtho(0, width, 0, height, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        {
            glLoadIdentity();
            draw(width, height);
        }
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
    }
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void draw_panels()
{
    if (panel_shown[PANEL_OUTSIDE]) {
        draw_outside_view();
    }
    GLint window[4] = {};
    glGetIntegerv(GL_VIEWPORT, window);
    // A minimised window may be no pixel high.
    if ((panel_shown[PANEL_CALLS] || panel_shown[PANEL_KEYS]) && window[2] > 0 && window[3] > 0) {
        glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
        {
            glDisable(GL_LIGHTING);
            glDisable(GL_DEPTH_TEST);
            in_pixels(window[2], window[3], draw_text_panels);
        }
        glPopAttrib();
    }
}
