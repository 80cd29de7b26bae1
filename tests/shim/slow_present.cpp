// Preloaded into the program by the end-to-end tests: it stretches the moments of the race
// between a frame on its way to the X server and the window's end, as a busy machine does.
// It only delays; every call goes on unchanged.
// - xcb_put_image, how Mesa's Vulkan WSI sends a software-rendered frame to the server from a
//   thread of its own, starts 30 ms late, so a frame stays on its way for longer, and returns
//   100 ms late, as if that thread lost the processor before it could tell XCB to drop the
//   request's error (xcb_discard_reply);
// - XDestroyWindow returns 60 ms late, so the server's answers to what went out meanwhile are
//   in before the program reads its connection again (XCloseDisplay's XSync).
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <xcb/xproto.h>

#include <chrono>
#include <thread>

namespace {

template <typename function> function next(const char* name)
{
    return reinterpret_cast<function>(dlsym(RTLD_NEXT, name));
}

void wait_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

extern "C" xcb_void_cookie_t xcb_put_image(xcb_connection_t* c, uint8_t format,
                                           xcb_drawable_t drawable, xcb_gcontext_t gc,
                                           uint16_t width, uint16_t height, int16_t dst_x,
                                           int16_t dst_y, uint8_t left_pad, uint8_t depth,
                                           uint32_t data_len, const uint8_t* data)
{
    using put_image = xcb_void_cookie_t (*)(xcb_connection_t*, uint8_t, xcb_drawable_t,
                                            xcb_gcontext_t, uint16_t, uint16_t, int16_t, int16_t,
                                            uint8_t, uint8_t, uint32_t, const uint8_t*);
    wait_ms(30);
    const xcb_void_cookie_t cookie = next<put_image>("xcb_put_image")(
        c, format, drawable, gc, width, height, dst_x, dst_y, left_pad, depth, data_len, data);
    wait_ms(100);
    return cookie;
}

extern "C" int XDestroyWindow(Display* display, Window window)
{
    using destroy_window = int (*)(Display*, Window);
    const int result = next<destroy_window>("XDestroyWindow")(display, window);
    wait_ms(60);
    return result;
}
