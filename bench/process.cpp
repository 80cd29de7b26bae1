// The real program's costs as a user meets them: how soon its first frame shows, how much CPU
// it takes to animate, how much memory it holds. Frames are seen through X DAMAGE.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

#include "bench.h"
#include "xvfb.h"

namespace {

using bench_clock = std::chrono::steady_clock;

double ms_between(bench_clock::time_point from, bench_clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Windows may be gone by the time a request about them arrives; that is not an error here.
int ignore_x_error(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }

// The next X event, or false once the deadline has passed.
bool next_event(Display* d, XEvent& event, bench_clock::time_point deadline)
{
    while (XPending(d) == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - bench_clock::now())
                .count();
        pollfd p = {ConnectionNumber(d), POLLIN, 0};
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) {
            return false;
        }
    }
    XNextEvent(d, &event);
    return true;
}

// User plus system time of the whole process, all its threads, in seconds.
double cpu_seconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    // The command name may hold spaces; the fields after it are plain numbers.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long utime = 0;
    unsigned long stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) {
            utime = std::stoul(field);
        } else if (i == 15) {
            stime = std::stoul(field);
        }
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long peak_rss_kb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

struct watcher {
    Display* d = nullptr;
    int damage_event = 0;
};

// True for a frame put on screen. Emptying the damaged region is what makes the server
// report the next frame.
bool take_frame(const watcher& x, XEvent& event)
{
    if (event.type != x.damage_event + XDamageNotify) {
        return false;
    }
    XDamageSubtract(x.d, reinterpret_cast<XDamageNotifyEvent*>(&event)->damage, None, None);
    return true;
}

// Starts the program and follows its window from creation: a DAMAGE watch is put on every
// top-level window as it is created, so the first frame cannot slip by. The window has no
// background of its own, so its first damage is the first frame swapped onto it.
void start_and_wait_for_frame(watcher& x, const std::string& binary, const std::string& display,
                              program_costs& costs, std::unique_ptr<child_process>& program)
{
    const auto start = bench_clock::now();
    const auto deadline = start + std::chrono::seconds(30);
    program = std::make_unique<child_process>(
        std::vector<std::string>{binary},
        std::map<std::string, std::optional<std::string>>{{"DISPLAY", display}});
    // Events about windows of an earlier start may still be on their way: only the windows
    // created from now on count.
    std::set<Window> created;
    XEvent event;
    while (next_event(x.d, event, deadline)) {
        if (event.type == CreateNotify) {
            created.insert(event.xcreatewindow.window);
            XDamageCreate(x.d, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && created.count(event.xmap.window) != 0) {
            costs.map_ms.push_back(ms_between(start, bench_clock::now()));
        } else if (event.type == x.damage_event + XDamageNotify) {
            const auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
            XDamageSubtract(x.d, damage->damage, None, None);
            if (created.count(damage->drawable) != 0) {
                costs.first_frame_ms.push_back(ms_between(start, bench_clock::now()));
                return;
            }
        }
    }
    throw std::runtime_error("no frame from " + binary + " within 30 s");
}

}  // namespace

program_costs measure_program(const std::string& binary, const std::string& display, int starts,
                              double watch_s)
{
    watcher x;
    x.d = XOpenDisplay(display.c_str());
    if (x.d == nullptr) {
        throw std::runtime_error("cannot open display " + display);
    }
    int damage_error = 0;
    if (!XDamageQueryExtension(x.d, &x.damage_event, &damage_error)) {
        throw std::runtime_error("the X server has no DAMAGE extension");
    }
    XSetErrorHandler(ignore_x_error);
    XSelectInput(x.d, DefaultRootWindow(x.d), SubstructureNotifyMask);
    XSync(x.d, False);

    program_costs costs;
    std::unique_ptr<child_process> program;
    for (int i = 0; i < starts; ++i) {
        program.reset();  // ends the previous start
        XSync(x.d, False);
        start_and_wait_for_frame(x, binary, display, costs, program);
    }

    // Let start-up settle for a second of animation, then count frames and CPU time.
    XEvent event;
    const auto settled = bench_clock::now() + std::chrono::seconds(1);
    while (next_event(x.d, event, settled)) {
        take_frame(x, event);
    }
    const double cpu_before = cpu_seconds(program->pid());
    const auto from = bench_clock::now();
    const auto to = from + std::chrono::duration_cast<bench_clock::duration>(
                               std::chrono::duration<double>(watch_s));
    while (next_event(x.d, event, to)) {
        costs.frames_seen += take_frame(x, event) ? 1 : 0;
    }
    const double cpu_after = cpu_seconds(program->pid());
    costs.watched_s = ms_between(from, bench_clock::now()) / 1000.0;
    costs.cpu_share = (cpu_after - cpu_before) / costs.watched_s;
    costs.peak_rss_kb = peak_rss_kb(program->pid());
    program.reset();
    XCloseDisplay(x.d);
    return costs;
}
