// orvena_bench: on one private Xvfb and Mesa's software renderer, the cost of a frame against
// a frame that only clears and swaps, the share of the stroke text, the CPU the real program
// takes while it animates, its time to the first frame and its peak memory. Prints a report;
// the numbers never make it fail. --quick: a short run, for CI.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <numeric>
#include <string>
#include <thread>

#include "bench.h"
#include "xvfb.h"

namespace {

struct options {
    bool quick = false;
    std::string program = ORVENA_BINARY;
};

options parse(int argc, char** argv)
{
    options result;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            result.quick = true;
        } else if (std::strcmp(argv[i], "--program") == 0 && i + 1 < argc) {
            result.program = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--quick] [--program PATH]\n", argv[0]);
            std::exit(2);
        }
    }
    return result;
}

std::string cpu_model()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("model name", 0) == 0) {
            return line.substr(line.find(':') + 2);
        }
    }
    return "unknown";
}

double mean(const std::vector<double>& values)
{
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double largest(const std::vector<double>& values)
{
    return *std::max_element(values.begin(), values.end());
}

const char* verdict(bool met) { return met ? "met" : "NOT met"; }

void print_row(const char* label, const frame_time& time)
{
    std::printf("  %-40s %7.3f %7.3f\n", label, time.best_ms, time.median_ms);
}

// The cost above the floor that the stroke text takes, out of the scene's.
double text_share(const frame_time& floor, const frame_time& scene, const frame_time& text,
                  double frame_time::*which)
{
    return (text.*which - floor.*which) / (scene.*which - floor.*which);
}

void report(const frame_costs& frames, const program_costs& program, const options& opts)
{
    const double ratio = frames.scene.best_ms / frames.floor.best_ms;
    const double cpu_percent = program.cpu_share * 100.0;
    std::printf("machine: %u cores, %s\n", std::thread::hardware_concurrency(),
                cpu_model().c_str());
    std::printf("GL: %s, OpenGL %s, window %dx%d on a private Xvfb\n", frames.renderer.c_str(),
                frames.gl_version.c_str(), frames.width, frames.height);
    std::printf("run: %s; frames in %d rounds, %d frames of each kind\n",
                opts.quick ? "quick" : "full", frames.rounds, frames.frames_per_kind);
    std::printf("\n");
    std::printf("frame, ms (best round, median round)\n");
    print_row("floor: clear + swap + finish", frames.floor);
    print_row("scene: draw_frame + swap + finish", frames.scene);
    print_row("text: stroke text only + swap + finish", frames.text);
    print_row("panels: draw_frame and all three panels + swap + finish", frames.panels);
    print_row("panels, light orbiting: the call panel new each frame", frames.panels_moving);
    std::printf("scene / floor: %.2f best, %.2f median (target under 2.0: %s)\n", ratio,
                frames.scene.median_ms / frames.floor.median_ms, verdict(ratio < 2.0));
    std::printf("stroke text: %.0f%% of the scene's cost above the floor (%.0f%% median)\n",
                100.0 * text_share(frames.floor, frames.scene, frames.text, &frame_time::best_ms),
                100.0 *
                    text_share(frames.floor, frames.scene, frames.text, &frame_time::median_ms));
    const double panels_ratio = frames.panels.best_ms / frames.scene.best_ms;
    std::printf("panels / scene: %.2f best, %.2f median (target at most 3.0: %s)\n", panels_ratio,
                frames.panels.median_ms / frames.scene.median_ms, verdict(panels_ratio <= 3.0));
    const double orbiting_ratio = frames.panels_moving.best_ms / frames.scene.best_ms;
    std::printf("panels / scene with the light orbiting: %.2f best, %.2f median (target at most "
                "3.0: %s)\n",
                orbiting_ratio, frames.panels_moving.median_ms / frames.scene.median_ms,
                verdict(orbiting_ratio <= 3.0));
    std::printf("\n");
    std::printf("orvena animating: %.2f%% of one core over %.1f s, %d frames (%.1f a second) "
                "(target under 2%%: %s)\n",
                cpu_percent, program.watched_s, program.frames_seen,
                program.frames_seen / program.watched_s, verdict(cpu_percent < 2.0));
    std::printf("start to window mapped: %.1f ms mean over %zu starts\n", mean(program.map_ms),
                program.map_ms.size());
    std::printf("start to first frame on screen: %.1f ms mean, %.1f ms worst, over %zu starts\n",
                mean(program.first_frame_ms), largest(program.first_frame_ms),
                program.first_frame_ms.size());
    std::printf("peak resident memory (VmHWM): %.1f MiB\n", program.peak_rss_kb / 1024.0);
}

}  // namespace

int main(int argc, char** argv)
{
    const options opts = parse(argc, argv);
    // The same software renderer for this process and for the program it starts.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    setenv("GALLIUM_DRIVER", "llvmpipe", 1);
    try {
        xvfb server;
        // The program first, while this process has no window of its own on the server.
        const program_costs program = measure_program(opts.program, server.display(),
                                                      opts.quick ? 2 : 5, opts.quick ? 2.0 : 10.0);
        const frame_costs frames =
            measure_frames(server.display(), opts.quick ? 0.05 : 0.1, opts.quick ? 4 : 40);
        report(frames, program, opts);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orvena_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
