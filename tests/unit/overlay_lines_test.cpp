// The status lines, byte for byte, and the aspect that the projection is given.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/orvena.h"
#include "input/commands.h"
#include "render/overlay_lines.h"
#include "scene_start.h"

namespace {

std::string light_line()
{
    char buf[1024];
    format_light_line(buf, sizeof buf);
    return buf;
}

std::string camera_line()
{
    char buf[1024];
    format_camera_line(buf, sizeof buf);
    return buf;
}

TEST(OverlayLines, NameTheModeAndTheStoredLightPosition)
{
    start_scene();
    EXPECT_EQ(light_line(), "Luz Fixa (0.000000, 3.000000, 0.000000)");
    EXPECT_EQ(camera_line(), "Camara (1.690000, 2.900000, 7.490000)");

    apply_key('L');
    light_angle = 123;  // the orbit turns the light, not the numbers shown
    EXPECT_EQ(light_line(), "Luz Movel (0.000000, 3.000000, 0.000000)");
    apply_key('2');
    EXPECT_EQ(light_line(), "Luz Movel (3.000000, 0.000000, 0.000000)");

    apply_key('L');
    EXPECT_EQ(light_line(), "Luz no ponto de vista");
    apply_key('T');
    EXPECT_EQ(camera_line(), "Camara (1.690000, 2.900000, -7.490000)");
}

TEST(OverlayLines, AreCutToTheBufferAndStayTerminated)
{
    start_scene();
    char buf[10];
    format_light_line(buf, sizeof buf);
    EXPECT_STREQ(buf, "Luz Fixa ");
    format_camera_line(buf, sizeof buf);
    EXPECT_STREQ(buf, "Camara (1");
}

struct aspect_case {
    int width, height;
    double aspect;
};

TEST(WindowAspect, IsWidthOverHeightAndFiniteForZeroHeight)
{
    const aspect_case cases[] = {
        {500, 500, 1.0},       {800, 500, 1.6}, {400, 500, 0.8},
        {1, 3000, 1.0 / 3000}, {500, 0, 500.0}, {0, 0, 0.0},
    };
    for (const aspect_case& c : cases) {
        const double aspect = window_aspect(c.width, c.height);
        EXPECT_TRUE(std::isfinite(aspect)) << c.width << "x" << c.height;
        EXPECT_DOUBLE_EQ(aspect, c.aspect) << c.width << "x" << c.height;
    }
}

}  // namespace
