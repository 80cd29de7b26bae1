// A minute of the moving light and the turning cubes on a private X server: memory stays
// flat, OpenGL reports no error, and the program still answers a key at the end.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "xvfb.h"

namespace {

const milliseconds patience(30000);

// Resident memory in KiB, from /proc/PID/status.
long resident_kib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string field;
    while (status >> field) {
        if (field == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

TEST(Soak, AMinuteOfAnimationKeepsMemoryFlatWithoutGlErrors)
{
    using std::chrono::seconds;
    using clock = std::chrono::steady_clock;

    xvfb server;
    x_client x{server.display()};
    // -gldebug: freeglut checks glGetError after every callback and reports on stderr, as
    // Mesa does for every error with MESA_DEBUG set. A fixed mmap threshold keeps glibc from
    // raising it as Mesa frees its large per-frame buffers, which moves later ones into the
    // heap, whose top is not given back: resident memory would creep by the buffers' size
    // with nothing held. The threshold stays at its default start, 128 KiB.
    child_process program{{ORVENA_BINARY, "-gldebug"},
                          {{"DISPLAY", server.display()},
                           {"MESA_DEBUG", "1"},
                           {"GLIBC_TUNABLES", "glibc.malloc.mmap_threshold=131072"}}};
    const unsigned long window = x.wait_for_window("Orvena", patience);
    ASSERT_NE(window, 0UL);
    x.type('L');
    ASSERT_EQ(program.read_line(patience), "Camera: 1.690000, 2.900000, 7.490000");

    // The first seconds load the driver's shaders and fill its caches; after them nothing
    // may grow. The frames are waited for, so the loop cannot outrun the program.
    const auto start = clock::now();
    const auto settled = start + seconds(5);
    const auto end = start + seconds(60);
    long baseline = -1;
    long highest = -1;
    int frames = 0;
    std::string samples;  // KiB, one every ten frames
    while (clock::now() < end) {
        ASSERT_TRUE(x.wait_for_frames(10, patience)) << "the frames stopped";
        frames += 10;
        if (clock::now() < settled) {
            continue;
        }
        const long rss = resident_kib(program.pid());
        ASSERT_GT(rss, 0);
        if (baseline < 0) {
            baseline = rss;
        }
        highest = std::max(highest, rss);
        samples += " " + std::to_string(rss);
    }
    RecordProperty("frames", frames);
    RecordProperty("baseline_kib", static_cast<int>(baseline));
    RecordProperty("highest_kib", static_cast<int>(highest));
    RecordProperty("resident_kib", samples);
    EXPECT_GT(frames, 400) << "a frame every 100 ms at least";
    EXPECT_LT(highest - baseline, 1024)
        << "resident memory grew from " << baseline << " KiB to " << highest << " KiB:" << samples;

    x.type('a');
    EXPECT_EQ(program.read_line(patience), "Camera: 1.690000, 2.900000, 7.490000");
    x.type('\x1b');
    const std::optional<int> status = program.wait(patience);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(program.err(), "") << "OpenGL errors or warnings";
}

}  // namespace
