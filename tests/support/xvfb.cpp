// Test support: private Xvfb servers, child processes and an XTest client.
#include "xvfb.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

using clock_type = std::chrono::steady_clock;

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

int remaining_ms(clock_type::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<milliseconds>(deadline - clock_type::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Reads what is there on fd into text; false at end of file.
bool read_some(int fd, std::string& text)
{
    char buf[4096];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n > 0) {
        text.append(buf, static_cast<std::size_t>(n));
        return true;
    }
    return n < 0 && (errno == EINTR || errno == EAGAIN);
}

std::vector<std::string>
environment_with(const std::map<std::string, std::optional<std::string>>& changes)
{
    std::vector<std::string> result;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (changes.count(name) == 0) {
            result.push_back(entry);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            result.push_back(name + "=" + *value);
        }
    }
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> result;
    result.reserve(strings.size() + 1);
    for (std::string& s : strings) {
        result.push_back(s.data());
    }
    result.push_back(nullptr);
    return result;
}

Display* dpy(void* display) { return static_cast<Display*>(display); }

// A top-level window may go between the query that lists it and the next look at it (Wine
// makes and drops short-lived ones); such a look fails and reads as "not that window". Every
// other error goes to Xlib's own handler, which reports it and ends the test.
XErrorHandler xlib_error_handler = nullptr;

int ignore_vanished_windows(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow) {
        return 0;
    }
    return xlib_error_handler(display, error);
}

}  // namespace

child_process::child_process(const std::vector<std::string>& argv,
                             const std::map<std::string, std::optional<std::string>>& env)
{
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        fail("pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    std::vector<std::string> args = argv;
    std::vector<std::string> envs = environment_with(env);
    const int rc = posix_spawn(&pid_, args[0].c_str(), &actions, nullptr, pointers(args).data(),
                               pointers(envs).data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    out_fd_ = out[0];
    err_fd_ = err[0];
    if (rc != 0) {
        errno = rc;
        fail("posix_spawn " + args[0]);
    }
    pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
    if (pidfd_ < 0) {
        fail("pidfd_open");
    }
    fcntl(err_fd_, F_SETFL, O_NONBLOCK);
}

child_process::~child_process()
{
    if (!status_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    for (int fd : {out_fd_, err_fd_, pidfd_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

std::optional<std::string> child_process::read_line(milliseconds timeout)
{
    const auto deadline = clock_type::now() + timeout;
    for (;;) {
        const std::size_t newline = out_.find('\n');
        if (newline != std::string::npos) {
            std::string line = out_.substr(0, newline);
            out_.erase(0, newline + 1);
            return line;
        }
        pollfd p[2] = {{out_fd_, POLLIN, 0}, {err_fd_, POLLIN, 0}};
        const int ready = poll(p, 2, remaining_ms(deadline));
        if (ready <= 0) {
            return std::nullopt;
        }
        if ((p[1].revents & POLLIN) != 0) {
            read_some(err_fd_, err_);  // keep the child from blocking on a full pipe
        }
        if ((p[0].revents & (POLLIN | POLLHUP)) != 0 && !read_some(out_fd_, out_)) {
            return std::nullopt;
        }
    }
}

void child_process::drain(milliseconds timeout)
{
    const auto deadline = clock_type::now() + timeout;
    bool out_open = true;
    bool err_open = true;
    fcntl(out_fd_, F_SETFL, O_NONBLOCK);
    while (out_open || err_open) {
        pollfd p[2] = {{out_open ? out_fd_ : -1, POLLIN, 0}, {err_open ? err_fd_ : -1, POLLIN, 0}};
        if (poll(p, 2, remaining_ms(deadline)) <= 0) {
            return;
        }
        if ((p[0].revents & (POLLIN | POLLHUP)) != 0) {
            out_open = read_some(out_fd_, out_);
        }
        if ((p[1].revents & (POLLIN | POLLHUP)) != 0) {
            err_open = read_some(err_fd_, err_);
        }
    }
}

std::optional<int> child_process::wait(milliseconds timeout)
{
    if (status_) {
        return status_;
    }
    const auto deadline = clock_type::now() + timeout;
    pollfd p = {pidfd_, POLLIN, 0};
    if (poll(&p, 1, remaining_ms(deadline)) <= 0) {
        return std::nullopt;
    }
    int status = 0;
    waitpid(pid_, &status, 0);
    status_ = status;
    drain(milliseconds(remaining_ms(deadline) + 1000));
    return status_;
}

xvfb::xvfb(int width, int height)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        fail("pipe");
    }
    // The write end goes to the server as descriptor 3; it writes its display number there.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {
        "Xvfb",      "-displayfd", "3",
        "-screen",   "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
        "-nolisten", "tcp",        "-noreset"};
    std::vector<char*> argv = pointers(args);
    // The server's own GLX must not follow the driver chosen for the program under test:
    // zink, for one, cannot serve it.
    std::vector<std::string> envs = environment_with({{"GALLIUM_DRIVER", std::nullopt},
                                                      {"MESA_LOADER_DRIVER_OVERRIDE", std::nullopt},
                                                      {"LIBGL_ALWAYS_SOFTWARE", std::nullopt}});
    const int rc =
        posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), pointers(envs).data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        errno = rc;
        fail("cannot start Xvfb");
    }
    std::string number;
    const auto deadline = clock_type::now() + std::chrono::seconds(30);
    while (number.find('\n') == std::string::npos) {
        pollfd p = {fds[0], POLLIN, 0};
        if (poll(&p, 1, remaining_ms(deadline)) <= 0 || !read_some(fds[0], number)) {
            close(fds[0]);
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            throw std::runtime_error("Xvfb did not report a display number");
        }
    }
    close(fds[0]);
    display_ = ":" + number.substr(0, number.find('\n'));
}

xvfb::~xvfb()
{
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

rgb image::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) *
                          3;
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
}

