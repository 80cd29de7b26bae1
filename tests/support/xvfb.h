// Test support: a private Xvfb server, child processes with piped output, and an X client
// that finds the program's window, types into it through XTest and reads its pixels.
#ifndef ORVENA_TESTS_XVFB_H
#define ORVENA_TESTS_XVFB_H

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

using std::chrono::milliseconds;
using clock_type_deadline = std::chrono::steady_clock::time_point;

// A child process whose standard output and error are pipes read by the test.
class child_process {
  public:
    // Starts argv[0] (a path) with the environment changed by env: a value sets a variable,
    // an empty optional removes it.
    child_process(const std::vector<std::string>& argv,
                  const std::map<std::string, std::optional<std::string>>& env = {});
    ~child_process();
    child_process(const child_process&) = delete;
    child_process& operator=(const child_process&) = delete;

    pid_t pid() const { return pid_; }

    // The next line of standard output, without its newline, or nothing if none came in time
    // or the output ended.
    std::optional<std::string> read_line(milliseconds timeout);

    // Waits for the process to end and reads the rest of both outputs. The status is as
    // from waitpid, or nothing if it did not end in time.
    std::optional<int> wait(milliseconds timeout);

    const std::string& out() const { return out_; }  // unread standard output, after wait
    const std::string& err() const { return err_; }  // all of standard error, after wait

  private:
    void drain(milliseconds timeout);

    pid_t pid_ = -1;
    int out_fd_ = -1;
    int err_fd_ = -1;
    int pidfd_ = -1;
    std::optional<int> status_;
    std::string out_;
    std::string err_;
};

// Xvfb on a display number it picks itself (-displayfd), so tests can run side by side.
class xvfb {
  public:
    explicit xvfb(int width = 1280, int height = 1024);
    ~xvfb();
    xvfb(const xvfb&) = delete;
    xvfb& operator=(const xvfb&) = delete;

    const std::string& display() const { return display_; }  // ":N"

  private:
    pid_t pid_ = -1;
    std::string display_;
};

struct rgb {
    int r, g, b;
};

// An RGB picture with rows from the top, as X gives them.
struct image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // 3 bytes a pixel

    rgb at(int x, int y) const;
};

// A client of the test's own X server.
class x_client {
  public:
    explicit x_client(const std::string& display);
    ~x_client();
    x_client(const x_client&) = delete;
    x_client& operator=(const x_client&) = delete;

    // Waits for a mapped top-level window with this title and gives it the input focus.
    // Returns 0 if none appeared in time.
    unsigned long wait_for_window(const std::string& title, milliseconds timeout);

    std::string title(unsigned long window);
    std::pair<int, int> position(unsigned long window);
    std::pair<int, int> size(unsigned long window);

    // Presses and releases the key that types c, with Shift where the keymap needs it.
    void type(char c);
    void type(const std::string& text);
    // Presses and releases the key with this X keysym name ("Left", "F1", "Escape").
    void press(const std::string& keysym_name);

    // Waits until the window's contents have changed count times from now on: each change
    // is one frame put on screen. Two frames after a key's console line was read, one of
    // them was drawn after that key. Needs wait_for_window first.
    bool wait_for_frames(int count, milliseconds timeout);

    void resize(unsigned long window, int width, int height);
    // Asks the window to close the way a window manager does (WM_DELETE_WINDOW).
    void request_close(unsigned long window);
    // Top-level windows created on the server since the last wait, counted from the events
    // that no wait has read yet. On a fresh client: every window created since it connected.
    int windows_created();
    image capture(unsigned long window);

  private:
    void tap(unsigned long keysym);
    bool next_event(void* event, clock_type_deadline deadline);

    void* display_ = nullptr;
    unsigned long damage_ = 0;
    int damage_event_base_ = 0;
};

#endif
