// The teaching panels over the finished frame: the keys (F1) and the light's calls (F2) as
// text on a backdrop of their own, and the view from outside (F3, in outside_view.cpp).
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/gl.h"
#include "app/orvena.h"
#include "app/panels.h"
#include "input/commands.h"
#include "render/light_calls.h"
#include "render/panel_picture.h"
#include "render/panels.h"
#include "render/render.h"

namespace {

const float PANEL_TEXT[4] = {1, 1, 1, 1};
const float HIGHLIGHT[4] = {1, 0.85F, 0.3F, 1};

// In font units: capitals are 100 high; a row takes 160, from 35 below its baseline, room for
// the descenders (33) and the parentheses (119 above); the text keeps PAD from the backdrop's
// edges.
constexpr float CAPITAL = 100;
constexpr float ROW = 160;
constexpr float BELOW_BASELINE = 35;
constexpr float PAD = 60;
constexpr float COLUMN_GAP = 150;
// The call panel is at least as wide as its widest line, the moving mode's last one (4109
// units), so that its text keeps its size when the mode changes.
constexpr float CALLS_WIDTH = 4109;
// The key panel takes at most this share of the window's width and height.
constexpr float MOST = 0.95F;
// Capitals at most a fortieth of the window's smaller side: 12.5 pixels at 500 x 500.
constexpr float CAPITAL_SHARE = 1.0F / 40;
// The status lines reach up to the top of the camera line's parentheses, 1.8 - 0.119 units
// below the middle of their view, seen from 5 units away through the window's projection.
const float STATUS_LINES_TOP =
    static_cast<float>(0.5 - 1.681 / (2 * 5 * std::tan(WINDOW_FOVY / 2 * 3.14159265358979 / 180)));

// Pictures of the panels' text: the key panel whole, the call panel a line each, so that in
// the moving mode only the lines with the angle are stroked again. Caches of GL textures that
// drawing fills, not settings.
constexpr std::size_t MOST_CALL_LINES = 8;
const std::vector<key_help_row> key_rows = key_help_rows();
panel_picture key_picture;
panel_picture call_pictures[MOST_CALL_LINES];

// Font units to pixels for a panel of width x height font units in a room of pixels: as large
// as the room allows, up to the capital share.
float panel_scale(float width, float height, float room_width, float room_height, float smaller)
{
    return std::min({room_width / width, room_height / height, smaller * CAPITAL_SHARE / CAPITAL});
}

int whole(float pixels) { return static_cast<int>(std::lround(pixels)); }

// The panel's rectangle at whole pixels, from its size in font units and its scale.
pixel_rect panel_rect(float x, float y, float width, float height, float scale)
{
    return {whole(x), whole(y), whole(width * scale), whole(height * scale)};
}

// A window a few pixels across leaves a panel no room, or less than none.
bool has_room(const pixel_rect& rect) { return rect.width > 0 && rect.height > 0; }

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

// In the middle of the window, over the other panels.
void draw_key_panel(float window_width, float window_height)
{
    float keys_width = 0;
    float help_width = 0;
    for (const key_help_row& row : key_rows) {
        keys_width = widest(keys_width, row.keys.c_str());
        help_width = widest(help_width, row.help);
    }
    const float width = 2 * PAD + keys_width + COLUMN_GAP + help_width;
    const float height = 2 * PAD + ROW * static_cast<float>(key_rows.size());
    const float s = panel_scale(width, height, MOST * window_width, MOST * window_height,
                                std::min(window_width, window_height));
    const pixel_rect rect = panel_rect((window_width - width * s) / 2,
                                       (window_height - height * s) / 2, width, height, s);
    // The keys never change: the picture is taken again only when the window's size changes.
    if (!has_room(rect) || show_held_picture(key_picture, "", rect)) {
        return;
    }
    fill_backdrop(rect);
    set_text_line_width(s);
    const auto x = static_cast<float>(rect.x) + PAD * s;
    float baseline = static_cast<float>(rect.y) + (height - PAD - ROW + BELOW_BASELINE) * s;
    for (const key_help_row& row : key_rows) {
        glColor4fv(HIGHLIGHT);
        draw_text(x, baseline, 0, s, row.keys.c_str());
        glColor4fv(PANEL_TEXT);
        draw_text(x + (keys_width + COLUMN_GAP) * s, baseline, 0, s, row.help);
        baseline -= ROW * s;
    }
    keep_picture(key_picture, "", rect);
}

// Just above the status lines, from the left, and below the room of the outside view.
void draw_call_panel(float window_width, float window_height)
{
    const std::vector<panel_line> lines = light_call_lines();
    const char* const arrow = "=> ";
    const float indent = static_cast<float>(stroke_width(arrow));
    float text_width = CALLS_WIDTH;
    for (const panel_line& line : lines) {
        text_width = widest(text_width, line.text.c_str());
    }
    const float width = 2 * PAD + indent + text_width;
    const float height = 2 * PAD + ROW * static_cast<float>(lines.size());
    const float smaller = std::min(window_width, window_height);
    const float margin = OUTSIDE_MARGIN * smaller;
    const float bottom = STATUS_LINES_TOP * window_height + margin;
    const float top = window_height - 2 * margin - OUTSIDE_SIDE * smaller;
    const float s = panel_scale(width, height, window_width - 2 * margin, top - bottom, smaller);
    const pixel_rect rect = panel_rect(margin, bottom, width, height, s);
    if (!has_room(rect)) {
        return;
    }
    fill_backdrop(rect);
    set_text_line_width(s);
    for (std::size_t i = 0; i < lines.size() && i < MOST_CALL_LINES; ++i) {
        const panel_line& line = lines[i];
        // Each line's band runs from the next one's up to its own top, at whole pixels.
        const float band_bottom = height - PAD - ROW * static_cast<float>(i + 1);
        const int y0 = rect.y + whole(band_bottom * s);
        const int y1 = rect.y + whole((band_bottom + ROW) * s);
        const pixel_rect band = {rect.x, y0, rect.width, y1 - y0};
        const std::string shown = (line.marked ? arrow : "") + line.text;
        if (band.height < 1 || show_held_picture(call_pictures[i], shown, band)) {
            continue;
        }
        const auto x = static_cast<float>(rect.x) + PAD * s;
        const float baseline = static_cast<float>(rect.y) + (band_bottom + BELOW_BASELINE) * s;
        glColor4fv(line.marked ? HIGHLIGHT : PANEL_TEXT);
        if (line.marked) {
            draw_text(x, baseline, 0, s, arrow);
        }
        draw_text(x + indent * s, baseline, 0, s, line.text.c_str());
        keep_picture(call_pictures[i], shown, band);
    }
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
