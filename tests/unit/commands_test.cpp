// The keyboard's command table: each key's effect on the scene and the console line after it.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/orvena.h"
#include "input/commands.h"
#include "scene_start.h"

namespace {

std::string console_line()
{
    char buf[CONSOLE_LINE_SIZE];
    format_console_line(buf, sizeof buf);
    return buf;
}

std::string press(const std::string& keys)
{
    for (char k : keys) {
        EXPECT_TRUE(apply_key(static_cast<unsigned char>(k)));
    }
    return console_line();
}

struct snapshot {
    std::array<float, 3> eye;
    int animate;
    int mode;
    std::array<float, 4> pos;
    std::array<float, 3> axis;
};

snapshot take()
{
    return {{cam_x, cam_y, cam_z},
            animate,
            light_mode,
            {light_pos[0], light_pos[1], light_pos[2], light_pos[3]},
            {light_axis[0], light_axis[1], light_axis[2]}};
}

bool operator==(const snapshot& a, const snapshot& b)
{
    return a.eye == b.eye && a.animate == b.animate && a.mode == b.mode && a.pos == b.pos &&
           a.axis == b.axis;
}

class Commands : public ::testing::Test {
  protected:
    void SetUp() override { start_scene(); }
};

struct key_case {
    const char* keys;     // pressed in order from the start values
    const char* printed;  // the console line after the last one
    snapshot after;
};

const snapshot home{{1.69F, 2.9F, 7.49F}, 1, 0, {0, 3, 0, 1}, {0, 0, 1}};

snapshot with_eye(float x, float y, float z)
{
    snapshot s = home;
    s.eye = {x, y, z};
    return s;
}

snapshot with_light(std::array<float, 4> pos, std::array<float, 3> axis)
{
    snapshot s = home;
    s.pos = pos;
    s.axis = axis;
    return s;
}

snapshot with_mode(int mode)
{
    snapshot s = home;
    s.mode = mode;
    return s;
}

snapshot paused()
{
    snapshot s = home;
    s.animate = 0;
    return s;
}

const key_case key_cases[] = {
    {" ", "Camera: 1.690000, 2.900000, 7.490000\n", paused()},
    {"  ", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"1", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"2", "Camera: 1.690000, 2.900000, 7.490000\n", with_light({3, 0, 0, 1}, {0, 0, 1})},
    {"3", "Camera: 1.690000, 2.900000, 7.490000\n", with_light({0, 0, 3, 1}, {1, 0, 0})},
    {"4", "Camera: 1.690000, 2.900000, 7.490000\n", with_light({0, 0, 0, 1}, {0, 0, 1})},
    // 4 keeps the axis that 3 chose; 1 and 2 bring back the Z axis.
    {"34", "Camera: 1.690000, 2.900000, 7.490000\n", with_light({0, 0, 0, 1}, {1, 0, 0})},
    {"31", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"32", "Camera: 1.690000, 2.900000, 7.490000\n", with_light({3, 0, 0, 1}, {0, 0, 1})},
    {"L", "Camera: 1.690000, 2.900000, 7.490000\n", with_mode(LIGHT_MOVING)},
    {"l", "Camera: 1.690000, 2.900000, 7.490000\n", with_mode(LIGHT_MOVING)},
    {"Ll", "Camera: 1.690000, 2.900000, 7.490000\n", with_mode(LIGHT_VIEWPOINT)},
    {"LlL", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"O", "Camera: 0.000000, 0.000000, 5.000000\n", with_eye(0, 0, 5)},
    {"o", "Camera: 0.000000, 0.000000, 5.000000\n", with_eye(0, 0, 5)},
    {"OR", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"Or", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"T", "Camera: 1.690000, 2.900000, -7.490000\n", with_eye(1.69F, 2.9F, -7.49F)},
    {"t", "Camera: 1.690000, 2.900000, -7.490000\n", with_eye(1.69F, 2.9F, -7.49F)},
    {"S", "Camera: 1.690000, 2.900000, -7.490000\n", with_eye(1.69F, 2.9F, -7.49F)},
    {"s", "Camera: 1.690000, 2.900000, -7.490000\n", with_eye(1.69F, 2.9F, -7.49F)},
    {"SS", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"TS", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"OS", "Camera: 0.000000, 0.000000, -5.000000\n", with_eye(0, 0, -5)},
    // float(1.69 + 0.1) is 1.78999996; its six digits round up.
    {"X", "Camera: 1.790000, 2.900000, 7.490000\n", with_eye(1.79F, 2.9F, 7.49F)},
    {"x", "Camera: 1.590000, 2.900000, 7.490000\n", with_eye(1.59F, 2.9F, 7.49F)},
    {"Y", "Camera: 1.690000, 3.000000, 7.490000\n", with_eye(1.69F, 3.0F, 7.49F)},
    {"y", "Camera: 1.690000, 2.800000, 7.490000\n", with_eye(1.69F, 2.8F, 7.49F)},
    {"Z", "Camera: 1.690000, 2.900000, 7.590000\n", with_eye(1.69F, 2.9F, 7.59F)},
    {"z", "Camera: 1.690000, 2.900000, 7.390000\n", with_eye(1.69F, 2.9F, 7.39F)},
    {"XXXXXXXXXX", "Camera: 2.690000, 2.900000, 7.490000\n", with_eye(2.69F, 2.9F, 7.49F)},
    {"Xx", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    // Unmapped keys: nothing changes, the line is still printed.
    {"a", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"9", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"5", "Camera: 1.690000, 2.900000, 7.490000\n", home},
    {"\r\t\x7f", "Camera: 1.690000, 2.900000, 7.490000\n", home},
};

TEST_F(Commands, EachKeyChangesItsSettingAndPrintsTheEye)
{
    for (const key_case& c : key_cases) {
        start_scene();
        SCOPED_TRACE(std::string("keys \"") + c.keys + "\"");
        EXPECT_EQ(press(c.keys), c.printed);
        const snapshot now = take();
        // The eye up to float rounding (the exact steps have a test of their own), the rest
        // exactly.
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(now.eye[i], c.after.eye[i]);
        }
        snapshot same_eye = c.after;
        same_eye.eye = now.eye;
        EXPECT_TRUE(now == same_eye);
    }
}

// Each step is added in double and rounded to float, so ten steps land on the float nearest
// to each partial sum, not on a value accumulated in double.
TEST_F(Commands, CameraStepsRoundToFloatAfterEveryPress)
{
    float expected = 1.69F;
    for (int i = 0; i < 10; ++i) {
        expected = static_cast<float>(static_cast<double>(expected) + 0.1);
    }
    press("XXXXXXXXXX");
    EXPECT_EQ(cam_x, expected);
    EXPECT_NE(static_cast<double>(cam_x), static_cast<double>(1.69F) + 10 * 0.1);
}

TEST_F(Commands, NoKeyTouchesTheAnglesTimerOrLightW)
{
    ang_obj1 = ang_obj2 = 45;
    light_angle = 90;
    for (int k = 0; k < 256; ++k) {
        if (k != KEY_ESCAPE) {
            apply_key(static_cast<unsigned char>(k));
        }
    }
    EXPECT_EQ(ang_obj1, 45);
    EXPECT_EQ(ang_obj2, 45);
    EXPECT_EQ(light_angle, 90);
    EXPECT_EQ(timer_ms, 100);
    EXPECT_EQ(light_pos[3], 1);
}

TEST_F(Commands, EscapeAsksToQuitAndChangesNothing)
{
    const snapshot before = take();
    EXPECT_FALSE(apply_key(KEY_ESCAPE));
    EXPECT_TRUE(take() == before);
}

TEST_F(Commands, ConsoleLineFitsTheWidestEye)
{
    cam_x = cam_y = cam_z = -3.4028235e38F;
    char buf[CONSOLE_LINE_SIZE];
    format_console_line(buf, sizeof buf);
    const std::string line = buf;
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.rfind("Camera: -340282346638528859811704183484516925440.000000", 0), 0U);
}

}  // namespace
