// One frame's cost on the benchmark's GL driver, drawn in this process by the program's own
// functions, against the floor of a frame that only clears and swaps.
#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/gl.h"
#include "app/orvena.h"
#include "app/panels.h"
#include "bench.h"
#include "render/panels.h"
#include "render/render.h"

// glutMainLoopEvent: this program runs its own loop. Linux only, like the benchmark.
#include <GL/freeglut_ext.h>

namespace {

using bench_clock = std::chrono::steady_clock;

bool exposed = false;

void note_exposed() { exposed = true; }

void floor_frame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

// All the stroke text of a frame and nothing else: the axis labels as draw_axes places them,
// with the camera in force, and the overlay's two lines.
void text_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(cam_x, cam_y, cam_z, 0, 0, 0, 0, 1, 0);
    glDisable(GL_LIGHTING);
    {
        glColor4fv(colors[WHITE]);
        draw_text(3, 0, 0, 0.002F, "X");
        draw_text(0, 3, 0, 0.002F, "Y");
        draw_text(0, 0, 3, 0.002F, "Z");
    }
    glEnable(GL_LIGHTING);
    draw_overlay();
}

// The frame as display draws it with all three teaching panels shown.
void panels_frame()
{
    draw_frame();
    std::fill(std::begin(panel_shown), std::end(panel_shown), true);
    draw_panels();
    std::fill(std::begin(panel_shown), std::end(panel_shown), false);
}

// The same while the light orbits: the call panel's text changes in every frame, so it is
// stroked afresh each time instead of shown from its picture.
void panels_moving_frame()
{
    light_mode = LIGHT_MOVING;
    light_angle = light_angle >= 360 ? 0 : light_angle + 1;
    panels_frame();
    light_mode = LIGHT_FIXED;
}

// Milliseconds a frame: draw, swap, and wait for the driver to finish, as many times as fit in
// seconds after a few frames to warm up.
double time_frames(void (*draw)(), double seconds, int& frames)
{
    for (int i = 0; i < 10; ++i) {
        draw();
        glutSwapBuffers();
        glFinish();
    }
    const auto start = bench_clock::now();
    const auto until = start + std::chrono::duration_cast<bench_clock::duration>(
                                   std::chrono::duration<double>(seconds));
    int count = 0;
    auto now = start;
    while (now < until) {
        draw();
        glutSwapBuffers();
        glFinish();
        ++count;
        now = bench_clock::now();
    }
    frames += count;
    return std::chrono::duration<double, std::milli>(now - start).count() / count;
}

frame_time summary(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2]};
}

}  // namespace

frame_costs measure_frames(const std::string& display, double seconds_each, int rounds)
{
    std::string program = "orvena_bench";
    std::string display_option = "-display";
    std::string display_name = display;
    char* argv[] = {program.data(), display_option.data(), display_name.data(), nullptr};
    int argc = 3;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(500, 500);
    glutInitWindowPosition(100, 100);
    glutCreateWindow("Orvena benchmark");
    init();
    glutDisplayFunc(note_exposed);
    glutReshapeFunc(reshape);
    // Swapping onto a window that is not on screen yet would cost less than the real thing.
    const auto deadline = bench_clock::now() + std::chrono::seconds(30);
    while (!exposed) {
        if (bench_clock::now() > deadline) {
            throw std::runtime_error("the benchmark's window was never shown");
        }
        glutMainLoopEvent();
    }

    frame_costs costs;
    costs.renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    costs.gl_version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    costs.width = glutGet(GLUT_WINDOW_WIDTH);
    costs.height = glutGet(GLUT_WINDOW_HEIGHT);

    // Rounds take turns, so a slow patch of the machine falls on every kind of frame alike.
    std::vector<double> floor_ms;
    std::vector<double> scene_ms;
    std::vector<double> text_ms;
    std::vector<double> panels_ms;
    std::vector<double> panels_moving_ms;
    int frames = 0;
    for (int round = 0; round < rounds; ++round) {
        floor_ms.push_back(time_frames(floor_frame, seconds_each, frames));
        scene_ms.push_back(time_frames(draw_frame, seconds_each, frames));
        text_ms.push_back(time_frames(text_frame, seconds_each, frames));
        panels_ms.push_back(time_frames(panels_frame, seconds_each, frames));
        panels_moving_ms.push_back(time_frames(panels_moving_frame, seconds_each, frames));
    }
    costs.floor = summary(floor_ms);
    costs.scene = summary(scene_ms);
    costs.text = summary(text_ms);
    costs.panels = summary(panels_ms);
    costs.panels_moving = summary(panels_moving_ms);
    costs.rounds = rounds;
    costs.frames_per_kind = frames / 5;
    // Closes the connection before the server goes, which GLUT would take for a fatal error.
    glutExit();
    return costs;
}