x_client::x_client(const std::string& display)
{
    display_ = XOpenDisplay(display.c_str());
    if (display_ == nullptr) {
        throw std::runtime_error("cannot connect to X display " + display);
    }
    XErrorHandler previous = XSetErrorHandler(ignore_vanished_windows);
    if (previous != ignore_vanished_windows) {
        xlib_error_handler = previous;
    }
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(dpy(display_), &event_base, &error_base, &major, &minor)) {
        throw std::runtime_error("the X server has no XTEST extension");
    }
    int damage_error_base = 0;
    if (!XDamageQueryExtension(dpy(display_), &damage_event_base_, &damage_error_base)) {
        throw std::runtime_error("the X server has no DAMAGE extension");
    }
    XSelectInput(dpy(display_), DefaultRootWindow(dpy(display_)), SubstructureNotifyMask);
    XSync(dpy(display_), False);
}

x_client::~x_client() { XCloseDisplay(dpy(display_)); }

std::string x_client::title(unsigned long window)
{
    char* name = nullptr;
    std::string result;
    if (XFetchName(dpy(display_), window, &name) != 0 && name != nullptr) {
        result = name;
        XFree(name);
    }
    return result;
}

unsigned long x_client::wait_for_window(const std::string& title_wanted, milliseconds timeout)
{
    Display* d = dpy(display_);
    const auto deadline = clock_type::now() + timeout;
    for (;;) {
        // Look at what is mapped now; the MapNotify events selected on the root wake us for
        // anything mapped later.
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
        Window found = 0;
        for (unsigned i = 0; i < count && found == 0; ++i) {
            XWindowAttributes attrs;
            if (XGetWindowAttributes(d, children[i], &attrs) != 0 &&
                attrs.map_state == IsViewable && title(children[i]) == title_wanted) {
                found = children[i];
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (found != 0) {
            XSetInputFocus(d, found, RevertToParent, CurrentTime);
            damage_ = XDamageCreate(d, found, XDamageReportNonEmpty);
            XSync(d, False);
            return found;
        }
        XEvent event;
        if (!next_event(&event, deadline)) {
            return 0;
        }
    }
}

bool x_client::next_event(void* event, clock_type_deadline deadline)
{
    Display* d = dpy(display_);
    while (XPending(d) == 0) {
        pollfd p = {ConnectionNumber(d), POLLIN, 0};
        if (poll(&p, 1, remaining_ms(deadline)) <= 0) {
            return false;
        }
    }
    XNextEvent(d, static_cast<XEvent*>(event));
    return true;
}

bool x_client::wait_for_frames(int count, milliseconds timeout)
{
    Display* d = dpy(display_);
    const auto deadline = clock_type::now() + timeout;
    // Forget what was drawn before now: first the notifications already sent, then the
    // region. In the other order a notification sent between the two could be thrown away
    // while the region stays non-empty, and then no drawing would ever report again.
    XSync(d, False);
    XEvent event;
    while (XCheckTypedEvent(d, damage_event_base_ + XDamageNotify, &event)) {
    }
    XDamageSubtract(d, damage_, None, None);
    XFlush(d);
    for (int seen = 0; seen < count;) {
        if (!next_event(&event, deadline)) {
            return false;
        }
        if (event.type == damage_event_base_ + XDamageNotify) {
            XDamageSubtract(d, damage_, None, None);
            ++seen;
        }
    }
    XSync(d, False);
    return true;
}

std::pair<int, int> x_client::position(unsigned long window)
{
    XWindowAttributes attrs;
    XGetWindowAttributes(dpy(display_), window, &attrs);
    return {attrs.x, attrs.y};
}

std::pair<int, int> x_client::size(unsigned long window)
{
    XWindowAttributes attrs;
    XGetWindowAttributes(dpy(display_), window, &attrs);
    return {attrs.width, attrs.height};
}

void x_client::tap(unsigned long keysym)
{
    Display* d = dpy(display_);
    const KeyCode code = XKeysymToKeycode(d, keysym);
    if (code == 0) {
        throw std::runtime_error("no key for keysym " + std::to_string(keysym));
    }
    const bool shifted = XkbKeycodeToKeysym(d, code, 0, 0) != keysym;
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    if (shifted) {
        XTestFakeKeyEvent(d, shift, True, CurrentTime);
    }
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    if (shifted) {
        XTestFakeKeyEvent(d, shift, False, CurrentTime);
    }
    XSync(d, False);
}

void x_client::type(char c)
{
    switch (c) {
    case '\t':
        tap(XK_Tab);
        return;
    case '\r':
        tap(XK_Return);
        return;
    case '\b':
        tap(XK_BackSpace);
        return;
    case 27:
        tap(XK_Escape);
        return;
    case 127:
        tap(XK_Delete);
        return;
    default:
        // Printable ASCII keysyms are the characters' own codes.
        tap(static_cast<unsigned char>(c));
    }
}

void x_client::type(const std::string& text)
{
    for (char c : text) {
        type(c);
    }
}

void x_client::press(const std::string& keysym_name)
{
    const KeySym keysym = XStringToKeysym(keysym_name.c_str());
    if (keysym == NoSymbol) {
        throw std::runtime_error("unknown keysym " + keysym_name);
    }
    tap(keysym);
}

void x_client::resize(unsigned long window, int width, int height)
{
    XResizeWindow(dpy(display_), window, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XSync(dpy(display_), False);
}

void x_client::request_close(unsigned long window)
{
    Display* d = dpy(display_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
}

int x_client::windows_created()
{
    Display* d = dpy(display_);
    XSync(d, False);
    int count = 0;
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        count += event.type == CreateNotify ? 1 : 0;
    }
    return count;
}

image x_client::capture(unsigned long window)
{
    Display* d = dpy(display_);
    const auto [width, height] = size(window);
    XImage* shot = XGetImage(d, window, 0, 0, static_cast<unsigned>(width),
                             static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (shot == nullptr) {
        throw std::runtime_error("XGetImage failed");
    }
    image result;
    result.width = width;
    result.height = height;
    result.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long p = XGetPixel(shot, x, y);
            result.pixels.push_back(static_cast<std::uint8_t>((p & shot->red_mask) >> 16));
            result.pixels.push_back(static_cast<std::uint8_t>((p & shot->green_mask) >> 8));
            result.pixels.push_back(static_cast<std::uint8_t>(p & shot->blue_mask));
        }
    }
    XDestroyImage(shot);
    return result;
}
