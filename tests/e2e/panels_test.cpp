// The teaching panels in the real program's window, shown and hidden with the function keys.
// Built into the Windows program's tests too, which run it under Wine.
#include <gtest/gtest.h>

#include "session.h"

namespace {

int differing_pixels(const image& a, const image& b)
{
    int n = 0;
    for (std::size_t i = 0; i + 2 < a.pixels.size(); i += 3) {
        n += a.pixels[i] != b.pixels[i] || a.pixels[i + 1] != b.pixels[i + 1] ||
                     a.pixels[i + 2] != b.pixels[i + 2]
                 ? 1
                 : 0;
    }
    return n;
}

// In the real window: each function key shows its panel and, pressed again, takes it away,
// leaving the window as it was, with no console line on the way.
TEST(Panels, EachFunctionKeyShowsItsPanelAndTakesItAwayAgain)
{
    session run;
    ASSERT_NE(run.window, 0UL);
    ASSERT_TRUE(run.line_for(' '));  // the cubes stand still, so frames repeat exactly
    ASSERT_TRUE(run.x.wait_for_frames(2, patience));
    const image plain = run.x.capture(run.window);
    for (const char* key : {"F1", "F2", "F3"}) {
        SCOPED_TRACE(key);
        run.x.press(key);
        ASSERT_TRUE(run.x.wait_for_frames(2, patience));
        EXPECT_GT(differing_pixels(run.x.capture(run.window), plain), 1000);
        run.x.press(key);
        ASSERT_TRUE(run.x.wait_for_frames(2, patience));
        EXPECT_EQ(differing_pixels(run.x.capture(run.window), plain), 0);
    }
    ASSERT_TRUE(run.escape_exits_cleanly());
    EXPECT_EQ(run.program.out(), "");
    EXPECT_EQ(run.program.err(), "");
}

}  // namespace
