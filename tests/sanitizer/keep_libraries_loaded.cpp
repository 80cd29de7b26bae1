// Sanitizer builds only: dlclose does nothing, so every library stays loaded until the process
// ends. Closing the X display makes Mesa unload its driver, and freeglut closes it on the way
// out; LeakSanitizer, which checks last, could then no longer name the driver as the code that
// allocated what it leaves behind, and no suppression could tell that from a leak of ours.
extern "C" int dlclose(void* /*handle*/) { return 0; }
