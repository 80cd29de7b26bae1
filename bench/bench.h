// Orvena's benchmark: the measurements it takes and the pieces that take them.
#ifndef ORVENA_BENCH_BENCH_H
#define ORVENA_BENCH_BENCH_H

#include <string>
#include <vector>

// The real program, run as a user runs it, on the benchmark's X server.
struct program_costs {
    std::vector<double> map_ms;          // start to the window being mapped, per start
    std::vector<double> first_frame_ms;  // start to the first frame put on screen, per start
    double cpu_share = 0;                // CPU time over wall time while it animates (1 = a core)
    double watched_s = 0;                // how long the CPU was watched
    int frames_seen = 0;                 // frames put on screen meanwhile
    long peak_rss_kb = 0;                // VmHWM at the end of the watch
};

// Starts the program starts times on display, each until its first frame; the last start is
// then watched for watch_s seconds of animation.
program_costs measure_program(const std::string& binary, const std::string& display, int starts,
                              double watch_s);

// A kind of frame timed in many short rounds that take turns with the other kinds. The best
// round is the one least disturbed by the rest of the machine.
struct frame_time {
    double best_ms = 0;
    double median_ms = 0;
};

// One frame's cost, drawn in this process by the program's own functions.
struct frame_costs {
    std::string renderer;    // GL_RENDERER
    std::string gl_version;  // GL_VERSION, which names the Mesa release
    int width = 0;           // the window's size
    int height = 0;
    frame_time floor;          // clear, swap and finish only
    frame_time scene;          // draw_frame, swap and finish
    frame_time text;           // clear, the axis labels and the overlay's lines, swap and finish
    frame_time panels;         // draw_frame with all three teaching panels, swap and finish
    frame_time panels_moving;  // the same with the light orbiting, a new call panel each frame
    int rounds = 0;
    int frames_per_kind = 0;
};

// Opens a 500 x 500 window on display and times each kind of frame in rounds of about
// seconds_each.
frame_costs measure_frames(const std::string& display, double seconds_each, int rounds);

#endif
