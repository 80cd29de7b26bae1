// Sanitizer builds only: LeakSanitizer's check runs as soon as the program starts to exit,
// before freeglut's own exit handler closes the display. Closing it makes Mesa unload its
// driver; memory the driver still held would then look leaked, allocated in a module that
// LeakSanitizer can no longer name, so no suppression could tell it from a leak of ours.
#include <sanitizer/lsan_interface.h>

#include <cstdlib>

// The linker's names for the wrapped function and the original.
extern "C" void __real_glutInit(int* argcp, char** argv);  // NOLINT(bugprone-reserved-identifier)

namespace {

void check_leaks_now() { __lsan_do_leak_check(); }

}  // namespace

// Linked with --wrap=glutInit. freeglut registers its exit handler inside glutInit; exit
// handlers run last in, first out, so one registered right after it runs before it.
extern "C" void __wrap_glutInit(int* argcp, char** argv)  // NOLINT(bugprone-reserved-identifier)
{
    __real_glutInit(argcp, argv);
    std::atexit(check_leaks_now);
}
